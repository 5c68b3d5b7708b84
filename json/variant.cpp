#include "json/variant.h"

#include <cmath>

#include "json/float_text.h"
#include "rtl/gbk.h"

namespace json {

namespace {

// Text of only ASCII units, lower-cased, for the Boolean words.
bool AsciiLower(const std::u16string& s, std::string& out)
{
    out.clear();
    for (char16_t c : s) {
        if (c > 0x7F) return false;
        out.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
    }
    return true;
}

}  // namespace

const char* VarTypeName(VarType type)
{
    switch (type) {
    case VarType::Empty: return "Empty";
    case VarType::Null: return "Null";
    case VarType::Integer: return "Integer";
    case VarType::Double: return "Double";
    case VarType::Boolean: return "Boolean";
    case VarType::OleStr: return "OleStr";
    case VarType::String: return "String";
    }
    return "Unknown";
}

Variant Variant::FromString(std::string v) { return Variant(Storage(std::move(v))); }
Variant Variant::Null() { return Variant(Storage(NullTag{})); }

VarType Variant::Type() const { return static_cast<VarType>(value_.index()); }

void Variant::CastError(VarType target) const
{
    throw EVariantTypeCastError(std::string("Could not convert variant of type (") +
                                VarTypeName(Type()) + ") into type (" + VarTypeName(target) + ")");
}

double Variant::ToDouble() const
{
    switch (Type()) {
    case VarType::Empty: return 0;
    case VarType::Integer: return std::get<int32_t>(value_);
    case VarType::Double: return std::get<double>(value_);
    case VarType::Boolean: return std::get<bool>(value_) ? -1 : 0;
    case VarType::OleStr:
    case VarType::String: {
        std::string text;
        if (Type() == VarType::String) {
            text = std::get<std::string>(value_);
        } else if (!AsciiLower(std::get<std::u16string>(value_), text)) {
            break;
        }
        long double v = 0;
        if (TextToExtended(text, v) && std::isfinite(static_cast<double>(v)))
            return static_cast<double>(v);
        break;
    }
    case VarType::Null: break;
    }
    CastError(VarType::Double);
}

std::u16string Variant::ToWideString() const
{
    switch (Type()) {
    case VarType::Empty: return {};
    case VarType::Integer: return rtl::GbkToUtf16(rtl::IntToStr(std::get<int32_t>(value_)));
    case VarType::Double: return rtl::GbkToUtf16(FloatToStr15(std::get<double>(value_)));
    case VarType::Boolean: return std::get<bool>(value_) ? u"True" : u"False";
    case VarType::OleStr: return std::get<std::u16string>(value_);
    case VarType::String: return rtl::GbkToUtf16(std::get<std::string>(value_));
    case VarType::Null: break;
    }
    CastError(VarType::OleStr);
}

bool Variant::ToBoolean() const
{
    switch (Type()) {
    case VarType::Empty: return false;
    case VarType::Integer: return std::get<int32_t>(value_) != 0;
    case VarType::Double: return std::get<double>(value_) != 0;
    case VarType::Boolean: return std::get<bool>(value_);
    case VarType::OleStr:
    case VarType::String: {
        std::string word;
        const std::u16string wide = ToWideString();
        if (AsciiLower(wide, word)) {
            const std::string trimmed = rtl::Trim(word);
            if (trimmed == "true") return true;
            if (trimmed == "false") return false;
            long double v = 0;
            if (TextToExtended(trimmed, v)) return v != 0;
        }
        break;
    }
    case VarType::Null: break;
    }
    CastError(VarType::Boolean);
}

}  // namespace json
