// The passive wedge of the sand curves (sand, sand by API criteria, silt, and
// the equivalent depth of their layers), from the friction angle phi
// (radians): alpha = phi/2, beta = pi/4 + phi/2, earth pressure at rest
// K0 = 0.4, active Ka = tan^2(pi/4 - phi/2) and passive Kp = tan^2(pi/4 + phi/2);
// and the key under which a node's breakpoints are kept (soil/sand_memo.h).
#pragma once

#include <cmath>

#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/section_lookup.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"
#include "soil/py_curves.h"
#include "soil/py_frame.h"
#include "soil/sand_coefficients.h"
#include "soil/sand_memo.h"

namespace zolan {

// Coefficients of the API ultimate resistance: shallow (C1 H + C2 b) gamma H,
// deep C3 b gamma H.
inline void api_coefficients(double phi, double alpha, double beta, double K0, double Ka, double Kp, double& C1,
                             double& C2, double& C3) {
    const double tp = std::tan(phi), ta = std::tan(alpha), tb = std::tan(beta);
    C1 = tb * (K0 * (tp * std::sin(beta) * (1.0 / std::cos(alpha) + 1.0) - ta) + Kp * ta);
    C2 = Kp - Ka;
    C3 = Kp * Kp * (K0 * tp + Kp) - Ka;
}

// The wedge's angle functions are formed once for an angle: the curves of
// a layer share one friction angle at most of their nodes, and the sines and
// tangents would otherwise dominate the cost of a pile evaluation.
struct SandWedge {
    static constexpr double K0 = f32(0.4f);
    double phi = 0, alpha = 0, beta = 0, Ka = 0, Kp = 0;
    // tan phi, tan alpha, tan beta, tan(beta - phi), sin beta, cos alpha, tan^4 beta.
    double tp = 0, ta = 0, tb = 0, tbp = 0, sb = 0, ca = 0, tb4 = 0;

    SandWedge() = default;
    explicit SandWedge(double angle) : phi(angle), alpha(angle / 2.0), beta(PI / 4.0 + angle / 2.0) {
        const double tm = std::tan(PI / 4.0 - angle / 2.0), tq = std::tan(PI / 4.0 + angle / 2.0);
        Ka = tm * tm;
        Kp = tq * tq;
        tp = std::tan(phi), ta = std::tan(alpha), tb = std::tan(beta);
        tbp = std::tan(beta - phi), sb = std::sin(beta), ca = std::cos(alpha);
        tb4 = std::pow(tb, 4);
    }

    // Wedge resistance per unit length at depth H for unit weight gamma and diameter b.
    double pst(double gamma, double b, double H) const {
        return gamma * H *
               (K0 * H * tp * sb / (tbp * ca) + tb / tbp * (b + H * tb * ta) + K0 * H * tb * (tp * sb - ta) - Ka * b);
    }

    // Flow-around resistance per unit length at depth z.
    double pcd(double gamma, double b, double z) const {
        return gamma * b * z * (Ka * (tb4 * tb4 - 1.0) + K0 * tp * tb4);
    }

    void coefficients(double& C1, double& C2, double& C3) const {
        api_coefficients(phi, alpha, beta, K0, Ka, Kp, C1, C2, C3);
    }

    // The equivalent depth's description of the node (z0 its depth below the ground line).
    EqDepthSoil eqdepth_soil(double b, double c, double gamma, double z0) const {
        EqDepthSoil soil;
        soil.b = b;
        soil.cu = c;
        soil.gamma = gamma;
        soil.phi = phi;
        soil.alpha = alpha;
        soil.beta = beta;
        soil.K0 = K0;
        soil.Ka = Ka;
        soil.Kp = Kp;
        soil.z0 = z0;
        soil.zb = SAND_ZB;
        return soil;
    }
};

// Deflection i (1 .. 17) of the default list of the sand curves: 0, ym/12 ..
// 10 ym/12, then steps s = (yu - 10 ym/12) / 2 to yu and two beyond it, and
// two points b/20 and b/10 further.
inline double sand_default_y(int i, double ym, double yu, double b) {
    const double y11 = 10.0 * ym / 12.0;
    const double s = (yu - y11) / 2.0;
    const double y15 = yu + 2.0 * s;
    if (i <= 11) return (i - 1) * ym / 12.0;
    switch (i) {
        case 12: return y11 + s;
        case 13: return yu;
        case 14: return yu + s;
        case 15: return y15;
        case 16: return y15 + b / 20.0;
        default: return y15 + b / 10.0;
    }
}

// The key of the breakpoints of node n for soil code `code` with the node's
// soil values; for a curve whose coefficients A and B are read by depth over
// diameter (tables true) also the ground line and the section diameter at
// the depth H below it, which those tables read.
inline SandKey sand_key(int code, const PyNode& n, double phi, double gamma, double c, double k, bool tables) {
    SandKey s;
    s.code = code;
    s.stat = LOADTYP == 1 ? 1 : 0;
    s.b = n.b;
    s.z = n.z;
    s.H = n.zeq;
    s.phi = phi;
    s.gamma = gamma;
    s.c = c;
    s.k = k;
    if (tables) {
        s.grd = GRDDEP(n.pile);
        s.dx = SECDIA(n.pile, n.prop, s.grd + n.zeq);
    }
    return s;
}

}  // namespace zolan
