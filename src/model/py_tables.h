// State of the p-y curve generators: the per-pile running sums and
// equivalent depths of layered soil, and the words of curve mode, in which
// the generators tabulate whole curves for the report of generated curves and
// the curve file instead of evaluating the analysis nodes.
#pragma once


#include "model/limits.h"
#include "model/soil_tables.h"
#include "model/table.h"

namespace zolan {

// PUSUM(r, l): cumulative ultimate resistance of layer l's nodes on pile row r
// (rebuilt on every evaluation of the layer); EQDEP(r, l): equivalent depth of
// layer l's top on row r in layered soil (below 1e-6: not computed yet; kept
// for the rest of the run once computed).
extern Table2<double, MAXPIL, MAXSLY> PUSUM;
extern Table2<double, MAXPIL, MAXSLY> EQDEP;

// Curve mode (PyControls::pyreq = 1, soil/py_curves.h): serial-only words of
// the tabulating callers, never used inside the loops over pile rows.
extern int PLOTFLG;                  // 1: tabulated points go to PYBUF (curve file); 0: printed
constexpr int MAXPYB = 25;           // points of a tabulated curve
extern int PYNPT;                    // deflection values of the curve (0: the model's 17 defaults)
extern int PYRCUR;                   // print request whose deflections PYRQIN.Y(PYRCUR, i) are used
extern Table2<double, MAXPYB, 2> PYBUF;  // last tabulated curve: (i, 1) deflection, (i, 2) reaction
extern int PYCODE;                   // curve-type code of the last tabulated curve
extern int PYBELOW;                  // 1: the tabulated depth is at least 1e-6 below the ground line
extern double PYZGS;                 // depth of the tabulated curve below the ground line

// PYUWRN(r): 1 once pile row r's user curves by layer (soil code 5) were
// found not to reach a node and the record saying so was written; the record
// is written once per row and analysis. Each row touches only its own slot
// inside the parallel loops; cleared before every solve of the analysis
// driver and at the start of every run.
extern Table1<int, MAXPIL> PYUWRN;

// VUGWRN(l): 1 once vuggy-limestone layer l was reported without strength
// (the report is written once per layer and run). Serial-only: inside the
// loops over pile rows it is only read; the row-order fold after the loop
// writes the block of the lowest row that met the layer and sets the flag.
extern Table1<int, MAXSLY> VUGWRN;

// LAYSTOP(l): 1 once layer l stopped the run for a zero friction angle or
// strength and the echo was told where the layer stands in the input (once
// per layer and run; serial-only as VUGWRN). The final status names the
// layers so flagged.
extern Table1<int, MAXSLY> LAYSTOP;

void reset_py_tables();

}  // namespace zolan
