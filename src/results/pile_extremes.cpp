// Plot-data effect rows and along-pile extremes of one pile.
#include "results/pile_extremes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "report/fortran_format.h"
#include "report/run_files.h"
#include "results/effects_table.h"

namespace zolan {
namespace {

const fmt::Format FLAGS(R"((I10, 30I5))");
const fmt::Format NODE(R"((6X, 1P, 26G16.8))");

}  // namespace

void EFFPLT(int last, int curve, int kaxvar, int icomb, int nantyp, double h, const EFFREC& rec) {
    // 1-4. Every quantity the model and the pile provide.
    QSEL flags;
    flags.fill(1);
    drop_unprovided(flags, curve, kaxvar, icomb, nantyp);
    // 5. The flag line.
    std::vector<fmt::Item> items;
    items.reserve(MAXNQ + 1);
    items.emplace_back(MAXNQ);
    for (int q = 1; q <= MAXNQ; ++q) items.emplace_back(flags(q));
    io::write_fmt(PLOTDATA, FLAGS, items);
    // 6. One line per node row, the head first.
    last = std::min(last, MAXNOD);
    auto shown = [](double v) { return std::fabs(v) < 1.0e-50 ? 0.0 : v; };
    for (int r = 4; r <= last; ++r) {
        items.clear();
        items.emplace_back(shown((r - 4) * h));
        for (int q = 1; q <= MAXNQ; ++q)
            if (flags(q) == 1) items.emplace_back(shown(rec(r, q)));
        io::write_fmt(PLOTDATA, NODE, items);
    }
}

PILEXT pile_extremes(int last, double h, const EFFREC& rec) {
    PILEXT e;
    last = std::min(last, MAXNOD);
    if (last < 4) return e;
    // 1. The head: both extremes its values, both depths 0.
    for (int q = 1; q <= MAXNQ; ++q) e.vmin(q) = e.vmax(q) = rec(4, q);
    // 2. Deeper nodes replace an extreme only when strictly beyond it.
    for (int r = 5; r <= last; ++r) {
        const double d = (r - 4) * h;
        for (int q = 1; q <= MAXNQ; ++q) {
            const double v = rec(r, q);
            if (v < e.vmin(q)) {
                e.vmin(q) = v;
                e.dmin(q) = d;
            }
            if (v > e.vmax(q)) {
                e.vmax(q) = v;
                e.dmax(q) = d;
            }
        }
    }
    return e;
}

void EFFEXT(int p, int last, double h, const EFFREC& rec) { write_extreme_records(p, pile_extremes(last, h, rec)); }

}  // namespace zolan
