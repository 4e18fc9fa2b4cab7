// Load-case state of the analysis: the kind of the case in hand, its number
// of estimation points, and the current-control block of solution controls
// that the solvers and the pile routines read. The input echo loads the block
// from every case and combination in turn as it prints them; the analysis
// driver loads it again before each analysis.
#pragma once

namespace zolan {

extern int KCASE;   // kind of the current case: <= 0 ordinary, 1-10 flexibility, > 10 stiffness estimation
extern int NPTIN;   // foundation-stiffness values of the current case (NSTLEV)
extern int ICASE;   // number of the current case or combination
extern int ICOMB;   // number of the current combination, 0 during a load case
extern int NDOF;    // cap degrees of freedom of the model: 3 plane, 6 three-dimensional

// Current-control block.
extern double NCYCL;    // number of load cycles (cyclic loading)
extern int NTHRREQ;     // processors requested, 0 automatic
extern int LOADTYP;     // 0 cyclic, 1 static
extern int MAXITC;      // iteration limit of the cap
extern int MAXITP;      // iteration limit of a pile
extern double TOLREL;   // tolerance on the convergence of the cap movement
extern double TOLLLP;   // tolerance on the pile deflections
extern double DTINIT;   // initial load-increment factor
extern double DTCMIN;   // minimum load-increment factor
extern int KPRINT;      // print level: 0 cap, 1 also pile heads, 2 also along the piles
extern int NPRINC;      // node print increment along the piles
extern int KABSTL;      // non-zero: the alternative absolute tolerances apply
extern double TOLDSP;   // alternative tolerance on the cap deflections
extern double TOLROT;   // alternative tolerance on the cap rotations
extern int KAXVAR;      // > 0: the variation of the axial load in the piles is included
extern int KEIPRV;      // > 0: flexural rigidity from the previous iteration
extern double DCFMOM;   // divisor of the moment demand/capacity ratios (bending reduction factor)
extern double DCFSHR;   // divisor of the shear demand/capacity ratios (shear reduction factor)

// The solution controls of load case i, or of combination j, into the block;
// the largest thread count of the first parallel loop back to 1.
void load_case_controls(int i);
void load_comb_controls(int j);

void reset_case_tables();

}  // namespace zolan
