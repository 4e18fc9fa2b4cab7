// Sand p-y curves. Code 4: the lesser of the wedge and flow-around
// resistances ps, scaled by the empirical coefficients A (ultimate pu at
// 3b/80) and B (pm at b/60); the curve runs on the initial line k H y, a
// parabola C y^(1/n), a straight line from pm to pu and the plateau pu,
// every piece capped by k H y. Code 8 (API criteria): p = A pu tanh(k H y /
// (A pu)) with pu from the coefficients C1, C2, C3 and the loading factor A.
#include <algorithm>
#include <cmath>
#include <span>

#include "soil/soil_lookup.h"
#include "model/status_codes.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
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

constexpr double PHI_MIN = f32(1.0e-10f);  // a smaller friction angle counts as zero
constexpr double H_MIN = f32(1.0e-10f);    // API sand: no resistance at a shallower depth
constexpr double C08 = f32(0.8f), C09 = f32(0.9f);

const fmt::Format F_HEAD4(
    R"((/,11X,"DEPTH BELOW GS",6X,"DIAM",6X,"PHI",5X,"GAMMA",10X,"A",9X,"B",15X,"PCT",7X,"PCD",/,17X,A2,13X,A2,13X,A3,A1,A2,A2,A1,/,10X,F10.2,5X,2F10.2,E10.2,2F10.2,10X,2E10.2,/,/,38X,"Y",19X,"P",/,38X,A2,15X,A3,A1,A2))");
const fmt::Format F_HEAD8(
    R"((/,/,5X,"DEPTH",6X,"DIAM",6X,"PHI",2X,"GAMMA AVG",8X,"A",9X,"B",5X,"PCT",7X,"PCD",/,7X,A2,8X,A2,12X,A3,A1,A2,A2,A1,/,2F10.2,F10.1,E10.3,2F10.2,2E10.3,/,/,37X,"Y",19X,"P",/,37X,A2,16X,A3,A1,A2))");
const fmt::Format F_POINT_PLOT8("(1P,2(2X,G15.8))");
const fmt::Format F_ZERO_PHI(
    R"((/,7X,"--------------------WARNING----------------------",/,7X,"THE FRICTION ANGLE IS 0 FOR SAND ACCORING TO THE INPUT",/,7X,"DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN."))");

// A zero friction angle below a layer's first node: the block on the runtime
// file and the echo file, and status 30.
void zero_phi_stop(int& ISTAT) {
    row_block({RUNFILE, ECHOFILE}, F_ZERO_PHI);
    set_status_once(ISTAT, ISSANDPH);
}

// The values common to both sand models and the 17 default deflections.
class SandBase : public PyModel {
public:
    // 1. Soil values at the node: friction angle, average unit weight (and
    // cohesion, passed on to the equivalent depth), the zero-angle check and
    // the subgrade modulus with its default.
    bool lookup(const PyNode& n, int& ISTAT) override {
        phi_ = PHICRV(n.x, ISTAT);
        if (ISTAT != 0) return false;
        gamma_ = GAMAVG(n.x, ISTAT);
        if (ISTAT != 0) return false;
        if (with_c_) {
            c_ = CCRV(n.x, ISTAT);
            if (ISTAT != 0) return false;
        }
        // A zero angle stops the run below the layer's first node; at the
        // first node (not checked) the node carries no resistance.
        zero_phi_ = phi_ < PHI_MIN;
        if (zero_phi_ && !n.first) {
            zero_phi_stop(ISTAT);
            return false;
        }
        k_ = KCRV(n.x);
        // An open unit system has no defaults of its own: the English ones.
        if (k_ <= 0.0) KSAND(phi_, gamma_, k_, NUNITS == 2 ? 2 : 1);
        // 2. Angles and earth-pressure coefficients.
        if (phi_ != w_.phi || w_.tb == 0.0) w_ = SandWedge(phi_);  // the same angle as the node before
        return true;
    }

    // Equivalent depth of the layer; none from a node without friction.
    void eqdepth(const PyNode& n) override {
        if (zero_phi_) return;
        EQDEPTH(n.pile, n.layer, n.prop, w_.eqdepth_soil(n.b, c_, gamma_, n.z));
    }

    double es0(const PyNode&) const override { return es0_; }

    // Running sum: the frame rule with u, and at the layer's last node the
    // rest of the layer below it.
    void accumulate(const PyNode& n, double& sum) override {
        PyModel::accumulate(n, sum);
        bool add = true;
        if (n.last) sum += (LAYBOT(n.layer) - n.x) * sum_value(n, add);
    }

    // 0, ym/12 .. 10 ym/12, then steps s = (yu - 10 ym/12) / 2 to yu and two
    // beyond it, and two points b/20 and b/10 further.
    double default_y(const PyNode& n, int i, double) const override {
        return sand_default_y(i, ym_, yu_, n.b);
    }

protected:
    explicit SandBase(bool with_c) : with_c_(with_c) { uses_eqdepth = true; }
    ~SandBase() = default;

    // Breakpoint deflections and the limit modulus k H (none where the node
    // carries no resistance).
    void deflections(const PyNode& n, double H, bool none) {
        ym_ = n.b / 60.0;
        yu_ = 3.0 * n.b / 80.0;
        es0_ = none ? 0.0 : k_ * H;
    }

    double degrees() const { return phi_ * 180.0 / PI; }

    bool with_c_;
    double phi_ = 0, gamma_ = 0, c_ = 0, k_ = 0;
    SandWedge w_;
    bool zero_phi_ = false;
    double ym_ = 0, yu_ = 0, es0_ = 0;
};

// ---------------------------------------------------------------------------
// Code 4.

class Sand final : public SandBase {
    friend class SandPrinter;
public:
    Sand() : SandBase(false) { code = 4; }

    bool prepare(const PyNode& n, int&) override {
        compute(n);
        return true;
    }

    double p_at(const PyNode&, double Y) const override {
        // 8. The four pieces, each capped by the initial line.
        if (none_) return 0.0;
        const double line = k_ * H_ * Y;
        if (Y >= yu_) return std::min(pu_, line);
        if (Y >= ym_) return std::min(pm_ + m_ * (Y - ym_), line);
        if (Y > yk_) return std::min(C_ * std::pow(Y, 1.0 / n_), line);
        return line;
    }

    double sum_value(const PyNode&, bool& add) const override {
        add = true;
        return pu_;
    }

private:
    // The resistance and the curve's constants at the node.
    void compute(const PyNode& n) {
        const double b = n.b, z = n.z, H = n.zeq;
        H_ = H;
        // 2. Wedge resistance at H.
        pst_ = w_.pst(gamma_, b, H);
        // 3. Flow-around resistance at the depth below the ground line.
        pcd_ = w_.pcd(gamma_, b, z);
        // 4-5. The lesser, and the coefficients by H/b (section diameter at the depth).
        const double ps = std::min(pst_, pcd_);
        const double x = GRDDEP(n.pile) + H;
        const bool stat = LOADTYP == 1;
        A_ = ZBTAB(n.pile, n.prop, x, std::span<const double, 10>(stat ? SAND_A_STATIC : SAND_A_CYCLIC, 10),
                   std::span<const double, 10>(SAND_ZB, 10));
        B_ = ZBTAB(n.pile, n.prop, x, std::span<const double, 10>(stat ? SAND_B_STATIC : SAND_B_CYCLIC, 10),
                   std::span<const double, 10>(SAND_ZB, 10));
        // 6. Breakpoints.
        pu_ = A_ * ps;
        pm_ = B_ * ps;
        // No resistance: no friction at the layer's first node, a depth at or
        // above the ground, or no strength to build a curve on.
        const bool above = zero_phi_ || !(H > 0.0);
        none_ = above || !(pm_ > 0.0) || !(b > 0.0);
        if (above) pu_ = pm_ = 0.0;
        deflections(n, H, above);
        // 7. Straight piece, parabola and the end of the initial line.
        if (none_) {
            m_ = n_ = C_ = 0.0;
            yk_ = 2.0 * b;
            return;
        }
        m_ = (pu_ - pm_) / (yu_ - ym_);
        n_ = pm_ / (m_ * ym_);
        C_ = pm_ / std::pow(ym_, 1.0 / n_);
        yk_ = std::pow(C_ / (k_ * H), n_ / (n_ - 1.0));
    }

    double H_ = 0, pst_ = 0, pcd_ = 0, A_ = 0, B_ = 0;
    double pu_ = 0, pm_ = 0, m_ = 0, n_ = 0, C_ = 0, yk_ = 0;
    bool none_ = true;
};

// The printed report of a tabulated curve of the model above.
class SandPrinter final : public PyPrinter {
public:
    explicit SandPrinter(Sand& m) : law(m) {}

    void write_heading(const PyNode& n) override {
        law.compute(n);
        io::write_fmt(ECHOFILE, F_HEAD4,
                      {UBLEN2.view(), USLEN2.view(), UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(),
                       UEXP3.view(), UCD12(n.z), UCM1E3(n.b), law.degrees(), UCM1728(law.gamma_), law.A_, law.B_,
                       law.pst_, law.pcd_,
                       ULEN2.view(), UFOR3.view(), USLASH.view(), ULEN2.view()});
        io::write_list(PLOTFILE, {n.x});
    }

private:
    Sand& law;
};

// ---------------------------------------------------------------------------
// Code 8.

class ApiSand final : public SandBase {
    friend class ApiSandPrinter;
public:
    ApiSand() : SandBase(true) {
        code = 8;
    }

    bool prepare(const PyNode& n, int&) override {
        compute(n);
        return true;
    }

    double p_at(const PyNode&, double Y) const override {
        // 5. Hyperbolic tangent from the initial slope k H to A pu.
        if (none_) return 0.0;
        return apu_ * std::tanh(k_ * H_ * Y / apu_);
    }

    double sum_value(const PyNode&, bool& add) const override {
        add = true;
        return apu_;
    }

private:
    void compute(const PyNode& n) {
        const double b = n.b, z = n.z, H = n.zeq;
        H_ = H;
        // 2. Coefficients.
        double C1 = 0, C2 = 0, C3 = 0;
        w_.coefficients(C1, C2, C3);
        // 3. Transition depth, shallow and deep resistance (the deep one by
        // the depth below the ground line).
        const double zr = (C3 - C2) * b / C1;
        pus_ = (C1 * H + C2 * b) * gamma_ * H;
        pdeep_ = C3 * H * b * gamma_;
        const double pu = H <= zr ? pus_ : C3 * b * gamma_ * z;
        // 4. Loading factor.
        A_ = LOADTYP == 1 ? std::max(C09, 3.0 - C08 * H / b) : C09;
        // No resistance: no friction at the layer's first node, a node at or
        // above the ground, or no strength.
        none_ = zero_phi_ || H < H_MIN || !(pu > 0.0);
        apu_ = none_ ? 0.0 : A_ * pu;
        deflections(n, H, zero_phi_ || !(H > 0.0));
    }

    double H_ = 0, A_ = 0, pus_ = 0, pdeep_ = 0, apu_ = 0;
    bool none_ = true;
};

// The printed report of a tabulated curve of the model above.
class ApiSandPrinter final : public PyPrinter {
public:
    explicit ApiSandPrinter(ApiSand& m) : law(m) { plot_point = &F_POINT_PLOT8; }

    void write_heading(const PyNode& n) override {
        law.compute(n);
        io::write_fmt(ECHOFILE, F_HEAD8,
                      {UBLEN2.view(), USLEN2.view(), UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(),
                       UEXP3.view(), UCD12(n.z), UCM1E3(n.b), law.degrees(), UCM1728(law.gamma_), law.A_, 0.0,
                       law.pus_, law.pdeep_,
                       ULEN2.view(), UFOR3.view(), USLASH.view(), ULEN2.view()});
        io::write_list(PLOTFILE, {n.x});
    }

private:
    ApiSand& law;
};

}  // namespace

void PYSAND(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    Sand m;
    SandPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

void PYAPISND(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    ApiSand m;
    ApiSandPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

}  // namespace zolan
