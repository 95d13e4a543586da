#include "settlement.h"

#include <fstream>
#include <string>

#include "rocksettle.h"

namespace engine {

void runSettlement(SettlementState &s, Real T, int NRL, const TzInput &tz, const RockContext &rock,
                   ReportWriter &report, ReportWriter &runtime, const std::string &tzDataPath, int &IERR)
{
    if (T < 4 || T > 7) {
        for (int mode = 1; mode <= 3; ++mode) {
            s.MODE = mode;
            std::ofstream tzdata;
            if (!tzDataPath.empty())
                tzdata.open(tzDataPath, std::ios::binary | std::ios::trunc);
            TZPILE(tz, mode, s.table, report, runtime, tzdata.is_open() ? &tzdata : nullptr, IERR);
            if (IERR > 0)
                return;
        }
    }
    if (NRL > 0 && (T == 4 || T == 7))
        SETROCK(rock, s.table, report, runtime);
    if (T == 5)
        SETDECO(rock, s.table, report, runtime);
    rock.rock->weakModulus = {};
    if (NRL > 0 && T == 6)
        SETWEAK(rock, s.table, report, runtime);
}

namespace {

void r4(ReportWriter &plot, Real a, Real b, Real c, Real d)
{
    plot.blanks(1).E(a, 10, 3).blanks(1).E(b, 10, 3).blanks(1).E(c, 10, 3).blanks(1).E(d, 10, 3).end();
}

} // namespace

void writeSettlementOutput(const SettlementState &s, bool si, ReportWriter &report, ReportWriter &plot)
{
    const SettlementTable &t = s.table;
    if (s.MODE > 1) {
        for (int pair = 0; pair < 3; ++pair)
            for (int i = 0; i < 15; ++i)
                r4(plot, t.QTOP[i][2 * pair], t.WTOP[i][2 * pair], t.QTOP[i][2 * pair + 1], t.WTOP[i][2 * pair + 1]);
        return;
    }
    report.blank();
    if (si) {
        report.blanks(22).text("TOP  LOAD     TOP MOVEMENT        ").end();
        report.blanks(22).text("   kN              M             ").end();
    } else {
        report.blanks(22).text("TOP  LOAD     TOP MOVEMENT     ").end();
        report.blanks(22).text("   TONS             IN.       ").end();
    }
    for (int i = 0; i < 15; ++i) {
        r4(plot, t.QTOP[i][0], t.WTOP[i][0], t.QTOP[i][1], t.WTOP[i][1]);
        report.blanks(13).E(t.QTOP[i][0], 17, 4).E(t.WTOP[i][0], 17, 4).end();
    }
}

} // namespace engine
