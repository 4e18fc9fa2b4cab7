#include "report/run_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace zolan::io {
namespace {

namespace fs = std::filesystem;

// Opens follow the access: a write empties the file, a read never creates or
// empties it, ReadCreate creates a missing file empty.
TEST(RunFiles, OpenModes) {
    test::TempDir dir;
    test::write_file("old.txt", "previous content\nsecond line\n");
    ASSERT_TRUE(open_unit(40, "old.txt", {Access::Write}));
    write_line(40, "new");
    close_unit(40);
    EXPECT_EQ(test::read_file("old.txt"), "new\n");

    std::string why;
    EXPECT_FALSE(open_unit(41, "missing.txt", {Access::Read}, &why));
    EXPECT_NE(why.find("missing.txt"), std::string::npos) << why;
    EXPECT_FALSE(fs::exists("missing.txt"));
    EXPECT_FALSE(unit_open(41));

    ASSERT_TRUE(open_unit(41, "missing.txt", {Access::ReadIfExists}));
    std::string line;
    EXPECT_FALSE(read_line(41, line));
    close_unit(41);
    EXPECT_FALSE(fs::exists("missing.txt"));

    ASSERT_TRUE(open_unit(42, "created.txt", {Access::ReadCreate}));
    EXPECT_FALSE(read_line(42, line));
    close_unit(42);
    EXPECT_TRUE(fs::exists("created.txt"));

    test::write_file("keep.txt", "a\r\nb\n");
    ASSERT_TRUE(open_unit(43, "keep.txt", {Access::ReadCreate}));
    ASSERT_TRUE(read_line(43, line));
    EXPECT_EQ(line, "a");  // the CR before the LF is not part of the line
    ASSERT_TRUE(read_line(43, line));
    EXPECT_EQ(line, "b");
    close_unit(43);
    EXPECT_EQ(test::read_file("keep.txt"), "a\r\nb\n");

    fs::create_directory("folder");
    EXPECT_FALSE(open_unit(44, "folder", {Access::Write}, &why));
    EXPECT_FALSE(open_unit(44, "folder", {Access::Read}, &why));
    EXPECT_FALSE(open_unit(44, "", {Access::Write}, &why));
}

// Lines are read up to fmt::MAXLINE characters (a CR LF end not counted); a
// longer one ends the reading and is told apart from the end of the file. A
// byte-order mark before the first line is not part of it.
TEST(RunFiles, LinesAreBounded) {
    test::TempDir dir;
    const std::string full(fmt::MAXLINE, 'x');
    test::write_file("lines.txt", "\xEF\xBB\xBF" "first\n" + full + "\r\n" + full + "y\nlast\n");
    ASSERT_TRUE(open_unit(40, "lines.txt", {Access::Read}));
    std::string line;
    ASSERT_TRUE(read_line(40, line));
    EXPECT_EQ(line, "first");
    ASSERT_TRUE(read_line(40, line));
    EXPECT_EQ(line, full);
    EXPECT_FALSE(read_line(40, line));
    EXPECT_TRUE(line_too_long(40));
    EXPECT_EQ(line_source(40)->line_number(), 3);
    EXPECT_FALSE(read_line(40, line));  // the reading stays stopped
    close_unit(40);
    ASSERT_TRUE(open_unit(40, "lines.txt", {Access::Read}));
    EXPECT_FALSE(line_too_long(40));
    close_unit(40);
}

// Each unit has its own open line: rows built on two files at once do not
// mix, a write ending in '$' continues on the next write, and a close ends
// an open line.
TEST(RunFiles, CurrentLinePerUnit) {
    test::TempDir dir;
    ASSERT_TRUE(open_unit(40, "a.txt", {Access::Write}));
    ASSERT_TRUE(open_unit(41, "b.txt", {Access::Write, false, true}));
    current_line(40)->append("A1");
    current_line(41)->append("B1");
    current_line(40)->append("A2");
    end_record(41);
    end_record(40);
    write_fmt(40, "(\"open \",I3,$)", {7});
    write_fmt(40, "(\" more\")");
    write_fmt(41, "(A,\\)", {"left open"});
    close_unit(40);
    close_unit(41);
    EXPECT_EQ(test::read_file("a.txt"), "A1A2\nopen   7 more\n");
    EXPECT_EQ(test::read_file("b.txt"), "B1\nleft open\n");

    // Writes to a unit that is not open, or open for reading, are dropped.
    write_line(45, "nowhere");
    EXPECT_EQ(current_line(45), nullptr);
}

// Unformatted records: a 4-byte length before and after, 4-byte integers and
// 8-byte reals, little-endian; they read back whole.
TEST(RunFiles, UnformattedRecords) {
    test::TempDir dir;
    ASSERT_TRUE(open_unit(40, "u.bin", {Access::Write, true}));
    write_unf(40, {3, 2.5});
    write_unf(40, {-1});
    close_unit(40);
    const std::string bytes = test::read_file("u.bin");
    const unsigned char expect[] = {
        12, 0, 0, 0,  3, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0x04, 0x40,  12, 0, 0, 0,  // 2.5 = 0x4004000000000000
        4, 0, 0, 0,  0xff, 0xff, 0xff, 0xff,  4, 0, 0, 0,
    };
    ASSERT_EQ(bytes.size(), sizeof expect);
    EXPECT_EQ(std::memcmp(bytes.data(), expect, sizeof expect), 0);

    ASSERT_TRUE(open_unit(41, "u.bin", {Access::Read, true}));
    std::string rec;
    ASSERT_TRUE(read_unf(41, rec));
    ASSERT_EQ(rec.size(), 12u);
    double r = 0;
    std::memcpy(&r, rec.data() + 4, 8);
    EXPECT_EQ(r, 2.5);
    ASSERT_TRUE(read_unf(41, rec));
    EXPECT_EQ(rec.size(), 4u);
    EXPECT_FALSE(read_unf(41, rec));
    close_unit(41);
}

// A list-directed read through a unit names the file and the line of a fault.
TEST(RunFiles, ListReadThroughUnit) {
    test::TempDir dir;
    test::write_file("in.dat", "1 2.5\nabc\n");
    ASSERT_TRUE(open_unit(15, "in.dat", {Access::Read}));
    int i = 0;
    double r = 0;
    ASSERT_TRUE(read_list(15, {i, r}).ok());
    EXPECT_EQ(i, 1);
    EXPECT_EQ(r, 2.5);
    const fmt::ReadStatus st = read_list(15, {i});
    EXPECT_FALSE(st.ok());
    EXPECT_NE(st.message.find("in.dat"), std::string::npos) << st.message;
    EXPECT_NE(st.message.find("line 2"), std::string::npos) << st.message;
    close_unit(15);
}

// A write that fails (a full device) is remembered for the run's status.
TEST(RunFiles, WriteFailureIsRecorded) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
    reset_write_failures();
    ASSERT_TRUE(open_unit(40, "/dev/full", {Access::Write}));
    write_line(40, "lost");
    close_unit(40);
    EXPECT_NE(first_write_failure().find("/dev/full"), std::string::npos);
    reset_write_failures();
}

}  // namespace
}  // namespace zolan::io
