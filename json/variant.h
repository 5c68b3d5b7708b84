// The variant values the node tree converts to and from: empty, null,
// 32-bit integer, double, Boolean, wide string (OleStr) and 8-bit GBK string.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "rtl/sysutils.h"

namespace json {

// "Could not convert variant of type (Null) into type (Double)".
class EVariantTypeCastError : public rtl::Exception {
public:
    using Exception::Exception;
};

enum class VarType { Empty, Null, Integer, Double, Boolean, OleStr, String };

class Variant {
public:
    Variant() = default;
    Variant(int32_t v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(bool v) : value_(v) {}
    Variant(std::u16string v) : value_(std::move(v)) {}
    Variant(const char16_t* v) : value_(std::u16string(v)) {}
    Variant(const char*) = delete;  // 8-bit text goes through FromString
    // 8-bit (GBK) text.
    static Variant FromString(std::string v);
    static Variant Null();

    VarType Type() const;
    bool IsNumeric() const { return Type() == VarType::Integer || Type() == VarType::Double; }
    bool IsText() const { return Type() == VarType::OleStr || Type() == VarType::String; }

    int32_t AsIntegerValue() const { return std::get<int32_t>(value_); }
    double AsDoubleValue() const { return std::get<double>(value_); }

    // Conversions by the variant rules; EVariantTypeCastError when none.
    double ToDouble() const;
    std::u16string ToWideString() const;
    bool ToBoolean() const;

    bool operator==(const Variant&) const = default;

private:
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    using Storage =
        std::variant<std::monostate, NullTag, int32_t, double, bool, std::u16string, std::string>;
    explicit Variant(Storage v) : value_(std::move(v)) {}
    [[noreturn]] void CastError(VarType target) const;

    Storage value_;
};

const char* VarTypeName(VarType type);

}  // namespace json
