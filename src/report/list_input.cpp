// List-directed reading of the input data file.
//
// A record is scanned item by item. An item is a constant, r*constant, r* or
// an empty field between commas. A constant is kept as written (a quoted text
// with its quotes taken off and doubled quotes made single) and converted for
// each field it fills, so that r*c may fill fields of different kinds.
#include "report/list_input.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstddef>
#include <new>
#include <string>
#include <system_error>

namespace zolan::fmt {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_quote(char c) { return c == '\'' || c == '"'; }
// A blank, a comma or a slash closes a constant; so does the end of the line.
bool closes_value(char c) { return is_blank(c) || c == ',' || c == '/'; }

const char* kind_name(Target::Kind k) {
    switch (k) {
        case Target::Kind::Int: return "an integer";
        case Target::Kind::Real: return "a real number";
        case Target::Kind::Text: return "a text";
    }
    return "a value";
}

// One item of the record as written.
struct Item {
    long count = 1;          // repeat count r of r*c or r*
    bool repeated = false;   // written with r*
    bool null = false;       // r* alone: r null values
    bool quoted = false;
    char quote = 0;
    std::string_view text;   // the constant (a quoted text without its quotes)
    long line = 0;           // line where the item begins
};

enum class Conv { Ok, Malformed, Range };

// Integer constant: optional sign and digits; it must fit a 32-bit integer.
Conv to_int(std::string_view t, int& out) {
    std::size_t i = 0;
    bool neg = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
    if (i == t.size()) return Conv::Malformed;
    long long v = 0;
    bool big = false;
    for (; i < t.size(); ++i) {
        if (!is_digit(t[i])) return Conv::Malformed;
        if (!big) {
            v = v * 10 + (t[i] - '0');
            if (v > -static_cast<long long>(INT_MIN)) big = true;
        }
    }
    if (neg) v = -v;
    if (big || v > INT_MAX || v < INT_MIN) return Conv::Range;
    out = static_cast<int>(v);
    return Conv::Ok;
}

// Real constant as Fortran reads it: [sign] digits [. [digits]] or [sign] . digits,
// then an optional exponent: E or D (either case) with an optional signed
// integer, or a bare sign and integer (1.5-3 is 1.5E-3). The conversion is
// correctly rounded; too small a value becomes zero, too large a one is refused.
Conv to_real(std::string_view t, double& out, std::string& scratch) {
    const std::size_t n = t.size();
    std::size_t i = 0;
    bool neg = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
    const std::size_t int_b = i;
    while (i < n && is_digit(t[i])) ++i;
    const std::size_t int_e = i;
    bool point = false;
    std::size_t frac_b = i, frac_e = i;
    if (i < n && t[i] == '.') {
        point = true;
        frac_b = ++i;
        while (i < n && is_digit(t[i])) ++i;
        frac_e = i;
    }
    if (int_e == int_b && frac_e == frac_b) return Conv::Malformed;
    bool has_exp = false, exp_neg = false;
    std::size_t exp_b = i, exp_e = i;
    if (i < n) {
        const char c = t[i];
        if (c == 'e' || c == 'E' || c == 'd' || c == 'D') ++i;
        else if (c != '+' && c != '-') return Conv::Malformed;
        if (i < n && (t[i] == '+' || t[i] == '-')) exp_neg = t[i++] == '-';
        exp_b = i;
        while (i < n && is_digit(t[i])) ++i;
        exp_e = i;
        if (exp_b == exp_e || i != n) return Conv::Malformed;
        has_exp = true;
    }

    scratch.clear();
    if (neg) scratch += '-';
    scratch.append(t.substr(int_b, int_e - int_b));
    if (point) {
        scratch += '.';
        scratch.append(t.substr(frac_b, frac_e - frac_b));
    }
    if (has_exp) {
        scratch += 'e';
        if (exp_neg) scratch += '-';
        scratch.append(t.substr(exp_b, exp_e - exp_b));
    }
    double v = 0.0;
    const char* first = scratch.data();
    const char* last = first + scratch.size();
    const auto res = std::from_chars(first, last, v, std::chars_format::general);
    if (res.ec == std::errc() && res.ptr == last) {
        out = v;
        return Conv::Ok;
    }
    if (res.ec != std::errc::result_out_of_range) return Conv::Malformed;

    // Out of range: decide between overflow and underflow from the decimal
    // exponent of the leading significant digit.
    long long e10 = 0;
    bool found = false;
    for (std::size_t p = int_b; p < int_e && !found; ++p)
        if (t[p] != '0') { e10 = static_cast<long long>(int_e - p) - 1; found = true; }
    for (std::size_t p = frac_b; p < frac_e && !found; ++p)
        if (t[p] != '0') { e10 = -static_cast<long long>(p - frac_b + 1); found = true; }
    long long ex = 0;
    for (std::size_t p = exp_b; p < exp_e; ++p) ex = std::min(ex * 10 + (t[p] - '0'), 1000000000LL);
    e10 += exp_neg ? -ex : ex;
    if (e10 >= 0) return Conv::Range;
    out = neg ? -0.0 : 0.0;
    return Conv::Ok;
}

void put_text(std::span<char> field, std::string_view v) {
    const std::size_t m = std::min(field.size(), v.size());
    std::copy_n(v.data(), m, field.data());
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(m), field.end(), ' ');
}

// A piece of the input shown in a message: not too long, its bytes as they
// are (the message's writer makes them visible).
std::string shown(std::string_view s) {
    constexpr std::size_t max_len = 48;
    std::string out(s.substr(0, s.size() > max_len ? max_len - 3 : s.size()));
    if (s.size() > max_len) out += "...";
    return out;
}

class Reader {
public:
    explicit Reader(LineSource& src) : src_(src) {}

    ReadStatus read(std::span<const Target> targets);
    ReadStatus read_line(std::span<char> text);

private:
    bool fetch();
    bool read_item(Item& it, std::size_t k, Target::Kind kind);
    bool read_quoted(Item& it, std::size_t k, Target::Kind kind);
    bool store(const Target& t, const Item& it, std::size_t k);
    void rest_of_line(std::string_view unread_repeat);

    void fault(ReadStatus::Code code, long line, std::string_view what);
    void bad_value(std::size_t k, Target::Kind kind, long line, std::string_view found,
                   std::string_view why = {});
    void end_of_file(std::size_t k, Target::Kind kind);
    static std::string written(const Item& it);

    LineSource& src_;
    std::string line_;     // the line being scanned
    std::size_t pos_ = 0;  // next character of line_
    std::string quoted_;   // a quoted text, joined over lines
    std::string scratch_;  // a real constant rewritten for conversion
    ReadStatus st_;
};

// Next line of the file; a CR left at its end counts for nothing.
bool Reader::fetch() {
    pos_ = 0;
    if (!src_.next_line(line_)) {
        line_.clear();
        return false;
    }
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    return true;
}

void Reader::fault(ReadStatus::Code code, long line, std::string_view what) {
    std::string too_long;
    if (src_.line_too_long()) {
        // The reading stopped at a line that is no record: that is the fault.
        code = ReadStatus::Code::BadValue;
        line = src_.line_number();
        too_long = "the line is longer than " + std::to_string(MAXLINE) + " characters";
        what = too_long;
    }
    st_.code = code;
    st_.line = line;
    st_.message.assign(src_.file_name());
    st_.message += ", line ";
    st_.message += std::to_string(line);
    st_.message += ": ";
    st_.message += what;
}

void Reader::bad_value(std::size_t k, Target::Kind kind, long line, std::string_view found,
                       std::string_view why) {
    std::string what = "expected ";
    what += kind_name(kind);
    what += " for value ";
    what += std::to_string(k + 1);
    what += " of the record, found \"";
    what += shown(found);
    what += '"';
    if (!why.empty()) {
        what += " (";
        what += why;
        what += ')';
    }
    fault(ReadStatus::Code::BadValue, line, what);
}

void Reader::end_of_file(std::size_t k, Target::Kind kind) {
    std::string what = "the file ended where value ";
    what += std::to_string(k + 1);
    what += " of the record (";
    what += kind_name(kind);
    what += ") was expected";
    fault(ReadStatus::Code::EndOfFile, src_.line_number(), what);
}

// The item as the user wrote it, for messages.
std::string Reader::written(const Item& it) {
    std::string s;
    if (it.repeated) {
        s = std::to_string(it.count);
        s += '*';
    }
    if (it.quoted) s += it.quote;
    s += it.text;
    if (it.quoted) s += it.quote;
    return s;
}

// Reads the item that begins at pos_ (not a blank, comma or slash).
bool Reader::read_item(Item& it, std::size_t k, Target::Kind kind) {
    it.line = src_.line_number();
    const std::size_t n = line_.size();
    std::size_t j = pos_;
    while (j < n && is_digit(line_[j])) ++j;
    if (j > pos_ && j < n && line_[j] == '*') {
        long long r = 0;
        for (std::size_t p = pos_; p < j; ++p) r = std::min(r * 10 + (line_[p] - '0'), 1LL + INT_MAX);
        if (r == 0 || r > INT_MAX) {
            std::size_t e = j;
            while (e < n && !closes_value(line_[e])) ++e;
            bad_value(k, kind, it.line, std::string_view(line_).substr(pos_, e - pos_),
                      "a repeat count must be a positive integer");
            return false;
        }
        it.count = static_cast<long>(r);
        it.repeated = true;
        pos_ = j + 1;
        if (pos_ >= n || closes_value(line_[pos_])) {
            it.null = true;
            return true;
        }
    }
    if (is_quote(line_[pos_])) return read_quoted(it, k, kind);
    std::size_t e = pos_;
    while (e < n && !closes_value(line_[e])) ++e;
    it.text = std::string_view(line_).substr(pos_, e - pos_);
    pos_ = e;
    return true;
}

// A text in apostrophes or quotation marks; a doubled quote stands for one. The
// text may go on over the end of the line; the lines are joined as they stand.
bool Reader::read_quoted(Item& it, std::size_t k, Target::Kind kind) {
    const char q = line_[pos_++];
    quoted_.clear();
    for (;;) {
        if (pos_ >= line_.size()) {
            if (!fetch()) {
                std::string what = "the file ended inside the quoted text begun on line ";
                what += std::to_string(it.line);
                what += ", where value ";
                what += std::to_string(k + 1);
                what += " of the record (";
                what += kind_name(kind);
                what += ") was expected";
                fault(ReadStatus::Code::EndOfFile, src_.line_number(), what);
                return false;
            }
            continue;
        }
        const char c = line_[pos_++];
        if (c == q) {
            if (pos_ < line_.size() && line_[pos_] == q) {
                quoted_ += q;
                ++pos_;
                continue;
            }
            break;
        }
        quoted_ += c;
    }
    it.quoted = true;
    it.quote = q;
    it.text = quoted_;
    if (pos_ < line_.size() && !closes_value(line_[pos_])) {
        std::size_t e = pos_;
        while (e < line_.size() && !closes_value(line_[e])) ++e;
        std::string found = written(it);
        found.append(line_, pos_, e - pos_);
        bad_value(k, kind, src_.line_number(), found,
                  "a quoted text must be followed by a blank, a comma or a slash");
        return false;
    }
    return true;
}

bool Reader::store(const Target& t, const Item& it, std::size_t k) {
    switch (t.kind) {
        case Target::Kind::Text:
            put_text(t.s, it.text);
            return true;
        case Target::Kind::Int: {
            int v = 0;
            const Conv c = it.quoted ? Conv::Malformed : to_int(it.text, v);
            if (c == Conv::Ok) {
                if (t.i) *t.i = v;
                return true;
            }
            bad_value(k, t.kind, it.line, written(it),
                      c == Conv::Range ? "outside the range of a 32-bit integer" : std::string_view{});
            return false;
        }
        case Target::Kind::Real: {
            double v = 0.0;
            const Conv c = it.quoted ? Conv::Malformed : to_real(it.text, v, scratch_);
            if (c == Conv::Ok) {
                if (t.r) *t.r = v;
                return true;
            }
            bad_value(k, t.kind, it.line, written(it),
                      c == Conv::Range ? "too large for a double precision number" : std::string_view{});
            return false;
        }
    }
    return false;
}

ReadStatus Reader::read(std::span<const Target> targets) {
    const std::size_t n = targets.size();
    if (n == 0) {
        // An empty list still reads one record: the line is skipped.
        if (!fetch())
            fault(ReadStatus::Code::EndOfFile, src_.line_number(),
                  "the file ended where a record was expected");
        else
            rest_of_line({});
        return st_;
    }
    if (!fetch()) {
        end_of_file(0, targets[0].kind);
        return st_;
    }
    // At the start of the record a comma gives a null value, as after a comma.
    bool after_comma = true;
    std::size_t k = 0;
    while (k < n) {
        while (pos_ < line_.size() && is_blank(line_[pos_])) ++pos_;
        if (pos_ >= line_.size()) {
            // The end of a line is a blank; the record goes on to the next line.
            if (!fetch()) {
                end_of_file(k, targets[k].kind);
                return st_;
            }
            continue;
        }
        const char c = line_[pos_];
        if (c == ',') {
            ++pos_;
            if (after_comma) {
                ++k;  // empty field: the value is left as it was
                if (k == n) rest_of_line({});
            } else {
                after_comma = true;
            }
            continue;
        }
        if (c == '/') break;  // the fields not reached keep their values
        Item it;
        if (!read_item(it, k, targets[k].kind)) return st_;
        after_comma = false;
        const std::size_t copies = std::min(static_cast<std::size_t>(it.count), n - k);
        // A repeat count beyond the record's last field holds values it does not read.
        const bool beyond = static_cast<std::size_t>(it.count) > copies;
        if (it.null) {
            k += copies;
        } else {
            for (std::size_t m = 0; m < copies; ++m, ++k)
                if (!store(targets[k], it, k)) return st_;
        }
        if (k == n) rest_of_line(beyond ? std::string_view(written(it)) : std::string_view{});
    }
    return st_;
}

// What the record's last line holds after its last value: blanks and commas
// are separators, a slash or a '!' ends what is read; anything else is values
// that the record does not read. A repeat count that ran past the last field
// (`unread_repeat`) counts as such a value.
void Reader::rest_of_line(std::string_view unread_repeat) {
    std::size_t p = pos_;
    while (p < line_.size() && (is_blank(line_[p]) || line_[p] == ',')) ++p;
    std::string_view rest;
    if (p < line_.size() && line_[p] != '/' && line_[p] != '!') {
        std::size_t e = line_.size();
        for (std::size_t c = p + 1; c < line_.size(); ++c)
            if (line_[c] == '!' && is_blank(line_[c - 1])) {
                e = c;  // a comment after the values is not shown with them
                break;
            }
        while (e > p && is_blank(line_[e - 1])) --e;
        rest = std::string_view(line_).substr(p, e - p);
    }
    if (unread_repeat.empty() && rest.empty()) return;
    st_.extra.assign(unread_repeat);
    if (!unread_repeat.empty() && !rest.empty()) st_.extra += ' ';
    st_.extra += shown(rest);
    st_.extra_line = src_.line_number();
}

ReadStatus Reader::read_line(std::span<char> text) {
    if (!fetch()) {
        fault(ReadStatus::Code::EndOfFile, src_.line_number(),
              "the file ended where a line of text was expected");
        return st_;
    }
    put_text(text, line_);
    return st_;
}

// Short texts, so that reporting the failure does not itself allocate.
ReadStatus failed(const char* why) {
    ReadStatus st;
    st.code = ReadStatus::Code::BadValue;
    st.message = why;
    return st;
}

}  // namespace

ReadStatus read_list(LineSource& src, std::span<const Target> targets) {
    try {
        Reader r(src);
        return r.read(targets);
    } catch (const std::bad_alloc&) {
        return failed("out of memory");
    } catch (...) {
        return failed("read failure");
    }
}

ReadStatus read_text_line(LineSource& src, std::span<char> text) {
    try {
        Reader r(src);
        return r.read_line(text);
    } catch (const std::bad_alloc&) {
        return failed("out of memory");
    } catch (...) {
        return failed("read failure");
    }
}

}  // namespace zolan::fmt
