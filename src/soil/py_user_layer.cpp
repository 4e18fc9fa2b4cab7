// p-y springs of a soil layer from the user's p-y curve set of the pile row
// (soil code 5): each curve read linearly in deflection, the secant modulus
// linear in depth between the two curves that bracket the node, the
// reaction that of the deeper curve.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <string_view>

#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/py_tables.h"
#include "model/single_precision.h"
#include "report/row_report.h"
#include "report/run_files.h"
#include "soil/py_curves.h"
#include "soil/py_frame.h"

namespace zolan {

namespace {

constexpr double CAPFAC = f32(0.99f);  // the cap pass reads the curves just above the pile head

const fmt::Format F_SHORT(R"((/,/,"     P-Y CURVES DO NOT EXTEND THE LENGTH OF THE PILE"))");

void write_short_record() {
    row_block({ECHOFILE}, F_SHORT);
}

class UserLayer final : public PyModel {
public:
    explicit UserLayer(int set) : set_(set) {
        nc_ = set >= 1 && set <= MAXUPS ? std::clamp(UPYNCV(set), 0, MAXUPC) : 0;
    }

    bool lookup(const PyNode&, int&) override { return true; }

    bool prepare(const PyNode& n, int&) override {
        // The cap pass reads the curves just above the pile head.
        xc_ = n.cap ? CAPFAC * XTOP(n.pile) : n.x;
        // 1. The bracketing curves, the search going down from the previous
        // node's bracket (from curve 2 again for each pass).
        if (!started_ || n.cap != cap_) {
            started_ = true;
            cap_ = n.cap;
            G_ = std::min(2, nc_);
        }
        if (nc_ < 1) return true;
        one_ = true;
        if (nc_ > 1) {
            while (G_ <= nc_ && UPYDEP(set_, G_) < xc_) ++G_;
            if (G_ > nc_) {
                // Below the deepest curve: the deepest curve serves, and the
                // row's record is written once per run.
                G_ = nc_;
                if (PYUWRN(n.pile) == 0) {
                    PYUWRN(n.pile) = 1;
                    write_short_record();
                }
            } else if (UPYDEP(set_, G_) == xc_) {
                // At a curve's depth that curve alone; of curves at equal depths the later.
                while (G_ < nc_ && UPYDEP(set_, G_ + 1) == xc_) ++G_;
            } else {
                one_ = UPYDEP(set_, G_ - 1) == UPYDEP(set_, G_);
            }
        }
        // 4. The node's ultimate: the last points, linear in depth.
        const double ub = last_p(G_);
        u_ = one_ ? ub : in_depth(last_p(G_ - 1), ub);
        return true;
    }

    double p_at(const PyNode&, double Y) const override { return nc_ < 1 ? 0.0 : reaction(G_, Y); }
    double es0(const PyNode&) const override { return 0.0; }

    bool keep(PyKeepIO& io) override { return io(G_, started_, cap_, one_, xc_, u_); }

    // 2-4. The deflection raised to the zero threshold; the secant of each
    // curve with the multipliers, linear in depth; the reaction of the
    // deeper curve.
    void evaluate(const PyNode& n, double Y, double& es, double& p1, double& P) const override {
        if (nc_ < 1) {
            es = p1 = P = 0.0;
            return;
        }
        const double w = std::max(Y, TOLZ);
        double scale = PFGRP(n.gpile) / (w * YFGRP(n.gpile));
        if (n.s > 0) scale = scale * n.pm / n.ym;
        p1 = reaction(G_, w);
        P = PFGRP(n.gpile) * p1;
        const double esb = p1 * scale;
        es = one_ ? esb : in_depth(reaction(G_ - 1, w) * scale, esb);
    }

    // The frame's running sum with the property set's increment length in
    // place of the node spacing.
    void accumulate(const PyNode& n, double& sum) override {
        if (n.layer == 1 && GROUND(n.pile) <= 0.0 && sum <= 0.0) sum = -0.5 * u_ * GROUND(n.pile);
        if (n.first && n.layer > 1) return;
        sum += HINCR(n.prop) * u_;
    }
    double sum_value(const PyNode&, bool& add) const override {
        add = true;
        return u_;
    }

    // No tabulated curve of its own (and no printer: PYUSER never tabulates).
    double default_y(const PyNode&, int, double) const override { return 0.0; }

private:
    // Reaction of curve j at deflection w: on the first segment whose end
    // reaches w (the first segment extended below its start), the last
    // point's value beyond the curve; of two points at one deflection the later.
    double reaction(int j, double w) const {
        const int np = std::clamp(UPYNPT(set_, j), 0, MAXUPP);
        if (np < 1) return 0.0;
        for (int k = 2; k <= np; ++k) {
            const double yk = UPYY(set_, j, k);
            if (yk < w) continue;
            const double pk = UPYP(set_, j, k), y0 = UPYY(set_, j, k - 1), p0 = UPYP(set_, j, k - 1);
            if (yk == w || yk == y0) return pk;
            // P(k) - (P(k) - P(k-1)) (Y(k) - w) / (Y(k) - Y(k-1)), measured from
            // the segment's start so that a tiny deflection keeps the slope.
            return p0 + (pk - p0) * (w - y0) / (yk - y0);
        }
        return UPYP(set_, j, np);
    }

    double last_p(int j) const {
        const int np = std::clamp(UPYNPT(set_, j), 0, MAXUPP);
        return np < 1 ? 0.0 : UPYP(set_, j, np);
    }

    // Linear in depth between curve G - 1 (value a) and curve G (value b).
    double in_depth(double a, double b) const {
        const double d1 = UPYDEP(set_, G_), d0 = UPYDEP(set_, G_ - 1);
        return b - (b - a) * (d1 - xc_) / (d1 - d0);
    }

    int set_ = 0, nc_ = 0;
    int G_ = 2;
    bool started_ = false, cap_ = false, one_ = true;
    double xc_ = 0, u_ = 0;
};

}  // namespace

void PYUSER(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    // A tabulated curve is never made from the user's curves: the tabulating
    // callers receive nothing from this layer.
    if (ctl.pyreq == 1) return;
    UserLayer m(std::abs(IPYSET(w.pile)));
    py_frame(m, nullptr, ctl, layer, w, ISTAT);
}

}  // namespace zolan
