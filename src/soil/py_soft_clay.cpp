// Soft clay p-y curves (soil codes 1 and 13): p = 0.5 pu (y/y50)^(1/3) up to
// 8 y50 and the plateau pu under static loading; under cyclic loading the
// plateau 0.72 pu from 3 y50, falling above the transition depth xr to
// 0.72 pu zeq / xr at 15 y50. Code 13 takes the factor J from the profile.
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

constexpr double C072 = f32(0.72f), C0008 = f32(0.008f);
constexpr double THIRD = f32(1.0f / 3.0f), TWO_THIRDS = f32(2.0f / 3.0f);

// Default e50 of soft clay: classes of cohesion in steps of 500 lb/ft^2.
constexpr double A_EN = f32(3.4722223f), A_SI = f32(23.94013f);
constexpr double E50_1 = f32(0.02f), E50_2 = f32(0.01f), E50_3 = f32(0.005f), E50_4 = f32(0.004f);
constexpr double E50_OTHER = f32(0.001f);

const fmt::Format F_HEAD1(
    R"((/,9X,"DEPTH BELOW GS",6X,"DIAM",9X,"C",9X,"GAMMA",9X,"E50",/,15X,A2,13X,A2,7X,A3,A1,A2,A2,A1,4X,A3,A1,A2,A2,A1))");
const fmt::Format F_HEAD13(
    R"((/,9X,"DEPTH BELOW GS",6X,"DIAM",9X,"C",9X,"GAMMA",9X,"E50",11X,"J",/,15X,A2,13X,A2,7X,A3,A1,A2,A2,A1,4X,A3,A1,A2,A2,A1))");
const fmt::Format F_VALUES1("(8X,F10.2,6X,F10.3,3X,E11.4,2X,E11.4,1X,E12.4)");
const fmt::Format F_VALUES13("(8X,F10.2,6X,F10.3,3X,E11.4,2X,E11.4,1X,E12.4,E12.4)");
const fmt::Format F_CAPTION(R"((/,37X,"Y,",A2,13X,"P,",A3,A1,A2))");
const fmt::Format F_SMALL_Y(
    R"((/,29X,"**** WARNING ****",/,5X,"DEFLECTION IS LESS THAN 1.0E-14.  THE PROGRAM",/,5X,"USED A SOIL MODULUS OF ",E12.4))");

class SoftClay final : public PyModel {
    friend class SoftClayPrinter;
public:
    explicit SoftClay(bool with_j) : with_j_(with_j) {
        code = 1;
        uses_eqdepth = true;
    }

    bool lookup(const PyNode& n, int& ISTAT) override {
        cu_ = CCRV(n.x, ISTAT);
        if (ISTAT != 0) return false;
        gamma_ = GAMAVG(n.x, ISTAT);
        if (ISTAT != 0) return false;
        e50_ = E50CRV(n.x);
        if (e50_ <= 0.0) E50SOFT(cu_, e50_, NUNITS);
        J_ = with_j_ ? STRCJ(n.x) : 0.5;
        return true;
    }

    void eqdepth(const PyNode& n) override {
        EqDepthSoil soil;
        soil.b = n.b;
        soil.cu = cu_;
        soil.gamma = gamma_;
        soil.J = J_;
        EQDEPTH(n.pile, n.layer, n.prop, soil);
    }

    bool prepare(const PyNode& n, int&) override {
        const double b = n.b, zeq = n.zeq;
        // 1. Bearing factor and ultimate resistance (none without a diameter:
        // zeq / b would be 0 / 0 at the top of a deeper layer).
        const double Np = cu_ > 0.0 && b > 0.0 ? 3.0 + gamma_ * zeq / cu_ + J_ * zeq / b : 0.0;
        pu_ = Np > 9.0 ? 9.0 * cu_ * b : Np * cu_ * b;
        // 2-3. y50 and the limit modulus at the zero threshold.
        y50_ = 2.5 * e50_ * b;
        es0_ = y50_ > 0.0 ? 0.5 * (pu_ / y50_) * std::pow(y50_ / TOLZ, TWO_THIRDS) : 0.0;
        // 4. Transition depth and the cyclic ceiling at large deflection.
        const double den = gamma_ * b + J_ * cu_;
        xr_ = den > 0.0 ? 6.0 * cu_ * b / den : 0.0;
        const double ratio_den = xr_ < TOLDEP ? b : xr_;
        pcz_ = ratio_den > 0.0 ? C072 * pu_ * zeq / ratio_den : 0.0;
        zeq_ = zeq;
        return true;
    }

    double p_at(const PyNode&, double Y) const override {
        if (y50_ <= 0.0) return 0.0;
        const double power = 0.5 * pu_ * std::pow(Y / y50_, THIRD);
        if (Y <= 3.0 * y50_) return power;
        if (LOADTYP == 1) return Y <= 8.0 * y50_ ? power : pu_;
        if (zeq_ >= xr_) return C072 * pu_;
        if (Y > 15.0 * y50_) return pcz_;
        return C072 * pu_ + (Y - 3.0 * y50_) * (pcz_ - C072 * pu_) / (12.0 * y50_);
    }

    double es0(const PyNode&) const override { return es0_; }

    double sum_value(const PyNode&, bool& add) const override {
        add = LOADTYP == 0 || LOADTYP == 1;
        return LOADTYP == 0 ? C072 * pu_ : pu_;
    }

    bool keep(PyKeepIO& io) override { return io(cu_, gamma_, e50_, J_, pu_, y50_, es0_, xr_, pcz_, zeq_); }

    double default_y(const PyNode&, int i, double prev) const override {
        switch (i) {
            case 1: return 0.0;
            case 2: return C0008 * y50_;
            case 3: return 0.25 * y50_;
            case 15: return 8.0 * y50_;
            case 16: return 15.0 * y50_;
            case 17: return 20.0 * y50_;
            default: return prev + 0.25 * y50_;
        }
    }

private:
    bool with_j_;
    double cu_ = 0, gamma_ = 0, e50_ = 0, J_ = 0.5;
    double pu_ = 0, y50_ = 0, es0_ = 0, xr_ = 0, pcz_ = 0, zeq_ = 0;
};

// The printed report of a tabulated curve of the model above.
class SoftClayPrinter final : public PyPrinter {
public:
    explicit SoftClayPrinter(SoftClay& m) : law(m) {}

    void write_heading(const PyNode& n) override {
        io::write_list(PLOTFILE, {n.x});
        io::write_fmt(ECHOFILE, law.with_j_ ? F_HEAD13 : F_HEAD1,
                      {UBLEN2.view(), USLEN2.view(), UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(),
                       UEXP2.view(), UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(), UEXP3.view()});
        if (law.with_j_) {
            io::write_fmt(ECHOFILE, F_VALUES13, {UCD12(n.z), UCM1E3(n.b), UCM144(law.cu_), UCM1728(law.gamma_),
                                                 law.e50_, law.J_});
        } else {
            io::write_fmt(ECHOFILE, F_VALUES1, {UCD12(n.z), UCM1E3(n.b), UCM144(law.cu_), UCM1728(law.gamma_),
                                                law.e50_});
        }
        io::write_fmt(ECHOFILE, F_CAPTION, {ULEN2.view(), UFOR3.view(), USLASH.view(), ULEN2.view()});
    }

    void after_point(const PyNode&, int i, double yt) override {
        if (i > 1 && yt < TOLZ) io::write_fmt(ECHOFILE, F_SMALL_Y, {law.es0_});
    }

private:
    SoftClay& law;
};

}  // namespace

void E50SOFT(double cu, double& e50, int units) {
    if (units != 1 && units != 2) {
        e50 = E50_OTHER;
        return;
    }
    const double a = units == 1 ? A_EN : A_SI;
    if (cu < a) e50 = E50_1;
    else if (cu < 2.0 * a) e50 = E50_2;
    else if (cu < 8.0 * a) e50 = E50_3;
    else e50 = E50_4;
}

void PYSCLAY(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    SoftClay m(false);
    SoftClayPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

void PYSCLAYJ(const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    SoftClay m(true);
    SoftClayPrinter r(m);
    py_frame(m, &r, ctl, layer, w, ISTAT);
}

}  // namespace zolan
