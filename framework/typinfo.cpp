#include "framework/typinfo.h"

#include "framework/text.h"
#include "rtl/sysutils.h"

namespace fw {

namespace {

TObject* Mutable(const TObject* o) { return const_cast<TObject*>(o); }

const TPropInfo* Find(const TObject* instance, std::string_view name, TTypeKind kind)
{
    const TPropInfo* p = GetPropInfo(instance, name);
    return p && p->Kind == kind ? p : nullptr;
}

}  // namespace

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name)
{
    return instance ? instance->ClassType()->FindProp(name) : nullptr;
}

bool IsPublishedProp(const TObject* instance, std::string_view name)
{
    return GetPropInfo(instance, name) != nullptr;
}

std::optional<TTypeKind> PropKind(const TObject* instance, std::string_view name)
{
    if (const TPropInfo* p = GetPropInfo(instance, name)) return p->Kind;
    return std::nullopt;
}

int64_t GetOrdProp(const TObject* instance, std::string_view name)
{
    const TPropInfo* p = GetPropInfo(instance, name);
    return p && p->GetOrd ? p->GetOrd(Mutable(instance)) : -1;
}

void SetOrdProp(TObject* instance, std::string_view name, int64_t value)
{
    const TPropInfo* p = GetPropInfo(instance, name);
    if (p && p->SetOrd) p->SetOrd(instance, value);
}

std::string GetEnumProp(const TObject* instance, std::string_view name)
{
    const TPropInfo* p = Find(instance, name, TTypeKind::Enumeration);
    return p ? p->Enum->NameOf(p->GetOrd(Mutable(instance))) : std::string{};
}

void SetEnumProp(TObject* instance, std::string_view name, std::string_view ident)
{
    const TPropInfo* p = Find(instance, name, TTypeKind::Enumeration);
    if (!p || !p->SetOrd) return;
    const int ord = p->Enum->IndexOf(ident);
    if (ord < 0) throw rtl::EConvertError("Invalid property value: " + std::string(ident));
    p->SetOrd(instance, ord);
}

std::string GetSetProp(const TObject* instance, std::string_view name)
{
    const TPropInfo* p = Find(instance, name, TTypeKind::Set);
    return p ? SetToText(*p->Enum, static_cast<uint32_t>(p->GetOrd(Mutable(instance))))
             : std::string{};
}

void SetSetProp(TObject* instance, std::string_view name, std::string_view text)
{
    const TPropInfo* p = Find(instance, name, TTypeKind::Set);
    if (p && p->SetOrd) p->SetOrd(instance, SetFromText(*p->Enum, text));
}

std::string GetStrProp(const TObject* instance, std::string_view name)
{
    const TPropInfo* p = GetPropInfo(instance, name);
    if (!p) return {};
    if (p->Kind == TTypeKind::String) return p->GetStr(Mutable(instance));
    if (p->Kind == TTypeKind::WString) return ToGbk(p->GetWStr(Mutable(instance)));
    return {};
}

void SetStrProp(TObject* instance, std::string_view name, const std::string& value)
{
    const TPropInfo* p = GetPropInfo(instance, name);
    if (!p) return;
    if (p->Kind == TTypeKind::String && p->SetStr) p->SetStr(instance, value);
    if (p->Kind == TTypeKind::WString && p->SetWStr) p->SetWStr(instance, ToWide(value));
}

std::wstring GetWideStrProp(const TObject* instance, std::string_view name)
{
    const TPropInfo* p = GetPropInfo(instance, name);
    if (!p) return {};
    if (p->Kind == TTypeKind::WString) return p->GetWStr(Mutable(instance));
    if (p->Kind == TTypeKind::String) return ToWide(p->GetStr(Mutable(instance)));
    return {};
}

void SetWideStrProp(TObject* instance, std::string_view name, const std::wstring& value)
{
    const TPropInfo* p = GetPropInfo(instance, name);
    if (!p) return;
    if (p->Kind == TTypeKind::WString && p->SetWStr) p->SetWStr(instance, value);
    if (p->Kind == TTypeKind::String && p->SetStr) p->SetStr(instance, ToGbk(value));
}

TObject* GetObjectProp(const TObject* instance, std::string_view name, const TClass* minClass)
{
    const TPropInfo* p = Find(instance, name, TTypeKind::Class);
    if (!p) return nullptr;
    TObject* value = p->GetObj(Mutable(instance));
    if (value && minClass && !value->InheritsFrom(minClass)) return nullptr;
    return value;
}

void SetObjectProp(TObject* instance, std::string_view name, TObject* value)
{
    const TPropInfo* p = Find(instance, name, TTypeKind::Class);
    if (!p || !p->SetObj) return;
    if (value && !value->InheritsFrom(p->ObjClass())) return;
    p->SetObj(instance, value);
}

TMethod GetMethodProp(const TObject* instance, std::string_view name)
{
    const TPropInfo* p = Find(instance, name, TTypeKind::Method);
    return p ? p->GetMethod(Mutable(instance)) : TMethod{};
}

bool SetMethodProp(TObject* instance, std::string_view name, const TMethod& value,
                   const std::type_info& signature)
{
    const TPropInfo* p = Find(instance, name, TTypeKind::Method);
    if (!p || !p->SetMethod || *p->Signature != signature) return false;
    p->SetMethod(instance, value);
    return true;
}

std::string GetPropValue(const TObject* instance, std::string_view name)
{
    const TPropInfo* p = GetPropInfo(instance, name);
    if (!p) return {};
    switch (p->Kind) {
    case TTypeKind::Integer: return rtl::IntToStr(p->GetOrd(Mutable(instance)));
    case TTypeKind::Enumeration: return GetEnumProp(instance, name);
    case TTypeKind::Set: return GetSetProp(instance, name);
    case TTypeKind::String:
    case TTypeKind::WString: return GetStrProp(instance, name);
    case TTypeKind::Class:
    case TTypeKind::Method: return {};
    }
    return {};
}

void SetPropValue(TObject* instance, std::string_view name, const std::string& text)
{
    const TPropInfo* p = GetPropInfo(instance, name);
    if (!p) return;
    switch (p->Kind) {
    case TTypeKind::Integer:
        if (p->SetOrd) p->SetOrd(instance, rtl::StrToInt(text));
        break;
    case TTypeKind::Enumeration: SetEnumProp(instance, name, text); break;
    case TTypeKind::Set: SetSetProp(instance, name, text); break;
    case TTypeKind::String:
    case TTypeKind::WString: SetStrProp(instance, name, text); break;
    case TTypeKind::Class:
    case TTypeKind::Method: break;
    }
}

}  // namespace fw
