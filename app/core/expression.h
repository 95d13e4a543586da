#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

/// An entry that does not evaluate; the message is the one the user sees, line break included.
class EEvaluateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Evaluates what the user typed in a number field: a number, or an expression with
/// ^ * / % & + - | = (four precedence levels, left-associative), parentheses, pi, e, $hex,
/// n! and the functions sin, sqrt, ln ... (radians). "2*(3+4)" -> 14, "2^3^2" -> 64.
/// Blanks and tabs are ignored. Division by zero and results that are not finite raise
/// EEvaluateError as well, so a bad entry never reaches the project as inf or nan.
double Evaluate(std::string_view text);
