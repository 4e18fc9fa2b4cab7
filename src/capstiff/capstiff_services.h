// Pile-cap stiffness estimation: the reports and computations that the
// estimation points call. They are built later; until then each is reached
// through a replaceable hook (tests install scripted doubles) and its own
// body does only what the points need to go on: DOFHDR decides whether a
// degree of freedom is skipped, the others write and compute nothing.
#pragma once

#include <functional>
#include <vector>

#include "model/pile_tables.h"

namespace zolan {

// Estimation heading; method 0 "based on total applied load", else "based on
// target deflection".
void CAPHDR(int& method);
// Cap stiffness at an estimation level from the pile-head stiffnesses read by
// EQKREAD; axialflag 1 includes the axial loads; work is the caller's 6 x 6
// scratch for the stiffness matrix.
void CAPTSTF(int& n, int& axialflag, int& ISTAT, int& IPOINT, double& level, CAPVEC& PTLOAD,
             CAPVEC& PTDISP, CAPMAT& work);
// Caption of cap degree of freedom IPOINT (mode 2); skip := 1 when the full
// load has no component there (|LFULL(IPOINT)| below 1e-12 single precision).
void DOFHDR(int& mode, int& IPOINT, int& NANTYP, int& nlev, int& NDOF, CAPVEC& LFULL, int& skip);
// Re-reads the equivalent-stiffness file (unit 23, opened by the caller).
void EQKREAD();
// Load-displacement table of a flexibility point (KESTIM 2); lddopen follows
// the open state of LDDFILE.
void LDDTAB(int& KESTIM, int& IPOINT, int& nlev, int& NANTYP, int& NDOF, int& lddopen);
// Stiffness report from the flexibility records when flag is 1.
void STFREP(int& flag, int& option, int& nlev, int& NDOF, int& six, Table1<double, MAXSTL>& PTFAC);
// Load factor of the next target-deflection trial from the history.
void TGTFAC();

struct CapstiffServices {
    std::function<void(int& method)> caphdr;
    std::function<void(int& n, int& axialflag, int& ISTAT, int& IPOINT, double& level, CAPVEC& PTLOAD,
                       CAPVEC& PTDISP, CAPMAT& work)>
        captstf;
    std::function<void(int& mode, int& IPOINT, int& NANTYP, int& nlev, int& NDOF, CAPVEC& LFULL, int& skip)>
        dofhdr;
    std::function<void()> eqkread;
    std::function<void(int& KESTIM, int& IPOINT, int& nlev, int& NANTYP, int& NDOF, int& lddopen)> lddtab;
    std::function<void(int& flag, int& option, int& nlev, int& NDOF, int& six, Table1<double, MAXSTL>& PTFAC)>
        stfrep;
    std::function<void()> tgtfac;
};
extern CapstiffServices capstiff_services;  // an empty member means the module's own body

}  // namespace zolan
