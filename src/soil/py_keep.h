// Per-node constants of the p-y curves kept between the secant solves of one
// lateral solution. Within one solution of a pile nothing that a node's curve
// is formed from changes (node depth and position, diameter, soil values,
// equivalent depth, loading, multipliers of the depth tables): only the
// deflection does. The first evaluation of the solution forms each node as
// always (soil lookups, section diameter, ultimate resistance and the curve's
// constants, the running sum) and keeps the frame's values and the model's
// state after the node; every later evaluation of the same solution puts
// them back and evaluates the curve at the new deflection, with the same bits.
//
// Keeping starts with each lateral solution (PYBIND) and holds only for it
// and its pile row: a work that was not bound for a solution keeps nothing,
// and every lateral solution must be bound anew, since a case or a stage may
// change what the nodes are formed from. A node is kept only
// when its forming raised no block on the row's report, so every warning is
// raised as often as before; a node that failed is never kept.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "model/limits.h"

namespace zolan {

// The state of a model after a node, copied member by member in the order
// the model's keep hook lists them: into the kept bytes (save) or back.
class PyKeepIO {
public:
    static constexpr std::size_t BYTES = 320;

    PyKeepIO(std::byte* data, bool save) : data_(data), save_(save) {}

    // Copies each member; false when the members do not fit (nothing is kept then).
    template <class... T>
    bool operator()(T&... v) {
        static_assert((std::is_trivially_copyable_v<T> && ...));
        constexpr std::size_t size = (sizeof(T) + ...);
        if (!ok_ || off_ + size > BYTES) return ok_ = false;
        std::byte* at = data_ + off_;
        if (save_) ((std::memcpy(at, &v, sizeof(T)), at += sizeof(T)), ...);
        else ((std::memcpy(&v, at, sizeof(T)), at += sizeof(T)), ...);
        off_ += size;
        return true;
    }

private:
    std::byte* data_;
    bool save_;
    bool ok_ = true;
    std::size_t off_ = 0;
};

// One node visit of an evaluation: which node it was, the frame's values and
// the model's state after it.
struct PyKeptNode {
    bool valid = false;
    int layer = 0, k = 0;
    bool cap = false;
    double x = 0, a = 0, z = 0, zeq = 0, b = 0, pm = 1, ym = 1;
    int s = 0;
    alignas(8) std::array<std::byte, PyKeepIO::BYTES> state{};
};

// The kept nodes of one lateral solution, in the order an evaluation visits
// them (layer by layer, the cap pass before the pile pass, node by node).
class PyKeep {
public:
    // Room for every node of a pile, a second visit of each layer boundary
    // and the cap pass; visits beyond it are formed every time.
    static constexpr int ENTRIES = MAXINC + 1 + MAXLAY + 1;

    // A new lateral solution of pile row `pile`: nothing kept yet, keeping on
    // for that row's evaluations.
    void start(int pile) {
        on_ = true;
        pile_ = pile;
        next_ = 0;
        for (PyKeptNode& e : entries_) e.valid = false;
    }
    bool on(int pile) const { return on_ && pile == pile_; }
    // Visits kept so far.
    int kept() const {
        int n = 0;
        for (const PyKeptNode& e : entries_) n += e.valid;
        return n;
    }
    // A new evaluation: visits count from the first again.
    void rewind() { next_ = 0; }
    // The entry of the next visit, null beyond the room.
    PyKeptNode* next() { return next_ < ENTRIES ? &entries_[static_cast<std::size_t>(next_++)] : nullptr; }

private:
    bool on_ = false;
    int pile_ = 0;
    int next_ = 0;
    std::array<PyKeptNode, ENTRIES> entries_{};
};

}  // namespace zolan
