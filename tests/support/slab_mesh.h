// A rectangular slab mesh of nx x ny eight-node elements of a x b, straight
// into the slab program's control block and work tables: nodes row by row
// (corner rows of 2 nx + 1 nodes, midside rows of nx + 1), elements row by
// row, material 1, nvfix restraint records left for the caller.
#pragma once

#include <functional>

#include "flexcap/slab_tables.h"

namespace zolan::test {

// `counts` may set further counts of the deck before the tables are taken.
inline void slab_mesh(int nx, int ny, double a, double b, int nvfix,
                      const std::function<void(SlabControl&)>& counts = {}) {
    reset_flexcap_tables();
    SlabControl& c = FCCTRL;
    c.NNODE = 8;
    c.NGAUS = 2;
    c.NMATS = 1;
    c.NVFIX = nvfix;
    c.NELEM = nx * ny;
    c.NPOIN = (ny + 1) * (2 * nx + 1) + ny * (nx + 1);
    if (counts) counts(c);
    FCFIXV(c);
    int ISTAT = 0;
    FCALLOC(ISTAT);
    // First node of row r (r = 0 .. 2 ny) and the node coordinates.
    auto base = [&](int r) { return (r / 2) * (3 * nx + 2) + (r % 2) * (2 * nx + 1) + 1; };
    for (int r = 0; r <= 2 * ny; ++r) {
        const int count = r % 2 == 0 ? 2 * nx + 1 : nx + 1;
        for (int k = 0; k < count; ++k) {
            FCTAB.XYNOD(1, base(r) + k) = (r % 2 == 0 ? 0.5 * k : k) * a;
            FCTAB.XYNOD(2, base(r) + k) = 0.5 * r * b;
        }
    }
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            const int e = j * nx + i + 1, lo = base(2 * j), mid = base(2 * j + 1), hi = base(2 * j + 2);
            const int nodes[8] = {lo + 2 * i, lo + 2 * i + 2, hi + 2 * i + 2, hi + 2 * i, lo + 2 * i + 1, mid + i + 1, hi + 2 * i + 1, mid + i};
            for (int k = 1; k <= 8; ++k) FCTAB.ICONN(k, e) = nodes[k - 1];
            FCTAB.IMATE(e) = 1;
            FCTAB.IELLAB(e) = e;
        }
    for (int n = 1; n <= c.NPOIN; ++n) FCTAB.INDLAB(n) = n;
}

}  // namespace zolan::test
