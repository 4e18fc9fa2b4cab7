// The pile-warning scratch file: a block of a serial caller, and the copy of
// the file into the results report and the runtime file: as many records as
// asked, each cut at 256 characters and ended at its last word (no trailing
// blanks), and no more than the file holds.
#include <gtest/gtest.h>

#include <string>

#include "model/run_state.h"
#include "pile/head_curves.h"
#include "report/run_files.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

TEST(WarningCopy, CopiesAsAskedAndStopsAtTheFileEnd) {
    // Two blocks of three records; the last record is 300 characters long.
    const std::string longrec(300, 'x');
    // Records padded with blanks, as a fixed-width writer leaves them.
    const std::string scratch =
        "\n     ** WARNING **  A   \n  r3" + std::string(200, ' ') + "\n\n     ** WARNING **  B\n" + longrec + "\n";
    const std::string six = "\n     ** WARNING **  A\n  r3\n\n     ** WARNING **  B\n" + std::string(256, 'x') + "\n";
    struct Case {
        const char* what;
        int nrec;
        bool present;
        int copied;
        std::string out;
    };
    const Case cases[] = {
        {"one block", 3, true, 3, "\n     ** WARNING **  A\n  r3\n"},
        {"both blocks", 6, true, 6, six},
        {"a count beyond the blocks", 9, true, 6, six},
        {"nothing asked", 0, true, 0, ""},
        {"no scratch file", 3, false, 0, ""},
    };
    const std::string saved = FAXWARN;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        FAXWARN = "warn.scr";
        if (c.present) {
            ASSERT_TRUE(io::open_unit(WARNSCR, FAXWARN, {}));
            io::write_records(WARNSCR, scratch.substr(0, scratch.size() - 1));
            io::close_unit(WARNSCR);
        }
        ASSERT_TRUE(io::open_unit(RESFILE, "res.txt", {}));
        ASSERT_TRUE(io::open_unit(RUNFILE, "run.txt", {}));
        EXPECT_EQ(WARNCOPY(c.nrec), c.copied);
        EXPECT_FALSE(io::unit_open(WARNSCR));
        io::close_unit(RESFILE);
        io::close_unit(RUNFILE);
        EXPECT_EQ(test::read_file("res.txt"), c.out);
        EXPECT_EQ(test::read_file("run.txt"), c.out);
        EXPECT_EQ(std::filesystem::exists("warn.scr"), c.present);
    }
    FAXWARN = saved;
}

// A block raised on a serial caller (no row report) is written at once and
// counted at once.
TEST(WarningCopy, BlockOfASerialCallerWrittenAndCountedAtOnce) {
    test::TempDir dir;
    ASSERT_TRUE(io::open_unit(WARNSCR, "warn.scr", {}));
    int count = 0;
    WARNBLK(&count, "KIND", 12, "AX. DISP.=", 2.0, 1.0, "AX. FORCE=", 0.0);
    EXPECT_EQ(count, 1);
    io::close_unit(WARNSCR);
    EXPECT_EQ(test::read_file("warn.scr"),
              "\n     ** WARNING **  KIND  PILE GROUP   12\n"
              "                    AX. DISP.=  0.2000E+01 >   0.1000E+01     AX. FORCE=  0.0000E+00\n");
}

}  // namespace
}  // namespace zolan
