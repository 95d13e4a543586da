#include "fortran_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace engine {
namespace {

std::string stars(int width) { return std::string(width > 0 ? width : 0, '*'); }

std::string padLeft(const std::string &s, int width)
{
    if (static_cast<int>(s.size()) >= width)
        return s;
    return std::string(width - s.size(), ' ') + s;
}

// Fortran may omit the zero before the point; it does so only when the field needs the room.
std::string fitOptionalZero(std::string s, int width)
{
    if (static_cast<int>(s.size()) > width) {
        const std::size_t at = (s[0] == '-') ? 1 : 0;
        if (s.size() > at + 1 && s[at] == '0' && s[at + 1] == '.')
            s.erase(at, 1);
    }
    if (static_cast<int>(s.size()) > width)
        return stars(width);
    return padLeft(s, width);
}

} // namespace

std::string fmtF(double value, int width, int decimals)
{
    if (!std::isfinite(value))
        return stars(width);
    if (value == 0.0)
        value = 0.0; // no "-0." for a negative zero
    char buf[512];
    if (std::fabs(value) >= 1e300)
        return stars(width);
    std::snprintf(buf, sizeof buf, "%#.*f", decimals, value);
    return fitOptionalZero(buf, width);
}

std::string fmtFWide(double value, int width, int decimals)
{
    const std::string s = fmtF(value, width, decimals);
    if (!std::isfinite(value) || s.find_first_not_of('*') != std::string::npos || std::fabs(value) >= 1e300)
        return s;
    char buf[512];
    std::snprintf(buf, sizeof buf, "%#.*f", decimals, value == 0.0 ? 0.0 : value);
    return buf;
}

std::string fmtE(double value, int width, int decimals)
{
    if (!std::isfinite(value) || decimals < 1)
        return stars(width);
    std::string digits;
    int exponent = 0;
    bool negative = false;
    if (value != 0.0) {
        negative = value < 0;
        char buf[64];
        // d significant digits as d.ddd, then shift the point one place left.
        std::snprintf(buf, sizeof buf, "%.*E", decimals - 1, std::fabs(value));
        const char *e = buf;
        while (*e && *e != 'E')
            ++e;
        for (const char *c = buf; c < e; ++c)
            if (*c >= '0' && *c <= '9')
                digits += *c;
        exponent = std::atoi(e + 1) + 1;
    } else {
        digits.assign(decimals, '0');
    }
    std::string s = negative ? "-0." : "0.";
    s += digits;
    char expBuf[16];
    const int absExp = exponent < 0 ? -exponent : exponent;
    if (absExp <= 99)
        std::snprintf(expBuf, sizeof expBuf, "E%c%02d", exponent < 0 ? '-' : '+', absExp);
    else if (absExp <= 999)
        std::snprintf(expBuf, sizeof expBuf, "%c%03d", exponent < 0 ? '-' : '+', absExp);
    else
        return stars(width);
    s += expBuf;
    return fitOptionalZero(s, width);
}

std::string fmtI(long long value, int width)
{
    const std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) > width)
        return stars(width);
    return padLeft(s, width);
}

std::string fmtA(const std::string &text, int width)
{
    if (static_cast<int>(text.size()) >= width)
        return text.substr(0, width);
    return text + std::string(width - text.size(), ' ');
}

} // namespace engine
