// Elastic-subgrade p-y curves (soil code 12): the line p = k b y, limited to
// b tmax when a positive maximum stress transfer tmax is given.
#include "soil/soil_lookup.h"
#include "model/input_tables.h"
#include "model/single_precision.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/py_curves.h"
#include "soil/py_frame.h"

namespace zolan {

namespace {

// A tabulated curve without requested deflections: 17 points from 0 in
// steps of 1/8 of the deflection where b tmax is reached (16 steps to twice
// that deflection), or of 1 % of the diameter for a spring without limit.
constexpr double REF_DIAM = 0.01;

const fmt::Format F_HEAD(
    R"((/,10X,"DEPTH BELOW GS",5X,"DIAM",8X,"C",7X,/,16X,A2,12X,A2,5X,A3,A1,A2,A2,A1,1X,/,10X,F10.2,5X,F10.3,E10.1,/,38X,"Y",19X,"P",/,38X,A2,15X,A3,A1,A2))");
const fmt::Format F_POINT_PLOT("(1P,1X,2(G15.8,2X))");

class ElasticSubgrade final : public PyModel {
    friend class ElasticSubgradePrinter;
public:
    ElasticSubgrade() {
        code = 6;
        cap_pass = false;
        stores_paspv = false;
    }

    // Maximum stress transfer (strength column), the unit-weight curve's
    // range, and the subgrade modulus at the node.
    bool lookup(const PyNode& n, int& ISTAT) override {
        tmax_ = CCRV(n.x, ISTAT);
        if (ISTAT != 0) return false;
        (void)GAMAVG(n.x, ISTAT);
        if (ISTAT != 0) return false;
        k_ = KCRV(n.x);
        return true;
    }

    bool prepare(const PyNode&, int&) override { return true; }

    // 1. The line, and b tmax from the deflection tmax / k on when tmax > 0.
    double p_at(const PyNode& n, double Y) const override {
        if (tmax_ > 0.0 && !(k_ * Y < tmax_)) return n.b * tmax_;
        return k_ * n.b * Y;
    }

    double es0(const PyNode& n) const override { return k_ * n.b; }

    bool keep(PyKeepIO& io) override { return io(tmax_, k_); }

    // 2-3. Every deflection but exactly zero is on the curve; at zero the
    // slope k b divided by the pile's y-multiplier (and with the depth
    // factors of Table J1).
    void evaluate(const PyNode& n, double Y, double& es, double& p1, double& P) const override {
        if (Y == 0.0) {
            p1 = P = 0.0;
            es = es0(n) / YFGRP(n.gpile);
        } else {
            p1 = p_at(n, Y);
            P = PFGRP(n.gpile) * p1;
            es = P / Y / YFGRP(n.gpile);
        }
        if (n.s > 0) es = es * n.pm / n.ym;
    }

    // 4. Nothing is added to the layer's running sum.
    void accumulate(const PyNode&, double&) override {}
    double sum_value(const PyNode&, bool& add) const override {
        add = false;
        return 0.0;
    }

    double default_y(const PyNode& n, int i, double) const override {
        const double yref = tmax_ > 0.0 && k_ > 0.0 ? tmax_ / k_ : REF_DIAM * n.b;
        return yref * ((i - 1) / 8.0);
    }

private:
    double tmax_ = 0, k_ = 0;
};

// The printed report of a tabulated curve of the model above.
class ElasticSubgradePrinter final : public PyPrinter {
public:
    explicit ElasticSubgradePrinter(ElasticSubgrade& m) : law(m) { plot_point = &F_POINT_PLOT; }

    void write_heading(const PyNode& n) override {
        io::write_fmt(ECHOFILE, F_HEAD,
                      {UBLEN2.view(), USLEN2.view(), UFOR3.view(), USLASH.view(), ULEN2.view(), UPOW.view(),
                       UEXP2.view(), UCD12(n.z), UCM1E3(n.b), law.tmax_, ULEN2.view(), UFOR3.view(), USLASH.view(),
                       ULEN2.view()});
        io::write_list(PLOTFILE, {n.x});
    }

private:
    ElasticSubgrade& law;
};

}  // namespace

void PYELAS(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    ElasticSubgrade m;
    ElasticSubgradePrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

}  // namespace zolan
