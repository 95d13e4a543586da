#include "fortran_format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace engine {
namespace {

// Fixed text of any finite value below 1e300 with up to this many decimals fits the buffer.
constexpr int kMaxDecimals = 80;
constexpr int kFixedBuffer = 320 + kMaxDecimals;

// Powers of ten from 1e-22 to 1e22. Those from 1 up are exact in a double; the others are
// within half an ulp, which the margin of roundScaled allows for.
constexpr int kPowLow = -22, kPowHigh = 22;
constexpr double kPow10[] = {1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12,
                             1e-11, 1e-10, 1e-9,  1e-8,  1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,
                             1e0,   1e1,   1e2,   1e3,   1e4,   1e5,   1e6,   1e7,   1e8,   1e9,   1e10,
                             1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,  1e21,
                             1e22};
double pow10(int k) { return kPow10[k - kPowLow]; }

constexpr std::uint64_t kPow10Int[] = {1,
                                       10,
                                       100,
                                       1000,
                                       10000,
                                       100000,
                                       1000000,
                                       10000000,
                                       100000000,
                                       1000000000,
                                       10000000000,
                                       100000000000,
                                       1000000000000,
                                       10000000000000,
                                       100000000000000,
                                       1000000000000000};
constexpr int kFastDigits = 15; // digits the fast way produces at most

char *stars(char *out, int width)
{
    if (width <= 0)
        return out;
    std::memset(out, '*', static_cast<std::size_t>(width));
    return out + width;
}

char *blanks(char *out, int count)
{
    for (int i = 0; i < count; ++i)
        *out++ = ' ';
    return out;
}

char *digitsOf(char *out, std::uint64_t value, int count)
{
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + count;
}

// value / 10^k; the usual few decimals divide by a constant, which costs a multiplication.
std::uint64_t dividedByPow10(std::uint64_t value, int k)
{
    switch (k) {
    case 0: return value;
    case 1: return value / 10;
    case 2: return value / 100;
    case 3: return value / 1000;
    case 4: return value / 10000;
    default: return value / kPow10Int[k];
    }
}

int digitCount(std::uint64_t value)
{
    int n = 1;
    while (n <= kFastDigits && value >= kPow10Int[n])
        ++n;
    return n;
}

// Fortran may omit the zero before the point; it does so only when the field needs the room.
bool droppableZero(const char *text, int len)
{
    const int at = text[0] == '-' ? 1 : 0;
    return len > at + 1 && text[at] == '0' && text[at + 1] == '.';
}

char *fit(char *out, char *text, int len, int width)
{
    if (width <= 0)
        return out;
    if (len > width && droppableZero(text, len)) {
        const int at = text[0] == '-' ? 1 : 0;
        std::memmove(text + at, text + at + 1, static_cast<std::size_t>(len - at - 1));
        --len;
    }
    if (len > width)
        return stars(out, width);
    std::memcpy(blanks(out, width - len), text, static_cast<std::size_t>(len));
    return out + width;
}

// t = |x| 10^k as computed (at most two roundings), rounded to a whole number as the exact
// product would be. False when t lies too near a half to tell (exact binary ties among them)
// or is too large: std::to_chars decides those.
bool roundScaled(double t, std::uint64_t &whole)
{
    if (!(t >= 0 && t < 0x1p52))
        return false;
    const std::uint64_t below = static_cast<std::uint64_t>(t); // floor, t not being negative
    const double fraction = t - static_cast<double>(below);
    if (std::fabs(fraction - 0.5) <= t * 0x1p-50 + 0x1p-60)
        return false;
    whole = below + (fraction > 0.5 ? 1 : 0);
    return true;
}

// The first `count` significant digits of x > 0, correctly rounded, and the decimal exponent
// of the first: x ~ D.DD x 10^exponent. False when the fast way cannot be sure.
bool significantDigits(double x, int count, std::uint64_t &digits, int &exponent)
{
    if (count > kFastDigits)
        return false;
    const int field = static_cast<int>(std::bit_cast<std::uint64_t>(x) >> 52) & 0x7ff;
    if (field == 0)
        return false; // subnormal
    // x lies in [2^e2, 2^(e2 + 1)); floor(log10 x) is floor(e2 log10 2) or one more. A guess
    // one off shows in the count of digits and is put right.
    const int e2 = field - 1023;
    int e10 = (e2 * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = count - 1 - e10;
        if (k < kPowLow || k > kPowHigh)
            return false;
        std::uint64_t r = 0;
        if (!roundScaled(x * pow10(k), r))
            return false;
        if (r < kPow10Int[count - 1]) {
            --e10;
            continue;
        }
        if (r > kPow10Int[count]) {
            ++e10;
            continue;
        }
        if (r == kPow10Int[count]) { // 9.996 to three digits is 1.00 of the next decade
            r = kPow10Int[count - 1];
            ++e10;
        }
        digits = r;
        exponent = e10;
        return true;
    }
    return false;
}

// "%#.*f" without the locale: the point is kept when there are no decimals. -1 when the
// text does not fit the buffer.
int fixedText(char *buf, double value, int decimals)
{
    const auto [end, ec] = std::to_chars(buf, buf + kFixedBuffer - 1, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return -1;
    char *last = end;
    if (decimals == 0)
        *last++ = '.';
    return static_cast<int>(last - buf);
}

} // namespace

char *putF(char *out, double value, int width, int decimals)
{
    if (width <= 0)
        return out;
    if (!std::isfinite(value) || std::fabs(value) >= 1e300 || decimals > kMaxDecimals)
        return stars(out, width);
    if (value == 0.0)
        value = 0.0; // no "-0." for a negative zero
    decimals = std::max(decimals, 0);
    // A value of 10^w or more has more integer digits than the field has room.
    if (width <= kPowHigh && std::fabs(value) >= pow10(width))
        return stars(out, width);
    std::uint64_t whole = 0;
    if (decimals <= kPowHigh && decimals < kFastDigits && roundScaled(std::fabs(value) * pow10(decimals), whole)) {
        const bool negative = std::signbit(value);
        const std::uint64_t integer = dividedByPow10(whole, decimals);
        const int integerDigits = digitCount(integer);
        int len = (negative ? 1 : 0) + integerDigits + 1 + decimals;
        const bool dropZero = len > width && integer == 0;
        if (dropZero)
            --len;
        if (len > width)
            return stars(out, width);
        char *p = blanks(out, width - len);
        if (negative)
            *p++ = '-';
        if (!dropZero)
            p = digitsOf(p, integer, integerDigits);
        *p++ = '.';
        digitsOf(p, whole - integer * kPow10Int[decimals], decimals);
        return out + width;
    }
    char buf[kFixedBuffer];
    const int len = fixedText(buf, value, decimals);
    if (len < 0)
        return stars(out, width);
    return fit(out, buf, len, width);
}

char *putFWide(char *out, double value, int width, int decimals)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e300 || decimals > kMaxDecimals)
        return stars(out, width);
    if (value == 0.0)
        value = 0.0;
    decimals = std::max(decimals, 0);
    char buf[kFixedBuffer];
    const int len = fixedText(buf, value, decimals);
    if (len < 0 || len > kWideMax)
        return stars(out, width);
    const int needed = droppableZero(buf, len) ? len - 1 : len;
    if (needed <= width)
        return fit(out, buf, len, width);
    std::memcpy(out, buf, static_cast<std::size_t>(len));
    return out + len;
}

char *putE(char *out, double value, int width, int decimals)
{
    if (width <= 0)
        return out;
    if (!std::isfinite(value) || decimals < 1 || decimals > kMaxDecimals)
        return stars(out, width);
    // d significant digits and the exponent of the form 0.ddd x 10^exponent.
    char digits[kMaxDecimals + 16];
    int exponent = 0;
    std::uint64_t fast = 0;
    int e10 = 0;
    if (value == 0.0) {
        std::memset(digits, '0', static_cast<std::size_t>(decimals));
    } else if (significantDigits(std::fabs(value), decimals, fast, e10)) {
        digitsOf(digits, fast, decimals);
        exponent = e10 + 1;
    } else {
        // d.ddde+xx from the library, read back.
        char sci[kMaxDecimals + 16];
        const auto [end, ec] =
            std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, decimals - 1);
        if (ec != std::errc())
            return stars(out, width);
        digits[0] = sci[0];
        const char *e = sci + 1;
        if (decimals > 1) {
            std::memcpy(digits + 1, sci + 2, static_cast<std::size_t>(decimals - 1));
            e = sci + decimals + 1;
        }
        int magnitude = 0;
        for (const char *c = e + 2; c < end; ++c)
            magnitude = magnitude * 10 + (*c - '0');
        exponent = (e[1] == '-' ? -magnitude : magnitude) + 1;
    }
    // [-]0.ddd then E+xx, or +xxx when the exponent has three digits: four characters either way.
    const int absExp = exponent < 0 ? -exponent : exponent;
    if (absExp > 999)
        return stars(out, width);
    const bool negative = value < 0;
    int len = (negative ? 1 : 0) + 2 + decimals + 4;
    const bool dropZero = len > width;
    if (dropZero)
        --len;
    if (len > width)
        return stars(out, width);
    char *p = blanks(out, width - len);
    if (negative)
        *p++ = '-';
    if (!dropZero)
        *p++ = '0';
    *p++ = '.';
    std::memcpy(p, digits, static_cast<std::size_t>(decimals));
    p += decimals;
    const char sign = exponent < 0 ? '-' : '+';
    if (absExp <= 99) {
        *p++ = 'E';
        *p++ = sign;
    } else {
        *p++ = sign;
        *p++ = static_cast<char>('0' + absExp / 100);
    }
    *p++ = static_cast<char>('0' + absExp / 10 % 10);
    *p = static_cast<char>('0' + absExp % 10);
    return out + width;
}

char *putI(char *out, long long value, int width)
{
    if (width <= 0)
        return out;
    char buf[24];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    const int len = static_cast<int>(end - buf);
    if (ec != std::errc() || len > width)
        return stars(out, width);
    std::memcpy(blanks(out, width - len), buf, static_cast<std::size_t>(len));
    return out + width;
}

char *putA(char *out, std::string_view text, int width)
{
    if (width <= 0)
        return out;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(width));
    std::memcpy(out, text.data(), n);
    std::memset(out + n, ' ', static_cast<std::size_t>(width) - n);
    return out + width;
}

namespace {

template <class Put>
std::string field(int room, Put put)
{
    std::string s(static_cast<std::size_t>(std::max(room, 0)), ' ');
    s.resize(static_cast<std::size_t>(put(s.data()) - s.data()));
    return s;
}

} // namespace

std::string fmtF(double value, int width, int decimals)
{
    return field(width, [&](char *p) { return putF(p, value, width, decimals); });
}

std::string fmtFWide(double value, int width, int decimals)
{
    return field(std::max(width, 0) + kWideMax, [&](char *p) { return putFWide(p, value, width, decimals); });
}

std::string fmtE(double value, int width, int decimals)
{
    return field(width, [&](char *p) { return putE(p, value, width, decimals); });
}

std::string fmtI(long long value, int width)
{
    return field(width, [&](char *p) { return putI(p, value, width); });
}

std::string fmtA(std::string_view text, int width)
{
    return field(width, [&](char *p) { return putA(p, text, width); });
}

} // namespace engine
