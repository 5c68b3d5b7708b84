// Published properties read and written by name (case-insensitive), for
// code that deals with classes it does not know at compile time. A missing
// instance or property reads as its default: integer -1, empty text, no
// object, no method; writing one does nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/classes.h"

namespace fw {

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name);
bool IsPublishedProp(const TObject* instance, std::string_view name);
std::optional<TTypeKind> PropKind(const TObject* instance, std::string_view name);

// Ordinal value of an integer, enumeration (Boolean included) or set
// property (set bits); -1 for another kind.
int64_t GetOrdProp(const TObject* instance, std::string_view name);
void SetOrdProp(TObject* instance, std::string_view name, int64_t value);

// The identifier of an enumeration or Boolean value ("True", "poScreenCenter");
// empty text for another kind.
std::string GetEnumProp(const TObject* instance, std::string_view name);
// Raises EConvertError for an identifier the enumeration does not have.
void SetEnumProp(TObject* instance, std::string_view name, std::string_view ident);

// "[a,b]" of a set property; empty text for another kind.
std::string GetSetProp(const TObject* instance, std::string_view name);
void SetSetProp(TObject* instance, std::string_view name, std::string_view text);

// 8-bit (GBK) text of a string property; a wide-string property is
// converted. Empty text for other kinds.
std::string GetStrProp(const TObject* instance, std::string_view name);
void SetStrProp(TObject* instance, std::string_view name, const std::string& value);
// Wide text of a wide-string property; an 8-bit string property is
// converted. Empty text for other kinds.
std::wstring GetWideStrProp(const TObject* instance, std::string_view name);
void SetWideStrProp(TObject* instance, std::string_view name, const std::wstring& value);

// The object of a class property when it is an instance of minClass (any
// object when minClass is null), else null.
TObject* GetObjectProp(const TObject* instance, std::string_view name,
                       const TClass* minClass = nullptr);
// Sets it when value is null or of the property's class; else nothing.
void SetObjectProp(TObject* instance, std::string_view name, TObject* value);

TMethod GetMethodProp(const TObject* instance, std::string_view name);
// Sets an event property to a method of the given signature; false (and
// nothing set) when the property is no event of that signature.
bool SetMethodProp(TObject* instance, std::string_view name, const TMethod& value,
                   const std::type_info& signature);
template <class Sig>
bool SetMethodProp(TObject* instance, std::string_view name, const TDelegate<Sig>& value)
{
    return SetMethodProp(instance, name, value.Method(), typeid(Sig));
}

// The value as text, by kind: integer in decimal, enumeration identifier,
// set "[a,b]", string as it is (wide strings converted); empty text for
// objects and methods.
std::string GetPropValue(const TObject* instance, std::string_view name);
// Sets a property from text, by kind: integer by the text-to-integer
// conversion (EConvertError "'x' is not a valid integer value"),
// enumeration by identifier, set from "[a,b]", strings as text; objects
// and methods are left alone.
void SetPropValue(TObject* instance, std::string_view name, const std::string& text);

}  // namespace fw
