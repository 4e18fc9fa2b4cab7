// The generator frame of the p-y curves and the dispatcher over the soil
// layers of a pile, with the depth multipliers of Table J1.
#include "soil/py_frame.h"

#include <cmath>

#include "model/section_lookup.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/py_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "report/field_writers.h"
#include "report/row_report.h"
#include "report/run_files.h"
#include "soil/py_curves.h"

namespace zolan {

namespace {

const fmt::Format F_POINT_PLOT("(1P,2(1X,G15.8))");

// Deflection i of a tabulated curve.
double curve_y(const PyModel& m, const PyNode& n, int i, double prev) {
    if (PYNPT <= 0) return m.default_y(n, i, prev);
    return PLOTFLG == 1 ? CRVL1(i) : PYRQIN.Y(PYRCUR, i);
}

}  // namespace

// ---------------------------------------------------------------------------
// Default hooks: the frame's own rules.

void PyModel::eqdepth(const PyNode&) {}

void PyModel::accumulate(const PyNode& n, double& sum) {
    bool add = true;
    const double u = sum_value(n, add);
    if (n.layer == 1 && GROUND(n.pile) <= 0.0 && sum <= 0.0) sum = -0.5 * triangle_value(n) * GROUND(n.pile);
    if (n.first && n.layer > 1) return;
    if (add) sum += n.h * u;
}

double PyModel::triangle_value(const PyNode& n) const {
    bool add = true;
    return sum_value(n, add);
}

void PyModel::evaluate(const PyNode& n, double Y, double& es, double& p1, double& P) const {
    // 17. Limit modulus below the zero threshold, else the curve with the
    // group multipliers and the depth multipliers.
    if (Y < TOLZ) {
        es = es0(n);
        p1 = Y * es;
    } else {
        p1 = p_at(n, Y);
    }
    P = PFGRP(n.gpile) * p1;
    if (Y >= TOLZ) {
        es = P / Y / YFGRP(n.gpile);
        if (n.s > 0) es = es * n.pm / n.ym;
    }
}

void PyModel::tabulated(const PyNode& n, double Y, double p1, double P, double& yt, double& pt) const {
    if (n.cap && KCAPOP == 1) {
        yt = Y;
        pt = p1;
        return;
    }
    yt = Y * YFGRP(n.gpile);
    pt = P;
    if (n.s > 0) {
        yt *= n.ym;
        pt *= n.pm;
    }
}

void PyPrinter::write_point(const PyNode&, double yt, double pt) {
    WRBLNK(ECHOFILE, 21);
    WRREAL(ECHOFILE, 20, 5, yt);
    WRREAL(ECHOFILE, 20, 5, pt);
    WREOL(ECHOFILE);
    io::write_fmt(PLOTFILE, plot_point ? *plot_point : F_POINT_PLOT, {yt, pt});
}

void PyPrinter::after_point(const PyNode&, int, double) {}

// ---------------------------------------------------------------------------
// Depth multipliers.

void PYDFACT(int pile, int& set, double x, double& pm, double& ym) {
    set = IRFSET(pile);
    pm = ym = 1.0;
    if (set <= 0 || set > MAXRFS) return;
    const int n = RFLNPT(set);
    if (n < 1) return;
    if (x < RFLDEP(set, 1) || x > RFLDEP(set, n)) return;
    if (x == RFLDEP(set, 1)) {
        pm = RFLPF(set, 1);
        ym = RFLYF(set, 1);
        return;
    }
    if (x == RFLDEP(set, n)) {
        pm = RFLPF(set, n);
        ym = RFLYF(set, n);
        return;
    }
    int j = 2;
    while (j < n && RFLDEP(set, j) < x) ++j;
    const double d0 = RFLDEP(set, j - 1), d1 = RFLDEP(set, j);
    const double t = d1 > d0 ? (x - d0) / (d1 - d0) : 1.0;
    pm = RFLPF(set, j - 1) + t * (RFLPF(set, j) - RFLPF(set, j - 1));
    ym = RFLYF(set, j - 1) + t * (RFLYF(set, j) - RFLYF(set, j - 1));
}

// ---------------------------------------------------------------------------
// The frame.

namespace {

// What became of the forming of a node.
enum class Formed { Ready, Left, EndPass, Stop };

// Steps 1-14 of node n.k: depth, multipliers, ground line, diameter, soil
// values, equivalent depth, the heading of a printed curve, the model's
// constants and the running sum. Ready: the node is to be evaluated; Left:
// the node is left; EndPass: the pass ends; Stop: the generator returns.
Formed form_node(PyModel& m, PyPrinter* printer, const PyControls& ctl, PyNode& n, PyWork& w, double& sum,
                 int& ISTAT) {
    const int pile = n.pile, layer = n.layer, k = n.k;
    // 1. Running sum from the layer's first node.
    if (n.first) {
        sum = 0.0;
        if (n.form) PUSUM(pile, layer) = 0.0;
    }
    // 2. Depth and position.
    n.x = NDEPTH(n.row, k);
    n.a = NDAXIS(n.row, k);
    // 3. Depth multipliers.
    n.s = 0;
    n.pm = n.ym = 1.0;
    if (KJ1 == 1) PYDFACT(pile, n.s, n.x, n.pm, n.ym);
    // 4-5. Ground line.
    if (ctl.pymode == 0 || ctl.pymode == 1) GRDDEP(pile) = XTOP(pile) + GROUND(pile);
    n.z = n.x - GROUND(pile) - XTOP(pile);
    w.es(k) = 0.0;
    // 6. Curve-file words.
    if (n.curve && PLOTFLG == 1) {
        PYCODE = m.code;
        PYBELOW = n.z < ZGS_MIN ? 0 : 1;
        PYZGS = n.z;
    }
    // 9. Diameter (cap width for the cap and the cap pseudo-pile).
    auto diameter = [&] {
        n.b = SECDIA(pile, n.prop, n.a);
        if ((n.cap && KCAPOP == 1) || ctl.kcappy == 1) n.b = CAPWID;
    };
    if (m.lookups_first) {
        diameter();
        if (!m.lookup(n, ISTAT)) return Formed::Stop;
    }
    // 7. A node above the ground line is left.
    if (n.z < ZGS_MIN) return Formed::Left;
    // 8. Cap level in curve mode.
    const double head = XTOP(pile);
    const bool at_cap = head - CAPTHK <= n.x && n.x <= head;
    if (n.cap && n.curve && !at_cap) return Formed::EndPass;
    // A node at cap level is tabulated once: by the cap pass when the
    // model has one (with any cap option), else by the pile pass.
    if (!n.cap && KCAPOP > 0 && m.cap_pass && n.curve && at_cap) return Formed::Left;
    // 9-10. Diameter and soil values.
    if (!m.lookups_first) {
        diameter();
        if (!m.lookup(n, ISTAT)) return Formed::Stop;
    }
    // 11. Equivalent depth: formed once, read by every evaluation.
    if (m.uses_eqdepth && layer > 1) {
        if (n.first && n.form && EQDEP(pile, layer) < TOLDEP) m.eqdepth(n);
        n.zeq = n.z < ZGS_MIN ? 0.0 : n.x - LAYTOP(layer) + EQDEP(pile, layer);
    } else {
        n.zeq = n.z;
    }
    // 12. Heading of a printed curve.
    if (n.curve && PLOTFLG == 0 && printer) printer->write_heading(n);
    // 13. The model.
    if (!m.prepare(n, ISTAT)) return Formed::Stop;
    // 14. Running sum.
    m.accumulate(n, sum);
    return Formed::Ready;
}

// The frame's values of node n and the model's state after it: kept in e,
// or put back from it. False when the model keeps nothing.
bool keep_node(PyModel& m, PyNode& n, PyKeptNode& e, bool save) {
    PyKeepIO io(e.state.data(), save);
    if (save) {
        e.layer = n.layer, e.k = n.k, e.cap = n.cap;
        e.x = n.x, e.a = n.a, e.z = n.z, e.zeq = n.zeq, e.b = n.b;
        e.s = n.s, e.pm = n.pm, e.ym = n.ym;
    } else {
        n.x = e.x, n.a = e.a, n.z = e.z, n.zeq = e.zeq, n.b = e.b;
        n.s = e.s, n.pm = e.pm, n.ym = e.ym;
    }
    return m.keep(io);
}

// 15-20. The node's deflection: secant modulus, reaction and sign.
void evaluate_node(const PyModel& m, const PyNode& n, PyWork& w) {
    const int k = n.k;
    const double mov = NSMOV > 0 ? std::sqrt(w.smy(k) * w.smy(k) + w.smz(k) * w.smz(k)) : 0.0;
    const double Y = NSMOV > 0 ? std::fabs(w.y(k) - mov) : std::fabs(w.y(k));
    double p1 = 0.0, P = 0.0;
    m.evaluate(n, Y, w.es(k), p1, P);
    if (n.cap && KCAPOP == 1 && m.stores_paspv && n.analysis) PASPV(n.pile) = p1;
    if (n.analysis && NSMOV > 0) w.esm(k) = w.es(k) * mov;
    w.p(k) = w.y(k) > mov ? -P : P;
    if (n.s > 0) w.p(k) *= n.pm;
}

// 16, 21. A whole curve.
void tabulate_node(const PyModel& m, PyPrinter* printer, const PyNode& n, PyWork& w) {
    const int npts = PYNPT > 0 ? std::min(PYNPT, MAXPYB) : 17;
    double prev = 0.0;
    for (int i = 1; i <= npts; ++i) {
        const double Y = curve_y(m, n, i, prev);
        double p1 = 0.0, P = 0.0, yt = 0.0, pt = 0.0;
        m.evaluate(n, Y, w.es(n.k), p1, P);
        m.tabulated(n, Y, p1, P, yt, pt);
        prev = Y;
        if (PLOTFLG == 1) {
            PYBUF(i, 1) = yt;
            PYBUF(i, 2) = pt;
        } else if (printer) {
            printer->write_point(n, yt, pt);
            printer->after_point(n, i, yt);
        }
    }
}

}  // namespace

bool PyModel::keep(PyKeepIO&) { return false; }

void py_frame(PyModel& m, PyPrinter* printer, const PyControls& ctl, int layer, PyWork& w, int& ISTAT) {
    const int pile = w.pile;
    PyNode n;
    n.prop = w.prop;
    n.layer = layer;
    n.pile = pile;
    n.curve = ctl.pyreq == 1;
    n.analysis = ctl.pymode == 0;
    n.form = n.analysis && ctl.form == 1;
    n.row = n.curve ? PYSCRATCH : pile;
    n.gpile = n.analysis ? pile : w.gpile;
    const int nf = LAYNF(layer, n.row), nl = LAYNL(layer, n.row);
    if (nf < 1) return;
    n.h = NDEPTH(n.row, nf + 1) - NDEPTH(n.row, nf);
    // Constants are kept only between the evaluations of a lateral solution.
    const bool keeping = w.keep.on(pile) && n.analysis && !n.curve && !n.form;
    double sum = 0.0;

    for (int pass = 0; pass < 2; ++pass) {
        n.cap = pass == 0;
        if (n.cap && (KCAPOP <= 0 || !m.cap_pass)) continue;
        const int k0 = n.cap ? 1 : nf;
        const int k1 = n.cap ? (nf <= 1 && 1 <= nl ? 1 : 0) : nl;
        for (int k = k0; k <= k1; ++k) {
            n.k = k;
            n.first = k == nf;
            n.last = k == nl;
            // The node as the solution's first evaluation left it (the
            // dispatcher has set the ground line already).
            PyKeptNode* kept = keeping ? w.keep.next() : nullptr;
            if (kept && kept->valid && kept->layer == layer && kept->k == k && kept->cap == n.cap &&
                keep_node(m, n, *kept, false)) {
                w.es(k) = 0.0;
                evaluate_node(m, n, w);
                continue;
            }
            // Else formed, and kept when its forming raised no block.
            if (kept) kept->valid = false;
            const RowReport* rep = kept ? active_row_report() : nullptr;
            const std::size_t blocks = rep ? rep->blocks() : 0;
            const Formed f = form_node(m, printer, ctl, n, w, sum, ISTAT);
            if (f == Formed::Stop) return;
            if (f == Formed::EndPass) break;
            if (f == Formed::Left) continue;
            if (kept && rep && rep->blocks() == blocks) kept->valid = keep_node(m, n, *kept, true);
            // Forming the layered-soil state ends here.
            if (n.form) {
                PUSUM(pile, layer) = sum;
                continue;
            }
            if (n.curve) tabulate_node(m, printer, n, w);
            else evaluate_node(m, n, w);
        }
    }
}

// ---------------------------------------------------------------------------
// The dispatcher, and the forming of the layered-soil state.

void PYCURV(const PyControls& ctl, PyWork& w, int& ISTAT) {
    // Blocks of the generators go to the row's report when the caller keeps one.
    const RowScope scope(w.report);
    w.keep.rewind();
    const int pile = w.pile;
    const int row = ctl.pyreq == 1 ? PYSCRATCH : pile;
    // The cap's pseudo-pile has no property set: its increments are the cap's.
    const int n = ctl.kcappy == 1 ? NCAPINC : NINCR(IPROP(pile));
    // 1. Ground line.
    if (ctl.pymode == 0 || ctl.pymode == 1) GRDDEP(pile) = XTOP(pile) + GROUND(pile);
    // 2. The layers on the pile. A layer that holds only the tip node gives
    // the tip its spring, unless a layer above already ends at the tip (the
    // tip exactly on the boundary keeps the upper layer's spring).
    bool tip_held = false;
    for (int L = 1; L <= NLAYPY; ++L) {
        const int nf = LAYNF(L, row), nl = LAYNL(L, row);
        if (nf == 0) continue;
        if (ctl.pymode == 0 && nf == n + 1 && nl == n + 1 && tip_held) continue;
        if (nf <= n + 1 && n + 1 <= nl) tip_held = true;
        switch (ISOIL(L)) {
            case 2: PYSTIFW(ctl, L, w, ISTAT); break;
            case 3: PYSTIFF(ctl, L, w, ISTAT); break;
            case 4: PYSAND(ctl, L, w, ISTAT); break;
            case 5: PYUSER(ctl, L, w, ISTAT); break;
            case 6: PYVUGGY(ctl, L, w, ISTAT); break;
            case 7: PYSILT(ctl, L, w, ISTAT); break;
            case 8: PYAPISND(ctl, L, w, ISTAT); break;
            case 9: PYROCK(ctl, L, w, ISTAT); break;
            case 10: PYSTIFK(ctl, L, w, ISTAT); break;
            case 11: PYLIQ(ctl, L, w, ISTAT); break;
            case 12: PYELAS(ctl, L, w, ISTAT); break;
            case 13: PYSCLAYJ(ctl, L, w, ISTAT); break;
            default: PYSCLAY(ctl, L, w, ISTAT); break;
        }
    }
    // 3. A lookup's status ends the evaluation.
    if (ISTAT != 0) return;
    // 4. No soil modulus above the ground line.
    const double ground = (ctl.pymode == 0 || ctl.pymode == 1) ? XTOP(pile) + GROUND(pile) : GRDDEP(pile);
    for (int k = 1; k <= n + 1; ++k)
        if (NDEPTH(row, k) < ground) w.es(k) = 0.0;
}

void PYFORM(int prop, int pile, int kcappy) {
    PyControls ctl;
    ctl.kcappy = kcappy;
    ctl.form = 1;
    // The blocks of a failing lookup or check go to a report that is dropped.
    RowReport quiet;
    PyWork w(prop, pile, pile);
    w.report = &quiet;
    int status = 0;
    PYCURV(ctl, w, status);
}

}  // namespace zolan
