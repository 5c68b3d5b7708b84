#include "framework/classes.h"

#include <mutex>

#include "rtl/sysutils.h"
#include "rtl/textcase.h"

namespace fw {

void RegisterFrameworkClasses();  // registry.cpp

// ---------------------------------------------------------------------------
// TObject

const TClass* TObject::StaticClass()
{
    static const TClass* cls = [] {
        auto* c = new TClass;
        c->Name = "TObject";
        return c;
    }();
    return cls;
}

const std::string& TObject::ClassName() const { return ClassType()->Name; }

bool TObject::InheritsFrom(const TClass* cls) const { return ClassType()->InheritsFrom(cls); }

bool TObject::InheritsFrom(std::string_view className) const
{
    return ClassType()->InheritsFrom(className);
}

// ---------------------------------------------------------------------------
// Enumerations, sets, identifier maps

int TEnumInfo::IndexOf(std::string_view ident) const
{
    for (size_t i = 0; i < Names.size(); ++i)
        if (rtl::SameText(Names[i], ident)) return static_cast<int>(i);
    return -1;
}

std::string TEnumInfo::NameOf(int64_t ordinal) const
{
    if (ordinal < 0 || ordinal >= static_cast<int64_t>(Names.size())) return {};
    return Names[static_cast<size_t>(ordinal)];
}

const TEnumInfo& BooleanInfo()
{
    static const TEnumInfo info{"Boolean", {"False", "True"}};
    return info;
}

std::string SetToText(const TEnumInfo& info, uint32_t bits)
{
    std::string out = "[";
    for (size_t i = 0; i < info.Names.size() && i < 32; ++i) {
        if (bits & (uint32_t{1} << i)) {
            if (out.size() > 1) out += ',';
            out += info.Names[i];
        }
    }
    return out + "]";
}

uint32_t SetFromText(const TEnumInfo& info, std::string_view text)
{
    const std::string t = rtl::Trim(text);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']')
        throw rtl::EConvertError("Invalid property value");
    uint32_t bits = 0;
    std::string_view inner(t.data() + 1, t.size() - 2);
    while (!inner.empty()) {
        const size_t comma = inner.find(',');
        const std::string ident = rtl::Trim(inner.substr(0, comma));
        inner = comma == std::string_view::npos ? std::string_view{} : inner.substr(comma + 1);
        if (ident.empty()) {
            if (comma == std::string_view::npos && bits == 0) break;  // "[]"
            throw rtl::EConvertError("Invalid property value");
        }
        const int ord = info.IndexOf(ident);
        if (ord < 0 || ord >= 32) throw rtl::EConvertError("Invalid property element: " + ident);
        bits |= uint32_t{1} << ord;
    }
    return bits;
}

bool TIdentMap::Find(std::string_view ident, int32_t& value) const
{
    for (const auto& [name, v] : Entries)
        if (rtl::SameText(name, ident)) {
            value = v;
            return true;
        }
    return false;
}

bool TIdentMap::NameOf(int32_t value, std::string& ident) const
{
    for (const auto& [name, v] : Entries)
        if (v == value) {
            ident = name;
            return true;
        }
    return false;
}

// ---------------------------------------------------------------------------
// TClass

bool TClass::InheritsFrom(const TClass* cls) const
{
    for (const TClass* c = this; c; c = c->Parent)
        if (c == cls) return true;
    return false;
}

bool TClass::InheritsFrom(std::string_view className) const
{
    for (const TClass* c = this; c; c = c->Parent)
        if (c->Name == className) return true;
    return false;
}

const TPropInfo* TClass::FindProp(std::string_view name) const
{
    for (const TClass* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Props)
            if (rtl::SameText(p.Name, name)) return &p;
    return nullptr;
}

const TMethodEntry* TClass::FindMethod(std::string_view name) const
{
    for (const TClass* c = this; c; c = c->Parent)
        for (const TMethodEntry& m : c->Methods)
            if (rtl::SameText(m.Name, name)) return &m;
    return nullptr;
}

const TFieldEntry* TClass::FindField(std::string_view name) const
{
    for (const TClass* c = this; c; c = c->Parent)
        for (const TFieldEntry& f : c->Fields)
            if (rtl::SameText(f.Name, name)) return &f;
    return nullptr;
}

const TBinaryEntry* TClass::FindBinary(std::string_view name) const
{
    for (const TClass* c = this; c; c = c->Parent)
        for (const TBinaryEntry& b : c->Binaries)
            if (rtl::SameText(b.Name, name)) return &b;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Registry

namespace {

struct Registry {
    std::recursive_mutex lock;
    std::vector<const TClass*> classes;
    bool frameworkDone = false;
};

Registry& TheRegistry()
{
    static Registry r;
    return r;
}

void EnsureFramework(Registry& r)
{
    if (r.frameworkDone) return;
    r.frameworkDone = true;
    RegisterFrameworkClasses();
}

}  // namespace

void RegisterClass(const TClass* cls)
{
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    for (const TClass* c : r.classes)
        if (c == cls) return;
    r.classes.push_back(cls);
}

const TClass* FindClass(std::string_view name)
{
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    EnsureFramework(r);
    for (const TClass* c : r.classes)
        if (c->Name == name) return c;
    return nullptr;
}

}  // namespace fw
