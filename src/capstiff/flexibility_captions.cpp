// Caption of each degree of freedom of a cap flexibility estimation, and the
// skip of one that the case does not load.
#include <cmath>
#include <string>

#include "capstiff/flexibility_reports.h"
#include "group/estimation_records3d.h"
#include "model/single_precision.h"
#include "report/field_writers.h"
#include "report/run_files.h"

namespace zolan {
namespace {

// A cap load below this carries no flexibility worth measuring.
const double ZERO_LOAD = f32(1e-12f);

const char* const NAME3D[] = {"FORCE X", "FORCE Y", "FORCE Z", "MOMENT X", "MOMENT Y", "MOMENT Z"};
const char* const NAME2D[] = {"FORCE X", "FORCE Y", "MOMENT Z"};

const fmt::Format F_CAPTION("(/,5X,A)");
const fmt::Format F_PLOT_CAPTION("(5X,A)");
const fmt::Format F_SKIP(R"((/,"             DOF NOT CONSIDERED"," SINCE APPLIED FORCE AT CAP IS ZERO"))");
const fmt::Format F_SKIP_DOF(R"((6X,"DOF : ",I5," POINT : ",I5))");
const fmt::Format F_SKIP_STAT(R"(("    5 ANALYSIS SKIPPPED APPLIED FORCE AT CAP IS ZERO"))");

// Step 5 of a skipped degree of freedom i: the skip lines, two status lines
// per level, then per level the unit row of i and a zero plot-data row.
void skip_dof(int i, int nlev, int NDOF) {
    for (int u : {RESFILE, SUMFILE}) io::write_fmt(u, F_SKIP);
    for (int l = 1; l <= nlev; ++l) {
        io::write_fmt(STATFILE, F_SKIP_DOF, {i, l});
        io::write_fmt(STATFILE, F_SKIP_STAT);
    }
    double e[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    e[i - 1] = 1.0;
    for (int l = 1; l <= nlev; ++l) {
        ESTREC(FLEXFILE, l, std::span<const double>(e, static_cast<std::size_t>(NDOF)));
        WRBLNK(PLOTDATA, 5);
        WRINT(PLOTDATA, 5, -l);
        WRBLNK(PLOTDATA, 4);
        WRREAL(PLOTDATA, 18, 8, 0.0);
        WREOL(PLOTDATA);
    }
}

}  // namespace

int DOFCAP(int /*mode*/, int IPOINT, int NANTYP, int nlev, int /*NDOF*/, const CAPVEC& P0) {
    // The model decides the degrees of freedom.
    const bool plane = NANTYP == 2;
    const int n = plane ? 3 : 6;
    if (IPOINT < 1 || IPOINT > n) return 0;
    // 1-3. Captions on the results report, the summary and the plot data.
    const std::string name = (plane ? NAME2D : NAME3D)[IPOINT - 1];
    const std::string digit = std::to_string(IPOINT);
    for (int u : {RESFILE, SUMFILE}) io::write_fmt(u, F_CAPTION, {"DOF   : " + digit + " (" + name + ")"});
    io::write_fmt(PLOTDATA, F_PLOT_CAPTION, {"CAP FLEX., " + digit + ", " + name});
    // 4. A loaded degree of freedom is analysed.
    if (!(std::abs(P0(IPOINT)) < ZERO_LOAD)) return 0;
    // 5. Otherwise skipped, its rows written as its solves would have.
    skip_dof(IPOINT, nlev, n);
    return 1;
}

}  // namespace zolan
