// The object model: classes that know their name and base, delegates
// (object plus method) for events and window procedures, enumeration and
// set types with identifier names, and the published properties of each
// class, found by name at run time.
//
// A class takes part by FW_CLASS(Self, Base) in its body and
// FW_IMPLEMENT_CLASS(Self) { ...declarations... } in one source file:
//
//   class TThing : public TComponent {
//       FW_CLASS(TThing, TComponent)
//   public:
//       explicit TThing(TComponent* owner);
//       int Size() const;  void SetSize(int v);
//       TNotifyEvent OnChange;
//   };
//
//   FW_IMPLEMENT_CLASS(TThing) {
//       c.Property("Size", &TThing::Size, &TThing::SetSize);
//       c.Property("OnChange", &TThing::OnChange);
//   }
//
// The value type of a property decides its kind: integral types are
// integers (colours included), bool and FW_ENUM enumerations are
// enumerations read and written as identifier text, TSet<E> is a set
// written "[a,b]", std::string is 8-bit (GBK) text, std::wstring wide
// text, a pointer to a TObject class an object, a TDelegate an event.
// Components can be created by class name once their class is registered
// (RegisterClass).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

namespace fw {

class TObject;
class TComponent;
struct TClass;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClass* StaticClass();
    virtual const TClass* ClassType() const { return StaticClass(); }

    // The class name exactly as declared ("TButton").
    const std::string& ClassName() const;
    bool InheritsFrom(const TClass* cls) const;
    // By exact class-name text.
    bool InheritsFrom(std::string_view className) const;
};

// ---------------------------------------------------------------------------
// Delegates

// An object and one of its methods, type-erased. Two methods are equal
// when both the object and the method are the same.
struct TMethod {
    using Code = void (TObject::*)();
    Code code = nullptr;
    TObject* data = nullptr;

    bool Assigned() const { return code != nullptr && data != nullptr; }
    friend bool operator==(const TMethod& a, const TMethod& b)
    {
        return a.code == b.code && a.data == b.data;
    }
};

template <class Sig>
class TDelegate;

namespace detail {

// A method pointer of any signature is kept as TMethod::Code and turned
// back into its own type before it is called (the only use).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
template <class R, class... A>
TMethod::Code EraseMethod(R (TObject::*m)(A...))
{
    return reinterpret_cast<TMethod::Code>(m);
}
template <class R, class... A>
auto RestoreMethod(TMethod::Code code)
{
    return reinterpret_cast<R (TObject::*)(A...)>(code);
}
#pragma GCC diagnostic pop

}  // namespace detail

// A callable object-plus-method of one signature: bound with
// TDelegate(obj, &Class::Method), saved by copying, compared with ==, and
// called like a function. Calling an empty delegate does nothing.
template <class R, class... A>
class TDelegate<R(A...)> {
public:
    using Signature = R(A...);

    TDelegate() = default;
    explicit TDelegate(const TMethod& m) : method_(m) {}

    template <class C, class M>
    requires std::is_base_of_v<M, C> && std::is_base_of_v<TObject, M>
    TDelegate(C* object, R (M::*method)(A...))
        : method_{detail::EraseMethod(static_cast<R (TObject::*)(A...)>(method)),
                  static_cast<TObject*>(object)}
    {}

    const TMethod& Method() const { return method_; }
    TObject* Object() const { return method_.data; }
    explicit operator bool() const { return method_.Assigned(); }
    void Clear() { method_ = {}; }

    R operator()(A... args) const
    {
        if (!method_.Assigned()) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return R{};
        }
        auto fn = detail::RestoreMethod<R, A...>(method_.code);
        return (method_.data->*fn)(std::forward<A>(args)...);
    }

    friend bool operator==(const TDelegate& a, const TDelegate& b)
    {
        return a.method_ == b.method_;
    }

private:
    TMethod method_;
};

using TNotifyEvent = TDelegate<void(TObject* Sender)>;

template <class T>
struct IsDelegate : std::false_type {};
template <class Sig>
struct IsDelegate<TDelegate<Sig>> : std::true_type {};

// ---------------------------------------------------------------------------
// Enumerations and sets

// The identifiers of an enumeration type, ordinal 0 first.
struct TEnumInfo {
    std::string Name;
    std::vector<std::string> Names;

    // Ordinal of an identifier (case-insensitive), -1 when none.
    int IndexOf(std::string_view ident) const;
    // Identifier of an ordinal, empty text when out of range.
    std::string NameOf(int64_t ordinal) const;
};

const TEnumInfo& BooleanInfo();

// Declares the identifiers of an enumeration whose values run from 0; use
// it in the namespace of the enumeration.
#define FW_ENUM(E, ...)                                                                            \
    inline const ::fw::TEnumInfo& FwEnumInfo(const E*)                                             \
    {                                                                                              \
        static const ::fw::TEnumInfo info{#E, {__VA_ARGS__}};                                      \
        return info;                                                                               \
    }

template <class E>
const TEnumInfo& EnumInfoOf()
{
    if constexpr (std::is_same_v<E, bool>)
        return BooleanInfo();
    else
        return FwEnumInfo(static_cast<const E*>(nullptr));
}

// A set of up to 32 members of an enumeration.
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members)
    {
        for (E e : members) bits_ |= Bit(e);
    }
    static constexpr TSet FromBits(uint32_t bits)
    {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr uint32_t Bits() const { return bits_; }
    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E e)
    {
        bits_ |= Bit(e);
        return *this;
    }
    constexpr TSet& Exclude(E e)
    {
        bits_ &= ~Bit(e);
        return *this;
    }
    friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.bits_ & ~b.bits_); }
    friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr bool operator==(TSet a, TSet b) { return a.bits_ == b.bits_; }

private:
    static constexpr uint32_t Bit(E e) { return uint32_t{1} << static_cast<unsigned>(e); }
    uint32_t bits_ = 0;
};

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {
    using Element = E;
};

// "[a,b]" from set bits, and back. SetFromText raises EConvertError for an
// unknown identifier or text that is not bracketed.
std::string SetToText(const TEnumInfo& info, uint32_t bits);
uint32_t SetFromText(const TEnumInfo& info, std::string_view text);

// ---------------------------------------------------------------------------
// Published properties

enum class TTypeKind { Integer, Enumeration, Set, String, WString, Class, Method };

// Names for integer values that stored layouts may use in place of the
// number (colour names, cursor names).
struct TIdentMap {
    std::vector<std::pair<std::string, int32_t>> Entries;
    bool Find(std::string_view ident, int32_t& value) const;
    bool NameOf(int32_t value, std::string& ident) const;
};

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = TTypeKind::Integer;
    const TEnumInfo* Enum = nullptr;            // enumeration, or the element of a set
    const TClass* (*ObjClassOf)() = nullptr;    // class kind: the declared class
    const std::type_info* Signature = nullptr;  // method kind
    const TIdentMap* Idents = nullptr;          // integer kind: optional names

    // Type-erased accessors; only those of the property's kind are set,
    // and the setter is empty for a read-only property.
    std::function<int64_t(TObject*)> GetOrd;  // integer, enumeration, set
    std::function<void(TObject*, int64_t)> SetOrd;
    std::function<std::string(TObject*)> GetStr;
    std::function<void(TObject*, const std::string&)> SetStr;
    std::function<std::wstring(TObject*)> GetWStr;
    std::function<void(TObject*, const std::wstring&)> SetWStr;
    std::function<TObject*(TObject*)> GetObj;
    std::function<void(TObject*, TObject*)> SetObj;  // value already class-checked
    std::function<TMethod(TObject*)> GetMethod;
    std::function<void(TObject*, const TMethod&)> SetMethod;

    bool Writable() const { return SetOrd || SetStr || SetWStr || SetObj || SetMethod; }
    // Class kind: the declared class (looked up late: a class may publish
    // a property of its own class or of a derived one).
    const TClass* ObjClass() const { return ObjClassOf ? ObjClassOf() : nullptr; }

    // Names integer values in layouts (colour, cursor names).
    TPropInfo& WithIdents(const TIdentMap& idents)
    {
        Idents = &idents;
        return *this;
    }
};

// A published method: an event handler that stored layouts bind by name.
struct TMethodEntry {
    std::string Name;
    TMethod::Code Code = nullptr;
    const std::type_info* Signature = nullptr;
};

// A component field of a root class (a form): set when a layout read into
// that root creates the component of that name, cleared when it is freed.
struct TFieldEntry {
    std::string Name;
    const TClass* (*FieldClassOf)() = nullptr;
    const TClass* FieldClass() const { return FieldClassOf(); }
    std::function<TObject*(TObject* root)> Get;
    std::function<void(TObject* root, TObject* value)> Set;
};

// A property that stores its own binary data in layouts (its reader gets
// the bytes exactly as stored).
struct TBinaryEntry {
    std::string Name;
    std::function<void(TObject*, std::span<const uint8_t>)> Read;
};

struct TClass {
    std::string Name;
    const TClass* Parent = nullptr;
    TComponent* (*Create)(TComponent* owner) = nullptr;  // null: not creatable by name
    std::vector<TPropInfo> Props;
    std::vector<TMethodEntry> Methods;
    std::vector<TFieldEntry> Fields;
    std::vector<TBinaryEntry> Binaries;

    bool InheritsFrom(const TClass* cls) const;
    bool InheritsFrom(std::string_view className) const;
    // Searched in this class first, then in its bases; case-insensitive.
    const TPropInfo* FindProp(std::string_view name) const;
    const TMethodEntry* FindMethod(std::string_view name) const;
    const TFieldEntry* FindField(std::string_view name) const;
    const TBinaryEntry* FindBinary(std::string_view name) const;
};

// Class registry for creation by name. FindClass answers null for a class
// that was never registered. The framework's own classes are registered
// before the first look-up (registry.cpp); any other class is registered
// by the form whose stored layout names it, in its constructor, before the
// layout is read. No static initializer registers a class: the linker
// leaves out a library's object file that nothing refers to, and its
// initializers with it. Registering a class twice is harmless.
void RegisterClass(const TClass* cls);
const TClass* FindClass(std::string_view name);

namespace detail {

template <class M>
struct MemberTraits;
template <class C, class V>
struct MemberTraits<V C::*> {
    using Class = C;
    using Value = std::remove_cvref_t<V>;
    static constexpr bool IsField = !std::is_function_v<V>;
};
template <class C, class V>
struct MemberTraits<V (C::*)() const> {
    using Class = C;
    using Value = std::remove_cvref_t<V>;
    static constexpr bool IsField = false;
};

template <class T>
constexpr bool IsObjectPtr()
{
    if constexpr (std::is_pointer_v<T>)
        return std::is_base_of_v<TObject, std::remove_cv_t<std::remove_pointer_t<T>>>;
    else
        return false;
}

}  // namespace detail

// Fills a TClass; handed to the FW_IMPLEMENT_CLASS body as `c`.
template <class T>
class ClassBuilder {
public:
    explicit ClassBuilder(TClass& cls) : cls_(cls) {}

    // A property read by a getter (or a field) and written by a setter (or
    // the same field); pass no setter for a read-only getter.
    template <class G, class S = std::nullptr_t>
    TPropInfo& Property(const char* name, G get, S set = nullptr)
    {
        using Traits = detail::MemberTraits<G>;
        using V = typename Traits::Value;
        static_assert(std::is_base_of_v<typename Traits::Class, T>, "getter of another class");
        auto getter = [get](TObject* o) -> V {
            T& self = static_cast<T&>(*o);
            if constexpr (Traits::IsField)
                return self.*get;
            else
                return (self.*get)();
        };
        std::function<void(TObject*, V)> setter;
        if constexpr (!std::is_null_pointer_v<S>) {
            setter = [set](TObject* o, V v) { (static_cast<T&>(*o).*set)(std::move(v)); };
        } else if constexpr (Traits::IsField) {
            setter = [get](TObject* o, V v) { static_cast<T&>(*o).*get = std::move(v); };
        }
        return Add<V>(name, getter, setter);
    }

    // A handler method that layouts bind to events by name.
    template <class C, class R, class... A>
    void Method(const char* name, R (C::*method)(A...))
    {
        static_assert(std::is_base_of_v<C, T>);
        TDelegate<R(A...)> d(static_cast<T*>(nullptr), method);
        cls_.Methods.push_back({name, d.Method().code, &typeid(R(A...))});
    }

    // A component field that a layout read into this class fills by name.
    template <class C, class P>
    void Field(const char* name, P* C::*field)
    {
        static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<TObject, P>);
        cls_.Fields.push_back(
            {name, &P::StaticClass,
             [field](TObject* root) -> TObject* { return static_cast<T&>(*root).*field; },
             [field](TObject* root, TObject* value) {
                 static_cast<T&>(*root).*field = static_cast<P*>(value);
             }});
    }

    // A property that reads its own binary data from layouts.
    template <class C>
    void Binary(const char* name, void (C::*reader)(std::span<const uint8_t>))
    {
        static_assert(std::is_base_of_v<C, T>);
        cls_.Binaries.push_back({name, [reader](TObject* o, std::span<const uint8_t> bytes) {
                                     (static_cast<T&>(*o).*reader)(bytes);
                                 }});
    }

private:
    template <class V, class Get>
    TPropInfo& Add(const char* name, Get getter, std::function<void(TObject*, V)> setter)
    {
        TPropInfo p;
        p.Name = name;
        if constexpr (std::is_same_v<V, bool> || std::is_enum_v<V>) {
            p.Kind = TTypeKind::Enumeration;
            p.Enum = &EnumInfoOf<V>();
            p.GetOrd = [getter](TObject* o) { return static_cast<int64_t>(getter(o)); };
            if (setter)
                p.SetOrd = [setter](TObject* o, int64_t v) { setter(o, static_cast<V>(v)); };
        } else if constexpr (IsSet<V>::value) {
            p.Kind = TTypeKind::Set;
            p.Enum = &EnumInfoOf<typename IsSet<V>::Element>();
            p.GetOrd = [getter](TObject* o) { return static_cast<int64_t>(getter(o).Bits()); };
            if (setter)
                p.SetOrd = [setter](TObject* o, int64_t v) {
                    setter(o, V::FromBits(static_cast<uint32_t>(v)));
                };
        } else if constexpr (std::is_integral_v<V>) {
            p.Kind = TTypeKind::Integer;
            p.GetOrd = [getter](TObject* o) { return static_cast<int64_t>(getter(o)); };
            if (setter)
                p.SetOrd = [setter](TObject* o, int64_t v) { setter(o, static_cast<V>(v)); };
        } else if constexpr (std::is_same_v<V, std::string>) {
            p.Kind = TTypeKind::String;
            p.GetStr = getter;
            if (setter) p.SetStr = [setter](TObject* o, const std::string& v) { setter(o, v); };
        } else if constexpr (std::is_same_v<V, std::wstring>) {
            p.Kind = TTypeKind::WString;
            p.GetWStr = getter;
            if (setter) p.SetWStr = [setter](TObject* o, const std::wstring& v) { setter(o, v); };
        } else if constexpr (detail::IsObjectPtr<V>()) {
            using P = std::remove_cv_t<std::remove_pointer_t<V>>;
            p.Kind = TTypeKind::Class;
            p.ObjClassOf = &P::StaticClass;
            p.GetObj = [getter](TObject* o) -> TObject* { return const_cast<P*>(getter(o)); };
            if (setter)
                p.SetObj = [setter](TObject* o, TObject* v) { setter(o, static_cast<P*>(v)); };
        } else if constexpr (IsDelegate<V>::value) {
            p.Kind = TTypeKind::Method;
            p.Signature = &typeid(typename V::Signature);
            p.GetMethod = [getter](TObject* o) { return getter(o).Method(); };
            if (setter) p.SetMethod = [setter](TObject* o, const TMethod& m) { setter(o, V(m)); };
        } else {
            static_assert(sizeof(V) == 0, "no property kind for this type");
        }
        cls_.Props.push_back(std::move(p));
        return cls_.Props.back();
    }

    TClass& cls_;
};

namespace detail {

template <class T>
TComponent* CreateInstance(TComponent* owner)
{
    return new T(owner);
}

template <class T, class Base>
const TClass* BuildClass(const char* name, void (*declare)(ClassBuilder<T>&))
{
    auto* cls = new TClass;  // lives for the whole program
    cls->Name = name;
    cls->Parent = Base::StaticClass();
    if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                  std::is_constructible_v<T, TComponent*>)
        cls->Create = &CreateInstance<T>;
    ClassBuilder<T> builder(*cls);
    declare(builder);
    return cls;
}

}  // namespace detail

#define FW_CLASS(Self, Base)                                                                       \
public:                                                                                            \
    using inherited = Base;                                                                        \
    static const ::fw::TClass* StaticClass();                                                      \
    const ::fw::TClass* ClassType() const override { return Self::StaticClass(); }

#define FW_IMPLEMENT_CLASS(Self) FW_IMPLEMENT_CLASS_AS(Self, #Self)

// The same, for a class whose class-name text differs from its C++ name
// (a form class whose stored layouts name it TForm1).
#define FW_IMPLEMENT_CLASS_AS(Self, NameText)                                                      \
    static void FwDeclare_##Self(::fw::ClassBuilder<Self>& c);                                     \
    const ::fw::TClass* Self::StaticClass()                                                        \
    {                                                                                              \
        static const ::fw::TClass* cls =                                                           \
            ::fw::detail::BuildClass<Self, Self::inherited>(NameText, &FwDeclare_##Self);          \
        return cls;                                                                                \
    }                                                                                              \
    static void FwDeclare_##Self([[maybe_unused]] ::fw::ClassBuilder<Self>& c)

}  // namespace fw
