#include <gtest/gtest.h>

#include <string>

#include "control/control.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// Opens the run log, results report, summary and summary scratch as the names
// file reader does, with `scratch` as the summary scratch's content.
void open_report_files(const std::string& scratch) {
    reset_run_state();
    io::reset_write_failures();
    FSUMSCR = "sumscr.tmp";
    ASSERT_TRUE(io::open_unit(RUNFILE, "runtime.txt", {io::Access::Write}));
    ASSERT_TRUE(io::open_unit(RESFILE, "results.txt", {io::Access::Write, false, true}));
    ASSERT_TRUE(io::open_unit(SUMFILE, "summary.txt", {io::Access::Write}));
    ASSERT_TRUE(io::open_unit(SUMSCR, FSUMSCR, {io::Access::Write}));
    if (!scratch.empty()) io::write_fmt(SUMSCR, "(A,$)", {scratch});
}

// The status records of the run log for a table of codes, ahead of the timing block.
TEST(FinalReport, StatusRecords) {
    struct Case {
        int status;
        const char* records;
    };
    const std::string err = "     * ERROR IN ANALYSIS *\n";
    const Case cases[] = {
        {0, "     ANALYSIS COMPLETED\n"},
        {4, "      *** ANALYSIS STOPPED BY USER ***\n"},
        {3, "     * ERROR IN ANALYSIS *\n     PILE LENGTH EXTENDS BELOW THE BOTTOM\n     OF THE DEEPEST LAYER, NODE\n"},
        {13, "     * ERROR IN ANALYSIS *\n     PILE LENGTH EXTENDS BELOW THE BOTTOM\n     OF THE DEEPEST LAYER, NODE2D\n"},
        {26, "     * ERROR IN ANALYSIS *\n     CURRENT DEPTH IS BEYOND THE EXTENT\n     OF INPUT CURVE FOR SIDE RESISTANCE\n"},
        {27, "     * ERROR IN ANALYSIS *\n     CURRENT DEPTH IS BEYOND THE EXTENT\n     OF INPUT CURVE FOR FRICTION ANGLE\n"},
        {36, "     * ERROR IN ANALYSIS *\n      CONVERGENCE ERROR, \n      WHILE COMPUTING AXIAL FORCES ALONG PILE\n"},
        // Undefined codes: one blank, four blanks, the code in 12 columns, the text.
        {7, "     * ERROR IN ANALYSIS *\n                7, UNKNOWN CODE\n"},
        {-3, "     * ERROR IN ANALYSIS *\n               -3, UNKNOWN CODE\n"},
        {1, "     * ERROR IN ANALYSIS *\n     1, UNKNOWN CODE\n"},
        {38, "     * ERROR IN ANALYSIS *\n     NAMES FILE OR A RUN FILE COULD NOT BE READ, OPENED OR WRITTEN\n"},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        open_report_files("");
        TELAPS = 0.25;
        NPROC = 8;
        NTHRMX(2) = 1;
        int status = c.status;
        ENDRUN(status);
        EXPECT_EQ(status, c.status);
        const std::string expect = std::string("     \n") + c.records +
                                   "     Execution Time    :  250 ms\n"
                                   "     Number Processors :  1/ 8\n";
        EXPECT_EQ(test::read_file("runtime.txt"), expect) << "status " << c.status;
        const bool stopped = c.status == 4;
        EXPECT_EQ(test::read_file("results.txt"),
                  stopped ? "      \n      *** ANALYSIS STOPPED BY USER ***\n" : "")
            << "status " << c.status;
        EXPECT_FALSE(io::unit_open(RUNFILE));
        EXPECT_FALSE(io::unit_open(SUMSCR));
    }
}

// A failure with its detail lines: each follows the status text.
TEST(FinalReport, FailureDetail) {
    test::TempDir dir;
    open_report_files("");
    FAILTXT = {"    results report (Names.dat record 7) x/y.txt: cannot open for writing"};
    int status = 38;
    ENDRUN(status);
    const std::string log = test::read_file("runtime.txt");
    EXPECT_NE(log.find("WRITTEN\n     results report (Names.dat record 7) x/y.txt: cannot open for writing\n"
                       "     Execution Time"),
              std::string::npos)
        << log;
}

// Timing lines of the worked cases: below a second, seconds, minutes, hours.
TEST(FinalReport, TimingLines) {
    struct Case {
        double v;
        const char* line;
    };
    const Case cases[] = {
        {0.25, "     Execution Time    :  250 ms"},
        {0.0, "     Execution Time    :    0 ms"},
        {12.5, "     Execution Time    :   12 sec  500 ms"},
        {75.5, "     Execution Time    :    1 min   15 sec  500 ms"},
        // 3725.25 s: 1 hr, 3725/60 - 60 = 2 min, 3725 mod 60 = 5 sec, 250 ms.
        {3725.25, "     Execution Time    :       1 hr    2 min    5 sec  250 ms"},
        // 90061.5 s: 25 hr, 1501 - 1500 = 1 min, 1 sec, 500 ms.
        {90061.5, "     Execution Time    :      25 hr    1 min    1 sec  500 ms"},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        reset_run_state();
        ASSERT_TRUE(io::open_unit(RUNFILE, "runtime.txt", {io::Access::Write}));
        TELAPS = c.v;
        NPROC = 16;
        NTHRMX(2) = 4;
        EXETIME();
        io::close_unit(RUNFILE);
        EXPECT_EQ(test::read_file("runtime.txt"), std::string(c.line) + "\n     Number Processors :  4/16\n");
    }

    // One analysis: its time, the first thread count, and serial = total - parallel - print.
    test::TempDir dir;
    reset_run_state();
    ASSERT_TRUE(io::open_unit(RUNFILE, "runtime.txt", {io::Access::Write}));
    TANAL = 1.5;
    TPARAL = 0.25;
    TPRINT = 0.125;
    NPROC = 8;
    NTHRMX(1) = 6;
    EXETIM2(0);
    io::close_unit(RUNFILE);
    EXPECT_EQ(test::read_file("runtime.txt"),
              "     Execution Time    :    1 sec  500 ms\n"
              "     Number Processors :  6/ 8\n"
              "     Serial processing :     1.125 sec\n"
              "     Paral. processing :     0.250 sec\n"
              "     Print. processing :     0.125 sec\n");
    EXPECT_EQ(TSERIAL, 1.125);
}

// The summary: the stop notice, the heading, then the scratch copied line by
// line, cut at 120 characters and ended after the last non-blank character.
TEST(FinalReport, SummaryAssembly) {
    test::TempDir dir;
    const std::string long_line = std::string(115, 'x') + "ABCDEFGHIJ";  // 125 characters
    open_report_files("first line   \n\n" + long_line + "\n   \nlast");
    int status = 4;
    ENDRUN(status);
    const std::string heading = std::string(17, ' ') + "*****" + std::string(5, ' ') +
                                "SUMMARY FOR LOAD CASES AND COMBINATIONS " + std::string(5, ' ') + "*****\n";
    EXPECT_EQ(test::read_file("summary.txt"),
              "      \n      *** ANALYSIS STOPPED BY USER ***\n"
              "\n\n\n\n" +
                  heading +
                  "first line \n"
                  "  \n" +
                  std::string(115, 'x') + "ABCDE \n"
                  "  \n"
                  "last \n");
}

}  // namespace
}  // namespace zolan
