// Breakpoints of the sand-type p-y curves (sand, sand by API criteria and
// silt) kept node by node between evaluations of a pile: they depend only on
// the node and the case, not on the deflection, and forming them (the two
// powers of the parabola, the coefficient tables by depth over diameter)
// took about a third of the time of a pile group in sand when they were
// formed again at every evaluation.
//
// An entry is reused only when every value the breakpoints are formed from
// has the same bits as when it was formed (the key); any other node, case,
// layer, diameter or soil forms them again. The memo lives in a pile row's
// p-y work (PyWork), which one thread uses at a time.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "model/limits.h"

namespace zolan {

// The values the breakpoints of a node are formed from.
struct SandKey {
    int code = 0;  // soil code of the curve (4, 7 or 8); 0: nothing formed
    int stat = 0;  // loading type: 1 static, 0 cyclic
    double b = 0;      // diameter (or cap width)
    double z = 0;      // depth below the ground line
    double H = 0;      // depth of the resistance (the equivalent depth below the first layer)
    double phi = 0;    // friction angle
    double gamma = 0;  // average unit weight
    double c = 0;      // cohesion (silt)
    double k = 0;      // subgrade modulus
    double grd = 0;    // ground-line depth of the pile row
    double dx = 0;     // section diameter at the depth of the coefficient tables (sand, silt)

    // Same bits in every value (a NaN matches itself, -0 does not match 0).
    bool same(const SandKey& o) const {
        const auto eq = [](double u, double v) {
            return std::bit_cast<std::uint64_t>(u) == std::bit_cast<std::uint64_t>(v);
        };
        return code == o.code && stat == o.stat && eq(b, o.b) && eq(z, o.z) && eq(H, o.H) && eq(phi, o.phi) &&
               eq(gamma, o.gamma) && eq(c, o.c) && eq(k, o.k) && eq(grd, o.grd) && eq(dx, o.dx);
    }
};

// The breakpoints of one node. Each model fills the values it uses.
struct SandPoints {
    double H = 0;               // depth of the resistance
    double A = 0, B = 0;        // coefficients of pu and pm (API sand: the loading factor in A)
    double pst = 0, pcd = 0;    // sand: wedge and flow-around resistances
    double pus = 0, pdeep = 0;  // API sand: shallow and deep resistances
    double pphi = 0, pc = 0;    // silt: frictional and cohesive parts
    double pu = 0, pm = 0;      // ultimate resistance (API sand: A pu) and the resistance at ym
    double ym = 0, yu = 0;      // deflections of pm and pu
    double m = 0, n = 0, C = 0, yk = 0;  // straight piece, parabola C y^(1/n), end of the initial line
    double es0 = 0;             // limit modulus (sand, API sand)
    bool none = true;           // the node carries no resistance
    bool flat = false;          // silt: pm = pu, the curve holds pm from the initial line on
};

// One entry per node of a pile (1 .. MAXINC + 1) and one for the cap pass.
class SandMemo {
public:
    struct Entry {
        SandKey key;
        SandPoints points;
    };

    // The entry of node k (the cap pass: cap true), null beyond the table.
    Entry* slot(bool cap, int k) {
        if (cap) return &entries_[0];
        if (k < 1 || k > MAXINC + 1) return nullptr;
        return &entries_[static_cast<std::size_t>(k)];
    }

private:
    std::array<Entry, MAXINC + 2> entries_{};
};

// The breakpoints of a node: the memo's when they were formed from the same
// key, else those that `form` writes into `points`, then kept in the memo.
template <class Form>
void sand_points(SandMemo& memo, bool cap, int k, const SandKey& key, SandPoints& points, Form&& form) {
    SandMemo::Entry* e = memo.slot(cap, k);
    if (e && e->key.same(key)) {
        points = e->points;
        return;
    }
    form();
    if (e) {
        e->key = key;
        e->points = points;
    }
}

}  // namespace zolan
