// t-z curves of the soil samples along a pile: the unit side resistance t
// that the soil mobilises on the shaft against the shaft's axial movement z,
// ten points per sample, point 1 at the origin. The sample tables belong to
// the caller: column g holds sample g.
#pragma once

#include "model/table.h"

namespace zolan {

constexpr int MAXTZP = 50;  // points per t-z curve (ten are written)
constexpr int MAXTZS = 90;  // soil samples along a pile

using TZTAB = Table2<double, MAXTZP, MAXTZS>;  // T(i, g) resistance, Z(i, g) movement
using TZVAL = Table1<double, MAXTZS>;          // one value per sample (fmax, phi)

// Drilled shaft in cohesionless soil: normalised by the diameter D and fmax(g).
void TZCRV1(int g, double D, TZTAB& T, TZTAB& Z, const TZVAL& fmax);
// Drilled shaft in cohesive soil and rock.
void TZCRV2(int g, double D, TZTAB& T, TZTAB& Z, const TZVAL& fmax);
// Driven pile in cohesionless soil: hyperbola whose initial stiffness follows
// the friction angle phi(g) (degrees); an fmax(g) <= 1e-15 becomes 0.001 in the table.
void TZCRV3(int g, TZTAB& T, TZTAB& Z, TZVAL& fmax, const TZVAL& phi);
// Driven pile in cohesive soil and rock: absolute movements.
void TZCRV4(int g, TZTAB& T, TZTAB& Z, const TZVAL& fmax);
// Driven pile in user p-y and elastic subgrade layers.
void TZCRV5(int g, double D, TZTAB& T, TZTAB& Z, const TZVAL& fmax);

}  // namespace zolan
