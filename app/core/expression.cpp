#include "expression.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <vector>

#include "numformat.h"

namespace {

const std::string kPrefix = "Entry could not be evaluated:\r";

[[noreturn]] void fail(const char *why)
{
    throw EEvaluateError(kPrefix + why);
}

double finite(double value)
{
    if (std::isnan(value))
        fail("invalid floating point operation");
    if (std::isinf(value))
        fail("floating point overflow");
    return value;
}

struct Function {
    const char *name;
    double (*apply)(double);
};

const Function kFunctions[] = {
    {"arctanh", [](double x) { return std::atanh(x); }},
    {"arctan", [](double x) { return std::atan(x); }},
    {"cotan", [](double x) { return 1 / std::tan(x); }},
    {"tanh", [](double x) { return std::tanh(x); }},
    {"tan", [](double x) { return std::tan(x); }},
    {"arccosh", [](double x) { return std::acosh(x); }},
    {"arccos", [](double x) { return std::acos(x); }},
    {"cosh", [](double x) { return std::cosh(x); }},
    {"cos", [](double x) { return std::cos(x); }},
    {"sec", [](double x) { return 1 / std::cos(x); }},
    {"arcsinh", [](double x) { return std::asinh(x); }},
    {"arcsin", [](double x) { return std::asin(x); }},
    {"sinh", [](double x) { return std::sinh(x); }},
    {"sin", [](double x) { return std::sin(x); }},
    {"cosec", [](double x) { return 1 / std::sin(x); }},
    {"csc", [](double x) { return 1 / std::sin(x); }},
    {"abs", [](double x) { return std::fabs(x); }},
    {"frac", [](double x) { return x - std::trunc(x); }},
    {"int", [](double x) { return std::trunc(x); }},
    {"ln", [](double x) { return std::log(x); }},
    {"round", [](double x) { return std::nearbyint(x); }}, // default rounding: halves to even
    {"ceil", [](double x) { return std::ceil(x); }},
    {"floor", [](double x) { return std::floor(x); }},
    {"log", [](double x) { return std::log10(x); }},
    {"sqrt", [](double x) { return std::sqrt(x); }},
};

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isFunctionName(std::string_view text)
{
    const std::string name = lower(text);
    return std::any_of(std::begin(kFunctions), std::end(kFunctions), [&](const Function &f) { return name == f.name; });
}

double evaluateText(std::string text);

double hexValue(std::string_view digits)
{
    bool negative = false;
    if (!digits.empty() && digits.front() == '-') {
        negative = true;
        digits.remove_prefix(1);
    }
    // 13 hexadecimal digits still fit the 53-bit mantissa exactly.
    if (digits.empty() || digits.size() > 13)
        fail("invalid use of $ (hex function)");
    double value = 0;
    for (char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            fail("invalid use of $ (hex function)");
        value = value * 16 + (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    return negative ? -value : value;
}

double factorial(double n)
{
    if (n != std::trunc(n))
        fail("! (factoral) applicable to integers only");
    // 171! is beyond the range of double; the bound also keeps the loop short.
    if (std::fabs(n) > 170)
        fail("floating point overflow");
    double result = 1;
    for (int k = 2; k <= int(std::fabs(n)); ++k)
        result *= k;
    return n < 0 ? -result : result;
}

double evaluateOperand(std::string operand)
{
    for (size_t at; (at = operand.find("--")) != std::string::npos;)
        operand.erase(at, 2);
    operand = lower(operand);
    if (operand == "pi")
        return std::numbers::pi;
    if (operand == "-pi")
        return -std::numbers::pi;
    if (operand == "e")
        return std::numbers::e;
    if (operand == "-e")
        return -std::numbers::e;

    const Function *best = nullptr;
    for (const Function &f : kFunctions)
        if (operand.starts_with(f.name) && (!best || std::string_view(f.name).size() > std::string_view(best->name).size()))
            best = &f;
    if (best)
        return finite(best->apply(evaluateOperand(operand.substr(std::string_view(best->name).size()))));

    if (!operand.empty() && operand.back() == '!')
        return finite(factorial(evaluateOperand(operand.substr(0, operand.size() - 1))));
    if (!operand.empty() && operand.front() == '$')
        return hexValue(std::string_view(operand).substr(1));
    // A sign in front of a constant, a function or a hex value: "-sqrt(4)" reads as -2.
    if (operand.size() > 1 && operand.front() == '-' && !std::isdigit(static_cast<unsigned char>(operand[1])) &&
        operand[1] != '.')
        return -evaluateOperand(operand.substr(1));
    if (const auto value = parseReal(operand); value && operand.front() != '+')
        return *value;
    fail("invalid character(s) in expression");
}

bool isOperator(char c)
{
    return std::string_view("^*/%+=|&").find(c) != std::string_view::npos;
}

double apply(char op, double left, double right)
{
    switch (op) {
    case '^': return finite(std::pow(left, right));
    case '*': return finite(left * right);
    case '/':
        if (right == 0)
            fail("division by zero");
        return finite(left / right);
    case '%': {
        const double divisor = std::trunc(right);
        if (divisor == 0)
            fail("division by zero");
        return std::fmod(std::trunc(left), divisor);
    }
    case '&': return left != 0 && right != 0 ? 1 : 0;
    case '+': return finite(left + right);
    case '-': return finite(left - right);
    case '|': return left != 0 || right != 0 ? 1 : 0;
    default: return left == right ? 1 : 0; // '='
    }
}

double evaluateText(std::string text)
{
    if (text.empty())
        fail("entry cannot be blank");

    for (size_t close; (close = text.find(')')) != std::string::npos;) {
        const size_t open = close == 0 ? std::string::npos : text.rfind('(', close - 1);
        if (open == std::string::npos)
            fail("() (parentheses) do not match");
        const double inner = evaluateText(text.substr(open + 1, close - open - 1));
        text = text.substr(0, open) + formatNumber(inner) + text.substr(close + 1);
    }

    std::vector<bool> subtraction(text.size(), false);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '-' || i == 0)
            continue;
        const std::string_view before(text.data(), i);
        // The operand written so far: a function name there takes a negative argument that a
        // parenthesis left behind, as in 2*abs(0-3).
        size_t start = i;
        while (start > 0 && !isOperator(text[start - 1]) && !subtraction[start - 1])
            --start;
        std::string_view operand = before.substr(start);
        while (operand.starts_with('-'))
            operand.remove_prefix(1);
        // An e that is Euler's number or a hex digit is no exponent: e-1 and $1E-1 subtract.
        const bool notExponent = operand == "e" || operand == "E" || operand.starts_with('$');
        // After any minus a minus is a sign; "--" pairs cancel in the operand, so -(0-2) is 2.
        const bool sign = before == "!" || before == "$" || isFunctionName(before) || isFunctionName(operand) ||
                          (std::string_view("%&*+/=E^e|~").find(text[i - 1]) != std::string_view::npos &&
                           !(notExponent && (text[i - 1] == 'e' || text[i - 1] == 'E'))) ||
                          text[i - 1] == '-';
        subtraction[i] = !sign;
    }

    std::vector<std::string> operands(1);
    std::vector<char> operators;
    for (size_t i = 0; i < text.size(); ++i) {
        if (isOperator(text[i]) || subtraction[i]) {
            operators.push_back(text[i]);
            operands.emplace_back();
        } else {
            operands.back() += text[i];
        }
    }
    if (std::any_of(operands.begin(), operands.end(), [](const std::string &s) { return s.empty(); }))
        fail("invalid expression");

    std::vector<double> values;
    for (const std::string &operand : operands)
        values.push_back(evaluateOperand(operand));

    for (std::string_view level : {"^", "*/%&", "+-|", "="}) {
        for (size_t k = 0; k < operators.size();) {
            if (level.find(operators[k]) == std::string_view::npos) {
                ++k;
                continue;
            }
            values[k] = apply(operators[k], values[k], values[k + 1]);
            values.erase(values.begin() + std::ptrdiff_t(k) + 1);
            operators.erase(operators.begin() + std::ptrdiff_t(k));
        }
    }
    return values.front();
}

} // namespace

double Evaluate(std::string_view text)
{
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t')
            compact += c;
    return evaluateText(compact);
}
