// Reports of a cap flexibility estimation, which loads the cap one degree of
// freedom at a time at several load levels: the caption of each degree of
// freedom (with the status lines and unit rows of one that carries no load),
// the load-displacement and flexibility tables of a degree of freedom, and
// the cap stiffness at each level, the inverse of the measured flexibility.
// The capstiff services DOFHDR, LDDTAB and STFREP reach these bodies.
#pragma once

#include <string>

#include "model/analysis_tables.h"
#include "model/pile_tables.h"

namespace zolan {

// Caption of cap degree of freedom IPOINT on the results report, summary and
// plot data. A degree of freedom whose load |P0(IPOINT)| is below 1e-12 is
// skipped: its skip lines on the reports, two status lines per level, and per
// level its unit row on FLEXFILE and a zero row on PLOTDATA. Returns 1 when
// skipped, else 0. mode is the estimation mode of the point (always 2).
int DOFCAP(int mode, int IPOINT, int NANTYP, int nlev, int NDOF, const CAPVEC& P0);

// Load-displacement and flexibility tables of flexibility point IPOINT
// (KESTIM 2) from its nlev pairs of LDDFILE; any other KESTIM does nothing.
// Returns the open state of LDDFILE afterwards (0: closed). A file that cannot
// be opened or read sets ISTAT 38.
int LDDREP(int KESTIM, int IPOINT, int nlev, int NANTYP, int NDOF, int lddopen, int& ISTAT);

// Cap stiffness at each of the nlev levels of a flexibility case, from the
// FLEXFILE rows (NDOF blocks of nlev rows), when the report switch is 1;
// diagonal switch 1 keeps only the diagonal flexibilities. NDOF 3 is the
// plane model's report, any other the three-dimensional one (STFREP3). lead
// is the leading dimension of the work matrix (6). A file that cannot be
// opened or read sets ISTAT 38.
void STFLEV(int report, int diagonal, int nlev, int NDOF, int lead, const Table1<double, MAXSTL>& PTFAC,
            int& ISTAT);
void STFREP3(int report, int diagonal, int nlev, int NDOF, int lead, const Table1<double, MAXSTL>& PTFAC,
             int& ISTAT);

// The readers' shared steps: opening a scratch file by name for reading, and
// reading one record free-form as its level and n values (v(1..n), at most 7). A failure
// closes the unit, sets ISTAT 38 with the reason, and returns false.
bool open_scratch(int unit, const std::string& name, int& ISTAT);
using ESTROW = Table1<double, 7>;
bool read_est_row(int unit, int& level, ESTROW& v, int n, int& ISTAT);

}  // namespace zolan
