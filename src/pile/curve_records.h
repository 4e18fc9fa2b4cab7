// Shared pieces of the curve-file writers of a pile's axial and torsional
// springs: ten-point curves summed station by station, the soil code at a
// depth, and the records of the file, formatted or unformatted by KCRVFM.
#pragma once

#include "model/table.h"

namespace zolan {

constexpr int CRVNPT = 10;  // points of a station curve

// Ten points of movement z and force F.
struct CurvePts {
    Table1<double, CRVNPT> z, F;
};

// Force of curve c at movement z: linear between the first point k >= 2
// reaching z and point k - 1 (the later point on a segment of no length),
// along the last segment beyond the curve.
double force_at(const CurvePts& c, double z);

// Station curve of two curves: on the points of the one that ends at the
// smaller movement (a when they end together), the sum of both.
CurvePts sum_curves(const CurvePts& a, const CurvePts& b);

// Soil code at depth x: the first layer whose bottom lies below x, else the first layer.
int code_at(double x);

// The t-z curve (z, t) of the shaft segment with mid-point A (zg below the
// ground line) for pile type ptype, its movements scaled by the head
// diameter D1: the unit side resistance from its input curve, else
// estimated from the soil strength; phi the tip friction angle in degrees
// at A. False when a lookup set st (the writer's block ends there).
bool segment_tz(int ptype, double A, double zg, double D1, CurvePts& tz, double& phi, int& st);

// -x, without a negative zero on the file.
inline double neg(double x) { return x == 0.0 ? 0.0 : -x; }

// The records of the curve file.
class CurveWriter {
public:
    explicit CurveWriter(bool formatted) : formatted_(formatted) {}
    void ints(int a, int b, int c);
    void station(int s, double B);
    void flag(int f, int n);
    void point(int j, double z, double F);

private:
    bool formatted_;
};

}  // namespace zolan
