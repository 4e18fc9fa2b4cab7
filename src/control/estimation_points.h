// Estimation points of a load case: a cap flexibility estimation (case kind
// 1 to 10) applies the load one cap degree of freedom at a time at several
// levels and then the full load; a stiffness estimation (kind > 10) applies
// the load at given levels, or iterates the load factor of each level until
// one cap displacement reaches its target, and then the full load. Each
// solve gets a request that states its point, level or trial and target, and
// gives back the solver's answer; the points keep the point table and the
// target history in model/analysis_tables.h.
#pragma once

#include <functional>
#include <string>

#include "group/group_services.h"
#include "model/analysis_tables.h"
#include "model/pile_tables.h"

namespace zolan {

// The load vectors of the analysis in hand (cap order, six slots each),
// owned by the analysis driver and handed to the points.
struct CaseLoads {
    CAPVEC load;     // load vector as assembled
    CAPVEC LFULL;    // full load; plane model: the moment about Z in slot 3
    CAPVEC PDFORC, PDDISP, PDXYZ;  // point-of-definition values
    CAPFLAGS PDFLAG;
    CAPVEC PDSAVE;   // saved copy of PDDISP (plane model: slot 6 copied to slot 3)
};

// Distributed loads with an assembly: none (DLZERO), the case's (DLCASE), or
// the case's with the resultant of the axial head loads (DLCASE, PHRESUL).
enum class CaseDistributed { Zero, Case, CaseAndHeads };

// Loads of load case i: EQLOAD(i), CAPDOF(i) when LCPOD(i) = 1, the
// distributed loads of `dl`; LFULL := load (plane model: slot 3 := slot 6);
// when LCPOD(i) = 1 PDSAVE := PDDISP and, in the plane model, PDSAVE(3) :=
// PDDISP(6) and PDFLAG(3) := PDFLAG(6).
void assemble_case_loads(int i, CaseLoads& v, CaseDistributed dl);

// The request of an ordinary solve (kind 0, one point) at `load` with the
// point-of-definition values of v.
SolveRequest case_request(const CaseLoads& v, const CAPVEC& load);

// One solve of the driver (EQKFILE with the case line, ISTAT := 0, the
// solver, EQKFILE closed; on a failure LDDFILE and EQMFILE closed), with the
// solver's answer. It leaves ISTAT non-zero when the analyses must end.
using EstimationSolve = std::function<SolveAnswer(const SolveRequest& request, int& ISTAT)>;

// Set-up of load case i; returns NPTS, the points of the case: 1 for an
// ordinary case; for an estimation case the point table PTFAC := STLEV(i,
// .), NPTIN, and NDOF + 1 points for a flexibility case, n + 1 for a
// stiffness case of n levels.
int ESTSETUP(int i);

// Headings of estimation case i of NPTS points: the flexibility heading and
// FLEXFILE opened (a file that cannot be opened sets ISTAT 38), or the
// stiffness trace line on ESTTRC. Nothing for an ordinary case.
void ESTHEAD(int i, int NPTS, int& ISTAT);

// Every point of estimation case i (KCASE > 0) of NPTS points, the full load
// last. lddopen is the driver's open flag of LDDFILE. Returns at once when a
// solve leaves ISTAT non-zero.
void ESTPOINTS(int i, int NPTS, CaseLoads& v, int& lddopen, const EstimationSolve& solve, int& ISTAT);

// The estimation block of load case i checked for the input (status 37 when
// not empty): with the target-deflection method, a target degree of freedom
// outside 1..6 (1, 2, 3, 6 in the plane model), a zero target or level, an
// iteration limit outside 1..MAXTGIT; a method other than 0 and 1. Returns
// the reason of the first fault, or an empty text.
std::string estimation_input_error(int i);

}  // namespace zolan
