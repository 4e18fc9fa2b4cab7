// Tip capacity of a pile and its q-w curve (tip load against tip movement),
// with the stop for a driven pile ending in clay without e50 or capacity.
#include "pile/tip_curve.h"

#include <cmath>

#include "soil/soil_lookup.h"
#include "model/status_codes.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/single_precision.h"
#include "model/input_tables.h"
#include "model/soil_tables.h"
#include "report/row_report.h"
#include "report/run_files.h"
#include "soil/soil_defaults.h"

namespace zolan {
namespace {

// Constants of the method, single-precision values carried in double.
constexpr double AUPLIFT = f32(1.0e-4f);   // tip area in uplift
constexpr double TINY = f32(1.0e-10f);     // a capacity below this is not given
constexpr double ZERO14 = f32(1.0e-14f);   // a capacity below this is zero
constexpr double E50ZERO = 1.0e-14;        // an e50 at or below this is zero (a negative one too)
constexpr double COHCLAY = f32(0.1f);      // cohesion above this with no friction: clay
constexpr double PHIMIN = f32(1.0e-4f);
constexpr double RAD2DEG = f32(57.296f);
constexpr double PHI30 = f32(0.5236f), PHI36 = f32(0.628f);  // radians
constexpr double QLOW = f32(0.1f);                            // drilled shaft below 30 degrees (force)
constexpr double Q30ENG = f32(222.2f), Q36ENG = f32(555.56f); // psi
constexpr double Q30SI = 1530.0, Q36SI = 3830.0;              // kPa
constexpr double IN_M = f32(0.0254f);
constexpr double WCR = f32(0.05f);                            // wc / D
constexpr double N31 = 0.5, N38 = f32(0.333f), N99 = 0.25;    // exponents of the driven sand curve

// Base movements (inches) and normalised shapes.
constexpr float W0IN[NQWPT] = {0.0f, 0.0001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.2f, 0.4f, 0.8f, 5.0f};
constexpr float R5[NQWPT] = {0.0f, 0.002f, 0.013f, 0.042f, 0.073f, 0.1f, 0.12f, 0.15f, 0.18f, 0.2f};
constexpr float F5[NQWPT] = {0.0f, 0.25f, 0.5f, 0.75f, 0.9f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
constexpr float RD[NQWPT] = {0.0f, 0.005f, 0.01f, 0.015f, 0.025f, 0.03f, 0.04f, 0.05f, 0.07f, 0.1f};
constexpr float FDSAND[NQWPT] = {0.0f, 0.175f, 0.345f, 0.485f, 0.65f, 0.73f, 0.88f, 1.015f, 1.195f, 1.46f};
constexpr float FDCLAY[NQWPT] = {0.0f, 0.395f, 0.56f, 0.70f, 0.865f, 0.90f, 0.95f, 0.97f, 0.98f, 0.99f};

const fmt::Format& W_E50() {
    static const fmt::Format f(
        R"(/,29X,"**** WARNING ****",/,5X,"THE VALUE OF E50 AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE")");
    return f;
}
const fmt::Format& W_COH() {
    static const fmt::Format f(
        R"(/,29X,"**** WARNING ****",/,5X,"THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE")");
    return f;
}


void stop_with(const fmt::Format& f, int code, int& ISTAT) {
    row_block({RESFILE, RUNFILE}, f);
    set_status_once(ISTAT, code);
}

// Bearing factor Nq by the friction angle in degrees, linear within each band.
double bearing_nq(double phid) {
    if (phid <= 20.0) return 8.0;
    if (phid <= 25.0) return 8.0 + 4.0 * (phid - 20.0) / 5.0;
    if (phid <= 30.0) return 12.0 + 8.0 * (phid - 25.0) / 5.0;
    if (phid <= 35.0) return 20.0 + 20.0 * (phid - 30.0) / 5.0;
    if (phid <= 40.0) return 40.0 + 10.0 * (phid - 35.0) / 5.0;
    return 50.0;
}

bool cohesionless_class(int code) {
    return code == 4 || code == 7 || code == 8 || code == 9 || code == 11 || code == 12;
}

void normalised(AXTIP& qw, double D, const float (&r)[NQWPT], const float (&f)[NQWPT]) {
    for (int k = 1; k <= NQWPT; ++k) {
        qw.W(k) = f32(r[k - 1]) * D;
        qw.Q(k) = f32(f[k - 1]) * qw.Qtip;
    }
}

}  // namespace

void TIPQW(int ptype, double xt, double H, int code, double A, double Dtip, double D, double phin, int& ISTAT,
           AXTIP& qw) {
    // 4. e50 and cohesion at the tip; a default e50 by the tip code.
    double e50 = E50CRV(xt);
    const double c = CCRV(xt, ISTAT);
    if (ISTAT != 0) return;
    if (e50 <= 0.0) E50DEF(c, e50, code, NUNITS);

    // 5. The input tip resistance (read twice, as the method does).
    TIPMXCRV(xt, ISTAT);
    if (ISTAT != 0) return;
    double Qtip = TIPMXCRV(xt, ISTAT) * A;
    if (ISTAT != 0) return;

    // 6-7. Friction angle; a cohesive soil with no friction is stiff clay.
    double phit = PHICRV(xt, ISTAT);
    if (ISTAT != 0) return;
    if (c > COHCLAY && phit < PHIMIN) code = 3;

    switch (code) {
        case 1: case 2: case 3: case 10: case 13:
            // 8. Clay: 9 c A.
            if (Qtip < TINY) Qtip = 9.0 * c * A;
            break;
        case 4: case 7: case 8: {
            // 9. Sand and silt.
            PHICRV(xt, ISTAT);
            if (ISTAT != 0) return;
            phit = PHICRV(xt, ISTAT);
            if (ISTAT != 0) return;
            const double nq = bearing_nq(RAD2DEG * phit);
            const double gamma = GAMAVG(xt, ISTAT);
            if (ISTAT != 0) return;
            if (Qtip < TINY) {
                if (ptype == 1) {
                    Qtip = nq * gamma * H * A;
                } else if (ptype == 2) {
                    if (phit < PHI30)
                        Qtip = QLOW;
                    else if (phit < PHI36)
                        Qtip = NUNITS == 1 ? A * Q30ENG : NUNITS == 2 ? A * Q30SI : Qtip;
                    else
                        Qtip = NUNITS == 1 ? A * Q36ENG : NUNITS == 2 ? A * Q36SI : Qtip;
                }
                if (code == 7) Qtip += 9.0 * c * A;
            }
            break;
        }
        case 5: case 6: case 9: case 11:
            // 10. Rock, liquefied sand and user p-y layers.
            Qtip = TIPMXCRV(xt, ISTAT) * A;
            if (ISTAT != 0) return;
            if (Qtip < TINY) Qtip = 9.0 * c * A;
            break;
        default:
            // 11. Elastic subgrade keeps the input value.
            break;
    }
    qw.Qtip = Qtip;

    // 12. q-w curve.
    const double wc = WCR * D;
    qw.wc = wc;
    double W0[NQWPT];
    for (int k = 0; k < NQWPT; ++k) W0[k] = NUNITS == 2 && k > 0 ? f32(W0IN[k]) * IN_M : f32(W0IN[k]);
    const bool sandlike = cohesionless_class(code);

    if (ptype == 1 && sandlike) {
        // 12.1 Power curve Qtip (w / wc)^n; a shaft of no diameter mobilises Qtip at once.
        const double n = phin <= 31.0 ? N31 : phin <= 38.0 ? N38 : N99;
        qw.W(1) = 0.0;
        qw.Q(1) = 0.0;
        for (int k = 2; k <= NQWPT; ++k) {
            qw.W(k) = W0[k - 1];
            qw.Q(k) = wc > 0.0 ? Qtip * std::pow(W0[k - 1] / wc, n) : Qtip;
        }
    } else if (ptype == 1 && code == 5) {
        // 12.2
        normalised(qw, D, R5, F5);
    } else if (ptype == 1) {
        // 12.3 Parabola Q = kc sqrt(w) up to wm = 8 Dtip e50, then Qtip.
        if (e50 <= E50ZERO) {
            stop_with(W_E50(), ISLSE50, ISTAT);
            return;
        }
        if (std::abs(Qtip) < ZERO14) {
            stop_with(W_COH(), ISLSCOH, ISTAT);
            return;
        }
        double kc = 0.0, wm = 0.0;
        if (Dtip > 0.0) {
            kc = 0.5 * Qtip / std::sqrt(2.0 * Dtip * e50);
            wm = std::exp(2.0 * std::log(Qtip / kc));
        }
        qw.W(1) = 0.0;
        qw.Q(1) = 0.0;
        for (int k = 2; k <= 8; ++k) {
            qw.W(k) = (k - 1) / 8.0 * wm;
            // A tip of no diameter: the curve collapses to a step to Qtip.
            qw.Q(k) = Dtip > 0.0 ? kc * std::sqrt(qw.W(k)) : Qtip;
        }
        qw.W(9) = wm;
        qw.W(10) = 10.0 * wm;
        qw.Q(9) = qw.Q(10) = Qtip;
    } else if (ptype == 2) {
        // 12.4
        normalised(qw, D, RD, sandlike ? FDSAND : FDCLAY);
    } else {
        for (int k = 1; k <= NQWPT; ++k) {
            qw.W(k) = W0[k - 1];
            qw.Q(k) = 0.0;
        }
    }
}

void AXQWC(int r, int p, double E, int& ISTAT, const AXSAMP& s, AXTIP& qw) {
    const int ns = NSECP(p) < 1 ? 1 : NSECP(p);
    // 1. Tip area by direction.
    const double A = E < 0.0 ? AUPLIFT : SECTAB(p, ns, SEC_BOT + SP_ARE);
    // 2. Tip depth and its depth below the ground line.
    const double Lv = KBATAD == 1 ? PLENP(p) * std::cos(BATANG(r)) : PLENP(p);
    const double xt = XTOP(r) + Lv;
    const double H = xt - GROUND(r) - XTOP(r);
    // 3. Tip soil code: the first layer whose bottom lies below the tip, else the last.
    int code = NLAYPY >= 1 ? ISOIL(NLAYPY) : 0;
    for (int L = 1; L <= NLAYPY; ++L) {
        if (xt < LAYBOT(L)) {
            code = ISOIL(L);
            break;
        }
    }
    const double Dtip = SECTAB(p, ns, SEC_TOP + SP_DIA);
    const double phin = s.NS >= 1 ? s.phi(s.NS) : 0.0;
    TIPQW(PTYPED(p), xt, H, code, A, Dtip, s.D, phin, ISTAT, qw);
}

double QWREAD(const AXTIP& qw, double w) {
    if (w <= qw.W(1)) return 0.0;
    int k = 2;
    while (k < NQWPT && qw.W(k) < w) ++k;
    const double dw = qw.W(k) - qw.W(k - 1);
    if (!(dw > 0.0)) return qw.Q(k);
    return qw.Q(k - 1) + (qw.Q(k) - qw.Q(k - 1)) * (w - qw.W(k - 1)) / dw;
}

}  // namespace zolan
