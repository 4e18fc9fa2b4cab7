#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "report/run_files.h"
#include "results/work_file.h"
#include "results/english_fixture.h"

namespace zolan {
namespace {

class WorkFile : public test::EnglishResults {};

// Values cycled through the slots, and what each reads back as printed by
// 1P,G12.5 (pile-top, three-dimensional), E11.4 (pile-top, plane) and E12.5
// (extremes): fixed and exponent forms, three-digit exponents without the
// letter, zero, negatives, a value rounded up into the exponent form (which
// under 1P shows six significant digits).
constexpr int NV = 7;
const double written[NV] = {1234.5678, 0.012345678, -9.87654321e150, 0.0, -0.5, 99999.7, 1.0e-5};
const double as_g125[NV] = {1234.6, 0.0123457, -9.87654e150, 0.0, -0.5, 99999.7, 1.0e-5};  // 1234.6, 1.23457E-02, -9.87654+150, 0.0000, -0.50000, 9.99997E+04 (1P: six digits), 1.00000E-05
const double as_e114[NV] = {1235.0, 0.01235, -9.877e150, 0.0, -0.5, 100000.0, 1.0e-5};      // 0.1235E+04, 0.1235E-01, -0.9877+151, 0.0000E+00, -0.5000E+00, 0.1000E+06, 0.1000E-04
const double as_e125[NV] = {1234.6, 0.012346, -9.8765e150, 0.0, -0.5, 100000.0, 1.0e-5};    // 0.12346E+04, 0.12346E-01, -0.98765+151, ..., 0.10000E+06

// Slot s of pile p: pile 1 cycles forward, pile 2 starts three values on.
int pick(int p, int s) { return (s - 1 + 3 * (p - 1)) % NV; }

PTOPREC top_of(int p) {
    PTOPREC t;
    for (int s = 1; s <= NPTQ; ++s) t(s) = written[pick(p, s)];
    return t;
}

PILEXT extremes_of(int p) {
    PILEXT e;
    for (int q = 1; q <= MAXNQ; ++q) {
        e.vmin(q) = written[pick(p, q)];
        e.vmax(q) = written[pick(p, q + 1)];
        e.dmin(q) = 12.0 * q * p;  // q p feet
        e.dmax(q) = 0.6 * q;       // 0.05 q feet
    }
    return e;
}

// Two piles of either model, 16 records, read back at the columns of the
// layout: every value as printed, the pile numbers, the depths in feet.
TEST_F(WorkFile, RoundTripOfTwoPilesInBothModels) {
    for (const int nantyp : {3, 2}) {
        io::open_unit(WORKFILE, "ptop.tmp", {io::Access::Write});
        for (int p = 1; p <= 2; ++p) {
            if (nantyp == 3) write_top_records_3d(p, top_of(p));
            else write_top_records_2d(p, top_of(p));
            write_extreme_records(p, extremes_of(p));
        }
        io::close_unit(WORKFILE);
        const auto recs = test::lines_of(test::read_file("ptop.tmp"));
        ASSERT_EQ(recs.size(), 16u) << nantyp;
        const double* as_top = nantyp == 3 ? as_g125 : as_e114;
        // Slots of records 1-4 in each model (the stress last in 2 and 4).
        const std::vector<std::vector<int>> slots =
            nantyp == 3 ? std::vector<std::vector<int>>{{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12, 13},
                                                        {14, 15, 16, 17, 18, 19}, {20, 21, 22, 23, 24, 25, 13}}
                        : std::vector<std::vector<int>>{{1, 2, 3}, {4, 5, 6, 7}, {14, 15, 16}, {17, 18, 19, 7}};
        for (int p = 1; p <= 2; ++p) {
            const int b = 8 * (p - 1);
            std::string why;
            for (int r = 0; r < 4; ++r) {
                int pile = 0;
                Table1<double, MAXNQ> v;
                const int n = static_cast<int>(slots[r].size());
                ASSERT_TRUE(read_top_record(recs[b + r], nantyp, n, pile, v, why)) << why;
                EXPECT_EQ(pile, p);
                EXPECT_EQ(recs[b + r].substr(5, 6), "     " + std::to_string(p));
                for (int k = 1; k <= n; ++k)
                    EXPECT_EQ(v(k), as_top[pick(p, slots[r][k - 1])]) << nantyp << " pile " << p << " record " << r + 1 << " value " << k;
            }
            for (int r : {4, 6}) {
                int pile = 0;
                Table1<double, MAXNQ> v, d;
                FixedText<5> label;
                ASSERT_TRUE(read_extreme_values(recs[b + r], pile, v, why)) << why;
                ASSERT_TRUE(read_extreme_depths(recs[b + r + 1], label, d, why)) << why;
                EXPECT_EQ(pile, p);
                EXPECT_EQ(recs[b + r].substr(1, 8), "       " + std::to_string(p));
                EXPECT_EQ(label.view(), "x(FT)");
                for (int q = 1; q <= MAXNQ; ++q) {
                    EXPECT_EQ(v(q), as_e125[pick(p, r == 4 ? q : q + 1)]) << "record " << r + 1 << " q " << q;
                    EXPECT_NEAR(d(q), r == 4 ? q * p : 0.05 * q, 1e-12) << "record " << r + 2 << " q " << q;
                }
            }
        }
        // Column positions: value 2 of record 1 (32-43, plane 31-41, after
        // two blanks), quantity 24 of record 5 (336-347), depth 25 of record 6 (351-361).
        if (nantyp == 3) EXPECT_EQ(recs[0].substr(29, 14), "   1.23457E-02");
        else EXPECT_EQ(recs[0].substr(28, 13), "   0.1235E-01");
        EXPECT_EQ(recs[4].substr(335, 12), "-0.98765+151");
        EXPECT_EQ(recs[5].substr(350, 11), "    25.0000");
    }
}

// The reader takes every form a real field is written in and refuses, with
// the columns, a field of asterisks, a text that is no number, a blank field
// and a record that ends before or inside a field.
TEST_F(WorkFile, FieldFormsAndFaults) {
    struct Case { const char* field; bool ok; double v; const char* why; };
    const Case cases[] = {
        {"12346.    ", true, 12346.0, ""},
        {"1.23457E+05", true, 123457.0, ""},
        {"1.23457+100", true, 1.23457e100, ""},
        {"-1.23457-100", true, -1.23457e-100, ""},
        {"0.12346D-01", true, 0.012346, ""},
        {"-0.50000    ", true, -0.5, ""},
        {"0.0000    ", true, 0.0, ""},
        {"-Infinity", true, -HUGE_VAL, ""},
        {"************", false, 0, "asterisks in columns 16-29: the value did not fit its field"},
        {"1.2.3", false, 0, "not a number"},
        {"12A4", false, 0, "\"12A4\" in columns 16-29 is not a number"},
        {"", false, 0, "the record ends before columns 16-29"},
    };
    for (const Case& c : cases) {
        // The pile number in columns 6-11, the field right-aligned in 16-29.
        const std::string field(c.field);
        std::string rec = "          4";
        if (!field.empty()) rec += std::string(18 - field.size(), ' ') + field;
        std::string why;
        int pile = 0;
        Table1<double, MAXNQ> v;
        EXPECT_EQ(read_top_record(rec, 3, 1, pile, v, why), c.ok) << c.field;
        if (c.ok) EXPECT_EQ(v(1), c.v) << c.field;
        else EXPECT_NE(why.find(c.why), std::string::npos) << c.field << ": " << why;
    }
    // A blank field inside the record and a pile number that is not one.
    std::string why;
    int pile = 0;
    Table1<double, MAXNQ> v;
    EXPECT_FALSE(read_top_record("         4" + std::string(20, ' ') + "1.0", 3, 1, pile, v, why));
    EXPECT_EQ(why, "no value in columns 16-29");
    EXPECT_FALSE(read_top_record("         4      1.23457E", 3, 1, pile, v, why));
    EXPECT_EQ(why, "the record ends inside columns 16-29");
    EXPECT_FALSE(read_top_record("     x4        1.0", 3, 1, pile, v, why));
    EXPECT_EQ(why, "\"x4\" in columns 6-11 is not an integer");
}

}  // namespace
}  // namespace zolan
