#include "profile.h"

#include <cmath>
#include <string>

namespace engine {
namespace {

Real clampReal(Real v, Real lo, Real hi) { return v < lo ? lo : (v > hi ? hi : v); }

bool isCohesive(int type) { return type == 2 || type == 3; }

} // namespace

Real roundHalfUp(Real value)
{
    const Real whole = std::trunc(value);
    return (value - whole >= 0.5f) ? whole + 1 : whole;
}

int nint(Real value) { return static_cast<int>(std::lround(value)); }

Real interpolate(const Real (&v)[2], const Layer &layer, Real FK)
{
    const Real thickness = layer.DEPTH - layer.TOP;
    if (thickness == 0)
        return v[TOP];
    return v[TOP] + (v[BOTTOM] - v[TOP]) * FK / thickness;
}

Real defaultCoefficient(const Layer &layer, Real zFt, Real cuPsf, Real blows)
{
    if (isCohesive(layer.TYPE)) {
        // Alpha after the undrained strength ratio cu / pa.
        const Real x = cuPsf / kAtmPsf;
        if (x > 1.5f && x < 2.5f)
            return 0.55f - 0.1f * (x - 1.5f);
        return 0.55f;
    }
    return stepCoefficient(layer, 0, zFt, blows);
}

Real stepCoefficient(const Layer &layer, Real c, Real zFt, Real blows)
{
    if (layer.TYPE == 1 && layer.ISAND > 1) {
        c = 1.5f - 0.135f * std::sqrt(zFt);
        if (blows > 0 && blows < 15)
            c = (1.5f - 0.135f * std::sqrt(zFt)) * blows / 15;
    }
    if (!isCohesive(layer.TYPE))
        c = clampReal(c, 0.25f, 1.2f);
    // Gravelly sand and gravel: beta with depth in metres.
    if (layer.TYPE == 8)
        c = clampReal(2.0f - 0.15f * std::pow(0.3048f * zFt, 0.75f), 0.25f, 1.8f);
    if (layer.TYPE == 9)
        c = clampReal(3.4f * std::exp(-0.085f * 0.3048f * zFt), 0.25f, 3.0f);
    return c;
}

Profile normaliseProfile(const ProjectInput &input)
{
    Profile pr;
    pr.input = input;
    ProjectInput &r = pr.run;
    r = input;
    r.layers.clear();
    if (r.RATIO == 1)
        r.RATIO = 0;
    if (r.DSTART > r.DIALIM)
        r.DIALIM = r.DSTART;

    Real above = 0;
    for (const LayerInput &in : input.layers) {
        Layer L;
        static_cast<LayerInput &>(L) = in;
        L.TOP = above;
        above = L.DEPTH;
        if (L.TYPE == 8 || L.TYPE == 9)
            L.ISAND = 2;
        if (isCohesive(L.TYPE))
            L.PHI[TOP] = L.PHI[BOTTOM] = 0;
        pr.layers.push_back(L);
    }

    const bool si = input.si();
    if (si) {
        r.P *= kTonPerKN;
        r.WTD *= kFtPerM;
        r.DGH *= kFtPerM;
        r.DSTART *= kFtPerM;
        r.DIALIM *= kFtPerM;
        r.TOPLENG *= kFtPerM;
        r.BS *= kFtPerM;
        for (Layer &L : pr.layers) {
            L.TOP *= kFtPerM;
            L.DEPTH *= kFtPerM;
            for (int e = TOP; e <= BOTTOM; ++e) {
                L.GAMMA[e] *= kPcfPerKNm3;
                L.CU[e] *= kPsfPerKPa;
                L.TRANLM[e] *= kPsfPerKPa;
                L.QBLIM[e] *= kPsfPerKPa;
            }
        }
    }
    const Real modulus = si ? kPsfPerKPa / 2000 : Real(144) / 2000;
    r.Ec *= modulus;
    for (Layer &L : pr.layers)
        for (int e = TOP; e <= BOTTOM; ++e)
            L.EL[e] *= modulus;

    for (Layer &L : pr.layers) {
        if (std::fabs(L.COEF[TOP]) < 1e-5f && std::fabs(L.COEF[BOTTOM]) < 1e-5f) {
            L.coefComputed = true;
            L.COEF[TOP] = defaultCoefficient(L, L.TOP, L.CU[TOP], L.BLOWS[TOP]);
            L.COEF[BOTTOM] = defaultCoefficient(L, L.DEPTH, L.CU[BOTTOM], L.BLOWS[BOTTOM]);
        }
    }
    for (Layer &L : pr.layers) {
        if (std::fabs(L.NC[TOP]) < 1e-5f && std::fabs(L.NC[BOTTOM]) < 1e-5f) {
            pr.ncComputed = true;
            if (isCohesive(L.TYPE)) {
                // Nc grows from 6 with depth over diameter, capped lower in shale.
                const Real cap = L.TYPE == 2 ? 9.0f : 7.0f;
                L.NC[TOP] = std::fmin(6 * (1 + 0.2f * L.TOP / r.DSTART), cap);
                L.NC[BOTTOM] = std::fmin(6 * (1 + 0.2f * L.DEPTH / r.DSTART), cap);
            }
        }
    }
    return pr;
}

void convertRockAfterEcho(Profile &pr)
{
    if (!pr.si())
        return;
    for (Layer &L : pr.layers)
        for (int e = TOP; e <= BOTTOM; ++e) {
            L.QUR[e] *= kPsfPerKPa;
            L.QUCON[e] *= kPsfPerKPa;
            L.CS[e] *= kFtPerM;
            L.DISCT[e] *= kFtPerM;
            L.BDS[e] *= kFtPerM;
        }
}

void roundLayerBottoms(Profile &pr)
{
    Real above = 0;
    for (Layer &L : pr.layers) {
        if (L.DEPTH > pr.run.TOPLENG)
            L.DEPTH = roundHalfUp(L.DEPTH);
        L.TOP = above;
        above = L.DEPTH;
    }
}

Real initialSIGV(const Profile &pr)
{
    const Real top = pr.run.TOPLENG;
    Real sigv = 0;
    for (const Layer &L : pr.layers) {
        if (L.TOP >= top)
            break;
        const Real b = std::fmin(L.DEPTH, top);
        const Real g0 = interpolate(L.GAMMA, L, 0);
        const Real g1 = interpolate(L.GAMMA, L, b - L.TOP);
        sigv += (b - L.TOP) * (g0 + g1) / 2;
    }
    if (pr.run.WTD < top)
        sigv -= kWaterPcf * (top - pr.run.WTD);
    // Rock carries no unit weight, so under water the water pressure can exceed the overburden:
    // the stress then starts at 0.
    return sigv > 0 ? sigv : 0;
}

void writeSafetyFactors(ReportWriter &out, const Profile &pr)
{
    if (pr.input.IMETHOD != 2)
        return;
    out.blank();
    out.text("     FACTOR OF SAFETY APPLIED TO THE ULTIMATE SIDE FRICTION CAPACITY =").F(pr.input.FST, 5, 2).end();
    out.blanks(5).fill('-', 55).end();
    out.text("     FACTOR OF SAFETY APPLIED TO THE ULTIMATE BASE CAPACITY =").F(pr.input.FSB, 5, 2).end();
    out.blanks(5).fill('-', 54).end();
}

namespace {

// 7 blanks, the label padded and closed by "=" in labelWidth characters, then E10.3.
void valueLine(ReportWriter &out, const char *label, int labelWidth, Real value)
{
    out.blanks(7).A(label, labelWidth - 1).text("=").E(value, 10, 3).end();
}

void writeBlock(ReportWriter &out, const LayerInput &in, const Layer &L, End e, bool si, Real depth)
{
    const int w = (L.TYPE == 4 || L.TYPE == 6 || L.TYPE == 7) ? 52 : 51;
    auto v = [&](const char *en, const char *siText, Real value) { valueLine(out, si ? siText : en, w, value); };
    const char *kBlows = "BLOWS PER FOOT FROM STANDARD PENETRATION TEST";
    switch (L.TYPE) {
    case 1:
    case 2:
    case 3:
        v("UNDRAINED SHEAR STRENGTH, LB/SQ FT", "UNDRAINED SHEAR STRENGTH, KN/SQ M", in.CU[e]);
        v("INTERNAL FRICTION ANGLE, DEG.", "INTERNAL FRICTION ANGLE, DEG.", L.PHI[e]);
        v(kBlows, kBlows, in.BLOWS[e]);
        v("SOIL UNIT WEIGHT, LB/CU FT", "SOIL UNIT WEIGHT, KN/CU M", in.GAMMA[e]);
        v("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", "MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M", in.TRANLM[e]);
        break;
    case 4:
    case 7:
        v("DIAMETER OF SOCKET, FT", "DIAMETER OF SOCKET,M", in.BDS[e]);
        v("SPACING OF DISCONTINUITIES,FT", "SPACING OF DISCONTINUITIES,M", in.CS[e]);
        v("THICKNESS OF INDIVIDUAL DISCONTINUITIES,FT", "THICKNESS OF INDIVIDUAL DISCONTINUITIES,M", in.DISCT[e]);
        v("UNIAXIAL COMPRESSION STRENGTH OF ROCK,LB/SQ FT", "UNIAXIAL COMPRESSION STRENGTH OF ROCK,KN/SQ M", in.QUR[e]);
        v("UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,LB/SQ FT", "UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,KN/SQ M",
          in.QUCON[e]);
        v("ELASTIC MODULUS FOR THE INTACT ROCK, LB/SQ IN.", "ELASTIC MODULUS FOR THE INTACT ROCK, KN/SQ M", in.EL[e]);
        v("ROCK QUALITY DESIGNATION (RQD) %", "ROCK QUALITY DESIGNATION (RQD) %", in.RQD[e]);
        break;
    case 5:
        v("ELASTIC MODULUS OF GRAVEL, LB/SQ IN", "ELASTIC MODULUS OF GRAVEL, KN/SQ M", in.EL[e]);
        v("POISSION RATIO OF GRAVEL", "POISSION RATIO OF GRAVEL", in.POISSON[e]);
        v(kBlows, kBlows, in.BLOWS[e]);
        v("SOIL UNIT WEIGHT, LB/CU FT", "SOIL UNIT WEIGHT, KN/CU M", in.GAMMA[e]);
        v("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", "MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M", in.TRANLM[e]);
        break;
    case 6:
        v("DIAMETER OF SOCKET, FT", "DIAMETER OF SOCKET, M", in.BDS[e]);
        v("SLUMP OF CONCRETE, IN", "SLUMP OF CONCRETE, M", in.SLUMP[e]);
        v("ANGLE OF INTERFACE FRICTION, DEG.", "ANGLE OF INTERFACE FRICTION, DEG.", in.DELTA[e]);
        v("UNIAXIAL COMPRESSION STRENGTH OF ROCK,LB/SQ FT", "UNIAXIAL COMPRESSION STRENGTH OF ROCK,KN/SQ M", in.QUR[e]);
        v("ELASTIC MODULUS FOR THE INTACT ROCK, LB/SQ IN.", "ELASTIC MODULUS FOR THE INTACT ROCK, KN/SQ M", in.EL[e]);
        v("ROCK QUALITY DESIGNATION (RQD) %", "ROCK QUALITY DESIGNATION (RQD) %", in.RQD[e]);
        break;
    default: // 8, 9
        v(kBlows, kBlows, in.BLOWS[e]);
        v("SOIL UNIT WEIGHT, LB/CU FT", "SOIL UNIT WEIGHT, KN/CU M", in.GAMMA[e]);
        v("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", "MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M", in.TRANLM[e]);
        break;
    }
    v("DEPTH, FT", "DEPTH, M", depth);
    out.blank();
}

void writeCoefficients(ReportWriter &out, const Layer &L, End e)
{
    const char *kBeta = "SKIN FRICTION COEFFICIENT- BETA";
    switch (L.TYPE) {
    case 1:
        if (L.ISAND < 2)
            valueLine(out, "LATERAL EARTH-PRESSURE COEFFICIENT-K", 51, L.COEF[e]);
        if (L.ISAND > 1)
            valueLine(out, kBeta, 51, L.COEF[e]);
        break;
    case 2:
    case 3:
        valueLine(out, "STRENGTH REDUCTION FACTOR-ALPHA", 51, L.COEF[e]);
        valueLine(out, "END BEARING COEFFICIENT-Nc", 51, L.NC[e]);
        break;
    case 8:
    case 9:
        valueLine(out, kBeta, 51, L.COEF[e]);
        break;
    default:
        break;
    }
}

const char *soilName(int type)
{
    switch (type) {
    case 1: return "SAND";
    case 2: return "CLAY";
    case 3: return "CLAY SHALE";
    case 4:
    case 7: return "STRONG ROCK";
    case 5: return "DECOMPOSED ROCK";
    case 6: return "WEAK ROCK";
    case 8: return "GRAVELLEY SAND";
    default: return "GRAVEL";
    }
}

} // namespace

void writeSoilEcho(ReportWriter &out, const Profile &pr)
{
    const bool si = pr.si();
    out.blank(2);
    out.line("     SOIL INFORMATION");
    out.line("     ---------------");
    out.blank();
    Real above = 0;
    for (std::size_t i = 0; i < pr.layers.size(); ++i) {
        const Layer &L = pr.layers[i];
        const LayerInput &in = pr.input.layers[i];
        const int n = static_cast<int>(i) + 1;
        if (L.TYPE <= 3)
            out.text("     LAYER NO").I(n, 2).text("----").text(soilName(L.TYPE)).end();
        else
            out.text("    LAYER NO").I(n, 3).text("----").text(soilName(L.TYPE)).end();
        out.blank();
        out.line("       AT THE TOP");
        out.blank();
        writeCoefficients(out, L, TOP);
        writeBlock(out, in, L, TOP, si, above);
        out.line("       AT THE BOTTOM");
        out.blank();
        writeCoefficients(out, L, BOTTOM);
        writeBlock(out, in, L, BOTTOM, si, in.DEPTH);
        above = in.DEPTH;
        if (pr.input.IMETHOD == 1) {
            valueLine(out, "LRFD RESISTANCE FACTOR (SIDE FRICTION)", 51, L.RFSIDE);
            valueLine(out, "LRFD RESISTANCE FACTOR (TIP RESISTANCE)", 51, L.RFTIP);
            out.blank();
        }
    }
}

} // namespace engine
