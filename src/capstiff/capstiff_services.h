// Pile-cap stiffness estimation: the reports and computations that the
// estimation points call. Each is reached through a replaceable hook (tests
// install scripted doubles); an empty hook means the module's own body.
#pragma once

#include <functional>

#include "model/analysis_tables.h"
#include "model/pile_tables.h"

namespace zolan {

// A stiffness level as the estimation points hand it on once its solve is
// accepted: the level, the target, and the cap load and displacements the
// solver answered.
struct StiffnessLevel {
    int n = 0;             // load levels of the case
    int axialflag = 0;     // 1: the axial loads are included in the stiffness
    int IPOINT = 0;        // the level point, 1..n
    double level = 0.0;    // its factor, PTFAC(IPOINT)
    double DEFCMP = 0.0;   // displacement of the target degree of freedom reached
    double DEFTGT = 0.0;   // target of the level (0 without a target)
    CAPVEC PTLOAD, PTDISP; // cap load and displacements of the accepted solve
};

// Estimation heading; method 0 "based on total applied load", else "based on
// target deflection".
void CAPHDR(int method);
// Cap stiffness at a level from the pile-head stiffnesses read by EQKREAD,
// with the point table PTFAC of the case.
void CAPTSTF(const StiffnessLevel& level, const Table1<double, MAXSTL>& PTFAC, int& ISTAT);
// Caption of cap degree of freedom IPOINT (mode 2); returns 1 (skip, its
// status lines and unit rows written) when the full load has no component
// there (|LFULL(IPOINT)| below 1e-12 single precision), else 0.
int DOFHDR(int mode, int IPOINT, int NANTYP, int nlev, int NDOF, const CAPVEC& LFULL);
// Re-reads the equivalent-stiffness file (unit 23, opened by the caller);
// a failed read sets ISTAT to 38.
void EQKREAD(int& ISTAT);
// Load-displacement table of a flexibility point (KESTIM 2); returns the open
// state of LDDFILE afterwards (lddopen as given for any other KESTIM). A file
// that cannot be read sets ISTAT.
int LDDTAB(int KESTIM, int IPOINT, int nlev, int NANTYP, int NDOF, int lddopen, int& ISTAT);
// Stiffness report from the flexibility records when flag is 1 (option 1:
// diagonal terms only). A file that cannot be read sets ISTAT.
void STFREP(int flag, int option, int nlev, int NDOF, int six, const Table1<double, MAXSTL>& PTFAC, int& ISTAT);
// Load factor of the next target-deflection trial from the history of the
// level (NHIST pairs of FACHIST) and the target DEFTGT.
double TGTFAC(const Table2<double, 2, MAXHIST>& FACHIST, int NHIST, double DEFTGT);

struct CapstiffServices {
    std::function<void(int method)> caphdr;
    std::function<void(const StiffnessLevel& level, const Table1<double, MAXSTL>& PTFAC, int& ISTAT)> captstf;
    std::function<int(int mode, int IPOINT, int NANTYP, int nlev, int NDOF, const CAPVEC& LFULL)> dofhdr;
    std::function<void(int& ISTAT)> eqkread;
    std::function<int(int KESTIM, int IPOINT, int nlev, int NANTYP, int NDOF, int lddopen, int& ISTAT)> lddtab;
    std::function<void(int flag, int option, int nlev, int NDOF, int six, const Table1<double, MAXSTL>& PTFAC,
                       int& ISTAT)>
        stfrep;
    std::function<double(const Table2<double, 2, MAXHIST>& FACHIST, int NHIST, double DEFTGT)> tgtfac;
};
extern CapstiffServices capstiff_services;  // an empty member means the module's own body

}  // namespace zolan
