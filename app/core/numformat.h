#pragma once

#include <optional>
#include <string>
#include <string_view>

/// A real as project files hold it: at most 8 significant digits in the shortest form, "."
/// always; exponent form ("1.2E-6", "3.5E10") below 0.00001 in magnitude or when more than 8
/// digits stand before the point. Zero (also -0) is "0".
std::string formatFileReal(double value);

/// The shortest text that reads back as value, with the same exponent rule at 18 digits;
/// what entry fields and the evaluator show.
std::string formatNumber(double value);

/// value rounded to digits significant decimal digits (1 to 17); zero, infinities and NaN
/// stay as they are.
double roundSignificant(double value, int digits);

/// The whole text as a decimal real, C locale: optional sign, exponent allowed. Empty text,
/// trailing characters, "inf", "nan" and values beyond the range of double give nothing.
std::optional<double> parseReal(std::string_view text);
