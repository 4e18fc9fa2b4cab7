// Section lookups along a pile. The depth x' below the pile head selects a
// section of the property set; a value column is interpolated linearly
// between the section's top and bottom values, a step column takes the
// section's single value. Nothing is stored, so concurrent lookups never
// touch shared state: the top of the section after the deepest one (1.2 times
// the pile length) only closes the deepest section of the step-by-next-tops
// rule, and a depth at or below it stays in that section.
#include "model/section_lookup.h"
#include "model/single_precision.h"

#include "model/pile_tables.h"
#include "model/section_tables.h"

namespace zolan {
namespace {

constexpr double C1P2 = f32(1.2f);      // sentinel depth over pile length
constexpr double DIAMIN = f32(1.0e-5f); // smallest diameter taken as given

double depth_below_head(int pile, double X) { return X - XTOP(pile); }

// Section holding depth xr by the bottoms of the sections: the first section
// above the first top, else the first whose bottom is at or below xr, else
// the last one. A set without sections answers with section 1.
int section_by_bottoms(int p, double xr) {
    const int n = NSECP(p);
    if (n < 1 || xr < SECTAB(p, 1, SEC_DTOP)) return 1;
    for (int s = 1; s <= n; ++s)
        if (SECTAB(p, s, SEC_DBOT) >= xr) return s;
    return n;
}

// Section holding depth xr by the tops of the next sections: the first i
// whose next top is strictly deeper than xr, the deepest section's next top
// being the sentinel; at or below the sentinel, the last section.
int section_by_next_tops(int p, double xr) {
    const int n = NSECP(p);
    if (n < 1) return 1;
    for (int i = 1; i < n; ++i)
        if (SECTAB(p, i + 1, SEC_DTOP) > xr) return i;
    return n;
}

double interpolate(int pile, int p, double X, int q) {
    const double xr = depth_below_head(pile, X);
    const int n = NSECP(p);
    // 1-2. Above the first top, below the deepest bottom.
    if (n < 1 || xr < SECTAB(p, 1, SEC_DTOP)) return SECTAB(p, 1, SEC_TOP + q);
    if (xr > SECTAB(p, n, SEC_DBOT)) return SECTAB(p, n, SEC_BOT + q);
    // 3. Linear within the section.
    const int s = section_by_bottoms(p, xr);
    const double t = SECTAB(p, s, SEC_DTOP), b = SECTAB(p, s, SEC_DBOT);
    const double vt = SECTAB(p, s, SEC_TOP + q), vb = SECTAB(p, s, SEC_BOT + q);
    if (!(b > t)) return vb;  // a section of no length: its bottom value
    return vt + (xr - t) * (vb - vt) / (b - t);
}

}  // namespace

double section_sentinel(int p) { return C1P2 * PLENP(p); }

double SECDIA(int pile, int p, double X) {
    const double d = interpolate(pile, p, X, SP_DIA);
    if (d >= DIAMIN) return d;
    // 4. A diameter vanishing at this depth: the top diameter of the deepest section.
    return SECTAB(p, NSECP(p) < 1 ? 1 : NSECP(p), SEC_TOP + SP_DIA);
}

double SECIN1(int pile, int p, double X) { return interpolate(pile, p, X, SP_IN1); }
double SECIN2(int pile, int p, double X) { return interpolate(pile, p, X, SP_IN2); }
double SECARE(int pile, int p, double X) { return interpolate(pile, p, X, SP_ARE); }
double SECEI1(int pile, int p, double X) { return interpolate(pile, p, X, SP_EI1); }
double SECEI2(int pile, int p, double X) { return interpolate(pile, p, X, SP_EI2); }
double SECPR1(int pile, int p, double X) { return interpolate(pile, p, X, SP_GJ); }
double SECPR2(int pile, int p, double X) { return interpolate(pile, p, X, SP_MN); }
double SECPR3(int pile, int p, double X) { return interpolate(pile, p, X, SP_VN); }

double SECSTP1(int pile, int p, double X) { return SECSTV(p, section_by_bottoms(p, depth_below_head(pile, X)), 1); }
double SECSTP2(int pile, int p, double X) { return SECSTV(p, section_by_bottoms(p, depth_below_head(pile, X)), 2); }
int SECINT(int pile, int p, double X) { return SECIOP(p, section_by_bottoms(p, depth_below_head(pile, X))); }

double SECMOD(int pile, int p, double X) { return EMODS(p, section_by_next_tops(p, depth_below_head(pile, X)), 1); }
int SECMC1(int pile, int p, double X) { return MPSEC1(p, section_by_next_tops(p, depth_below_head(pile, X))); }
int SECMC2(int pile, int p, double X) { return MPSEC2(p, section_by_next_tops(p, depth_below_head(pile, X))); }

}  // namespace zolan
