#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

#include "control/control.h"
#include "group/group_services.h"
#include "report/run_lock.h"
#include "results/results_services.h"
#include "support/fixed_run.h"
#include "support/names_file.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

namespace fs = std::filesystem;

// The smallest complete input: one pile in sand.
const std::string kInput = std::string(ZOLAN_FIXTURES_DIR) + "/minimal3d.in";

// A report without the lines that tell the clock (execution and region
// times, and date) and without the folder of its run.
std::string without_clock(const std::string& log) {
    return test::without_run_folder(std::regex_replace(
        log, std::regex("(     Execution Time|     (Serial|Paral\\.|Print\\.) processing|               Date:  )[^\n]*\n"),
        ""));
}

// Every file of the current folder but the front end's own output, without
// the clock lines.
std::map<std::string, std::string> folder_without_clock() {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator("."))
        if (e.path().filename() != "cli.out") files[e.path().filename().string()] = without_clock(test::read_file(e.path()));
    return files;
}

// Modes other than 2 return 1 and touch no file.
TEST(Entry, OtherModesDoNothing) {
    test::TempDir dir;
    test::write_names(test::default_names());
    for (int mode : {0, 1, 3, -2}) EXPECT_EQ(IZOLAN(mode), 1) << mode;
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);  // Names.dat alone
}

// A run with every file in place completes; every report is written from its
// start and nothing is left open.
TEST(Entry, CompletedRun) {
    test::TempDir dir;
    test::write_names(test::default_names());
    test::write_file("input.dat", test::read_file(kInput));
    test::write_file("results.txt", "stale content of an earlier run\n");
    EXPECT_EQ(IZOLAN(2), 0);
    const std::string log = test::read_file("runtime.txt");
    EXPECT_NE(log.find("\n     \n     ANALYSIS COMPLETED\n     Execution Time    :"), std::string::npos) << log;
    EXPECT_NE(log.find("     Number Processors :  1/"), std::string::npos) << log;
    EXPECT_EQ(test::read_file("results.txt").find("stale content"), std::string::npos);
    // The progress file holds the last case's end message (the input has one case).
    EXPECT_EQ(test::read_file("progress.txt"), "- ANALYSIS FOR LOAD CASE   1/  1 FINISHED\n\n\n");
    EXPECT_EQ(test::read_file("stop.txt"), "");  // a missing stop-request file is created empty
    EXPECT_FALSE(fs::exists("mphi.txt"));       // a listing that is only read is never created
    EXPECT_EQ(test::read_file("input.dat"), test::read_file(kInput));
    // The whole run again in the same process writes the same files.
    const std::string summary = test::read_file("summary.txt");
    EXPECT_EQ(IZOLAN(2), 0);
    EXPECT_EQ(without_clock(test::read_file("runtime.txt")), without_clock(log));
    EXPECT_EQ(without_clock(test::read_file("summary.txt")), without_clock(summary));
}

// Two runs in one process: whatever the first left behind (a solve that
// failed in the middle of the cap springs' curve evaluation, an input cut
// short), the second, of the three-dimensional example, writes exactly what
// the front end writes for it in a process of its own, but the clock lines.
TEST(Entry, SecondRunAsInFreshProcess) {
    const std::string examples = std::string(ZOLAN_SOURCE_DIR) + "/examples/";
    const char* name = "group3d.in";
    const std::string whole = test::read_file(examples + name);
    std::map<std::string, std::string> fresh;
    {
        test::TempDir dir;
        test::write_file(name, whole);
        auto names = test::default_names();
        names[5] = name;
        test::write_names(names);
        ASSERT_EQ(std::system((std::string(ZOLAN_BINARY_DIR) + "/zolan run --names > cli.out 2>&1").c_str()), 0)
            << test::read_file("cli.out");
        fresh = folder_without_clock();
    }
    struct Case {
        const char* what;
        std::string input;
        bool solver_fault;  // every solve fails with the shared words in curve mode
    };
    const Case cases[] = {
        {"a solve failing in curve mode", test::read_file(examples + "plane2d_si.in"), true},
        {"an input cut short", whole.substr(0, whole.size() / 2), false},
    };
    for (const Case& c : cases) {
        {
            test::TempDir dir;
            test::Seams seams;
            if (c.solver_fault)
                group_services.cap2d = group_services.cap3d = [](const SolveRequest& r, int& ISTAT) {
                    PYREQ = KCAPPY = KERR = KHINGE = 1;
                    TCUR = 0.5;
                    NANAL = 3;
                    ISTAT = 3;
                    return unanswered(r);
                };
            test::write_file("input.dat", c.input);
            test::write_names(test::default_names());
            EXPECT_NE(IZOLAN(2), 0) << c.what;
            if (c.solver_fault) {
                EXPECT_EQ(KCAPPY, 1) << "the first run ends with the words in curve mode";
            }
        }
        test::TempDir dir;
        EXPECT_EQ(test::run_at_fixed_time(examples + name, name), 0) << c.what;
        const auto second = folder_without_clock();
        EXPECT_EQ(second.size(), fresh.size()) << c.what;
        for (const auto& [file, text] : fresh) {
            const auto it = second.find(file);
            ASSERT_NE(it, second.end()) << c.what << ": no " << file;
            EXPECT_EQ(test::first_difference(it->second, text), "") << c.what << ", " << file;
        }
    }
}

// The stop-request file: only the integer 1 stops; the run files stay open so
// that the final report writes into them.
TEST(Entry, StopRequestAtStart) {
    struct Case {
        const char* content;  // nullptr: no stop-request file
        int status;
    };
    const Case cases[] = {{"1\n", 4}, {" 1 , 5\n", 4}, {"0\n", 0}, {"2\n", 0}, {"-1\n", 0},
                          {"stop\n", 0}, {"1.0\n", 0}, {"", 0}, {nullptr, 0}};
    for (const Case& c : cases) {
        test::TempDir dir;
        test::write_names(test::default_names());
        test::write_file("input.dat", test::read_file(kInput));
        if (c.content) test::write_file("stop.txt", c.content);
        EXPECT_EQ(IZOLAN(2), c.status) << (c.content ? c.content : "(none)");
        EXPECT_EQ(test::read_file("progress.txt"),
                  c.status == 4 ? " - ANALYSIS STARTED\n\n" : "- ANALYSIS FOR LOAD CASE   1/  1 FINISHED\n\n\n");
        EXPECT_TRUE(fs::exists("stop.txt"));
        if (c.status != 4) continue;
        const std::string log = test::read_file("runtime.txt");
        EXPECT_TRUE(log.starts_with("     \n      *** ANALYSIS STOPPED BY USER ***\n     Execution Time    :"))
            << log;
        EXPECT_NE(log.find("\n     Number Processors :"), std::string::npos);
        EXPECT_EQ(test::read_file("results.txt"), "      \n      *** ANALYSIS STOPPED BY USER ***\n");
        EXPECT_TRUE(test::read_file("summary.txt").starts_with("      \n      *** ANALYSIS STOPPED BY USER ***\n\n"));
        EXPECT_EQ(test::read_file("stop.txt"), c.content);  // the engine never writes it
    }
}

// Faults of the names file and the run files end the run with status 38 and
// say what failed, on the run log when it could be opened.
TEST(Entry, NamesAndRunFileFailures) {
    struct Case {
        const char* what;
        int record;         // record replaced (0: none)
        std::string value;  // its new content
        int records;        // records written
        bool input;         // the input data file exists
        const char* detail; // expected in the run log (nullptr: no run log)
    };
    const Case cases[] = {
        {"no names file", 0, "", 0, true, nullptr},
        {"short names file", 0, "", 20, true, nullptr},
        {"name longer than its field", 9, std::string(257, 'p'), 27, true, nullptr},
        {"report in a missing folder", 7, "no/such/folder/results.txt", 27, true,
         "results report (Names.dat record 7) no/such/folder/results.txt: cannot open for writing"},
        {"trace in a missing folder", 22, "nowhere/itertrc.txt", 27, true, "iteration trace (Names.dat record 22)"},
        // Bytes a terminal would act on are shown by name, never sent.
        {"a name holding an escape sequence", 7, "no\x1b[2Jfolder/results.txt", 27, true,
         "results report (Names.dat record 7) no<ESC>[2Jfolder/results.txt: cannot open for writing"},
        {"two records name one file", 8, "results.txt", 27, true, nullptr},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        if (c.records > 0) {
            auto names = test::default_names();
            if (c.record) names[c.record] = c.value;
            test::write_names(names, c.records);
        }
        if (c.input) test::write_file("input.dat", test::read_file(kInput));
        EXPECT_EQ(IZOLAN(2), 38) << c.what;
        if (!c.detail) {
            EXPECT_FALSE(fs::exists("runtime.txt")) << c.what;
            continue;
        }
        const std::string log = test::read_file("runtime.txt");
        EXPECT_NE(log.find("     * ERROR IN ANALYSIS *\n"), std::string::npos) << c.what << "\n" << log;
        EXPECT_NE(log.find(c.detail), std::string::npos) << c.what << "\n" << log;
        EXPECT_NE(test::read_file("progress.txt").find(c.detail), std::string::npos) << c.what;
    }
}

// An input data file that is missing or cannot be read is a fault of the
// input (status 37), told in a fatal-error block; it is never created.
TEST(Entry, MissingInputDataFile) {
    for (const bool folder : {false, true}) {
        test::TempDir dir;
        test::write_names(test::default_names());
        if (folder) fs::create_directory("input.dat");
        EXPECT_EQ(IZOLAN(2), 37);
        const std::string block = "**** FATAL ERROR ****\n     INPUT DATA FILE input.dat (Names.dat RECORD 5)\n"
                                  "     CANNOT BE OPENED FOR READING: ";
        const std::string log = test::read_file("runtime.txt");
        EXPECT_NE(log.find(block), std::string::npos) << log;
        EXPECT_NE(log.find("     * ERROR IN ANALYSIS *\n     INPUT DATA FILE IS MALFORMED OR INCOMPLETE\n"),
                  std::string::npos);
        EXPECT_NE(test::read_file("echo.txt").find(block), std::string::npos);
        EXPECT_EQ(fs::exists("input.dat"), folder);
    }
}

// A report that cannot be written out (a full device) is a failed run, and
// the run log says so.
TEST(Entry, UnwritableReportFails) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
    test::TempDir dir;
    auto names = test::default_names();
    names[8] = "/dev/full";
    test::write_names(names);
    test::write_file("input.dat", test::read_file(kInput));
    EXPECT_EQ(IZOLAN(2), 38);
    const std::string log = test::read_file("runtime.txt");
    EXPECT_NE(log.find("\n     \n     * ERROR IN ANALYSIS *\n"), std::string::npos) << log;
    EXPECT_NE(log.find("     /dev/full: No space left on device\n"), std::string::npos) << log;
}

// A progress file that cannot be written (a folder of that name) or a stop
// request that is not a file leaves the run to go on without them; neither
// can hold the run.
TEST(Entry, ProgressAndStopFilesNeverFailARun) {
    test::TempDir dir;
    test::write_names(test::default_names());
    test::write_file("input.dat", test::read_file(kInput));
    fs::create_directory("progress.txt");
    ASSERT_EQ(mkfifo("stop.txt", 0600), 0);
    EXPECT_EQ(IZOLAN(2), 0);
    EXPECT_NE(test::read_file("runtime.txt").find("\n     \n     ANALYSIS COMPLETED\n"), std::string::npos);
}

// A call while a run is in progress returns 39 and touches nothing.
std::atomic<int> nested_status{-1};
void call_again() { nested_status = IZOLAN(2); }

TEST(Entry, SecondCallWhileRunning) {
    test::TempDir dir;
    test::write_names(test::default_names());
    test::write_file("input.dat", test::read_file(kInput));
    test::Seams seams;
    RUNDRV_PAUSE = call_again;
    const int first = IZOLAN(2);
    RUNDRV_PAUSE = nullptr;
    EXPECT_EQ(nested_status.load(), 39);
    EXPECT_EQ(first, 0);
    // The nested call wrote nothing into the run's files.
    EXPECT_NE(test::read_file("runtime.txt").find("\n     \n     ANALYSIS COMPLETED\n"), std::string::npos);
    EXPECT_EQ(IZOLAN(2), 0);  // and the guard is released
}

// Every file of the current folder with its bytes and modification time: a
// run that opens one for writing is seen even when it writes the same bytes.
std::map<std::string, std::string> folder_state() {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(".")) {
        struct stat st {};
        ::stat(e.path().c_str(), &st);
        files[e.path().filename().string()] = test::read_file(e.path()) + "@" + std::to_string(st.st_mtim.tv_sec) +
                                               "." + std::to_string(st.st_mtim.tv_nsec);
    }
    return files;
}

// The exit status of a front end run from the shell, its output to `log`.
int front_end(const std::string& args, const std::string& log) {
    const int rc = std::system((std::string(ZOLAN_BINARY_DIR) + "/zolan " + args + " > " + log + " 2>&1").c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

// A run holds the lock of its folder for its whole length. Front ends
// started while it runs, with its names file or with another input into its
// folder, are refused at once with 39 and a message naming the folder; the
// run then ends as it would have alone, and its folder's names file and stop
// request are those it started with.
TEST(Entry, SecondRunIntoTheFolderIsRefused) {
    test::TempDir dir;
    const std::string folder = dir.path().string();
    test::write_names(test::default_names());
    test::write_file("input.dat", test::read_file(kInput));
    ASSERT_EQ(IZOLAN(2), 0);
    const auto alone = folder_without_clock();
    test::write_file(folder + ".other.in", test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/group3d.in"));
    struct Second {
        std::string args;
        int status = -1;
        std::string output;
    };
    static std::vector<Second> seconds;
    seconds = {{"run --names", -1, ""}, {"run " + folder + ".other.in --dir " + folder, -1, ""}};
    static io::LockState during = io::LockState::Held;
    test::Seams seams;
    RUNDRV_PAUSE = [] {
        io::FolderLock probe = io::take_lock(io::LOCKFILE);
        during = probe.state;
        io::release_lock(probe);
        for (Second& s : seconds) {
            s.status = front_end(s.args, "../zolan-second.out");
            s.output = test::read_file("../zolan-second.out");
        }
    };
    EXPECT_EQ(IZOLAN(2), 0);
    RUNDRV_PAUSE = nullptr;
    fs::remove(folder + ".other.in");
    fs::remove(dir.path().parent_path() / "zolan-second.out");
    EXPECT_EQ(during, io::LockState::Busy);
    for (const Second& s : seconds) {
        EXPECT_EQ(s.status, 39) << s.args << ": " << s.output;
        EXPECT_NE(s.output.find("zolan: the run folder " + folder + " is in use by another run"), std::string::npos)
            << s.args << ": " << s.output;
    }
    EXPECT_EQ(folder_without_clock(), alone);
}

// A lock held by another open of the lock file (in this process or in
// another) refuses a run with 39 and leaves every file of the folder as it
// was, bytes and times; the lock goes with its holder, also when the holding
// process is killed.
TEST(Entry, BusyFolderIsLeftUntouched) {
    test::TempDir dir;
    test::write_names(test::default_names());
    test::write_file("input.dat", test::read_file(kInput));
    test::write_file("stop.txt", "0\n");
    ASSERT_EQ(IZOLAN(2), 0);
    const auto before = folder_state();

    io::FolderLock other = io::take_lock(io::LOCKFILE);
    ASSERT_EQ(other.state, io::LockState::Held);
    EXPECT_EQ(IZOLAN(2), 39);
    EXPECT_EQ(folder_state(), before);
    io::release_lock(other);

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {  // holds the lock until it is killed
        const int fd = ::open(io::LOCKFILE, O_RDWR);
        const char ok = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        if (::write(ready[1], &ok, 1) != 1) ::_exit(1);
        for (;;) ::pause();
    }
    char ok = 'n';
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(ok, 'y');
    EXPECT_EQ(IZOLAN(2), 39);
    EXPECT_EQ(folder_state(), before);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(IZOLAN(2), 0);
    EXPECT_NE(test::read_file("runtime.txt").find("\n     \n     ANALYSIS COMPLETED\n"), std::string::npos);
}

// Whatever way a run ends (completed, stopped, a malformed or missing input,
// a report that cannot be opened, a fault caught inside the engine), its
// folder's lock is free when IZOLAN returns.
TEST(Entry, LockIsReleasedOnEveryEnd) {
    struct Case {
        const char* what;
        std::function<void()> setup;
        int status;
    };
    const Case cases[] = {
        {"completed", [] {}, 0},
        {"stopped at start", [] { test::write_file("stop.txt", "1\n"); }, 4},
        {"malformed input", [] { test::write_file("input.dat", "NOT AN INPUT\n"); }, 37},
        {"missing input", [] { fs::remove("input.dat"); }, 37},
        {"a report that cannot be opened", [] { fs::create_directory("results.txt"); }, 38},
        {"a fault caught in the engine", [] { RUNDRV_PAUSE = [] { throw std::runtime_error("test fault"); }; }, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        test::Seams seams;
        test::write_names(test::default_names());
        test::write_file("input.dat", test::read_file(kInput));
        c.setup();
        EXPECT_EQ(IZOLAN(2), c.status);
        io::FolderLock after = io::take_lock(io::LOCKFILE);
        EXPECT_EQ(after.state, io::LockState::Held) << after.why;
        io::release_lock(after);
    }
}

}  // namespace
}  // namespace zolan
