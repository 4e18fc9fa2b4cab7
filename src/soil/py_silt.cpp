// Silt p-y curves (soil code 7), a soil with cohesion and friction: pu =
// A pphi + pc at 3b/80 and pm = 1.5 (pphi + pc) at b/60, pphi the lesser of
// the sand wedge and flow-around resistances and pc a soft-clay resistance;
// the initial line k H y to yk, then the parabola C y^(1/n) to ym, the line
// through pm and 2 pm - pu to yu and pu beyond, each capped by k H y.
#include <algorithm>
#include <cmath>
#include <span>

#include "soil/soil_lookup.h"
#include "model/status_codes.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/single_precision.h"
#include "model/soil_tables.h"
#include "report/field_writers.h"
#include "report/row_report.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/py_curves.h"
#include "soil/py_frame.h"
#include "soil/sand_coefficients.h"
#include "soil/sand_wedge.h"
#include "soil/soil_defaults.h"

namespace zolan {

namespace {

constexpr double PHI_MIN = f32(1.0e-10f);    // a smaller friction angle counts as zero
constexpr double SLOPE_MIN = f32(1.0e-10f);  // least 1 - cos^2(phi) against a level ground

// The heading's last column is "Pu" and the byte 0xED (phi in the report's code page).
const fmt::Format F_HEAD(
    R"((/,/,5X,"DEPTH",6X,"DIAM",6X,"PHI",2X,"GAMMA AVG",8X,"A",9X,"B",5X,"Puc",7X,"Pu)"
    "\xED"
    R"(",/,7X,A2,8X,A2,12X,A3,A1,A2,A2,A1,/,2F10.2,F10.1,E10.3,2F10.2,2E10.3,/,/,37X,"Y",19X,"P",/,37X,A2,16X,A3,A1,A2))");
const fmt::Format F_POINT_PLOT("(1P,2(2X,G15.8))");
const fmt::Format F_ZERO_PHI(
    R"((/,7X,"--------------------WARNING----------------------",/,7X,"THE FRICTION ANGLE IS 0 FOR SILT ACCORING TO THE INPUT",/,7X,"DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN."))");
const fmt::Format F_SLOPE(
    R"((/,/,7X,"WARNING-------The Angle of the slope can not",/,7X,"              be greater than the internal  ",/,7X,"              friction angle of the silt.   ",/))");

void stop_block(int first_unit, int second_unit, const fmt::Format& f, int& ISTAT, int code) {
    row_block({first_unit, second_unit}, f);
    set_status_once(ISTAT, code);
}

class Silt final : public PyModel {
    friend class SiltPrinter;
public:
    explicit Silt(SandMemo& memo) : memo_(memo) {
        code = 7;
        uses_eqdepth = true;
    }

    // Soil values at the node, the two checks of the friction angle and the
    // subgrade modulus with its default.
    bool lookup(const PyNode& n, int& ISTAT) override {
        gamma_ = GAMAVG(n.x, ISTAT);
        if (ISTAT != 0) return false;
        c_ = CCRV(n.x, ISTAT);
        if (ISTAT != 0) return false;
        phi_ = PHICRV(n.x, ISTAT);
        if (ISTAT != 0) return false;
        // A zero angle below the layer's first node; then the level ground
        // against the friction angle (which a zero angle at the first node meets).
        if (!n.first && phi_ < PHI_MIN) {
            stop_block(ECHOFILE, RUNFILE, F_ZERO_PHI, ISTAT, ISSILTPH);
            LAYERSTOP(n.layer, 3);
            return false;
        }
        if (1.0 - std::cos(phi_) * std::cos(phi_) < SLOPE_MIN) {
            stop_block(RUNFILE, ECHOFILE, F_SLOPE, ISTAT, ISSILTSL);
            return false;
        }
        k_ = KCRV(n.x);
        // An open unit system has no defaults of its own: the English ones.
        if (k_ <= 0.0) KSILT(gamma_, c_, phi_, k_, NUNITS == 2 ? 2 : 1, LOADTYP == 1 ? 1 : 0);
        // 1. Angles and earth-pressure coefficients.
        if (phi_ != w_.phi || w_.tb == 0.0) w_ = SandWedge(phi_);  // the same angle as the node before
        return true;
    }

    void eqdepth(const PyNode& n) override {
        EQDEPTH(n.pile, n.layer, n.prop, w_.eqdepth_soil(n.b, c_, gamma_, n.z));
    }

    // The breakpoints: kept from an evaluation before while their key is
    // the same, else formed again.
    bool prepare(const PyNode& n, int&) override {
        sand_points(memo_, n.cap, n.k, sand_key(code, n, phi_, gamma_, c_, k_, true), pt_, [&] { compute(n); });
        return true;
    }

    double p_at(const PyNode&, double Y) const override {
        // 7. The initial line to yk, then the lesser of it and the curve.
        const SandPoints& q = pt_;
        if (q.none) return 0.0;
        const double line = k_ * q.H * Y;
        if (Y <= q.yk) return line;
        double f;
        if (q.flat) f = q.pm;
        else if (Y <= q.ym) f = q.C * std::pow(Y, 1.0 / q.n);
        else if (Y <= q.yu) f = q.pm + q.m * (Y - q.ym);
        else f = q.pu;
        return std::min(line, f);
    }

    // 8. Limit modulus k H.
    double es0(const PyNode&) const override { return pt_.none ? 0.0 : k_ * pt_.H; }

    bool keep(PyKeepIO& io) override { return io(gamma_, c_, phi_, k_, w_, pt_, pu_prev_); }

    double sum_value(const PyNode&, bool& add) const override {
        add = true;
        return pt_.pu;
    }

    // 9. Running sum: the frame's triangle above the head, then the mean of
    // the previous node's pu and this node's over an increment of the pile,
    // and at the layer's last node the rest of the layer below it.
    void accumulate(const PyNode& n, double& sum) override {
        const double pu = pt_.pu;
        if (n.layer == 1 && GROUND(n.pile) <= 0.0 && sum <= 0.0) sum = -0.5 * pu * GROUND(n.pile);
        if (!(n.first && n.layer > 1)) sum += 0.5 * (pu_prev_ + pu) * HINCR(n.prop);
        if (n.last) sum += (LAYBOT(n.layer) - n.x) * pu;
        pu_prev_ = pu;
    }

    // The 17 deflections of the sand curves.
    double default_y(const PyNode& n, int i, double) const override {
        return sand_default_y(i, pt_.ym, pt_.yu, n.b);
    }

private:
    // The resistances and the curve's constants at the node.
    void compute(const PyNode& n) {
        const double b = n.b, H = n.zeq;
        SandPoints& q = pt_;
        q.H = H;
        // 2. Frictional part: the sand wedge and the flow-around resistance, both at H.
        q.pphi = std::min(w_.pst(gamma_, b, H), w_.pcd(gamma_, b, H));
        // 3. Cohesive part (none without cohesion).
        const double Np = c_ > 0.0 ? 3.0 + gamma_ * H / c_ + 0.5 * H / b : 0.0;
        q.pc = Np < 9.0 ? Np * c_ * b : 9.0 * c_ * b;
        // 4. A and B by H/b (section diameter at the depth).
        const double x = GRDDEP(n.pile) + H;
        const bool stat = LOADTYP == 1;
        q.A = ZBTAB(n.pile, n.prop, x, std::span<const double, 10>(stat ? SAND_A_STATIC : SAND_A_CYCLIC, 10),
                    std::span<const double, 10>(SAND_ZB, 10));
        q.B = ZBTAB(n.pile, n.prop, x, std::span<const double, 10>(stat ? SAND_B_STATIC : SAND_B_CYCLIC, 10),
                    std::span<const double, 10>(SAND_ZB, 10));
        // 5. Breakpoints.
        q.ym = b / 60.0;
        q.yu = 3.0 * b / 80.0;
        q.pu = q.A * q.pphi + q.pc;
        q.pm = 1.5 * (q.pphi + q.pc);
        // A node at or above the ground (H <= 0) or without a diameter carries
        // no resistance.
        q.none = !(H > 0.0) || !(b > 0.0);
        q.flat = false;
        q.m = q.n = q.C = 0.0;
        if (q.none) {
            q.pu = q.pm = 0.0;
            q.yk = 2.0 * b;
            return;
        }
        // 6. Line, parabola and the end of the initial line; with pm = pu the
        // line has no slope and the curve holds pm from the initial line on.
        if (q.pm == q.pu) {
            q.flat = true;
            q.yk = q.pm / (k_ * H);
            return;
        }
        q.m = (q.pm - q.pu) / (q.yu - q.ym);
        q.n = q.pm / (q.m * q.ym);
        q.C = q.pm / std::pow(q.ym, 1.0 / q.n);
        q.yk = std::pow(q.C / (k_ * H), q.n / (q.n - 1.0));
    }

    SandMemo& memo_;
    double gamma_ = 0, c_ = 0, phi_ = 0, k_ = 0;
    SandWedge w_;
    SandPoints pt_;
    double pu_prev_ = 0;  // pu of the previous node of the call
};

// The printed report of a tabulated curve of the model above.
class SiltPrinter final : public PyPrinter {
public:
    explicit SiltPrinter(Silt& m) : law(m) { plot_point = &F_POINT_PLOT; }

    void write_heading(const PyNode& n) override {
        law.compute(n);
        io::write_fmt(ECHOFILE, F_HEAD,
                      {UBLEN2.view(), USLEN2.view(), UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(),
                       UEXP3.view(), UCD12(n.z), UCM1E3(n.b), law.phi_ * 180.0 / PI, UCM1728(law.gamma_), law.pt_.A,
                       law.pt_.B, law.pt_.pc, law.pt_.pphi,
                       ULEN2.view(), UFOR3.view(), USLASH.view(), ULEN2.view()});
        io::write_list(PLOTFILE, {n.x});
    }

private:
    Silt& law;
};

}  // namespace

void PYSILT(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    Silt m(w.sand);
    SiltPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

}  // namespace zolan
