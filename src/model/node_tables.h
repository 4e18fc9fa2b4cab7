// Node tables of the lateral solution of a pile row: the node positions laid
// out by the node-mesh routines before each lateral solution, the soil
// movement profile of each row, the user p-y curve sets in solver form, and
// the per-row words that the user p-y springs leave for the cap solver.
//
// Two node numberings meet here, each with its own vector type. The node
// tables below, the distributed loads, the soil movement and the p-y
// dispatcher take real node j (j = 1 .. NINCR + 1, node 1 the pile head) at
// index j (NODVEC). The lateral solvers and the routines working on their
// arrays (moment-curvature stiffness, user p-y springs, axial distribution)
// keep node j in slot j + 3, with three spare slots at each end (SLOTVEC).
#pragma once

#include "model/limits.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "model/table.h"

namespace zolan {

// Slot in the lateral solvers' node arrays of real node j.
constexpr int solver_index(int j) { return j + 3; }
// Real node of slot i of the lateral solvers' node arrays.
constexpr int real_node(int i) { return i - 3; }

// A node vector of one pile row in the real numbering: real node j at index j.
struct NODVEC : Table1<double, MAXNOD> {};

// A node vector of one pile row in the lateral solvers' numbering: MAXNOD
// slots, real node j in slot solver_index(j). slot(i) reaches slot i (the
// difference stencils and the spare slots), node(j) real node j. It neither
// converts to nor from NODVEC, so a vector of one numbering handed to a
// routine of the other does not compile.
class SLOTVEC {
public:
    double& slot(int i) { return v_(i); }
    double slot(int i) const { return v_(i); }
    double& node(int j) { return v_(solver_index(j)); }
    double node(int j) const { return v_(solver_index(j)); }
    void fill(double x) { v_.fill(x); }

private:
    Table1<double, MAXNOD> v_;
};

// Rows of the node tables: every pile row, then one scratch row in which the
// tabulating callers of the p-y curves lay out the depth of a requested curve
// (curve mode), so that no live pile row is overwritten.
constexpr int PYSCRATCH = MAXPIL + 1;
constexpr int MAXNDR = PYSCRATCH;

// Node mesh of pile row r (set by the node-mesh routines, read by the node
// lookups): NDAXIS(r, j) the position of node j along the pile axis, NDEPTH(r, j)
// its depth (along the axis, or vertical when batter depths are adjusted),
// both measured from the depth origin, node 1 at CORX(r).
extern Table2<double, MAXNDR, MAXNOD> NDAXIS;
extern Table2<double, MAXNDR, MAXNOD> NDEPTH;
// Increment length of property set p: PLENP(p) / NINCR(p).
extern Table1<double, MAXPSA> HINCR;
// Soil layers on pile row r: LAYNF(l, r) the first and LAYNL(l, r) the last
// node of layer l (0: the layer holds no node of the row). LAYNF has a slot
// for layer NLAYPY + 1.
extern Table2<int, MAXSLY, MAXNDR> LAYNF;
extern Table2<int, MAXSLY, MAXNDR> LAYNL;

// Soil-movement profile of pile row r, points k = 1 .. NSMOV: SMPDEP(r, k)
// the depth of the point below the pile head, SMPY(r, k) and SMPZ(r, k) the
// movements in effect along the pile's first and second lateral axis.
extern Table2<double, MAXPIL, MAXSMV> SMPDEP, SMPY, SMPZ;

// User p-y curve sets in solver form: curve j of set s at depth UPYDEP(s, j)
// (depth axis, internal length), UPYNPT(s, j) points (UPYY, UPYP)(s, j, k) in
// increasing deflection.
extern Table1<int, MAXUPS> UPYNCV;
extern Table2<double, MAXUPS, MAXUPC> UPYDEP;
extern Table2<int, MAXUPS, MAXUPC> UPYNPT;
extern Table3<double, MAXUPS, MAXUPC, MAXUPP> UPYY;
extern Table3<double, MAXUPS, MAXUPC, MAXUPP> UPYP;

// Words of the cap's passive resistance: PASPV(r) the p-y resistance of row
// r just above its head at the cap displacement, CAPHD the cap's lateral
// displacement measure (set by the cap solver before the springs are read).
extern Table1<double, MAXPIL> PASPV;
extern double CAPHD;
// Means over the pile rows of GRDDEP and PASPV at the latest evaluation of
// the cap's passive pressure block.
extern double GRDAVG, PASAVG;

void reset_node_tables();

}  // namespace zolan
