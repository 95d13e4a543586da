#include "capacity.h"

#include <cmath>

#include "capacity_report.h"
#include "profile.h"
#include "reader.h"
#include "resistance.h"
#include "result_codes.h"
#include "settlement.h"
#include "shaft_table.h"
#include "tz.h"

namespace engine {
namespace {

constexpr Real kDiameterStep = 0.5f; // ft

// The trial diameters the loop will analyse; the plot file announces exactly these.
int diameterCount(const ProjectInput &run)
{
    int count = 0;
    Real D = run.DSTART;
    do {
        ++count;
        D = D + kDiameterStep;
    } while (run.DIALIM + 0.02f > D && count < 100000);
    return count;
}

TzInput tzInput(const Profile &pr, const Shaft &s, const DepthWalk &walk, const CapacityTable &t)
{
    TzInput in;
    in.NROWS = static_cast<int>(t.rows.size());
    in.D = s.D;
    in.DBASE = s.DB;
    in.EcEntered = pr.input.Ec;
    for (std::size_t i = 0; i < pr.layers.size(); ++i) {
        const Layer &L = pr.layers[i];
        const LayerWalk &lw = walk.layers[i];
        in.layers.push_back({L.TYPE, L.TOP, L.DEPTH, lw.firstF, lw.lastF, lw.firstQb, lw.lastQb});
    }
    const CapacityRow &last = t.rows.back();
    in.L = last.L;
    in.HB = s.HBELL + pr.run.BS;
    in.QB = last.QB;
    in.TOPLENG = pr.run.TOPLENG;
    for (const CapacityRow &row : t.rows)
        in.side.push_back({row.L, row.f});
    in.tipType = pr.layers[last.tipLayer].TYPE;
    in.si = pr.si();
    return in;
}

} // namespace

void CAPACITY(RunChannels &ch, int &IERR)
{
    const ReadResult read = readProject(ch.input);
    writeInputEcho(read, ch.report, ch.runtime, ch.console);
    if (read.failure) {
        IERR = kInputError;
        return;
    }

    Profile pr = normaliseProfile(read.project);
    const bool si = pr.si();
    for (ReportWriter *out : {&ch.console, &ch.report}) {
        writeSafetyFactors(*out, pr);
        writeSoilEcho(*out, pr);
    }
    convertRockAfterEcho(pr);

    RunRock rock;
    SettlementState settle;
    BestShaft best;
    const int diameters = diameterCount(pr.run);
    Real D = pr.run.DSTART;
    for (int trial = 0; trial < diameters; ++trial) {
        Shaft shaft = shaftGeometry(pr.run, D);
        rock.weakFirstQS = 0;
        for (ReportWriter *out : {&ch.console, &ch.report}) {
            writeShaftBlock(*out, pr, shaft);
            writeLegendAndHeads(*out, pr);
        }
        const DepthWalk walk = walkProfile(pr, shaft, rock);
        for (const StepNote &note : walk.notes)
            writeStepNote(note, ch.report, ch.runtime);
        const CapacityTable table = capacityTable(pr, shaft, walk);
        if (table.tooShort) {
            ch.runtime.blank();
            ch.runtime.line("       INCREASE THE SOIL DEPTH TO GIVE ENOUGH LENGTH FOR");
            ch.runtime.line("       COMPUTING THE BASE RESISTANCE- AT LEAST TWO DIAMETER");
        }
        for (const CapacityRow &row : table.rows) {
            writeCapacityRow(ch.console, row.out, si);
            if (pr.run.IDESIGN == 1)
                writeCapacityRow(ch.report, row.out, si);
        }
        const bool needLayer = pr.run.IDESIGN == 1 && !table.stopped;
        if (pr.run.IDESIGN == 2 || needLayer)
            for (const auto &v : interpolatedTable(pr, shaft, table))
                writeCapacityRow(ch.report, v, si);
        if (pr.run.IDESIGN == 2 && !table.rows.empty() && table.rows.back().L < pr.run.DGH) {
            ch.console.blank(2);
            ch.console.line(" NOTE: Please add at least 2-diameter depth to the ");
            ch.console.line("       soil profile for program to compute the tip");
            ch.console.line("       resistance at the proposed shaft length.");
        }
        if (needLayer) {
            for (ReportWriter *out : {&ch.console, &ch.runtime, &ch.report})
                writeNeedAnotherLayer(*out);
            IERR = kNeedAnotherLayer;
            return;
        }

        if (!table.rows.empty()) {
            const CapacityRow &last = table.rows.back();
            const TzInput tz = tzInput(pr, shaft, walk, table);
            const Real T = pr.layers[last.tipLayer].SOIL;
            const RockContext context{&pr, &shaft, &walk, &last, &rock};
            const int NRL = rockLayersBelowFirst(pr, last.tipLayer);
            runSettlement(settle, T, NRL, tz, context, ch.report, ch.runtime, "TZDATA.DAT", IERR);
            if (IERR > 0)
                return;
            // With LRFD the last column is a capacity; efficiency is that capacity per volume.
            const Real efficiency =
                pr.run.IMETHOD == 1 ? (last.out[1] > 0 ? last.out[7] / last.out[1] : 0) : last.out[7];
            if (efficiency > best.value) {
                const Real len = si ? kFtPerM : 1;
                best = {last.out[0], shaft.D / len, shaft.DB / len, efficiency, last.out[1], last.out[4]};
            }
        }
        writeCapacityPlot(ch.plot, pr, diameters, table, settle.MODE);
        writeSettlementOutput(settle, si, ch.report, ch.plot);
        D = D + kDiameterStep;
    }

    if (best.value > 0)
        for (ReportWriter *out : {&ch.console, &ch.report})
            writeBestShaft(*out, best, si);
    if (rock.lastRockPsi < 1000 && pr.layers.back().TYPE == 4)
        writeRockNote(ch.report);
    if (rock.impossibleInput && IERR == 0)
        IERR = kRockInputError;
}

} // namespace engine
