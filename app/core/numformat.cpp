#include "numformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// digits: significant digits without trailing zeros; exponent: power of ten of the first.
std::string generalForm(bool negative, std::string digits, int exponent, int precision)
{
    std::string out = negative ? "-" : "";
    if (exponent < -5 || exponent + 1 > precision) {
        out += digits[0];
        if (digits.size() > 1)
            out += '.' + digits.substr(1);
        out += 'E' + std::to_string(exponent);
    } else if (exponent >= 0) {
        const size_t before = size_t(exponent) + 1;
        if (digits.size() <= before)
            out += digits + std::string(before - digits.size(), '0');
        else
            out += digits.substr(0, before) + '.' + digits.substr(before);
    } else {
        out += "0." + std::string(size_t(-exponent - 1), '0') + digits;
    }
    return out;
}

// Scientific text from std::to_chars ("-1.2345e-06") into digits and exponent.
std::string fromScientific(const char *first, const char *last, int precision)
{
    bool negative = false;
    if (*first == '-') {
        negative = true;
        ++first;
    }
    std::string digits;
    const char *p = first;
    for (; p != last && *p != 'e'; ++p)
        if (*p != '.')
            digits += *p;
    int exponent = 0;
    if (p != last) {
        const char *e = p + 1;
        if (e != last && *e == '+')
            ++e;
        std::from_chars(e, last, exponent); // to_chars writes no terminating zero
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (digits == "0")
        return "0";
    return generalForm(negative, digits, exponent, precision);
}

} // namespace

std::string formatFileReal(double value)
{
    if (value == 0 || !std::isfinite(value))
        return "0";
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 7);
    return fromScientific(buffer, r.ptr, 8);
}

std::string formatNumber(double value)
{
    if (value == 0 || !std::isfinite(value))
        return "0";
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return fromScientific(buffer, r.ptr, 18);
}

std::optional<double> parseReal(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    double value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double roundSignificant(double value, int digits)
{
    if (value == 0 || !std::isfinite(value))
        return value;
    // Through the decimal text, so the result is the double nearest the rounded decimal.
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                   std::clamp(digits, 1, 17) - 1).ptr;
    double rounded = value;
    std::from_chars(buffer, end, rounded);
    return rounded;
}
