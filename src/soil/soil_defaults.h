// Default soil parameters by soil code: the subgrade modulus k and the strain
// at 50 % stress e50 that the system supplies where the input gives zero or a
// negative value. Internal units: English (NUNITS = 1) psi and lb/in^3, SI
// (NUNITS = 2) kPa and kN/m^3; friction angles in radians. No state, no output.
#pragma once

namespace zolan {

// k of a layer point for the input echo: kstat and kcyc are the static and the
// cyclic k; kdef = 1 when kin was not positive (a default was taken); kcdef = 1
// when moreover the soil code has a separate cyclic default (codes 2, 7, 10).
void KLAYER(double c, double phi, double gamma, double kin, double& kstat, double& kcyc, int units,
            int code, int& kdef, int& kcdef);

// e50 of a layer point for the input echo; edef = 1 when e50in was not positive.
void E50LAYER(double c, double e50in, double& e50out, int units, int code, int& edef);

// e50 default at a depth (load-settlement curves); called when e50 is not positive.
void E50DEF(double c, double& e50, int code, int units);

// k of sand from phi and gamma (codes 4 and 8); k is left unchanged where no formula applies.
void KSAND(double phi, double gamma, double& k, int units);

// k of silt (code 7): stiff-clay part by cohesion plus sand part by friction
// angle; kstatic = 1 static, 0 cyclic. k is left unchanged for units other than 1 and 2.
void KSILT(double gamma, double c, double phi, double& k, int units, int kstatic);

}  // namespace zolan
