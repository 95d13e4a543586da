#pragma once

#include <QString>

/// Unit names for a pattern with placeholders (F, F1, F2, F4, F5, F6 for forces, L, L1, L2,
/// L3 for lengths) in unit system units: 1 English, 2 SI, 3 the pattern unchanged. One force
/// kind and one length kind are replaced, the first present in the orders F6 F5 F4 F2 F1 F
/// and L2 L1 L3 L: "F/L2^2" reads "lbs/ft^2" or "kN/m^2". Other values of units are clamped.
QString unitText(const QString &pattern, int units);

/// Factor that converts a value of unit pattern into unit system toUnits (1 English, 2 SI):
/// the product of its symbols' factors, each raised to its "^n" (or "²", "³"), numerator over
/// denominator. An empty pattern, or one without symbols, gives 1.
double unitFactor(const QString &pattern, int toUnits);

/// Exact factors between the two systems, used by the project and by the tables.
namespace UnitFactors {
inline constexpr double kPoundsPerKilonewton = 224.8089237;
inline constexpr double kKilonewtonsPerPound = 0.00444822199911631;
inline constexpr double kTonsPerKilonewton = 0.1124044745;
inline constexpr double kKilonewtonsPerTon = 8.896442997026778;
inline constexpr double kInchesPerMetre = 39.37007874;
inline constexpr double kMetresPerInch = 0.0254;
inline constexpr double kFeetPerMetre = 3.280839895;
inline constexpr double kMetresPerFoot = 0.3048;
} // namespace UnitFactors
