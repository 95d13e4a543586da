#pragma once

#include <string>

namespace engine {

/// Fortran edit descriptors as the report and plot files need them. A value that does not
/// fit its width gives w asterisks, as Fortran does; so do NaN and infinity.

/// Fw.d: fixed point, rounded to d decimals, right-aligned. d = 0 keeps the point ("88.").
/// The leading zero of a value below 1 is dropped only when the width needs it.
std::string fmtF(double value, int width, int decimals);

/// Fw.d where a value too wide for w takes the room it needs, for lines that no column
/// layout holds (summaries); NaN and infinity still give asterisks.
std::string fmtFWide(double value, int width, int decimals);

/// Ew.d: " 0.123E+03"; a three-digit exponent drops the E ("0.123+100").
std::string fmtE(double value, int width, int decimals);

/// Iw: integer, right-aligned.
std::string fmtI(long long value, int width);

/// Aw: text cut to w characters or padded with blanks on the right.
std::string fmtA(const std::string &text, int width);

} // namespace engine
