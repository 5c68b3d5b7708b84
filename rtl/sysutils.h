// Portable runtime: exceptions with a message text, trimming and the
// integer conversions the programs use. 8-bit strings are std::string
// holding GBK bytes; nothing here looks at the machine's locale.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rtl {

// Base of every exception the programs raise on purpose. The message text
// (GBK bytes) is what the application's exception box shows.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A text that is no number, or a number out of range.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Removes leading and trailing bytes at or below a blank (control codes
// included), as the 8-bit Trim does. GBK lead and trail bytes are all
// above 80h, so a double-byte character is never cut.
std::string Trim(std::string_view s);
// Trim without the copy: the part of s that Trim would return.
std::string_view TrimView(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

std::string IntToStr(int64_t value);

// Decimal with an optional sign, or hexadecimal after '$' or "0x";
// leading blanks are skipped, anything else (trailing blanks included)
// is refused. Raises EConvertError "'<text>' is not a valid integer value".
int32_t StrToInt(std::string_view s);
// The same conversion that reports failure by its result.
bool TryStrToInt(std::string_view s, int32_t& value);
int32_t StrToIntDef(std::string_view s, int32_t fallback);

}  // namespace rtl
