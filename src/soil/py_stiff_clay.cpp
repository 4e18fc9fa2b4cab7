// Stiff clay p-y curves. Code 2, below free water: a wedge resistance capped
// by flow around the pile, shaped by As and Ac (depth over diameter), a static
// curve of four pieces and a cyclic curve of three, both capped by the line
// k z y. Codes 3 and 10, above free water: p = 0.5 pu (y/y50)^(1/4) up to pu
// at 16 y50, stretched in deflection by the number of cycles; code 10 capped
// by the line k zeq y. Also the stiff-clay defaults of e50 and k.
#include <algorithm>
#include <cmath>

#include "soil/soil_lookup.h"
#include "model/case_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/single_precision.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/py_curves.h"
#include "soil/py_frame.h"

namespace zolan {

namespace {

// Class limits of cohesion for the stiff-clay defaults: 1000 lb/ft^2 in
// lb/in^2, or the same in kPa.
constexpr double A_EN = f32(6.94444465637207f), A_SI = f32(47.8802604675293f);
constexpr double E50_1 = f32(0.011f), E50_2 = f32(0.007f), E50_3 = f32(0.005f), E50_4 = f32(0.004f);

// Code 2.
constexpr double C283 = f32(2.83f), C1225 = f32(1.225f), C0411 = f32(0.411f), C0936 = f32(0.936f);
constexpr double C0418 = f32(0.418f), C0055 = f32(0.055f), C41 = f32(4.1f), C045 = f32(0.45f);
constexpr double C06 = f32(0.6f), C18 = f32(1.8f), C0085 = f32(0.085f), C0102 = f32(0.102f);
constexpr double C005 = f32(0.05f), C04 = f32(0.4f);
// Codes 3 and 10 (0.6 as above).
constexpr double C96 = f32(9.6f);

// Class 0..3 of cohesion cu with the limit a: below a, below 2a, below 4a, above.
int cohesion_class(double cu, double a) { return cu < a ? 0 : cu < 2.0 * a ? 1 : cu < 4.0 * a ? 2 : 3; }

// Unit system of the defaults: with an open unit system the curve would be
// undefined without e50 and k, so the English tables serve.
int default_units() { return NUNITS == 2 ? 2 : 1; }

// Default e50 of stiff clay for cohesion cu.
double e50_stiff(double cu) {
    static constexpr double e50[4] = {E50_1, E50_2, E50_3, E50_4};
    return e50[cohesion_class(cu, default_units() == 1 ? A_EN : A_SI)];
}

const fmt::Format F_HEAD2(
    R"((/,9X,"DEPTH BELOW GS",6X,"DIAM",8X,"C",9X,"CAVG",6X,"GAMMA",8X,"E50",/,15X,A2,13X,A2,5X,2(A3,A1,2A2,A1,2X),A3,A1,2A2,A1,/,9X,F10.2,5X,F10.3,3(1X,E10.2),E12.4))");
const fmt::Format F_CAPTION2(R"((/,13X,"AS =",F5.2,5X,"AC =",F5.2,5X,"Y,",A2,13X,"P,",A3,A1,A2))");
const fmt::Format F_HEAD3(
    R"((/,10X,"DEPTH BELOW GS",5X,"DIAM",8X,"C",7X,"CAVG",6X,"GAMMA",7X,"E50",/,16X,A2,12X,A2,5X,3(A3,A1,A2,A2,A1,1X),/,10X,F10.2,5X,F10.3,3E10.2,E12.4,/,38X,"Y",19X,"P",/,38X,A2,15X,A3,A1,A2))");

// Soil values common to the stiff clays: cohesion cu, average cohesion ca,
// average effective unit weight, e50 (stiff-clay default when not given).
class StiffClay : public PyModel {
protected:
    StiffClay() { uses_eqdepth = true; }
    ~StiffClay() = default;

    bool soil_values(const PyNode& n, int& ISTAT) {
        cu_ = CCRV(n.x, ISTAT);
        if (ISTAT != 0) return false;
        if (!average_cohesion(n, ISTAT)) return false;
        gamma_ = GAMAVG(n.x, ISTAT);
        if (ISTAT != 0) return false;
        e50_ = E50CRV(n.x);
        if (e50_ <= 0.0) e50_ = e50_stiff(cu_);
        return true;
    }

    // k of the profile, or the stiff-clay default by cohesion.
    double subgrade_k(const PyNode& n) const {
        double k = KCRV(n.x);
        if (k <= 0.0) KSTIFF(cu_, k, default_units(), LOADTYP);
        return k;
    }

    void eqdepth(const PyNode& n) override {
        EqDepthSoil soil;
        soil.b = n.b;
        soil.cu = cu_;
        soil.ca = ca_;
        soil.gamma = gamma_;
        EQDEPTH(n.pile, n.layer, n.prop, soil);
    }

    // The soil values and the running average of the cohesion, for keep().
    bool keep_soil(PyKeepIO& io) { return io(cu_, ca_, gamma_, e50_, started_, x0_, xprev_, cprev_, area_); }

    // The soil heading's values line items: z, b, cu, ca, gamma', e50.
    double cu_ = 0, ca_ = 0, gamma_ = 0, e50_ = 0;

private:
    // Average cohesion ca: from the ground surface in the first layer; below
    // it the trapezoid average over the layer's nodes down to x (analysis)
    // or the mean of the cohesion at x and at the layer's top (curve mode).
    bool average_cohesion(const PyNode& n, int& ISTAT) {
        if (n.layer == 1) {
            ca_ = CAVG(n.x, ISTAT);
            return ISTAT == 0;
        }
        if (n.curve) {
            const double ctop = CCRV(LAYTOP(n.layer), ISTAT);
            if (ISTAT != 0) return false;
            ca_ = 0.5 * (cu_ + ctop);
            return true;
        }
        if (n.first || !started_) {
            started_ = true;
            x0_ = n.x;
            area_ = 0.0;
            ca_ = cu_;
        } else {
            area_ += 0.5 * (cu_ + cprev_) * (n.x - xprev_);
            ca_ = n.x > x0_ ? area_ / (n.x - x0_) : cu_;
        }
        xprev_ = n.x;
        cprev_ = cu_;
        return true;
    }

    bool started_ = false;
    double x0_ = 0, xprev_ = 0, cprev_ = 0, area_ = 0;
};

// ---------------------------------------------------------------------------
// Code 2: stiff clay with free water.

class StiffClayWater final : public StiffClay {
    friend class StiffClayWaterPrinter;
public:
    StiffClayWater() {
        code = 2;
        lookups_first = true;
    }

    bool lookup(const PyNode& n, int& ISTAT) override {
        if (!soil_values(n, ISTAT)) return false;
        k_ = subgrade_k(n);
        return true;
    }

    bool prepare(const PyNode& n, int&) override {
        const double b = n.b, z = n.z;
        shape(n, As_, Ac_);
        // 1. Resistance, y50 and the initial modulus.
        const double pct = 2.0 * ca_ * b + gamma_ * b * z + C283 * ca_ * z;
        const double pcd = 11.0 * cu_ * b;
        pc_ = std::min(pct, pcd);
        y50_ = e50_ * b;
        esi_ = k_ * z;
        yp_ = C41 * Ac_ * y50_;
        // 2. Residual factor (an unknown loading keeps the previous node's).
        if (LOADTYP == 1) F_ = C1225 * std::sqrt(As_) - 0.75 * As_ - C0411;
        if (LOADTYP == 0) F_ = C0936 * Ac_ - C0418 * As_;
        // 6. Value summed per layer, with the previous node's pc; the
        // triangle above the pile head with the soft-clay resistance.
        u_ = (0.5 * (pcp_ + pc_) + pc_) * F_;
        pcp_ = pc_;
        const double Np = cu_ > 0.0 && b > 0.0 ? 3.0 + gamma_ * z / cu_ + 0.5 * z / b : 0.0;
        put_ = std::min(Np, 9.0) * cu_ * b;
        return true;
    }

    double p_at(const PyNode&, double Y) const override {
        if (!(y50_ > 0.0)) return 0.0;
        const double pc = pc_, As = As_, Ac = Ac_, y50 = y50_, yp = yp_;
        double p;
        if (LOADTYP == 1) {
            // 3. Static curve, A = As y50.
            const double A = As * y50;
            if (Y <= A) p = 0.5 * pc * std::sqrt(Y / y50);
            else if (Y <= 6.0 * A) p = 0.5 * pc * std::sqrt(Y / y50) - C0055 * pc * std::pow((Y - A) / A, 1.25);
            else if (Y <= 18.0 * A) p = 0.5 * pc * std::sqrt(6.0 * As) - C0411 * pc - (0.0625 * pc / y50) * (Y - 6.0 * A);
            else p = 0.5 * std::sqrt(6.0 * As) * pc - 0.75 * As * pc - C0411 * pc;
        } else {
            // 4. Cyclic curve.
            if (Y <= C06 * yp) p = Ac * pc * (1.0 - std::pow(std::fabs((Y - C045 * yp) / (C045 * yp)), 2.5));
            else if (Y <= C18 * yp) p = C0936 * Ac * pc - (C0085 * pc / y50) * (Y - C06 * yp);
            else p = C0936 * Ac * pc - C0102 * pc * yp / y50;
        }
        // 5. The initial line caps both curves.
        return std::min(p, esi_ * Y);
    }

    double es0(const PyNode&) const override { return esi_; }

    bool keep(PyKeepIO& io) override {
        return keep_soil(io) && io(k_, As_, Ac_, pc_, y50_, esi_, yp_, F_, pcp_, u_, put_);
    }

    double sum_value(const PyNode&, bool& add) const override {
        add = true;
        return u_;
    }
    double triangle_value(const PyNode&) const override { return put_; }

    // 7. Default deflections: steps of the static or cyclic curve's pieces.
    double default_y(const PyNode&, int i, double prev) const override {
        if (i == 1) return 0.0;
        if (LOADTYP == 1) {
            const double A = As_ * y50_;
            if (i <= 13) return prev + 0.5 * A;
            if (i <= 16) return prev + 4.0 * A;
            return 100.0 * A;
        }
        if (i <= 13) return prev + C005 * yp_;
        if (i <= 16) return prev + C04 * yp_;
        return 10.0 * yp_;
    }

private:
    // Shape coefficients As and Ac by zeq / b, at the depth GRDDEP + zeq.
    static void shape(const PyNode& n, double& As, double& Ac) {
        const double x = GRDDEP(n.pile) + n.zeq;
        As = ACOEF1(n.pile, n.prop, x);
        Ac = ACOEF2(n.pile, n.prop, x);
    }

    double k_ = 0;
    double As_ = 0, Ac_ = 0, pc_ = 0, y50_ = 0, esi_ = 0, yp_ = 0;
    double F_ = 0, pcp_ = 0, u_ = 0, put_ = 0;
};

// The printed report of a tabulated curve of the model above.
class StiffClayWaterPrinter final : public PyPrinter {
public:
    explicit StiffClayWaterPrinter(StiffClayWater& m) : law(m) {}

    void write_heading(const PyNode& n) override {
        double As = 0.0, Ac = 0.0;
        law.shape(n, As, Ac);
        io::write_list(PLOTFILE, {n.x});
        io::write_fmt(ECHOFILE, F_HEAD2,
                      {UBLEN2.view(), USLEN2.view(), UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(),
                       UEXP2.view(), UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(), UEXP2.view(),
                       UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(), UEXP3.view(), UCD12(n.z),
                       UCM1E3(n.b), UCM144(law.cu_), UCM144(law.ca_), UCM1728(law.gamma_), law.e50_});
        io::write_fmt(ECHOFILE, F_CAPTION2, {As, Ac, ULEN2.view(), UFOR3.view(), USLASH.view(), ULEN2.view()});
    }

private:
    StiffClayWater& law;
};

// ---------------------------------------------------------------------------
// Codes 3 and 10: stiff clay without free water.

class StiffClayDry final : public StiffClay {
    friend class StiffClayDryPrinter;
public:
    explicit StiffClayDry(bool with_k) : with_k_(with_k) { code = with_k ? 10 : 3; }

    bool lookup(const PyNode& n, int& ISTAT) override {
        if (!soil_values(n, ISTAT)) return false;
        if (with_k_) k_ = subgrade_k(n);
        return true;
    }

    bool prepare(const PyNode& n, int&) override {
        const double b = n.b, zeq = n.zeq;
        // 1-2. Ultimate resistance and y50.
        pu_ = std::min(3.0 * ca_ * b + gamma_ * b * zeq + 0.5 * ca_ * zeq, 9.0 * cu_ * b);
        y50_ = 2.5 * e50_ * b;
        // Cycles: 1 under static loading, and at least 1.
        const double N = LOADTYP == 0 ? std::max(NCYCL, 1.0) : 1.0;
        stretch_ = 1.0 + C06 * std::log10(N);
        s_ = y50_ * (16.0 + C96 * std::log10(N)) / 15.0;
        // 5-6. The initial line of code 10 and the limit modulus.
        kz_ = with_k_ ? k_ * zeq : 0.0;
        if (with_k_) es0_ = kz_;
        else es0_ = y50_ > 0.0 ? 0.5 * (pu_ / y50_) * std::pow(y50_ / TOLZ, 0.75) : 0.0;
        return true;
    }

    double p_at(const PyNode&, double Y) const override {
        if (!(y50_ > 0.0)) return 0.0;
        double p;
        if (LOADTYP != 0) {
            // 3. Static curve.
            p = Y <= 16.0 * y50_ ? 0.5 * pu_ * std::pow(Y / y50_, 0.25) : pu_;
        } else {
            // 4. Cyclic curve, stretched by the number of cycles.
            p = std::min(pu_, 0.5 * pu_ * std::pow(Y / (y50_ * stretch_), 0.25));
        }
        // 5. Code 10: the initial line.
        if (with_k_) p = std::min(p, kz_ * Y);
        return p;
    }

    double es0(const PyNode&) const override { return es0_; }

    bool keep(PyKeepIO& io) override { return keep_soil(io) && io(k_, pu_, y50_, stretch_, s_, kz_, es0_); }

    // 7. The sum takes the spacing of the pile's first two nodes.
    void accumulate(const PyNode& n, double& sum) override {
        PyNode m = n;
        m.h = NDEPTH(n.row, 2) - NDEPTH(n.row, 1);
        PyModel::accumulate(m, sum);
    }
    double sum_value(const PyNode&, bool& add) const override {
        add = true;
        return pu_;
    }

    // 9. Default deflections: eighths of s to s, then steps of 2 s to 15 s
    // (where the curve reaches pu), then 18.75 s.
    double default_y(const PyNode&, int i, double prev) const override {
        if (i == 1) return 0.0;
        if (i <= 8) return prev + 0.125 * s_;
        if (i == 9) return s_;
        if (i <= 16) return prev + 2.0 * s_;
        return 1.25 * 15.0 * s_;
    }

private:
    bool with_k_;
    double k_ = 0;
    double pu_ = 0, y50_ = 0, stretch_ = 1, s_ = 0, kz_ = 0, es0_ = 0;
};

// The printed report of a tabulated curve of the model above.
class StiffClayDryPrinter final : public PyPrinter {
public:
    explicit StiffClayDryPrinter(StiffClayDry& m) : law(m) {}

    void write_heading(const PyNode& n) override {
        io::write_list(PLOTFILE, {n.x});
        io::write_fmt(ECHOFILE, F_HEAD3,
                      {UBLEN2.view(), USLEN2.view(), UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(),
                       UEXP2.view(), UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(), UEXP2.view(),
                       UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(), UEXP3.view(), UCD12(n.z),
                       UCM1E3(n.b), UCM144(law.cu_), UCM144(law.ca_), UCM1728(law.gamma_), law.e50_, ULEN2.view(),
                       UFOR3.view(),
                       USLASH.view(), ULEN2.view()});
    }

private:
    StiffClayDry& law;
};

}  // namespace

void PYSTIFW(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    StiffClayWater m;
    StiffClayWaterPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

void PYSTIFF(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    StiffClayDry m(false);
    StiffClayDryPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

void PYSTIFK(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    StiffClayDry m(true);
    StiffClayDryPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

}  // namespace zolan
