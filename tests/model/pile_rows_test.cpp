// Loops over pile rows: the rows' blocks reach the files in row order, the
// status is the lowest row's first code and the error word the last row's,
// whatever the thread count; a fault inside a row stays inside the loop; a
// stop request ends a stoppable loop between rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "model/curve_tables.h"
#include "model/pile_rows.h"
#include "model/status_codes.h"
#include "pile/axial_distribution.h"
#include "pile/node_mesh.h"
#include "pile/user_py_sets.h"
#include "report/stop_request.h"
#include "soil/soil_lookup.h"
#include "support/axial_cycle.h"
#include "support/py_fixture.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

const fmt::Format F_ROW("(\"ROW\",I5)");

// The fold rules on made-up rows (row r's action by r, 20 rows).
TEST(PileRows, FoldFollowsRowOrder) {
    struct Case {
        const char* what;
        int status_at, status_code;  // row and code of the first status (row + 2 sets another)
        int kerr_at1, kerr_at2;      // rows leaving error words 1 and 4
        int throw_at;                // row whose body throws (0: none)
        int istat, kerr;             // the folded words
    };
    const Case cases[] = {
        {"no status", 0, 0, 0, 0, 0, 0, 0},
        {"status of row 17 only", 17, ISDPHI, 0, 0, 0, ISDPHI, 0},
        {"last error word in row order", 0, 0, 19, 3, 0, 0, 1},
        {"a later row's error word keeps the no-closure word", 0, 0, 3, 19, 0, 0, 1},
        {"a fault before the status", 12, ISDPHI, 0, 0, 5, ISINTERN, 0},
        {"a fault after the status", 3, ISDGAM, 0, 0, 9, ISDGAM, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int nt : {1, 2, 8}) {
            test::TempDir dir;
            ASSERT_TRUE(io::open_unit(RESFILE, "res.txt", {}));
            int istat = 0, kerr = 0;
            for_pile_rows(1, 20, nt, istat, kerr, [&c](int r, RowReport& rep) {
                row_block({RESFILE}, F_ROW, {r});
                if (r == c.status_at) {
                    set_status_once(rep.istat, c.status_code);
                    set_status_once(rep.istat, ISDTIP);  // a later code of the same row is kept out
                }
                if (c.status_at > 0 && r == c.status_at + 2) set_status_once(rep.istat, ISDBPH);
                if (r == c.kerr_at1) rep.kerr = 1;
                if (r == c.kerr_at2) rep.kerr = 4;
                if (r == c.throw_at) throw std::runtime_error("row fault");
            });
            io::close_unit(RESFILE);
            EXPECT_EQ(istat, c.istat) << nt << " threads";
            EXPECT_EQ(kerr, c.kerr) << nt << " threads";
            std::string rows;
            for (int r = 1; r <= 20; ++r) rows += "ROW" + std::string(r < 10 ? "    " : "   ") + std::to_string(r) + "\n";
            EXPECT_EQ(test::read_file("res.txt"), rows) << nt << " threads";
        }
    }
}

// A status set before the loop is kept; a loop inside a loop, or over rows
// outside the slots, runs nothing and reports an internal fault.
TEST(PileRows, KeptStatusAndMisuse) {
    int istat = ISSTOP, kerr = 0;
    for_pile_rows(1, 4, 2, istat, kerr, [](int, RowReport& rep) { rep.istat = ISDPHI; });
    EXPECT_EQ(istat, ISSTOP);

    int inner = 0, ran = 0;
    istat = 0;
    for_pile_rows(1, 1, 1, istat, kerr, [&](int, RowReport&) {
        for_pile_rows(1, 3, 1, inner, kerr, [&](int, RowReport&) { ++ran; });
    });
    EXPECT_EQ(inner, ISINTERN);
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(istat, 0);

    for (auto [first, last] : {std::pair{0, 3}, std::pair{1, MAXPIL + 1}}) {
        istat = 0;
        for_pile_rows(first, last, 1, istat, kerr, [&](int, RowReport&) { ++ran; });
        EXPECT_EQ(istat, ISINTERN);
        EXPECT_EQ(ran, 0);
    }
}

// A stop request read between the rows of a stoppable loop: the rows not yet
// begun are skipped and the loop leaves nothing but status 4 (no block, no
// status or error word of the rows that ran); a loop that is not stoppable
// never reads the request. The front end writes 1 into the stop-request file
// after the third read (the throttle passing every call): one thread then
// runs rows 1 to 3 of the 200; on more threads each thread stops within its
// block.
int stop_after = 0;
void write_stop_after(int reads) {
    if (reads == stop_after) test::write_file("stop.txt", "1\n");
}

TEST(PileRows, StopBetweenRows) {
    test::Seams seams;
    test::TempDir dir;
    FSTOP = "stop.txt";
    STOP_INTERVAL = 0.0;
    STOPREAD_HOOK = write_stop_after;
    stop_after = 3;
    for (const bool stoppable : {false, true}) {
        for (int nt : {1, 2, 8}) {
            SCOPED_TRACE(std::to_string(nt) + " threads, stoppable " + std::to_string(stoppable));
            test::write_file("stop.txt", "");
            reset_stop_request();
            ASSERT_TRUE(io::open_unit(RESFILE, "res.txt", {}));
            int istat = 0, kerr = 0;
            std::vector<int> ran(201, 0);
            for_pile_rows(
                1, 200, nt, istat, kerr,
                [&ran](int r, RowReport& rep) {
                    // A row's work takes longer than a read, so that the
                    // reads go round the threads.
                    std::this_thread::sleep_for(std::chrono::microseconds(500));
                    ran[static_cast<std::size_t>(r)] = 1;
                    row_block({RESFILE}, F_ROW, {r});
                    rep.kerr = 1;
                    if (r == 1) set_status_once(rep.istat, ISDPHI);
                },
                stoppable);
            io::close_unit(RESFILE);
            const int rows = std::count(ran.begin(), ran.end(), 1);
            if (!stoppable) {
                EXPECT_EQ(rows, 200);
                EXPECT_EQ(istat, ISDPHI);
                EXPECT_EQ(kerr, 1);
                EXPECT_FALSE(STOPSEEN());
                continue;
            }
            EXPECT_TRUE(STOPSEEN());
            EXPECT_EQ(istat, ISSTOP);
            EXPECT_EQ(kerr, 0);
            EXPECT_EQ(test::read_file("res.txt"), "");
            if (nt == 1) EXPECT_TRUE(ran[1] && ran[2] && ran[3] && rows == 3);
            else EXPECT_LT(rows, 200);
        }
    }
    reset_stop_request();
}

// What a row of the large loop below raises.
enum Kind { LOOKUPS, SAND, SILT, ROCK, VUGGY, USER, MESH, TIP, AXIAL, NKIND };
// The first status each kind sets in its row (0: warnings only).
constexpr int KIND_STATUS[NKIND] = {ISDPHI, ISSANDPH, ISSILTSL, ISWROCK, 0, 0, ISPLEN, ISLSCOH, 0};
constexpr int ROWS = 500, FIRST_STATUS_ROW = 250;

// Rows below FIRST_STATUS_ROW raise warnings without a status; from it on
// every kind in turn.
Kind kind_of(int r) {
    static constexpr Kind quiet[3] = {VUGGY, USER, AXIAL};
    return r < FIRST_STATUS_ROW ? quiet[r % 3] : static_cast<Kind>(r % NKIND);
}

// The model of the large loop: 500 pile rows of diameter 12 and 15
// increments of 12 (nodes 0 .. 180), each in six layers: sound sand (0-30),
// sand without friction (30-60), silt without friction (60-90), rock without
// strength (90-120), vuggy limestone without strength (120-150) and user
// curves (150-180) of a set that ends at 160; property set 2 a pile longer
// than the profile, set 3 a one-increment shaft for the axial distribution.
void lay_out_rows() {
    test::reset_py_model();
    reset_curve_tables();
    test::one_pile(12, 12, 15);
    struct Layer { int code; double top, bot, phi, c; };
    const Layer layers[] = {{4, 0, 30, 35, 0},  {4, 30, 60, 0, 0},  {7, 60, 90, 0, 0},
                            {9, 90, 120, 0, 0}, {6, 120, 150, 0, 0}, {5, 150, 180, 0, 0}};
    int L = 0;
    for (const Layer& l : layers) {
        test::soil_layer(++L, l.code, l.top, l.bot);
        test::layer_value(SCGAM, L, 0.0361);
        test::layer_value(SCPHI, L, l.phi * (3.141592653589793 / 180.0));
        test::layer_value(SCK, L, 90.0);
        test::layer_value(SCCOH, L, l.c);
        test::layer_value(SCJ, L, 5.0);
    }
    test::nodes_by_depth();
    IPYSET(1) = -1;
    UPYNCV(1) = 2;
    for (int j : {1, 2}) {
        UPYDEP(1, j) = j == 1 ? 150.0 : 160.0;
        UPYNPT(1, j) = 2;
        UPYY(1, j, 2) = 1.0;
        UPYP(1, j, 2) = 10.0 * j;
    }
    NPILES = ROWS;
    for (int r = 2; r <= ROWS; ++r) test::copy_pile_row(1, r);
    // Property set 2: 240 long, beyond the profile's bottom at 180.
    PLENP(2) = 240.0;
    NINCR(2) = 20;
    HINCR(2) = 12.0;
    // Property set 3: one increment of 100 with the t-z curve of a mid-point
    // iteration that cannot converge, and a one-point load-settlement table.
    PLENP(3) = 100.0;
    NINCR(3) = 1;
    NLSPT = 19;
    LSTAB(3, 19, 1) = LSTAB(3, 19, 3) = 1.0;
}

// Row r's work: the routines of its kind, with the row's own status word.
void row_work(int r, RowReport& rep) {
    static const PyControls analysis;
    PyWork w{1, r, r};
    w.y.fill(0.5);
    w.report = &rep;
    int& istat = rep.istat;
    switch (kind_of(r)) {
        case LOOKUPS: {
            const double x = 200.0 + r;  // below the profile
            PHICRV(x, istat);
            CCRV(x, istat);
            FMAXCRV(x, istat);
            GAMAVG(x, istat);
            TIPMXCRV(x, istat);
            BPHICRV(x, istat);
            CAVG(x, istat);
            KDEF(x);
            break;
        }
        case SAND: PYSAND(analysis, 2, w, istat); break;
        case SILT: PYSILT(analysis, 3, w, istat); break;
        case ROCK: PYROCK(analysis, 4, w, istat); break;
        case VUGGY: PYVUGGY(analysis, 5, w, istat); break;
        case USER: PYUSER(analysis, 6, w, istat); break;
        case MESH:
            IPROP(r) = 2;
            NODE(r, istat);
            break;
        case TIP: {
            AXTIP qw;
            TIPQW(1, 12.0 + r / 100.0, 12.0, 1, 1.0, 12.0, 12.0, 30.0, istat, qw);
            break;
        }
        case AXIAL: {
            const AXSAMP s = test::midpoint_cycle_samples();
            AXTIP qw;
            for (int k = 2; k <= NQWPT; ++k) qw.W(k) = k;
            SLOTVEC WN, PN, ys, m1, m2, ess, esms, ps;
            AXDIST(r, 3, 3.0, WN, PN, s, qw, rep);
            UPYMOD(analysis, r, ys, ess, m1, m2, esms, ps, rep);
            break;
        }
        case NKIND: break;
    }
}

struct LoopRun {
    int istat = 0, kerr = 0;
    std::vector<int> row_status = std::vector<int>(ROWS + 1, -1);
    std::string res, run, echo;
};

LoopRun run_rows(int nthreads) {
    lay_out_rows();
    test::TempDir dir;
    for (auto [unit, name] : {std::pair{RESFILE, "res.txt"}, std::pair{RUNFILE, "run.txt"},
                              std::pair{ECHOFILE, "echo.txt"}})
        EXPECT_TRUE(io::open_unit(unit, name, {}));
    LoopRun out;
    for_pile_rows(1, ROWS, nthreads, out.istat, out.kerr, [&out](int r, RowReport& rep) {
        row_work(r, rep);
        out.row_status[r] = rep.istat;
    });
    for (int unit : {RESFILE, RUNFILE, ECHOFILE}) io::close_unit(unit);
    out.res = test::read_file("res.txt");
    out.run = test::read_file("run.txt");
    out.echo = test::read_file("echo.txt");
    return out;
}

std::size_t count_of(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// 500 rows raising the warnings and statuses of every soil and pile routine
// that reports from inside the loops: the same files and status on 1, 2 and
// 8 threads, each row with its own first code, the run status that of row 250.
TEST(PileRows, SameFilesAndStatusOnAnyThreadCount) {
    const LoopRun one = run_rows(1);
    for (int r = 1; r <= ROWS; ++r) ASSERT_EQ(one.row_status[r], KIND_STATUS[kind_of(r)]) << "row " << r;
    EXPECT_EQ(one.istat, KIND_STATUS[kind_of(FIRST_STATUS_ROW)]);
    EXPECT_EQ(one.kerr, 1);  // each axial row leaves the user-curve word 1 after the distribution's 4
    std::size_t users = 0, axials = 0;
    for (int r = 1; r <= ROWS; ++r) {
        users += kind_of(r) == USER;
        axials += kind_of(r) == AXIAL;
    }
    EXPECT_EQ(count_of(one.echo, "VUGGY"), 1u);  // once per layer and run
    EXPECT_EQ(count_of(one.echo, "     P-Y CURVES DO NOT EXTEND"), users);
    EXPECT_EQ(count_of(one.res, "  -  P-Y CURVES DO NOT EXTEND"), axials);
    EXPECT_EQ(count_of(one.res, "MID-POINT ITERATION DID NOT CONVERGE"), axials);
    for (int nt : {2, 8}) {
        const LoopRun many = run_rows(nt);
        EXPECT_EQ(many.istat, one.istat) << nt << " threads";
        EXPECT_EQ(many.kerr, one.kerr) << nt << " threads";
        EXPECT_EQ(many.row_status, one.row_status) << nt << " threads";
        EXPECT_TRUE(many.res == one.res) << nt << " threads: results report differs";
        EXPECT_TRUE(many.run == one.run) << nt << " threads: runtime file differs";
        EXPECT_TRUE(many.echo == one.echo) << nt << " threads: echo differs";
    }
    test::reset_py_model();
    reset_curve_tables();
}

}  // namespace
}  // namespace zolan
