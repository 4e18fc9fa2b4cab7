// Pile results work file: eight records per pile row of one reported result
// set, written by the results writers and read back by the pile-top summary
// tables. Records 1-4: the pile-top displacements and reactions (global,
// local; the reaction records end with the head stress); records 5-8: the
// minima of the 25 along-pile quantities, the depths where they occur, the
// maxima and their depths. Values are written in internal units, the depths
// in printing units (feet in English units).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "model/result_tables.h"
#include "model/table.h"

namespace zolan {

// Records 1-4 of pile row p from its pile-top record: three-dimensional
// (slots 1-6; 7-12 and the stress 13; 14-19; 20-25 and 13) and plane model
// (slots 1-3; 4-6 and the stress 7; 14-16; 17-19 and 7).
void write_top_records_3d(int p, const PTOPREC& top);
void write_top_records_2d(int p, const PTOPREC& top);

// Extremes of the along-pile quantities of one pile: per quantity the
// minimum and the maximum and the depths (internal length units, from the
// head along the pile) where they first occur.
struct PILEXT {
    Table1<double, MAXNQ> vmin, vmax, dmin, dmax;
};
// Records 5-8 of pile row p; the depths converted for printing.
void write_extreme_records(int p, const PILEXT& ext);

// Readers of one record's text, as the summary tables read them. Each
// returns false, with the reason and the columns in `why`, when a field lies
// past the end of the record, is blank, holds asterisks (a value that did not
// fit its field) or is not a number; the values are those printed.
//
// Pile-top record (records 1-4) of the model (nantyp 2 plane, else
// three-dimensional): the pile number and the first n values (up to 7, plane
// up to 4) into v(1..n).
bool read_top_record(std::string_view rec, int nantyp, int n, int& pile, Table1<double, MAXNQ>& v,
                     std::string& why);
// Record 5 or 7: the pile number and the 25 extremes.
bool read_extreme_values(std::string_view rec, int& pile, Table1<double, MAXNQ>& v, std::string& why);
// Record 6 or 8: the 5-character depth label and the 25 depths.
bool read_extreme_depths(std::string_view rec, FixedText<5>& label, Table1<double, MAXNQ>& d, std::string& why);

}  // namespace zolan
