#include "strong_rock.h"

#include <cmath>

#include "report.h"
#include "rock_tables.h"

namespace engine {

void writeLoadSettlementHeading(ReportWriter &report)
{
    report.blank(2);
    report.blanks(15).text("       LOAD SETTLEMENT RELATIONSHIP      ").end();
    report.blanks(15).text("------------------------------------------   ").end();
}

StrongRockResult SETROCK(const StrongRockInput &in, SettlementTable &table)
{
    StrongRockResult result;
    const int NL = in.NL;
    auto &Q = table.QTOP;
    auto &W = table.WTOP;
    for (int k = 0; k < 15; ++k)
        W[k][0] = W[k][1] = 0;

    // The bottom run of layers below the first that are not soil forms the socket.
    int NROCK = 0;
    Real sumRqd = 0, sumEl = 0;
    for (int i = 2; i <= NL; ++i) {
        if (in.type[i] <= 3)
            continue;
        const Real thickness = in.depth[i] - in.depth[i - 1];
        ++NROCK;
        sumRqd += (in.RQDtop[i] + in.RQDbottom[i]) / 2 * thickness;
        sumEl += (in.ELtop[i] + in.ELbottom[i]) / 2 * thickness;
    }
    if (NROCK == 0) {
        result.error = "NO ROCK LAYER LIES BELOW THE FIRST LAYER: THE ROCK SOCKET HAS NO LENGTH.";
        return result;
    }
    const int top = NL - NROCK;
    Real TROCK = in.depth[NL] - in.depth[top];
    const Real ZR = in.depth[top];
    Real RQDAVG, ELAVG;
    if (TROCK > 0) {
        RQDAVG = sumRqd / TROCK;
        ELAVG = sumEl / TROCK;
    } else {
        // The stop row at the rock top leaves a socket of no length: the tip layer's own means.
        TROCK = 0;
        RQDAVG = (in.RQDtop[NL] + in.RQDbottom[NL]) / 2;
        ELAVG = (in.ELtop[NL] + in.ELbottom[NL]) / 2;
    }
    const Real Ds = in.DRATIO * in.BDS;
    result.Ds = Ds;
    const Real Em = ELAVG * strongRockModulusRatio(RQDAVG);
    if (!(Ds > 0) || !(Em > 0) || !(in.Ec > 0) || !(in.D > 0)) {
        result.error = "THE ROCK SOCKET NEEDS A POSITIVE SOCKET DIAMETER, ROCK MODULUS AND CONCRETE MODULUS.";
        return result;
    }
    const Real QULT = in.QB + in.QSCUM[NL] - in.QSCUM[top];
    const Real QSSOIL = in.QSCUM[top];
    const Real LD = TROCK / Ds;
    const Real ECEM = in.Ec / Em;
    const Real IF = influenceFactor(LD, ECEM);
    const Real area = in.Ec * Real(0.7854) * Ds * Ds;
    const Real D = in.D;

    Real QT[2]{}, FB[2]{}, FT[2]{};
    for (int b = 1; b <= 2; ++b) {
        const int c = b - 1;
        for (int k = 0; k < 15; ++k) {
            Real x = strongRockLevel(k + 1);
            const Real XMAX = IF * QULT / (Ds * Ds * Em);
            if (x > XMAX)
                x = XMAX;
            const Real QSOCK = Ds * Ds * x * Em / IF;
            QT[c] = QSOCK;
            Q[k][0] = Q[k][1] = QSOCK;
            const Real WR = Ds * x + TROCK * QSOCK / area;
            const Real before = W[k][0];
            const Real FSOIL = before <= Real(0.017) ? QSSOIL * before / Real(0.017) : QSSOIL;
            W[k][0] = ZR * QSOCK / area + WR;
            Q[k][0] = FSOIL + QSOCK;
            if (b == 2) {
                W[k][1] = W[k][0];
                Q[k][1] = Q[k][0];
            }
            if (NL == 2)
                continue;

            const Real W0 = W[k][c] / D;
            Real WL = W0;
            QT[c] = QSOCK;
            for (int IL = top; IL >= 1; --IL) {
                const Real WL0 = WL;
                Real QSL, DL;
                if (IL == 1) {
                    QSL = in.QSCUM[1];
                    DL = in.depth[1];
                } else {
                    QSL = in.QSCUM[IL] - in.QSCUM[IL - 1];
                    if (QSL < Real(1e-20))
                        QSL = 0;
                    DL = in.depth[IL] - in.depth[IL - 1];
                }
                // Types without a side curve keep the fraction last computed for this bound.
                sideTransferFraction(in.type[IL], b, WL0, FB[c]);
                const Real QB0 = QT[c];
                QT[c] = QB0 + QSL * FB[c];
                Real WT = WL0;
                for (int pass = 1;; ++pass) {
                    const Real DW = DL * QT[c] / (D * Real(0.7854) * D * in.Ec * D);
                    WT = WL0 + DW;
                    sideTransferFraction(in.type[IL], b, WT, FT[c]);
                    const Real QPREV = QT[c];
                    QT[c] = (FT[c] + FB[c]) * Real(0.5) * QSL + QB0;
                    if (QSL <= Real(1e-20) || std::fabs(QT[c] - QPREV) <= Real(0.1) * FB[c] * QSL)
                        break;
                    if (pass >= kRockWalkLimit) {
                        result.walkCapped = true;
                        break;
                    }
                }
                WL = WT;
                W[k][c] = Ds * W0 + (WT - W0) * D;
                Q[k][c] = QT[c];
            }
        }
    }

    if (in.english) {
        result.heading = true;
        for (int k = 0; k < 15; ++k)
            if (W[k][0] > 0) {
                W[k][0] *= 12;
                W[k][1] *= 12;
            }
    } else {
        for (int k = 0; k < 15; ++k)
            if (W[k][0] > 0) {
                W[k][0] /= Real(3.2808);
                W[k][1] /= Real(3.2808);
                Q[k][0] *= Real(8.896);
                Q[k][1] *= Real(8.896);
            }
    }
    return result;
}

} // namespace engine
