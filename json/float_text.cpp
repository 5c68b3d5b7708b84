#include "json/float_text.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace json {

namespace {

// 10^0 .. 10^27 are exact in a 64-bit mantissa.
constexpr long double kPow10[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                  1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L,
                                  1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
constexpr int kMaxExactPow = 27;

// x * 10^k; one rounding when |k| <= 27, else one per step of 10^27.
long double ScaleByPow10(long double x, int64_t k)
{
    while (k > kMaxExactPow) {
        if (std::isinf(x)) return x;
        x *= kPow10[kMaxExactPow];
        k -= kMaxExactPow;
    }
    while (k < -kMaxExactPow) {
        if (x == 0) return x;
        x /= kPow10[kMaxExactPow];
        k += kMaxExactPow;
    }
    return k >= 0 ? x * kPow10[k] : x / kPow10[-k];
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the decimal digits of v ending just before end; returns the start.
char* DigitsBefore(char* end, uint64_t v)
{
    while (v >= 100) {
        const auto pair = static_cast<unsigned>(v % 100) * 2;
        v /= 100;
        *--end = kDigitPairs[pair + 1];
        *--end = kDigitPairs[pair];
    }
    if (v >= 10) {
        const auto pair = static_cast<unsigned>(v) * 2;
        *--end = kDigitPairs[pair + 1];
        *--end = kDigitPairs[pair];
    } else {
        *--end = static_cast<char>('0' + v);
    }
    return end;
}

char* AppendUnsigned(char* out, uint64_t v)
{
    char buf[20];
    char* const end = buf + sizeof buf;
    const char* start = DigitsBefore(end, v);
    while (start < end) *out++ = *start++;
    return out;
}

}  // namespace

bool DecimalToExtended(bool negative, std::string_view whole, std::string_view fraction,
                       int64_t exponent, long double& value)
{
    // The significant digits run over both parts; leading zeros are skipped.
    const size_t total = whole.size() + fraction.size();
    auto digit = [&](size_t k) { return k < whole.size() ? whole[k] : fraction[k - whole.size()]; };
    size_t i = 0;
    while (i < total && digit(i) == '0') ++i;
    uint64_t m = 0;
    size_t taken = 0;
    for (; i < total && taken < 19; ++i, ++taken) m = m * 10 + unsigned(digit(i) - '0');
    // Digits past the 19th only shift the scale and round the mantissa.
    const size_t dropped = total - i;
    if (dropped > 0 && digit(i) >= '5') ++m;
    constexpr int64_t kClamp = int64_t{1} << 40;
    int64_t e = exponent;
    if (e > kClamp) e = kClamp;
    if (e < -kClamp) e = -kClamp;
    e += static_cast<int64_t>(dropped) - static_cast<int64_t>(fraction.size());

    long double v = 0;
    if (m != 0) {
        // Beyond these bounds the result is certainly infinite or zero.
        if (e > 5000) return false;
        v = e < -5000 ? 0.0L : ScaleByPow10(static_cast<long double>(m), e);
        if (std::isinf(v)) return false;
    }
    value = negative ? -v : v;
    return true;
}

bool TextToExtended(std::string_view text, long double& value)
{
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    const std::string_view t = text.substr(b, e - b);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    const size_t wholeStart = i;
    while (i < t.size() && IsDigit(t[i])) ++i;
    const std::string_view whole = t.substr(wholeStart, i - wholeStart);
    std::string_view fraction;
    if (i < t.size() && t[i] == '.') {
        const size_t fractionStart = ++i;
        while (i < t.size() && IsDigit(t[i])) ++i;
        fraction = t.substr(fractionStart, i - fractionStart);
    }
    if (whole.empty() && fraction.empty()) return false;
    int64_t exponent = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) expNegative = t[i++] == '-';
        if (i == t.size() || !IsDigit(t[i])) return false;
        for (; i < t.size() && IsDigit(t[i]); ++i)
            if (exponent < (int64_t{1} << 40)) exponent = exponent * 10 + (t[i] - '0');
        if (expNegative) exponent = -exponent;
    }
    if (i != t.size()) return false;
    return DecimalToExtended(negative, whole, fraction, exponent, value);
}

namespace {

// Writes 15 significant digits d (10^14 <= d < 10^15, value ~ d x 10^(e-14))
// in the general format.
char* LayOutDigits(char* out, uint64_t d, int e)
{
    char digits[15];
    DigitsBefore(digits + 15, d);  // d has exactly 15 digits
    int n = 15;
    while (n > 1 && digits[n - 1] == '0') --n;

    auto copy = [&](int from, int to) {
        for (int k = from; k < to; ++k) *out++ = digits[k];
    };
    if (e >= 15 || e < -4) {
        *out++ = digits[0];
        if (n > 1) {
            *out++ = '.';
            copy(1, n);
        }
        *out++ = 'E';
        if (e < 0) *out++ = '-';
        out = AppendUnsigned(out, static_cast<uint64_t>(e < 0 ? -e : e));
    } else if (e >= 0) {
        const int wholeDigits = e + 1;
        for (int k = 0; k < wholeDigits; ++k) *out++ = k < n ? digits[k] : '0';
        if (n > wholeDigits) {
            *out++ = '.';
            copy(wholeDigits, n);
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int k = 0; k < -e - 1; ++k) *out++ = '0';
        copy(0, n);
    }
    return out;
}

int FirstDigitEstimate(int e2)
{
    return static_cast<int>(std::floor((e2 - 1) * 0.30102999566398120));
}

constexpr uint64_t kPow10Int[] = {1ull,
                                  10ull,
                                  100ull,
                                  1000ull,
                                  10000ull,
                                  100000ull,
                                  1000000ull,
                                  10000000ull,
                                  100000000ull,
                                  1000000000ull,
                                  10000000000ull,
                                  100000000000ull,
                                  1000000000000ull,
                                  10000000000000ull,
                                  100000000000000ull,
                                  1000000000000000ull,
                                  10000000000000000ull,
                                  100000000000000000ull,
                                  1000000000000000000ull,
                                  10000000000000000000ull};

__extension__ typedef unsigned __int128 U128;

// The same digits as FormatScaled15 for a positive normal value of the
// common range (10^-5 up to 10^15), found with exact integer arithmetic
// instead of 80-bit scaling. value = mantissa x 2^exp2, mantissa with its
// top bit set. Answers false (nothing written) where the scaled value lies
// so close to a rounding or range boundary that the rounding error of the
// 80-bit route could decide it.
bool FormatExact15(char*& out, uint64_t mantissa, int exp2)
{
    const int shift = -exp2;  // value = mantissa / 2^shift
    if (shift <= 0 || shift > 127) return false;
    int e = FirstDigitEstimate(exp2 + 64);
    U128 whole = 0, fraction = 0;
    const U128 one = static_cast<U128>(1) << shift;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const int k = 14 - e;
        if (k < 0 || k > 19) return false;
        const U128 scaled = static_cast<U128>(mantissa) * kPow10Int[k];
        whole = scaled >> shift;
        fraction = scaled & (one - 1);
        if (whole >= kPow10Int[15])
            ++e;
        else if (whole < kPow10Int[14])
            --e;
        else
            break;
    }
    // Away from both ends of the range, so that neither the choice of e nor
    // a carry into a sixteenth digit can differ.
    if (whole <= kPow10Int[14] || whole >= kPow10Int[15] - 2) return false;
    // The 80-bit product is off by at most 2^-14 (the scaled value is below
    // 2^50); a fraction this far from one half rounds the same either way.
    if (shift < 13) return false;
    const U128 half = one >> 1, margin = one >> 12;
    if (fraction + margin >= half && fraction <= half + margin) return false;
    const uint64_t d = static_cast<uint64_t>(whole) + (fraction > half ? 1 : 0);
    out = LayOutDigits(out, d, e);
    return true;
}

}  // namespace

int FormatScaled15(char* buf, long double value)
{
    char* out = buf;
    if (value == 0) {
        *out++ = '0';
        return 1;
    }
    if (value < 0) {
        *out++ = '-';
        value = -value;
    }
    if (value < 1e15L) {
        const auto whole = static_cast<uint64_t>(value);
        if (static_cast<long double>(whole) == value) {
            out = AppendUnsigned(out, whole);
            return static_cast<int>(out - buf);
        }
    }
    // Fifteen significant digits D (10^14 <= D < 10^15), value ~ D x 10^(e-14).
    int e2 = 0;
    std::frexp(value, &e2);
    int e = FirstDigitEstimate(e2);
    long double s = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        s = ScaleByPow10(value, 14 - e);
        if (s >= 1e15L)
            ++e;
        else if (s < 1e14L)
            --e;
        else
            break;
    }
    const auto whole = static_cast<uint64_t>(s);
    uint64_t d = whole + (s - static_cast<long double>(whole) >= 0.5L ? 1 : 0);
    if (d >= 1000000000000000ull) {
        d /= 10;
        ++e;
    }
    out = LayOutDigits(out, d, e);
    return static_cast<int>(out - buf);
}

int FormatExtended15(char* buf, long double value)
{
    static_assert(std::numeric_limits<long double>::digits == 64, "80-bit long double");
    // The 80-bit layout: 64-bit mantissa with an explicit top bit, then sign
    // and a biased 15-bit exponent.
    uint64_t mantissa = 0;
    uint16_t signExp = 0;
    std::memcpy(&mantissa, &value, sizeof mantissa);
    std::memcpy(&signExp, reinterpret_cast<const char*>(&value) + sizeof mantissa, sizeof signExp);
    const int biased = signExp & 0x7FFF;
    if (biased == 0 || biased == 0x7FFF || !(mantissa >> 63)) return FormatScaled15(buf, value);
    char* out = buf;
    if (signExp & 0x8000) *out++ = '-';
    const int exp2 = biased - 16383 - 63;  // |value| = mantissa x 2^exp2
    if (exp2 >= 0) return FormatScaled15(buf, value);
    // Integral values below 10^15 are written whole.
    if (exp2 > -64 && (mantissa & ((uint64_t{1} << -exp2) - 1)) == 0) {
        const uint64_t whole = mantissa >> -exp2;
        if (whole < kPow10Int[15]) return static_cast<int>(AppendUnsigned(out, whole) - buf);
        return FormatScaled15(buf, value);
    }
    if (FormatExact15(out, mantissa, exp2)) return static_cast<int>(out - buf);
    return FormatScaled15(buf, value);
}

void AppendExtended15(std::string& out, long double value)
{
    char buf[kFloatTextMax];
    out.append(buf, static_cast<size_t>(FormatExtended15(buf, value)));
}

std::string FloatToStr15(long double value)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    std::string out;
    AppendExtended15(out, value);
    return out;
}

}  // namespace json
