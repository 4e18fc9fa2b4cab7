#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "control/control.h"
#include "support/names_file.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

namespace fs = std::filesystem;

const std::string kInput = std::string(ZOLAN_FIXTURES_DIR) + "/minimal3d.in";

// Every file under `root` with its content (a link by its target), so that a
// run that changes, creates or removes any of them is seen.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string key = e.path().lexically_relative(root).string();
        if (e.is_symlink()) files[key] = "-> " + fs::read_symlink(e.path()).string();
        else if (e.is_regular_file()) files[key] = test::read_file(e.path());
        else files[key] = "(other)";
    }
    return files;
}

// Names files that would make one file of the run serve twice are refused
// before any file is opened for writing: whatever the spelling (a hard link,
// a symbolic link, a dangling link, "./", "../run/"), two records naming one
// file, or a record naming the names file itself, end the run with status 38.
// The input data file keeps its bytes, no file is created or changed (the
// progress file alone carries the reason, when it is a file of its own; the
// run folder's lock file is left empty), and
// a name longer than its field or an input that is a pipe are told too.
TEST(NamesFile, HostileNamesChangeNothing) {
    struct Case {
        const char* what;
        std::map<int, std::string> names;      // records replaced
        std::function<void()> setup;           // links made in the run folder
        int status;
        const char* progress;  // expected in the progress file after the names file's name; nullptr: none
    };
    const auto none = [] {};
    const Case cases[] = {
        {"hard link of the input as the echo", {{6, "hard.in"}}, [] { ASSERT_EQ(::link("input.dat", "hard.in"), 0); }, 38,
         ": record 6 (input echo) names the same file as record 5 (input data file): hard.in and input.dat"},
        {"symbolic link of the input as the results", {{7, "sym.in"}},
         [] { fs::create_symlink("input.dat", "sym.in"); }, 38,
         ": record 7 (results report) names the same file as record 5 (input data file): sym.in and input.dat"},
        {"the input spelled with ./ as the summary", {{8, "./input.dat"}}, none, 38,
         ": record 8 (summary) names the same file as record 5"},
        {"the input through the parent folder as the runtime file", {{10, "../run/input.dat"}}, none, 38,
         ": record 10 (runtime file) names the same file as record 5"},
        {"the input as the stop-request file", {{18, "input.dat"}}, none, 38,
         ": record 18 (stop-request file) names the same file as record 5"},
        {"the input as the moment-curvature listing", {{27, "input.dat"}}, none, 38,
         ": record 27 (moment-curvature listing) names the same file as record 5"},
        {"the input as the progress file", {{13, "input.dat"}}, none, 38, nullptr},
        {"two missing reports, one through a dangling link", {{9, "dangling.txt"}, {12, "../made.txt"}},
         [] { fs::create_symlink("../made.txt", "dangling.txt"); }, 38,
         ": record 12 (plot-data file) names the same file as record 9 (plot file of generated curves)"},
        {"the names file as the iteration trace", {{22, "Names.dat"}}, none, 38,
         ": record 22 (iteration trace) names the names file itself"},
        {"the run folder's lock file as the results", {{7, "zolan.lock"}}, none, 38,
         ": record 7 (results report) names the lock file of the run folder, zolan.lock"},
        {"a name of 300 characters", {{11, std::string(300, 's')}}, none, 38,
         ", record 11 (status file): the file name is longer than 256 characters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir root;
        test::write_file("outside.txt", "beside the run folder\n");
        fs::create_directory("run");
        fs::current_path("run");
        auto names = test::default_names();
        for (const auto& [r, v] : c.names) names[r] = v;
        test::write_names(names);
        test::write_file("input.dat", test::read_file(kInput));
        c.setup();
        const auto before = snapshot(root.path());
        EXPECT_EQ(IZOLAN(2), c.status);
        auto after = snapshot(root.path());
        EXPECT_EQ(test::read_file("input.dat"), test::read_file(kInput));
        if (c.progress) {
            EXPECT_NE(after["run/progress.txt"].find(std::string(" * ERROR: NAMES FILE Names.dat") + c.progress),
                      std::string::npos)
                << after["run/progress.txt"];
            after.erase("run/progress.txt");
        }
        EXPECT_EQ(after["run/zolan.lock"], "");
        after.erase("run/zolan.lock");
        EXPECT_EQ(after, before);
    }
}

// An input data file that is a pipe is refused as an unreadable input: the
// run never waits for a writer, and the fatal block says what it is.
TEST(NamesFile, InputThatIsAPipe) {
    test::TempDir dir;
    test::write_names(test::default_names());
    ASSERT_EQ(mkfifo("input.dat", 0600), 0);
    EXPECT_EQ(IZOLAN(2), 37);
    EXPECT_NE(test::read_file("runtime.txt").find("     INPUT DATA FILE input.dat (Names.dat RECORD 5)\n"
                                                  "     CANNOT BE OPENED FOR READING: IT IS A PIPE\n"),
              std::string::npos)
        << test::read_file("runtime.txt");
}

}  // namespace
}  // namespace zolan
