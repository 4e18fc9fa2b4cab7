// Distributed loads on the piles: the distributed-load lines of a load case
// (or of the cases of a combination) laid onto the nodes of each pile row
// they name, as DLTAB/DLNPT, and the axial head loads AXHLOAD/KAXHL that
// global-axis loads give (model/analysis_tables.h, model/pile_tables.h).
#pragma once

namespace zolan {

// A stop request read while the lines are laid (STOPPOLL, once per pile row
// of each case) ends the laying at once: the tables are then partial, and
// the caller ends the run (STOPSEEN).
//
// Clears the tables and lays the lines of load case i times LCSCAL(i); KAXHL := 0 first.
void DLCASE(int i);
// Clears the tables and adds the lines of every case of combination j, each
// times its LCSCAL and its combination factor; KAXHL := 0 first.
void DLCOMB(int j);
// Clears AXHLOAD, DLNPT and the load columns of DLTAB; KAXHL is kept.
void DLZERO();
// Adds the lines of load case i, every load times factor. Rows outside
// 1..NPILES and sets outside 1..NDLSET carry no load.
void DLADD(int i, double factor);

// Value of distributed-load set s at depth x from the pile head: the set's
// end values within 1e-8 of its end depths, linear between its points, 0
// outside it or for a set that is not one.
double dl_set_value(int s, double x);

// Run reset: the work area of the node loads of each line.
void reset_distributed_loads();

}  // namespace zolan
