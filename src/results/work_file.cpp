// Pile results work file: the writers of its eight records per pile and the
// readers of their fixed columns.
#include "results/work_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "report/fortran_format.h"
#include "report/list_input.h"
#include "report/run_files.h"
#include "report/unit_labels.h"

namespace zolan {
namespace {

// Writing layouts.
const fmt::Format TOP3D(R"((5X, I6, 6X, 1P, 6(G12.5, 2X)))");
const fmt::Format TOP3DS(R"((5X, I6, 6X, 1P, 3(G12.5, 2X), 3(G12.5, 2X), G12.5))");
const fmt::Format TOP2D(R"((5X, I6, 6X, 6(E11.4, 2X)))");
const fmt::Format TOP2DS(R"((5X, I6, 6X, 3(E11.4, 2X), 3(E11.4, 2X), E11.4))");
const fmt::Format EXTVAL(R"((1X, I8, 2X, 25(2X, E12.5)))");
const fmt::Format EXTDEP(R"f((1X, 4X, "x(", A2, ")", 1X, 25(3X, F11.4)))f");

// Reading columns (1-based first column and width of field k, k from 1).
struct Fields {
    int first, step, width;
    int col(int k) const { return first + step * (k - 1); }
};
constexpr Fields TOP3D_IN{16, 14, 14};  // 5X, I6, 4X, 7E14.4
constexpr Fields TOP2D_IN{18, 13, 11};  // 5X, I6, 6X, 6(E11.4, 2X)
constexpr Fields EXTVAL_IN{14, 14, 12}; // I9, 2X, 25(2X, G12.5)
constexpr Fields EXTDEP_IN{15, 14, 11}; // 1X, 4X, A5, 1X, 25(3X, F11.4)

// One record of pile p: its number, then the values of `slots` of the record.
void write_slots(const fmt::Format& f, int p, const PTOPREC& top, std::initializer_list<int> slots) {
    std::vector<fmt::Item> items;
    items.reserve(slots.size() + 1);
    items.emplace_back(p);
    for (int s : slots) items.emplace_back(top(s));
    io::write_fmt(WORKFILE, f, items);
}

void write_extreme_pair(int p, const Table1<double, MAXNQ>& v, const Table1<double, MAXNQ>& d) {
    std::vector<fmt::Item> items;
    items.reserve(MAXNQ + 1);
    items.emplace_back(p);
    for (int q = 1; q <= MAXNQ; ++q) items.emplace_back(v(q));
    io::write_fmt(WORKFILE, EXTVAL, items);
    items.clear();
    items.emplace_back(UBLEN2.view());
    for (int q = 1; q <= MAXNQ; ++q) items.emplace_back(UCD12(d(q)));
    io::write_fmt(WORKFILE, EXTDEP, items);
}

std::string columns(int a, int w) { return "columns " + std::to_string(a) + "-" + std::to_string(a + w - 1); }

// The text of the field in columns a .. a+w-1 without its blanks (an edit-list
// read ignores blanks in a numeric field); false when the record ends before
// the field does (every field read was written whole, right-aligned, so a
// shorter record lost its end), or the field is blank or holds asterisks.
bool field_text(std::string_view rec, int a, int w, std::string& text, std::string& why) {
    text.clear();
    const auto first = static_cast<std::size_t>(a - 1);
    if (first + static_cast<std::size_t>(w) > rec.size()) {
        why = (first >= rec.size() ? "the record ends before " : "the record ends inside ") + columns(a, w);
        return false;
    }
    for (char c : rec.substr(first, static_cast<std::size_t>(w)))
        if (c != ' ') text += c;
    if (text.empty()) {
        why = "no value in " + columns(a, w);
        return false;
    }
    if (text.find('*') != std::string::npos) {
        why = "asterisks in " + columns(a, w) + ": the value did not fit its field";
        return false;
    }
    return true;
}

// A value that is not a number or infinite, as the formatter writes it.
bool nonfinite(const std::string& t, double& x) {
    std::string u;
    for (char c : t) u += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool neg = !u.empty() && u[0] == '-';
    if (!u.empty() && (u[0] == '-' || u[0] == '+')) u.erase(0, 1);
    if (u == "NAN") x = std::numeric_limits<double>::quiet_NaN();
    else if (u == "INF" || u == "INFINITY") x = neg ? -HUGE_VAL : HUGE_VAL;
    else return false;
    return true;
}

// The lines of one text, for the list-directed conversion of the fields.
class TextSource final : public fmt::LineSource {
public:
    explicit TextSource(std::string_view text) : text_(text) {}
    bool next_line(std::string& line) override {
        if (done_) return false;
        line.assign(text_);
        done_ = true;
        return true;
    }
    long line_number() const override { return done_ ? 1 : 0; }
    std::string_view file_name() const override { return "work record"; }

private:
    std::string_view text_;
    bool done_ = false;
};

// Reals in the n fields of `f` into v(1..n), converted as a real constant
// is read (fixed and exponent forms, an exponent with or without its letter).
bool read_reals(std::string_view rec, const Fields& f, int n, Table1<double, MAXNQ>& v, std::string& why) {
    std::string joined, text;
    std::vector<fmt::Target> targets;
    std::vector<int> fieldof;
    for (int k = 1; k <= n; ++k) {
        if (!field_text(rec, f.col(k), f.width, text, why)) return false;
        if (nonfinite(text, v(k))) continue;
        if (text.find_first_not_of("0123456789+-.EeDd") != std::string::npos) {
            why = "\"" + text + "\" in " + columns(f.col(k), f.width) + " is not a number";
            return false;
        }
        joined += text;
        joined += ' ';
        targets.emplace_back(v(k));
        fieldof.push_back(k);
    }
    if (targets.empty()) return true;
    TextSource src(joined);
    const fmt::ReadStatus st = fmt::read_list(src, targets);
    if (st.ok()) return true;
    // The field the conversion stopped at: the first whose value it refused.
    for (std::size_t i = 0; i < fieldof.size(); ++i) {
        const int k = fieldof[i];
        TextSource one(std::string_view(rec).substr(static_cast<std::size_t>(f.col(k) - 1),
                                                   static_cast<std::size_t>(f.width)));
        double x = 0.0;
        const fmt::Target t[] = {fmt::Target(x)};
        if (!fmt::read_list(one, t).ok()) {
            why = "the text in " + columns(f.col(k), f.width) + " is not a number";
            return false;
        }
    }
    why = "the values could not be read";
    return false;
}

// An integer field, as Iw reads it.
bool read_int(std::string_view rec, int a, int w, int& i, std::string& why) {
    std::string text;
    if (!field_text(rec, a, w, text, why)) return false;
    const char* b = text.data();
    const char* e = b + text.size();
    if (*b == '+') ++b;
    const auto res = std::from_chars(b, e, i);
    if (res.ec != std::errc() || res.ptr != e) {
        why = "\"" + text + "\" in " + columns(a, w) + " is not an integer";
        return false;
    }
    return true;
}

}  // namespace

void write_top_records_3d(int p, const PTOPREC& top) {
    write_slots(TOP3D, p, top, {1, 2, 3, 4, 5, 6});
    write_slots(TOP3DS, p, top, {7, 8, 9, 10, 11, 12, 13});
    write_slots(TOP3D, p, top, {14, 15, 16, 17, 18, 19});
    write_slots(TOP3DS, p, top, {20, 21, 22, 23, 24, 25, 13});
}

void write_top_records_2d(int p, const PTOPREC& top) {
    write_slots(TOP2D, p, top, {1, 2, 3});
    write_slots(TOP2DS, p, top, {4, 5, 6, 7});
    write_slots(TOP2D, p, top, {14, 15, 16});
    write_slots(TOP2DS, p, top, {17, 18, 19, 7});
}

void write_extreme_records(int p, const PILEXT& ext) {
    write_extreme_pair(p, ext.vmin, ext.dmin);
    write_extreme_pair(p, ext.vmax, ext.dmax);
}

bool read_top_record(std::string_view rec, int nantyp, int n, int& pile, Table1<double, MAXNQ>& v,
                     std::string& why) {
    const bool plane = nantyp == 2;
    n = std::clamp(n, 0, plane ? 4 : 7);
    return read_int(rec, 6, 6, pile, why) && read_reals(rec, plane ? TOP2D_IN : TOP3D_IN, n, v, why);
}

bool read_extreme_values(std::string_view rec, int& pile, Table1<double, MAXNQ>& v, std::string& why) {
    return read_int(rec, 1, 9, pile, why) && read_reals(rec, EXTVAL_IN, MAXNQ, v, why);
}

bool read_extreme_depths(std::string_view rec, FixedText<5>& label, Table1<double, MAXNQ>& d, std::string& why) {
    label.set(rec.size() > 5 ? rec.substr(5, 5) : std::string_view());
    return read_reals(rec, EXTDEP_IN, MAXNQ, d, why);
}

}  // namespace zolan
