#include "capacity_report.h"

#include "geomaterial.h"

#include <vector>

#include "fortran_format.h"

namespace engine {
namespace {

void lines(ReportWriter &out, const std::vector<std::string> &texts)
{
    for (const std::string &t : texts)
        out.line(t);
}

} // namespace

void writeShaftBlock(ReportWriter &out, const Profile &pr, const Shaft &s)
{
    const bool si = pr.si();
    const Real len = si ? kFtPerM : 1;
    const std::string ft = si ? "M" : "FT.";
    auto value = [&](const char *label, Real v, const std::string &unit) {
        out.line(std::string("      ") + label + fmtF(v, 9, 3) + "  " + unit);
    };
    out.blank(2);
    out.label("DRILLED SHAFT INFORMATION");
    value("DIAMETER OF STEM          =", s.D / len, ft);
    value("DIAMETER OF BASE          =", s.DB / len, ft);
    value("END OF STEM TO BASE       =", s.HBELL / len, ft);
    value("ANGLE OF BELL             =", pr.input.BELANG, "DEG.");
    value("IGNORED TOP PORTION       =", pr.run.TOPLENG / len, ft);
    value("IGNORED BOTTOM PORTION    =", pr.input.BS, ft);
    value("AREA OF ONE PERCENT STEEL =", si ? s.steelArea * 0.00064516f : s.steelArea, si ? "SQ. M" : "SQ.IN.");
    out.line("      ELASTIC MODULUS, Ec       =" + fmtE(pr.input.Ec, 10, 3) + " " + (si ? "KN/SQ M" : "LB/SQ IN"));
    value("VOLUME OF UNDERREAM       =", si ? s.VOLBELL / kCuYdPerCuM : s.VOLBELL, si ? "CU. M" : "CU.YDS.");
    out.blank(2);
}

void writeLegendAndHeads(ReportWriter &out, const Profile &pr)
{
    const bool lrfd = pr.run.IMETHOD == 1;
    const bool si = pr.si();
    const bool uplift = pr.run.ILOAD == 2;
    out.blank(2);
    out.label("PREDICTED RESULTS");
    out.blank();
    const std::vector<std::string> fs = {"QS     = ULTIMATE SIDE RESISTANCE;",
                                         "QB     = ULTIMATE BASE RESISTANCE;",
                                         "WT     = WEIGHT OF DRILLED SHAFT (FOR UPLIFT CAPACITY ONLY);",
                                         "QU     = TOTAL ULTIMATE RESISTANCE;",
                                         "QBD    = TOTAL ALLOWABLE LOAD USING A FACTOR OF SAFETY",
                                         "         APPLIED TO THE ULTIMATE BASE RESISTANCE;",
                                         "QDN    = TOTAL ALLOWABLE LOAD USING FACTORS OF SAFETY",
                                         "         APPLIED TO THE ULTIMATE SIDE RESISTANCE AND",
                                         "         THE ULTIMATE BASE RESISTANCE."};
    const std::vector<std::string> lr = {"QS      = ULTIMATE SIDE RESISTANCE;",
                                         "QB      = ULTIMATE BASE RESISTANCE;",
                                         "WT      = WEIGHT OF DRILLED SHAFT (UPLIFT CAPACITY ONLY);",
                                         "QU      = TOTAL ULTIMATE RESISTANCE;",
                                         "LRFD QS = TOTAL SIDE FRICTION USING LRFD RESISTANCE FACTOR",
                                         "          TO THE ULTIMATE SIDE RESISTANCE;",
                                         "LRFD QB = TOTAL BASE BEARING USING LRFD RESISTANCE FACTOR",
                                         "          TO THE ULTIMATE BASE RESISTANCE",
                                         "LRFD QU = TOTAL CAPACITY WITH LRFD RESISTANCE FACTOR."};
    for (const std::string &t : lrfd ? lr : fs)
        out.line("     " + t);
    out.blank();
    std::string head, units;
    if (!si) {
        if (!lrfd)
            head = uplift ? "     LENGTH  VOLUME     QS      WT      QU       QBD      QDN      QU/VOLUME"
                          : "     LENGTH  VOLUME     QS      QB      QU       QBD      QDN      QU/VOLUME";
        else
            head = uplift ? "     LENGTH  VOLUME     QS      WT      QU     LRFD QS      WT   LRFD QU"
                          : "     LENGTH  VOLUME     QS      QB      QU     LRFD QS  LRFD QB   LRFD QU";
        units = lrfd ? "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)    (TONS)"
                     : "     (FEET)  (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)  (TONS/CU.YDS)";
    } else {
        if (!lrfd)
            head = uplift ? "     LENGTH  VOLUME    QS     WT        QU       QBD     QDN     QU/VOLUME"
                          : "     LENGTH  VOLUME    QS     QB        QU       QBD     QDN     QU/VOLUME";
        else
            head = uplift ? "     LENGTH  VOLUME    QS     WT        QU      LRFD QS  LRFD QB   LRFD QU"
                          : "     LENGTH  VOLUME    QS     QB        QU      LRFD QS  LRFD QB   LRFD QU";
        units = uplift ? "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN ) "
                       : "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN /CU.M) ";
    }
    out.line(head);
    out.line(units);
}

void writeStepNote(const StepNote &note, ReportWriter &report, ReportWriter &runtime)
{
    auto framedPlain = [](ReportWriter &out, const char *stars, const std::vector<std::string> &texts) {
        out.blank(2);
        out.line(stars);
        lines(out, texts);
        out.blank(2);
    };
    switch (note.kind) {
    case StepMessage::MissingUnitWeight:
        framedPlain(runtime, kErrorStars,
                    {"PLEASE INPUT THE TOTAL UNIT WEIGHT FOR THE SOIL.  THE PROGRAM",
                     "WILL CONSIDER THE SUBMERGED UNIT WEIGHT INTERNALLY IF THE SOIL",
                     "IS BELOW THE WATER TABLE WHICH SHOULD BE ENTERED BY THE USER"});
        break;
    case StepMessage::MissingSandStrength:
        framedPlain(runtime, kErrorStars,
                    {"PLEASE INPUT EITHER THE N-VALUE FROM STANDARD PENETRATION TESTS",
                     "OR THE INTERNAL FRICTION ANGLE FOR SAND LAYERS"});
        break;
    case StepMessage::GravelBlowCount:
        for (ReportWriter *out : {&report, &runtime}) {
            out->blank(2);
            out->line("*****************WARNING*********************");
            out->line("       Blow counts should be greater than 25 for this criterion.");
            out->line("       Select other soil criteria and do not use this output data.");
            out->blank();
        }
        break;
    case StepMessage::ClayFromBlowCount:
        framedPlain(report, kWarningStars,
                    {"THE PREDICTED LOAD TRANSFER IN CLAY BASED ON THE N-VALUE",
                     "FROM STANDARD PENETRATION TESTS IS NOT RECOMMENDED FOR",
                     "THE FINAL DESIGN.  PLEASE INPUT THE UNDRAIDED SHEAR",
                     "STRENGTH FOR CLAY LAYERS IN THE FINAL DESIGN."});
        break;
    case StepMessage::WeakSocketWarning:
        for (ReportWriter *out : {&runtime, &report})
            writeSocketWarning(*out, {note.text, note.value, note.lines});
        break;
    case StepMessage::GeomaterialError:
        runtime.error({note.text});
        report.error({note.text});
        break;
    case StepMessage::SandBlowsOver50:
        lines(report, {"                 WARNING MESSAGE                ",
                       "  ------------------------------------------------------------",
                       "                BLOWS PER FOOT IS = " + fmtF(note.value, 8, 2),
                       "  UNIT TIP RESISTANCE IS LIMITED TO 30 TSF IF SPT-N IS OVER 50.",
                       "  LOADING TEST IS RECOMMENDED FOR USING HIGHER VALUE."});
        report.blank(2);
        break;
    }
}

std::string capacityRowText(const std::array<Real, 8> &v, bool si)
{
    const int d = si ? 1 : 2;
    std::string s = " " + fmtF(v[0], 8, 1) + " " + fmtF(v[1], 8, d);
    for (int c = 2; c <= 6; ++c)
        s += fmtF(v[c], 9, d);
    return s + " " + fmtF(v[7], 9, 2);
}

void writeCapacityPlot(ReportWriter &plot, const Profile &pr, int diameters, const CapacityTable &t, int MODE)
{
    const bool lrfd = pr.run.IMETHOD == 1;
    plot.line(" " + std::to_string(diameters) + " " + std::to_string(t.rows.size() + 2) + " " +
              std::to_string(MODE));
    plot.line("   0.0  0.0  0.0  0.0  0.0 0.0  0.0  ");
    const Real first = t.rows.empty() ? Real(0) : t.rows.front().out[0];
    plot.line(" " + fmtE(first, 10, 3) + "   0.0   0.0  0.0 0.0  0.0  0.0 ");
    auto e = [](Real v) { return " " + fmtE(v, 10, 3); };
    for (const CapacityRow &row : t.rows) {
        const auto &v = row.out;
        plot.line(e(v[0]) + e(v[2]) + e(v[3]) + e(v[4]) + (lrfd ? e(v[5]) : e(v[2] / pr.run.FST)));
        plot.line(lrfd ? e(v[6]) + e(v[7]) : e(v[3] / pr.run.FSB) + e(v[6]));
    }
}

void writeBestShaft(ReportWriter &out, const BestShaft &b, bool si)
{
    out.blank(2);
    out.line(" THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE APPEARS TO BE THE FOLLOWING ONE:");
    out.blank();
    const std::string gap = si ? " " : "";
    const int dd = si ? 1 : 2;
    out.line("  DIAMETER OF STEM       =" + gap + fmtFWide(b.D, 5, dd) + (si ? " M" : " FT."));
    out.blank();
    out.line("  DIAMETER OF BASE       =" + gap + fmtFWide(b.DB, 5, dd) + (si ? " M" : " FT."));
    out.blank();
    out.line("  ESTIMATED SHAFT LENGTH =" + gap + fmtFWide(b.length, 5, 0) + (si ? " M" : " FT."));
    out.blank();
    out.line("  VOLUME OF CONCRETE     =" + gap + fmtFWide(b.volume, 7, 2) + (si ? " CU.M" : " CU.YDS."));
    out.blank();
    out.line("  ULTIMATE LOAD CAPACITY =" + gap + fmtFWide(b.QU, 10, 2) + (si ? " KN  " : " TONS"));
    out.blank();
    out.line("  QU/VOLUME OF CONCRETE  =" + gap + fmtFWide(b.value, 7, 2) + (si ? " KN /CU.M" : " TONS/CU.YD."));
}

void writeRockNote(ReportWriter &report)
{
    report.blank(2);
    report.line("     ROCK WITH COMPRESSIVE STRENGTH LESS THAN 1000 PSI (6894 kPA)");
    report.line("     " + std::string(60, '-'));
    report.line("     IF THE SETTLEMENT IS LESS THAN 0.4 IN. (10 mm), THE LOAD IS");
    report.line("     CARRIED ENTIRELY IN SIDE RESISTANCE.  IF THE SETTLEMENT IS");
    report.line("     GREATER THAN 0.4 IN. (10 MM), THE LOAD IS CARRIED ENTIRELY");
    report.line("     IN END BEARING.");
}

void writeNeedAnotherLayer(ReportWriter &out)
{
    out.blank();
    out.line("   *********** NEED ANOTHER SOIL LAYER ************");
}

} // namespace engine
