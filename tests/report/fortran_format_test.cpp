// Hand-worked cases of the Fortran-style output editing. Each expected field
// follows from the rules of Fortran output editing (and, where the standard
// leaves a choice, from the documented GNU Fortran convention noted beside it).
#include "report/fortran_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <climits>
#include <cstdlib>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace zolan::fmt;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string run(const Format& f, std::vector<Item> items) { return format_to_string(f, items); }

struct IntCase {
    long long v;
    int w, m;
    const char* want;
};

TEST(FormatFields, IntegerFields) {
    const IntCase cases[] = {
        {7, 5, -1, "    7"},
        {-123, 5, -1, " -123"},
        {-12, 5, 4, "-0012"},     // Iw.m: at least m digits
        {0, 4, 3, " 000"},
        {0, 5, 0, "     "},       // Iw.0 of zero: blanks only
        {1234, 3, -1, "***"},     // does not fit
        {-5, 3, 3, "***"},        // sign plus three digits need 4
        {-1234, 0, -1, "-1234"},  // I0: as narrow as possible
        {LLONG_MIN, 20, -1, "-9223372036854775808"},
    };
    for (const IntCase& c : cases) {
        std::string out;
        edit_I(out, c.v, c.w, c.m);
        EXPECT_EQ(out, c.want) << "I" << c.w << "." << c.m << " of " << c.v;
    }
}

struct RealCase {
    double x;
    int w, d, k, e;
    const char* want;
};

TEST(FormatFields, FixedFields) {
    const RealCase cases[] = {
        {0.125, 5, 2, 0, 0, " 0.12"},  // exact binary tie: to even
        {0.375, 5, 2, 0, 0, " 0.38"},
        {2.5, 3, 0, 0, 0, " 2."},
        {3.5, 3, 0, 0, 0, " 4."},
        {0.5, 3, 0, 0, 0, " 0."},
        {-0.001, 5, 2, 0, 0, "-0.00"},  // rounds to zero, keeps its sign
        {-0.0, 5, 2, 0, 0, "-0.00"},
        {0.5, 4, 3, 0, 0, ".500"},      // the leading zero only where it fits
        {0.5, 5, 3, 0, 0, "0.500"},
        {-0.5, 5, 3, 0, 0, "-.500"},
        {-0.5, 4, 3, 0, 0, "****"},
        {0.0, 2, 0, 0, 0, "0."},        // without decimals the zero must stay
        {0.0, 1, 0, 0, 0, "*"},
        {0.0, 2, 1, 0, 0, ".0"},
        {12345.678, 12, 4, -2, 0, "    123.4568"},  // kP: value times 10**k
        {12345.0, 12, 4, 1, 0, " 123450.0000"},
        {55555.678, 12, 4, -9, 0, "      0.0001"},
        {2500.0, 12, 0, -3, 0, "          2."},    // 2.5 to even
        {3500.0, 12, 0, -3, 0, "          4."},
        {2500.25, 12, 0, -3, 0, "          3."},    // 2.50025 is past the tie
        {1e23, 30, 1, 0, 0, "     99999999999999991611392.0"},  // exact binary value
        {-12.5, 0, 3, 0, 0, "-12.500"},             // F0.d: as narrow as possible
        {0.5, 0, 3, 0, 0, ".500"},
        // Not a number that can be printed: the whole field in asterisks,
        // as a value too wide for it (F0.d: one).
        {kInf, 8, 2, 0, 0, "********"},
        {-kInf, 8, 2, 0, 0, "********"},
        {-kInf, 3, 2, 0, 0, "***"},
        {kNaN, 8, 2, 0, 0, "********"},
        {kNaN, 2, 0, 0, 0, "**"},
        {kInf, 0, 3, 0, 0, "*"},
        {-kNaN, 12, 4, 1, 0, "************"},
    };
    for (const RealCase& c : cases) {
        std::string out;
        edit_F(out, c.x, c.w, c.d, c.k);
        EXPECT_EQ(out, c.want) << c.k << "PF" << c.w << "." << c.d << " of " << c.x;
    }
}

TEST(FormatFields, ExponentFields) {
    const RealCase cases[] = {
        {0.0, 12, 4, 0, 0, "  0.0000E+00"},
        {-0.0, 12, 4, 0, 0, " -0.0000E+00"},
        {0.125, 10, 2, 0, 0, "  0.12E+00"},    // tie to even
        {0.375, 10, 2, 0, 0, "  0.38E+00"},
        {9.9996, 11, 3, 0, 0, "  0.100E+02"},  // rounding carries into the exponent
        {1e100, 12, 4, 0, 0, "  0.1000+101"},  // three exponent digits: no letter
        {1e-100, 12, 4, 0, 3, " 0.1000E-099"},
        {1e-10, 12, 4, 0, 1, "   0.1000E-9"},
        {1e20, 12, 3, 0, 1, "************"},  // exponent 21 needs two digits
        {1.0, 9, 4, 0, 0, ".1000E+01"},
        {-1.0, 9, 4, 0, 0, "*********"},
        {12345.0, 12, 4, 1, 0, "  1.2345E+04"},
        {12345.0, 12, 4, 2, 0, "  12.345E+03"},
        {12345.0, 12, 4, -1, 0, "  0.0123E+06"},
        {12345.678, 12, 4, 5, 0, "  12346.E+00"},
        {1.5, 12, 0, 0, 0, "************"},  // 0PE12.0 leaves no significant digit
        {-kInf, 12, 4, 0, 0, "************"},  // not printable: asterisks
        {kNaN, 10, 3, 1, 2, "**********"},
    };
    for (const RealCase& c : cases) {
        std::string out;
        edit_E(out, c.x, c.w, c.d, c.k, c.e);
        EXPECT_EQ(out, c.want) << c.k << "PE" << c.w << "." << c.d << "E" << c.e << " of " << c.x;
    }
}

TEST(FormatFields, GeneralFields) {
    const RealCase cases[] = {
        {0.0, 12, 4, 0, 0, "   0.000    "},
        {-0.0, 12, 4, 0, 0, "  -0.000    "},
        {0.09999, 12, 4, 0, 0, "  0.9999E-01"},  // below 0.1 - 0.5e-5
        {0.099999, 12, 4, 0, 0, "  0.1000    "},  // rounds up to 0.1000
        {9999.4, 12, 4, 0, 0, "   9999.    "},
        {9999.5, 12, 4, 0, 0, "  0.1000E+05"},  // reaches 10**4 - 0.5
        {12345.0, 12, 4, 1, 0, "  1.2345E+04"},  // kP applies to the exponent form
        {1234.0, 12, 4, 1, 0, "   1234.    "},   // but not to the fixed form
        {1.0, 12, 3, 0, 4, "  1.00      "},     // Ee: e + 2 trailing blanks
        {1234.0, 8, 4, 0, 0, "********"},        // F4.0 overflows: the whole field
        // 1 - 0.5*10**-1 formed in double precision is the double nearest 0.95,
        // so 0.95 lies on the limit and takes the F.0 form.
        {0.95, 13, 1, 0, 0, "       1.    "},
        {kInf, 12, 4, 0, 0, "************"},  // not printable: asterisks
        {-kInf, 18, 8, 1, 0, "******************"},
        {kNaN, 12, 5, 1, 0, "************"},
    };
    for (const RealCase& c : cases) {
        std::string out;
        edit_G(out, c.x, c.w, c.d, c.k, c.e);
        EXPECT_EQ(out, c.want) << c.k << "PG" << c.w << "." << c.d << "E" << c.e << " of " << c.x;
    }
}

TEST(FormatFields, TextFields) {
    std::string out;
    edit_A(out, "abcdef", 3);
    edit_A(out, "|", -1);
    edit_A(out, "abc", 8);
    edit_A(out, "|xy", -1);
    EXPECT_EQ(out, "abc|     abc|xy");
}

TEST(FormatFields, AbsurdWidthsStayInTheirField) {
    std::string out;
    edit_F(out, 1.0 / 3.0, 2000, 1500);
    EXPECT_EQ(out.size(), 2000u);
    EXPECT_EQ(out.substr(out.size() - 1500 - 2, 6), "0.3333");
    out.clear();
    edit_E(out, 1e300, 1000, 900);
    EXPECT_EQ(out.size(), 1000u);
    EXPECT_EQ(out.substr(out.size() - 4), "+301");
    out.clear();
    edit_F(out, 1e300, 40, 2);
    EXPECT_EQ(out, std::string(40, '*'));
}

struct WriteCase {
    const char* edit;
    std::vector<Item> items;
    const char* want;
};

TEST(FormatEditList, EditListControl) {
    const WriteCase cases[] = {
        // Reversion without a group restarts the whole list on a new record.
        {"(\"<\",I3,\">\")", {1, 2, 3}, "<  1>\n<  2>\n<  3>"},
        // ... and with groups at the rightmost top-level group, repeat included.
        {"(\"a\",2(I2,\"b\"),\"c\")", {1, 2, 3, 4, 5}, "a 1b 2bc\n 3b 4bc\n 5b"},
        {"(2(\"<\",I1),\">\",(\"[\",I1,\"]\"))", {1, 2, 3, 4, 5}, "<1<2>[3]\n[4]\n[5]"},
        {"(1X,3I2,/,(1X,2I2))", {1, 2, 3, 4, 5, 6, 7}, "  1 2 3\n  4 5\n  6 7"},
        // Out of items: texts and '/' up to the next data descriptor still go out.
        {"(I2,\"x\"/\"y\",I3)", {1}, " 1x\ny"},
        {"(I2/)", {1}, " 1\n"},
        {"(I1,2/)", {5}, "5\n\n"},
        {"(I2,\"x\",:,\"y\",I3)", {1}, " 1x"},  // ':' stops at once
        {"(\"only\",2X,\"text\")", {}, "only  text"},
        {"()", {}, ""},
        // nX blanks appear only if something follows them in the record.
        {"(\"q\",2X,I2,3X,\"r\",2X)", {1}, "q   1   r"},
        {"(I3,2X)", {1, 2}, "  1\n  2"},
        {"(A,2X,\"\")", {"a"}, "a  "},
        // The scale factor holds for the rest of the write, across reversion.
        {"(1P,E12.4,2(E12.4,0PF8.2))", {1.0, 2.0, 3.0, 4.0, 5.0, 6.0},
         "  1.0000E+00  2.0000E+00    3.00  0.4000E+01    5.00\n  0.6000E+01"},
        {"(1PE10.3,F6.2)", {1.0, 1.0}, " 1.000E+00 10.00"},
        {"(-1P 2F6.2)", {12.0, 3.0}, "  1.20  0.30"},
        {"(D12.4)", {1.0}, "  0.1000D+01"},
        // Quoted texts, H texts, blanks and lower case in the edit list.
        {"('it''s',\"q\"\"q\",3HA'B,I3)", {1}, "it'sq\"qA'B  1"},
        {"( 2 ( i 3 , x ) )", {1, 2}, "  1   2"},
        {"5X,\"READING \",A", {"X"}, "     READING X"},  // outer parentheses left out
        {"(20A4)", {"ab", "cdefg", "h"}, "  abcdef   h"},
        // G takes integers as Iw and texts as Aw; SP writes plus signs.
        {"(G6.2,G5.1)", {42, "ab"}, "    42   ab"},
        {"(SP,I3,F6.2,SS,I3)", {5, 1.5, 5}, " +5 +1.50  5"},
        // An item of the wrong kind is a programming fault: asterisks.
        {"(I5,F6.2,A3,E9.2)", {1.5, "x", 7, 3}, "***********************"},
    };
    for (const WriteCase& c : cases) {
        const Format f(c.edit);
        ASSERT_TRUE(f.ok()) << c.edit << ": " << f.error();
        EXPECT_EQ(run(f, c.items), c.want) << c.edit;
    }
}

// Records handed to the sink, each as it was ended.
class Records final : public RecordSink {
public:
    std::vector<std::string> got;
    void end_record(std::string& line) override {
        got.push_back(line);
        line.clear();
    }
};

TEST(FormatEditList, NonAdvancingWrites) {
    Records sink;
    std::string line = "pre";
    const std::vector<Item> a = {1, 2};
    // '$' keeps the record open; after it neither '/' nor reversion ends a record.
    EXPECT_TRUE(write_format("(I3,/,2X,\"a\",$)", a, line, sink));
    EXPECT_EQ(sink.got, std::vector<std::string>{"pre  1"});
    EXPECT_EQ(line, "  a  2  a");
    const std::vector<Item> b = {3};
    EXPECT_TRUE(write_format("(I3\\)", b, line, sink));  // '\' acts as '$'
    EXPECT_FALSE(write_format("(\"|\")", {}, line, sink));
    EXPECT_EQ(sink.got, (std::vector<std::string>{"pre  1", "  a  2  a  3|"}));
    EXPECT_EQ(line, "");
}

TEST(FormatEditList, MalformedEditListsAreReported) {
    const char* bad[] = {"(I3",   "(I3))",  "(Q5)",   "(F8)",  "(\"abc)", "(I3,)", "(,I3)",  "(E0.3)", "(A0)",
                         "(2\"x\")", "(0I3)", "(3HAB)", "(-I3)", "(P)",     "(I5.7)", "(I3,,I2)", "(F8.)",
                         "(((((((((((((((((((((((((((((((((((I1)))))))))))))))))))))))))))))))))))",
                         "(I999999999)"};
    for (const char* text : bad) {
        const Format f(text);
        EXPECT_FALSE(f.ok()) << text;
        EXPECT_FALSE(f.error().empty()) << text;
        Records sink;
        std::string line;
        const std::vector<Item> items = {1};
        EXPECT_FALSE(write_format(f, items, line, sink));
        ASSERT_EQ(sink.got.size(), 1u) << text;
        EXPECT_EQ(sink.got[0].rfind("<BAD FORMAT: ", 0), 0u) << text;
    }
}

struct ListCase {
    std::vector<Item> items;
    const char* want;
};

TEST(FormatListDirected, RecordLayout) {
    const ListCase cases[] = {
        // One blank, then the items side by side: a text as it stands, an
        // integer right-aligned in 12 columns.
        {{"    ", 7, ", UNKNOWN CODE"}, "                7, UNKNOWN CODE"},
        {{"a", "b", 1, 2, "c"}, " ab           1           2c"},
        {{-3}, "           -3"},
        {{3000000000LL}, "           3000000000"},  // beyond 32 bits: 20 columns
        // A real: 17 significant digits, fixed form in 20 columns and 5 blanks
        // for 0.1 <= |x| < 10**17, else 1P exponent form with three digits.
        {{1.5}, "   1.5000000000000000     "},
        {{1.5, 2.5}, "   1.5000000000000000       2.5000000000000000     "},
        {{0.1}, "  0.10000000000000001     "},
        {{-0.0}, "  -0.0000000000000000     "},
        {{1e16}, "   10000000000000000.     "},
        {{1e17}, "   1.0000000000000000E+017"},
        {{1e-5}, "   1.0000000000000001E-005"},
        {{1.5, "x", 3}, "   1.5000000000000000     x           3"},
        // Not printable: the real's 25 columns in asterisks.
        {{kNaN, -kInf}, " **************************************************"},
        {{1.5, kInf, 2}, "   1.5000000000000000     *************************           2"},
    };
    for (const ListCase& c : cases) {
        std::string line;
        list_write(line, c.items);
        EXPECT_EQ(line, c.want);
    }
}

}  // namespace

namespace zolan::fmt {
namespace {

// The engine runs inside its caller's process, which may have set a locale
// whose decimal point is a comma: report numbers keep the point.
TEST(FormatLocale, DecimalPointIgnoresTheHostLocale) {
    char tmpl[] = "/tmp/zolan-locale-XXXXXX";
    if (!mkdtemp(tmpl)) GTEST_SKIP() << "no temporary folder";
    const std::string dir = tmpl;
    const std::string cmd = "localedef -i de_DE -f UTF-8 " + dir + "/de_DE.UTF-8 >/dev/null 2>&1";
    const bool made = std::system(cmd.c_str()) == 0;
    setenv("LOCPATH", dir.c_str(), 1);
    const bool set = made && std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    std::string f, e, g, l;
    if (set) {
        edit_F(f, 12.345678, 10, 3);
        edit_E(e, 123456.0, 12, 5, 1);
        edit_G(g, 0.5, 12, 4);
        const Item items[] = {Item(1.5)};
        list_write(l, items);
    }
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
    std::system(("rm -rf " + dir).c_str());
    if (!set) GTEST_SKIP() << "no comma locale can be made on this machine";
    EXPECT_EQ(f, "    12.346");
    EXPECT_EQ(e, " 1.23456E+05");
    EXPECT_EQ(g, "  0.5000    ");  // G12.4 of 0.5: F8.4 and four blanks
    EXPECT_EQ(l, "   1.5000000000000000     ");
}

}  // namespace
}  // namespace zolan::fmt
