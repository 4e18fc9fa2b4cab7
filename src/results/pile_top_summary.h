// Pile-top summary of one reported result set of the three-dimensional
// model: seven tables on the summary, re-read from the work file, each with a
// row (or, for the along-pile extremes, two lines) per pile row and the
// minimum and maximum rows with the pile row where each occurs; the summary
// scratch receives the extreme rows of all but the stress table, under their
// titles and headings.
#pragma once

#include <string>

#include "model/table.h"
#include "report/fortran_format.h"
#include "results/effects_table.h"

namespace zolan {

// Summary headings of the global and local pile-top tables and of the
// along-pile extremes, shared by the two models.
extern const fmt::Format GLOBAL_AXES, LOCAL_AXES, EFFECTS;

// A work file that could not be read: ISTAT 38 when it is 0, the failure
// line (the file, the record's line when above 0, the reason), the file
// closed. Returns false.
bool work_failure(int& ISTAT, long line, const std::string& why);

// Record r of pile row p read from the open work file into rec, the line
// count raised; a record missing or too long is a work failure (false).
bool next_work_record(int p, int r, long& line, std::string& rec, int& ISTAT);
// The stop request before the records of pile row p of a pile-top table: on
// a stop the work file is closed, ISTAT := 4 (when 0), and true.
bool tops_stopped(int p, int npiles, int& ISTAT);

// Running extremes of up to 25 value columns over the pile rows read so far.
struct COLEXT {
    Table1<double, MAXNQ> vmin, vmax;  // 0 before the first pile row
    Table1<int, MAXNQ> pmin, pmax;     // 1 before the first pile row
    COLEXT() {
        pmin.fill(1);
        pmax.fill(1);
    }
};

// Merges the values x(1..n) of pile row p: pile row 1 sets the extremes; a
// later row replaces one only when strictly beyond it, so a tie keeps the
// lower pile row. n below 1 changes nothing.
void VMNMXL(int p, int n, const Table1<double, MAXNQ>& x, COLEXT& ext);

// One table: isys 1 global pile-top values (iq 1 displacements, 2
// reactions), 2 local ones (iq 1 displacements, 2 reactions, 3 the stress),
// 3 along-pile extremes (iq 1 minima, 2 maxima, columns as qsel selects).
// A work file that cannot be read (missing, short, a field that is not a
// number or did not fit) sets ISTAT to 38, when it is 0, with the file, line
// and reason in the run's failure lines, and ends the table there: the
// result is false.
bool PTOPTAB(int isys, int iq, int npiles, const QSEL& qsel, int& ISTAT);

// The seven tables in order under their coordinate-system headings; stops
// after a table that could not read the work file.
void PTOPDRV(int npiles, const QSEL& qsel, int& ISTAT);

}  // namespace zolan
