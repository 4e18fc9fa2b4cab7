// Lateral soil springs of a pile: the p-y curves of every soil code, evaluated
// node by node at the current deflections (analysis mode), or tabulated as
// whole curves for the report of generated curves and the curve file (curve
// mode, PyControls::pyreq = 1).
//
// Node arrays hold real node j (j = 1 .. NINCR + 1, node 1 the pile head) at
// index j. In analysis mode the node positions and the layer ranges are those
// of pile row `pile` (NDEPTH, NDAXIS, LAYNF, LAYNL); in curve mode those of the
// scratch row PYSCRATCH, laid out by the tabulating caller, while the head
// depth, ground line, reduction-factor set and equivalent depths stay those of
// pile row `pile`. `prop` is the property set whose section diameter the
// curves take (IPROP of the pile row).
#pragma once

#include "model/node_tables.h"
#include "report/row_report.h"
#include "soil/py_keep.h"
#include "soil/sand_memo.h"

namespace zolan {

// What the caller's stage tells the p-y evaluation. The caller fills it; it
// stays the same for a whole loop over pile rows and is only read.
struct PyControls {
    int pymode = 0;  // print switch PYMODE: 0 during an analysis (the p-y state of the row is kept)
    int pyreq = 0;   // curve mode PYREQ: 1 tabulates whole curves at the scratch row
    int kcappy = 0;  // cap pass KCAPPY: 1 while the embedded cap's springs take the cap width
    int form = 0;    // 1 (with pymode 0): forms the row's running sums and equivalent depths, no springs
};

// One pile row's work of a p-y evaluation.
struct PyWork {
    PyWork() = default;
    PyWork(int prop_set, int pile_row, int group_row) : prop(prop_set), pile(pile_row), gpile(group_row) {}

    int prop = 0;   // property set whose section diameter the curves take (IPROP of the row)
    int pile = 0;   // pile row: its nodes (analysis), head, ground line, p-y state
    int gpile = 0;  // row whose group multipliers apply in curve mode
    NODVEC y;       // in: deflection at each node
    NODVEC smy, smz;  // in: free-field soil movement along the two lateral axes
    NODVEC es;      // out: secant modulus p / y
    NODVEC esm;     // out: es times the movement's magnitude
    NODVEC p;       // out: signed soil reaction
    SandMemo sand;  // breakpoints of the sand-type curves kept from the last evaluation
    PyKeep keep;    // per-node constants kept between the evaluations of one lateral solution
    RowReport* report = nullptr;  // the row's report inside a loop; null: the thread's own (serial: the files)
};

// Secant modulus es = p / y and signed soil reaction p at every node of pile
// row w.pile (analysis), or the tabulated curve of the scratch node (curve
// mode). A soil lookup beyond its curve sets ISTAT and ends the evaluation.
// The layered-soil state of the row (PUSUM, EQDEP) is only read: PYFORM
// forms it once per run, before the analyses. Writes only the work's outputs
// and row w.pile's ground-line depth GRDDEP and cap-pass value PASPV.
void PYCURV(const PyControls& ctl, PyWork& w, int& ISTAT);

// Running sums PUSUM and equivalent depths EQDEP of layered soil on pile row
// `pile`, whose node tables are laid out: every layer in the order of an
// analysis evaluation, node by node, as that evaluation would form them (cap
// pass and all; `kcappy` 1 for the embedded cap's pseudo-pile), with the
// loading type in LOADTYP. An equivalent depth already formed is kept.
// Serial, before the analyses; nothing is reported: a lookup or check that
// fails ends the forming there, its block and status dropped, and the row's
// first evaluation meets and reports the same failure.
void PYFORM(int prop, int pile, int kcappy);

// The generators, one per soil model, each for the nodes LAYNF .. LAYNL of one
// layer; the arguments of PYCURV plus the layer.
#define ZOLAN_PY_GENERATOR(name) void name(const PyControls& ctl, int layer, PyWork& w, int& ISTAT)
ZOLAN_PY_GENERATOR(PYSCLAY);   // 1 (and any code outside 1..13): soft clay
ZOLAN_PY_GENERATOR(PYSTIFW);   // 2: stiff clay with free water
ZOLAN_PY_GENERATOR(PYSTIFF);   // 3: stiff clay without free water
ZOLAN_PY_GENERATOR(PYSAND);    // 4: sand
ZOLAN_PY_GENERATOR(PYUSER);    // 5: user curves by layer (never sets ISTAT)
ZOLAN_PY_GENERATOR(PYVUGGY);   // 6: vuggy limestone
ZOLAN_PY_GENERATOR(PYSILT);    // 7: silt
ZOLAN_PY_GENERATOR(PYAPISND);  // 8: sand by API criteria
ZOLAN_PY_GENERATOR(PYROCK);    // 9: weak rock
ZOLAN_PY_GENERATOR(PYSTIFK);   // 10: stiff clay without free water, initial k
ZOLAN_PY_GENERATOR(PYLIQ);     // 11: liquefied sand
ZOLAN_PY_GENERATOR(PYELAS);    // 12: elastic subgrade
ZOLAN_PY_GENERATOR(PYSCLAYJ);  // 13: soft clay, J from the profile
#undef ZOLAN_PY_GENERATOR

// p- and y-multipliers (pm, ym) at depth x from the reduction-factor set of
// pile row `pile` (Table J1); set receives IRFSET(pile). (1, 1) outside the
// set's depth range or for no set.
void PYDFACT(int pile, int& set, double x, double& pm, double& ym);

// Equivalent depth of `layer`'s top on pile row `pile` in layered soil: the
// depth at which the layer's own soil, from the ground surface down, builds
// the cumulative ultimate resistance of the layers above (PUSUM). Result in
// EQDEP(pile, layer); nothing is stored when it would not be finite. The
// arguments a generator does not use are ignored: cu, gamma always; ca for
// codes 2, 3, 10; phi, alpha, beta, K0, Ka, Kp, z0 for codes 4, 7, 8; J for
// code 13; zb (the z/b abscissae of the A table) for codes 4 and 7.
struct EqDepthSoil {
    double b = 0, cu = 0, ca = 0, gamma = 0;
    double phi = 0, alpha = 0, beta = 0, K0 = 0, Ka = 0, Kp = 0, z0 = 0, J = 0.5;
    const double* zb = nullptr;  // ten abscissae
};
void EQDEPTH(int pile, int layer, int prop, const EqDepthSoil& soil);

// Default strain e50 of soft clay for cohesion cu in unit system `units`.
void E50SOFT(double cu, double& e50, int units);

// Default subgrade modulus k of stiff clay for cohesion cu (loadtyp 1 static,
// 0 cyclic); k is left as passed for other unit systems or loading types.
void KSTIFF(double cu, double& k, int units, int loadtyp);

}  // namespace zolan
