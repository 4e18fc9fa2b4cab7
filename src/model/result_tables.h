// Result sets of the pile rows: the current results RESCUR of the analysis
// being reported and the minimum and maximum envelopes ENVMIN and ENVMAX of
// the current series (the load cases of a run, or its combinations), each a
// RESBLK holding the cap loads and displacements at the origin and, per pile
// row, the pile-top record with its 26th value and the along-pile record.
// Beside them the node springs that the stiffness estimation re-reads.
//
// The pile part of the sets is sized once per run for the run's pile rows,
// on the caller's thread before the analyses (size_result_sets), and freed by
// the run reset; inside an analysis only entries are written, each pile row
// its own.
#pragma once

#include <cstddef>
#include <vector>

#include "model/limits.h"
#include "model/pile_tables.h"
#include "model/table.h"

namespace zolan {

constexpr int MAXNQ = MAXEFF;  // along-pile quantities of an EFFREC (25)
constexpr int NPTQ = 25;       // pile-top values of a PTOPREC
constexpr int PTSTR2 = 26;     // the 26th value of a row: a second copy of the head stress

// Pile-top record: 1-3 head displacement X, Y, Z and 4-6 rotation (global
// axes), 7-9 reaction force and 10-12 moment (global), 13 head stress,
// 14-16 displacement x, y, z and 17-19 rotation (pile axes), 20-22 axial and
// lateral forces, 23-25 torque and moments (pile axes).
using PTOPREC = Table1<double, NPTQ>;
// Along-pile record: node row (1..MAXNOD, real nodes 4..N+4) by quantity
// (1..MAXNQ, the columns of the along-pile tables).
using EFFREC = Table2<double, MAXNOD, MAXNQ>;

// One result set. The pile part of each row is kept together (node row
// fastest, then quantity), so that each pile row of a parallel loop writes
// one block of its own.
class RESBLK {
public:
    CAPVEC capload;  // cap loads at the origin (not used in RESCUR)
    CAPVEC capdisp;  // cap displacements at the origin (not used in RESCUR)

    // Pile-top value `slot` (1..NPTQ, or PTSTR2) of pile row `pile`.
    double& top(int pile, int slot) { return top_[top_at(pile, slot)]; }
    double top(int pile, int slot) const { return top_[top_at(pile, slot)]; }
    // Along-pile quantity q (1..MAXNQ) at node row `node` (1..MAXNOD) of pile row `pile`.
    double& eff(int pile, int node, int q) { return eff_[eff_at(pile, node, q)]; }
    double eff(int pile, int node, int q) const { return eff_[eff_at(pile, node, q)]; }

    int rows() const { return rows_; }        // pile rows the set holds
    void size(int npiles);                    // hold npiles rows (0..MAXPIL), everything zero
    void zero();                              // every value of the set to zero, the size kept
    void release();                           // no rows, the memory given back

private:
    std::size_t top_at(int pile, int slot) const {
        ZOLAN_CHECK_INDEX(pile, 1, rows_);
        ZOLAN_CHECK_INDEX(slot, 1, PTSTR2);
        return static_cast<std::size_t>(pile - 1) * PTSTR2 + (slot - 1);
    }
    std::size_t eff_at(int pile, int node, int q) const {
        ZOLAN_CHECK_INDEX(pile, 1, rows_);
        ZOLAN_CHECK_INDEX(node, 1, MAXNOD);
        ZOLAN_CHECK_INDEX(q, 1, MAXNQ);
        return (static_cast<std::size_t>(pile - 1) * MAXNQ + (q - 1)) * MAXNOD + (node - 1);
    }

    int rows_ = 0;
    std::vector<double> top_, eff_;
};

// RESCUR: the pile-top part PTOPRES and the along-pile part EFFRES.
// ENVMIN: CAPMIN (capload, capdisp), PTOPMIN, EFFMIN. ENVMAX likewise.
extern RESBLK RESCUR, ENVMIN, ENVMAX;

// The envelope rule for one stored component v with its stored minimum m
// and maximum M: the first reported analysis of a series (nanal = 1) sets
// both; a later one widens them by the signed value, strictly (an equal value
// changes nothing, a value that is not a number replaces nothing). The caller
// then stores v into the current set, where there is one.
inline void envelope_rule(int nanal, double v, double& m, double& M) {
    if (nanal == 1) {
        m = v;
        M = v;
        return;
    }
    if (v > M) M = v;
    if (v < m) m = v;
}

// Node springs of pile row p re-read from the equivalent-stiffness file:
// EQKNODR(p, k) for real node k = 1..N+1 (node k is node row k + 3), the
// re-read modulus times the node's tributary length.
extern Table2<double, MAXPIL, MAXNOD> EQKNODR;

// Size the pile part of RESCUR, ENVMIN and ENVMAX for npiles rows, all zero.
// Once per run, on the caller's thread, before the first analysis.
void size_result_sets(int npiles);
// Run reset: the sets hold no rows and their cap parts are zero; EQKNODR zero.
void reset_result_tables();

}  // namespace zolan
