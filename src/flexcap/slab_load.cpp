// External loads of the slab at the current load factor, and the nodal-vector
// operations of the driver.
#include <cmath>

#include "flexcap/shell_element.h"
#include "flexcap/slab_analysis.h"

namespace zolan {

double load_factor(double t) {
    const SlabControl& c = FCCTRL;
    return c.TEND == c.TINI ? 1.0 : (t - c.TINI) / (c.TEND - c.TINI);
}

namespace {

constexpr double TINY = 1.0E-30;

// Adds f V(., r) times the shape values to the element's right-hand side.
void spread(int e, RTab& V, int r, double f, double scale) {
    for (int k = 1; k <= FCCTRL.NNODE; ++k)
        for (int j = 1; j <= 6; ++j) {
            const double v = f * V(j, r);
            if (std::fabs(v) >= TINY) FCTAB.ELLOD(6 * (k - 1) + j, e) += FCTAB.ELW.SHFN(k) * scale * v;
        }
}

void gather(int e, ShellWork& w) {
    for (int k = 1; k <= FCCTRL.NNODE; ++k)
        for (int i = 1; i <= 2; ++i) w.ELXY(i, k) = FCTAB.XYNOD(i, FCTAB.ICONN(k, e));
}

// 2. Nodal loads, each on the first element and position holding its node.
void nodal_loads(double f) {
    for (int r = 1; r <= FCCTRL.NNLOD; ++r) {
        int ee = 0, kk = 0;
        for (int e = 1; e <= FCCTRL.NELEM && ee == 0; ++e)
            for (int k = 1; k <= FCCTRL.NNODE && ee == 0; ++k)
                if (FCTAB.ICONN(k, e) == FCTAB.INLND(r)) ee = e, kk = k;
        if (ee == 0) continue;
        for (int j = 1; j <= 6; ++j) {
            const double v = f * FCTAB.VNLOD(j, r);
            if (std::fabs(v) >= TINY) FCTAB.ELLOD(6 * (kk - 1) + j, ee) += v;
        }
    }
}

// 3. Distributed loads per unit area, integrated over their element.
void distributed_loads(double f, int& ISTAT) {
    ShellWork& w = FCTAB.ELW;
    for (int r = 1; r <= FCCTRL.NDLOD && ISTAT == 0; ++r) {
        const int e = FCTAB.IDLEL(r);
        if (e < 1 || e > FCCTRL.NELEM) continue;
        gather(e, w);
        int g = 0;
        for (int p = 1; p <= FCCTRL.NGAUS && ISTAT == 0; ++p)
            for (int q = 1; q <= FCCTRL.NGAUS && ISTAT == 0; ++q) {
                FCSHAP(w.GPPOS(p), w.GPPOS(q), FCCTRL.NNODE, w);
                double det = 0;
                JACOB2(e, det, ++g, FCCTRL.NNODE, w, ISTAT);
                if (ISTAT == 0) spread(e, FCTAB.VDLOD, r, f, w.GPWGT(p) * w.GPWGT(q) * det);
            }
    }
}

// 5. Edge loads along a side, at full value in every step.
void edge_loads() {
    for (int r = 1; r <= FCCTRL.NELOD; ++r) {
        const int e = FCTAB.IEDLD(1, r), d = FCTAB.IEDLD(3, r);
        if (d < 1 || d > 6) continue;
        const double abh[3] = {FCTAB.VEDLD(1, r), FCTAB.VEDLD(2, r), FCTAB.VEDLD(3, r)};
        side_integral(e, FCTAB.IEDLD(2, r), abh, [&](int k, double v) { FCTAB.ELLOD(6 * (k - 1) + d, e) += v; });
    }
}

}  // namespace

void FCLOAD(int& ISTAT) {
    const double f = load_factor(FCCTRL.TTIME);
    nodal_loads(f);
    distributed_loads(f, ISTAT);
    if (ISTAT != 0) return;
    // 4. Concentrated loads at their located points (a point in no element
    //    carries nothing).
    for (int r = 1; r <= FCCTRL.NCLOD; ++r) {
        const int e = FCTAB.ICLEL(r);
        if (e < 1 || e > FCCTRL.NELEM) continue;
        FCSHAP(FCTAB.PCLOD(1, r), FCTAB.PCLOD(2, r), FCCTRL.NNODE, FCTAB.ELW);
        spread(e, FCTAB.VCLOD, r, f, 1.0);
    }
    edge_loads();
}

void FCASSM(RTab& ev, RTab& nv, ITab& ICONN) {
    for (int e = 1; e <= FCCTRL.NELEM; ++e)
        for (int k = 1; k <= FCCTRL.NNODE; ++k)
            for (int i = 1; i <= FCCTRL.NDOFN; ++i) nv(i, ICONN(k, e)) += ev(FCCTRL.NDOFN * (k - 1) + i, e);
}

void FCVADD(RTab& a, RTab& b, long n) {
    for (long i = 1; i <= n; ++i) a(i) += b(i);
}

void FCVSET(RTab& a, long n, double value) {
    for (long i = 1; i <= n; ++i) a(i) = value;
}

void FCNORM(RTab& v, double& normT, double& normR, long n) {
    double t = 0, r = 0;
    for (long s = 0; s < n / 6; ++s)
        for (int i = 1; i <= 3; ++i) {
            t += v(6 * s + i) * v(6 * s + i);
            r += v(6 * s + 3 + i) * v(6 * s + 3 + i);
        }
    normT = std::sqrt(t);
    normR = std::sqrt(r);
}

}  // namespace zolan
