#include <gtest/gtest.h>

#include <omp.h>

#include <map>
#include <string>

#include "control/control.h"
#include "control/report_header.h"
#include "model/case_tables.h"
#include "model/run_state.h"
#include "support/fixed_run.h"
#include "support/names_file.h"
#include "support/seams.h"
#include "support/stop_front_end.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// A valid three-dimensional input of `piles` vertical piles in sand, two load
// cases of three distributed-load lines over every row, one combination, one
// generated axial curve and the curve file.
std::string group_input(int piles) {
    std::string s =
        "GROUP WITH DISTRIBUTED LOADS\nVERSION 1\nCONTROL INTEGERS\n"
        "1 3 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 1 0\n"
        "PILE CAP\n10.0 10.0 3.0 0.0 0.0 0\nLOAD CASES\n2 0 0 0 0\n";
    for (int i = 1; i <= 2; ++i) {
        s += "0 0 0 1 0 100 200\n1.0E-5 1.0E-5 0.25 0.01\nCASE " + std::to_string(i) +
             "\n0 0 0 0 0 0 0 0\n2 5 1.0 0 0.0 0.0 0 0 0\n0\n"
             "1 1 1 1 0 0 0 0 1 1 1 1 1 1 1 1 1 1 1 0 0 0 0 1 1\n"
             "1\n100000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n3\n";
        for (int m = 1; m <= 3; ++m)
            s += "1 " + std::to_string(m % 2) + " 1 " + std::to_string(piles) + " 1 1 0.5 2 0.25\n";
        s += "0\n";
    }
    s += "LOAD COMBINATIONS\n1 0 0 0 0\n0 0 0 1 0 100 200\n1.0E-5 1.0E-5 0.25 0.01\nBOTH\n0.9 0.9 3\n"
         "2 5 0 0.0 0.0 1 0 0\n0\n1 1 1 1 0 0 0 0 1 1 1 1 1 1 1 1 1 1 1 0 0 0 0 1 1\n2\n1 1.0\n2 1.0\n"
         "DISTRIBUTED LOAD SETS\n2\n2\n0.0 10.0\n20.0 0.0\n3\n0.0 5.0\n10.0 5.0\n30.0 0.0\n"
         "PILE LAYOUT\n" + std::to_string(piles) + "\n";
    for (int r = 0; r < piles; ++r)
        s += "2 2 1 0 0 0 0 0 1 1\n0.0 0.0 1.0 1.0 1.0 1.0 1.0\n0.0 " + std::to_string(3 * (r % 10)) + ".0 " +
             std::to_string(3 * (r / 10)) + ".0 0.0 90.0 0.0 0.0\n";
    s += "PILE PROPERTIES\n1\n1 1\n40 40.0 1\n0.0 40.0 1\nCROSS SECTIONS\n1\n1 1 1 0\n'PIPE 18 IN'\n"
         "18.0 17.0 0.0 0.0 0.0 0.0 0.0 0.0\n11.2E6 27.5 1070.0 1070.0 0.0 2.4E10 5.0E6 3.0E5 29.0E6 0.0 0\n"
         "0 0 0.0 0 0\n'NONE'\nSOIL LAYERS\n1\n1 4\n0.0 60.0\n2 9\n"
         "110.0 0.0 35.0 90.0 0.0 0.0 0.0 500.0 30000.0\n110.0 0.0 35.0 90.0 0.0 0.0 0.0 1500.0 90000.0\n"
         "GENERATED AXIAL LOAD-SETTLEMENT CURVES\n1\n1\nGENERATED TORQUE-ROTATION CURVES\n1\n1\n"
         "MOMENT-CURVATURE OF CROSS SECTIONS\n1\n1 0\n1 0\nCURVE FILE\n10 0 0\n";
    return s;
}

// The front end's part, as a hook after each read of the stop-request file:
// once the progress file has shown `armed_by` (nullptr: from the start), it
// writes 1 into the stop-request file after the first read that follows the
// progress message `stop_when`.
const char* armed_by = nullptr;
const char* stop_when = nullptr;
bool armed = false;
int stop_written_at = 0;
int reads_seen = 0;
int iteration_reads = 0;  // reads after the progress message of a Newton iteration of the cap
std::map<std::string, int> reads_after;  // reads by the progress message before them, up to its colon

void front_end(int reads) {
    reads_seen = reads;
    const std::string shown = test::read_file("progress.txt");
    if (shown.find(" ITERATION:") != std::string::npos) ++iteration_reads;
    ++reads_after[shown.substr(0, shown.find_first_of(":,"))];
    if (stop_when == nullptr || stop_written_at != 0) return;
    const std::string progress = test::read_file("progress.txt");
    armed = armed || armed_by == nullptr || progress.find(armed_by) != std::string::npos;
    if (!armed || progress.find(stop_when) == std::string::npos) return;
    test::write_file("stop.txt", "1\n");
    stop_written_at = reads;
}

// Runs the group input in the current folder with the throttle interval
// given and the front end above.
int run_input(const std::string& input, double interval, const char* when, const char* after = nullptr) {
    test::write_names(test::default_names());
    test::write_file("input.dat", input);
    test::write_file("stop.txt", "");
    STOP_INTERVAL = interval;
    STOPREAD_HOOK = front_end;
    armed_by = after;
    stop_when = when;
    armed = false;
    stop_written_at = reads_seen = iteration_reads = 0;
    reads_after.clear();
    const int status = IZOLAN(2);
    STOP_INTERVAL = 0.25;
    STOPREAD_HOOK = nullptr;
    return status;
}

int run_group(double interval, const char* when, const char* after = nullptr, bool envelopes = false) {
    std::string input = group_input(30);
    if (envelopes) input.replace(input.find("LOAD CASES\n2 0 0 0 0"), 20, "LOAD CASES\n2 1 0 0 0\n25*0");
    return run_input(input, interval, when, after);
}

// A stop written after a progress message (after `after`, when given); the
// read that stops shows `stopped`.
struct LoopCase {
    const char* when;         // the progress message after which the front end writes 1
    const char* after;        // a message that must come first
    const char* stopped;      // the progress message of the read that stops
    const char* status_tail;  // the status file's line before the stop line ("": the file not begun)
    bool envelopes = false;
};

const char* const kStopStatus = "    4 ANALYSIS STOPPED BY USER\n";

// A stopped run's status file and plot data say so at their end, after the
// analysis the stop cut (`tail`, the status file's line before the stop
// line); a stop before the analyses leaves both unbegun.
void expect_stopped_files(const std::string& tail) {
    const std::string notice = "\n      \n      *** ANALYSIS STOPPED BY USER ***\n";
    const std::string status = test::read_file("status.txt"), plot = test::read_file("plotdata.txt");
    if (tail.empty()) {
        EXPECT_EQ(status, "");
        EXPECT_EQ(plot.find("STOPPED"), std::string::npos) << plot;
        return;
    }
    EXPECT_TRUE(status.ends_with("\n" + tail + "\n" + kStopStatus)) << status;
    EXPECT_TRUE(plot.ends_with(notice)) << plot.substr(plot.size() > 400 ? plot.size() - 400 : 0);
}

// Each case ends the run at the loop's next read (the throttle passing every
// call): status 4, the progress file telling where, the run log ending in the
// stop text and its timing, the results report, the status file and the
// plot data in the stop notice.
void expect_stops(std::initializer_list<LoopCase> cases) {
    const std::string notice = "\n      \n      *** ANALYSIS STOPPED BY USER ***\n";
    for (const LoopCase& c : cases) {
        SCOPED_TRACE(c.when);
        test::TempDir dir;
        ASSERT_EQ(run_group(0.0, c.when, c.after, c.envelopes), 4);
        ASSERT_NE(stop_written_at, 0);
        EXPECT_EQ(reads_seen, stop_written_at + 1);
        EXPECT_EQ(test::read_file("progress.txt"), std::string(c.stopped) + "\n\n\n");
        const std::string log = test::read_file("runtime.txt");
        const auto at = log.find("\n     \n      *** ANALYSIS STOPPED BY USER ***\n     Execution Time    :");
        ASSERT_NE(at, std::string::npos) << log;
        EXPECT_EQ(test::lines_of(log.substr(at + 1)).size(), 4u) << log.substr(at);
        EXPECT_TRUE(test::read_file("results.txt").ends_with(notice));
        EXPECT_NE(test::read_file("summary.txt").find(notice), std::string::npos);
        expect_stopped_files(c.status_tail);
    }
}

// The long loops of the echo, of the laying of distributed loads and of the
// curve file.
TEST(StopRequest, HonouredInsideLongLoops) {
    expect_stops({
        // The input data file's records, the unit conversion, the
        // distributed-load sets of Table C and the group factors of Table K.
        {"INPUT DATA FILE, LINE        9", nullptr, "- INPUT DATA FILE, LINE       10", ""},
        {"UNIT CONVERSION", nullptr, "- UNIT CONVERSION", ""},
        {"TABLE C, DISTRIBUTED LOAD SET     1/    2", nullptr, "- INPUT ECHO, TABLE C, DISTRIBUTED LOAD SET     2/    2", ""},
        {"TABLE K, PILE     4/   30", nullptr, "- INPUT ECHO, TABLE K, PILE     5/   30", ""},
        {"TABLE D, PILE ROW     4/   30", nullptr, "- INPUT ECHO, TABLE D, PILE ROW     5/   30", ""},
        {"TABLE H, GENERATED CURVE     1/    1", nullptr, "- INPUT ECHO, TABLE I, GENERATED CURVE     1/    1", ""},
        {"CASE   2: PILE ROW     7/   30", nullptr, "- DISTRIBUTED LOADS OF LOAD CASE   2: PILE ROW     8/   30",
         "LOAD CASE :     2"},
        // Case 1's lines laid again for the combination.
        {"CASE   1: PILE ROW    12/   30", "LOAD COMB.   1/  1 STARTED",
         "- DISTRIBUTED LOADS OF LOAD CASE   1: PILE ROW    13/   30", "LOAD COMB. :     1"},
        {"CURVE FILE: PILE ROW    17/   30", nullptr, "- CURVE FILE: PILE ROW    18/   30", "    1 ANALYSIS COMPLETED"},
    });
}

// After the analyses too: the pile pages of an analysis and the pile-top
// tables of its summary, which say so on the progress file; then the pages
// of an envelope and the copy of the summary's scratch, which follow the
// analyses' end messages and leave the last of them on the progress file
// (so that it never depends on the machine's speed), stopped through the
// seam after a count of reads: the envelope then has its first piles only
// and the summary ends in the notice rather than in tables that look
// complete.
TEST(StopRequest, HonouredAfterTheAnalyses) {
    expect_stops({
        {"RESULTS: PILE ROW    12/   30", nullptr, "- RESULTS: PILE ROW    13/   30", "    1 ANALYSIS COMPLETED"},
        {"RESULTS: PILE ROW     2/   30", "LOAD COMB.   1/  1 STARTED", "- RESULTS: PILE ROW     3/   30",
         "    1 ANALYSIS COMPLETED"},
        {"PILE-TOP SUMMARY: PILE ROW     7/   30", nullptr, "- PILE-TOP SUMMARY: PILE ROW     8/   30",
         "    1 ANALYSIS COMPLETED"},
    });
    const std::string notice = "\n      \n      *** ANALYSIS STOPPED BY USER ***\n";
    struct Case {
        const char* what;
        bool envelopes;
        const char* start;  // the progress message from which reads are counted
        const char* cut;    // a text of the file cut
        const char* status_tail;
    };
    const Case cases[] = {
        {"the envelope's pages", true, "- ANALYSIS FOR LOAD CASE   2/  2 FINISHED", "LOAD CASE ENV : 1",
         "    1 CALCULATED AND PRINTED"},
        {"the summary's copy", false, "- CURVE FILE: PILE ROW    30/   30", "SUMMARY FOR LOAD CASES AND COMBINATIONS",
         "    1 ANALYSIS COMPLETED"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        test::write_names(test::default_names());
        std::string input = group_input(30);
        if (c.envelopes) input.replace(input.find("LOAD CASES\n2 0 0 0 0"), 20, "LOAD CASES\n2 1 0 0 0\n25*0");
        test::write_file("input.dat", input);
        test::write_file("stop.txt", "");
        STOP_INTERVAL = 0.0;
        STOPREAD_HOOK = test::stop_in_loop;
        test::loop_stop = test::LoopStop{};
        test::loop_stop.start = c.start;
        test::loop_stop.in_loop = false;
        test::loop_stop.after = 5;
        const int status = IZOLAN(2);
        STOP_INTERVAL = 0.25;
        STOPREAD_HOOK = nullptr;
        ASSERT_EQ(status, 4);
        ASSERT_NE(test::loop_stop.written_at, 0);
        EXPECT_EQ(test::loop_stop.reads, test::loop_stop.written_at + 1);
        EXPECT_EQ(test::read_file("progress.txt"), std::string(c.start) + "\n\n\n");
        const std::string results = test::read_file("results.txt"), summary = test::read_file("summary.txt");
        EXPECT_TRUE(results.ends_with(notice));
        expect_stopped_files(c.status_tail);
        if (c.envelopes) {
            // Five piles of the minimum envelope, before the sixth's read.
            ASSERT_NE(results.find(c.cut), std::string::npos);
            EXPECT_EQ(results.find("LOAD CASE ENV : 2"), std::string::npos);
            const std::string plot = test::read_file("plotdata.txt");
            const auto penv = plot.find(c.cut);
            ASSERT_NE(penv, std::string::npos);
            int piles = 0;
            for (const std::string& l : test::lines_of(plot.substr(penv))) piles += l.starts_with("* PILE GROUP *");
            EXPECT_EQ(piles, 5);
        } else {
            // Five lines of the summary's scratch after its heading, then the notice.
            const std::string tail = summary.substr(summary.find(c.cut));
            EXPECT_TRUE(tail.ends_with(notice)) << tail;
            EXPECT_EQ(test::lines_of(tail).size(), 1u + 5u + 2u) << tail;
        }
    }
}

// The flexible cap's set-up in each analysis: a stop written while the
// slab's deck is written, or read back with its listing, or while its points
// are located, ends the run at the next record or element: status 4, no
// status line of the analysis.
TEST(StopRequest, HonouredInTheSlabSetUp) {
    const std::string flex = test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/flexcap3d.in");
    for (const char* what : {"SLAB DECK WRITTEN", "SLAB DECK READ", "SLAB POINTS LOCATED"}) {
        SCOPED_TRACE(what);
        test::TempDir dir;
        ASSERT_EQ(run_input(flex, 0.0, what), 4);
        ASSERT_NE(stop_written_at, 0);
        EXPECT_EQ(reads_seen, stop_written_at + 1);
        EXPECT_EQ(test::read_file("progress.txt"), std::string(" FLEXIBLE CAP, ") + what + "\n\n");
        EXPECT_EQ(test::read_file("status.txt").find("ANALYSIS COMPLETED"), std::string::npos);
        EXPECT_NE(test::read_file("runtime.txt").find("\n     \n      *** ANALYSIS STOPPED BY USER ***\n     Execution Time"),
                  std::string::npos);
    }
}

// A stop read between the rows of an analysis's print pass (the piles solved
// once more at the final displacements, the second case's on one thread)
// ends the run there: status 4, no pile page of that analysis, the results
// report ending in the stop notice.
TEST(StopRequest, HonouredInThePrintPassRows) {
    test::TempDir dir;
    test::write_names(test::default_names());
    test::write_file("input.dat", test::with_threads(group_input(30), 1));
    test::write_file("stop.txt", "");
    static int print_rows = 0;
    static int written = 0;
    print_rows = written = 0;
    STOP_INTERVAL = 0.0;
    STOPREAD_HOOK = [](int reads) {
        if (written != 0 || omp_get_level() == 0 || KFLAG != 1 || ICASE != 2 || ++print_rows != 10) return;
        test::write_file("stop.txt", "1\n");
        written = reads;
    };
    const int status = IZOLAN(2);
    STOP_INTERVAL = 0.25;
    STOPREAD_HOOK = nullptr;
    ASSERT_EQ(status, 4);
    ASSERT_NE(written, 0);
    const std::string results = test::read_file("results.txt");
    const auto second = results.find("LOAD CASE :     2");
    ASSERT_NE(second, std::string::npos);
    EXPECT_NE(results.find("* PILE GROUP *"), std::string::npos);  // the first case's pages
    EXPECT_EQ(results.find("* PILE GROUP *", second), std::string::npos) << results.substr(second);
    EXPECT_TRUE(results.ends_with("\n      \n      *** ANALYSIS STOPPED BY USER ***\n"));
    EXPECT_EQ(test::read_file("progress.txt").find("- RESULTS"), std::string::npos);
    // The second case's status line, then the stop: the title lines and the
    // series line, three lines per case, the stop line.
    expect_stopped_files("    1 ANALYSIS COMPLETED");
    EXPECT_EQ(test::lines_of(test::read_file("status.txt")).size(), 3 + 2 * 3 + 1u);
}

// A run of `input` at a fixed time with the processors of every case and
// combination set to `threads`, stopped after the given read of the loops over pile rows from
// the first Newton iteration on.
std::map<std::string, std::string> run_stopped(const std::string& input, int threads, int loop_reads, int& status) {
    test::write_names(test::default_names());
    test::write_file("input.dat", test::with_threads(input, threads));
    test::write_file("stop.txt", "");
    test::Seams seams;
    FIXED_CLOCK = std::tm{};
    STOP_INTERVAL = 0.0;
    STOPREAD_HOOK = test::stop_in_loop;
    test::loop_stop = test::LoopStop{};
    test::loop_stop.start = " ITERATION:    1\n";
    test::loop_stop.after = loop_reads;
    status = IZOLAN(2);
    std::map<std::string, std::string> files;
    for (const char* f : {"results.txt", "summary.txt", "status.txt", "progress.txt", "itertrc.txt", "plotdata.txt"})
        files[f] = test::read_file(f);
    // The run log without the lines of the machine and the clock.
    for (const std::string& l : test::lines_of(test::read_file("runtime.txt")))
        if (l.find("Time") == std::string::npos && l.find("Processors") == std::string::npos) files["runtime.txt"] += l + "\n";
    return files;
}

// A stop request read inside the loops over pile rows ends the run there,
// within the first Newton iteration: in space, the force vector's rows on 1,
// 2 and 8 threads and the tangent's rows on one thread (the rows of the force
// vector are reads 1 to 30 of the 30-pile group, those of the tangent 31 to
// 60); in the plane, the residual's rows (reads 1 to 3 of the three rows) and
// the Jacobian's (4 to 21). Status 4, no status line of the analysis, no log
// of the iteration nor its matrix on the trace, and the files of a stop read
// before the loop, whatever the thread count.
TEST(StopRequest, HonouredInsideThePileRowLoops) {
    const std::string plane =
        test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/plane2d_si.in");
    struct Case {
        const char* what;
        bool space;
        int threads, loop_reads;
    };
    const Case cases[] = {
        {"space, force vector, 1 thread", true, 1, 0},
        {"space, force vector, 2 threads", true, 2, 0},
        {"space, force vector, 8 threads", true, 8, 0},
        {"space, tangent, 1 thread", true, 1, 40},
        {"space, 8 threads, a later read", true, 8, 5},
        {"plane, force vector, 1 thread", false, 1, 0},
        {"plane, Jacobian, 1 thread", false, 1, 5},
    };
    std::map<std::string, std::string> first[2];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        int status = 0;
        const auto files = run_stopped(c.space ? group_input(30) : plane, c.threads, c.loop_reads, status);
        ASSERT_EQ(status, 4);
        ASSERT_NE(test::loop_stop.written_at, 0);
        EXPECT_EQ(test::loop_stop.reads, test::loop_stop.written_at + 1);
        EXPECT_TRUE(test::loop_stop.stopped_in_loop);
        const std::string& progress = files.at("progress.txt");
        EXPECT_EQ(progress.substr(0, 29), "- ANALYSIS FOR LOAD CASE   1/") << progress;
        EXPECT_NE(progress.find(" STEP:    1 TCUR:    0.2500 ITERATION:    1\n"), std::string::npos) << progress;
        for (const char* line : {"ANALYSIS COMPLETED", "SOLUTION AT", "NO CONVERGENCE"})
            EXPECT_EQ(files.at("status.txt").find(line), std::string::npos) << files.at("status.txt");
        EXPECT_TRUE(files.at("status.txt").ends_with(std::string("      ANALYSIS DUE TO TOTAL LOAD\n") + kStopStatus))
            << files.at("status.txt");
        const std::string& log = files.at("runtime.txt");
        EXPECT_NE(log.find("     STEP     1, TCUR     0.2500"), std::string::npos) << log;
        EXPECT_EQ(log.find("     ITERATION    1"), std::string::npos) << log;
        EXPECT_TRUE(log.ends_with("\n     \n      *** ANALYSIS STOPPED BY USER ***\n")) << log;
        EXPECT_EQ(files.at("itertrc.txt").find("SS "), std::string::npos) << files.at("itertrc.txt");
        // The same files for any thread count and any loop of the iteration
        // (the plane trace heads an iteration before its Jacobian).
        auto& same = first[c.space ? 0 : 1];
        if (same.empty()) same = files;
        for (const auto& [name, text] : files) {
            if (name == "itertrc.txt") continue;
            EXPECT_TRUE(test::without_run_folder(text) == test::without_run_folder(same.at(name))) << name << " differs";
        }
    }
}

// The throttle: a run shorter than the interval reads the stop request at
// the fixed check points only (start-up, beside each analysis's start and end
// messages) and leaves their last message; with no interval every pile row of
// the loops reads it too, and the run still completes with the same files.
TEST(StopRequest, ThrottledReads) {
    test::TempDir dir;
    ASSERT_EQ(run_group(1.0e9, nullptr), 0);
    EXPECT_EQ(reads_seen, 1 + 2 * 3);
    EXPECT_EQ(test::read_file("progress.txt"), "- ANALYSIS FOR LOAD COMB.   1/  1 FINISHED\n\n\n");
    const std::string curves = test::read_file("curves.dat");
    // Every record of the input data file (181 lines, one record each), the
    // two distributed-load sets and 30 pile rows of the unit conversion,
    // every row of Table D, the generated curves of Tables H and I, the two
    // distributed-load sets of Table C, the one cross section of Table J's
    // generated curves, the 30 piles of each direction's group factors of
    // Table K, each laying of the
    // distributed loads (twice per case, twice per case of the combination),
    // the curve file's rows and, under its last message, each line of the
    // summary's scratch copied at the end; after each of the three analyses
    // the pile pages (30 rows) and the seven pile-top tables of the summary
    // (30 rows each); and, under the
    // analyses' own messages, the Newton iterations and their row loops, the
    // rows of the print passes and the six reads beside the start and end
    // messages; the read at start-up.
    ASSERT_EQ(run_group(0.0, nullptr), 0);
    EXPECT_GE(iteration_reads, 3 * 2);
    const std::string summary = test::read_file("summary.txt");
    const int copied = static_cast<int>(
        test::lines_of(summary.substr(summary.find("SUMMARY FOR LOAD CASES AND COMBINATIONS"))).size()) - 1;
    const std::map<std::string, int> expected = {
        {"- INPUT DATA FILE", 181}, {"- UNIT CONVERSION\n\n\n", 2 + 30},
        {"- INPUT ECHO", 30 + 2 + 2 + 1 + 2 * 30}, {"- DISTRIBUTED LOADS OF LOAD CASE   1", 120},
        {"- DISTRIBUTED LOADS OF LOAD CASE   2", 120}, {"- CURVE FILE", 30 + copied}, {"- RESULTS", 3 * 30},
        {"- PILE-TOP SUMMARY", 3 * 7 * 30}};
    int listed = 0;
    for (const auto& [what, n] : expected) {
        EXPECT_EQ(reads_after[what], n) << what;
        listed += n;
    }
    int in_analyses = 0;
    for (const auto& [what, n] : reads_after)
        if (what.starts_with("- ANALYSIS FOR LOAD")) in_analyses += n;
    EXPECT_GE(in_analyses, 6 + 3 * 30);
    EXPECT_EQ(reads_seen, 1 + listed + in_analyses);
    EXPECT_EQ(test::read_file("progress.txt"), "- CURVE FILE: PILE ROW    30/   30\n\n\n");
    EXPECT_EQ(test::read_file("curves.dat"), curves);
}

}  // namespace
}  // namespace zolan
