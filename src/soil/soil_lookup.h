// Soil properties at a depth x (X coordinate, positive downward, internal
// length units) from the soil curves of the profile. The routines differ in
// the column read, in how a depth on a boundary of two touching layers is
// resolved, and in what they do below the deepest point: the silent ones
// return 0; the others write a warning block (results report, then runtime
// file), set the caller's status word and return 0.
//
// They only read the soil tables and may be called from any number of
// threads at once, each pile row with its own status word (set only from 0:
// the first non-zero code wins) and its own row report for the blocks
// (report/row_report.h).
#pragma once

#include <span>
#include <string>

#include "report/row_report.h"

namespace zolan {

// Point rule, mean of the two values at a boundary; 0 below the profile, silent.
double KCRV(double x);    // subgrade modulus k (SCK)
double STRCB(double x);   // rock modulus (SCROCK)
double E50CRV(double x);  // strain at 50 % stress (SCE50)
double STRCJ(double x);   // J factor, or RQD of weak rock (SCJ)

// Point rule with a warning and a status below the profile.
double PHICRV(double x, int& istat);  // friction angle (SCPHI), mean at boundaries; status 24
double CCRV(double x, int& istat);    // cohesion (SCCOH), lower layer at boundaries; status 23

// Segment rule (lower layer's top value at a boundary); warning and status below the profile.
double FMAXCRV(double x, int& istat);   // maximum unit side load transfer (SCFMAX); status 25
double TIPMXCRV(double x, int& istat);  // maximum unit tip resistance (SCQMAX); status 26
double BPHICRV(double x, int& istat);   // friction angle at a pile tip (SCPHI); status 27

// Means over the depth range from the ground surface LAYTOP(1) to x.
double GAMAVG(double x, int& istat);  // effective unit weight (SCGAM over UWDEP); status 22
double CAVG(double x, int& istat);    // cohesion (SCCOH); below the profile a warning on the results report only

// Subgrade modulus k with a default by cohesion where the curve gives none
// (lateral solvers); 0 above the first point.
double KDEF(double x);

// Coefficients by depth over pile diameter z/b = (x - GRDDEP(pile)) / SECDIA(pile, set, x).
double ACOEF1(int pile, int set, double x);  // z/b 0..5: 0.223 .. 0.6
double ACOEF2(int pile, int set, double x);  // z/b 0..3: 0.2 .. 0.3
// The caller's ten-point table: values(i) at breakpoints zb(i), i = 1..10 (spans index from 0).
double ZBTAB(int pile, int set, double x, std::span<const double, 10> values, std::span<const double, 10> zb);

// sqrt(a^2 + b^2), with an argument of magnitude below 1e-24 taken as 0.
double HYPOT0(double a, double b);

// Where a layer whose friction angle (field 3 of its property records) or
// strength (field 2) is zero stands in the input: its number, soil code and
// depths, and the lines of its property records (records joined by '\n').
std::string layer_input_text(int layer, int field);
// The same on the input echo after the stop block of a zero value, once per
// layer and run (LAYSTOP).
void LAYERSTOP(int layer, int field);

}  // namespace zolan
