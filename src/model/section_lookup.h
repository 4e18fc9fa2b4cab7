// Section properties of a pile at a position along it, from the section
// tables of its property set. Every lookup takes the pile row, the property
// set and a coordinate X along the depth axis (measured like CORX); it works
// with the depth below the pile head, X - XTOP(pile).
//
// The lookups only read the model tables: they run inside the parallel loops
// over pile rows and may be called from any number of threads at once.
#pragma once

namespace zolan {

// Interpolating lookups: linear between the top and bottom values of the
// section holding the depth; the first section's top value above the head,
// the last section's bottom value below the deepest section.
double SECDIA(int pile, int p, double X);  // diameter; below 1e-5 the top diameter of the deepest section
double SECIN1(int pile, int p, double X);  // moment of inertia, bending axis 1
double SECIN2(int pile, int p, double X);  // moment of inertia, bending axis 2
double SECARE(int pile, int p, double X);  // area
double SECEI1(int pile, int p, double X);  // flexural rigidity, axis 1
double SECEI2(int pile, int p, double X);  // flexural rigidity, axis 2
double SECPR1(int pile, int p, double X);  // torsional rigidity GJ
double SECPR2(int pile, int p, double X);  // moment capacity Mn
double SECPR3(int pile, int p, double X);  // shear capacity Vn

// Step lookups by section bottoms: a depth equal to a section's bottom
// belongs to that section.
double SECSTP1(int pile, int p, double X);
double SECSTP2(int pile, int p, double X);
int SECINT(int pile, int p, double X);

// Step lookups by the next section's top: a depth equal to the top of a
// section belongs to that section. Below the deepest section the values of
// the last section hold down to 1.2 times the pile length and beyond.
double SECMOD(int pile, int p, double X);  // Young modulus of the section
int SECMC1(int pile, int p, double X);     // moment-curvature set of axis 1, 0 elastic
int SECMC2(int pile, int p, double X);     // moment-curvature set of axis 2, 0 elastic

// Top of the section that would follow the deepest one of set p: 1.2 times
// the pile length (1.2 in single precision).
double section_sentinel(int p);

}  // namespace zolan
