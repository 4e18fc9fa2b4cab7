// Force vector and tangent matrix of all pile rows about the cap origin,
// each row on its thread into its own slot, the slots summed in row order.
#include "group/pile_row_loops.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <omp.h>

#include "group/group_services.h"
#include "group/pile_axes.h"
#include "model/case_tables.h"
#include "model/pile_rows.h"
#include "model/run_state.h"
#include "pile/axial_head.h"
#include "pile/node_mesh.h"

namespace zolan {

namespace {

// Per-row slots: the row's term of the sum about the origin, and whether
// the row's response ended with its status word clear.
Table1<CAPVEC, MAXPIL> rowforce;
Table1<CAPMAT, MAXPIL> rowstiff;
Table1<int, MAXPIL> rowclear;

// Work areas of the pile response, one per thread of a loop (a call zeroes
// every array it uses, so a work area carries nothing from row to row but
// the sand-type curves' breakpoints, each kept with the values it was formed
// from and formed again when any of them differs).
std::vector<std::unique_ptr<Llp3dWork>> work;
std::vector<std::unique_ptr<Llp2dWork>> work2d;

// Room for n threads; taken at the run reset (or by the first loop of a
// test that runs no reset), never inside a loop.
void take_work(int n) {
    while (static_cast<int>(work.size()) < n) work.push_back(std::make_unique<Llp3dWork>());
    while (static_cast<int>(work2d.size()) < n) work2d.push_back(std::make_unique<Llp2dWork>());
}

int processors() { return std::max({omp_get_num_procs(), omp_get_max_threads(), 1}); }

// L^T v and L^T K L with every sum taken from its first term on.
CAPVEC lever_force(const PileTransform& t, const CAPVEC& f) {
    CAPVEC s;
    for (int i = 1; i <= 6; ++i) {
        double a = 0.0;
        for (int k = 1; k <= 6; ++k) a += t.LT(i, k) * f(k);
        s(i) = a;
    }
    return s;
}

CAPMAT lever_stiffness(const PileTransform& t, const CAPMAT& K) {
    CAPMAT KL, S;
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) {
            double a = 0.0;
            for (int k = 1; k <= 6; ++k) a += K(i, k) * t.L(k, j);
            KL(i, j) = a;
        }
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) {
            double a = 0.0;
            for (int k = 1; k <= 6; ++k) a += t.LT(i, k) * KL(k, j);
            S(i, j) = a;
        }
    return S;
}

CAPVEC head_displacement(const PileTransform& t, const CAPVEC& U) {
    CAPVEC d;
    for (int i = 1; i <= 6; ++i) {
        double a = 0.0;
        for (int k = 1; k <= 6; ++k) a += t.L(i, k) * U(k);
        d(i) = a;
    }
    return d;
}

// The row loop of both sums: body(row, work, report) on the threads of the
// rule, the work area of the row's thread. The evaluations of an iteration
// (KFLAG 0) and the print passes (KFLAG 1) end at a stop request; the
// passes that store results for the estimation points always run every row.
template <class Work, class Body>
void row_loop(std::vector<std::unique_ptr<Work>>& areas, int& ISTAT, Body&& body, int rows = -1,
              int* kerr = nullptr) {
    if (rows < 0) rows = NPILES;
    const int n = SETTHR(NTHRREQ, rows, 0);
    take_work(n);
    for_pile_rows(
        1, rows, n, ISTAT, kerr ? *kerr : KERR,
        [&](int row, RowReport& rep) {
            Work& w = *areas[static_cast<std::size_t>(omp_get_thread_num())];
            w.report = &rep;
            body(row, w, rep);
        },
        KFLAG == 0 || KFLAG == 1);
}

// One plane row: axial response, node layout, lateral solution, and its
// forces times the row's piles back at the origin (all zero when the row's
// status is set).
CAPVEC plane_row(const PileControls& ctl, int row, const CAPVEC& U, Llp2dWork& w, int& ISTAT) {
    CAPVEC f;
    f.fill(0.0);
    // 1. The head displacement in row axes.
    const ROWMAT3 T = PLNTR(row);
    double d[3];
    for (int i = 1; i <= 3; ++i) d[i - 1] = T(i, 1) * U(1) + T(i, 2) * U(2) + T(i, 3) * U(3);
    // 2-4. Axial force times the row's factor; a lateral solution that did
    //      not close keeps its error word over the axial distribution's.
    RowReport& rep = *w.report;
    const int kerr0 = rep.kerr;
    const double N = AXIAL2D(ctl.ax, row, d[0], w.axd, w.axf, ISTAT, rep) * AXFAC(row);
    if (kerr0 == 1) rep.kerr = 1;
    // 5. Node layout; a status ends the row.
    NODE2D(row, ISTAT);
    if (ISTAT != 0) return f;
    // 6. Lateral solution.
    w.pile = row;
    w.yt = d[1], w.th = d[2], w.Q = N, w.ax = d[0];
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) w.T(i, j) = T(j, i);
    w.H = w.M = 0.0;
    LLP2D(ctl.lat, w, ISTAT);
    if (ISTAT != 0) return f;
    // 7. T^T (n N, n V, n M).
    const double n = PMULT(row), a = n * N, l = n * w.H, m = n * w.M;
    for (int i = 1; i <= 3; ++i) f(i) = T(1, i) * a + T(2, i) * l + T(3, i) * m;
    return f;
}

// A force sum over the rows: each row's term f(row, U, work, status) on its
// thread into its slot, then the first ncomp components summed in row order
// up to the first row whose status was set. The region's wall time is added
// to `timer`.
template <class Work, class RowForce>
CAPVEC force_sum(std::vector<std::unique_ptr<Work>>& areas, int ncomp, double& timer, int& ISTAT, RowForce&& f,
                 const CAPVEC& U) {
    // 1. Nothing before the rows answer.
    CAPVEC F;
    F.fill(0.0);
    if (NPILES < 1) return F;
    const CAPVEC u = U;
    const double t0 = omp_get_wtime();
    // 2. Each row on its thread into its slot.
    row_loop(areas, ISTAT, [&](int row, Work& w, RowReport& rep) {
        rowclear(row) = 0;
        rowforce(row) = f(row, u, w, rep.istat);
        rowclear(row) = rep.istat == 0 ? 1 : 0;
    });
    timer += omp_get_wtime() - t0;
    // 3. The sum in row order, up to the first row whose evaluation failed.
    for (int row = 1; row <= NPILES && rowclear(row) == 1; ++row)
        for (int i = 1; i <= ncomp; ++i) F(i) += rowforce(row)(i);
    return F;
}

}  // namespace

int thread_count(int request, int nproc, int rows, int limit) {
    // 1-2. From the request or the processors.
    int n = 0;
    if (request != 0) {
        n = std::min(request, nproc);
    } else if (nproc > 3) {
        n = nproc - 2;
    } else if (nproc > 1) {
        n = nproc - 1;
    } else {
        n = nproc;
    }
    // 3. At most one thread per row (and two with the limit); at least one.
    n = std::min(n, rows);
    if (limit == 1) n = std::min(n, 2);
    return std::max(n, 1);
}

int SETTHR(int request, int rows, int limit) {
    const int n = thread_count(request, processors(), rows, limit);
    for (int k = 1; k <= 2; ++k) NTHRMX(k) = std::max(NTHRMX(k), n);
    return n;
}

CAPVEC FVEC(const PileControls& ctl, const CAPVEC& U, int& ISTAT) {
    // Each row: its head displacement, its response, its force about the origin.
    return force_sum(work, 6, TPARAL, ISTAT, [&ctl](int row, const CAPVEC& u, Llp3dWork& w, int& status) {
        const PileTransform t = PILETR(row);
        return lever_force(t, PILE3D(ctl, row, head_displacement(t, u), w, status));
    }, U);
}

ROWMAT3 PLNTR(int row) {
    const double c = std::cos(BATANG(row)), s = std::sin(BATANG(row)), X = XTOP(row), Y = YTOP(row);
    ROWMAT3 T;
    T(1, 1) = c, T(1, 2) = s, T(1, 3) = X * s - Y * c;
    T(2, 1) = -s, T(2, 2) = c, T(2, 3) = X * c + Y * s;
    T(3, 1) = 0.0, T(3, 2) = 0.0, T(3, 3) = 1.0;
    return T;
}

CAPVEC FVEC2D(const PileControls& ctl, const CAPVEC& U, int& ISTAT) {
    return force_sum(work2d, 3, KFLAG == 0 ? TPARAL : TPRINT, ISTAT,
                     [&ctl](int row, const CAPVEC& u, Llp2dWork& w, int& status) {
                         return plane_row(ctl, row, u, w, status);
                     },
                     U);
}

CAPMAT STIFF(const PileControls& ctl, const CAPVEC& U, int& ISTAT) {
    CAPMAT K;
    K.fill(0.0);
    if (NPILES < 1) return K;
    const CAPVEC u = U;
    const double t0 = omp_get_wtime();
    // 1. Each row: its head stiffness carried to the origin.
    row_loop(work, ISTAT, [&](int row, Llp3dWork& w, RowReport& rep) {
        const PileTransform t = PILETR(row);
        rowstiff(row) = lever_stiffness(t, PSTIFF(ctl, row, head_displacement(t, u), w, rep.istat));
    });
    (KFLAG == 0 ? TPARAL : TPRINT) += omp_get_wtime() - t0;
    // 2. The sum of every row in row order.
    for (int row = 1; row <= NPILES; ++row)
        for (int j = 1; j <= 6; ++j)
            for (int i = 1; i <= 6; ++i) K(i, j) += rowstiff(row)(i, j);
    return K;
}

int PILEHEADS(const PileControls& ctl, int n, const double* D, double* F, double* K) {
    // 1. Rows beyond the model answer nothing.
    for (int i = 0; i < 6 * n; ++i) F[i] = 0.0;
    for (int i = 0; i < 36 * n; ++i) K[i] = 0.0;
    const int rows = std::min(n, NPILES);
    if (rows < 1) return 0;
    // 2. Each row at its own head displacement: tangent, then forces, each
    //    with a status word of its own that nobody examines.
    int status = 0, kerr = 0;
    row_loop(
        work, status,
        [&](int row, Llp3dWork& w, RowReport&) {
            const std::size_t r = static_cast<std::size_t>(row - 1);
            CAPVEC d;
            for (int i = 1; i <= 6; ++i) d(i) = D[6 * r + static_cast<std::size_t>(i - 1)];
            int s1 = 0, s2 = 0;
            const CAPMAT k = PSTIFF(ctl, row, d, w, s1);
            const CAPVEC f = PILE3D(ctl, row, d, w, s2);
            for (int i = 1; i <= 6; ++i) {
                F[6 * r + static_cast<std::size_t>(i - 1)] = f(i);
                for (int j = 1; j <= 6; ++j) K[36 * r + static_cast<std::size_t>(i - 1 + 6 * (j - 1))] = k(i, j);
            }
        },
        rows, &kerr);
    return kerr;
}

int PILEPRINT(const PileControls& ctl, int n, const double* D, double* F) {
    // 1. Rows beyond the model answer nothing.
    for (int i = 0; i < 6 * n; ++i) F[i] = 0.0;
    const int rows = std::min(n, NPILES);
    if (rows < 1) return 0;
    // 2. Each row once at its own head displacement, in the pass of ctl.
    int status = 0, kerr = 0;
    const double t0 = omp_get_wtime();
    row_loop(
        work, status,
        [&](int row, Llp3dWork& w, RowReport& rep) {
            const std::size_t r = static_cast<std::size_t>(row - 1);
            CAPVEC d;
            for (int i = 1; i <= 6; ++i) d(i) = D[6 * r + static_cast<std::size_t>(i - 1)];
            const CAPVEC f = PILE3D(ctl, row, d, w, rep.istat);
            for (int i = 1; i <= 6; ++i) F[6 * r + static_cast<std::size_t>(i - 1)] = f(i);
        },
        rows, &kerr);
    TPRINT += omp_get_wtime() - t0;
    return kerr;
}

void reset_pile_row_loops() {
    CAPVEC zero;
    zero.fill(0.0);
    CAPMAT zero2;
    zero2.fill(0.0);
    rowforce.fill(zero);
    rowstiff.fill(zero2);
    rowclear.fill(0);
    work.clear();
    work2d.clear();
    take_work(processors());
}

}  // namespace zolan
