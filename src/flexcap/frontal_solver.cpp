#include "flexcap/slab_program.h"

#include <cmath>

#include "model/run_state.h"
#include "model/status_codes.h"
#include "report/run_files.h"

namespace zolan {

namespace {

// Packed upper triangle of the front matrix, by columns.
inline long packed(int i, int j) { return i <= j ? static_cast<long>(j) * (j - 1) / 2 + i : static_cast<long>(i) * (i - 1) / 2 + j; }

// Last appearance of every node: its entry in the last element that holds it
// is negated (the node's equations are eliminated there); undone on every path.
struct LastAppearance {
    ITab& ICONN;
    const SlabControl& c;
    LastAppearance(ITab& conn, const SlabControl& ctl) : ICONN(conn), c(ctl) {
        for (int n = 1; n <= c.NPOIN; ++n) {
            for (int e = c.NELEM; e >= 1; --e) {
                int kk = 0;
                for (int k = 1; k <= c.NNODE; ++k)
                    if (ICONN(k, e) == n) kk = k;
                if (kk == 0) continue;
                ICONN(kk, e) = -n;
                break;
            }
        }
    }
    ~LastAppearance() {
        for (int e = 1; e <= c.NELEM; ++e)
            for (int k = 1; k <= c.NNODE; ++k) ICONN(k, e) = std::abs(ICONN(k, e));
    }
};

// Front position of variable v: the one it holds, else the lowest free one.
int front_position(int v, int& width, SlabTables& t) {
    int free = 0;
    for (int p = 1; p <= width; ++p) {
        if (t.FRVAR(p) == v) return p;
        if (free == 0 && t.FRVAR(p) == 0) free = p;
    }
    if (free == 0) free = ++width;
    t.FRVAR(free) = v;
    return free;
}

// Eliminates the equation at front position j (variable v); false on a zero
// or undefined pivot (after its message) or a failed scratch write.
bool eliminate(int j, int v, int& width, SlabTables& t, RTab& REACT, int& ISTAT) {
    // 1. The column of the front matrix at j, cleared from the front.
    for (int i = 1; i <= width; ++i) {
        t.EQROW(i) = t.FRSTF(packed(i, j));
        t.FRSTF(packed(i, j)) = 0;
    }
    for (int i = width + 1; i <= FCCTRL.MFRON; ++i) t.EQROW(i) = 0;
    const double pivot = t.EQROW(j), rhs = t.FRRHS(j);
    t.FRRHS(j) = 0;
    // 2. A zero or undefined pivot is fatal; a negative one is accepted.
    if (pivot == 0 || std::isnan(pivot)) {
        io::write_fmt(FCLSFILE, R"((" ",3X,"NEGATIVE OR ZERO PIVOT ENCOUNTERED FOR VARIABLE NO. ",I4," OF VALUE ",E17.6))", {v, pivot});
        slab_fatal(ISTAT);
        return false;
    }
    if (t.IRCOD(v) == 1) {
        // 3. Restrained: the prescribed value moves to the right-hand sides.
        const double z = REACT(v);
        for (int i = 1; i <= width; ++i)
            if (i != j) t.FRRHS(i) -= t.EQROW(i) * z;
    } else {
        // 4. Free: Gauss elimination of the front.
        for (int i = 1; i <= width; ++i) {
            if (i == j) continue;
            const double a = t.EQROW(i);
            t.FRRHS(i) -= a * rhs / pivot;
            if (std::fabs(a) < 1.0E-30) continue;
            for (int l = i; l <= width; ++l)
                if (l != j) t.FRSTF(packed(i, l)) -= a * t.EQROW(l) / pivot;
        }
    }
    // 5-6. The record, and the position set free.
    if (!t.FCSCR2.write(&t.EQROW(1), rhs, j, v)) {
        FAILTXT.push_back(std::string("    ") + FCSCR2NAME + ": the scratch file could not be written");
        if (ISTAT == ISOK) ISTAT = ISFILE;
        return false;
    }
    t.FRVAR(j) = 0;
    while (width > 0 && t.FRVAR(width) == 0) --width;
    return true;
}

// Assembles element e into the front and eliminates the variables of the
// nodes whose last element it is.
bool assemble_element(int e, int& width, RTab& ELLOD, RTab& REACT, RTab& ELSTF, ITab& ICONN, int& ISTAT) {
    const SlabControl& c = FCCTRL;
    SlabTables& t = FCTAB;
    // 1. Front positions of the element's variables.
    for (int k = 1; k <= c.NNODE; ++k)
        for (int i = 1; i <= c.NDOFN; ++i) {
            const int a = (k - 1) * c.NDOFN + i;
            t.FRPOS(a) = front_position((std::abs(ICONN(k, e)) - 1) * c.NDOFN + i, width, t);
        }
    // 2. Upper triangle of the element matrix and the right-hand side.
    for (int b = 1; b <= c.NEVAB; ++b) {
        for (int a = 1; a <= b; ++a) t.FRSTF(packed(t.FRPOS(a), t.FRPOS(b))) += ELSTF(a, b, e);
        t.FRRHS(t.FRPOS(b)) += ELLOD(b, e);
    }
    // 3. Elimination of the variables of last appearances.
    for (int k = 1; k <= c.NNODE; ++k) {
        if (ICONN(k, e) >= 0) continue;
        for (int i = 1; i <= c.NDOFN; ++i) {
            const int a = (k - 1) * c.NDOFN + i;
            if (!eliminate(t.FRPOS(a), (-ICONN(k, e) - 1) * c.NDOFN + i, width, t, REACT, ISTAT)) return false;
        }
    }
    return true;
}

}  // namespace

// Frontal solution: elements enter the front in number order, a variable is
// eliminated after its node's last element and its equation goes to the
// scratch file; the back substitution reads the equations in reverse order.
void FCSOLV(RTab& FXVAL, RTab& DSDIS, RTab& ELLOD, ITab& IFXND, RTab& REACT, RTab& ELSTF, ITab& IFXCD, ITab& ICONN,
            int& ISTAT) {
    const SlabControl& c = FCCTRL;
    SlabTables& t = FCTAB;
    // 1. Prescribed values and restraint codes.
    REACT.fill(0);
    t.IRCOD.fill(0);
    for (int r = 1; r <= c.NVFIX; ++r)
        for (int i = 1; i <= c.NDOFN; ++i) {
            const int v = (IFXND(r) - 1) * c.NDOFN + i;
            t.IRCOD(v) = IFXCD(i, r);
            // Only a restrained variable carries its prescribed value: a free
            // one of a restrained node returns a reaction of 0.
            if (IFXCD(i, r) == 1) REACT(v) = FXVAL(i, r);
        }
    // 2. Last appearances (restored when this call ends).
    const LastAppearance marks(ICONN, c);
    // 3. Empty front, scratch at its start.
    for (RTab* v : {&t.FRSTF, &t.FRRHS, &t.EQROW, &t.FRVAL}) v->fill(0);
    t.FRVAR.fill(0);
    t.FCSCR2.rewind();
    int width = 0;
    // 4. Assembly and elimination, element by element.
    for (int e = 1; e <= c.NELEM; ++e)
        if (slab_stop(ISTAT) || !assemble_element(e, width, ELLOD, REACT, ELSTF, ICONN, ISTAT)) return;
    // 5. Back substitution from the last equation to the first (the stop
    //    request read between equations: a large mesh's equations fill
    //    hundreds of megabytes).
    double rhs = 0;
    int j = 0, v = 0;
    while (t.FCSCR2.records() > 0) {
        if (slab_stop(ISTAT)) return;
        if (!t.FCSCR2.read_back(&t.EQROW(1), rhs, j, v)) {
            FAILTXT.push_back(std::string("    ") + FCSCR2NAME + ": the scratch file could not be read back");
            if (ISTAT == ISOK) ISTAT = ISFILE;
            return;
        }
        if (t.IRCOD(v) == 1) {
            const double z = REACT(v);
            t.FRVAL(j) = z;
            double s = 0;
            for (int i = 1; i <= c.MFRON; ++i) s += t.EQROW(i) * t.FRVAL(i);
            REACT(v) = s - rhs;
            DSDIS(v) = z;
        } else {
            double s = rhs;
            for (int i = 1; i <= c.MFRON; ++i)
                if (i != j) s -= t.EQROW(i) * t.FRVAL(i);
            t.FRVAL(j) = s / t.EQROW(j);
            DSDIS(v) = t.FRVAL(j);
        }
    }
    t.FCSCR2.rewind();
}

}  // namespace zolan
