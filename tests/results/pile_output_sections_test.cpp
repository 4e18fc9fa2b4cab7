#include <gtest/gtest.h>

#include <string>

#include "report/fortran_format.h"
#include "results/effects_table.h"
#include "results/english_fixture.h"
#include "results/pile_extremes.h"
#include "results/work_file.h"

namespace zolan {
namespace {

class RowLoopPileOutput : public test::EnglishResults {};

// The output of one pile as the results writers run it: section 0 the
// plot-data block, section 1 the work-file records and the effects table,
// side by side on `threads` threads.
void pile_region(int p, int threads, const QSEL& qsel, const EFFREC& rec) {
    PTOPREC top;
    for (int s = 1; s <= NPTQ; ++s) top(s) = p * 100.0 + s;
#pragma omp parallel sections num_threads(threads)
    {
#pragma omp section
        {
            io::write_fmt(PLOTDATA, R"(("* PILE GROUP *", I6))", {p});
            EFFPLT(14, -1, 1, 2, 3, 12.0 * p, rec);
        }
#pragma omp section
        {
            write_top_records_3d(p, top);
            EFFHDR(0, qsel);
            EFFTAB(qsel, 14, 3, 12.0 * p, rec);
            EFFEXT(p, 14, 12.0 * p, rec);
        }
    }
}

// Each writer keeps its state in its call and its line on its own unit: the
// two sections on two threads give every file the bytes of one thread.
TEST_F(RowLoopPileOutput, TwoSectionsGiveTheBytesOfOneThread) {
    EFFREC rec;
    for (int r = 4; r <= 14; ++r)
        for (int q = 1; q <= MAXNQ; ++q) rec(r, q) = (r - 9) * 1.25e3 * q + 0.5 * q;
    const QSEL qsel = test::selecting({1, 2, 9, 12, 15, 18, 19, 24});
    std::string files[2][3];
    for (int threads = 1; threads <= 2; ++threads) {
        const std::string tag = std::to_string(threads);
        io::open_unit(PLOTDATA, "plot" + tag, {io::Access::Write});
        io::open_unit(RESFILE, "res" + tag, {io::Access::Write});
        io::open_unit(WORKFILE, "work" + tag, {io::Access::Write});
        for (int p = 1; p <= 3; ++p) pile_region(p, threads, qsel, rec);
        io::close_all_units();
        files[threads - 1][0] = test::read_file("plot" + tag);
        files[threads - 1][1] = test::read_file("res" + tag);
        files[threads - 1][2] = test::read_file("work" + tag);
    }
    for (int f = 0; f < 3; ++f) {
        EXPECT_FALSE(files[0][f].empty()) << f;
        EXPECT_EQ(files[1][f], files[0][f]) << f;
    }
    EXPECT_EQ(test::lines_of(files[0][2]).size(), 24u);  // eight records per pile
}

}  // namespace
}  // namespace zolan
