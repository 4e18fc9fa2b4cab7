// The slab program's analysis: element stiffness with the springs and the
// nonlinear pile springs, load vector and nodal-vector operations, nodal
// output and stress recovery, final pile responses, and the driver with its
// load steps, equilibrium iterations and step halving. All work on the
// control block and work tables of slab_tables.h; a fatal diagnostic sets
// ISTAT and returns.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "flexcap/slab_tables.h"
#include "group/group_services.h"
#include "model/pile_tables.h"
#include "pile/pile_response.h"

namespace zolan {

// Unit of the slab program's iteration trace, and its name in the run folder.
constexpr int FCTRFILE = 65;
inline constexpr const char* FCTRNAME = "slabtrace.txt";

// Axis change between the slab and the pile group: s = A p, p = A^T s.
// Slab X, Y, Z are cap Z, Y, -X; slab dof 4 is the slope dw/dx (minus the
// rotation about slab Y) and dof 5 the slope dw/dy (the rotation about slab
// X), so p = (-s3, s2, s1, -s6, -s4, s5): rotations turn with the translations.
constexpr double SLAB_AXES[6][6] = {
    {0, 0, 1, 0, 0, 0}, {0, 1, 0, 0, 0, 0}, {-1, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, -1, 0}, {0, 0, 0, 0, 0, 1}, {0, 0, 0, -1, 0, 0},
};
CAPVEC slab_to_cap(const double s[6]);            // p = A^T s
void cap_to_slab(const CAPVEC& p, double s[6]);   // s = A p

// The slab lies in the plane of the cap origin; pile head r hangs CORX below
// it on a rigid arm: d_head = T d_point, T = I + the lever of (CORX, 0, 0)
// (the rigid cap's lever), so that the head moves sideways by CORX times the
// slab's tilt. Its forces come back to the slab point as T^T F, its tangent
// as T^T K T. Points beyond the pile rows hang at no depth.
CAPVEC head_of_point(int r, const CAPVEC& d);
CAPMAT head_arm(int r);                          // T

// The pile response at the pile points: for points 1..n (pile rows), head
// displacements D (6 x n, cap axes) give the forces F on the cap (6 x n) and
// their tangents K (6 x 6 x n). Default: the pile rows of the model.
using SlabPiles = std::function<void(int n, RTab& D, RTab& F, RTab& K)>;
struct FlexcapServices {
    SlabPiles piles;
};
extern FlexcapServices flexcap_services;
// Load factor of the time t: (t - TINI) / (TEND - TINI), 1 for a zero span.
double load_factor(double t);

// Forces and tangents of the pile points (PLFOR, PLSTF) at their head
// displacements PLDIS and the slab's load factor f, through the service or
// the model's pile rows.
void slab_pile_response(double f);

// The stage controls of the model's pile rows under the slab: each pile
// closed far below the slab's test at the current head displacements PLDIS.
PileControls slab_pile_controls();

// Element matrices into ELSTF at U = ASDIS + TSDIS, internal and spring
// forces out of ELLOD, the element records for the stress recovery.
void FCSTIF(int& ISTAT);
// External loads at the current load factor into ELLOD.
void FCLOAD(int& ISTAT);
void FCASSM(RTab& ev, RTab& nv, ITab& ICONN);
void FCVADD(RTab& a, RTab& b, long n);
void FCVSET(RTab& a, long n, double value);
void FCNORM(RTab& v, double& normT, double& normR, long n);

// Length of a side of element e per unit of the side's local coordinate at
// xi on the reference side (eta = -1), with N1, N2, N5 the side's shape values.
struct SidePoint { double n1, n2, n5, len; };
bool side_nodes(int e, int s, int nodes[3]);
SidePoint side_point(const int nodes[3], double xi, ShellWork& w);
// A line value along side s of element e, a at its first corner, b at its
// second and h at its midside node, integrated with the shape values of the
// side: add(local node, share) for each of the side's nodes and Gauss points.
// False for a side out of range (nothing added).
bool side_integral(int e, int s, const double abh[3], const std::function<void(int k, double v)>& add);

// Results of a converged step: nodal listing, stresses, results file.
void FCNODO();
void FCSTRS();
// Final pile responses at the converged displacements (trace only).
void FCSPRG();

// A load on the slab in the cap axes: its plan point (Y, Z) in the slab's
// plane and its forces and moments there (cap order: forces along X, Y, Z,
// moments about X, Y, Z), with where it comes from for the messages: a
// concentrated load record (its case and record), the axial head load of a
// pile row, or neither (a load at the origin).
struct SlabLoad {
    double y = 0, z = 0;
    double p[6] = {0, 0, 0, 0, 0, 0};
    int lcase = 0, record = 0, row = 0;
};
using SlabLoads = std::vector<SlabLoad>;

// The load P as one load at the origin.
SlabLoads origin_load(const CAPVEC& P);
// The loads of the solve in hand at their points. A solve at the full load
// of its analysis (a load case, a combination, the last point of an
// estimation case) carries each concentrated load record of the analysis (a
// combination's records with their cases' factors) at its plan point, its
// height X above the slab's plane turned into the moments its forces make
// there, and the axial head loads of the distributed loads at their pile
// points; a case given at a point of definition keeps its load at the
// origin, and so does an estimation point below the full load. Records
// standing at one point are one load. The loads reduced to the origin are
// the request's load.
SlabLoads slab_loads(const SolveRequest& request);
// A load reduced to the cap origin.
CAPVEC load_at_origin(const SlabLoad& l);

// Units of the two decks of the deck writer while they are written.
constexpr int FCNDFILE = 66;
constexpr int FCKDFILE = 67;
// The numeric deck (slab axes, the deck reader's format) and the keyword
// deck (cap axes) of the cap under the loads at their points, written from
// their start under the given names, which must not be files the run holds
// open. An empty keyword name writes the numeric deck alone. A load whose
// point is off the slab, or whose torque has no circle on it, is refused
// with status 41 and the load named.
void FCDECK(const SlabLoads& loads, const std::string& numeric, const std::string& keyword, int& ISTAT);

// A whole slab analysis of the deck, with its listing, results and log (an
// empty name: the routed unit of slab_route, already open).
struct SlabFiles {
    std::string deck, listing, results, log;
};
void FCSLAB(const SlabFiles& f, int& ISTAT);

// The flexible cap of one solve, its loads where they stand (slab_loads):
// decks only (FCOPT 2), else the slab analysis of the cap on the piles.
void FLEXCAP(const SolveRequest& request, int& ISTAT);

}  // namespace zolan
