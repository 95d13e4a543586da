#pragma once

#include <string>
#include <string_view>

namespace engine {

/// Fortran edit descriptors as the report and plot files need them. A value that does not
/// fit its width gives w asterisks, as Fortran does; so do NaN and infinity. Digits are
/// correctly rounded from the exact binary value (ties to even), in no locale.
///
/// The put* writers fill exactly `width` characters at `out` (nothing for a width of 0 or
/// less) and return the end; the fmt* forms return the same characters as a string.

/// Fw.d: fixed point, rounded to d decimals, right-aligned. d = 0 keeps the point ("88.").
/// The leading zero of a value below 1 is dropped only when the width needs it.
char *putF(char *out, double value, int width, int decimals);
std::string fmtF(double value, int width, int decimals);

/// Fw.d where a value too wide for w takes the room it needs, for lines that no column
/// layout holds (summaries); NaN and infinity still give asterisks. Writes at most
/// kWideMax characters.
inline constexpr int kWideMax = 400;
char *putFWide(char *out, double value, int width, int decimals);
std::string fmtFWide(double value, int width, int decimals);

/// Ew.d: " 0.123E+03"; a three-digit exponent drops the E ("0.123+100").
char *putE(char *out, double value, int width, int decimals);
std::string fmtE(double value, int width, int decimals);

/// Iw: integer, right-aligned.
char *putI(char *out, long long value, int width);
std::string fmtI(long long value, int width);

/// Aw: text cut to w characters or padded with blanks on the right.
char *putA(char *out, std::string_view text, int width);
std::string fmtA(std::string_view text, int width);

} // namespace engine
