// The SOIL INFORMATION echo for all nine material types, English and SI, line by line.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "profile.h"

using namespace engine;

namespace {

void set(Real (&v)[2], Real top, Real bottom)
{
    v[TOP] = top;
    v[BOTTOM] = bottom;
}

LayerInput layer(int type, Real bottom)
{
    LayerInput L;
    L.TYPE = type;
    L.SOIL = static_cast<Real>(type);
    L.DEPTH = bottom;
    set(L.TRANLM, NOLIMIT, NOLIMIT);
    set(L.QBLIM, NOLIMIT, NOLIMIT);
    return L;
}

// 7 blanks, the label padded so that "=" closes `width` characters, then the E10.3 text.
std::string row(const std::string &label, std::size_t width, const char *value)
{
    return "       " + label + std::string(width - 1 - label.size(), ' ') + "=" + value;
}

struct Echo {
    std::vector<std::string> lines;
    void add(const std::string &s) { lines.push_back(s); }
    void blank() { lines.emplace_back(); }
    void title(const std::string &t)
    {
        add(t);
        blank();
        add("       AT THE TOP");
        blank();
    }
    void bottom()
    {
        add("       AT THE BOTTOM");
        blank();
    }
    std::string text() const
    {
        std::string s;
        for (const std::string &l : lines)
            s += l + "\n";
        return s;
    }
};

std::vector<std::string> split(const std::string &s)
{
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}

void expectSameLines(const std::string &actual, const std::string &expected)
{
    const std::vector<std::string> a = split(actual), e = split(expected);
    for (std::size_t i = 0; i < a.size() && i < e.size(); ++i)
        EXPECT_EQ(a[i], e[i]) << "line " << i + 1;
    EXPECT_EQ(a.size(), e.size());
    EXPECT_EQ(actual, expected);
}

ProjectInput nineTypesEnglish()
{
    ProjectInput p;
    p.IUNIT = 1;
    p.IMETHOD = 1;
    p.IDESIGN = 2;
    p.DSTART = 5;
    p.DGH = 40;
    p.Ec = 3600000;

    LayerInput shale = layer(3, 5);
    set(shale.CU, 2000, 2000);
    set(shale.PHI, 10, 10);
    set(shale.BLOWS, 20, 25);
    set(shale.GAMMA, 125, 125);
    shale.RFSIDE = 0.5f;
    shale.RFTIP = 0.4f;

    LayerInput clay = layer(2, 15);
    set(clay.CU, 4000, 6000);
    set(clay.GAMMA, 120, 122.5f);
    set(clay.TRANLM, 4000, 4500);
    clay.RFSIDE = 0.45f;
    clay.RFTIP = 0.4f;

    LayerInput sand = layer(1, 25);
    sand.ISAND = 2;
    set(sand.BLOWS, 30, 12);
    set(sand.GAMMA, 118, 118);
    sand.RFSIDE = 0.55f;
    sand.RFTIP = 0.5f;

    LayerInput rock4 = layer(4, 30);
    set(rock4.BDS, 3, 3);
    set(rock4.CS, 1, 2);
    set(rock4.DISCT, 0.01f, 0.02f);
    set(rock4.QUR, 150000, 160000);
    set(rock4.QUCON, 500000, 500000);
    set(rock4.EL, 1000000, 1200000);
    set(rock4.RQD, 80, 90);
    rock4.RFSIDE = 0.55f;
    rock4.RFTIP = 0.5f;

    LayerInput deco = layer(5, 35);
    set(deco.EL, 20000, 25000);
    set(deco.POISSON, 0.3f, 0.35f);
    set(deco.BLOWS, 50, 60);
    set(deco.GAMMA, 130, 135);
    deco.RFSIDE = 0.6f;
    deco.RFTIP = 0.55f;

    LayerInput weak = layer(6, 40);
    set(weak.BDS, 2.5f, 2.5f);
    set(weak.SLUMP, 7, 8);
    set(weak.DELTA, 30, 32);
    set(weak.QUR, 20000, 30000);
    set(weak.EL, 500000, 600000);
    set(weak.RQD, 50, 60);
    weak.RFSIDE = 0.55f;
    weak.RFTIP = 0.5f;

    LayerInput rock7 = layer(7, 45);
    set(rock7.BDS, 2, 2.2f);
    set(rock7.CS, 0.5f, 0.6f);
    set(rock7.DISCT, 0.001f, 0.002f);
    set(rock7.QUR, 1440000, 1500000);
    set(rock7.QUCON, 576000, 576000);
    set(rock7.EL, 2000000, 2500000);
    set(rock7.RQD, 95, 100);
    rock7.RFSIDE = 0.55f;
    rock7.RFTIP = 0.5f;

    LayerInput gsand = layer(8, 50);
    set(gsand.BLOWS, 30, 35);
    set(gsand.GAMMA, 125, 128);
    gsand.RFSIDE = 0.55f;
    gsand.RFTIP = 0.5f;

    LayerInput gravel = layer(9, 60);
    set(gravel.COEF, 0.9f, 1.1f);
    set(gravel.BLOWS, 40, 45);
    set(gravel.GAMMA, 130, 130);
    gravel.RFSIDE = 0.55f;
    gravel.RFTIP = 0.5f;

    p.layers = {shale, clay, sand, rock4, deco, weak, rock7, gsand, gravel};
    p.NLAYER = 9;
    return p;
}

} // namespace

TEST(SoilEchoAllTypes, EnglishUnitsWithLrfd)
{
    const Profile pr = normaliseProfile(nineTypesEnglish());
    std::ostringstream text;
    ReportWriter out(&text);
    writeSoilEcho(out, pr);

    const char *kAlpha = "STRENGTH REDUCTION FACTOR-ALPHA", *kNc = "END BEARING COEFFICIENT-Nc",
               *kBeta = "SKIN FRICTION COEFFICIENT- BETA", *kCu = "UNDRAINED SHEAR STRENGTH, LB/SQ FT",
               *kPhi = "INTERNAL FRICTION ANGLE, DEG.", *kN = "BLOWS PER FOOT FROM STANDARD PENETRATION TEST",
               *kGamma = "SOIL UNIT WEIGHT, LB/CU FT", *kTran = "MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT",
               *kDepth = "DEPTH, FT", *kRfS = "LRFD RESISTANCE FACTOR (SIDE FRICTION)",
               *kRfT = "LRFD RESISTANCE FACTOR (TIP RESISTANCE)", *kBds = "DIAMETER OF SOCKET, FT",
               *kCs = "SPACING OF DISCONTINUITIES,FT", *kTd = "THICKNESS OF INDIVIDUAL DISCONTINUITIES,FT",
               *kQur = "UNIAXIAL COMPRESSION STRENGTH OF ROCK,LB/SQ FT",
               *kQc = "UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,LB/SQ FT",
               *kEl = "ELASTIC MODULUS FOR THE INTACT ROCK, LB/SQ IN.", *kRqd = "ROCK QUALITY DESIGNATION (RQD) %";
    Echo e;
    e.blank();
    e.blank();
    e.add("     SOIL INFORMATION");
    e.add("     ---------------");
    e.blank();
    auto lrfd = [&](const char *side, const char *tip) {
        e.add(row(kRfS, 51, side));
        e.add(row(kRfT, 51, tip));
        e.blank();
    };
    auto soil = [&](const char *cu, const char *phi, const char *n, const char *g, const char *t, const char *d) {
        e.add(row(kCu, 51, cu));
        e.add(row(kPhi, 51, phi));
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };

    // Shale 0 to 5 ft: cu / pa = 0.945, alpha 0.55; Nc 6 (1 + 0.2 z / 5) = 6.0 and 7.2, limited to 7.
    // The friction angle of clay types is echoed as zero.
    e.title("     LAYER NO 1----CLAY SHALE");
    e.add(row(kAlpha, 51, " 0.550E+00"));
    e.add(row(kNc, 51, " 0.600E+01"));
    soil(" 0.200E+04", " 0.000E+00", " 0.200E+02", " 0.125E+03", " 0.100E+11", " 0.000E+00");
    e.bottom();
    e.add(row(kAlpha, 51, " 0.550E+00"));
    e.add(row(kNc, 51, " 0.700E+01"));
    soil(" 0.200E+04", " 0.000E+00", " 0.250E+02", " 0.125E+03", " 0.100E+11", " 0.500E+01");
    lrfd(" 0.500E+00", " 0.400E+00");

    // Clay 5 to 15 ft: cu 4000 gives 0.55 - 0.1 (1.890 - 1.5) = 0.511, cu 6000 (x 2.83) 0.55;
    // Nc 6 x 1.2 = 7.2 and 6 x 1.6 = 9.6, limited to 9.
    e.title("     LAYER NO 2----CLAY");
    e.add(row(kAlpha, 51, " 0.511E+00"));
    e.add(row(kNc, 51, " 0.720E+01"));
    soil(" 0.400E+04", " 0.000E+00", " 0.000E+00", " 0.120E+03", " 0.400E+04", " 0.500E+01");
    e.bottom();
    e.add(row(kAlpha, 51, " 0.550E+00"));
    e.add(row(kNc, 51, " 0.900E+01"));
    soil(" 0.600E+04", " 0.000E+00", " 0.000E+00", " 0.122E+03", " 0.450E+04", " 0.150E+02");
    lrfd(" 0.450E+00", " 0.400E+00");

    // Sand by beta, 15 to 25 ft: 1.5 - 0.135 sqrt(15) = 0.977 (N 30); (1.5 - 0.675) x 12 / 15 = 0.660.
    e.title("     LAYER NO 3----SAND");
    e.add(row(kBeta, 51, " 0.977E+00"));
    soil(" 0.000E+00", " 0.000E+00", " 0.300E+02", " 0.118E+03", " 0.100E+11", " 0.150E+02");
    e.bottom();
    e.add(row(kBeta, 51, " 0.660E+00"));
    soil(" 0.000E+00", " 0.000E+00", " 0.120E+02", " 0.118E+03", " 0.100E+11", " 0.250E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    // Strong rock: no coefficient lines, labels closed by "=" in 52 characters; the modulus as entered.
    auto rock = [&](const char *bds, const char *cs, const char *td, const char *qu, const char *qc, const char *el,
                    const char *rqd, const char *d) {
        e.add(row(kBds, 52, bds));
        e.add(row(kCs, 52, cs));
        e.add(row(kTd, 52, td));
        e.add(row(kQur, 52, qu));
        e.add(row(kQc, 52, qc));
        e.add(row(kEl, 52, el));
        e.add(row(kRqd, 52, rqd));
        e.add(row(kDepth, 52, d));
        e.blank();
    };
    e.title("    LAYER NO  4----STRONG ROCK");
    rock(" 0.300E+01", " 0.100E+01", " 0.100E-01", " 0.150E+06", " 0.500E+06", " 0.100E+07", " 0.800E+02",
         " 0.250E+02");
    e.bottom();
    rock(" 0.300E+01", " 0.200E+01", " 0.200E-01", " 0.160E+06", " 0.500E+06", " 0.120E+07", " 0.900E+02",
         " 0.300E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    // Decomposed rock: gravel labels in 51 characters.
    auto deco = [&](const char *em, const char *nu, const char *n, const char *g, const char *t, const char *d) {
        e.add(row("ELASTIC MODULUS OF GRAVEL, LB/SQ IN", 51, em));
        e.add(row("POISSION RATIO OF GRAVEL", 51, nu));
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };
    e.title("    LAYER NO  5----DECOMPOSED ROCK");
    deco(" 0.200E+05", " 0.300E+00", " 0.500E+02", " 0.130E+03", " 0.100E+11", " 0.300E+02");
    e.bottom();
    deco(" 0.250E+05", " 0.350E+00", " 0.600E+02", " 0.135E+03", " 0.100E+11", " 0.350E+02");
    lrfd(" 0.600E+00", " 0.550E+00");

    auto weak = [&](const char *bds, const char *slump, const char *delta, const char *qu, const char *el,
                    const char *rqd, const char *d) {
        e.add(row(kBds, 52, bds));
        e.add(row("SLUMP OF CONCRETE, IN", 52, slump));
        e.add(row("ANGLE OF INTERFACE FRICTION, DEG.", 52, delta));
        e.add(row(kQur, 52, qu));
        e.add(row(kEl, 52, el));
        e.add(row(kRqd, 52, rqd));
        e.add(row(kDepth, 52, d));
        e.blank();
    };
    e.title("    LAYER NO  6----WEAK ROCK");
    weak(" 0.250E+01", " 0.700E+01", " 0.300E+02", " 0.200E+05", " 0.500E+06", " 0.500E+02", " 0.350E+02");
    e.bottom();
    weak(" 0.250E+01", " 0.800E+01", " 0.320E+02", " 0.300E+05", " 0.600E+06", " 0.600E+02", " 0.400E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    e.title("    LAYER NO  7----STRONG ROCK");
    rock(" 0.200E+01", " 0.500E+00", " 0.100E-02", " 0.144E+07", " 0.576E+06", " 0.200E+07", " 0.950E+02",
         " 0.400E+02");
    e.bottom();
    rock(" 0.220E+01", " 0.600E+00", " 0.200E-02", " 0.150E+07", " 0.576E+06", " 0.250E+07", " 0.100E+03",
         " 0.450E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    auto gravels = [&](const char *n, const char *g, const char *t, const char *d) {
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };
    // Gravelly sand 45 to 50 ft: 2.0 - 0.15 (0.3048 z)^0.75 = 0.931 and 0.843.
    e.title("    LAYER NO  8----GRAVELLEY SAND");
    e.add(row(kBeta, 51, " 0.931E+00"));
    gravels(" 0.300E+02", " 0.125E+03", " 0.100E+11", " 0.450E+02");
    e.bottom();
    e.add(row(kBeta, 51, " 0.843E+00"));
    gravels(" 0.350E+02", " 0.128E+03", " 0.100E+11", " 0.500E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    // Gravel with its coefficient given: echoed as given.
    e.title("    LAYER NO  9----GRAVEL");
    e.add(row(kBeta, 51, " 0.900E+00"));
    gravels(" 0.400E+02", " 0.130E+03", " 0.100E+11", " 0.500E+02");
    e.bottom();
    e.add(row(kBeta, 51, " 0.110E+01"));
    gravels(" 0.450E+02", " 0.130E+03", " 0.100E+11", " 0.600E+02");
    lrfd(" 0.550E+00", " 0.500E+00");

    expectSameLines(text.str(), e.text());
}

TEST(SoilEchoAllTypes, LabelsCloseAtTheirColumn)
{
    // The "=" sits in column 58 (7 + 51) for soil, gravel, coefficient and LRFD labels and in
    // column 59 (7 + 52) for strong and weak rock; the value follows in 10 columns.
    const Profile pr = normaliseProfile(nineTypesEnglish());
    std::ostringstream text;
    ReportWriter out(&text);
    writeSoilEcho(out, pr);
    int rockLayer = 0, layerNo = 0;
    for (const std::string &l : split(text.str())) {
        if (l.find("LAYER NO") != std::string::npos) {
            ++layerNo;
            rockLayer = (layerNo == 4 || layerNo == 6 || layerNo == 7) ? 1 : 0;
        }
        const std::size_t eq = l.find('=');
        if (eq == std::string::npos)
            continue;
        SCOPED_TRACE(l);
        const bool lrfdLine = l.find("LRFD") != std::string::npos;
        EXPECT_EQ(eq, static_cast<std::size_t>(lrfdLine ? 57 : 57 + rockLayer));
        EXPECT_EQ(l.size(), eq + 1 + 10);
    }
    EXPECT_EQ(layerNo, 9);
}

TEST(SoilEchoAllTypes, SiUnitsShowTheValuesAsEntered)
{
    ProjectInput p;
    p.IUNIT = 2;
    p.IMETHOD = 2;
    p.IDESIGN = 2;
    p.DSTART = 1.5f;
    p.DGH = 12;
    p.Ec = 2.5e7f;

    LayerInput sand = layer(1, 3);
    sand.ISAND = 2;
    set(sand.PHI, 30, 32);
    set(sand.BLOWS, 10, 20);
    set(sand.GAMMA, 18, 19);
    set(sand.TRANLM, 100, 150);
    LayerInput clay = layer(2, 6);
    set(clay.CU, 150, 200);
    set(clay.GAMMA, 19, 19.5f);
    LayerInput shale = layer(3, 9);
    set(shale.NC, 7, 8);
    set(shale.COEF, 0.4f, 0.5f);
    set(shale.CU, 300, 300);
    set(shale.GAMMA, 20, 20);
    LayerInput rock4 = layer(4, 10.5f);
    set(rock4.BDS, 1, 1);
    set(rock4.CS, 0.3f, 0.3f);
    set(rock4.DISCT, 0.003f, 0.003f);
    set(rock4.QUR, 20000, 25000);
    set(rock4.QUCON, 30000, 30000);
    set(rock4.EL, 2e7f, 2.5e7f);
    set(rock4.RQD, 70, 75);
    LayerInput deco = layer(5, 12);
    set(deco.EL, 150000, 200000);
    set(deco.POISSON, 0.3f, 0.3f);
    set(deco.BLOWS, 60, 70);
    set(deco.GAMMA, 20, 21);
    LayerInput weak = layer(6, 13.5f);
    set(weak.BDS, 0.9f, 0.9f);
    set(weak.SLUMP, 0.18f, 0.2f);
    set(weak.DELTA, 30, 30);
    set(weak.QUR, 5000, 6000);
    set(weak.EL, 1e6f, 1.2e6f);
    set(weak.RQD, 40, 45);
    LayerInput rock7 = layer(7, 15);
    set(rock7.BDS, 0.8f, 0.8f);
    set(rock7.CS, 0.2f, 0.25f);
    set(rock7.DISCT, 0.001f, 0.001f);
    set(rock7.QUR, 60000, 65000);
    set(rock7.QUCON, 40000, 40000);
    set(rock7.EL, 3e7f, 3e7f);
    set(rock7.RQD, 90, 95);
    LayerInput gsand = layer(8, 18);
    set(gsand.BLOWS, 30, 35);
    set(gsand.GAMMA, 20, 20.5f);
    set(gsand.TRANLM, 200, 200);
    LayerInput gravel = layer(9, 21);
    set(gravel.BLOWS, 40, 45);
    set(gravel.GAMMA, 21, 21);
    p.layers = {sand, clay, shale, rock4, deco, weak, rock7, gsand, gravel};
    p.NLAYER = 9;

    const Profile pr = normaliseProfile(p);
    std::ostringstream text;
    ReportWriter out(&text);
    writeSoilEcho(out, pr);

    const char *kAlpha = "STRENGTH REDUCTION FACTOR-ALPHA", *kNc = "END BEARING COEFFICIENT-Nc",
               *kBeta = "SKIN FRICTION COEFFICIENT- BETA", *kCu = "UNDRAINED SHEAR STRENGTH, KN/SQ M",
               *kPhi = "INTERNAL FRICTION ANGLE, DEG.", *kN = "BLOWS PER FOOT FROM STANDARD PENETRATION TEST",
               *kGamma = "SOIL UNIT WEIGHT, KN/CU M", *kTran = "MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M",
               *kDepth = "DEPTH, M", *kQur = "UNIAXIAL COMPRESSION STRENGTH OF ROCK,KN/SQ M",
               *kEl = "ELASTIC MODULUS FOR THE INTACT ROCK, KN/SQ M", *kRqd = "ROCK QUALITY DESIGNATION (RQD) %";
    Echo e;
    e.blank();
    e.blank();
    e.add("     SOIL INFORMATION");
    e.add("     ---------------");
    e.blank();
    auto soil = [&](const char *cu, const char *phi, const char *n, const char *g, const char *t, const char *d) {
        e.add(row(kCu, 51, cu));
        e.add(row(kPhi, 51, phi));
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };
    // Sand by beta, z in feet: at the surface 1.5 x 10 / 15 = 1.0; at 3 m (9.842 ft)
    // 1.5 - 0.135 x 3.137 = 1.076 (N 20, no reduction).
    e.title("     LAYER NO 1----SAND");
    e.add(row(kBeta, 51, " 0.100E+01"));
    soil(" 0.000E+00", " 0.300E+02", " 0.100E+02", " 0.180E+02", " 0.100E+03", " 0.000E+00");
    e.bottom();
    e.add(row(kBeta, 51, " 0.108E+01"));
    soil(" 0.000E+00", " 0.320E+02", " 0.200E+02", " 0.190E+02", " 0.150E+03", " 0.300E+01");

    // Clay: 150 kN/m2 = 3133 psf (x 1.480) gives 0.55; 200 = 4177 psf (x 1.973) gives 0.503.
    // Nc 6 (1 + 0.2 x 3 / 1.5) = 8.4 and 6 x 1.8 = 10.8, limited to 9.
    e.title("     LAYER NO 2----CLAY");
    e.add(row(kAlpha, 51, " 0.550E+00"));
    e.add(row(kNc, 51, " 0.840E+01"));
    soil(" 0.150E+03", " 0.000E+00", " 0.000E+00", " 0.190E+02", " 0.100E+11", " 0.300E+01");
    e.bottom();
    e.add(row(kAlpha, 51, " 0.503E+00"));
    e.add(row(kNc, 51, " 0.900E+01"));
    soil(" 0.200E+03", " 0.000E+00", " 0.000E+00", " 0.195E+02", " 0.100E+11", " 0.600E+01");

    e.title("     LAYER NO 3----CLAY SHALE");
    e.add(row(kAlpha, 51, " 0.400E+00"));
    e.add(row(kNc, 51, " 0.700E+01"));
    soil(" 0.300E+03", " 0.000E+00", " 0.000E+00", " 0.200E+02", " 0.100E+11", " 0.600E+01");
    e.bottom();
    e.add(row(kAlpha, 51, " 0.500E+00"));
    e.add(row(kNc, 51, " 0.800E+01"));
    soil(" 0.300E+03", " 0.000E+00", " 0.000E+00", " 0.200E+02", " 0.100E+11", " 0.900E+01");

    auto rock = [&](const char *bds, const char *cs, const char *td, const char *qu, const char *qc, const char *el,
                    const char *rqd, const char *d) {
        e.add(row("DIAMETER OF SOCKET,M", 52, bds));
        e.add(row("SPACING OF DISCONTINUITIES,M", 52, cs));
        e.add(row("THICKNESS OF INDIVIDUAL DISCONTINUITIES,M", 52, td));
        e.add(row(kQur, 52, qu));
        e.add(row("UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,KN/SQ M", 52, qc));
        e.add(row(kEl, 52, el));
        e.add(row(kRqd, 52, rqd));
        e.add(row(kDepth, 52, d));
        e.blank();
    };
    // Rock strengths, spacings and socket diameters are converted only after the echo.
    e.title("    LAYER NO  4----STRONG ROCK");
    rock(" 0.100E+01", " 0.300E+00", " 0.300E-02", " 0.200E+05", " 0.300E+05", " 0.200E+08", " 0.700E+02",
         " 0.900E+01");
    e.bottom();
    rock(" 0.100E+01", " 0.300E+00", " 0.300E-02", " 0.250E+05", " 0.300E+05", " 0.250E+08", " 0.750E+02",
         " 0.105E+02");

    auto deco5 = [&](const char *em, const char *nu, const char *n, const char *g, const char *t, const char *d) {
        e.add(row("ELASTIC MODULUS OF GRAVEL, KN/SQ M", 51, em));
        e.add(row("POISSION RATIO OF GRAVEL", 51, nu));
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };
    e.title("    LAYER NO  5----DECOMPOSED ROCK");
    deco5(" 0.150E+06", " 0.300E+00", " 0.600E+02", " 0.200E+02", " 0.100E+11", " 0.105E+02");
    e.bottom();
    deco5(" 0.200E+06", " 0.300E+00", " 0.700E+02", " 0.210E+02", " 0.100E+11", " 0.120E+02");

    auto weak6 = [&](const char *bds, const char *slump, const char *delta, const char *qu, const char *el,
                     const char *rqd, const char *d) {
        e.add(row("DIAMETER OF SOCKET, M", 52, bds));
        e.add(row("SLUMP OF CONCRETE, M", 52, slump));
        e.add(row("ANGLE OF INTERFACE FRICTION, DEG.", 52, delta));
        e.add(row(kQur, 52, qu));
        e.add(row(kEl, 52, el));
        e.add(row(kRqd, 52, rqd));
        e.add(row(kDepth, 52, d));
        e.blank();
    };
    e.title("    LAYER NO  6----WEAK ROCK");
    weak6(" 0.900E+00", " 0.180E+00", " 0.300E+02", " 0.500E+04", " 0.100E+07", " 0.400E+02", " 0.120E+02");
    e.bottom();
    weak6(" 0.900E+00", " 0.200E+00", " 0.300E+02", " 0.600E+04", " 0.120E+07", " 0.450E+02", " 0.135E+02");

    e.title("    LAYER NO  7----STRONG ROCK");
    rock(" 0.800E+00", " 0.200E+00", " 0.100E-02", " 0.600E+05", " 0.400E+05", " 0.300E+08", " 0.900E+02",
         " 0.135E+02");
    e.bottom();
    rock(" 0.800E+00", " 0.250E+00", " 0.100E-02", " 0.650E+05", " 0.400E+05", " 0.300E+08", " 0.950E+02",
         " 0.150E+02");

    auto gravels = [&](const char *n, const char *g, const char *t, const char *d) {
        e.add(row(kN, 51, n));
        e.add(row(kGamma, 51, g));
        e.add(row(kTran, 51, t));
        e.add(row(kDepth, 51, d));
        e.blank();
    };
    // Depth in feet for the gravel relations: 15 m = 49.21 ft, 18 m = 59.05 ft, 21 m = 68.90 ft.
    e.title("    LAYER NO  8----GRAVELLEY SAND");
    e.add(row(kBeta, 51, " 0.857E+00"));
    gravels(" 0.300E+02", " 0.200E+02", " 0.200E+03", " 0.150E+02");
    e.bottom();
    e.add(row(kBeta, 51, " 0.689E+00"));
    gravels(" 0.350E+02", " 0.205E+02", " 0.200E+03", " 0.180E+02");

    e.title("    LAYER NO  9----GRAVEL");
    e.add(row(kBeta, 51, " 0.736E+00"));
    gravels(" 0.400E+02", " 0.210E+02", " 0.100E+11", " 0.180E+02");
    e.bottom();
    e.add(row(kBeta, 51, " 0.571E+00"));
    gravels(" 0.450E+02", " 0.210E+02", " 0.100E+11", " 0.210E+02");

    expectSameLines(text.str(), e.text());
}
