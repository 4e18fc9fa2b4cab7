// Liquefied-sand p-y curves (soil code 11): p = A (B y)^C Pd in kN/m against
// mm, A, B and C by an equivalent depth from the vertical effective stress,
// Pd by the pile diameter; capped by the curve's value at half a diameter and
// by 15 kN/m (85 lb/in). Formed in metres and kilonewtons, converted from and
// to the run's units.
#include <algorithm>
#include <cmath>

#include "soil/soil_lookup.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/py_curves.h"
#include "soil/py_frame.h"

namespace zolan {

namespace {

constexpr double DTOP = f32(1.0e-7f), DMIN = f32(0.0001f);  // a node at the layer top
constexpr double C10 = f32(10.0f), C0036 = f32(0.036f), C00254 = f32(0.0254f);
constexpr double CA = f32(3.0e-7f), EA = f32(6.05f);
constexpr double CB = f32(2.8f), EB = f32(0.11f);
constexpr double CC = f32(2.85f), EC = f32(-0.41f);
constexpr double CPD1 = f32(3.81f), CPD2 = f32(5.6f);
constexpr double C1000 = f32(1000.0f), C500 = f32(500.0f), PMAX_SI = f32(15.0f);
constexpr double C57143 = f32(5.7143f), C254 = f32(25.4f), C127 = f32(12.7f), PMAX_EN = f32(85.0f);
constexpr double LOGSTEP = f32(0.1360057f);  // log10(150) / 16
constexpr double Y1_M = f32(1.0e-6f);         // first default deflection, metres
constexpr double IN_PER_M = f32(1000.0f) / f32(25.4f);

const fmt::Format F_HEAD(
    R"((/,/,7X,"p-y Curve Computed Using Liquefied Sand Criteria",/,7X,"Depth below ground surface       = ",F12.3,1X,A2,/,7X,"Diameter                         = ",F12.3,1X,A2,/,7X,"Gamma Avg                        = ",F12.5,1X,A3,A1,2A2,A1,/,7X,"Pu                               = ",F12.3,1X,A3,A1,A2,/,7X,"p-multiplier                     = ",F12.5,/,7X,"y-multiplier                     = ",F12.5,/,/,"         y, ",A2,"            p, ",A3,A1,A2,/,7X,"------------    -------------"))");
const fmt::Format F_POINT_PLOT("(7X,1P,2G20.8)");

class LiquefiedSand final : public PyModel {
    friend class LiquefiedSandPrinter;
public:
    LiquefiedSand() {
        code = 11;
        stores_paspv = false;
    }

    // The mean unit weight above the node; the strength curve only for its range.
    bool lookup(const PyNode& n, int& ISTAT) override {
        (void)CCRV(n.x, ISTAT);
        if (ISTAT != 0) return false;
        gamma_ = GAMAVG(n.x, ISTAT);
        return ISTAT == 0;
    }

    bool prepare(const PyNode& n, int&) override {
        curve(n);
        return true;
    }

    // 5. The power curve, capped at its value at b/2 and at the fixed limit.
    double p_at(const PyNode&, double Y) const override {
        if (english_) return std::min({pu_, PMAX_EN, C57143 * a_ * std::pow(C254 * bb_ * Y, c_) * pd_});
        return std::min({pu_, PMAX_SI, a_ * std::pow(C1000 * bb_ * Y, c_) * pd_});
    }

    double es0(const PyNode&) const override { return 0.0; }

    bool keep(PyKeepIO& io) override { return io(english_, gamma_, a_, bb_, c_, pd_, pu_, pu_prev_); }

    // 6-7. Analysis: the curve at the node's deflection over the pile's
    // y-multiplier (the relative deflection as it is with soil movement);
    // exactly zero is taken at the first default deflection. No zero threshold.
    void evaluate(const PyNode& n, double Y, double& es, double& p1, double& P) const override {
        double ye = Y;
        if (!n.curve && NSMOV <= 0) ye = Y / YFGRP(n.gpile);
        if (ye == 0.0) ye = y1();
        p1 = p_at(n, ye);
        P = PFGRP(n.gpile) * p1;
        es = P / (ye * YFGRP(n.gpile));
        if (n.s > 0) es = es * n.pm / n.ym;
    }

    // A zero deflection of a tabulated curve is tabulated at the first default deflection.
    void tabulated(const PyNode& n, double Y, double p1, double P, double& yt, double& pt) const override {
        PyModel::tabulated(n, Y == 0.0 ? y1() : Y, p1, P, yt, pt);
    }

    // 8. From the layer's second node on, the mean of the previous and this
    // node's pu over the node spacing; at the layer's last node the rest of
    // the layer below it.
    void accumulate(const PyNode& n, double& sum) override {
        if (!n.first) sum += 0.5 * (pu_prev_ + pu_) * n.h;
        if (n.last) sum += (LAYBOT(n.layer) - n.x) * pu_;
        pu_prev_ = pu_;
    }
    double sum_value(const PyNode&, bool& add) const override {
        add = true;
        return pu_;
    }

    // 1e-6 m, then 10^(0.1360057 (i - 1)) mm for i = 2 .. 17 (1.368 mm to 150 mm).
    double default_y(const PyNode&, int i, double) const override {
        const double m = i == 1 ? Y1_M : std::pow(10.0, LOGSTEP * (i - 1)) / C1000;
        return english_ ? m * IN_PER_M : m;
    }

private:
    // First default deflection in the run's length unit.
    double y1() const { return english_ ? Y1_M * IN_PER_M : Y1_M; }

    // 1-4. Stress, equivalent depth, coefficients, diameter factor and pu at the node.
    void curve(const PyNode& n) {
        english_ = NUNITS == 1;
        double d = n.x - LAYTOP(n.layer);
        if (d <= DTOP) d = DMIN;
        const double sv = gamma_ * d;
        const double ze = english_ ? sv / C0036 * C00254 : sv / C10;
        a_ = CA * std::pow(ze + 1.0, EA);
        bb_ = CB * std::pow(ze + 1.0, EB);
        c_ = CC * std::pow(ze + 1.0, EC);
        const double bm = english_ ? C00254 * n.b : n.b;
        pd_ = CPD1 * std::log(bm) + CPD2;
        if (!(pd_ > 0.0)) pd_ = 0.0;  // a pile too small for the correction: no resistance
        pu_ = english_ ? C57143 * a_ * std::pow(C127 * bb_ * n.b, c_) * pd_
                       : a_ * std::pow(C500 * bb_ * n.b, c_) * pd_;
    }

    bool english_ = false;
    double gamma_ = 0, a_ = 0, bb_ = 0, c_ = 0, pd_ = 0, pu_ = 0, pu_prev_ = 0;
};

// The printed report of a tabulated curve of the model above.
class LiquefiedSandPrinter final : public PyPrinter {
public:
    explicit LiquefiedSandPrinter(LiquefiedSand& m) : law(m) {}

    void write_heading(const PyNode& n) override {
        law.curve(n);
        io::write_fmt(ECHOFILE, F_HEAD,
                      {UCD12(n.z), UBLEN2.view(), UCM1E3(n.b), USLEN2.view(), UCM1728(law.gamma_), UFOR3.view(),
                       USLASH.view(), UBLEN2.view(), UPOW.view(), UEXP3.view(), law.pu_, UFOR3.view(), USLASH.view(),
                       ULEN2.view(), PFGRP(n.gpile), YFGRP(n.gpile), ULEN2.view(), UFOR3.view(), USLASH.view(),
                       ULEN2.view()});
        io::write_list(PLOTFILE, {n.x});
    }

    void write_point(const PyNode&, double yt, double pt) override {
        WRBLNK(ECHOFILE, 1);
        WRREAL(ECHOFILE, 14, 5, yt);
        WRREAL(ECHOFILE, 17, 5, pt);
        WREOL(ECHOFILE);
        io::write_fmt(PLOTFILE, F_POINT_PLOT, {yt, pt});
    }

private:
    LiquefiedSand& law;
};

}  // namespace

void PYLIQ(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    LiquefiedSand m;
    LiquefiedSandPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

}  // namespace zolan
