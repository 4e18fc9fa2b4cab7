// Element stiffness of the flat shell (membrane, thick plate, drilling
// share), the linear springs of the deck and the nonlinear pile springs.
#include <algorithm>
#include <cmath>
#include <span>

#include "flexcap/shell_element.h"
#include "flexcap/slab_analysis.h"
#include "group/cap_solver3d.h"
#include "group/group_factor_rule.h"
#include "group/pile_row_loops.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/status_codes.h"
#include "report/run_files.h"
#include "report/stop_request.h"
#include "results/results_services.h"

namespace zolan {

FlexcapServices flexcap_services;

CAPVEC slab_to_cap(const double s[6]) {
    CAPVEC p;
    for (int i = 0; i < 6; ++i) {
        double a = 0;
        for (int k = 0; k < 6; ++k) a += SLAB_AXES[k][i] * s[k];
        p(i + 1) = a;
    }
    return p;
}

void cap_to_slab(const CAPVEC& p, double s[6]) {
    for (int i = 0; i < 6; ++i) {
        double a = 0;
        for (int k = 0; k < 6; ++k) a += SLAB_AXES[i][k] * p(k + 1);
        s[i] = a;
    }
}

CAPMAT head_arm(int r) {
    CAPMAT T;
    T.fill(0.0);
    for (int i = 1; i <= 6; ++i) T(i, i) = 1.0;
    const double x = r >= 1 && r <= NPILES ? CORX(r) : 0.0;
    T(2, 6) = x;
    T(3, 5) = -x;
    return T;
}

CAPVEC head_of_point(int r, const CAPVEC& d) {
    const CAPMAT T = head_arm(r);
    CAPVEC h;
    for (int i = 1; i <= 6; ++i) {
        double a = 0;
        for (int k = 1; k <= 6; ++k) a += T(i, k) * d(k);
        h(i) = a;
    }
    return h;
}

bool side_nodes(int e, int s, int nodes[3]) {
    if (e < 1 || e > FCCTRL.NELEM || s < 1 || s > 4) return false;
    nodes[0] = s;
    nodes[1] = s % 4 + 1;
    nodes[2] = FCCTRL.NNODE > 4 ? s + 4 : 0;
    return true;
}

SidePoint side_point(const int nodes[3], double xi, ShellWork& w) {
    const bool quad = FCCTRL.NNODE > 4;
    FCSHAP(xi, -1.0, quad ? 8 : 4, w);
    SidePoint p{w.SHFN(1), w.SHFN(2), quad ? w.SHFN(5) : 0.0, 0.0};
    const double d[3] = {w.SHDL(1, 1), w.SHDL(1, 2), quad ? w.SHDL(1, 5) : 0.0};
    double dx = 0, dy = 0;
    for (int k = 0; k < 3; ++k) {
        if (nodes[k] == 0) continue;
        dx += d[k] * w.ELXY(1, nodes[k]);
        dy += d[k] * w.ELXY(2, nodes[k]);
    }
    p.len = std::hypot(dx, dy);
    return p;
}

bool side_integral(int e, int s, const double abh[3], const std::function<void(int k, double v)>& add) {
    int nodes[3];
    if (!side_nodes(e, s, nodes)) return false;
    ShellWork& w = FCTAB.ELW;
    for (int k = 1; k <= FCCTRL.NNODE; ++k)
        for (int i = 1; i <= 2; ++i) w.ELXY(i, k) = FCTAB.XYNOD(i, FCTAB.ICONN(k, e));
    for (int p = 1; p <= FCCTRL.NGAUS; ++p) {
        const SidePoint sp = side_point(nodes, w.GPPOS(p), w);
        const double f = (abh[0] * sp.n1 + abh[1] * sp.n2 + abh[2] * sp.n5) * w.GPWGT(p) * sp.len;
        const double share[3] = {sp.n1, sp.n2, sp.n5};
        for (int k = 0; k < 3; ++k)
            if (nodes[k] != 0) add(nodes[k], share[k] * f);
    }
    return true;
}

namespace {

double current(int i, int n) { return FCTAB.ASDIS(i, n) + FCTAB.TSDIS(i, n); }

// The state of the pile group that the rigid cap sets in each iteration:
// 1. the reduction factors of a closely spaced group, for the direction and
//    sense of the cap's lateral load (the rigid cap takes its own lateral
//    movement; a slab has no one movement, and under a vertical load the
//    factors of a sense would push its piles sideways, turn the sense round
//    and never settle);
// 2. the soil movement at the load factor f.
void group_state(double f) {
    const SlabControl& c = FCCTRL;
    if (KGRPRF > 0) {
        double s[6] = {0, 0, 0, 0, 0, 0};
        for (int r = 1; r <= c.NCLOD; ++r)
            for (int i = 0; i < 6; ++i) s[i] += FCTAB.VCLOD(i + 1, r);
        for (int r = 1; r <= c.NNLOD; ++r)
            for (int i = 0; i < 6; ++i) s[i] += FCTAB.VNLOD(i + 1, r);
        const CAPVEC load = slab_to_cap(s);
        group_factors_for_load(load);
    }
    if (NSMOV > 0) SOILMV(f);
}

}  // namespace

PileControls slab_pile_controls() {
    // Each pile closed a million times finer than the largest head movement
    // (between a millionth and a thousandth of the pile tolerance), far below
    // the slab's own test.
    PileControls ctl = pile_controls(0, NANAL, 0);
    double move = 0.0;
    for (int r = 1; r <= FCCTRL.NCTSTI; ++r)
        for (int i = 1; i <= 3; ++i) move = std::max(move, std::fabs(FCTAB.PLDIS(i, r)));
    if (ctl.tangent == 0) ctl.lat.tolfine = std::clamp(1.0e-6 * move, 1.0e-6 * TOLLLP, 1.0e-3 * TOLLLP);
    return ctl;
}

void slab_pile_response(double f) {
    group_state(f);
    FCCTRL.KPLERR = 0;
    if (flexcap_services.piles) {
        flexcap_services.piles(FCCTRL.NCTSTI, FCTAB.PLDIS, FCTAB.PLFOR, FCTAB.PLSTF);
        return;
    }
    FCCTRL.KPLERR = PILEHEADS(slab_pile_controls(), FCCTRL.NCTSTI, FCTAB.PLDIS.data(), FCTAB.PLFOR.data(),
                              FCTAB.PLSTF.data());
}

namespace {

constexpr double TINY = 1.0E-30;

struct Element {
    int e = 0;
    double Ke[54][54];
    double U[54];
};

void gather(int e, ShellWork& w) {
    for (int k = 1; k <= FCCTRL.NNODE; ++k)
        for (int i = 1; i <= 2; ++i) w.ELXY(i, k) = FCTAB.XYNOD(i, FCTAB.ICONN(k, e));
}

// A spring v on the diagonal of element variable d, and its force.
void spring(Element& el, int d, double v) {
    el.Ke[d - 1][d - 1] += v;
    FCTAB.ELLOD(d, el.e) -= v * el.U[d - 1];
}

// Integration of the membrane and plate parts at Gauss point g, the D B
// products into the element record, the polar moment about the centre.
void gauss_point(int g, double dA, double t, double xc, double yc, double Km[18][18], double Kp[27][27], double& J,
                 double* rec) {
    ShellWork& w = FCTAB.ELW;
    const int nn = FCCTRL.NNODE;
    FCBPLT(nn, w);
    FCDBPL(nn, w);
    for (int i = 1; i <= 3 * nn; ++i)
        for (int j = i; j <= 3 * nn; ++j) {
            double a = 0;
            for (int s = 1; s <= 5; ++s) a += w.BPLAT(s, i) * w.DBPLT(s, j);
            Kp[i - 1][j - 1] += a * dA;
        }
    for (int j = 1; j <= 3 * nn; ++j)
        for (int i = 1; i <= 5; ++i) rec[(i - 1) + 5 * ((j - 1) + 27 * (g - 1))] = w.DBPLT(i, j);
    const double dAm = t == 0 ? dA : t * dA;
    FCBMEM(nn, w);
    FCDBMM(nn, w);
    for (int i = 1; i <= 2 * nn; ++i)
        for (int j = i; j <= 2 * nn; ++j) {
            double a = 0;
            for (int s = 1; s <= 3; ++s) a += w.BMEMB(s, i) * w.DBMEM(s, j);
            Km[i - 1][j - 1] += a * dAm;
        }
    for (int j = 1; j <= 2 * nn; ++j)
        for (int i = 1; i <= 3; ++i) rec[NRECP + (i - 1) + 3 * ((j - 1) + 18 * (g - 1))] = w.DBMEM(i, j);
    for (int i = 1; i <= 2; ++i) rec[NRECP + NRECM + (i - 1) + 2 * (g - 1)] = w.GPXY(i, g);
    J += dA * (std::pow(w.GPXY(1, g) - xc, 2) + std::pow(w.GPXY(2, g) - yc, 2));
}

// Steps 1-5: membrane, plate and drilling parts of the element matrix.
void shell_matrix(Element& el, int& ISTAT) {
    const SlabControl& c = FCCTRL;
    ShellWork& w = FCTAB.ELW;
    const int e = el.e, nn = c.NNODE;
    // 1. Centre, material, record cleared.
    gather(e, w);
    FCSHAP(0, 0, nn, w);
    double xc = 0, yc = 0;
    for (int k = 1; k <= nn; ++k) xc += w.SHFN(k) * w.ELXY(1, k), yc += w.SHFN(k) * w.ELXY(2, k);
    const int m = FCTAB.IMATE(e);
    const double E = FCTAB.PRMAT(1, m), nu = FCTAB.PRMAT(2, m), t = FCTAB.PRMAT(3, m);
    FCDPLT(m, FCTAB.PRMAT, w);
    FCDMEM(m, FCTAB.PRMAT, w);
    double* rec = &FCTAB.ELREC(1, e);
    for (int i = 0; i < NREC; ++i) rec[i] = 0;
    double Km[18][18] = {}, Kp[27][27] = {}, J = 0;
    // 2. Gauss points, xi outer, eta inner.
    int g = 0;
    for (int p = 1; p <= c.NGAUS; ++p)
        for (int q = 1; q <= c.NGAUS; ++q) {
            FCSHAP(w.GPPOS(p), w.GPPOS(q), nn, w);
            double det = 0;
            JACOB2(e, det, ++g, nn, w, ISTAT);
            if (ISTAT != 0) return;
            gauss_point(g, det * w.GPWGT(p) * w.GPWGT(q), t, xc, yc, Km, Kp, J, rec);
        }
    // 3. Drilling stiffness G J / t, shared equally among the nodes (none
    //    for a zero thickness).
    const double Te = t > 0 ? E * 0.5 / (1 + nu) * J / t : 0.0;
    // 4-5. Blocks of the element matrix; the parts do not couple.
    for (int a = 0; a < 6 * nn; ++a)
        for (int b = 0; b < 6 * nn; ++b) el.Ke[a][b] = 0;
    for (int a = 0; a < nn; ++a) {
        for (int b = 0; b < nn; ++b) {
            for (int i = 0; i < 2; ++i)
                for (int j = 0; j < 2; ++j) {
                    const int r = 2 * a + i, s = 2 * b + j;
                    el.Ke[6 * a + i][6 * b + j] = r <= s ? Km[r][s] : Km[s][r];
                }
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) {
                    const int r = 3 * a + i, s = 3 * b + j;
                    el.Ke[6 * a + 2 + i][6 * b + 2 + j] = r <= s ? Kp[r][s] : Kp[s][r];
                }
        }
        el.Ke[6 * a + 5][6 * a + 5] = Te / nn;
    }
}

// Step 7: nodal stiffnesses, each in the first element holding its node.
void nodal_springs(Element& el) {
    for (int k = 1; k <= FCCTRL.NNODE; ++k) {
        const int n = FCTAB.ICONN(k, el.e);
        for (int r = 1; r <= FCCTRL.NNSTI; ++r) {
            if (FCTAB.INSND(r) != n) continue;
            for (int i = 1; i <= 6; ++i) spring(el, 6 * (k - 1) + i, FCTAB.VNSTI(i, r));
            FCTAB.INSND(r) = -FCTAB.INSND(r);
        }
    }
}

// Steps 8-9: distributed and concentrated stiffnesses.
void area_springs(Element& el, int& ISTAT) {
    const SlabControl& c = FCCTRL;
    ShellWork& w = FCTAB.ELW;
    const auto add = [&](int r, RTab& V, double f) {
        for (int k = 1; k <= c.NNODE; ++k)
            for (int i = 1; i <= 6; ++i) {
                const double v = V(i, r);
                if (std::fabs(v) >= TINY) spring(el, 6 * (k - 1) + i, w.SHFN(k) * f * v);
            }
    };
    for (int r = 1; r <= c.NDSTI; ++r) {
        if (FCTAB.IDSEL(r) != el.e) continue;
        gather(el.e, w);
        int g = 0;
        for (int p = 1; p <= c.NGAUS; ++p)
            for (int q = 1; q <= c.NGAUS; ++q) {
                FCSHAP(w.GPPOS(p), w.GPPOS(q), c.NNODE, w);
                double det = 0;
                JACOB2(el.e, det, ++g, c.NNODE, w, ISTAT);
                if (ISTAT != 0) return;
                add(r, FCTAB.VDSTI, det * w.GPWGT(p) * w.GPWGT(q));
            }
    }
    for (int r = 1; r <= c.NCSTI; ++r) {
        if (FCTAB.ICSEL(r) != el.e) continue;
        FCSHAP(FCTAB.PCSTI(1, r), FCTAB.PCSTI(2, r), c.NNODE, w);
        add(r, FCTAB.VCSTI, 1.0);
    }
}

// Step 10: edge stiffnesses along a side, integrated with the side's weights.
void edge_springs(Element& el) {
    for (int r = 1; r <= FCCTRL.NESTI; ++r) {
        const int l = FCTAB.IEDST(3, r);
        if (FCTAB.IEDST(1, r) != el.e || l < 1 || l > 6) continue;
        const double abh[3] = {FCTAB.VEDST(1, r), FCTAB.VEDST(2, r), FCTAB.VEDST(3, r)};
        side_integral(el.e, FCTAB.IEDST(2, r), abh, [&](int k, double v) { spring(el, 6 * (k - 1) + l, v); });
    }
}

// Slab displacement interpolated at pile point r (its element located).
void point_displacement(int r, double u[6]) {
    const int e = FCTAB.ICTEL(r);
    ShellWork& w = FCTAB.ELW;
    FCSHAP(FCTAB.PCTST(1, r), FCTAB.PCTST(2, r), FCCTRL.NNODE, w);
    for (int i = 0; i < 6; ++i) {
        u[i] = 0;
        for (int k = 1; k <= FCCTRL.NNODE; ++k) u[i] += w.SHFN(k) * current(i + 1, FCTAB.ICONN(k, e));
    }
}

bool pile_springs_on() { return FCCTRL.KPSPR > 0 && FCCTRL.NCTSTI > 0; }

// The pile heads of every located pile point at the current displacements,
// answered by the pile rows (a point in no element gets no displacement).
void pile_heads() {
    FCTAB.PLDIS.fill(0);
    for (int r = 1; r <= FCCTRL.NCTSTI; ++r) {
        if (FCTAB.ICTEL(r) < 1 || FCTAB.ICTEL(r) > FCCTRL.NELEM) continue;
        double u[6];
        point_displacement(r, u);
        const CAPVEC d = head_of_point(r, slab_to_cap(u));
        for (int i = 1; i <= 6; ++i) FCTAB.PLDIS(i, r) = d(i);
    }
    slab_pile_response(load_factor(FCCTRL.TTIME));
}

void trace_row(const char* tag, const double* v, int i = 0) {
    if (i == 0)
        io::write_fmt(FCTRFILE, R"((A5,7E13.5))", {tag, v[0], v[1], v[2], v[3], v[4], v[5]});
    else
        io::write_fmt(FCTRFILE, R"((A5,I5,7E13.5))", {tag, i, v[0], v[1], v[2], v[3], v[4], v[5]});
}

// Step 11: the pile springs of the element's pile points on the node blocks
// N_k N_l (a point at a node touches that node's block alone), the pile
// forces as loads, by the shape values at the point.
void pile_springs(Element& el) {
    ShellWork& w = FCTAB.ELW;
    for (int r = 1; r <= FCCTRL.NCTSTI; ++r) {
        if (FCTAB.ICTEL(r) != el.e) continue;
        double u[6], dp[6], W[6][6], Ks[6][6], Fs[6];
        point_displacement(r, u);
        for (int i = 0; i < 6; ++i) dp[i] = FCTAB.PLDIS(i + 1, r);
        trace_row("DDD  ", u);
        trace_row("DD2  ", dp);
        // The head's tangent and forces carried up the arm to the slab point.
        const CAPMAT T = head_arm(r);
        CAPMAT Kp;
        CAPVEC F;
        for (int i = 1; i <= 6; ++i) {
            double f = 0;
            for (int m = 1; m <= 6; ++m) f += T(m, i) * FCTAB.PLFOR(m, r);
            F(i) = f;
            for (int j = 1; j <= 6; ++j) {
                double a = 0;
                for (int m = 1; m <= 6; ++m)
                    for (int n = 1; n <= 6; ++n) a += T(m, i) * FCTAB.PLSTF(m, n, r) * T(n, j);
                Kp(i, j) = a;
            }
        }
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 6; ++j) {
                double a = 0;
                for (int k = 0; k < 6; ++k) a += SLAB_AXES[i][k] * Kp(k + 1, j + 1);
                W[i][j] = a;
            }
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 6; ++j) {
                double a = 0;
                for (int k = 0; k < 6; ++k) a += W[i][k] * SLAB_AXES[j][k];
                Ks[i][j] = a;
            }
        for (int i = 0; i < 6; ++i) trace_row("SS2  ", W[i], i + 1);
        for (int i = 0; i < 6; ++i) trace_row("SS   ", Ks[i], i + 1);
        cap_to_slab(F, Fs);
        FCSHAP(FCTAB.PCTST(1, r), FCTAB.PCTST(2, r), FCCTRL.NNODE, w);
        // The point moves by sum_l N_l U_l and its force goes to node k by
        // N_k: the spring couples every pair of the element's nodes by N_k N_l.
        for (int k = 1; k <= FCCTRL.NNODE; ++k) {
            const double N = w.SHFN(k);
            for (int l = 1; l <= FCCTRL.NNODE; ++l) {
                const double NN = N * w.SHFN(l);
                for (int i = 0; i < 6; ++i)
                    for (int j = 0; j < 6; ++j)
                        if (std::fabs(Ks[i][j]) >= TINY) el.Ke[6 * (k - 1) + i][6 * (l - 1) + j] -= NN * Ks[i][j];
            }
            for (int i = 0; i < 6; ++i)
                if (std::fabs(Fs[i]) >= TINY) FCTAB.ELLOD(6 * (k - 1) + i + 1, el.e) += N * Fs[i];
        }
    }
}

// Steps 1-13 for element e.
void element(Element& el, int& ISTAT) {
    const int nev = FCCTRL.NEVAB, e = el.e;
    shell_matrix(el, ISTAT);
    if (ISTAT != 0) return;
    // 6. Internal forces of the shell at the current displacements.
    for (int k = 1; k <= FCCTRL.NNODE; ++k)
        for (int i = 1; i <= 6; ++i) el.U[6 * (k - 1) + i - 1] = current(i, FCTAB.ICONN(k, e));
    for (int i = 0; i < nev; ++i) {
        double a = 0;
        for (int j = 0; j < nev; ++j) a += el.Ke[i][j] * el.U[j];
        FCTAB.ELLOD(i + 1, e) -= a;
    }
    // 7-11. Springs.
    nodal_springs(el);
    area_springs(el, ISTAT);
    if (ISTAT != 0) return;
    edge_springs(el);
    if (pile_springs_on()) pile_springs(el);
    // 12. The element matrix for the solver.
    for (int j = 1; j <= nev; ++j)
        for (int i = 1; i <= nev; ++i) FCTAB.ELSTF(i, j, e) = el.Ke[i - 1][j - 1];
}

}  // namespace

void FCSTIF(int& ISTAT) {
    if (pile_springs_on()) {
        pile_heads();
        // Piles under a diverging slab answer numbers that are not finite.
        const std::size_t n = static_cast<std::size_t>(std::max(FCCTRL.NCTSTI, 0));
        if (!all_finite(std::span<const double>(FCTAB.PLFOR.data(), 6 * n)) ||
            !all_finite(std::span<const double>(FCTAB.PLSTF.data(), 36 * n)))
            return slab_diverged("THE RESPONSE OF THE PILES", ISTAT);
    }
    // A stop read inside the pile loop ends the iteration, as does one read
    // between elements.
    if (STOPSEEN() && ISTAT == ISOK) ISTAT = ISSTOP;
    Element el;
    for (int e = 1; e <= FCCTRL.NELEM && ISTAT == 0 && !slab_stop(ISTAT); ++e) {
        el.e = e;
        element(el, ISTAT);
    }
    for (int r = 1; r <= FCCTRL.NNSTI; ++r) FCTAB.INSND(r) = std::abs(FCTAB.INSND(r));
}

}  // namespace zolan
