// Captions of the columns of the along-pile effects table: two caption lines
// and a unit line of 10 characters for each of the 25 quantities, and the
// cells of the depth column.
#pragma once

#include "model/table.h"

namespace zolan {

extern Table1<FixedText<10>, 25> CAPL1;   // caption line 1
extern Table1<FixedText<10>, 25> CAPL2;   // caption line 2
extern Table1<FixedText<10>, 25> CAPUN;   // unit line
extern Table1<FixedText<10>, 4> CAPX10;   // depth column, 10 characters
extern Table1<FixedText<6>, 4> CAPX6;     // depth column, 6 characters

// Fills the captions for the analysis type (3 three-dimensional, any other
// value plane) from the unit labels in force.
void COLCAP(int nantyp);
void reset_column_captions();

}  // namespace zolan
