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
void zero_phi_stop(int layer, int& ISTAT) {
    row_block({RUNFILE, ECHOFILE}, F_ZERO_PHI);
    LAYERSTOP(layer, 3);
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
            zero_phi_stop(n.layer, ISTAT);
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

    double es0(const PyNode&) const override { return pt_.es0; }

    bool keep(PyKeepIO& io) override { return io(phi_, gamma_, c_, k_, w_, zero_phi_, pt_); }

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
        return sand_default_y(i, pt_.ym, pt_.yu, n.b);
    }

protected:
    SandBase(bool with_c, SandMemo& memo) : with_c_(with_c), memo_(memo) { uses_eqdepth = true; }
    ~SandBase() = default;

    // The breakpoints of the node: kept from an evaluation before while
    // their key is the same, else formed by the model's compute.
    template <class Form>
    void breakpoints(const PyNode& n, bool tables, Form&& form) {
        sand_points(memo_, n.cap, n.k, sand_key(code, n, phi_, gamma_, c_, k_, tables), pt_, form);
    }

    // Breakpoint deflections and the limit modulus k H (none where the node
    // carries no resistance).
    void deflections(const PyNode& n, double H, bool none) {
        pt_.ym = n.b / 60.0;
        pt_.yu = 3.0 * n.b / 80.0;
        pt_.es0 = none ? 0.0 : k_ * H;
    }

    double degrees() const { return phi_ * 180.0 / PI; }

    bool with_c_;
    SandMemo& memo_;
    double phi_ = 0, gamma_ = 0, c_ = 0, k_ = 0;
    SandWedge w_;
    bool zero_phi_ = false;
    SandPoints pt_;
};

// ---------------------------------------------------------------------------
// Code 4.

class Sand final : public SandBase {
    friend class SandPrinter;
public:
    explicit Sand(SandMemo& memo) : SandBase(false, memo) { code = 4; }

    bool prepare(const PyNode& n, int&) override {
        breakpoints(n, true, [&] { compute(n); });
        return true;
    }

    double p_at(const PyNode&, double Y) const override {
        // 8. The four pieces, each capped by the initial line.
        const SandPoints& q = pt_;
        if (q.none) return 0.0;
        const double line = k_ * q.H * Y;
        if (Y >= q.yu) return std::min(q.pu, line);
        if (Y >= q.ym) return std::min(q.pm + q.m * (Y - q.ym), line);
        if (Y > q.yk) return std::min(q.C * std::pow(Y, 1.0 / q.n), line);
        return line;
    }

    double sum_value(const PyNode&, bool& add) const override {
        add = true;
        return pt_.pu;
    }

private:
    // The resistance and the curve's constants at the node.
    void compute(const PyNode& n) {
        const double b = n.b, z = n.z, H = n.zeq;
        SandPoints& q = pt_;
        q.H = H;
        // 2. Wedge resistance at H.
        q.pst = w_.pst(gamma_, b, H);
        // 3. Flow-around resistance at the depth below the ground line.
        q.pcd = w_.pcd(gamma_, b, z);
        // 4-5. The lesser, and the coefficients by H/b (section diameter at the depth).
        const double ps = std::min(q.pst, q.pcd);
        const double x = GRDDEP(n.pile) + H;
        const bool stat = LOADTYP == 1;
        q.A = ZBTAB(n.pile, n.prop, x, std::span<const double, 10>(stat ? SAND_A_STATIC : SAND_A_CYCLIC, 10),
                    std::span<const double, 10>(SAND_ZB, 10));
        q.B = ZBTAB(n.pile, n.prop, x, std::span<const double, 10>(stat ? SAND_B_STATIC : SAND_B_CYCLIC, 10),
                    std::span<const double, 10>(SAND_ZB, 10));
        // 6. Breakpoints.
        q.pu = q.A * ps;
        q.pm = q.B * ps;
        // No resistance: no friction at the layer's first node, a depth at or
        // above the ground, or no strength to build a curve on.
        const bool above = zero_phi_ || !(H > 0.0);
        q.none = above || !(q.pm > 0.0) || !(b > 0.0);
        if (above) q.pu = q.pm = 0.0;
        deflections(n, H, above);
        // 7. Straight piece, parabola and the end of the initial line.
        if (q.none) {
            q.m = q.n = q.C = 0.0;
            q.yk = 2.0 * b;
            return;
        }
        q.m = (q.pu - q.pm) / (q.yu - q.ym);
        q.n = q.pm / (q.m * q.ym);
        q.C = q.pm / std::pow(q.ym, 1.0 / q.n);
        q.yk = std::pow(q.C / (k_ * H), q.n / (q.n - 1.0));
    }
};

// The printed report of a tabulated curve of the model above.
class SandPrinter final : public PyPrinter {
public:
    explicit SandPrinter(Sand& m) : law(m) {}

    void write_heading(const PyNode& n) override {
        law.compute(n);
        io::write_fmt(ECHOFILE, F_HEAD4,
                      {UBLEN2.view(), USLEN2.view(), UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(),
                       UEXP3.view(), UCD12(n.z), UCM1E3(n.b), law.degrees(), UCM1728(law.gamma_), law.pt_.A, law.pt_.B,
                       law.pt_.pst, law.pt_.pcd,
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
    explicit ApiSand(SandMemo& memo) : SandBase(true, memo) {
        code = 8;
    }

    bool prepare(const PyNode& n, int&) override {
        breakpoints(n, false, [&] { compute(n); });
        return true;
    }

    double p_at(const PyNode&, double Y) const override {
        // 5. Hyperbolic tangent from the initial slope k H to A pu.
        if (pt_.none) return 0.0;
        return pt_.pu * std::tanh(k_ * pt_.H * Y / pt_.pu);
    }

    double sum_value(const PyNode&, bool& add) const override {
        add = true;
        return pt_.pu;
    }

private:
    void compute(const PyNode& n) {
        const double b = n.b, z = n.z, H = n.zeq;
        SandPoints& q = pt_;
        q.H = H;
        // 2. Coefficients.
        double C1 = 0, C2 = 0, C3 = 0;
        w_.coefficients(C1, C2, C3);
        // 3. Transition depth, shallow and deep resistance (the deep one by
        // the depth below the ground line).
        const double zr = (C3 - C2) * b / C1;
        q.pus = (C1 * H + C2 * b) * gamma_ * H;
        q.pdeep = C3 * H * b * gamma_;
        const double pu = H <= zr ? q.pus : C3 * b * gamma_ * z;
        // 4. Loading factor.
        q.A = LOADTYP == 1 ? std::max(C09, 3.0 - C08 * H / b) : C09;
        // No resistance: no friction at the layer's first node, a node at or
        // above the ground, or no strength. pu holds A pu.
        q.none = zero_phi_ || H < H_MIN || !(pu > 0.0);
        q.pu = q.none ? 0.0 : q.A * pu;
        deflections(n, H, zero_phi_ || !(H > 0.0));
    }
};

// The printed report of a tabulated curve of the model above.
class ApiSandPrinter final : public PyPrinter {
public:
    explicit ApiSandPrinter(ApiSand& m) : law(m) { plot_point = &F_POINT_PLOT8; }

    void write_heading(const PyNode& n) override {
        law.compute(n);
        io::write_fmt(ECHOFILE, F_HEAD8,
                      {UBLEN2.view(), USLEN2.view(), UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(),
                       UEXP3.view(), UCD12(n.z), UCM1E3(n.b), law.degrees(), UCM1728(law.gamma_), law.pt_.A, 0.0,
                       law.pt_.pus, law.pt_.pdeep,
                       ULEN2.view(), UFOR3.view(), USLASH.view(), ULEN2.view()});
        io::write_list(PLOTFILE, {n.x});
    }

private:
    ApiSand& law;
};

}  // namespace

void PYSAND(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    Sand m(w.sand);
    SandPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

void PYAPISND(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    ApiSand m(w.sand);
    ApiSandPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

}  // namespace zolan
