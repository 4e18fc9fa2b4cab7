#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "control/control.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/names_file.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

namespace fs = std::filesystem;

std::string fixture(const char* name) { return test::read_file(fs::path(ZOLAN_FIXTURES_DIR) / name); }
std::string example(const char* name) {
    return test::read_file(fs::path(ZOLAN_FIXTURES_DIR) / ".." / ".." / "examples" / name);
}

using test::lines_of;

// The text with some of its lines (numbered from 1) replaced; a replacement
// may hold several lines.
std::string edit(const std::string& text, const std::vector<std::pair<int, std::string>>& edits) {
    std::vector<std::string> lines = lines_of(text);
    for (const auto& [n, with] : edits) lines.at(static_cast<std::size_t>(n - 1)) = with;
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

// The first n lines of the text.
std::string cut(const std::string& text, int n) {
    std::string out;
    const std::vector<std::string> lines = lines_of(text);
    for (int k = 0; k < n; ++k) out += lines.at(static_cast<std::size_t>(k)) + "\n";
    return out;
}

struct Read {
    int status;
    std::string log, echo;
};

// The section lines of the blocks on the minimal file.
const std::string kLoadCases = "SECTION 3 (LOAD CASES), 3RD SECTION OF THE FILE, HEADER: LOAD CASES";
const std::string kPileTable = "SECTION 6 (PILE TABLE), 6TH SECTION OF THE FILE, HEADER: PILE LAYOUT";

// Reads `text` as the input data file of a run in a fresh folder, through
// the names file and the reader only; the raw tables keep what was read.
Read read_input(const std::string& text) {
    test::TempDir dir;
    test::write_names(test::default_names());
    test::write_file("input.dat", text);
    int status = 0;
    RESETRUN();
    RDNAMES(status);
    if (status == 0) RDINPUT(status);
    io::close_all_units();
    return {status, test::read_file("runtime.txt"), test::read_file("echo.txt")};
}

// The READING lines of a run log, without their trailing blanks.
std::vector<std::string> reading_lines(const std::string& log) {
    std::vector<std::string> out;
    for (std::string l : lines_of(log)) {
        if (!l.starts_with("     READING ")) continue;
        l.erase(l.find_last_not_of(' ') + 1);
        out.push_back(l.substr(13));
    }
    return out;
}

// Both examples read to their end. The fields checked are a few of every
// section, against the values written in the files.
TEST(InputReader, ReadsTheExamples) {
    {
        const Read r = read_input(example("group3d.in"));
        ASSERT_EQ(r.status, 0) << r.log;
        EXPECT_EQ(TITLE.trimmed(), "2 X 2 GROUP OF 24-IN STEEL PIPE PILES UNDER A RIGID CAP - SOFT CLAY OVER SAND");
        EXPECT_EQ(NUNITS, 1);
        EXPECT_EQ(NANTYP, 3);
        EXPECT_EQ(PYMODE, 1);
        EXPECT_EQ(KEXTRP, 1);
        EXPECT_EQ(KCRVFM, 0);
        EXPECT_EQ(GRPMVY, 1.0);  // KGRPRF 1: no direction record
        EXPECT_EQ(UBLEN.view(), " FT");
        EXPECT_DOUBLE_EQ(CAPTHK, 4.0);
        EXPECT_EQ(NLCASE, 3);
        EXPECT_EQ(EFFSLE(4), 1);
        EXPECT_EQ(EFFSLE(5), 0);
        EXPECT_EQ(LCOPT(3, 7), 200);
        EXPECT_DOUBLE_EQ(LCTOL(2, 4), 0.01);
        EXPECT_EQ(LCNAME(3).trimmed(), "WIND ALONG Y - SHEAR AND OVERTURNING MOMENT AT CAP");
        EXPECT_EQ(LCKIND(3, 1), 4);
        EXPECT_EQ(LCAXV(2), 1);
        EXPECT_DOUBLE_EQ(CLOAD(2, 1, 1), 120000.0);
        EXPECT_DOUBLE_EQ(CLOAD(3, 1, 3), -3600000.0);
        EXPECT_EQ(NLCOMB, 1);
        EXPECT_EQ(LBNAME(1).trimmed(), "STRENGTH - 1.2 DEAD + 1.0 LIVE + 1.0 WIND");
        EXPECT_DOUBLE_EQ(LBRF(1, 2), 0.9);
        EXPECT_EQ(LBFLG(1, 1), 1);
        EXPECT_EQ(NLBCAS(1), 3);
        EXPECT_EQ(LBCASE(1, 3), 3);
        EXPECT_DOUBLE_EQ(LBFACT(1, 1), 1.2);
        EXPECT_EQ(NDLSET, 0);
        EXPECT_EQ(NPILE3, 4);
        EXPECT_EQ(PGRI3(4, 10), 1);
        EXPECT_DOUBLE_EQ(PGRB3(2, 3), 3.0);
        EXPECT_DOUBLE_EQ(PGRB3(3, 2), 3.0);
        EXPECT_DOUBLE_EQ(PGRB3(4, 5), 90.0);
        EXPECT_EQ(PPIN.NINCR(1), 60);
        EXPECT_DOUBLE_EQ(PPIN.SBOT(1, 1), 60.0);
        EXPECT_EQ(XSNAME(1).trimmed(), "STEEL PIPE 24 IN OD X 0.50 IN WALL");
        EXPECT_DOUBLE_EQ(XSTAB(1, 2), 23.0);
        EXPECT_DOUBLE_EQ(XSTAB(1, 11), 2549.35);
        EXPECT_DOUBLE_EQ(XSTAB(1, 29), 2549.35);  // not tapered: bottom = top
        EXPECT_DOUBLE_EQ(XSTAB(1, 35), 29.0e6);
        EXPECT_EQ(XSNAM2(1).trimmed(), "NONE");
        EXPECT_EQ(NLAYER, 2);
        EXPECT_EQ(LAYIN.ISOIL(2), 4);
        EXPECT_DOUBLE_EQ(LAYIN.TOP(2), 20.0);
        EXPECT_DOUBLE_EQ(LAYPRP(1, 2, 2), 600.0);
        EXPECT_DOUBLE_EQ(LAYPRP(2, 2, 9), 200000.0);
        EXPECT_EQ(PYREQN, 2);
        EXPECT_EQ(PYRQIN.NY(1), 0);
        EXPECT_DOUBLE_EQ(PYRQIN.DEP(2), 30.0);
        EXPECT_DOUBLE_EQ(PYRQIN.Y(2, 10), 2.0);
        EXPECT_EQ(NLSGEN, 1);
        EXPECT_EQ(TRGROW(1), 1);
        EXPECT_EQ(NSCCRV, 1);
        EXPECT_EQ(MPXIN(1).NL(1), 0);
        const std::vector<std::string> sections = {
            "* TITLE AND VERSION", "CONTROL PARAMETERS", "PILE CAP", "LOAD CASES", "LOAD COMBINATIONS",
            "DISTRIBUTED LOAD SETS", "PILE LAYOUT", "PILE PROPERTIES", "CROSS SECTIONS", "SOIL LAYERS",
            "P-Y CURVES TO PRINT", "GENERATED AXIAL LOAD-SETTLEMENT CURVES", "GENERATED TORQUE-ROTATION CURVES",
            "MOMENT-CURVATURE OF CROSS SECTIONS"};
        EXPECT_EQ(reading_lines(r.log), sections);
    }
    {
        const Read r = read_input(example("plane2d_si.in"));
        ASSERT_EQ(r.status, 0) << r.log;
        EXPECT_EQ(NUNITS, 2);
        EXPECT_EQ(NANTYP, 2);
        EXPECT_EQ(UBLEN.view(), "  M");
        EXPECT_DOUBLE_EQ(CLOAD(2, 2, 7), -2.0);
        EXPECT_DOUBLE_EQ(LCTOL(1, 2), 1.0e-6);
        EXPECT_EQ(NLCOMB, 0);
        EXPECT_EQ(NPILE3, 0);
        EXPECT_EQ(NPILE2, 3);
        EXPECT_EQ(PGRI2(3, 3), 2);
        EXPECT_EQ(PGRI2(3, 7), 2);
        EXPECT_DOUBLE_EQ(PGRA2(2, 2), 1.8);
        EXPECT_DOUBLE_EQ(PGRB2(3, 3), 14.04);
        EXPECT_DOUBLE_EQ(PPIN.PLEN(2), 18.5);
        EXPECT_DOUBLE_EQ(XSTAB(1, 11), 1.0633e9);
        EXPECT_DOUBLE_EQ(LAYPRP(2, 1, 4), 271000.0);
        EXPECT_EQ(LSGROW(2), 3);
        EXPECT_EQ(MPXIN(2).NL(1), 0);
        const std::vector<std::string> sections = {
            "* TITLE AND VERSION", "CONTROL PARAMETERS", "PILE CAP", "LOAD CASES", "LOAD COMBINATIONS",
            "DISTRIBUTED LOAD SETS", "PILE LAYOUT", "PILE PROPERTIES", "CROSS SECTIONS", "SOIL LAYERS",
            "GENERATED AXIAL LOAD-SETTLEMENT CURVES", "MOMENT-CURVATURE OF CROSS SECTIONS"};
        EXPECT_EQ(reading_lines(r.log), sections);
    }
}

// List-directed records as they stand in real sections of a file: each case
// rewrites lines of the smallest three-dimensional input and checks the
// fields the rewritten record fills, and that the rest of the file still reads.
TEST(InputReader, ListDirectedRecordsInSections) {
    const std::string base = fixture("minimal3d.in");
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::string>> edits;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"control record over two lines",
         {{4, "1 3 0 0 0 0 0 1 0 0\n0 0 0 0 1 0 0 0 0 7"}},
         [] {
             EXPECT_EQ(NANTYP, 3);
             EXPECT_EQ(KGENLS, 1);
             EXPECT_EQ(KCRVFM, 7);
             EXPECT_DOUBLE_EQ(CAPLEN, 10.0);
         }},
        {"extra values ignored to the end of the line",
         {{8, "1 0 0 0 0 9 9"}},
         [] {
             EXPECT_EQ(NLCASE, 1);
             EXPECT_EQ(LCOPT(1, 6), 100);  // the next record starts on the next line
         }},
        {"repeat count 25*1",
         {{15, "25*1"}},
         [] {
             for (int k = 1; k <= 25; ++k) EXPECT_EQ(EFFSLC(1, k), 1) << k;
             EXPECT_EQ(NCLOAD(1), 1);
         }},
        {"D exponents",
         {{10, "1.0D-5 2.5d-6 0.25D0 1D-2"}},
         [] {
             EXPECT_DOUBLE_EQ(LCTOL(1, 2), 2.5e-6);
             EXPECT_DOUBLE_EQ(LCTOL(1, 3), 0.25);
             EXPECT_DOUBLE_EQ(LCTOL(1, 4), 0.01);
         }},
        {"a slash ends the record early",
         {{17, "100000.0 0.0 4.0 / 9.0"}},
         [] {
             EXPECT_DOUBLE_EQ(CLOAD(1, 1, 3), 4.0);
             EXPECT_DOUBLE_EQ(CLOAD(1, 1, 4), 0.0);  // left as it was
             EXPECT_EQ(NDLINE(1), 0);
         }},
        {"commas, a null field and a record over two lines",
         {{17, "100000.0,,0.0, 5.0 ,\n0.0 0.0 1.0 2.0 3.0"}},
         [] {
             EXPECT_DOUBLE_EQ(CLOAD(1, 1, 1), 100000.0);
             EXPECT_DOUBLE_EQ(CLOAD(1, 1, 2), 0.0);
             EXPECT_DOUBLE_EQ(CLOAD(1, 1, 4), 5.0);
             EXPECT_DOUBLE_EQ(CLOAD(1, 1, 9), 3.0);
             EXPECT_EQ(NDLINE(1), 0);
         }},
        {"a quoted name with blanks, a comma and a slash",
         {{37, "'PIPE, 18 IN / X-52'   ! GRADE"}},
         [] { EXPECT_EQ(XSNAME(1).trimmed(), "PIPE, 18 IN / X-52"); }},
        {"a name without quotes",
         {{41, "HP14X73 SECOND WORD IGNORED"}},
         [] { EXPECT_EQ(XSNAM2(1).trimmed(), "HP14X73"); }},
        {"property records with no values",
         {{46, "2 0"}, {47, "! TOP: NO VALUES"}, {48, ""}},
         [] {
             EXPECT_EQ(LAYIN.NV(1), 0);
             EXPECT_DOUBLE_EQ(LAYPRP(1, 1, 1), 0.0);
             EXPECT_EQ(NLSGEN, 1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Read r = read_input(edit(base, c.edits));
        ASSERT_EQ(r.status, 0) << r.log;
        c.check();
        EXPECT_EQ(reading_lines(r.log).back(), "MOMENT-CURVATURE OF CROSS SECTIONS");
    }
}

// Optional records and sections follow their switches: every one of them in
// a three-dimensional file, the plane model and the switches off in another.
TEST(InputReader, OptionalRecordsFollowTheirSwitches) {
    {
        const Read r = read_input(fixture("all_switches3d.in"));
        ASSERT_EQ(r.status, 0) << r.log;
        const std::vector<std::string> sections = {
            "* TITLE AND VERSION", "CONTROL INTEGERS", "PILE CAP", "LOAD CASES", "LOAD COMBINATIONS",
            "DISTRIBUTED LOAD SETS", "PILE LAYOUT", "PILE PROPERTIES", "CROSS SECTIONS", "SOIL LAYERS",
            "P-Y CURVES TO PRINT", "USER P-Y CURVES", "GENERATED AXIAL LOAD-SETTLEMENT CURVES",
            "GENERATED TORQUE-ROTATION CURVES", "USER AXIAL CURVES", "USER TORQUE CURVES",
            "USER MOMENT-CURVATURE SETS", "MOMENT-CURVATURE OF CROSS SECTIONS", "REDUCTION FACTORS ALONG DEPTH",
            "SOIL MOVEMENT", "CURVE FILE"};
        EXPECT_EQ(reading_lines(r.log), sections);
        // KGRPRF 3: the direction record.
        EXPECT_DOUBLE_EQ(GRPMVY, 0.6);
        EXPECT_DOUBLE_EQ(GRPMVZ, -0.8);
        // Cap flag 1 with blocks of 1 and 3 values: seven records consumed,
        // then the embedded-cap and flexible-cap records.
        EXPECT_DOUBLE_EQ(CAPDEQ, 8.0);
        EXPECT_EQ(KCAPLD, 1);
        EXPECT_EQ(NCAPINC, 10);
        EXPECT_DOUBLE_EQ(CAPYMAX, 0.5);
        EXPECT_EQ(FCNY, 6);
        EXPECT_DOUBLE_EQ(FCPOIS, 0.2);
        // LCPOD 1: four records after record 10, then the next case.
        EXPECT_EQ(NSTLEV(1), 3);
        EXPECT_DOUBLE_EQ(STLEV(1, 3), 1.0);
        EXPECT_EQ(PODFLG(1, 3), 0);
        EXPECT_EQ(PODFLG(1, 4), 1);
        EXPECT_DOUBLE_EQ(PODVAL(1, 8), 4000.0);
        EXPECT_DOUBLE_EQ(PODVAL(1, 12), 6000.0);
        EXPECT_DOUBLE_EQ(PODXYZ(1, 3), 3.5);
        EXPECT_EQ(LCNAME(2).trimmed(), "STIFFNESS AT LEVELS");
        EXPECT_EQ(LCKIND(2, 2), 11);
        EXPECT_EQ(DLLINE(1, 1, 7), 2);
        EXPECT_DOUBLE_EQ(DLFZ(1, 1), 0.25);
        // Combination: the integer 7 of record 4 has no effect; record 8 gives 2.
        EXPECT_EQ(EFFSLE(29), 1);
        EXPECT_EQ(EFFSLE(30), 0);
        EXPECT_EQ(NLBCAS(1), 2);
        EXPECT_EQ(LBCASE(1, 2), 2);
        EXPECT_DOUBLE_EQ(LBFACT(1, 2), 0.5);
        EXPECT_EQ(NDLPT(2), 3);
        EXPECT_DOUBLE_EQ(DLDEP(2, 3), 30.0);
        EXPECT_EQ(PGRI3(2, 4), -1);
        EXPECT_DOUBLE_EQ(PGRB3(2, 7), 0.5);
        // Three sections: five records after the set's first.
        EXPECT_EQ(PPIN.NSEC(1), 3);
        EXPECT_EQ(PPIN.PTYPE(1), 2);
        EXPECT_DOUBLE_EQ(PPIN.STOP(1, 3), 20.0);
        EXPECT_EQ(PPIN.SXS(1, 3), 3);
        // Tapered elastic section: its bottom values from records 5 and 6.
        EXPECT_EQ(XSTPF(1), 1);
        EXPECT_DOUBLE_EQ(XSTAB(1, 1), 36.0);
        EXPECT_DOUBLE_EQ(XSTAB(1, 19), 30.0);
        EXPECT_DOUBLE_EQ(XSTAB(1, 28), 706.9);
        EXPECT_DOUBLE_EQ(XSTAB(1, 36), 0.0);
        EXPECT_EQ(XSEXI(1, 1), 5);
        EXPECT_DOUBLE_EQ(XSTAB(1, 37), 0.375);
        EXPECT_EQ(XSEXI(1, 3), 1);
        EXPECT_EQ(XSNAM2(1).trimmed(), "HP14X73");
        // Nonlinear section with no bar rows: the record after record 8 is
        // that of fields 17 to 21.
        EXPECT_EQ(XSNLI(2, 0), 2);
        EXPECT_DOUBLE_EQ(XSTAB(2, 35), 3.6e6);  // copied from field 17
        EXPECT_DOUBLE_EQ(XSNLR(2, 12), 4000.0);
        EXPECT_EQ(XSNLI(2, 9), 0);
        EXPECT_EQ(XSNLI(2, 21), 2);
        EXPECT_DOUBLE_EQ(XSNLR(2, 27), 0.153);
        EXPECT_DOUBLE_EQ(XSSTR(2, 2, 1), 3.0);
        EXPECT_DOUBLE_EQ(XSNLP(2, 1), 7.5);
        EXPECT_DOUBLE_EQ(XSNLR(2, 35), 9.5);
        // User-EI section with two bar rows.
        EXPECT_DOUBLE_EQ(XSBAR(3, 2, 2), 40.0);
        EXPECT_EQ(XSNLI(3, 28), 1);
        // A layer whose property records hold no values.
        EXPECT_EQ(LAYIN.ISOIL(2), 5);
        EXPECT_DOUBLE_EQ(LAYPRP(2, 2, 1), 0.0);
        EXPECT_DOUBLE_EQ(PYRQIN.Y(1, 3), 1.0);
        EXPECT_EQ(UPYIN.NPT(1, 1), 3);
        EXPECT_DOUBLE_EQ(UPYIN.DEP(1, 2), 20.0);
        EXPECT_DOUBLE_EQ(UPYIN.P(1, 2, 2), 400.0);
        EXPECT_EQ(LSGROW(2), 2);
        EXPECT_DOUBLE_EQ(UAXCIN.V1(1, 2), 100000.0);
        EXPECT_DOUBLE_EQ(UTRCIN.V2(1, 2), 0.01);
        EXPECT_DOUBLE_EQ(MPUIN.CUR(1, 1, 2), 1.0e-4);
        // Section 12: both bending axes of every section.
        EXPECT_EQ(NSCCRV, 3);
        EXPECT_EQ(MPXIN(1).NL(2), 1);
        EXPECT_EQ(MPXIN(1).NPT(2, 1), 2);
        EXPECT_DOUBLE_EQ(MPXIN(1).AXL(2, 1), 1000.0);
        EXPECT_DOUBLE_EQ(MPXIN(1).MOM(2, 1, 2), 5.0e6);
        EXPECT_EQ(MPXIN(2).NL(2), 0);
        EXPECT_DOUBLE_EQ(RFLPF(1, 1), 0.8);
        EXPECT_EQ(NSMOV, 2);
        EXPECT_DOUBLE_EQ(SMOVZ0(1), 0.1);
        EXPECT_DOUBLE_EQ(SMVCUR(1, 1), 0.5);
        // KCRVL2 = 1 with three values: NCRVL stays 5.
        EXPECT_EQ(NCRVST, 10);
        EXPECT_EQ(NCRVL, 5);
        EXPECT_DOUBLE_EQ(CRVL1(5), 1.0);
    }
    {
        // Read after the file above in the same process.
        const Read r = read_input(fixture("plane_switches.in"));
        ASSERT_EQ(r.status, 0) << r.log;
        const std::vector<std::string> sections = {
            "* TITLE AND VERSION", "CONTROL INTEGERS", "PILE CAP", "LOAD CASES", "LOAD COMBINATIONS",
            "DISTRIBUTED LOAD SETS", "PILE LAYOUT", "PILE PROPERTIES", "CROSS SECTIONS", "SOIL LAYERS",
            "GENERATED AXIAL LOAD-SETTLEMENT CURVES", "MOMENT-CURVATURE OF CROSS SECTIONS", "CURVE FILE"};
        EXPECT_EQ(reading_lines(r.log), sections);
        EXPECT_EQ(KCAPOP, 1);
        EXPECT_EQ(KCAPLD, 0);  // KCAPOP 1: no second cap record
        EXPECT_EQ(NCAPINC, 0);
        EXPECT_EQ(GRPMVY, 1.0);
        EXPECT_EQ(NPILE2, 2);
        EXPECT_EQ(PGRI2(2, 2), 4);
        EXPECT_DOUBLE_EQ(PGRB2(2, 2), 1.0);
        EXPECT_EQ(XSNLI(1, 0), 7);
        EXPECT_DOUBLE_EQ(XSNLR(1, 11), 9.5);
        EXPECT_EQ(XSNLI(1, 9), 0);
        EXPECT_DOUBLE_EQ(XSTAB(1, 29), 4.7e8);
        EXPECT_EQ(MPXIN(1).NL(1), 1);
        EXPECT_DOUBLE_EQ(MPXIN(1).CUR(1, 1, 2), 0.01);
        EXPECT_EQ(MPXIN(2).NL(1), 0);  // plane model: first axis only
        EXPECT_EQ(NSMOV, 0);           // KJ2 = 0
        EXPECT_EQ(NCRVST, 8);
        EXPECT_EQ(NCRVL, 0);
    }
}

struct RunFiles {
    int status;
    std::string log, echo;
};

// A whole run of `text` through the entry point, in a fresh folder.
RunFiles run_input(const std::string& text, const std::map<int, std::string>& names = test::default_names()) {
    test::TempDir dir;
    test::write_names(names);
    test::write_file("input.dat", text);
    const int status = IZOLAN(2);
    return {status, test::read_file("runtime.txt"), test::read_file("echo.txt")};
}

std::size_t occurrences(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

// A layer record of more values than a point holds: the first ten are kept,
// the rest are read and ignored, and the next section reads on.
TEST(InputReader, LayerValuesBeyondTenAreIgnored) {
    const Read r = read_input(edit(fixture("minimal3d.in"),
                                   {{46, "2 12"},
                                    {47, "110.0 0.0 35.0 90.0 0.0 0.0 0.0 500.0 30000.0 7.0 -1.0 -2.0"},
                                    {48, "111.0 0.0 35.0 90.0 0.0 0.0 0.0 1500.0 90000.0 8.0 -3.0 -4.0"}}));
    ASSERT_EQ(r.status, 0) << r.log;
    EXPECT_EQ(LAYIN.NV(1), 12);
    EXPECT_DOUBLE_EQ(LAYPRP(1, 1, 9), 30000.0);
    EXPECT_DOUBLE_EQ(LAYPRP(1, 1, 10), 7.0);
    EXPECT_DOUBLE_EQ(LAYPRP(1, 2, 1), 111.0);
    EXPECT_DOUBLE_EQ(LAYPRP(1, 2, 10), 8.0);
    EXPECT_EQ(NLSGEN, 1);
}

// Bad files end the run with status 37 and say where: the file and line,
// the section by number, position and header, the record, and what was
// expected. Each line of the block appears on the run log (in the block and
// again after the final status) and in the input echo.
TEST(InputReader, BadFilesEndWithStatus37) {
    const std::string m = fixture("minimal3d.in");
    const std::string s1 = "SECTION 1 (CONTROL INTEGERS), 1ST SECTION OF THE FILE, HEADER: CONTROL INTEGERS";
    const std::string s3 = "SECTION 3 (LOAD CASES), 3RD SECTION OF THE FILE, HEADER: LOAD CASES";
    const std::string s6 = "SECTION 6 (PILE TABLE), 6TH SECTION OF THE FILE, HEADER: PILE LAYOUT";
    const std::string s7 = "SECTION 7 (PILE PROPERTY SETS), 7TH SECTION OF THE FILE, HEADER: PILE PROPERTIES";
    const std::string s8 = "SECTION 8 (CROSS SECTIONS), 8TH SECTION OF THE FILE, HEADER: CROSS SECTIONS";
    const std::string s9 = "SECTION 9 (SOIL LAYERS), 9TH SECTION OF THE FILE, HEADER: SOIL LAYERS";
    const std::string all = fixture("all_switches3d.in");
    // The last point of user set 1, then sets 2 to 150 without curves.
    std::string sets_2_to_150 = "3.0E6 1.0E-4";
    for (int s = 2; s <= 150; ++s) sets_2_to_150.append("\n").append(std::to_string(s)).append(" 0");
    const std::string lctol = "RECORD: LOAD CASE 1, RECORD 2 (LCTOL 1-4: TOLERANCES, LOAD-INCREMENT FACTORS)";
    const std::string row1 = "RECORD: PILE ROW 1, RECORD 1 (PGRI3)";
    // A combination of load case 2 where the file has one case; its entry is line 30.
    const std::string combination =
        "1 0 0 0 0\n0 0 0 1 0 100 200\n1.0E-5 1.0E-5 0.25 0.01\nCOMBINATION\n1.0 1.0 1\n"
        "2 5 0 0.0 0.0 0 0 0\n0\n25*0\n1\n2 1.0";
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> lines;  // whole lines of the block
    };
    const Case cases[] = {
        {"cut inside section 9", cut(m, 46),
         {"INPUT DATA FILE input.dat ENDS AFTER LINE 46", s9, "RECORD: LAYER 1, RECORD 4 (LAYPRP AT THE TOP)",
          "THE FILE ENDED WHERE VALUE 1 OF THE RECORD (A REAL NUMBER) WAS EXPECTED"}},
        {"an empty file", "",
         {"INPUT DATA FILE input.dat IS EMPTY", "TITLE AND VERSION LINES", "RECORD: TITLE LINE",
          "THE FILE ENDED WHERE A LINE OF TEXT WAS EXPECTED"}},
        {"the file ends where a header stands", cut(m, 48),
         {"INPUT DATA FILE input.dat ENDS AFTER LINE 48",
          "SECTION 10 (GENERATED LOAD-SETTLEMENT CURVES), 10TH SECTION OF THE FILE", "RECORD: HEADER LINE"}},
        {"a real in an integer field", edit(m, {{25, "1.5"}}),
         {"INPUT DATA FILE input.dat, LINE 25", s6, "RECORD: NPILE3",
          "EXPECTED AN INTEGER FOR VALUE 1 OF THE RECORD, FOUND \"1.5\""}},
        {"a text in a real field", edit(m, {{17, "100000.0 0.0 abc 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 17", "RECORD: LOAD CASE 1, CONCENTRATED LOAD 1, RECORD 8 (CLOAD 1-9)",
          "EXPECTED A REAL NUMBER FOR VALUE 3 OF THE RECORD, FOUND \"abc\""}},
        {"a bad repeat count", edit(m, {{15, "0*1 24*1"}}),
         {"INPUT DATA FILE input.dat, LINE 15", "RECORD: LOAD CASE 1, RECORD 7 (EFFSLC 1-25)",
          "EXPECTED AN INTEGER FOR VALUE 1 OF THE RECORD, FOUND \"0*1\" (A REPEAT COUNT MUST BE A POSITIVE INTEGER)"}},
        {"a quoted name never closed", edit(m, {{37, "\"PIPE 18 IN"}}),
         {"INPUT DATA FILE input.dat ENDS AFTER LINE 58", "RECORD: CROSS SECTION 1, RECORD 2 (NAME)",
          "THE FILE ENDED INSIDE THE QUOTED TEXT BEGUN ON LINE 37, WHERE VALUE 1 OF THE RECORD (A TEXT) WAS "
          "EXPECTED"}},
        {"101 load cases", edit(m, {{8, "101 0 0 0 0"}}),
         {"INPUT DATA FILE input.dat, LINE 8", s3, "RECORD: RECORD A (NLCASE, KENVLC, KPRTEC, NPRTEC, UNUSED)",
          "THE NUMBER OF LOAD CASES (NLCASE) IS 101; EXPECTED 0 TO 100"}},
        {"NANTYP 4", edit(m, {{4, "1 4 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 0 0"}}),
         {"INPUT DATA FILE input.dat, LINE 4", s1, "RECORD: RECORD 1 (NUNITS ... KCRVFM)",
          "THE ANALYSIS TYPE (NANTYP) IS 4; EXPECTED 2 (PLANE MODEL) OR 3 (THREE-DIMENSIONAL MODEL)"}},
        {"PYMODE 2", edit(m, {{4, "1 3 0 0 0 0 0 1 0 0 2 0 0 0 1 0 0 0 0 0"}}),
         {"INPUT DATA FILE input.dat, LINE 4", "THE P-Y PRINT SWITCH (PYMODE) IS 2; EXPECTED 0 OR 1"}},
        {"LCPOD 2", edit(m, {{12, "0 0 0 0 0 0 0 2"}}),
         {"INPUT DATA FILE input.dat, LINE 12", "RECORD: LOAD CASE 1, RECORD 4 (LCKIND 1-7, LCPOD)",
          "THE POINT-OF-DEFINITION SWITCH (LCPOD) IS 2; EXPECTED 0 OR 1"}},
        {"zero initial load increment", edit(m, {{10, "1.0E-5 1.0E-5 0.0 0.01"}}),
         {"INPUT DATA FILE input.dat, LINE 10", lctol,
          "THE INITIAL LOAD-INCREMENT FACTOR (LCTOL 3) IS 0.000000; EXPECTED A POSITIVE VALUE"}},
        {"negative minimum load increment", edit(m, {{10, "1.0E-5 1.0E-5 0.25 -0.5"}}),
         {lctol, "THE MINIMUM LOAD-INCREMENT FACTOR (LCTOL 4) IS -0.5000000; EXPECTED A POSITIVE VALUE"}},
        // Analyses that would not end: iteration limits beyond 1,000 and load
        // increments that would take more than 10,000 load steps.
        {"a pile iteration limit of two thousand million", edit(m, {{9, "0 0 0 1 0 100 2000000000"}}),
         {"INPUT DATA FILE input.dat, LINE 9", s3, "RECORD: LOAD CASE 1, RECORD 1 (LCOPT 1-7)",
          "THE ITERATION LIMIT OF THE PILES (LCOPT 7) IS 2000000000; EXPECTED 1 TO 1000"}},
        {"a cap iteration limit of 1,001 in a combination",
         edit(m, {{21, "1 0 0 0 0\n0 0 0 1 0 1001 200\n1.0E-5 1.0E-5 0.25 0.01\nCOMBINATION\n1.0 1.0 1\n"
                       "2 5 0 0.0 0.0 0 0 0\n0\n25*0\n1\n1 1.0"}}),
         {"INPUT DATA FILE input.dat, LINE 22", "RECORD: LOAD COMBINATION 1, RECORD 1 (LBOPT 1-7)",
          "THE ITERATION LIMIT OF THE CAP (LBOPT 6) IS 1001; EXPECTED 1 TO 1000"}},
        // Limits that could only end an analysis unconverged.
        {"a cap iteration limit of 0", edit(m, {{9, "0 0 0 1 0 0 200"}}),
         {"INPUT DATA FILE input.dat, LINE 9", "THE ITERATION LIMIT OF THE CAP (LCOPT 6) IS 0; EXPECTED 1 TO 1000"}},
        {"a pile iteration limit of -5", edit(m, {{9, "0 0 0 1 0 100 -5"}}),
         {"THE ITERATION LIMIT OF THE PILES (LCOPT 7) IS -5; EXPECTED 1 TO 1000"}},
        {"a pile iteration limit of 0 in a combination",
         edit(m, {{21, "1 0 0 0 0\n0 0 0 1 0 100 0\n1.0E-5 1.0E-5 0.25 0.01\nCOMBINATION\n1.0 1.0 1\n"
                       "2 5 0 0.0 0.0 0 0 0\n0\n25*0\n1\n1 1.0"}}),
         {"INPUT DATA FILE input.dat, LINE 22", "THE ITERATION LIMIT OF THE PILES (LBOPT 7) IS 0; EXPECTED 1 TO 1000"}},
        // A subnormal increment, whose count 1 / 4.9e-324 would overflow, is
        // refused by its magnitude before its steps are counted.
        {"an initial load increment of 4.9e-324", edit(m, {{10, "1.0E-5 1.0E-5 4.9E-324 4.9E-324"}}),
         {"VALUE 3 OF THE RECORD (LCTOL 3) IS 0.4940656-323; EXPECTED 0 OR AT LEAST 1.0E-20 IN MAGNITUDE"}},
        // Real numbers beyond 1e20 in magnitude, whose products would
        // overflow: named by the record's field where it lists them.
        {"a pile head at X = -1e21", edit(m, {{28, "-1.0E21 0.0 0.0 0.0 90.0 0.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 28", s6, "RECORD: PILE ROW 1, RECORD 3 (PGRB3 1-7)",
          "VALUE 1 OF THE RECORD (PGRB3 1) IS -0.1000000E+22; EXPECTED AT MOST 1.0E+20 IN MAGNITUDE"}},
        {"a load of 1e308", edit(m, {{17, "1.0E308 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"RECORD: LOAD CASE 1, CONCENTRATED LOAD 1, RECORD 8 (CLOAD 1-9)",
          "VALUE 1 OF THE RECORD (CLOAD 1) IS 0.1000000+309; EXPECTED AT MOST 1.0E+20 IN MAGNITUDE"}},
        {"a load's Z at -1e300", edit(m, {{17, "100000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 -1.0E300"}}),
         {"VALUE 9 OF THE RECORD (CLOAD 9) IS -0.1000000+301; EXPECTED AT MOST 1.0E+20 IN MAGNITUDE"}},
        {"a section diameter of 1e300", edit(m, {{38, "1.0E300 17.0 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 38", "RECORD: CROSS SECTION 1, RECORD 3 (XSTAB 1-8)",
          "VALUE 1 OF THE RECORD (XSTAB 1) IS 0.1000000+301; EXPECTED AT MOST 1.0E+20 IN MAGNITUDE"}},
        {"a soil value of 1e300", edit(m, {{47, "110.0 0.0 35.0 90.0 0.0 0.0 0.0 1.0E300 30000.0"}}),
         {"INPUT DATA FILE input.dat, LINE 47", "RECORD: LAYER 1, RECORD 4 (LAYPRP AT THE TOP)",
          "VALUE 8 OF THE RECORD IS 0.1000000+301; EXPECTED AT MOST 1.0E+20 IN MAGNITUDE"}},
        {"a cap length of 2e20", edit(m, {{6, "2.0E20 10.0 3.0 0.0 0.0 0"}}),
         {"VALUE 1 OF THE RECORD (CAPLEN) IS 0.2000000E+21; EXPECTED AT MOST 1.0E+20 IN MAGNITUDE"}},
        // Nonzero real numbers below 1e-20 in magnitude, whose quotients
        // would overflow (a subnormal, the least double, one just below the
        // bound), named as those beyond 1e20 are.
        {"a section diameter of 1e-310", edit(m, {{38, "1.0E-310 17.0 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 38", "RECORD: CROSS SECTION 1, RECORD 3 (XSTAB 1-8)",
          "VALUE 1 OF THE RECORD (XSTAB 1) IS 0.1000000-309; EXPECTED 0 OR AT LEAST 1.0E-20 IN MAGNITUDE"}},
        {"a load of -4.9e-324", edit(m, {{17, "-4.9E-324 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"RECORD: LOAD CASE 1, CONCENTRATED LOAD 1, RECORD 8 (CLOAD 1-9)",
          "VALUE 1 OF THE RECORD (CLOAD 1) IS -0.4940656-323; EXPECTED 0 OR AT LEAST 1.0E-20 IN MAGNITUDE"}},
        {"a soil value of 9.9e-21", edit(m, {{47, "110.0 0.0 35.0 90.0 0.0 0.0 0.0 500.0 9.9E-21"}}),
         {"INPUT DATA FILE input.dat, LINE 47", "RECORD: LAYER 1, RECORD 4 (LAYPRP AT THE TOP)",
          "VALUE 9 OF THE RECORD IS 0.9900000E-20; EXPECTED 0 OR AT LEAST 1.0E-20 IN MAGNITUDE"}},
        // A reduction factor divides the demand/capacity ratios: only a
        // positive one has a meaning.
        {"a bending reduction factor of 0",
         edit(m, {{21, "1 0 0 0 0\n0 0 0 1 0 100 200\n1.0E-5 1.0E-5 0.25 0.01\nCOMBINATION\n0.0 0.9 1\n"
                       "2 5 0 0.0 0.0 0 0 0\n0\n25*0\n1\n1 1.0"}}),
         {"INPUT DATA FILE input.dat, LINE 25",
          "RECORD: LOAD COMBINATION 1, RECORD 4 (LBRF 1-2, INTEGER WITHOUT EFFECT)",
          "THE BENDING REDUCTION FACTOR (LBRF 1) IS 0.000000; EXPECTED A POSITIVE VALUE"}},
        {"a shear reduction factor of -0.75",
         edit(m, {{21, "1 0 0 0 0\n0 0 0 1 0 100 200\n1.0E-5 1.0E-5 0.25 0.01\nCOMBINATION\n0.9 -0.75 1\n"
                       "2 5 0 0.0 0.0 0 0 0\n0\n25*0\n1\n1 1.0"}}),
         {"INPUT DATA FILE input.dat, LINE 25",
          "THE SHEAR REDUCTION FACTOR (LBRF 2) IS -0.7500000; EXPECTED A POSITIVE VALUE"}},
        {"a bending reduction factor of 1e-310",
         edit(m, {{21, "1 0 0 0 0\n0 0 0 1 0 100 200\n1.0E-5 1.0E-5 0.25 0.01\nCOMBINATION\n1.0E-310 0.9 1\n"
                       "2 5 0 0.0 0.0 0 0 0\n0\n25*0\n1\n1 1.0"}}),
         {"VALUE 1 OF THE RECORD (LBRF 1) IS 0.1000000-309; EXPECTED 0 OR AT LEAST 1.0E-20 IN MAGNITUDE"}},
        // 1 / 1e-7 = 10^7 steps.
        {"an initial load increment of 1e-7", edit(m, {{10, "1.0E-5 1.0E-5 1.0E-7 1.0E-8"}}),
         {"INPUT DATA FILE input.dat, LINE 10", lctol,
          "THE INITIAL LOAD-INCREMENT FACTOR (LCTOL 3) IS 0.1000000E-06: 10000000 LOAD STEPS; EXPECTED AT MOST "
          "10000 LOAD STEPS (A FACTOR OF AT LEAST 0.1000000E-03)"}},
        // The least increment the magnitude bound lets through: 1 / 1e-20 = 1e20 steps.
        {"an initial load increment of 1e-20", edit(m, {{10, "1.0E-5 1.0E-5 1.0E-20 1.0E-20"}}),
         {"THE INITIAL LOAD-INCREMENT FACTOR (LCTOL 3) IS 0.1000000E-19: 0.1000000E+21 LOAD STEPS; EXPECTED AT MOST "
          "10000 LOAD STEPS (A FACTOR OF AT LEAST 0.1000000E-03)"}},
        // From 1, the halvings down to 1e-5 end at 2^-16 = 1.52587890625e-5,
        // 65536 steps; the last halving within 10,000 steps is 2^-13 (8192
        // steps), so a minimum above 2^-14 = 6.103515625e-5 bounds them.
        {"a minimum load increment of 1e-5 under an initial 1", edit(m, {{10, "1.0E-5 1.0E-5 1.0 1.0E-5"}}),
         {lctol,
          "THE MINIMUM LOAD-INCREMENT FACTOR (LCTOL 4) IS 0.1000000E-04: FAILED STEPS MAY HALVE THE INCREMENT TO "
          "0.1525879E-04, 65536 LOAD STEPS; EXPECTED AT MOST 10000 LOAD STEPS (A MINIMUM ABOVE 0.6103516E-04 WITH "
          "THIS INITIAL FACTOR)"}},
        {"zero pile increments", edit(m, {{32, "0 40.0 1"}}),
         {"INPUT DATA FILE input.dat, LINE 32", s7,
          "RECORD: PROPERTY SET 1, RECORD 2 (INCREMENTS, PILE LENGTH, PILE TYPE)",
          "THE NUMBER OF INCREMENTS OF THE PILE (NINCR) IS 0; EXPECTED 1 TO 100"}},
        {"101 pile increments", edit(m, {{32, "101 40.0 1"}}),
         {"THE NUMBER OF INCREMENTS OF THE PILE (NINCR) IS 101; EXPECTED 1 TO 100"}},
        {"zero pile length", edit(m, {{32, "40 0.0 1"}}),
         {"THE PILE LENGTH (PLEN) IS 0.000000; EXPECTED A POSITIVE VALUE"}},
        {"a section whose top is not above its bottom", edit(m, {{33, "40.0 40.0 1"}}),
         {"INPUT DATA FILE input.dat, LINE 33",
          "RECORD: PROPERTY SET 1, SECTION 1 (TOP DEPTH, BOTTOM DEPTH, CROSS-SECTION NUMBER)",
          "THE TOP DEPTH 40.00000 IS NOT ABOVE THE BOTTOM DEPTH 40.00000 OF THE SECTION"}},
        // A pile's axis runs from its head along (sin BETA, ...) in X, down
        // positive: BETA of -90 puts the tip 40 ft above the head, 0 and 180
        // lay the pile flat. The plane slope is from the vertical: cos 90 = 0.
        {"a pile whose tip stands above its head", edit(m, {{28, "0.0 0.0 0.0 0.0 -90.0 0.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 28", s6, "RECORD: PILE ROW 1, RECORD 3 (PGRB3 1-7)",
          "THE PILE'S AXIS DOES NOT GO DOWN FROM ITS HEAD: BETA (PGRB3 5) IS -90.00000, WHICH PUTS THE TIP AT OR "
          "ABOVE THE HEAD; EXPECTED AN INCLINATION FROM THE HORIZONTAL ABOVE 0 AND BELOW 180 DEGREES (90 FOR A "
          "VERTICAL PILE)"}},
        {"a horizontal pile", edit(m, {{28, "0.0 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"RECORD: PILE ROW 1, RECORD 3 (PGRB3 1-7)", "THE PILE'S AXIS DOES NOT GO DOWN FROM ITS HEAD: BETA (PGRB3 5) "
          "IS 0.000000, WHICH PUTS THE TIP AT OR ABOVE THE HEAD; EXPECTED AN INCLINATION FROM THE HORIZONTAL ABOVE 0 "
          "AND BELOW 180 DEGREES (90 FOR A VERTICAL PILE)"}},
        {"a horizontal pile the other way", edit(m, {{28, "0.0 0.0 0.0 0.0 180.0 0.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 28", "THE PILE'S AXIS DOES NOT GO DOWN FROM ITS HEAD: BETA (PGRB3 5) IS "
          "180.0000, WHICH PUTS THE TIP AT OR ABOVE THE HEAD; EXPECTED AN INCLINATION FROM THE HORIZONTAL ABOVE 0 "
          "AND BELOW 180 DEGREES (90 FOR A VERTICAL PILE)"}},
        {"a plane row sloped 90 degrees from the vertical", edit(fixture("plane_switches.in"), {{31, "0.0 1.0 90.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 31", "SECTION 6 (PILE TABLE), 6TH SECTION OF THE FILE, HEADER: PILE LAYOUT",
          "RECORD: PILE ROW 2, RECORD 3 (PGRB2 1-4)",
          "THE PILE'S AXIS DOES NOT GO DOWN FROM ITS HEAD: THE SLOPE ANGLE (PGRB2 3) IS 90.00000, WHICH PUTS THE TIP "
          "AT OR ABOVE THE HEAD; EXPECTED AN ANGLE FROM THE VERTICAL BETWEEN -90 AND 90 DEGREES (0 FOR A VERTICAL "
          "PILE)"}},
        {"a plane row sloped upward", edit(fixture("plane_switches.in"), {{28, "0.0 -1.0 -120.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 28", "RECORD: PILE ROW 1, RECORD 3 (PGRB2 1-4)",
          "THE PILE'S AXIS DOES NOT GO DOWN FROM ITS HEAD: THE SLOPE ANGLE (PGRB2 3) IS -120.0000, WHICH PUTS THE "
          "TIP AT OR ABOVE THE HEAD; EXPECTED AN ANGLE FROM THE VERTICAL BETWEEN -90 AND 90 DEGREES (0 FOR A "
          "VERTICAL PILE)"}},
        {"a property-set number beyond the sets", edit(m, {{26, "2 2 3 0 0 0 0 0 1 1"}}),
         {"INPUT DATA FILE input.dat, LINE 26", s6, row1, "THE PROPERTY SET OF THE ROW IS 3; THE FILE HOLDS 1 (NPRSET)"}},
        {"a user p-y set where the file has none", edit(m, {{26, "2 2 1 1 0 0 0 0 1 1"}}),
         {row1, "THE USER P-Y CURVE SET OF THE ROW IS 1; THE FILE HOLDS 0 (NUPYS), 0 FOR NONE"}},
        {"a generated curve beyond the list", edit(m, {{26, "2 2 1 0 0 0 0 0 2 1"}}),
         {row1, "THE GENERATED LOAD-SETTLEMENT CURVE OF THE ROW IS 2; THE FILE HOLDS 1 (NLSGEN), 0 FOR NONE"}},
        {"a cross-section number beyond the sections", edit(m, {{33, "0.0 40.0 2"}}),
         {"INPUT DATA FILE input.dat, LINE 33", s7, "RECORD: PROPERTY SET 1, SECTION 1",
          "THE CROSS-SECTION NUMBER IS 2; EXPECTED 1 TO 1 (NSECT)"}},
        {"a combination of a case that does not exist", edit(m, {{21, combination}}),
         {"INPUT DATA FILE input.dat, LINE 30",
          "SECTION 4 (LOAD COMBINATIONS), 4TH SECTION OF THE FILE, HEADER: LOAD COMBINATIONS",
          "RECORD: LOAD COMBINATION 1, ENTRY 1, RECORD 8 (LBCASE, LBFACT)",
          "THE LOAD CASE NUMBER (LBCASE) IS 2; EXPECTED 1 TO 1"}},
        {"a distributed load on a row that does not exist", edit(m, {{18, "1\n1 0 1 3 1 0 0.0 0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 19", s3, "RECORD: LOAD CASE 1, DISTRIBUTED-LOAD LINE 1",
          "THE LAST PILE ROW IS 3; EXPECTED 0 TO 1 (0: THE FIRST ROW ONLY)"}},
        {"a distributed-load set that does not exist", edit(m, {{18, "1\n1 0 1 0 0 1 1.0 0 0.0"}}),
         {"THE DISTRIBUTED-LOAD SET FOR Y IS 1; THE FILE HOLDS 0 SETS (NDLSET), 0 OR LESS FOR NONE"}},
        {"a p-y print request on a row that does not exist",
         edit(m, {{4, "1 3 0 0 0 0 0 1 0 0 1 0 0 0 1 0 0 0 0 0"},
                  {48, "110.0 0.0 35.0 90.0 0.0 0.0 0.0 1500.0 90000.0\nP-Y CURVES TO PRINT\n1\n2 10.0\n0"}}),
         {"INPUT DATA FILE input.dat, LINE 51",
          "SECTION 20 (P-Y PRINT REQUESTS), 10TH SECTION OF THE FILE, HEADER: P-Y CURVES TO PRINT",
          "RECORD: REQUEST 1, RECORD 1 (PILE ROW, DEPTH)",
          "THE PILE ROW IS 2; EXPECTED 1 TO 1 (THE ROWS OF THE PILE TABLE)"}},
        {"a layer whose bottom lies above its top", edit(m, {{45, "60.0 20.0"}}),
         {"INPUT DATA FILE input.dat, LINE 45", s9, "RECORD: LAYER 1, RECORD 2 (TOP DEPTH, BOTTOM DEPTH)",
          "THE BOTTOM DEPTH 20.00000 IS NOT BELOW THE TOP DEPTH 60.00000 OF THE LAYER"}},
        {"soil code 14", edit(m, {{44, "1 14"}}), {"THE SOIL CODE (ISOIL) IS 14; EXPECTED 1 TO 13"}},
        {"a layer that begins above the bottom of the one before", edit(all, {{131, "10.0 80.0"}}),
         {"INPUT DATA FILE input.dat, LINE 131", "RECORD: LAYER 2, RECORD 2 (TOP DEPTH, BOTTOM DEPTH)",
          "THE TOP DEPTH 10.00000 OF THE LAYER IS ABOVE THE BOTTOM DEPTH 15.00000 OF LAYER 1: THE LAYERS OVERLAP "
          "OR ARE OUT OF ORDER"}},
        {"layers out of order", edit(all, {{126, "15.0 30.0"}, {131, "0.0 15.0"}}),
         {"THE TOP DEPTH 0.000000 OF THE LAYER IS ABOVE THE BOTTOM DEPTH 30.00000 OF LAYER 1: THE LAYERS OVERLAP "
          "OR ARE OUT OF ORDER"}},
        {"a strength curve of one point", edit(m, {{46, "1 9"}}),
         {"INPUT DATA FILE input.dat, LINE 46", "RECORD: LAYER 1, RECORD 3 (NP, NV)",
          "THE NUMBER OF PROPERTY RECORDS OF A LAYER (NP) IS 1; EXPECTED 2 (THE TOP AND THE BOTTOM OF THE LAYER)"}},
        {"three property records for a layer", edit(m, {{46, "3 9"}}),
         {"THE NUMBER OF PROPERTY RECORDS OF A LAYER (NP) IS 3; EXPECTED 2 (THE TOP AND THE BOTTOM OF THE LAYER)"}},
        {"no divisions of the piles for the curve file", edit(fixture("plane_switches.in"), {{69, "0 0 0"}}),
         {"INPUT DATA FILE input.dat, LINE 69",
          "SECTION 13 (CURVE-FILE OPTIONS), 12TH SECTION OF THE FILE, HEADER: CURVE FILE",
          "RECORD: RECORD 1 (NCRVST, KCRVL1, KCRVL2)",
          "THE NUMBER OF DIVISIONS OF A PILE FOR THE CURVE FILE (NCRVST) IS 0; EXPECTED 1 TO 100"}},
        {"no increments for the cap pseudo-pile", edit(all, {{15, "1 2 0 50.0 20000.0 0.5"}}),
         {"INPUT DATA FILE input.dat, LINE 15",
          "RECORD: RECORD 2 (KCAPLD, KCAPSM, NCAPINC, CAPK50, CAPFULT, CAPYMAX)",
          "THE NUMBER OF INCREMENTS OF THE CAP PSEUDO-PILE (NCAPINC) IS 0; EXPECTED 1 TO 100"}},
        {"a slab mesh of 101 elements along the cap", edit(all, {{16, "0.5 -0.5 101 6 3.6E6 0.2"}}),
         {"INPUT DATA FILE input.dat, LINE 16",
          "RECORD: RECORD 3 (FCCAPIN: OFFSETS X, Y, ELEMENTS IN X, Y, MODULUS, POISSON'S RATIO)",
          "THE NUMBER OF SLAB ELEMENTS ALONG THE CAP LENGTH (FCNX) IS 101; EXPECTED 1 TO 100"}},
        {"a negative slab element count across the cap", edit(all, {{16, "0.5 -0.5 8 -1 3.6E6 0.2"}}),
         {"THE NUMBER OF SLAB ELEMENTS ALONG THE CAP WIDTH (FCNY) IS -1; EXPECTED 1 TO 100"}},
        // Values that would change the analysis without a word: a slab
        // without elements or without thickness, a unit system of none of
        // the three (it ran as the open system).
        {"no slab elements along the cap", edit(all, {{16, "0.5 -0.5 0 6 3.6E6 0.2"}}),
         {"THE NUMBER OF SLAB ELEMENTS ALONG THE CAP LENGTH (FCNX) IS 0; EXPECTED 1 TO 100"}},
        {"no slab elements across the cap", edit(all, {{16, "0.5 -0.5 8 0 3.6E6 0.2"}}),
         {"THE NUMBER OF SLAB ELEMENTS ALONG THE CAP WIDTH (FCNY) IS 0; EXPECTED 1 TO 100"}},
        {"a flexible cap without thickness", edit(all, {{7, "12.0 10.0 0.0 8.0 0.0 1"}}),
         {"INPUT DATA FILE input.dat, LINE 7",
          "SECTION 2 (PILE CAP), 2ND SECTION OF THE FILE, HEADER: PILE CAP",
          "RECORD: RECORD 1 (CAPLEN, CAPWID, CAPTHK, CAPDEQ, UNUSED REAL, FLAG)",
          "THE CAP THICKNESS (CAPTHK) IS 0.000000; THE FLEXIBLE CAP (FCOPT 1) IS A SLAB OF THIS THICKNESS: EXPECTED "
          "A POSITIVE VALUE"}},
        {"a flexible cap of negative thickness", edit(all, {{7, "12.0 10.0 -4.0 8.0 0.0 1"}}),
         {"THE CAP THICKNESS (CAPTHK) IS -4.000000; THE FLEXIBLE CAP (FCOPT 1) IS A SLAB OF THIS THICKNESS: "
          "EXPECTED A POSITIVE VALUE"}},
        {"NUNITS 5", edit(m, {{4, "5 3 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 0 0"}}),
         {"INPUT DATA FILE input.dat, LINE 4", s1, "RECORD: RECORD 1 (NUNITS ... KCRVFM)",
          "THE UNIT SYSTEM (NUNITS) IS 5; EXPECTED 1 (ENGLISH), 2 (SI) OR 3 (OPEN SYSTEM)"}},
        {"NUNITS 0", edit(m, {{4, "0 3 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 0 0"}}),
         {"THE UNIT SYSTEM (NUNITS) IS 0; EXPECTED 1 (ENGLISH), 2 (SI) OR 3 (OPEN SYSTEM)"}},
        // Section values the soil or the stiffness cannot do without, on the
        // record that gives them: a diameter, area and Young modulus that
        // are not positive; an inertia below 0 (0 is the solid circle's).
        {"a section of zero diameter", edit(m, {{38, "0.0 17.0 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 38", s8, "RECORD: CROSS SECTION 1, RECORD 3 (XSTAB 1-8)",
          "THE DIAMETER OF THE SECTION (XSTAB 1) IS 0.000000; EXPECTED A POSITIVE VALUE"}},
        {"a section of negative diameter", edit(m, {{38, "-18.0 17.0 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"THE DIAMETER OF THE SECTION (XSTAB 1) IS -18.00000; EXPECTED A POSITIVE VALUE"}},
        {"a section of zero area", edit(m, {{39, "11.2E6 0.0 1070.0 1070.0 0.0 2.4E10 5.0E6 3.0E5 29.0E6 0.0 0"}}),
         {"INPUT DATA FILE input.dat, LINE 39", s8, "RECORD: CROSS SECTION 1, RECORD 4 (XSTAB 9-18, TAPERED FLAG)",
          "THE AREA OF THE SECTION (XSTAB 10) IS 0.000000; EXPECTED A POSITIVE VALUE"}},
        {"a section of negative area",
         edit(m, {{39, "11.2E6 -27.5 1070.0 1070.0 0.0 2.4E10 5.0E6 3.0E5 29.0E6 0.0 0"}}),
         {"THE AREA OF THE SECTION (XSTAB 10) IS -27.50000; EXPECTED A POSITIVE VALUE"}},
        {"a section of zero modulus", edit(m, {{39, "11.2E6 27.5 1070.0 1070.0 0.0 2.4E10 5.0E6 3.0E5 0.0 0.0 0"}}),
         {"THE YOUNG MODULUS OF THE SECTION (XSTAB 17) IS 0.000000; EXPECTED A POSITIVE VALUE"}},
        {"a section of negative modulus",
         edit(m, {{39, "11.2E6 27.5 1070.0 1070.0 0.0 2.4E10 5.0E6 3.0E5 -29.0E6 0.0 0"}}),
         {"THE YOUNG MODULUS OF THE SECTION (XSTAB 17) IS -0.2900000E+08; EXPECTED A POSITIVE VALUE"}},
        {"a negative Iz", edit(m, {{39, "11.2E6 27.5 -1070.0 1070.0 0.0 2.4E10 5.0E6 3.0E5 29.0E6 0.0 0"}}),
         {"RECORD: CROSS SECTION 1, RECORD 4 (XSTAB 9-18, TAPERED FLAG)",
          "THE MOMENT OF INERTIA IZ OF THE SECTION (XSTAB 11) IS -1070.000; EXPECTED A POSITIVE VALUE, OR 0 FOR "
          "THAT OF A SOLID CIRCLE OF THE DIAMETER"}},
        {"a negative Iy in space", edit(m, {{39, "11.2E6 27.5 1070.0 -1.0 0.0 2.4E10 5.0E6 3.0E5 29.0E6 0.0 0"}}),
         {"THE MOMENT OF INERTIA IY OF THE SECTION (XSTAB 12) IS -1.000000; EXPECTED A POSITIVE VALUE, OR 0 FOR "
          "THAT OF A SOLID CIRCLE OF THE DIAMETER"}},
        {"a tapered section without a bottom diameter", edit(all, {{92, "0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 92", s8, "RECORD: CROSS SECTION 1, RECORD 5 (XSTAB 19-26)",
          "THE DIAMETER AT THE SECTION'S BOTTOM (XSTAB 19) IS 0.000000; EXPECTED A POSITIVE VALUE"}},
        {"a tapered section of negative Iz at its bottom",
         edit(all, {{93, "1.5E6 706.9 -39761.0 39761.0 0.0 1.6E11 1.5E7 5.0E5 3.6E6 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 93", "RECORD: CROSS SECTION 1, RECORD 6 (XSTAB 27-36)",
          "THE MOMENT OF INERTIA IZ OF THE SECTION (XSTAB 29) IS -39761.00; EXPECTED A POSITIVE VALUE, OR 0 FOR "
          "THAT OF A SOLID CIRCLE OF THE DIAMETER"}},
        {"a nonlinear section of zero modulus", edit(all, {{98, "36.0 1017.9 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 98", s8, "RECORD: CROSS SECTION 2, RECORD 3 (XSTAB 1, 10-12, 14-17)",
          "THE YOUNG MODULUS OF THE SECTION (XSTAB 17) IS 0.000000; EXPECTED A POSITIVE VALUE"}},
        {"a user-EI section of negative diameter", edit(all, {{112, "-24.0 452.4 0.0 0.0 0.0 0.0 0.0 29.0E6"}}),
         {"INPUT DATA FILE input.dat, LINE 112", "RECORD: CROSS SECTION 3, RECORD 3 (XSTAB 1, 10-12, 14-17)",
          "THE DIAMETER OF THE SECTION (XSTAB 1) IS -24.00000; EXPECTED A POSITIVE VALUE"}},
        {"a user-EI section naming a set that does not exist", edit(all, {{122, "0 0 1 2 0 0 0 0 0.0 0.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 122",
          "SECTION 8 (CROSS SECTIONS), 8TH SECTION OF THE FILE, HEADER: CROSS SECTIONS",
          "RECORD: CROSS SECTION 3, LAST RECORD (XSNLI 25-32, XSNLR 33-35)",
          "THE MOMENT-CURVATURE SET OF BENDING AXIS 2 (XSNLI FIELD 28) IS 2; THE FILE HOLDS 1 USER SETS (NMPS), 0 "
          "FOR NONE"}},
        {"more moment-curvature tables than the tables hold", edit(all, {{170, "150"}, {175, sets_2_to_150}}),
         {"INPUT DATA FILE input.dat, LINE 170",
          "SECTION 11 (USER MOMENT-CURVATURE SETS), 16TH SECTION OF THE FILE, HEADER: USER MOMENT-CURVATURE SETS",
          "RECORD: NMPS",
          "THE MOMENT-CURVATURE TABLES WOULD NUMBER 152: 150 USER SETS AND 2 FOR THE NONLINEAR CROSS SECTIONS; AT "
          "MOST 150"}},
        {"a nonlinear cross section without its curves", edit(all, {{177, "1"}}),
         {"INPUT DATA FILE input.dat, LINE 177",
          "SECTION 12 (MOMENT-CURVATURE CURVES OF THE CROSS SECTIONS), 17TH SECTION OF THE FILE, HEADER: "
          "MOMENT-CURVATURE OF CROSS SECTIONS",
          "RECORD: NSCCRV", "CROSS SECTION 2 IS NONLINEAR (KIND 2) BUT NSCCRV IS 1: ITS MOMENT-CURVATURE CURVES ARE MISSING"}},
        {"51 generated torque-rotation curves", edit(m, {{53, "51"}}),
         {"INPUT DATA FILE input.dat, LINE 53",
          "THE NUMBER OF GENERATED TORQUE-ROTATION CURVES (NTRGEN) IS 51; EXPECTED 0 TO 50"}},
        // Bytes a terminal acts on, and bytes outside ASCII, are shown by name.
        {"an escape sequence in a header, a NUL in a value",
         edit(m, {{3, "CONTROL\x1b[2J INTEGERS"},
                  {4, std::string("1") + '\0' + " 3 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 0 0"}}),
         {"INPUT DATA FILE input.dat, LINE 4",
          "SECTION 1 (CONTROL INTEGERS), 1ST SECTION OF THE FILE, HEADER: CONTROL<ESC>[2J INTEGERS",
          "EXPECTED AN INTEGER FOR VALUE 1 OF THE RECORD, FOUND \"1<NUL>\""}},
        {"bytes outside ASCII in a value", edit(m, {{25, "1\xC3\xA9"}}),
         {"INPUT DATA FILE input.dat, LINE 25", "EXPECTED AN INTEGER FOR VALUE 1 OF THE RECORD, FOUND \"1\\xC3\\xA9\""}},
        // A line far longer than any record is refused where it stands.
        {"a record line of 70,000 characters", edit(m, {{17, std::string(70000, '1')}}),
         {"INPUT DATA FILE input.dat, LINE 17", "RECORD: LOAD CASE 1, CONCENTRATED LOAD 1, RECORD 8 (CLOAD 1-9)",
          "THE LINE IS LONGER THAN 65536 CHARACTERS"}},
        {"a title line of 70,000 characters", edit(m, {{1, std::string(70000, 'T')}}),
         {"INPUT DATA FILE input.dat, LINE 1", "TITLE AND VERSION LINES", "RECORD: TITLE LINE",
          "THE LINE IS LONGER THAN 65536 CHARACTERS"}},
        // A concentrated load of eight values takes its ninth from the next
        // line; the fault shows three lines on, and the block names the
        // record where it begins.
        {"a record short of a value", edit(m, {{17, "100000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"INPUT DATA FILE input.dat, LINE 20", s3, "RECORD: LOAD CASE 1, RECORD 10 (NSTLEV)",
          "EXPECTED AN INTEGER FOR VALUE 1 OF THE RECORD, FOUND \"LOAD\"",
          "THE RECORD BEGUN ON LINE 17 (LOAD CASE 1, CONCENTRATED LOAD 1, RECORD 8 (CLOAD 1-9)) TOOK VALUES FROM "
          "LINES 17 TO 18: IF LINE 17 IS SHORT OF A VALUE, THE FAULT LIES THERE"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RunFiles r = run_input(c.text);
        EXPECT_EQ(r.status, 37);
        EXPECT_NE(r.log.find("\n\n\n" + std::string(29, ' ') + "**** FATAL ERROR ****\n"), std::string::npos) << r.log;
        EXPECT_NE(r.log.find("     * ERROR IN ANALYSIS *\n     INPUT DATA FILE IS MALFORMED OR INCOMPLETE\n"),
                  std::string::npos);
        for (const std::string& l : c.lines) {
            EXPECT_EQ(occurrences(r.log, "\n     " + l + "\n"), 2u) << l << "\n" << r.log;
            EXPECT_EQ(occurrences(r.echo, "\n     " + l + "\n"), 1u) << l;
        }
    }
}

// Checks of an input that reads: a header that names another section (or
// none) and a pile head outside the cap's plan are warned of, and the run
// goes on; a pile reaching below the deepest soil layer stops the run before
// any curve is built along it, naming the row, its tip and the profile's
// bottom. Each case gives the status and the lines expected in the run log
// and in the input echo (whole lines, after their five blanks).
TEST(InputReader, ChecksOfAFileThatReads) {
    const std::string m = fixture("minimal3d.in");
    const std::string plane = fixture("plane_switches.in");
    const std::vector<std::string> banana = {
        "THE HEADER ON LINE 24, \"BANANA\",",
        "DOES NOT NAME SECTION 6 (PILE TABLE), WHICH IS READ HERE AS THE 6TH SECTION OF THE FILE;",
        "A SECTION IS KNOWN BY ITS PLACE ALONE: CHECK THAT NO SECTION IS MISSING OR OUT OF ORDER"};
    struct Case {
        const char* what;
        std::string text;
        int status;
        std::vector<std::string> log, echo;
    };
    const Case cases[] = {
        {"a header that names no section", edit(m, {{24, "BANANA"}}), 0, banana, banana},
        // The torque-rotation header where the load-settlement one stands:
        // the section before it is missing.
        {"the header of another section", edit(m, {{49, "GENERATED TORQUE-ROTATION CURVES"}}), 0,
         {"THE HEADER ON LINE 49, \"GENERATED TORQUE-ROTATION CURVES\",",
          "DOES NOT NAME SECTION 10 (GENERATED LOAD-SETTLEMENT CURVES), WHICH IS READ HERE AS THE 10TH SECTION OF "
          "THE FILE;"},
         {}},
        // An Iy of 0 is the solid circle's, 0.0491 x 18^4 = 5,154.3 in^4 for
        // the 18 in pipe: the echo shows the value the analysis uses, marked.
        {"an Iy of 0 in a space file", edit(m, {{39, "11.2E6 27.5 1070.0 0.0 0.0 2.4E10 5.0E6 3.0E5 29.0E6 0.0 0"}}),
         0, {},
         {"* DERIVED: AN INERTIA GIVEN AS 0 IS THAT OF A SOLID CIRCLE OF THE SECTION DIAMETER, 0.0491 D**4, WHICH THE "
          "ANALYSIS USES"}},
        // The plane model bends about Iz only: its Iy is not read, negative or not.
        {"a negative Iy in a plane file", edit(plane, {{41, "508.0 15500.0 4.7E8 -1.0 0.0 0.0 0.0 2.0E8"}}), 0, {},
         {}},
        // In the open system the sand's p-y curves take the English k when
        // none is given (phi 35 deg, 110 F/D^3 above the water: (0.4168 x 35
        // - 8.1254) x 35 - 83.664 = 142.527), and the echo shows it.
        {"a sand without k in the open system",
         edit(m, {{4, "3 3 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 0 0"},
                  {47, "110.0 0.0 35.0 0.0 0.0 0.0 0.0 500.0 30000.0"},
                  {48, "110.0 0.0 35.0 0.0 0.0 0.0 0.0 1500.0 90000.0"}}),
         0, {}, {"    P-Y SUBGRADE MODULUS          (F/L/ L**3)        142.527 (K)       142.527 (K) "}},
        // The 10 x 10 ft cap spans -5 to 5 ft both ways.
        {"a pile head 1 ft beyond the cap's edge along Z", edit(m, {{28, "0.0 2.0 6.0 0.0 90.0 0.0 0.0"}}), 0, {},
         {"THE HEAD OF PILE ROW    1 LIES OUTSIDE THE PLAN OF THE PILE CAP:",
          "Y =       2.000 FT, Z =       6.000 FT; THE CAP SPANS Y =      -5.000 TO       5.000 AND Z =      -5.000 "
          "TO       5.000 FT"}},
        {"a plane row beyond the cap's length", edit(plane, {{31, "0.0 2.5 0.0 0.0"}}), 0, {},
         {"THE HEAD OF PILE ROW    2 LIES OUTSIDE THE PLAN OF THE PILE CAP:",
          "Y =       2.500  M; THE CAP SPANS Y =      -2.000 TO       2.000  M"}},
        {"a 40 ft pile in 30 ft of sand", edit(m, {{45, "0.0 30.0"}}), 3,
         {"PILE ROW 1 REACHES BELOW THE SOIL PROFILE: ITS TIP LIES AT A DEPTH OF 40.000 FT,",
          "AND THE DEEPEST SOIL LAYER (LAYER 1) ENDS AT 30.000 FT; EXTEND THE SOIL LAYERS DOWN TO THE PILE TIPS",
          "PILE LENGTH EXTENDS BELOW THE BOTTOM"},
         {"PILE ROW 1 REACHES BELOW THE SOIL PROFILE: ITS TIP LIES AT A DEPTH OF 40.000 FT,"}},
        {"a plane row of 15 m piles in 12 m of clay", edit(plane, {{53, "0.0 12.0"}}), 13,
         {"PILE ROW 1 REACHES BELOW THE SOIL PROFILE: ITS TIP LIES AT A DEPTH OF 15.000 M,",
          "AND THE DEEPEST SOIL LAYER (LAYER 1) ENDS AT 12.000 M; EXTEND THE SOIL LAYERS DOWN TO THE PILE TIPS"},
         {}},
        // A zero friction angle or rock strength stops the run with its
        // status text, and says which layer of the file gave it: the echo
        // after the stop block, the run log after the final status.
        {"a sand without friction angle",
         edit(m, {{47, "110.0 0.0 0.0 90.0 0.0 0.0 0.0 500.0 30000.0"}, {48, "110.0 0.0 0.0 90.0 0.0 0.0 0.0 1500.0 90000.0"}}),
         30,
         {"SAND, THE FRICTION ANGLE IS ZERO", "IN SOIL LAYER   1 (SOIL CODE  4) FROM X =      0.000 TO     60.000 FT:",
          "THE FRICTION ANGLE IS FIELD 3 OF ITS RECORDS 4 AND 5, LINES      47 TO      48 OF THE INPUT DATA FILE "
          "input.dat"},
         {"  THE FRICTION ANGLE IS 0 FOR SAND ACCORING TO THE INPUT",
          "  IN SOIL LAYER   1 (SOIL CODE  4) FROM X =      0.000 TO     60.000 FT:",
          "  THE FRICTION ANGLE IS FIELD 3 OF ITS RECORDS 4 AND 5, LINES      47 TO      48 OF THE INPUT DATA FILE "
          "input.dat"}},
        {"a weak rock without strength",
         edit(m, {{44, "1 9"}, {45, "0.0 60.0"}, {46, "2 9"}, {47, "140.0 0.0 0.0 0.0 1.0E5 0.0005 50.0 500.0 30000.0"},
                  {48, "140.0 0.0 0.0 0.0 1.0E5 0.0005 50.0 1500.0 90000.0"}}),
         21,
         {"WEAK ROCK, THE COHESIVE STRENGTH IS ZERO",
          "IN SOIL LAYER   1 (SOIL CODE  9) FROM X =      0.000 TO     60.000 FT:",
          "THE COMPRESSIVE STRENGTH QU IS FIELD 2 OF ITS RECORDS 4 AND 5, LINES      47 TO      48 OF THE INPUT DATA "
          "FILE input.dat"},
         {"  IN SOIL LAYER   1 (SOIL CODE  9) FROM X =      0.000 TO     60.000 FT:"}},
        // 49 increments of 98.3 ft / 49 add up to a hair more than 98.3 ft:
        // a tip on the profile's bottom stands on it, and the run completes.
        {"a pile whose tip lies on the bottom of the profile", edit(m, {{32, "49 98.3 1"}, {33, "0.0 98.3 1"}, {45, "0.0 98.3"}}),
         0, {}, {}},
        // The head 1 ft down: the tip at 41 ft in a profile of 40 ft.
        {"a pile whose head is below the ground surface", edit(m, {{28, "1.0 0.0 0.0 0.0 90.0 0.0 0.0"}, {45, "0.0 40.0"}}),
         3, {"PILE ROW 1 REACHES BELOW THE SOIL PROFILE: ITS TIP LIES AT A DEPTH OF 41.000 FT,"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RunFiles r = run_input(c.text);
        EXPECT_EQ(r.status, c.status) << r.log;
        for (const std::string& l : c.log) EXPECT_NE(r.log.find("\n     " + l + "\n"), std::string::npos) << l << "\n" << r.log;
        for (const std::string& l : c.echo) EXPECT_NE(r.echo.find("\n     " + l + "\n"), std::string::npos) << l << "\n" << r.echo;
    }
    // The fixtures as they stand draw none of these.
    for (const std::string& text : {m, plane}) {
        const RunFiles r = run_input(text);
        EXPECT_EQ(r.echo.find("WARNING"), std::string::npos) << r.echo;
        EXPECT_EQ(r.log.find("DOES NOT NAME SECTION"), std::string::npos);
    }
}

// Mistakes that read are warned of on the run log and the input echo, each
// naming what is wrong, the file's line, the section and the record (whole
// lines of the block, after their five blanks), and the file reads on. A
// clean input (every example and fixture among them) gets no warning.
TEST(InputReader, MistakesThatReadAreWarned) {
    const std::string m = fixture("minimal3d.in");
    const std::string p = fixture("plane_switches.in");
    const std::string load1 = "RECORD: LOAD CASE 1, CONCENTRATED LOAD 1, RECORD 8 (CLOAD 1-9)";
    const std::string beyond = " (A VALUE TOO MANY, OR A DECIMAL COMMA THAT SPLIT A NUMBER; A COMMENT BEGINS WITH !)";
    const std::string far = " BEYOND THEM (THE LARGER OF THEIR SPREAD AND THE CAP'S PLAN) IS FAR";
    const std::string no_load = "LOAD CASE 1 HOLDS NO LOAD (NO CONCENTRATED LOAD WITH A FORCE OR MOMENT, NO "
                                "DISTRIBUTED-LOAD LINE, NO POINT OF DEFINITION): IT IS SOLVED AT ZERO LOAD AND ADDS "
                                "NOTHING TO A COMBINATION";
    // Line 17 (the case's only load) taken out, NCLOAD 0.
    std::vector<std::string> no_cload = lines_of(edit(m, {{16, "0"}}));
    no_cload.erase(no_cload.begin() + 16);
    std::string without_loads;
    for (const std::string& l : no_cload) without_loads += l + "\n";
    const std::string kgrprf0 = "1 3 0 0 0 0 0 0 0 0 0 0 0 0 1 0 0 0 0 0";
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a value too many", edit(m, {{17, "100000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 5.0 ! 100 KIPS"}}),
         {"LINE 17 HOLDS VALUES BEYOND THE 9 VALUES OF ITS RECORD, WHICH ARE NOT READ: \"5.0\"" + beyond,
          "INPUT DATA FILE input.dat, LINE 17", kLoadCases, load1}},
        // 600,5 is read as 600 and 5: FY becomes 5 and the last zero is left over.
        {"a decimal comma", edit(m, {{17, "100000.0 600,5 0.0 0.0 0.0 0.0 0.0 0.0 0.0"}}),
         {"LINE 17 HOLDS VALUES BEYOND THE 9 VALUES OF ITS RECORD, WHICH ARE NOT READ: \"0.0\"" + beyond, load1}},
        {"a repeat count beyond the record", edit(m, {{15, "30*1"}}),
         {"LINE 15 HOLDS VALUES BEYOND THE 25 VALUES OF ITS RECORD, WHICH ARE NOT READ: \"30*1\"" + beyond,
          "RECORD: LOAD CASE 1, RECORD 7 (EFFSLC 1-25)"}},
        // sin 30 = 0.5: the axis 60 degrees from the vertical.
        {"a pile flatter than 45 degrees", edit(m, {{28, "0.0 0.0 0.0 0.0 30.0 0.0 0.0"}}),
         {"THE PILE IS 60.00000 DEGREES FROM THE VERTICAL (BETA (PGRB3 5) IS 30.00000), FLATTER THAN 45 DEGREES: "
          "CHECK THE ANGLE AND ITS FIELD",
          "INPUT DATA FILE input.dat, LINE 28", kPileTable, "RECORD: PILE ROW 1, RECORD 3 (PGRB3 1-7)"}},
        {"a plane row flatter than 45 degrees", edit(p, {{28, "0.0 -1.0 50.0 0.0"}}),
         {"THE PILE IS 50.00000 DEGREES FROM THE VERTICAL (THE SLOPE ANGLE (PGRB2 3) IS 50.00000), FLATTER THAN 45 "
          "DEGREES: CHECK THE ANGLE AND ITS FIELD",
          "INPUT DATA FILE input.dat, LINE 28", "RECORD: PILE ROW 1, RECORD 3 (PGRB2 1-4)"}},
        {"a p-multiplier of 0 taken from the table", edit(m, {{4, kgrprf0}, {27, "0.0 0.0 0.0 1.0 1.0 1.0 1.0"}}),
         {"THE P-MULTIPLIER ALONG Y (PGRA3 3) IS 0: THE SOIL GIVES THE PILE NO LATERAL RESISTANCE; 1.0 IS NEUTRAL",
          "INPUT DATA FILE input.dat, LINE 27", kPileTable, "RECORD: PILE ROW 1, RECORD 2 (PGRA3 1-7)"}},
        {"a Z y-multiplier of 0 combined by direction",
         edit(m, {{4, "1 3 0 0 0 0 0 2 0 0 0 0 0 0 1 0 0 0 0 0"}, {27, "0.0 0.0 1.0 1.0 1.0 0.0 1.0"}}),
         {"THE Y-MULTIPLIER ALONG Z (PGRA3 6) IS 0: THE P-Y CURVES ARE DIVIDED BY IT; 1.0 IS NEUTRAL"}},
        {"a plane y-multiplier of 0",
         edit(p, {{4, "2 2 1 0 0 0 0 0 0 0 0 0 0 0 1 0 0 0 1 0"}, {30, "0.0 1.5 1.0 0.0 1.0"}}),
         {"THE Y-MULTIPLIER ALONG Y (PGRA2 4) IS 0: THE P-Y CURVES ARE DIVIDED BY IT; 1.0 IS NEUTRAL",
          "INPUT DATA FILE input.dat, LINE 30", "RECORD: PILE ROW 2, RECORD 2 (PGRA2 1-5)"}},
        {"the first layer 0.5 ft below the ground line", edit(m, {{45, "0.5 60.0"}}),
         {"THE GROUND LINE OF PILE ROW 1 IS AT X = 0.000000 FT (HEAD X, PGRB3 1, PLUS PGRB3 7: 0.000000 + "
          "0.000000), THE TOP OF THE FIRST SOIL LAYER AT X = 0.5000000 FT; A GROUND LINE (PGRB3 7) OF 0.5000000 FT "
          "PUTS THEM TOGETHER",
          "INPUT DATA FILE input.dat, LINE 28", kPileTable, "RECORD: PILE ROW 1, RECORD 3 (PGRB3 1-7)"}},
        {"a head 1 ft down whose ground line is at the head", edit(m, {{28, "1.0 0.0 0.0 0.0 90.0 0.0 0.0"}}),
         {"THE GROUND LINE OF PILE ROW 1 IS AT X = 1.000000 FT (HEAD X, PGRB3 1, PLUS PGRB3 7: 1.000000 + "
          "0.000000), THE TOP OF THE FIRST SOIL LAYER AT X = 0.000000 FT; A GROUND LINE (PGRB3 7) OF -1.000000 FT "
          "PUTS THEM TOGETHER"}},
        // Under this embedded cap a ground line below the soil's top is the
        // cap's business; one above it is not.
        {"a plane row whose ground line is 0.5 m above the soil", edit(p, {{31, "0.0 1.0 0.0 -0.5"}}),
         {"THE GROUND LINE OF PILE ROW 2 IS AT X = -0.5000000 M (HEAD X, PGRB2 1, PLUS PGRB2 4: 0.000000 + "
          "-0.5000000), THE TOP OF THE FIRST SOIL LAYER AT X = 0.000000 M; A GROUND LINE (PGRB2 4) OF 0.000000 M "
          "PUTS THEM TOGETHER",
          "INPUT DATA FILE input.dat, LINE 31", "RECORD: PILE ROW 2, RECORD 3 (PGRB2 1-4)"}},
        {"a case without concentrated loads", without_loads,
         {no_load, "INPUT DATA FILE input.dat, LINE 16", kLoadCases, "RECORD: LOAD CASE 1, RECORD 8 (NCLOAD)"}},
        {"a case whose load is all zero", edit(m, {{17, "0.0 0.0 0.0 0.0 0.0 0.0 0.0 3.0 0.0"}}),
         {no_load, "INPUT DATA FILE input.dat, LINE 16"}},
        {"a case whose loads are scaled by 0", edit(m, {{13, "2 5 0.0 0 0.0 0.0 0 0 0"}}),
         {"THE FACTOR ON THE LOADS OF LOAD CASE 1 (LCSCAL) IS 0: IT IS SOLVED AT ZERO LOAD AND ADDS NOTHING TO A "
          "COMBINATION; 1.0 TAKES THE LOADS AS GIVEN",
          "INPUT DATA FILE input.dat, LINE 13",
          "RECORD: LOAD CASE 1, RECORD 5 (LCPRT, LCPINC, LCSCAL, LCALTF, LCALTD, LCALTR, LCAXV, LCSKIP, LCEIPR)"}},
        // One head at the origin under a 10 x 10 ft cap: a point more than
        // 10 ft from it is far.
        {"a load 41 ft off the pile", edit(m, {{17, "100000.0 0.0 0.0 0.0 0.0 0.0 0.0 41.0 0.0"}}),
         {"CONCENTRATED LOAD 1 OF LOAD CASE 1 ACTS AT Y = 41.00000, Z = 0.000000 FT (CLOAD 8, 9), FAR OUTSIDE THE "
          "PILE HEADS: THEY SPAN Y = 0.000000 TO 0.000000 AND Z = 0.000000 TO 0.000000 FT, AND A POINT MORE THAN "
          "10.00000 FT" + far,
          "INPUT DATA FILE input.dat, LINE 17", kLoadCases, load1}},
        {"a load 10.5 ft off along Z", edit(m, {{17, "100000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 -10.5"}}),
         {"CONCENTRATED LOAD 1 OF LOAD CASE 1 ACTS AT Y = 0.000000, Z = -10.50000 FT (CLOAD 8, 9), FAR OUTSIDE THE "
          "PILE HEADS: THEY SPAN Y = 0.000000 TO 0.000000 AND Z = 0.000000 TO 0.000000 FT, AND A POINT MORE THAN "
          "10.00000 FT" + far}},
        // Heads at Y = -1 and 1 m, a 4 m cap: 4 m beyond them is 5 m.
        {"a plane load 5.5 m off", edit(p, {{17, "1500.0 100.0 0.0 0.0 0.0 0.0 0.0 5.5 0.0"}}),
         {"CONCENTRATED LOAD 1 OF LOAD CASE 1 ACTS AT Y = 5.500000 M (CLOAD 8), FAR OUTSIDE THE PILE HEADS: THEY "
          "SPAN Y = -1.000000 TO 1.000000 M, AND A POINT MORE THAN 4.000000 M" + far}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Read r = read_input(c.text);
        EXPECT_EQ(r.status, 0) << r.log;
        EXPECT_EQ(occurrences(r.log, "**** WARNING ****"), 1u) << r.log;
        EXPECT_EQ(occurrences(r.echo, "**** WARNING ****"), 1u) << r.echo;
        for (const std::string& l : c.lines) {
            EXPECT_EQ(occurrences(r.log, "\n     " + l + "\n"), 1u) << l << "\n" << r.log;
            EXPECT_EQ(occurrences(r.echo, "\n     " + l + "\n"), 1u) << l;
        }
    }
    // At the bounds, and as every example and fixture stands: no warning. A
    // comment after the values is none of them; 45 degrees from the
    // vertical is not flatter; multipliers of 0 that the computed factors
    // replace are not used; a head 2 ft above the ground with a ground line
    // of 2 ft agrees; a load 10 ft from the only head is near.
    std::vector<std::pair<std::string, std::string>> clean = {
        {"a comment", edit(m, {{17, "100000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 ! 100 KIPS DOWN"}})},
        {"BETA 45", edit(m, {{28, "0.0 0.0 0.0 0.0 45.0 0.0 0.0"}})},
        {"BETA 135", edit(m, {{28, "0.0 0.0 0.0 0.0 135.0 0.0 0.0"}})},
        {"a plane slope of -45", edit(p, {{28, "0.0 -1.0 -45.0 0.0"}})},
        {"computed factors", edit(m, {{27, "0.0 0.0 0.0 0.0 0.0 0.0 1.0"}})},
        {"a head above the ground", edit(m, {{28, "-2.0 0.0 0.0 0.0 90.0 0.0 2.0"}})},
        {"a load 10 ft off", edit(m, {{17, "100000.0 0.0 0.0 0.0 0.0 0.0 0.0 -10.0 10.0"}})},
        {"a plane load 5 m off", edit(p, {{17, "1500.0 100.0 0.0 0.0 0.0 0.0 0.0 -5.0 0.0"}})},
        {"a plane ground line under the embedded cap", edit(p, {{31, "0.0 1.0 0.0 0.5"}})},
    };
    for (const auto& dir : {fs::path(ZOLAN_FIXTURES_DIR), fs::path(ZOLAN_FIXTURES_DIR) / ".." / ".." / "examples"})
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".in") clean.emplace_back(e.path().filename().string(), test::read_file(e.path()));
    int fixtures = 0;
    for (const auto& [what, text] : clean) {
        SCOPED_TRACE(what);
        const Read r = read_input(text);
        EXPECT_EQ(r.status, 0) << r.log;
        EXPECT_EQ(r.log.find("WARNING"), std::string::npos) << r.log;
        EXPECT_EQ(r.echo.find("WARNING"), std::string::npos) << r.echo;
        fixtures += what.ends_with(".in");
    }
    EXPECT_GE(fixtures, 20);
}

// The iteration limits and load increments at their bounds are read; one
// step beyond, the file is refused.
TEST(InputReader, IterationAndLoadStepBounds) {
    const std::string m = fixture("minimal3d.in");
    struct Case {
        const char* lcopt;
        const char* lctol;
        int status;
    };
    const Case cases[] = {
        {"0 0 0 1 0 1000 1000", "1.0E-5 1.0E-5 1.0E-4 1.0E-4", 0},  // 10,000 steps of 1e-4
        {"0 0 0 1 0 1001 1000", "1.0E-5 1.0E-5 1.0E-4 1.0E-4", 37},
        {"0 0 0 1 0 1000 1001", "1.0E-5 1.0E-5 1.0E-4 1.0E-4", 37},
        {"0 0 0 1 0 100 200", "1.0E-5 1.0E-5 9.9E-5 1.0", 37},       // 10,102 steps
        // From 1 the halvings stop at 2^-13 (8192 steps) when the minimum
        // is above 2^-14 = 6.103515625e-5, and reach 2^-14 (16384) at it.
        {"0 0 0 1 0 100 200", "1.0E-5 1.0E-5 1.0 6.2E-5", 0},
        {"0 0 0 1 0 100 200", "1.0E-5 1.0E-5 1.0 6.103515625E-5", 37},
        // An initial factor above 1 is one step at the full load.
        {"0 0 0 1 0 100 200", "1.0E-5 1.0E-5 5.0 6.2E-5", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lcopt) + " / " + c.lctol);
        const Read r = read_input(edit(m, {{9, c.lcopt}, {10, c.lctol}}));
        EXPECT_EQ(r.status, c.status) << r.log;
    }
}

// A byte-order mark that an editor put before the title is not part of it.
TEST(InputReader, ByteOrderMarkBeforeTheTitle) {
    const Read r = read_input("\xEF\xBB\xBF" + fixture("minimal3d.in"));
    ASSERT_EQ(r.status, 0) << r.log;
    EXPECT_TRUE(std::string(TITLE.view()).starts_with("ONE VERTICAL PIPE PILE IN SAND")) << TITLE.view();
}

// The fatal block as a whole, on the run log before the final status and at
// the end of the input echo.
TEST(InputReader, FatalBlockLayout) {
    const RunFiles r = run_input(cut(fixture("minimal3d.in"), 46));
    ASSERT_EQ(r.status, 37);
    const std::string detail =
        "     INPUT DATA FILE input.dat ENDS AFTER LINE 46\n"
        "     SECTION 9 (SOIL LAYERS), 9TH SECTION OF THE FILE, HEADER: SOIL LAYERS\n"
        "     RECORD: LAYER 1, RECORD 4 (LAYPRP AT THE TOP)\n"
        "     THE FILE ENDED WHERE VALUE 1 OF THE RECORD (A REAL NUMBER) WAS EXPECTED\n";
    const std::string block = "\n\n\n" + std::string(29, ' ') + "**** FATAL ERROR ****\n" + detail;
    EXPECT_TRUE(r.echo.ends_with(block)) << r.echo;
    const std::string tail = "     READING SOIL LAYERS" + std::string(69, ' ') + "\n" + block +
                             "     \n     * ERROR IN ANALYSIS *\n     INPUT DATA FILE IS MALFORMED OR INCOMPLETE\n" +
                             detail + "     Execution Time    :";
    EXPECT_NE(r.log.find(tail), std::string::npos) << r.log;
}

// The curve file is opened after the control integers; a name it cannot be
// created under is a run-file failure.
TEST(InputReader, CurveFileThatCannotBeOpened) {
    auto names = test::default_names();
    names[24] = "no/such/folder/curves.dat";
    const RunFiles r = run_input(fixture("minimal3d.in"), names);
    EXPECT_EQ(r.status, 38);
    EXPECT_NE(r.log.find("     curve file (Names.dat record 24) no/such/folder/curves.dat: cannot open"),
              std::string::npos)
        << r.log;
    EXPECT_EQ(reading_lines(r.log).back(), "CONTROL INTEGERS");
}

// Every file of the current folder, without the lines that hold the clock
// or name the folder.
std::map<std::string, std::string> folder_files() {
    static const std::regex clock_lines("( +Date:  [^\n]*| +Execution Time[^\n]*| +(Serial|Paral\\.|Print\\.) processing[^\n]*"
                                        "| +Path to file locations[^\n]*)\n");
    std::map<std::string, std::string> out;
    for (const auto& e : fs::directory_iterator("."))
        if (e.is_regular_file())
            out[e.path().filename().string()] = std::regex_replace(test::read_file(e.path()), clock_lines, "");
    return out;
}

// Bad files leave nothing behind: after them a good file run in the same
// process writes exactly what a fresh process writes for it. The good file
// is the one with every switch on, its flexible cap writing the slab decks
// (its piles do not close under the cap's loads, so a slab analysis of it
// fails).
TEST(InputReader, GoodRunAfterBadOnesWritesWhatAFreshProcessWrites) {
    const fs::path cli = fs::path(ZOLAN_BINARY_DIR) / "zolan";
    if (!fs::exists(cli)) GTEST_SKIP() << "no front end at " << cli;
    const std::string all = edit(fixture("all_switches3d.in"), {{4, "1 3 2 2 1 1 1 3 1 1 1 0 1 1 1 1 1 1 1 1"}});
    const std::vector<std::pair<int, std::string>> nantyp4 = {{4, "1 4 2 1 1 1 1 3 1 1 1 0 1 1 1 1 1 1 1 1"}};
    for (const std::string& bad : {cut(all, 205), edit(all, nantyp4), cut(fixture("minimal3d.in"), 46)})
        EXPECT_EQ(run_input(bad).status, 37);

    test::TempDir same;
    test::write_names(test::default_names());
    test::write_file("input.dat", all);
    ASSERT_EQ(IZOLAN(2), 0);
    const auto here = folder_files();

    test::TempDir fresh;
    test::write_names(test::default_names());
    test::write_file("input.dat", all);
    const std::string command = "'" + cli.string() + "' run --names > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto there = folder_files();

    ASSERT_EQ(here.size(), there.size());
    for (const auto& [name, text] : here) {
        ASSERT_TRUE(there.contains(name)) << name;
        EXPECT_EQ(text, there.at(name)) << name;
    }
    EXPECT_NE(here.at("runtime.txt").find("READING CURVE FILE"), std::string::npos);
}

}  // namespace
}  // namespace zolan

namespace zolan {
namespace {

// The piles of all plane rows together are as many as the group factors are
// sized for: a row of 2,500 piles beside one of 4 is an input error.
TEST(InputReader, PlaneRowsHoldAtMostTheTablesPiles) {
    const std::string plane = test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/plane_switches.in");
    EXPECT_EQ(read_input(plane).status, 0);
    const Read r = read_input(edit(plane, {{26, "2 2500 1 0 0 0 1"}}));
    EXPECT_EQ(r.status, 37);
    EXPECT_NE(r.log.find("ADD UP TO 2504; AT MOST 2500 PILES IN ALL"), std::string::npos) << r.log;
}

}  // namespace
}  // namespace zolan

namespace zolan {
namespace {

// A stiffness-estimation case whose block the estimation points could not
// follow (here a method other than 0 and 1) is an input error of its case.
TEST(InputReader, EstimationBlockIsChecked) {
    const std::string m = test::read_file(std::string(ZOLAN_FIXTURES_DIR) + "/minimal3d.in");
    // Kind 11: stiffness at levels; 13 values: one level, then the method block.
    std::string block = "13\n1.0\n5";
    for (int k = 0; k < 11; ++k) block += "\n0";
    const Read r = read_input(edit(m, {{12, "0 11 0 0 0 0 0 0"}, {19, block}}));
    EXPECT_EQ(r.status, 37);
    EXPECT_NE(r.log.find("THE STIFFNESS METHOD IS 5"), std::string::npos) << r.log;
    // The same block with the total-load method (0) reads.
    block = "13\n1.0\n0";
    for (int k = 0; k < 11; ++k) block += "\n0";
    EXPECT_EQ(read_input(edit(m, {{12, "0 11 0 0 0 0 0 0"}, {19, block}})).status, 0);
}

}  // namespace
}  // namespace zolan
