#include "fortran_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace engine {
namespace {

// Powers of ten that doubles hold exactly: 10^w or more cannot fit an F field of width w.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kPow10Count = static_cast<int>(sizeof kPow10 / sizeof kPow10[0]);

// Fixed text of any finite value below 1e300 with up to this many decimals fits the buffer.
constexpr int kMaxDecimals = 80;
constexpr int kFixedBuffer = 320 + kMaxDecimals;

char *stars(char *out, int width)
{
    if (width <= 0)
        return out;
    std::memset(out, '*', static_cast<std::size_t>(width));
    return out + width;
}

char *padded(char *out, const char *text, int len, int width)
{
    std::memset(out, ' ', static_cast<std::size_t>(width - len));
    std::memcpy(out + (width - len), text, static_cast<std::size_t>(len));
    return out + width;
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
    return padded(out, text, len, width);
}

// The scaled value t = |x| 10^k, computed with one rounding, rounded to a whole number as the
// exact product would be. False when t lies too near a half for one rounding to tell (exact
// binary ties among them): std::to_chars decides those.
bool roundScaled(double t, std::uint64_t &whole)
{
    if (!(t < 0x1p52))
        return false;
    const double below = std::floor(t);
    const double fraction = t - below;
    if (std::fabs(fraction - 0.5) <= t * 0x1p-50 + 0x1p-60)
        return false;
    whole = static_cast<std::uint64_t>(below) + (fraction > 0.5 ? 1 : 0);
    return true;
}

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
constexpr int kFastDigits = 15;

char *digitsOf(char *out, std::uint64_t value, int count)
{
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + count;
}

// "%#.*f" without the locale: the point is kept when there are no decimals. -1 when the
// text does not fit the buffer.
int fixedText(char *buf, double value, int decimals)
{
    std::uint64_t whole = 0;
    if (decimals <= kFastDigits && roundScaled(std::fabs(value) * kPow10[decimals], whole)) {
        char *p = buf;
        if (std::signbit(value))
            *p++ = '-';
        const std::uint64_t scale = kPow10Int[decimals];
        p = std::to_chars(p, buf + kFixedBuffer, whole / scale).ptr;
        *p++ = '.';
        p = digitsOf(p, whole % scale, decimals);
        return static_cast<int>(p - buf);
    }
    const auto [end, ec] = std::to_chars(buf, buf + kFixedBuffer - 1, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return -1;
    char *last = end;
    if (decimals == 0)
        *last++ = '.';
    return static_cast<int>(last - buf);
}

// Powers of ten for a first guess at a decimal exponent; those below 1 are not exact, which
// only ever makes the guess one off, and the digits' count shows that.
constexpr int kGuessLow = -40, kGuessHigh = 40;
constexpr double kGuessPow10[] = {
    1e-40, 1e-39, 1e-38, 1e-37, 1e-36, 1e-35, 1e-34, 1e-33, 1e-32, 1e-31, 1e-30, 1e-29, 1e-28, 1e-27,
    1e-26, 1e-25, 1e-24, 1e-23, 1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13,
    1e-12, 1e-11, 1e-10, 1e-9,  1e-8,  1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,
    1e2,   1e3,   1e4,   1e5,   1e6,   1e7,   1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15,
    1e16,  1e17,  1e18,  1e19,  1e20,  1e21,  1e22,  1e23,  1e24,  1e25,  1e26,  1e27,  1e28,  1e29,
    1e30,  1e31,  1e32,  1e33,  1e34,  1e35,  1e36,  1e37,  1e38,  1e39,  1e40};

// The first `count` significant digits of x > 0, correctly rounded, and the decimal exponent
// of the first: x ~ 0.DDD x 10^(exponent + 1). False when the fast way cannot be sure.
bool significantDigits(double x, int count, std::uint64_t &digits, int &exponent)
{
    if (count > kFastDigits)
        return false;
    int e2 = 0;
    std::frexp(x, &e2); // x in [2^(e2 - 1), 2^e2)
    // floor(log10 x) is floor((e2 - 1) log10 2) or one more.
    int e10 = static_cast<int>(std::floor((e2 - 1) * 0.30102999566398120));
    if (e10 < kGuessLow || e10 >= kGuessHigh)
        return false;
    if (x >= kGuessPow10[e10 + 1 - kGuessLow])
        ++e10;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = count - 1 - e10;
        double t;
        if (k >= 0 && k < kPow10Count)
            t = x * kPow10[k];
        else if (k < 0 && -k < kPow10Count)
            t = x / kPow10[-k];
        else
            return false;
        std::uint64_t r = 0;
        if (!roundScaled(t, r))
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
    if (width < kPow10Count && std::fabs(value) >= kPow10[width])
        return stars(out, width);
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
    // [-]0.ddd then E+xx, or +xxx when the exponent has three digits.
    char text[kMaxDecimals + 16];
    int len = 0;
    int exponent = 0;
    if (value != 0.0) {
        if (value < 0)
            text[len++] = '-';
        text[len++] = '0';
        text[len++] = '.';
        std::uint64_t digits = 0;
        int e10 = 0;
        if (significantDigits(std::fabs(value), decimals, digits, e10)) {
            len = static_cast<int>(digitsOf(text + len, digits, decimals) - text);
            exponent = e10 + 1;
        } else {
            // d significant digits as d.ddde+xx, then shift the point one place left.
            char sci[kMaxDecimals + 16];
            const auto [end, ec] =
                std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, decimals - 1);
            if (ec != std::errc())
                return stars(out, width);
            text[len++] = sci[0];
            const char *e = sci + 1;
            if (decimals > 1) {
                std::memcpy(text + len, sci + 2, static_cast<std::size_t>(decimals - 1));
                len += decimals - 1;
                e = sci + decimals + 1;
            }
            int magnitude = 0;
            for (const char *c = e + 2; c < end; ++c)
                magnitude = magnitude * 10 + (*c - '0');
            exponent = (e[1] == '-' ? -magnitude : magnitude) + 1;
        }
    } else {
        text[len++] = '0';
        text[len++] = '.';
        std::memset(text + len, '0', static_cast<std::size_t>(decimals));
        len += decimals;
    }
    const int absExp = exponent < 0 ? -exponent : exponent;
    const char sign = exponent < 0 ? '-' : '+';
    if (absExp <= 99) {
        text[len++] = 'E';
        text[len++] = sign;
        text[len++] = static_cast<char>('0' + absExp / 10);
        text[len++] = static_cast<char>('0' + absExp % 10);
    } else if (absExp <= 999) {
        text[len++] = sign;
        text[len++] = static_cast<char>('0' + absExp / 100);
        text[len++] = static_cast<char>('0' + absExp / 10 % 10);
        text[len++] = static_cast<char>('0' + absExp % 10);
    } else {
        return stars(out, width);
    }
    return fit(out, text, len, width);
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
    return padded(out, buf, len, width);
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
