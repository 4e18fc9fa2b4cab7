// Weak-rock p-y curves (soil code 9): an initial line of slope Kir up to yA,
// then 0.5 pur (y/yrm)^(1/4) up to the ultimate resistance pur, which grows
// with the depth xr below the top of the rock layer down to 3 diameters.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <string_view>

#include "soil/soil_lookup.h"
#include "model/status_codes.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"
#include "report/row_report.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/py_curves.h"
#include "soil/py_frame.h"

namespace zolan {

namespace {

constexpr double C_RQD = f32(0.0066667f);   // strength reduction per percent of RQD
constexpr double C14 = f32(1.4f), C104 = f32(10.4f);
constexpr double C100 = f32(100.0f), C400 = f32(400.0f), C500 = f32(500.0f);
constexpr double QUARTER = f32(0.25f);
constexpr double FOUR_THIRDS = 1.3333333333333333;
constexpr double XR_SHIFT = f32(1.0e-8f);   // xr of a node at the top of the layer
constexpr double QMIN = f32(1.0e-10f);      // smallest strength taken as given

// Default deflections of a tabulated curve, times yrm.
constexpr double YDEF[17] = {f32(0.0005f), f32(0.001f), f32(0.003f), f32(0.006f), f32(0.009f), f32(0.02f),
                             f32(0.04f),   f32(0.06f),  f32(0.08f),  f32(0.1f),   f32(0.25f), f32(0.5f),
                             f32(0.75f),   f32(1.0f),   f32(4.0f),   f32(8.0f),   f32(12.0f)};

const fmt::Format F_HEAD(
    R"((/,/,14X,"DEPTH",5X,"DIAM",7X,"C",8X," PU ",3X,"GAMMA AVG",6X,"E50",/,16X,A2,7X,A2,4X,3(A3,A1,A2,A2,A1,1X),/,10X,F10.2,F10.3,3E10.2,E12.3,/,37X,"Y",19X,"P",/,37X,A2,16X,A3,A1,A2))");
const fmt::Format F_POINT_ECHO("(21X,2E20.3)");
const fmt::Format F_POINT_PLOT("(1P,2(2X,G15.8))");
const fmt::Format F_NO_STRENGTH(
    R"((/,7X,"--------------------WARNING----------------------",/,7X,"THE UNIAXIAL COMPRESION STRENGTH IS 0 FOR WEAK ROCK ",/,7X,"ACCORDING TO THE INPUT DATA.",/,7X,"PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN."))");

class WeakRock final : public PyModel {
    friend class WeakRockPrinter;
public:
    WeakRock() {
        code = 9;
        cap_pass = false;
        stores_paspv = false;
    }

    // Strength (half the compressive strength), RQD, rock modulus, krm and
    // the mean unit weight at the node; the strength at the layer top for a
    // tabulated curve below the first layer.
    bool lookup(const PyNode& n, int& ISTAT) override {
        q_ = 0.5 * CCRV(n.x, ISTAT);
        if (ISTAT != 0) return false;
        qtop_ = q_;
        if (n.layer > 1 && n.curve) {
            qtop_ = 0.5 * CCRV(LAYTOP(n.layer), ISTAT);
            if (ISTAT != 0) return false;
        }
        qavg_ = n.layer == 1 ? 0.5 * CAVG(n.x, ISTAT) : q_;
        if (ISTAT != 0) return false;
        gamma_ = GAMAVG(n.x, ISTAT);
        if (ISTAT != 0) return false;
        rqd_ = std::clamp(STRCJ(n.x), 0.0, 100.0);
        eir_ = STRCB(n.x);
        krm_ = E50CRV(n.x);
        return true;
    }

    bool prepare(const PyNode& n, int& ISTAT) override {
        // A node below the layer's first without strength stops the run.
        if (!n.first && q_ < QMIN) {
            write_no_strength();
            LAYERSTOP(n.layer, 2);
            set_status_once(ISTAT, ISWROCK);
            return false;
        }
        // 2. Trapezoidal mean of q over the layer's nodes during an analysis.
        if (n.layer > 1 && !n.curve) {
            if (!started_) {
                started_ = true;
                x0_ = xp_ = n.x;
                qp_ = q_;
                area_ = 0.0;
            }
            area_ += 0.5 * (qp_ + q_) * (n.x - xp_);
            xp_ = n.x;
            qp_ = q_;
            qavg_ = n.x > x0_ ? area_ / (n.x - x0_) : q_;
        }
        curve(n);
        return true;
    }

    double p_at(const PyNode&, double Y) const override {
        // 6. The initial line below yA, then the quarter-power curve up to pur.
        // Without a positive krm or modulus there is no quarter-power branch:
        // the line alone, limited to pur.
        if (!power_) return std::min(kir_ * Y, pur_);
        if (Y < ya_) return kir_ * Y;
        return std::min(pur_, 0.5 * pur_ * std::pow(Y / yrm_, QUARTER));
    }

    double es0(const PyNode&) const override { return kir_; }

    bool keep(PyKeepIO& io) override {
        return io(q_, qtop_, qavg_, gamma_, rqd_, eir_, krm_, pur_, kir_, yrm_, ya_, power_, started_, x0_, xp_, qp_,
                  area_);
    }

    // 9. From the layer's second node on, pur over one increment of the pile,
    // and at the layer's last node the rest of the layer below it.
    void accumulate(const PyNode& n, double& sum) override {
        if (!n.first) sum += HINCR(n.prop) * pur_;
        if (n.last) sum += (LAYBOT(n.layer) - n.x) * pur_;
    }
    double sum_value(const PyNode&, bool& add) const override {
        add = true;
        return pur_;
    }

    double default_y(const PyNode&, int i, double) const override { return yrm_ * YDEF[i - 1]; }

private:
    // Ultimate resistance and the constants of the curve at the node.
    void curve(const PyNode& n) {
        const double b = n.b;
        // 1. Strength reduction by the rock quality.
        const double alpha = 1.0 - C_RQD * rqd_;
        // 2. Mean strength: the mean of the layer top and the node for a
        // tabulated curve below the first layer (the analysis mean is formed
        // node by node in prepare).
        const double qa = n.layer > 1 && n.curve ? 0.5 * (qtop_ + q_) : qavg_;
        // 3-4. Ultimate resistance and initial modulus by the depth xr below
        // the top of the rock.
        const double xr = n.x + XR_SHIFT - LAYTOP(n.layer);
        if (xr <= 3.0 * b) {
            pur_ = 2.0 * alpha * qa * (b + C14 * xr);
            kir_ = eir_ * (C100 + C400 * xr / (3.0 * b));
        } else {
            pur_ = C104 * alpha * qa * b;
            kir_ = C500 * eir_;
        }
        pur_ = std::max(pur_, 0.0);  // no strength: no resistance
        // 5. Strain length and the end of the initial line.
        yrm_ = krm_ * b;
        power_ = yrm_ > 0.0 && kir_ > 0.0;
        if (!power_) kir_ = std::max(kir_, 0.0);
        ya_ = power_ ? std::pow(0.5 * pur_ / (std::pow(yrm_, QUARTER) * kir_), FOUR_THIRDS) : 0.0;
    }

    static void write_no_strength() {
        row_block({ECHOFILE, RUNFILE}, F_NO_STRENGTH);
    }

    double q_ = 0, qtop_ = 0, qavg_ = 0, gamma_ = 0, rqd_ = 0, eir_ = 0, krm_ = 0;
    double pur_ = 0, kir_ = 0, yrm_ = 0, ya_ = 0;
    bool power_ = false;
    // Trapezoidal mean of q over the layer's nodes (analysis, below the first layer).
    bool started_ = false;
    double x0_ = 0, xp_ = 0, qp_ = 0, area_ = 0;
};

// The printed report of a tabulated curve of the model above.
class WeakRockPrinter final : public PyPrinter {
public:
    explicit WeakRockPrinter(WeakRock& m) : law(m) {}

    void write_heading(const PyNode& n) override {
        law.curve(n);
        io::write_fmt(ECHOFILE, F_HEAD,
                      {UBLEN2.view(), USLEN2.view(),                                                    //
                       UFOR3.view(), USLASH.view(), ULEN2.view(), UPOW.view(), UEXP2.view(),              //
                       UFOR3.view(), USLASH.view(), ULEN2.view(), UPOW.view(), UEXP3.view(),              //
                       UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(), UEXP3.view(),             //
                       UCD12(n.z), UCM1E3(n.b), law.q_, law.pur_, UCM1728(law.gamma_), law.krm_,
                       ULEN2.view(), UFOR3.view(), USLASH.view(), ULEN2.view()});
        io::write_list(PLOTFILE, {n.x});
    }

    void write_point(const PyNode&, double yt, double pt) override {
        io::write_fmt(ECHOFILE, F_POINT_ECHO, {yt, pt});
        io::write_fmt(PLOTFILE, F_POINT_PLOT, {yt, pt});
    }

private:
    WeakRock& law;
};

}  // namespace

void PYROCK(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    WeakRock m;
    WeakRockPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

}  // namespace zolan
