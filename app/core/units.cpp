#include "units.h"

#include <cmath>

namespace {

struct Placeholder {
    const char *symbol, *english, *si;
};

const Placeholder kForces[] = {{"F6", "slug", "Mg"},         {"F5", "sec", "sec"}, {"F4", "lb-sec2/in", "Mg"},
                               {"F2", "tons", "kN"},          {"F1", "kips", "kN"}, {"F", "lbs", "kN"}};
const Placeholder kLengths[] = {{"L2", "ft", "m"}, {"L1", "in", "mm"}, {"L3", "rad", "rad"}, {"L", "in", "m"}};

QString replaceFirstKind(QString text, const Placeholder *begin, const Placeholder *end, int units)
{
    for (const Placeholder *p = begin; p != end; ++p) {
        if (text.contains(p->symbol))
            return text.replace(p->symbol, units == 1 ? p->english : p->si);
    }
    return text;
}

// English unit per SI unit and its inverse, for force kinds 0 to 6 and length kinds 0 to 3.
// The inverses are written out so that English -> SI uses the exact factors, not 1/x.
struct Factor {
    double toEnglish, toSI;
};
constexpr Factor kUnity{1, 1};
constexpr Factor kForce[] = {
    {UnitFactors::kPoundsPerKilonewton, UnitFactors::kKilonewtonsPerPound},       // F, F0: lbs per kN
    {0.2248089237, 4.44822199911631},                                             // F1: kips per kN
    {UnitFactors::kTonsPerKilonewton, UnitFactors::kKilonewtonsPerTon},           // F2: tons per kN
    kUnity,                                                                       // F3: not defined
    {5.710147098, 0.1751268352},                                                  // F4: lb-sec2/in per Mg
    kUnity,                                                                       // F5: sec
    {68.52176586, 0.01459390294},                                                 // F6: slug per Mg
};
constexpr Factor kLength[] = {
    {UnitFactors::kInchesPerMetre, UnitFactors::kMetresPerInch}, // L, L0: in per m
    {0.03937007874, 25.4},                                       // L1: in per mm
    {UnitFactors::kFeetPerMetre, UnitFactors::kMetresPerFoot},   // L2: ft per m
    kUnity,                                                      // L3: rad
};

double sideFactor(const QString &side, int toUnits)
{
    double factor = 1;
    for (int i = 0; i < side.size(); ++i) {
        const QChar symbol = side[i];
        if (symbol != 'F' && symbol != 'L')
            continue;
        int kind = 0;
        if (i + 1 < side.size() && side[i + 1].isDigit()) {
            kind = side[i + 1].digitValue();
            ++i;
        }
        int exponent = 1;
        if (i + 2 < side.size() && side[i + 1] == '^' && side[i + 2].isDigit()) {
            exponent = side[i + 2].digitValue();
            i += 2;
        } else if (i + 1 < side.size() && (side[i + 1] == QChar(0x00B2) || side[i + 1] == QChar(0x00B3))) {
            exponent = side[i + 1] == QChar(0x00B2) ? 2 : 3;
            ++i;
        }
        Factor f = kUnity;
        if (symbol == 'F' && kind < int(std::size(kForce)))
            f = kForce[kind];
        else if (symbol == 'L' && kind < int(std::size(kLength)))
            f = kLength[kind];
        factor *= std::pow(toUnits == 1 ? f.toEnglish : f.toSI, exponent);
    }
    return factor;
}

} // namespace

QString unitText(const QString &pattern, int units)
{
    units = qBound(1, units, 3);
    if (units == 3)
        return pattern;
    const QString forces = replaceFirstKind(pattern, std::begin(kForces), std::end(kForces), units);
    return replaceFirstKind(forces, std::begin(kLengths), std::end(kLengths), units);
}

double unitFactor(const QString &pattern, int toUnits)
{
    const qsizetype slash = pattern.indexOf('/');
    const QString numerator = slash < 0 ? pattern : pattern.left(slash);
    const QString denominator = slash < 0 ? QString() : pattern.mid(slash + 1);
    return sideFactor(numerator, toUnits) / sideFactor(denominator, toUnits);
}
