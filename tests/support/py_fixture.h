// The model a p-y generator reads, set up by hand for a unit test: fresh
// tables with the run constants the input reader would set, one pile row of
// constant diameter, soil layers with uniform or linear values, the node
// springs at one deflection, the scratch row of curve mode, and the text the
// run files receive.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "control/distributed_loads.h"
#include "group/group_services.h"
#include "model/analysis_tables.h"
#include "model/case_tables.h"
#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/mphi_tables.h"
#include "model/node_tables.h"
#include "model/pile_warnings.h"
#include "model/pile_tables.h"
#include "model/py_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "model/stiffness_tables.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/py_curves.h"
#include "support/soil_profile.h"
#include "support/temp_dir.h"

namespace zolan::test {

// The controls the tests' p-y evaluations run under: analysis mode after
// reset_py_model, curve mode after curve_mode.
inline PyControls& test_controls() {
    static PyControls c;
    return c;
}

// Every table a generator reads back to its start, then the run constants of
// the input reader: English units and labels, static loading of one cycle,
// analysis mode.
inline void reset_py_model() {
    reset_run_state();
    reset_input_tables();
    reset_pile_tables();
    reset_section_tables();
    reset_soil_tables();
    reset_node_tables();
    reset_py_tables();
    reset_case_tables();
    reset_curve_tables();
    reset_mphi_tables();
    reset_stiffness_tables();
    reset_pile_warnings();
    reset_distributed_loads();
    reset_analysis_tables();
    reset_group_services_state();
    PI = 3.141592653589793;
    TOLZ = 1.0e-14;
    TOLDEP = 1.0e-6;
    NUNITS = 1;
    UNITLB(1);
    LOADTYP = 1;
    NCYCL = 1.0;
    PYMODE = 0;
    PYREQ = 0;
    test_controls() = PyControls{};
}

// The layered-soil state of pile row 1 (running sums PUSUM, equivalent
// depths EQDEP) formed as a run forms it before its analyses; the
// evaluations after it only read it.
inline void form_layered_state() { PYFORM(IPROP(1), 1, test_controls().kcappy); }

// A test of the p-y generators: the model goes back to its start after each
// test, so that no test leaves curve mode or a profile behind for another.
class PyModelTest : public ::testing::Test {
protected:
    void TearDown() override { reset_py_model(); }
};

// Pile row 1, the only row: property set 1 of one section of diameter b,
// head at depth 0 with the ground line there, no group multipliers, nincr
// increments of h; node k at depth (k - 1) h.
inline void one_pile(double b, double h, int nincr) {
    NPILES = 1;
    IPROP(1) = 1;
    PFGRP(1) = YFGRP(1) = 1.0;
    NINCR(1) = nincr;
    PLENP(1) = nincr * h;
    HINCR(1) = h;
    NSECP(1) = 1;
    SECTAB(1, 1, SEC_DTOP) = 0.0;
    SECTAB(1, 1, SEC_DBOT) = nincr * h;
    SECTAB(1, 1, SEC_TOP + SP_DIA) = SECTAB(1, 1, SEC_BOT + SP_DIA) = b;
    for (int k = 1; k <= nincr + 1; ++k) NDEPTH(1, k) = NDAXIS(1, k) = (k - 1) * h;
}

// Straight user curves 1 of pile row 1: load-settlement through (0, 0) with
// stiffness ka over head movements -1 to 1, torque-rotation with stiffness kt
// over rotations within 1e-4 of 0 (so that reading the curve at +-1e-11 loses
// no digits to the interpolation); the end values hold beyond them.
inline void straight_head_curves(double ka, double kt) {
    KEXTRP = 1;
    ILSCRV(1) = ITRCRV(1) = 1;
    LSUNPT(1) = TRUNPT(1) = 3;
    for (int k = 1; k <= 3; ++k) {
        LSUDSP(1, k) = k - 2.0;
        LSULOD(1, k) = ka * (k - 2.0);
        TRUROT(1, k) = 1e-4 * (k - 2.0);
        TRUTOR(1, k) = kt * 1e-4 * (k - 2.0);
    }
}

// Pile row `to` laid out as row `from`: property set, curve sets, group
// multipliers, head, ground line, batter, nodes and layer ranges.
inline void copy_pile_row(int from, int to) {
    IPROP(to) = IPROP(from);
    IPYSET(to) = IPYSET(from);
    IRFSET(to) = IRFSET(from);
    PFGRP(to) = PFGRP(from);
    YFGRP(to) = YFGRP(from);
    XTOP(to) = XTOP(from);
    CORX(to) = CORX(from);
    GROUND(to) = GROUND(from);
    BATANG(to) = BATANG(from);
    for (int k = 1; k <= MAXNOD; ++k) {
        NDEPTH(to, k) = NDEPTH(from, k);
        NDAXIS(to, k) = NDAXIS(from, k);
    }
    for (int l = 1; l <= MAXSLY; ++l) {
        LAYNF(l, to) = LAYNF(l, from);
        LAYNL(l, to) = LAYNL(l, from);
    }
}

// A layer of uniform frictional soil (sand, silt): unit weight gamma,
// friction angle phi_deg in degrees, subgrade modulus k; the nodes nf..nl of
// pile row 1 in it, given by hand so that a node may be counted in a layer
// that starts below it.
inline void friction_layer(int L, int code, double top, double bot, double gamma, double phi_deg, double k, int nf,
                           int nl) {
    soil_layer(L, code, top, bot);
    layer_value(SCGAM, L, gamma);
    layer_value(SCPHI, L, phi_deg * (3.141592653589793 / 180.0));
    layer_value(SCK, L, k);
    LAYNF(L, 1) = nf;
    LAYNL(L, 1) = nl;
}

// The nodes of pile row 1 in each layer: a node at x belongs to the layer
// with top <= x < bottom, the last layer down to its bottom.
inline void nodes_by_depth() {
    for (int L = 1; L <= NLAYPY; ++L) {
        LAYNF(L, 1) = LAYNL(L, 1) = 0;
        for (int k = 1; k <= NINCR(1) + 1; ++k) {
            const double x = NDEPTH(1, k);
            if (x < LAYTOP(L) || (x >= LAYBOT(L) && L < NLAYPY) || x > LAYBOT(L)) continue;
            if (LAYNF(L, 1) == 0) LAYNF(L, 1) = k;
            LAYNL(L, 1) = k;
        }
    }
}

// A clay layer from top to bot with soil code `code`: uniform cohesion c,
// e50 and J.
struct ClayLayer {
    double top, bot;
    int code;
    double c, e50, J = 0.5;
};

// Pile row 1 of diameter b in clay layers (nincr increments of h, see
// one_pile); unit weight gamma everywhere; the nodes by depth.
inline void clay_pile(double b, double h, int nincr, double gamma, std::initializer_list<ClayLayer> layers) {
    reset_py_model();
    one_pile(b, h, nincr);
    int L = 0;
    for (const ClayLayer& l : layers) {
        soil_layer(++L, l.code, l.top, l.bot);
        layer_value(SCGAM, L, gamma);
        layer_value(SCCOH, L, l.c);
        layer_value(SCE50, L, l.e50);
        layer_value(SCJ, L, l.J);
    }
    nodes_by_depth();
}

// The springs of every node of pile row 1 with all the nodes deflected by -Y
// (so that a positive Y gives positive reactions).
struct Springs {
    PyWork w{1, 1, 1};
    NODVEC &y = w.y, &es = w.es, &smy = w.smy, &smz = w.smz, &esm = w.esm, &p = w.p;
    // Returns the status word.
    int run(double Y) {
        y.fill(-Y);
        int istat = 0;
        PYCURV(test_controls(), w, istat);
        return istat;
    }
};

// One soil model's generator called on layer L of pile row 1 with every node
// deflected by +Y; p and es start at UNSET so that untouched nodes show.
struct LayerRun {
    static constexpr double UNSET = -777.0;
    int istat = 0;
    PyWork w{1, 1, 1};
    NODVEC &y = w.y, &es = w.es, &sm = w.smy, &esm = w.esm, &p = w.p;  // sm: the movement along both axes
    template <class Gen>
    void run(Gen gen, int L, double Y) {
        y.fill(Y);
        p.fill(UNSET);
        es.fill(UNSET);
        call(gen, L);
    }
    // The generator (or PYCURV) on the arrays as they stand.
    template <class Gen>
    void call(Gen gen, int L) {
        w.smz = w.smy;
        gen(test_controls(), L, w, istat);
    }
    void call_pycurv() {
        w.smz = w.smy;
        PYCURV(test_controls(), w, istat);
    }
};

// Curve mode as the tabulating caller lays it: the node at depth d in the
// scratch row, the next one at `next`, the node in layer L only; the curve
// printed (PLOTFLG = 0) at the model's default deflections (PYNPT = 0).
inline void curve_mode(double d, double next, int L = 1) {
    test_controls().pyreq = 1;
    test_controls().pymode = 1;
    PLOTFLG = 0;
    PYNPT = 0;
    NDEPTH(PYSCRATCH, 1) = NDAXIS(PYSCRATCH, 1) = d;
    NDEPTH(PYSCRATCH, 2) = next;
    for (int l = 1; l <= MAXSLY; ++l) LAYNF(l, PYSCRATCH) = l == L ? 1 : 0;
    for (int l = L; l <= NLAYPY; ++l) LAYNL(l, PYSCRATCH) = 1;
}

// A tabulated point as the echo prints it: 21 blanks, the deflection and the
// reaction right-aligned in 20 columns each, and the blank with which the row
// writer ends a line.
inline std::string echo_point(const std::string& y, const std::string& p) {
    return std::string(21, ' ') + std::string(20 - y.size(), ' ') + y + std::string(20 - p.size(), ' ') + p + ' ';
}

// The lines that the runtime, echo and plot files received while `body` ran,
// the files opened new in a fresh folder (a file not asked for stays closed
// and empty here).
struct RunText {
    std::vector<std::string> run, echo, plot;
};
template <class Body>
RunText run_files(std::initializer_list<int> units, Body&& body) {
    TempDir dir;
    const auto name = [](int u) {
        return std::string(u == RUNFILE ? "run.txt" : u == ECHOFILE ? "echo.txt" : "plot.txt");
    };
    for (int u : units) EXPECT_TRUE(io::open_unit(u, name(u), {io::Access::Write})) << "unit " << u;
    body();
    RunText out;
    for (int u : units) {
        io::close_unit(u);
        std::vector<std::string>& lines = u == RUNFILE ? out.run : u == ECHOFILE ? out.echo : out.plot;
        lines = lines_of(read_file(name(u)));
    }
    return out;
}

}  // namespace zolan::test
