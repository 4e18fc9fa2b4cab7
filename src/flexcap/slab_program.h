// The slab program's deck reading, mesh checks, point location and frontal
// solver, on the control block and work tables of slab_tables.h. A fatal
// diagnostic writes its message, sets ISTAT (ISSLAB, or ISINPUT for a deck
// value that cannot be used) and returns; the caller then ends the slab
// analysis with FCRELEASE.
#pragma once

#include <string>

#include "flexcap/slab_tables.h"

namespace zolan {

// Deck checks: CHECK1 the counts after their echo, CHECK2 the mesh and the
// restraints after the whole deck (and the front size MFRON).
void CHECK1(int& ISTAT);
// The stop request in the slab's set-up loops (the deck written and read
// back, its listing, its points located, the mesh check): the progress message " FLEXIBLE CAP,
// what" and the throttled read; true once a stop is read.
bool slab_setup_stop(const char* what);
void CHECK2(RTab& XYNOD, ITab& IFXND, ITab& IFXCD, ITab& ICONN, ITab& IMATE, int& ISTAT);

// Element and local coordinates (xi, eta) of n points given by X, Y in P;
// IEL 0 and X, Y kept for a point in no element. With a status given (the
// deck's points, searched over every element of a large mesh), the stop
// request is read between elements: on a stop, *ISTAT := 4 (when 0) and the
// search ends with the points not yet found left unlocated.
void FCLOCP(int n, RTab& P, ITab& IEL, ITab& ICONN, RTab& XYNOD, const SlabControl& c, ShellWork& w,
            int* ISTAT = nullptr);

// Start of a slab analysis: opens the deck on FCDKFILE and the listing and
// log, reads the title and the two header records, sets the fixed values and
// allocates the work tables.
void FCHEAD(const std::string& deck, const std::string& listing, const std::string& log, int& ISTAT);
// The data records of the deck into the work tables, echoed to the listing,
// the points located, the mesh checked, the front tables sized.
void FCREAD(int& ISTAT);

// Frontal solution of the assembled element systems with the restraints:
// the increment into DSDIS, the reactions into REACT.
void FCSOLV(RTab& FXVAL, RTab& DSDIS, RTab& ELLOD, ITab& IFXND, RTab& REACT, RTab& ELSTF, ITab& IFXCD, ITab& ICONN,
            int& ISTAT);

}  // namespace zolan
