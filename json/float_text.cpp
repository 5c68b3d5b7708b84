#include "json/float_text.h"

#include <cmath>

namespace json {

namespace {

// 10^0 .. 10^27 are exact in a 64-bit mantissa.
constexpr long double kPow10[] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
constexpr int kMaxExactPow = 27;

// x * 10^k; one rounding when |k| <= 27, else one per step of 10^27.
long double ScaleByPow10(long double x, int64_t k)
{
    while (k > kMaxExactPow && std::isfinite(x)) {
        x *= kPow10[kMaxExactPow];
        k -= kMaxExactPow;
    }
    while (k < -kMaxExactPow && x != 0) {
        x /= kPow10[kMaxExactPow];
        k += kMaxExactPow;
    }
    if (k >= 0) return x * kPow10[k > kMaxExactPow ? 0 : k];
    return x / kPow10[-k];
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void AppendUnsigned(std::string& out, uint64_t v)
{
    char buf[20];
    int n = 0;
    do {
        buf[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n > 0) out.push_back(buf[--n]);
}

}  // namespace

bool DecimalToExtended(bool negative, std::string_view digits, int64_t exponent,
                       long double& value)
{
    size_t i = 0;
    while (i < digits.size() && digits[i] == '0') ++i;
    uint64_t m = 0;
    size_t taken = 0;
    for (; i < digits.size() && taken < 19; ++i, ++taken) m = m * 10 + unsigned(digits[i] - '0');
    // Digits past the 19th only shift the exponent and round the mantissa.
    const size_t dropped = digits.size() - i;
    if (dropped > 0 && digits[i] >= '5') ++m;
    constexpr int64_t kClamp = int64_t{1} << 40;
    int64_t e = exponent;
    if (e > kClamp) e = kClamp;
    if (e < -kClamp) e = -kClamp;
    e += static_cast<int64_t>(dropped);

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
    std::string digits;
    int64_t exponent = 0;
    size_t mantissaDigits = 0;
    for (; i < t.size() && IsDigit(t[i]); ++i, ++mantissaDigits) digits.push_back(t[i]);
    if (i < t.size() && t[i] == '.') {
        for (++i; i < t.size() && IsDigit(t[i]); ++i, ++mantissaDigits) {
            digits.push_back(t[i]);
            --exponent;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) expNegative = t[i++] == '-';
        if (i == t.size() || !IsDigit(t[i])) return false;
        int64_t x = 0;
        for (; i < t.size() && IsDigit(t[i]); ++i)
            if (x < (int64_t{1} << 40)) x = x * 10 + (t[i] - '0');
        exponent += expNegative ? -x : x;
    }
    if (i != t.size()) return false;
    return DecimalToExtended(negative, digits, exponent, value);
}

void AppendExtended15(std::string& out, long double value)
{
    if (value == 0) {
        out.push_back('0');
        return;
    }
    if (value < 0) {
        out.push_back('-');
        value = -value;
    }
    if (value < 1e15L && value == std::floor(value)) {
        AppendUnsigned(out, static_cast<uint64_t>(value));
        return;
    }
    // Fifteen significant digits D (10^14 <= D < 10^15), value ~ D x 10^(e-14).
    int e2 = 0;
    std::frexp(value, &e2);
    int e = static_cast<int>(std::floor((e2 - 1) * 0.30102999566398120));
    long double s = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        s = ScaleByPow10(value, 14 - e);
        if (s >= 1e15L) ++e;
        else if (s < 1e14L) --e;
        else break;
    }
    const long double whole = std::floor(s);
    uint64_t d = static_cast<uint64_t>(whole) + (s - whole >= 0.5L ? 1 : 0);
    if (d >= 1000000000000000ull) {
        d /= 10;
        ++e;
    }
    char digits[15];
    for (int k = 14; k >= 0; --k) {
        digits[k] = static_cast<char>('0' + d % 10);
        d /= 10;
    }
    int n = 15;
    while (n > 1 && digits[n - 1] == '0') --n;

    if (e >= 15 || e < -4) {
        out.push_back(digits[0]);
        if (n > 1) {
            out.push_back('.');
            out.append(digits + 1, digits + n);
        }
        out.push_back('E');
        if (e < 0) out.push_back('-');
        AppendUnsigned(out, static_cast<uint64_t>(e < 0 ? -e : e));
    } else if (e >= 0) {
        const int whole_digits = e + 1;
        for (int k = 0; k < whole_digits; ++k) out.push_back(k < n ? digits[k] : '0');
        if (n > whole_digits) {
            out.push_back('.');
            out.append(digits + whole_digits, digits + n);
        }
    } else {
        out.append("0.");
        out.append(static_cast<size_t>(-e - 1), '0');
        out.append(digits, digits + n);
    }
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
