#include <QtTest>

#include <cmath>
#include <numbers>

#include "core/expression.h"
#include "core/numformat.h"

class TestExpression : public QObject {
    Q_OBJECT
private slots:
    void values_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("number") << "35" << 35.0;
        QTest::newRow("blanks and tabs ignored") << " 2 *\t3.5 " << 7.0;
        QTest::newRow("parentheses") << "2*(3+4)" << 14.0;
        QTest::newRow("nested parentheses") << "((1+2)*(3+4))/7" << 3.0;
        QTest::newRow("precedence") << "2+3*4" << 14.0;
        QTest::newRow("power left-associative") << "2^3^2" << 64.0;
        QTest::newRow("sign belongs to operand") << "-2^2" << 4.0;
        QTest::newRow("subtract negative") << "5--3" << 8.0;
        QTest::newRow("negative inside parentheses") << "2*(1-3)" << -4.0;
        QTest::newRow("negative exponent from parentheses") << "2^(0-1)" << 0.5;
        QTest::newRow("remainder") << "7%3" << 1.0;
        QTest::newRow("remainder keeps sign of left") << "-7%3" << -1.0;
        QTest::newRow("remainder of integer parts") << "7.9%3.2" << 1.0;
        QTest::newRow("and false") << "1&0" << 0.0;
        QTest::newRow("and true") << "2&3" << 1.0;
        QTest::newRow("or") << "0|5" << 1.0;
        QTest::newRow("equal") << "3=3" << 1.0;
        QTest::newRow("not equal") << "3=4" << 0.0;
        QTest::newRow("equal lowest") << "1+2=3" << 1.0;
        QTest::newRow("factorial") << "5!" << 120.0;
        QTest::newRow("factorial of negative") << "-3!" << -6.0;
        QTest::newRow("factorial of zero") << "0!" << 1.0;
        QTest::newRow("hex") << "$FF" << 255.0;
        QTest::newRow("hex lower case") << "$1f" << 31.0;
        QTest::newRow("exponent form") << "1.5e-3" << 0.0015;
        QTest::newRow("minus after e is a sign") << "1e-5" << 0.00001;
        QTest::newRow("ten minus e") << "10-e" << 10 - std::numbers::e;
        QTest::newRow("pi") << "pi" << std::numbers::pi;
        QTest::newRow("minus pi") << "-pi" << -std::numbers::pi;
        QTest::newRow("e") << "E" << std::numbers::e;
        QTest::newRow("minus e") << "-e" << -std::numbers::e;
        QTest::newRow("function of number") << "sqrt16" << 4.0;
        QTest::newRow("function of parentheses") << "sqrt(9+7)" << 4.0;
        QTest::newRow("function then add") << "sqrt(16)+1" << 5.0;
        QTest::newRow("function of negative") << "abs-3" << 3.0;
        QTest::newRow("function of function") << "sqrtsqrt16" << 2.0;
        QTest::newRow("radians") << "sin(pi/2)" << 1.0;
        QTest::newRow("upper case function") << "SQRT(4)" << 2.0;
        QTest::newRow("arctanh longest name") << "arctanh0.5" << std::atanh(0.5);
        QTest::newRow("cosec not cos") << "cosec1" << 1 / std::sin(1.0);
        QTest::newRow("csc") << "csc1" << 1 / std::sin(1.0);
        QTest::newRow("sec") << "sec0" << 1.0;
        QTest::newRow("cotan") << "cotan1" << 1 / std::tan(1.0);
        QTest::newRow("cosh") << "cosh0" << 1.0;
        QTest::newRow("arccos") << "arccos1" << 0.0;
        QTest::newRow("arcsinh") << "arcsinh0" << 0.0;
        QTest::newRow("frac") << "frac2.75" << 0.75;
        QTest::newRow("int toward zero") << "int-2.5" << -2.0;
        QTest::newRow("round half to even") << "round2.5" << 2.0;
        QTest::newRow("round half to even up") << "round3.5" << 4.0;
        QTest::newRow("ceil") << "ceil1.2" << 2.0;
        QTest::newRow("floor") << "floor-1.2" << -2.0;
        QTest::newRow("ln") << "ln(e)" << 1.0;
        QTest::newRow("log base 10") << "log1000" << 3.0;
        QTest::newRow("sign before function") << "-sqrt(4)" << -2.0;
        QTest::newRow("function of negative parentheses after operator") << "2*abs(0-3)" << 6.0;
        QTest::newRow("functions of parentheses on both sides") << "int(2.5)+frac(-2.5)" << 1.5;
        QTest::newRow("negated negative parentheses") << "-(0-2)" << 2.0;
        QTest::newRow("subtract negated negative parentheses") << "1-(0-(0-2))" << -1.0;
        QTest::newRow("double sign cancels") << "--3" << 3.0;
        QTest::newRow("signed function of negative parentheses") << "2*-abs(0-3)" << -6.0;
        QTest::newRow("e minus one") << "e-1" << std::numbers::e - 1;
        QTest::newRow("hex digit E before minus") << "$1E-1" << 29.0;
        QTest::newRow("exponent after digits still a sign") << "2*1E-3" << 0.002;
        QTest::newRow("large result through parentheses") << "(1e20)*2" << 2e20;
        QTest::newRow("tiny result through parentheses") << "(1e-20)*2" << 2e-20;
    }
    void values()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        double value = 0;
        try {
            value = Evaluate(text.toStdString());
        } catch (const EEvaluateError &error) {
            QFAIL(error.what());
        }
        QVERIFY2(std::fabs(value - expected) <= 1e-12 * std::max(1.0, std::fabs(expected)),
                 qPrintable(QString::number(value, 'g', 17)));
    }

    void errors_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString p = "Entry could not be evaluated:\r";
        QTest::newRow("empty") << "" << p + "entry cannot be blank";
        QTest::newRow("only blanks") << "  \t" << p + "entry cannot be blank";
        QTest::newRow("closing without opening") << "1+2)" << p + "() (parentheses) do not match";
        QTest::newRow("opening without closing") << "(1+2" << p + "invalid character(s) in expression";
        QTest::newRow("two operators") << "2**3" << p + "invalid expression";
        QTest::newRow("trailing operator") << "2+" << p + "invalid expression";
        QTest::newRow("leading plus") << "+5" << p + "invalid expression";
        QTest::newRow("letters") << "abc" << p + "invalid character(s) in expression";
        QTest::newRow("function without argument") << "sqrt" << p + "invalid character(s) in expression";
        QTest::newRow("factorial of fraction") << "2.5!" << p + "! (factoral) applicable to integers only";
        QTest::newRow("bad hex") << "$FG" << p + "invalid use of $ (hex function)";
        QTest::newRow("empty hex") << "$" << p + "invalid use of $ (hex function)";
        QTest::newRow("division by zero") << "1/0" << p + "division by zero";
        QTest::newRow("remainder by zero") << "5%0.5" << p + "division by zero";
        QTest::newRow("log of negative") << "ln-1" << p + "invalid floating point operation";
        QTest::newRow("overflow") << "10^400" << p + "floating point overflow";
        QTest::newRow("huge factorial ends") << "1e300!" << p + "floating point overflow";
        QTest::newRow("infinity is no number") << "inf" << p + "invalid character(s) in expression";
    }
    void errors()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            const double value = Evaluate(text.toStdString());
            QFAIL(qPrintable("evaluated to " + QString::number(value)));
        } catch (const EEvaluateError &error) {
            QCOMPARE(QString(error.what()), message);
        }
    }

    void fileReals_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("whole") << 4000000.0 << "4000000";
        QTest::newRow("fraction") << 2.5 << "2.5";
        QTest::newRow("negative") << -0.75 << "-0.75";
        QTest::newRow("eight digits") << 1.2345678 << "1.2345678";
        QTest::newRow("rounded to eight digits") << 3.280839895 << "3.2808399";
        QTest::newRow("eight digits before point") << 12345678.0 << "12345678";
        QTest::newRow("nine digits before point") << 123456789.0 << "1.2345679E8";
        QTest::newRow("large") << 3.5e10 << "3.5E10";
        QTest::newRow("smallest fixed") << 0.00001 << "0.00001";
        QTest::newRow("below 0.00001") << 0.0000012 << "1.2E-6";
        QTest::newRow("1E-6") << 1e-6 << "1E-6";
        QTest::newRow("rounds up to next power") << 99999999.9 << "1E8";
        QTest::newRow("no trailing zeros") << 0.1 << "0.1";
    }
    void fileReals()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(formatFileReal(value)), text);
    }

    void shortestNumbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 120.0 << "120";
        QTest::newRow("tenth") << 0.1 << "0.1";
        QTest::newRow("seventeen digits") << 0.1 + 0.2 << "0.30000000000000004";
        QTest::newRow("large") << 1e20 << "1E20";
        QTest::newRow("tiny") << -2.5e-7 << "-2.5E-7";
    }
    void shortestNumbers()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(formatNumber(value)), text);
        QCOMPARE(*parseReal(text.toStdString()), value);
    }

    void parseRefusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("comma decimal") << "1,5";
        QTest::newRow("trailing text") << "1.5x";
        QTest::newRow("nan") << "nan";
        QTest::newRow("inf") << "inf";
        QTest::newRow("out of range") << "1e999";
        QTest::newRow("double sign") << "++1";
    }
    void parseRefusals()
    {
        QFETCH(QString, text);
        QVERIFY(!parseReal(text.toStdString()));
    }
};

QTEST_GUILESS_MAIN(TestExpression)
#include "tst_expression.moc"
