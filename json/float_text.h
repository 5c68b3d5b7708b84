// Decimal text and 80-bit floats (long double): the general 15-digit format
// the library writes and the decimal conversion it reads. Always '.' as the
// decimal separator; nothing here looks at the locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace json {

// value = [-] whole.fraction x 10^exponent, where whole and fraction are runs
// of '0'..'9' (either may be empty, leading zeros allowed). False when the
// value is beyond the 80-bit range; values below it become 0 or subnormal.
// Correctly rounded for up to 19 significant digits and a decimal scale of
// at most 27 either way; beyond that within a few units in the last place
// of the 64-bit mantissa.
bool DecimalToExtended(bool negative, std::string_view whole, std::string_view fraction,
                       int64_t exponent, long double& value);

// A float text as the variant conversions take it: blanks around, optional
// sign, digits with an optional '.', optional exponent; at least one digit.
bool TextToExtended(std::string_view text, long double& value);

// Appends a finite value in the general format with 15 significant digits:
// no trailing zeros, integral values without a point, exponent form (1E20,
// 5E-5, 1.5E-7) above 15 integral digits or below 0.0001.
// FormatExtended15 writes the same into buf (at least kFloatTextMax bytes)
// and returns the length.
void AppendExtended15(std::string& out, long double value);
constexpr int kFloatTextMax = 32;
int FormatExtended15(char* buf, long double value);
// The same text through 80-bit scaling alone, for any finite value;
// FormatExtended15 takes a shorter exact route for common values and
// falls back on this one.
int FormatScaled15(char* buf, long double value);

// The same for any value: NaN gives "NAN", infinities "INF" and "-INF".
std::string FloatToStr15(long double value);

}  // namespace json
