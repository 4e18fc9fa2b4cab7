// A pile row whose axial response can be worked by hand: one row of
// property set 1 in elastic subgrade, generated axial curves from its soil.
#pragma once

#include "model/curve_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "pile/load_settlement.h"

namespace zolan::test {

// Drilled shaft of length 100 in two increments (h = 50), D = 20, tip area 100,
// AE = 100 x 1000 = 1e5, in elastic subgrade (code 12) with no side
// resistance and an input tip resistance of 10 psi: Qtip = 1000 (uplift 0.001).
// q-w: Q = 1750 w up to w = 0.1 (175), then (0.2, 345), (0.3, 485), (0.5, 650) ...
// (2.0, 1460). With no side load the force is the tip load Q(wt) at every node
// and each increment shortens by Q h / AE = 5e-4 Q: head movement wt + 1e-3 Q(wt).
inline void set_axial_model() {
    reset_soil_tables();
    reset_pile_tables();
    reset_section_tables();
    reset_curve_tables();
    NUNITS = 1;
    TOLDEP = 1.0e-6;
    KBATAD = 0;
    NLSPT = 19;
    NLAYPY = 1;
    NSCPT = NUWPT = 2;
    ISOIL(1) = 12;
    LAYBOT(1) = 1200.0;
    SCDEP(2) = UWDEP(2) = 1200.0;
    for (int i : {1, 2}) {
        SCGAM(i) = 0.04;
        SCPHI(i) = 0.5;
        SCQMAX(i) = 10.0;
    }
    IPROP(1) = 1;
    PLENP(1) = 100.0;
    NINCR(1) = 2;
    PTYPED(1) = 2;
    NSECP(1) = 1;
    SECTAB(1, 1, SEC_DBOT) = 100.0;
    SECTAB(1, 1, SEC_TOP + SP_DIA) = SECTAB(1, 1, SEC_BOT + SP_DIA) = 20.0;
    SECTAB(1, 1, SEC_TOP + SP_ARE) = SECTAB(1, 1, SEC_BOT + SP_ARE) = 100.0;
    EMODS(1, 1, 1) = EMODS(1, 1, 2) = 1000.0;
}

// The model above with the load-settlement table of property set 1 built
// (both branches); the status of the two builds.
inline int set_axial_model_with_table() {
    set_axial_model();
    AXPTS loads, movs;
    int st = 0, n = 0;
    LSCRV(1, 1, 1, 1, st, n, loads, movs);
    LSCRV(1, 2, 1, 1, st, n, loads, movs);
    return st;
}

}  // namespace zolan::test
