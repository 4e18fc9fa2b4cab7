// The one way to run a loop over pile rows in parallel. Every row works with
// its own row report (report/row_report.h), held in a preallocated slot per
// row; the worker threads write nothing shared but their rows' own slots.
// After the loop, on the calling thread and in row order, each row's blocks
// are written to their files, the status and the error word are folded:
//   - ISTAT, when 0, takes the status of the lowest-numbered row that set one
//     (within a row, the first code the row set), which is what a run of the
//     rows one after another on one thread gives;
//   - the error word takes, row after row, every non-zero value a row left
//     (the last such row's value stands), except that once it holds 1 (a
//     pile that did not close) no later row's lower-priority value replaces it;
//   - a row whose body threw (nothing may cross the parallel region) counts
//     as status 40, internal fault, at its place in the row order.
// The result is therefore the same for every thread count.
#pragma once

#include <type_traits>

#include "model/limits.h"
#include "report/row_report.h"

namespace zolan {

// A non-owning reference to the loop body: body(row, report).
class RowBody {
public:
    template <class F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, RowBody>)
    RowBody(F&& f)  // NOLINT: a lambda converts implicitly
        : obj_(static_cast<void*>(&f)), call_([](void* o, int row, RowReport& rep) {
              (*static_cast<std::remove_reference_t<F>*>(o))(row, rep);
          }) {}
    void operator()(int row, RowReport& rep) const { call_(obj_, row, rep); }

private:
    void* obj_;
    void (*call_)(void*, int, RowReport&);
};

// Runs body(row, report) for rows first .. last (1 <= first, last <= MAXPIL:
// the pile rows and the cap's pseudo-pile row NPILES + 1) on nthreads threads
// (at least 1, at most one per row), static schedule, each row with its own
// cleared report, made the row thread's active report while the body runs. Then folds the reports in row order into the files,
// ISTAT and kerr as above. A loop started inside another (or with rows out of
// range) runs nothing and sets ISTAT to 40.
//
// A stoppable loop (the evaluations of an iteration) reads the stop request
// between rows (STOPROW); once a stop is read, the rows not yet begun are
// skipped, nothing is folded (no block written, the error word unchanged)
// and ISTAT, when 0, is 4: the files are those of a stop read before the
// loop, for any thread count. A loop that is not stopped is unchanged.
void for_pile_rows(int first, int last, int nthreads, int& ISTAT, int& kerr, RowBody body, bool stoppable = false);

// Run reset: every row report empty, with room for a few warning blocks
// taken once (kept from run to run).
void reset_pile_rows();

}  // namespace zolan
