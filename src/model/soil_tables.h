// Soil profile of the analysis: the layer tables and the soil curves against
// depth (two points per layer, at its top and its bottom, one column per soil
// quantity). Filled once per run while Table F of the input echo prints, read
// afterwards through the soil lookups along depth.
#pragma once

#include "model/limits.h"
#include "model/table.h"

namespace zolan {

constexpr int MAXSLY = 40;  // slots of the layer tables (the input holds at most MAXLAY layers)
constexpr int MAXSCP = 80;  // points of the soil curves: two per layer slot

// Layer tables.
extern int NLAYPY;                        // number of soil layers
extern Table1<int, MAXSLY> ISOIL;         // soil code 1..13 of layer L
extern Table1<double, MAXSLY> LAYTOP;     // top depth of layer L (LAYTOP(1): ground surface)
extern Table1<double, MAXSLY> LAYBOT;     // bottom depth of layer L

// Soil curves: point 2L-1 holds layer L's top values at LAYTOP(L), point 2L
// its bottom values at LAYBOT(L). Points beyond the counts are never read.
extern int NSCPT;                         // points of the strength curve: 2 * NLAYPY
extern int NUWPT;                         // points of the unit-weight curve: the same value
extern Table1<double, MAXSCP> SCDEP;      // depth of the point
extern Table1<double, MAXSCP> UWDEP;      // depth of the point (unit-weight curve; same values as SCDEP)
extern Table1<double, MAXSCP> SCGAM;      // effective unit weight
extern Table1<double, MAXSCP> SCCOH;      // cohesion; compressive strength (6, 9); maximum stress transfer (12)
extern Table1<double, MAXSCP> SCPHI;      // friction angle, radians
extern Table1<double, MAXSCP> SCK;        // p-y subgrade modulus k; elastic subgrade modulus (12)
extern Table1<double, MAXSCP> SCROCK;     // Young's modulus of the rock Er
extern Table1<double, MAXSCP> SCE50;      // strain at 50 % stress; krm (9); 0.0005 fixed (6)
extern Table1<double, MAXSCP> SCJ;        // J factor (13); RQD in percent (9)
extern Table1<double, MAXSCP> SCFMAX;     // ultimate unit side friction
extern Table1<double, MAXSCP> SCQMAX;     // ultimate unit tip resistance

// Depth of the ground line at each pile row (XTOP + GROUND), kept current by
// the p-y generators and read by the coefficient tables by z/b.
extern Table1<double, MAXPIL> GRDDEP;

// Clears the layer tables, the curves and the counts (start of every run).
void reset_soil_tables();

}  // namespace zolan
