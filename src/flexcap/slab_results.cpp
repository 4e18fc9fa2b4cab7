// Results of a converged slab step (nodal displacements and reactions,
// stress resultants at the Gauss points with their extremes, nodal averages
// into the results file) and the final pile responses.
#include <array>
#include <cmath>

#include "flexcap/shell_element.h"
#include "flexcap/slab_analysis.h"
#include "report/run_files.h"

namespace zolan {

namespace {

const char* const COLUMNS =
    R"((/," ","G,P.",2X,"X-COORD.",2X,"Y-COORD.",3X,"SIGMA_XX",4X,"SIGMA_YY",4X,"SIGMA_XY",3X,"X-MOMENT",4X,"Y-MOMENT",3X,"XY-MOMENT",2X,"XZ-S,FORCE",2X,"YZ-S,FORCE"))";
const char* const EXTREME_COLUMNS =
    R"((" ","    ",2X,"        ",2X,"        ",3X,"SIGMA_XX",4X,"SIGMA_YY",4X,"SIGMA_XY",3X,"X-MOMENT",4X,"Y-MOMENT",3X,"XY-MOMENT",2X,"XZ-S,FORCE",2X,"YZ-S,FORCE"))";

void node_rows(RTab& v) {
    for (int n = 1; n <= FCCTRL.NPOIN; ++n)
        io::write_fmt(FCLSFILE, "(I10,6E14.6)", {n, v(1, n), v(2, n), v(3, n), v(4, n), v(5, n), v(6, n)});
}

// The largest and smallest value of each component with their places.
struct Extremes {
    std::array<double, 8> hi{}, lo{};
    std::array<int, 8> hiel{}, hipt{}, loel{}, lopt{};
    bool started = false;
    void take(const double s[8], int el, int g) {
        for (int i = 0; i < 8; ++i) {
            if (!started || s[i] > hi[i]) hi[i] = s[i], hiel[i] = el, hipt[i] = g;
            if (!started || s[i] < lo[i]) lo[i] = s[i], loel[i] = el, lopt[i] = g;
        }
        started = true;
    }
};

void extreme_rows(const char* title, const std::array<double, 8>& v, const std::array<int, 8>& el,
                  const std::array<int, 8>& pt) {
    io::write_fmt(FCLSFILE, title);
    io::write_fmt(FCLSFILE, EXTREME_COLUMNS);
    io::write_fmt(FCLSFILE, "(10X,A6,9X,8E13.5)", {"STRESS", v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]});
    io::write_fmt(FCLSFILE, "(10X,A6,9X,I6,7I12)", {"ELEM. ", el[0], el[1], el[2], el[3], el[4], el[5], el[6], el[7]});
    io::write_fmt(FCLSFILE, "(10X,A6,9X,I6,7I12)", {"IP    ", pt[0], pt[1], pt[2], pt[3], pt[4], pt[5], pt[6], pt[7]});
}

// Inverse-squared-distance averaging of the Gauss-point stresses s at (X, Y)
// into node n. A Gauss point on the node itself (the centre node of a
// nine-node element under an odd rule) has an unbounded weight: the node then
// takes the mean of such points alone, counted in WSTRN as a negative number.
void average_at_node(int n, double X, double Y, const double s[8]) {
    const double dx = FCTAB.XYNOD(1, n) - X, dy = FCTAB.XYNOD(2, n) - Y, d2 = dx * dx + dy * dy;
    double& wsum = FCTAB.WSTRN(n);
    if (d2 == 0) {
        if (wsum >= 0) {
            for (int i = 1; i <= 8; ++i) FCTAB.STRND(i, n) = 0;
            wsum = 0;
        }
        for (int i = 1; i <= 8; ++i) FCTAB.STRND(i, n) += s[i - 1];
        wsum -= 1;
        return;
    }
    if (wsum < 0) return;
    const double w = 1.0 / d2;
    for (int i = 1; i <= 8; ++i) FCTAB.STRND(i, n) += w * s[i - 1];
    wsum += w;
}

// Stress resultants of element e at its Gauss points from the total
// displacements, listed, taken into the extremes and the nodal sums.
void element_stresses(int e, Extremes& x) {
    const SlabControl& c = FCCTRL;
    const double* rec = &FCTAB.ELREC(1, e);
    io::write_fmt(FCLSFILE, R"((/,5X,"ELEMENT NO.=",I5))", {FCTAB.IELLAB(e)});
    const int ng = c.NGAUS < 1 ? 1 : (c.NGAUS > 3 ? 3 : c.NGAUS);
    for (int g = 1; g <= ng * ng; ++g) {
        double s[8] = {0, 0, 0, 0, 0, 0, 0, 0};
        for (int k = 1; k <= c.NNODE; ++k) {
            const int n = FCTAB.ICONN(k, e);
            for (int m = 1; m <= 2; ++m)
                for (int i = 1; i <= 3; ++i)
                    s[i - 1] += rec[NRECP + (i - 1) + 3 * ((k - 1) * 2 + m - 1 + 18 * (g - 1))] * FCTAB.ASDIS(m, n);
            for (int m = 1; m <= 3; ++m)
                for (int i = 1; i <= 5; ++i)
                    s[2 + i] += rec[(i - 1) + 5 * ((k - 1) * 3 + m - 1 + 27 * (g - 1))] * FCTAB.ASDIS(2 + m, n);
        }
        const double X = rec[NRECP + NRECM + 2 * (g - 1)], Y = rec[NRECP + NRECM + 2 * (g - 1) + 1];
        io::write_fmt(FCLSFILE, "(I5,2F10.4,8E13.5)", {g, X, Y, s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]});
        x.take(s, FCTAB.IELLAB(e), g);
        for (int k = 1; k <= c.NNODE; ++k) average_at_node(FCTAB.ICONN(k, e), X, Y, s);
    }
}

}  // namespace

void FCNODO() {
    io::write_fmt(FCLSFILE, R"(("   STEP =",I5,"   TIME =",F10.4))", {FCCTRL.ISTEP, FCCTRL.TTIME});
    io::write_fmt(FCLSFILE, R"((/," ",5X,"DISPLACEMENTS"))");
    io::write_fmt(FCLSFILE,
                  R"((/," ",5X,"NODE",5X,"X-DISP",8X,"Y-DISP",7X,"Z-DISP",8X,"XZ-ROT.",7X,"YZ-ROT.",7X,"Z-ROT"))");
    node_rows(FCTAB.ASDIS);
    io::write_fmt(FCLSFILE, R"((/," ",5X,"REACTIONS"))");
    io::write_fmt(FCLSFILE,
                  R"((/," ",5X,"NODE",4X,"X-FORCE",7X,"Y-FORCE",7X,"Z-FORCE",6X,"XZ-MOMENT",6X,"YZ-MOMENT",5X,"Z-MOMENT"))");
    node_rows(FCTAB.REACT);
}

void FCSTRS() {
    const SlabControl& c = FCCTRL;
    // 1-3. Gauss-point stresses, element by element.
    io::write_fmt(FCLSFILE, R"((/,10X,"STRESSES",/))");
    io::write_fmt(FCLSFILE, COLUMNS);
    FCTAB.STRND.fill(0);
    FCTAB.WSTRN.fill(0);
    Extremes x;
    for (int e = 1; e <= c.NELEM; ++e) element_stresses(e, x);
    // 4-5. Extremes.
    extreme_rows(R"((/,10X,"MAXIMUM STRESSES",/))", x.hi, x.hiel, x.hipt);
    extreme_rows(R"((/,10X,"MINIMUM STRESSES",/))", x.lo, x.loel, x.lopt);
    // 6-7. The step's block of the results file.
    if (c.ISTEP == 1) {
        io::write_fmt(FCRSFILE, R"(("STEP_DATA",/,"14"))");
        io::write_line(FCRSFILE, "UX UY UZ ROTX ROTY ROTZ SXX SYY SXY MOM_X MOM_Y MOM_XY SH_XZ SH_YZ");
    }
    io::write_fmt(FCRSFILE, R"(("STEP",I8))", {c.ISTEP});
    for (int n = 1; n <= c.NPOIN; ++n) {
        for (int i = 1; i <= 8; ++i)
            if (FCTAB.WSTRN(n) != 0) FCTAB.STRND(i, n) /= std::fabs(FCTAB.WSTRN(n));
        RTab& a = FCTAB.ASDIS;
        RTab& s = FCTAB.STRND;
        io::write_fmt(FCRSFILE, "(I5,15E12.4)",
                      {FCTAB.INDLAB(n), a(1, n), a(2, n), a(3, n), a(4, n), a(5, n), a(6, n), s(1, n), s(2, n), s(3, n),
                       s(4, n), s(5, n), s(6, n), s(7, n), s(8, n)});
    }
}

void FCSPRG() {
    const SlabControl& c = FCCTRL;
    if (c.KPSPR <= 0 || c.NCTSTI <= 0) return;
    io::write_list(FCTRFILE, {"ITER = ", c.ITER});
    // Every located pile point at the final displacements (TSDIS is zero
    // after a converged step, so the current displacement is ASDIS).
    FCTAB.TSDIS.fill(0);
    FCTAB.PLDIS.fill(0);
    ShellWork& w = FCTAB.ELW;
    for (int i = 1; i <= c.NCTSTI; ++i) {
        const int e = FCTAB.ICTEL(i);
        if (e < 1 || e > c.NELEM) continue;
        FCSHAP(FCTAB.PCTST(1, i), FCTAB.PCTST(2, i), c.NNODE, w);
        double u[6] = {0, 0, 0, 0, 0, 0};
        for (int k = 1; k <= c.NNODE; ++k)
            for (int j = 0; j < 6; ++j) u[j] += w.SHFN(k) * FCTAB.ASDIS(j + 1, FCTAB.ICONN(k, e));
        const CAPVEC d = head_of_point(i, slab_to_cap(u));
        io::write_list(FCTRFILE, {i});
        io::write_fmt(FCTRFILE, "(A5,7E13.5)", {"DDD  ", u[0], u[1], u[2], u[3], u[4], u[5]});
        io::write_fmt(FCTRFILE, "(A5,7E13.5)", {"DD2  ", d(1), d(2), d(3), d(4), d(5), d(6)});
        for (int j = 1; j <= 6; ++j) FCTAB.PLDIS(j, i) = d(j);
    }
    slab_pile_response(load_factor(c.TCONV));
}

}  // namespace zolan
