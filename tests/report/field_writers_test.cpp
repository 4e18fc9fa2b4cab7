#include "report/field_writers.h"

#include <gtest/gtest.h>

#include <string>

#include "report/run_files.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// The real-number rule: fixed or exponent form and the decimals, by magnitude,
// with the bounds 10^(3-n) and 10^n taken in single precision.
TEST(RealRule, FieldsOfWorkedCases) {
    struct Case {
        int w, n;
        double x;
        const char* field;
    };
    const Case cases[] = {
        {12, 5, 0.0, "     0.00000"},          // zero: Fw.n showing zero
        {12, 5, 1.0e-60, "     0.00000"},      // below 1E-50: written as 0.0
        {12, 5, -1.0e-60, "     0.00000"},     // the written value is 0.0, no sign
        {12, 5, -0.5, "    -0.50000"},         // log10 0.5 = -0.30: k = 0, d = 5
        {12, 5, 123456.0, " 1.23456E+05"},     // >= 10^5: 1P,E12.5
        {12, 5, 100000.0, " 1.00000E+05"},     // the upper bound itself
        {12, 5, 0.05, "   0.0500000"},         // int(log10) = -1, less one: k = -2, d = 7
        {12, 5, 12.345678, "     12.3457"},    // k = 1, d = 4
        {12, 5, 0.0123456, "   0.0123456"},    // k = -2, d = 7
        {12, 5, 0.01, " 1.00000E-02"},         // k = -3, d = 8 > n + 2
        {12, 3, 1.0, "   1.000E+00"},            // n = 3: |x| <= 10^0 is exponent form
        {12, 3, 0.5, "   5.000E-01"},
        {12, 3, 2.5, "       2.500"},        // k = 0, d = 3
        {16, 8, 0.05, "    0.0500000000"},     // n = 8: k = -2, d = 10 = n + 2: fixed
        {16, 8, 0.005, "  5.00000000E-03"},    // k = -3, d = 11 > n + 2
        // n = 4: lo = 0.1 in single precision = 0.100000001490116; a double just
        // above 0.1 but below that bound is exponent form; in double it would be F12.4.
        {12, 4, 0.1000000005, "  1.0000E-01"},
        {12, 4, 0.1000001, "      0.1000"},    // above the single-precision bound: k = 0, d = 4
        {12, 5, -7.25, "    -7.25000"},        // k = 0, d = 5
    };
    for (const Case& c : cases) {
        std::string out;
        edit_real(out, c.w, c.n, c.x);
        EXPECT_EQ(out, c.field) << "x = " << c.x << ", n = " << c.n;
    }
}

TEST(RealRule, FormChoice) {
    // n = 3, x = 2.5: k = 0, d = 3: fixed with three decimals.
    EXPECT_FALSE(real_form(3, 2.5).exponent);
    EXPECT_EQ(real_form(3, 2.5).decimals, 3);
    // n = 5, x = 99999.4: k = 4, d = 1.
    EXPECT_EQ(real_form(5, 99999.4).decimals, 1);
    EXPECT_FALSE(real_form(5, 99999.4).exponent);
}

// Rows built field by field on a unit end with exactly one blank; texts keep
// their fixed widths; WRTEXT drops trailing blanks.
TEST(FieldWriters, RowsOnAUnit) {
    test::TempDir dir;
    ASSERT_TRUE(io::open_unit(40, "row.txt", {io::Access::Write}));
    WRINT(40, 5, 12);
    WRREAL(40, 12, 5, -0.5);
    WRBLNK(40, 2);
    WRBLNK(40, 0);
    WRA3(40, "AB");
    WRA1(40, "XYZ");
    WREOL(40);
    WRA10(40, "PILE");
    WRA6(40, "LONGER THAN SIX");
    WREOL(40);
    WRTEXT(40, std::string("ABC") + std::string(253, ' '));
    WRTEXT(40, std::string(256, ' '));
    WREOL(40);
    io::close_unit(40);
    EXPECT_EQ(test::read_file("row.txt"),
              "   12    -0.50000  AB X \n"
              " PILE        LONGER  \n"
              "ABC \n");
}

TEST(FieldWriters, BufferWriters) {
    char line[30];
    std::fill(line, line + 30, '#');
    int col = 3;
    BUFREAL(line, 12, 5, 123456.0, col);
    EXPECT_EQ(col, 15);
    BUFBLNK(line, 2, col);
    EXPECT_EQ(col, 17);
    BUFREAL(line, 12, 5, 0.05, col);  // positions 17 to 28
    EXPECT_EQ(std::string(line, 30), "## 1.23456E+05     0.0500000##");
    // A field that runs past the end of the line writes only what fits.
    col = 25;
    BUFREAL(line, 12, 5, 1.0, col);
    EXPECT_EQ(col, 37);
    EXPECT_EQ(std::string(line + 24, 6), "     1");  // first six columns of "     1.00000"
}

}  // namespace
}  // namespace zolan
