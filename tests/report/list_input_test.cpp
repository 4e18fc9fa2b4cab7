// List-directed reading of the input data file: values, separators, nulls,
// repeats, slash, quoted texts and the faults with their messages. Expected
// values follow the Fortran rules for list-directed input.
#include "report/list_input.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using zolan::fmt::LineSource;
using zolan::fmt::read_list;
using zolan::fmt::read_text_line;
using zolan::fmt::ReadStatus;
using zolan::fmt::Target;
using Code = ReadStatus::Code;

// A file held in memory, split at '\n'. Lines are given back as they stand
// (a CR is not removed), so the reader's own handling of CR is exercised.
class Lines final : public LineSource {
public:
    explicit Lines(std::string_view text, std::string name = "input.dat") : name_(std::move(name)) {
        std::size_t b = 0;
        while (b < text.size()) {
            const std::size_t e = text.find('\n', b);
            if (e == std::string_view::npos) {
                lines_.emplace_back(text.substr(b));
                break;
            }
            lines_.emplace_back(text.substr(b, e - b));
            b = e + 1;
        }
    }
    bool next_line(std::string& line) override {
        if (next_ >= lines_.size()) return false;
        line = lines_[next_++];
        return true;
    }
    long line_number() const override { return static_cast<long>(next_); }
    std::string_view file_name() const override { return name_; }

private:
    std::string name_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

template <std::size_t N>
std::string str(const std::array<char, N>& a) { return std::string(a.data(), N); }

template <std::size_t N>
std::array<char, N> filled(char c) {
    std::array<char, N> a;
    a.fill(c);
    return a;
}

// The next record holds the single integer 99: checks that the record before
// it ended on the right line.
void expect_next_record_is_99(Lines& src, const std::string& ctx) {
    int next = -1;
    const Target t[] = {next};
    const ReadStatus st = read_list(src, t);
    EXPECT_TRUE(st.ok()) << ctx << ": " << st.message;
    EXPECT_EQ(next, 99) << ctx;
}

TEST(ListInput, RealConstantsInEveryFortranForm) {
    struct Case { const char* in; double want; };
    const Case cases[] = {
        {"1.5D3", 1500.0},   {"1.5d3", 1500.0},  {"2.5D+2", 250.0},   {"-2e-4", -2e-4},
        {"-2E-4", -2e-4},    {".5", 0.5},        {"5.", 5.0},         {"+3", 3.0},
        {"-17", -17.0},      {"-.25", -0.25},    {"5.e1", 50.0},      {"1.5+3", 1500.0},
        {"1.5-3", 1.5e-3},   {"0.1", 0.1},       {"007.50", 7.5},
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
        {"1e-310", 1e-310},  // below the normal range: kept as a subnormal
        {"1e-400", 0.0},     // under everything: zero
    };
    for (const Case& c : cases) {
        Lines src(std::string(c.in) + "\n99\n");
        double v = -1.0;
        const Target t[] = {v};
        const ReadStatus st = read_list(src, t);
        EXPECT_TRUE(st.ok()) << c.in << ": " << st.message;
        EXPECT_EQ(v, c.want) << c.in;
        expect_next_record_is_99(src, c.in);
    }
    Lines neg("-1e-400\n");
    double v = 1.0;
    const Target t[] = {v};
    ASSERT_TRUE(read_list(neg, t).ok());
    EXPECT_EQ(v, 0.0);
    EXPECT_TRUE(std::signbit(v));
}

TEST(ListInput, IntegerConstants) {
    struct Case { const char* in; int want; };
    const Case cases[] = {{"+5", 5}, {"-0", 0}, {"007", 7}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}};
    for (const Case& c : cases) {
        Lines src(c.in);
        int v = -1;
        const Target t[] = {v};
        const ReadStatus st = read_list(src, t);
        EXPECT_TRUE(st.ok()) << c.in << ": " << st.message;
        EXPECT_EQ(v, c.want) << c.in;
    }
}

// Record "7 <bad> 8": the first value stays stored, the third is not touched,
// and the message names the line, value 2, its kind and the text found.
TEST(ListInput, WrongOrMalformedValueIsAFault) {
    using K = Target::Kind;
    struct Case { K kind; const char* bad; };
    const Case cases[] = {
        {K::Int, "2.5"},     {K::Int, "1.0"},        {K::Int, "1e3"},          {K::Int, "abc"},
        {K::Int, "12a"},     {K::Int, "+"},          {K::Int, "5-"},           {K::Int, "2147483648"},
        {K::Int, "-2147483649"},                     {K::Int, "'12'"},         {K::Int, "3*2.5"},
        {K::Int, "0*5"},     {K::Int, "99999999999*5"},                        {K::Int, "x*5"},
        {K::Real, "1.2.3"},  {K::Real, "abc"},       {K::Real, "1e"},          {K::Real, "1.5e+"},
        {K::Real, "1.5x"},   {K::Real, "1.5e3.0"},   {K::Real, "--1"},         {K::Real, "."},
        {K::Real, "e5"},     {K::Real, "inf"},       {K::Real, "nan"},         {K::Real, "0x1p3"},
        {K::Real, "1e400"},  {K::Real, "-1d999"},    {K::Real, "\"1.5\""},     {K::Real, "0*1.5"},
        {K::Text, "'ab'cd"}, {K::Text, "0*x"},
    };
    for (const Case& c : cases) {
        Lines src(std::string("7 ") + c.bad + " 8\n");
        int first = -1, third = -1;
        int i = -1;
        double r = -1.0;
        auto s = filled<4>('X');
        const Target mid = c.kind == K::Int ? Target(i) : c.kind == K::Real ? Target(r) : Target(std::span<char>(s));
        const Target t[] = {first, mid, third};
        const ReadStatus st = read_list(src, t);
        const char* kind = c.kind == K::Int ? "an integer" : c.kind == K::Real ? "a real number" : "a text";
        EXPECT_EQ(st.code, Code::BadValue) << c.bad;
        EXPECT_EQ(st.line, 1) << c.bad;
        EXPECT_EQ(st.message.rfind(std::string("input.dat, line 1: expected ") + kind + " for value 2 of the record, found \"" +
                                       c.bad + "\"", 0),
                  0u)
            << st.message;
        EXPECT_EQ(st.message.find('\n'), std::string::npos) << st.message;
        EXPECT_EQ(first, 7) << c.bad;
        EXPECT_EQ(third, -1) << c.bad;
        EXPECT_EQ(i, -1) << c.bad;
        EXPECT_EQ(r, -1.0) << c.bad;
        EXPECT_EQ(str(s), "XXXX") << c.bad;
    }
}

TEST(ListInput, FaultMessagesNameFileLineValueAndKind) {
    {
        // The record begins on line 10 and the bad value is on line 12.
        std::string text;
        for (int n = 1; n <= 9; ++n) text += "skip\n";
        text += "1\n\n2 2.5 4\n";
        Lines src(text, "pile.dat");
        auto title = filled<4>(' ');
        for (int n = 1; n <= 9; ++n) ASSERT_TRUE(read_text_line(src, title).ok());
        int a = 0, b = 0, c = 0;
        const Target t[] = {a, b, c};
        const ReadStatus st = read_list(src, t);
        EXPECT_EQ(st.code, Code::BadValue);
        EXPECT_EQ(st.line, 12);
        EXPECT_EQ(st.message, "pile.dat, line 12: expected an integer for value 3 of the record, found \"2.5\"");
        EXPECT_EQ(a, 1);
        EXPECT_EQ(b, 2);
    }
    {
        // The file ends on line 40, a blank line, with the third real missing.
        std::string text;
        for (int n = 1; n <= 37; ++n) text += "title\n";
        text += "1.0\n2.0\n\n";
        Lines src(text);
        auto title = filled<4>(' ');
        for (int n = 1; n <= 37; ++n) ASSERT_TRUE(read_text_line(src, title).ok());
        double x = 0, y = 0, z = -3;
        const Target t[] = {x, y, z};
        const ReadStatus st = read_list(src, t);
        EXPECT_EQ(st.code, Code::EndOfFile);
        EXPECT_EQ(st.line, 40);
        EXPECT_EQ(st.message,
                  "input.dat, line 40: the file ended where value 3 of the record (a real number) was expected");
        EXPECT_EQ(x, 1.0);
        EXPECT_EQ(y, 2.0);
        EXPECT_EQ(z, -3.0);
    }
}

// Three integer fields, each -1 before the read; the line "99" follows every
// record, so each case also checks where the record ended.
TEST(ListInput, SeparatorsNullsRepeatsAndSlash) {
    struct Case { const char* in; int a, b, c; };
    const Case cases[] = {
        {"1 2 3", 1, 2, 3},
        {"1,2,3", 1, 2, 3},
        {"1 , 2 ,3", 1, 2, 3},
        {"1\t2 ,\t3", 1, 2, 3},
        {"1,,3", 1, -1, 3},           // empty field between commas
        {"1, ,3", 1, -1, 3},
        {",2,3", -1, 2, 3},           // comma before the first value
        {"  , 2 , 3", -1, 2, 3},
        {"1,2,,", 1, 2, -1},
        {"1 2\n3", 1, 2, 3},          // a record over two lines
        {"1,\n,3", 1, -1, 3},         // the line end is a blank: ", ," is a null
        {"1\n,2\n3", 1, 2, 3},
        {"\n\n  1 2 3", 1, 2, 3},     // blank lines before the values
        {"1 2 3 4 5", 1, 2, 3},       // the rest of the last line is ignored
        {"1 2 3 junk, 'x", 1, 2, 3},
        {"1 2 / 9", 1, 2, -1},        // slash ends the record early
        {"1/", 1, -1, -1},
        {"/ 5 6 7", -1, -1, -1},
        {"1,2,/", 1, 2, -1},
        {"1\n/ 5", 1, -1, -1},
        {"2*7 3", 7, 7, 3},
        {"5*7", 7, 7, 7},             // more copies than fields
        {"1 4*-2", 1, -2, -2},
        {"2* 3", -1, -1, 3},          // r* alone: r null values
        {"2*,3", -1, -1, 3},
        {"1 2*", 1, -1, -1},
        {"1 2\r\n3\r", 1, 2, 3},      // CR left at the line ends
        {"1\r2 3", 1, 2, 3},
    };
    for (const Case& c : cases) {
        const std::string ctx = ::testing::PrintToString(std::string(c.in));
        Lines src(std::string(c.in) + "\n99\n");
        int a = -1, b = -1, d = -1;
        const Target t[] = {a, b, d};
        const ReadStatus st = read_list(src, t);
        EXPECT_TRUE(st.ok()) << ctx << ": " << st.message;
        EXPECT_EQ(a, c.a) << ctx;
        EXPECT_EQ(b, c.b) << ctx;
        EXPECT_EQ(d, c.c) << ctx;
        expect_next_record_is_99(src, ctx);
    }
}

// Values beyond those a record reads on its last line are not read but
// given back with their line; separators, a slash and a comment after '!'
// are not values. A decimal comma splits one value in two and shifts the
// record by one.
TEST(ListInput, ValuesBeyondTheRecordAreGivenBack) {
    struct Case { const char* in; const char* extra; long line; double c; };
    const Case cases[] = {
        {"1 2 3", "", 0, 3},
        {"1 2 3   ! three values", "", 0, 3},
        {"1 2 3 ! 4 5", "", 0, 3},
        {"1 2 3 , ,  ", "", 0, 3},
        {"1 2 3 /", "", 0, 3},
        {"1 2 / 9", "", 0, -1},          // the slash ended the record early
        {"1,2,,", "", 0, -1},
        {"1 2 3 4 5", "4 5", 1, 3},
        {"1 2 3, 4 ! comment", "4", 1, 3},
        {"1\n2 3 4", "4", 2, 3},
        {"600,5 1 2", "2", 1, 1},        // a decimal comma: 600 and 5
        {"1,2,,4", "4", 1, -1},
        {"5*7", "5*7", 1, 7},            // a repeat count beyond the last field
        {"1 2 3*7 8", "3*7 8", 1, 7},
        {"3*7 x", "x", 1, 7},
    };
    for (const Case& c : cases) {
        const std::string in = c.in;
        const std::string ctx = ::testing::PrintToString(in);
        Lines src(in + "\n99\n");
        double a = -1, b = -1, d = -1;
        const Target t[] = {a, b, d};
        const ReadStatus st = read_list(src, t);
        ASSERT_TRUE(st.ok()) << ctx << ": " << st.message;
        EXPECT_EQ(st.extra, c.extra) << ctx;
        EXPECT_EQ(st.extra_line, c.line) << ctx;
        EXPECT_EQ(d, c.c) << ctx;
        expect_next_record_is_99(src, ctx);
    }
    // A record of no values skips its line: whatever it holds but a comment is beyond it.
    for (const auto& [in, extra] : {std::pair{"7 8", "7 8"}, std::pair{"  ! none", ""}, std::pair{"", ""}}) {
        Lines src(std::string(in) + "\n");
        const ReadStatus st = read_list(src, {});
        ASSERT_TRUE(st.ok());
        EXPECT_EQ(st.extra, extra) << in;
    }
}

// A text field of 6 characters, filled with X before the read.
TEST(ListInput, TextValuesQuotedAndBare) {
    struct Case { const char* in; const char* want; };
    const Case cases[] = {
        {"'abc'", "abc   "},
        {"abc", "abc   "},
        {"'it''s'", "it's  "},          // doubled apostrophe
        {"\"it's\"", "it's  "},
        {"\"a\"\"b\"", "a\"b   "},
        {"abcdefgh", "abcdef"},         // cut on the right
        {"'a b,c/d'", "a b,c/"},        // blanks, comma and slash inside quotes
        {"''", "      "},
        {"'  x'", "  x   "},
        {"'ab\ncd'", "abcd  "},         // quoted text over the line end, joined
        {"'ab\r\ncd'", "abcd  "},
        {"'ab'  junk", "ab    "},
        {"a*b", "a*b   "},
        {"it''s", "it''s "},            // bare text: quotes inside are plain characters
        {"abc/def", "abc   "},
        {"12", "12    "},
        {"2*'xy'", "xy    "},
        {",", "XXXXXX"},
    };
    for (const Case& c : cases) {
        const std::string ctx = ::testing::PrintToString(std::string(c.in));
        Lines src(std::string(c.in) + "\n99\n");
        auto s = filled<6>('X');
        const Target t[] = {std::span<char>(s)};
        const ReadStatus st = read_list(src, t);
        EXPECT_TRUE(st.ok()) << ctx << ": " << st.message;
        EXPECT_EQ(str(s), c.want) << ctx;
        expect_next_record_is_99(src, ctx);
    }
}

TEST(ListInput, MixedKindsAndRepeatsAcrossKinds) {
    Lines src("3 1.5D2 'pile A' 7\n2*7 2*'ab' 'z'\n2*2.5\n");
    {
        int n = 0, m = 0;
        double e = 0;
        auto name = filled<8>('X');
        const Target t[] = {n, e, std::span<char>(name), m};
        ASSERT_TRUE(read_list(src, t).ok());
        EXPECT_EQ(n, 3);
        EXPECT_EQ(e, 150.0);
        EXPECT_EQ(str(name), "pile A  ");
        EXPECT_EQ(m, 7);
    }
    {
        // An integer constant repeated into an integer and a real field; a
        // zero-length text field takes nothing.
        int n = 0;
        double e = 0;
        auto a = filled<3>('X');
        std::array<char, 0> none{};
        auto b = filled<3>('X');
        const Target t[] = {n, e, std::span<char>(a), std::span<char>(none), std::span<char>(b)};
        const ReadStatus st = read_list(src, t);
        ASSERT_TRUE(st.ok()) << st.message;
        EXPECT_EQ(n, 7);
        EXPECT_EQ(e, 7.0);
        EXPECT_EQ(str(a), "ab ");
        EXPECT_EQ(str(b), "z  ");
    }
    {
        // A real constant repeated into a real and an integer field: the
        // second copy is of the wrong kind.
        double e = 0;
        int n = -1;
        const Target t[] = {e, n};
        const ReadStatus st = read_list(src, t);
        EXPECT_EQ(st.code, Code::BadValue);
        EXPECT_EQ(st.line, 3);
        EXPECT_EQ(st.message, "input.dat, line 3: expected an integer for value 2 of the record, found \"2*2.5\"");
        EXPECT_EQ(e, 2.5);
        EXPECT_EQ(n, -1);
    }
}

TEST(ListInput, EndOfFileBeforeTheRecordIsFilled) {
    struct Case { const char* in; long line; int filled_before; };
    const Case cases[] = {
        {"", 0, 0},            // empty file
        {"1 2", 1, 2},
        {"1\n\n \n", 3, 1},    // blank lines after the last value
        {"1,", 1, 1},
        {"2*", 1, 2},          // nulls count as read
    };
    for (const Case& c : cases) {
        const std::string ctx = ::testing::PrintToString(std::string(c.in));
        Lines src(c.in);
        int v[3] = {-1, -1, -1};
        const Target t[] = {v[0], v[1], v[2]};
        const ReadStatus st = read_list(src, t);
        EXPECT_EQ(st.code, Code::EndOfFile) << ctx;
        EXPECT_EQ(st.line, c.line) << ctx;
        EXPECT_EQ(st.message, "input.dat, line " + std::to_string(c.line) + ": the file ended where value " +
                                  std::to_string(c.filled_before + 1) + " of the record (an integer) was expected")
            << ctx;
        EXPECT_EQ(v[2], -1) << ctx;
    }
    {
        Lines src("1 2 /");  // a slash ends the record: no fault
        int v[3] = {-1, -1, -1};
        const Target t[] = {v[0], v[1], v[2]};
        EXPECT_TRUE(read_list(src, t).ok());
    }
    {
        Lines src("1 'abc\ndef\n");  // a quoted text never closed
        int n = 0;
        auto s = filled<4>('X');
        const Target t[] = {n, std::span<char>(s)};
        const ReadStatus st = read_list(src, t);
        EXPECT_EQ(st.code, Code::EndOfFile);
        EXPECT_EQ(st.line, 2);
        EXPECT_EQ(st.message, "input.dat, line 2: the file ended inside the quoted text begun on line 1, "
                              "where value 2 of the record (a text) was expected");
        EXPECT_EQ(n, 1);
        EXPECT_EQ(str(s), "XXXX");
    }
}

TEST(ListInput, EmptyListSkipsOneLine) {
    Lines src("1 2 3\n5\n");
    EXPECT_TRUE(read_list(src, {}).ok());
    int n = 0;
    const Target t[] = {n};
    ASSERT_TRUE(read_list(src, t).ok());
    EXPECT_EQ(n, 5);
    const ReadStatus st = read_list(src, {});
    EXPECT_EQ(st.code, Code::EndOfFile);
    EXPECT_EQ(st.message, "input.dat, line 2: the file ended where a record was expected");
}

TEST(ListInput, TextLineIsTakenWhole) {
    Lines src("TITLE OF RUN\n'a', b / c\n12345678901234567890\nAB\r\n\n7\n");
    auto t = filled<16>('X');
    const char* want[] = {"TITLE OF RUN    ", "'a', b / c      ", "1234567890123456", "AB              ",
                          "                "};
    for (const char* w : want) {
        const ReadStatus st = read_text_line(src, t);
        EXPECT_TRUE(st.ok()) << st.message;
        EXPECT_EQ(str(t), w);
    }
    int n = 0;
    const Target tg[] = {n};
    ASSERT_TRUE(read_list(src, tg).ok());  // a list read goes on from the next line
    EXPECT_EQ(n, 7);
    const ReadStatus st = read_text_line(src, t);
    EXPECT_EQ(st.code, Code::EndOfFile);
    EXPECT_EQ(st.line, 6);
    EXPECT_EQ(st.message, "input.dat, line 6: the file ended where a line of text was expected");
    EXPECT_EQ(str(t), "                ");  // unchanged by the failed read
}

}  // namespace
