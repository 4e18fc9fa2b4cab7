// Fortran-style formatted output: edit lists (nX, Iw, Iw.m, Fw.d, Ew.d, Ew.dEe,
// kP, Gw.d, Aw, A, quoted text, /, $ and \, repeat groups n(...)) and
// list-directed records. Every number in every report goes through here.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zolan::fmt {

// One item of an output list: an integer, a real (double precision) or a text.
struct Item {
    enum class Kind : unsigned char { Int, Real, Text };
    Kind kind;
    long long i = 0;
    double r = 0.0;
    std::string_view s;

    Item(int v) : kind(Kind::Int), i(v) {}
    Item(long v) : kind(Kind::Int), i(v) {}
    Item(long long v) : kind(Kind::Int), i(v) {}
    Item(double v) : kind(Kind::Real), r(v) {}
    Item(std::string_view v) : kind(Kind::Text), s(v) {}
    Item(const char* v) : kind(Kind::Text), s(v) {}
    Item(const std::string& v) : kind(Kind::Text), s(v) {}
};

// Receives each completed record of a write; it writes the line out and clears it.
class RecordSink {
public:
    virtual void end_record(std::string& line) = 0;

protected:
    ~RecordSink() = default;
};

// A parsed edit list such as (5X,"READING ",A80) or (1P,7(G18.8,3X)).
// The outer parentheses may be given or left out. Parsing never throws: a
// malformed edit list is a programming fault and writes "<BAD FORMAT ...>"
// into the record so that a test sees it at once.
class Format {
public:
    Format(std::string_view text);  // implicit: a literal may stand where a Format is wanted
    Format(const char* text) : Format(std::string_view(text)) {}
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

private:
    friend bool write_format(const Format&, std::span<const Item>, std::string&, RecordSink&);
    std::string text_;                // the quoted and H texts of the edit list, end to end
    std::string error_;               // empty when the edit list parsed
    std::vector<long long> code_;     // compiled edit list (layout private to the .cpp)
};

// Formatted write: appends the fields of `items` edited by `f` to `line`
// (the unit's current line). Every record end ('/' or format reversion, and the
// end of the write) calls sink.end_record(line). A write whose edit list ends
// with '$' or '\' leaves the last record open in `line` and returns true.
bool write_format(const Format& f, std::span<const Item> items, std::string& line, RecordSink& sink);

// The records of one formatted write as text, records joined by '\n' (an open
// last record is included as it stands). For tests and in-memory fields.
std::string format_to_string(const Format& f, std::span<const Item> items);

// List-directed write of one record: one blank, then the items side by side
// with no separator of their own. A text is written character for character;
// an integer right-aligned in 12 columns (20 beyond 32 bits); a real in the
// 25-column field of GNU Fortran's list-directed output (1.5 is
// "  1.5000000000000000     "; one that is not finite, 25 asterisks).
void list_write(std::string& line, std::span<const Item> items);

// Single fields, appended to `out`. A value that does not fit its width gives
// w asterisks, and so does a real that is not finite (Infinity, NaN): no
// report prints either as a word. `scale` is the kP scale factor in effect.
void edit_I(std::string& out, long long v, int w, int m = -1);
void edit_F(std::string& out, double x, int w, int d, int scale = 0);
void edit_E(std::string& out, double x, int w, int d, int scale = 0, int e = 0);
void edit_G(std::string& out, double x, int w, int d, int scale = 0, int e = 0);
void edit_A(std::string& out, std::string_view s, int w = -1);

}  // namespace zolan::fmt
