#include "json/float_text.h"

#include <cmath>

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

int FormatExtended15(char* buf, long double value)
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
    int e = static_cast<int>(std::floor((e2 - 1) * 0.30102999566398120));
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
    return static_cast<int>(out - buf);
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
