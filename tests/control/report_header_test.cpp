#include "control/report_header.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "model/run_state.h"
#include "report/run_files.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

std::string rule(char c) { return "     " + std::string(73, c) + "\n"; }
std::string blanks(int n) { return std::string(n, ' '); }

// The banner with the version text "2019.10.3" in its 12 columns (three
// trailing blanks), ending with two empty records.
std::string banner() {
    return rule('=') + "\n" +
           blanks(20) + "  ZOLAN for Windows, Version 2019.10.3   \n" +
           "\n" +
           blanks(20) + "   Analysis of A Group of Piles \n" +
           blanks(20) + "Subjected to Axial and Lateral Loading \n" +
           "\n" + rule('=') + "\n\n";
}

// The date block of 5 January 2015, 09:05:03.
std::string date_block() {
    return rule('-') + blanks(26) + "Time and Date of Analysis\n" + rule('-') + "\n" +
           blanks(15) + "Date:  January 05, 2015     Time:  09:05:03\n";
}

std::tm clock_of(int year, int mon0, int day, int h, int m, int s) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = mon0;
    t.tm_mday = day;
    t.tm_hour = h;
    t.tm_min = m;
    t.tm_sec = s;
    return t;
}

// Names as a front end on Windows writes them, the version text and the clock.
void set_run(const std::string& input) {
    reset_run_state();
    VERTXT.set("2019.10.3");
    FINPUT = input;
    FECHO = "D:\\runs\\job1\\pile.echo";
    FRESULT = "D:/runs/job1/pile.out";
    FSUMMRY = "pile.sum";
    FPLOT = "D:\\runs\\job1\\pile";
    FRUNTIM = "/home/eng/runs/pile.run";
    FIXED_CLOCK = clock_of(2015, 0, 5, 9, 5, 3);
}

// The lines of the other files: name and extension only, never the folder;
// the plot file has no extension.
const std::string other_names =
    "     Name of output echo file    : pile.echo\n"
    "     Name of output results file : pile.out\n"
    "     Name of output summary file : pile.sum\n"
    "     Name of plot output file    : pile\n"
    "     Name of runtime file        : pile.run\n"
    "\n\n";

// The whole header on the five reports, each file as written.
TEST(ReportHeader, AllReports) {
    test::TempDir dir;
    test::Seams seams;
    set_run("D:\\runs\\job1\\pile.in");
    const int units[] = {RUNFILE, PLOTDATA, RESFILE, SUMFILE, ECHOFILE};
    for (int u : units) ASSERT_TRUE(io::open_unit(u, "u" + std::to_string(u) + ".txt", {io::Access::Write}));
    write_report_header();
    io::close_all_units();

    // The path line names the folder of the reports (the results report's),
    // the input line the input by its whole name.
    const std::string names = "     Path to file locations      : D:/runs/job1/\n"
                              "     Name of input data file     : D:\\runs\\job1\\pile.in\n" +
                              other_names;
    EXPECT_EQ(test::read_file("u18.txt"), banner() + date_block());
    EXPECT_EQ(test::read_file("u10.txt"),
              "\n" + blanks(10) + "  ZOLAN for Windows, Version 2019.10.3   \n\n" + date_block());
    EXPECT_EQ(test::read_file("u16.txt"), banner() + names + date_block());
    EXPECT_EQ(test::read_file("u32.txt"), banner() + names + date_block());
    // The plot data ends with one empty record after the date block.
    EXPECT_EQ(test::read_file("u14.txt"), banner() + names + date_block() + "\n");
}

// Splitting the input file's name, for Windows and Linux names: the name line
// carries the whole name, its parts each without trailing blanks, while the
// path line names the folder of the reports, whatever the input's.
TEST(ReportHeader, InputFileLocation) {
    test::Seams seams;
    struct Case {
        const char* input;
        const char* path;  // drive and directory
        const char* name;  // name and extension
    };
    const Case cases[] = {
        {"D:\\runs\\job1\\pile.in", "D:\\runs\\job1\\", "pile.in"},
        {"/home/eng/runs/pile.in", "/home/eng/runs/", "pile.in"},
        {"pile.in", "", "pile.in"},
        {"C:pile.in", "C:", "pile.in"},
        // Mixed separators; a name without extension.
        {"runs/job1\\pile", "runs/job1\\", "pile"},
        // A point in a folder name is not an extension; a dot-file is a name.
        {"/home/eng/job.v2/.hidden", "/home/eng/job.v2/", ".hidden"},
        {"E:\\job 1.v2\\archive.tar.gz", "E:\\job 1.v2\\", "archive.tar.gz"},
        // Each part is written without its trailing blanks: "pile " + ".in".
        {"D:\\my runs\\pile .in", "D:\\my runs\\", "pile.in"},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        set_run(c.input);
        ASSERT_TRUE(io::open_unit(RESFILE, "results.txt", {io::Access::Write}));
        write_report_header();
        io::close_all_units();
        const std::string names = std::string("     Path to file locations      : D:/runs/job1/\n") +
                                  "     Name of input data file     : " + c.path + c.name + "\n" + other_names;
        EXPECT_EQ(test::read_file("results.txt"), banner() + names + date_block()) << c.input;
    }
}

// Reports named without a folder are in the current directory (the run
// folder of a front end), and the path line names it; a folder given
// relative to it joins it.
TEST(ReportHeader, PathLineNamesTheRunFolder) {
    test::Seams seams;
    test::TempDir dir;
    const std::string here = std::filesystem::current_path().string() + "/";
    for (const auto& [results, path] : {std::pair<std::string, std::string>{"pile.out", here},
                                        {"out/pile.out", here + "out/"},
                                        {"/srv/run 7/pile.out", "/srv/run 7/"}}) {
        set_run("/home/eng/inputs/pile.in");
        FRESULT = results;
        ASSERT_TRUE(io::open_unit(ECHOFILE, "echo.txt", {io::Access::Write}));
        write_report_header();
        io::close_all_units();
        const std::string echo = test::read_file("echo.txt");
        EXPECT_NE(echo.find("     Path to file locations      : " + path + "\n"
                            "     Name of input data file     : /home/eng/inputs/pile.in\n"),
                  std::string::npos)
            << results << "\n" << echo;
    }
}

// The date line for a table of clock readings; a month outside 1..12 leaves
// the block without its date line. The block is the same on every report.
TEST(ReportHeader, DateLine) {
    struct Case {
        std::tm clock;
        const char* line;  // empty: no date line
    };
    const Case cases[] = {
        {clock_of(2015, 0, 5, 9, 5, 3), "Date:  January 05, 2015     Time:  09:05:03"},
        {clock_of(1999, 11, 31, 23, 59, 59), "Date:  December 31, 1999     Time:  23:59:59"},
        {clock_of(2024, 8, 10, 0, 0, 0), "Date:  September 10, 2024     Time:  00:00:00"},
        {clock_of(2015, 12, 5, 9, 5, 3), ""},
        {clock_of(2015, -1, 5, 9, 5, 3), ""},
    };
    const int units[] = {RUNFILE, PLOTDATA, RESFILE, SUMFILE, ECHOFILE};
    test::Seams seams;
    for (const Case& c : cases) {
        test::TempDir dir;
        reset_run_state();
        for (int u : units) ASSERT_TRUE(io::open_unit(u, "u" + std::to_string(u) + ".txt", {io::Access::Write}));
        FIXED_CLOCK = c.clock;
        DATETIM();
        io::close_all_units();
        std::string expect = rule('-') + blanks(26) + "Time and Date of Analysis\n" + rule('-') + "\n";
        if (*c.line != '\0') expect += blanks(15) + c.line + "\n";
        for (int u : units)
            EXPECT_EQ(test::read_file(std::string("u").append(std::to_string(u)).append(".txt")), expect)
                << c.line << " unit " << u;
    }
}

// Without a test clock the computer's local time gives a well-formed date line
// with a four-digit calendar year.
TEST(ReportHeader, LocalClock) {
    test::TempDir dir;
    reset_run_state();
    test::Seams seams;  // no fixed clock
    ASSERT_TRUE(io::open_unit(RUNFILE, "runtime.txt", {io::Access::Write}));
    DATETIM();
    io::close_all_units();
    const std::string text = test::read_file("runtime.txt");
    const std::regex line(
        "\n {15}Date:  (January|February|March|April|May|June|July|August|September|October|November|December)"
        " [0-3][0-9], 2[0-9]{3}     Time:  [0-2][0-9]:[0-5][0-9]:[0-6][0-9]\n$");
    EXPECT_TRUE(std::regex_search(text, line)) << text;
}

}  // namespace
}  // namespace zolan
