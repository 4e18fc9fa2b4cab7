// Vuggy-limestone p-y curves (soil code 6): the line K1 y = 2000 s y up to
// y1 = 0.0004 b, the line of slope K2 = 100 s up to s b at y2 = 0.0024 b, and
// the residual resistance 3.38 b gamma beyond.
#include <span>
#include <string>
#include <string_view>

#include "soil/soil_lookup.h"
#include "model/input_tables.h"
#include "model/py_tables.h"
#include "model/single_precision.h"
#include "report/field_writers.h"
#include "report/row_report.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/py_curves.h"
#include "soil/py_frame.h"

namespace zolan {

namespace {

constexpr double C2000 = f32(2000.0f), C100 = f32(100.0f);
constexpr double CY1 = f32(0.0004f), CY2 = f32(0.0024f);
constexpr double C338 = f32(3.38f);

const fmt::Format F_HEAD(
    R"((/,10X,"DEPTH BELOW GS",5X,"DIAM",8X,"C",7X,/,16X,A2,12X,A2,5X,A3,A1,A2,A2,A1,1X,/,10X,F10.2,5X,F10.3,E10.1,/,38X,"Y",19X,"P",/,38X,A2,15X,A3,A1,A2))");
const fmt::Format F_POINT_PLOT("(1P,1X,2(G15.8,2X))");
const fmt::Format F_NO_STRENGTH(
    R"((/,29X,"**** WARNING ****",/,5X,"THE COMPRESSIVE STRENGTH OF VUGGY LIMESTONE IS 0 IN LAYER",I3,/,5X,"ACCORDING TO THE INPUT DATA.  THE LAYER GIVES NO RESISTANCE."))");


class VuggyLimestone final : public PyModel {
    friend class VuggyLimestonePrinter;
public:
    VuggyLimestone() {
        code = 6;
        cap_pass = false;
        stores_paspv = false;
    }

    // Half the compressive strength at the node and the mean unit weight above it.
    bool lookup(const PyNode& n, int& ISTAT) override {
        s_ = 0.5 * CCRV(n.x, ISTAT);
        if (ISTAT != 0) return false;
        gamma_ = GAMAVG(n.x, ISTAT);
        return ISTAT == 0;
    }

    bool prepare(const PyNode& n, int&) override {
        curve(n);
        // A layer without strength gives no resistance; said once per layer and run.
        if (s_ <= 0.0 && !warned_ && VUGWRN(n.layer) == 0) {
            warned_ = true;
            const fmt::Item layer(n.layer);
            const std::string block = fmt::format_to_string(F_NO_STRENGTH, std::span<const fmt::Item>(&layer, 1));
            row_text_once(&VUGWRN(n.layer), ECHOFILE, block);
        }
        return true;
    }

    // 3. The two lines, then the residual.
    double p_at(const PyNode&, double Y) const override {
        if (s_ <= 0.0) return 0.0;
        if (Y < y1_) return k1_ * Y;
        if (Y < y2_) return p1_ + k2_ * (Y - y1_);
        return residual_;
    }

    double es0(const PyNode&) const override { return k1_; }

    bool keep(PyKeepIO& io) override { return io(s_, gamma_, k1_, k2_, y1_, y2_, p1_, residual_, warned_); }

    // 5. Below the zero threshold the initial slope, divided by the pile's
    // y-multiplier (and with the depth factors of Table J1).
    void evaluate(const PyNode& n, double Y, double& es, double& p1, double& P) const override {
        PyModel::evaluate(n, Y, es, p1, P);
        if (Y < TOLZ) {
            es = k1_ / YFGRP(n.gpile);
            if (n.s > 0) es = es * n.pm / n.ym;
        }
    }

    // 6. Nothing is added to the layer's running sum.
    void accumulate(const PyNode&, double&) override {}
    double sum_value(const PyNode&, bool& add) const override {
        add = false;
        return 0.0;
    }

    // 17 points from 0 in steps of y2/15: the 16th at y2.
    double default_y(const PyNode&, int i, double) const override { return y2_ * ((i - 1) / 15.0); }

private:
    // 1-2. The two lines and the residual at the node.
    void curve(const PyNode& n) {
        const double b = n.b;
        y1_ = CY1 * b;
        if (s_ > 0.0) {
            k1_ = C2000 * s_;
            k2_ = C100 * s_;
            p1_ = k1_ * y1_;
            y2_ = y1_ + (s_ * b - p1_) / k2_;
        } else {
            k1_ = k2_ = p1_ = 0.0;
            y2_ = CY2 * b;  // the closed form, for the default deflections
        }
        residual_ = C338 * b * gamma_;
    }

    double s_ = 0, gamma_ = 0;
    double k1_ = 0, k2_ = 0, y1_ = 0, y2_ = 0, p1_ = 0, residual_ = 0;
    bool warned_ = false;
};

// The printed report of a tabulated curve of the model above.
class VuggyLimestonePrinter final : public PyPrinter {
public:
    explicit VuggyLimestonePrinter(VuggyLimestone& m) : law(m) { plot_point = &F_POINT_PLOT; }

    void write_heading(const PyNode& n) override {
        law.curve(n);
        io::write_fmt(ECHOFILE, F_HEAD,
                      {UBLEN2.view(), USLEN2.view(), UFOR3.view(), USLASH.view(), ULEN2.view(), UPOW.view(),
                       UEXP2.view(), UCD12(n.z), UCM1E3(n.b), law.s_, ULEN2.view(), UFOR3.view(), USLASH.view(),
                       ULEN2.view()});
        io::write_list(PLOTFILE, {n.x});
    }

private:
    VuggyLimestone& law;
};

}  // namespace

void PYVUGGY(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    VuggyLimestone m;
    VuggyLimestonePrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

}  // namespace zolan
