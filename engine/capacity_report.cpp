#include "capacity_report.h"

#include <initializer_list>

#include "geomaterial.h"

namespace engine {
namespace {

void lines(ReportWriter &out, std::initializer_list<const char *> texts)
{
    for (const char *t : texts)
        out.line(t);
}

} // namespace

void writeShaftBlock(ReportWriter &out, const Profile &pr, const Shaft &s)
{
    const bool si = pr.si();
    const Real len = si ? kFtPerM : 1;
    const char *ft = si ? "M" : "FT.";
    auto value = [&](const char *label, Real v, const char *unit) {
        out.blanks(6).text(label).F(v, 9, 3).text("  ").text(unit).end();
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
    out.text("      ELASTIC MODULUS, Ec       =").E(pr.input.Ec, 10, 3).text(si ? " KN/SQ M" : " LB/SQ IN").end();
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
    static const char *const fs[] = {"QS     = ULTIMATE SIDE RESISTANCE;",
                                     "QB     = ULTIMATE BASE RESISTANCE;",
                                     "WT     = WEIGHT OF DRILLED SHAFT (FOR UPLIFT CAPACITY ONLY);",
                                     "QU     = TOTAL ULTIMATE RESISTANCE;",
                                     "QBD    = TOTAL ALLOWABLE LOAD USING A FACTOR OF SAFETY",
                                     "         APPLIED TO THE ULTIMATE BASE RESISTANCE;",
                                     "QDN    = TOTAL ALLOWABLE LOAD USING FACTORS OF SAFETY",
                                     "         APPLIED TO THE ULTIMATE SIDE RESISTANCE AND",
                                     "         THE ULTIMATE BASE RESISTANCE."};
    static const char *const lr[] = {"QS      = ULTIMATE SIDE RESISTANCE;",
                                     "QB      = ULTIMATE BASE RESISTANCE;",
                                     "WT      = WEIGHT OF DRILLED SHAFT (UPLIFT CAPACITY ONLY);",
                                     "QU      = TOTAL ULTIMATE RESISTANCE;",
                                     "LRFD QS = TOTAL SIDE FRICTION USING LRFD RESISTANCE FACTOR",
                                     "          TO THE ULTIMATE SIDE RESISTANCE;",
                                     "LRFD QB = TOTAL BASE BEARING USING LRFD RESISTANCE FACTOR",
                                     "          TO THE ULTIMATE BASE RESISTANCE",
                                     "LRFD QU = TOTAL CAPACITY WITH LRFD RESISTANCE FACTOR."};
    for (const char *t : lrfd ? lr : fs)
        out.blanks(5).text(t).end();
    out.blank();
    const char *head, *units;
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
    auto framedPlain = [](ReportWriter &out, const char *stars, std::initializer_list<const char *> texts) {
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
                       "  ------------------------------------------------------------"});
        report.text("                BLOWS PER FOOT IS = ").F(note.value, 8, 2).end();
        lines(report, {"  UNIT TIP RESISTANCE IS LIMITED TO 30 TSF IF SPT-N IS OVER 50.",
                       "  LOADING TEST IS RECOMMENDED FOR USING HIGHER VALUE."});
        report.blank(2);
        break;
    }
}

void writeCapacityRow(ReportWriter &out, const std::array<Real, 8> &v, bool si)
{
    const int d = si ? 1 : 2;
    out.blanks(1).F(v[0], 8, 1).blanks(1).F(v[1], 8, d);
    for (int c = 2; c <= 6; ++c)
        out.F(v[c], 9, d);
    out.blanks(1).F(v[7], 9, 2).end();
}

void writeCapacityPlot(ReportWriter &plot, const Profile &pr, int diameters, const CapacityTable &t, int MODE)
{
    const bool lrfd = pr.run.IMETHOD == 1;
    plot.integers({diameters, static_cast<long long>(t.rows.size()) + 2, MODE}).end();
    plot.line("   0.0  0.0  0.0  0.0  0.0 0.0  0.0  ");
    const Real first = t.rows.empty() ? Real(0) : t.rows.front().out[0];
    plot.blanks(1).E(first, 10, 3).text("   0.0   0.0  0.0 0.0  0.0  0.0 ").end();
    auto e = [&](Real v) -> ReportWriter & { return plot.blanks(1).E(v, 10, 3); };
    for (const CapacityRow &row : t.rows) {
        const auto &v = row.out;
        e(v[0]);
        e(v[2]);
        e(v[3]);
        e(v[4]);
        e(lrfd ? v[5] : v[2] / pr.run.FST).end();
        if (lrfd) {
            e(v[6]);
            e(v[7]).end();
        } else {
            e(v[3] / pr.run.FSB);
            e(v[6]).end();
        }
    }
}

void writeBestShaft(ReportWriter &out, const BestShaft &b, bool si)
{
    out.blank(2);
    out.line(" THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE APPEARS TO BE THE FOLLOWING ONE:");
    out.blank();
    const int gap = si ? 1 : 0;
    const int dd = si ? 1 : 2;
    out.text("  DIAMETER OF STEM       =").blanks(gap).FWide(b.D, 5, dd).text(si ? " M" : " FT.").end();
    out.blank();
    out.text("  DIAMETER OF BASE       =").blanks(gap).FWide(b.DB, 5, dd).text(si ? " M" : " FT.").end();
    out.blank();
    out.text("  ESTIMATED SHAFT LENGTH =").blanks(gap).FWide(b.length, 5, 0).text(si ? " M" : " FT.").end();
    out.blank();
    out.text("  VOLUME OF CONCRETE     =").blanks(gap).FWide(b.volume, 7, 2).text(si ? " CU.M" : " CU.YDS.").end();
    out.blank();
    out.text("  ULTIMATE LOAD CAPACITY =").blanks(gap).FWide(b.QU, 10, 2).text(si ? " KN  " : " TONS").end();
    out.blank();
    out.text("  QU/VOLUME OF CONCRETE  =").blanks(gap).FWide(b.value, 7, 2);
    out.text(si ? " KN /CU.M" : " TONS/CU.YD.").end();
}

void writeRockNote(ReportWriter &report)
{
    report.blank(2);
    report.line("     ROCK WITH COMPRESSIVE STRENGTH LESS THAN 1000 PSI (6894 kPA)");
    report.blanks(5).fill('-', 60).end();
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
