// Fortran-style formatted output, edited the way GNU Fortran edits it.
//
// Numbers are rounded by std::to_chars (on the exact binary value,
// ties to even), which is also what the GNU Fortran run time does when no
// rounding mode is given: F5.2 of 0.125 is " 0.12", F3.0 of 2.5 is " 2.".
// A negative value that rounds to zero keeps its minus sign ("-0.00").
#include "report/fortran_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zolan::fmt {

namespace {

// ---------------------------------------------------------------------------
// Small helpers for building fields.

void put_stars(std::string& out, int w) { out.append(static_cast<size_t>(w > 0 ? w : 1), '*'); }

void put_right(std::string& out, const char* s, size_t n, int w) {
    if (w > 0 && static_cast<size_t>(w) > n) out.append(static_cast<size_t>(w) - n, ' ');
    out.append(s, n);
}

// A character buffer on the stack, on the heap only for absurd widths.
class Buf {
public:
    explicit Buf(size_t n) {
        if (n > sizeof(stack_)) {
            heap_.resize(n);
            p_ = heap_.data();
            cap_ = n;
        }
    }
    char* data() { return p_; }
    size_t size() const { return cap_; }

private:
    char stack_[640];
    std::string heap_;
    char* p_ = stack_;
    size_t cap_ = sizeof(stack_);
};

// Infinity and NaN cannot be printed as numbers: their field is w asterisks
// (one for a field as narrow as possible), as for any value that does not
// fit its field, so that no report ever carries "Infinity" or "NaN" for a
// number. Returns false for a finite value.
bool edit_nonfinite(std::string& out, double x, int w) {
    if (std::isfinite(x)) return false;
    put_stars(out, w);
    return true;
}

// Digits of |x| by the C++ conversion, which is correctly rounded (exact ties
// to even) and, unlike the C library's printf, never takes the decimal point
// of the host process's locale: the engine runs inside its caller's process.
int chars(char* p, size_t size, double ax, std::chars_format form, int precision) {
    const std::to_chars_result r = std::to_chars(p, p + size - 1, ax, form, precision);
    if (r.ec != std::errc()) {
        p[0] = '\0';
        return 0;
    }
    *r.ptr = '\0';
    return static_cast<int>(r.ptr - p);
}

// Decimal digits of round(|x| * 10^frac) (ties to even), without leading
// zeros: "" when the rounded value is zero. `frac` may be negative (a negative
// scale factor on F editing rounds to tens, hundreds, ...).
// Returns the number of digits written into `buf`.
size_t fixed_digits(double ax, int frac, Buf& buf) {
    char* p = buf.data();
    size_t n = 0;
    if (frac >= 0) {
        int len = chars(p, buf.size(), ax, std::chars_format::fixed, frac);
        for (int i = 0; i < len; ++i)
            if (p[i] != '.') p[n++] = p[i];
    } else {
        // Integer part exactly, and whether a fraction was left over; then
        // round off the lowest -frac digits by hand.
        const double ip = std::floor(ax);
        const bool sticky_frac = ip != ax;
        int len = chars(p, buf.size(), ip, std::chars_format::fixed, 0);
        const int drop = -frac;
        if (len <= drop) {
            // The rounding unit 10^drop exceeds the value: 0 or 1 unit.
            // Half a unit is 5 followed by zeros with len == drop.
            bool up = false;
            if (len == drop && p[0] >= '5') {
                bool above = p[0] > '5' || sticky_frac;
                for (int i = 1; i < len && !above; ++i) above = p[i] != '0';
                up = above;  // an exact half rounds to the even 0
            }
            if (up) {
                p[0] = '1';
                return 1;
            }
            return 0;
        }
        const int keep = len - drop;
        const char first = p[keep];
        bool rest = sticky_frac;
        for (int i = keep + 1; i < len && !rest; ++i) rest = p[i] != '0';
        bool up = first > '5' || (first == '5' && (rest || (keep > 0 && (p[keep - 1] - '0') % 2 == 1)));
        n = static_cast<size_t>(keep);
        if (up) {
            int i = keep - 1;
            while (i >= 0 && p[i] == '9') p[i--] = '0';
            if (i >= 0) {
                ++p[i];
            } else {
                std::memmove(p + 1, p, n);
                p[0] = '1';
                ++n;
            }
        }
    }
    size_t lead = 0;
    while (lead < n && p[lead] == '0') ++lead;
    if (lead) {
        std::memmove(p, p + lead, n - lead);
        n -= lead;
    }
    return n;
}

// |x| rounded to `sig` (>= 1) significant digits: the digits go to `buf`
// and the decimal exponent of the first digit is returned (x = d.ddd * 10^e).
int sig_digits(double ax, int sig, Buf& buf) {
    char* p = buf.data();
    int len = chars(p, buf.size(), ax, std::chars_format::scientific, sig - 1);
    int n = 0, i = 0;
    for (; i < len && p[i] != 'e'; ++i)
        if (p[i] != '.') p[n++] = p[i];
    return i < len ? std::atoi(p + i + 1) : 0;
}

void edit_int(std::string& out, long long v, int w, int m, bool plus) {
    char buf[32];
    unsigned long long mag = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    char digits[24];
    int nd = 0;
    if (!(m == 0 && v == 0)) {
        do {
            digits[nd++] = static_cast<char>('0' + mag % 10);
            mag /= 10;
        } while (mag);
    }
    if (m < 0) m = 1;
    if (m == 0 && v == 0) {
        // Iw.0 of zero is all blanks (one blank in minimal width).
        out.append(static_cast<size_t>(w > 0 ? w : 1), ' ');
        return;
    }
    const int zeros = m > nd ? m - nd : 0;
    const char sign = v < 0 ? '-' : (plus ? '+' : 0);
    const long long len = (sign ? 1 : 0) + zeros + nd;
    if (w > 0 && len > w) {
        put_stars(out, w);
        return;
    }
    if (w > 0 && w > len) out.append(static_cast<size_t>(w - len), ' ');
    int n = 0;
    if (sign) buf[n++] = sign;
    out.append(buf, static_cast<size_t>(n));
    out.append(static_cast<size_t>(zeros), '0');
    while (nd) out += digits[--nd];
}

void edit_real_F(std::string& out, double x, int w, int d, int k, bool plus) {
    if (w < 0 || d < 0) {
        put_stars(out, w);
        return;
    }
    if (edit_nonfinite(out, x, w)) return;
    if (w > 0 && d + 1 > w) {  // not even room for ".ddd"
        put_stars(out, w);
        return;
    }
    const int frac = d + k;
    Buf buf(static_cast<size_t>(frac > 0 ? frac : 0) + 340);
    const size_t nd = fixed_digits(std::fabs(x), frac, buf);
    const char* dg = buf.data();
    const size_t ud = static_cast<size_t>(d);
    const size_t intlen = nd > ud ? nd - ud : 0;
    const char sign = std::signbit(x) ? '-' : (plus ? '+' : 0);
    // The zero before the point is optional when digits follow the point.
    const size_t base = (sign ? 1 : 0) + intlen + 1 + ud;
    bool lead0 = false;
    if (intlen == 0) {
        if (d == 0) lead0 = true;
        else if (w > 0 && base + 1 <= static_cast<size_t>(w)) lead0 = true;
    }
    const size_t len = base + (lead0 ? 1 : 0);
    if (w > 0 && len > static_cast<size_t>(w)) {
        put_stars(out, w);
        return;
    }
    if (w > 0) out.append(static_cast<size_t>(w) - len, ' ');
    if (sign) out += sign;
    if (lead0) out += '0';
    out.append(dg, intlen);
    out += '.';
    if (nd >= ud) {
        out.append(dg + intlen, ud);
    } else {
        out.append(ud - nd, '0');
        out.append(dg, nd);
    }
}

void edit_real_E(std::string& out, double x, int w, int d, int k, int e, char letter, bool plus) {
    if (w <= 0 || d < 0 || e < 0) {
        put_stars(out, w);
        return;
    }
    if (edit_nonfinite(out, x, w)) return;
    // The scale factor must leave at least one significant digit.
    if (k <= 0 ? k <= -d : k >= d + 2) {
        put_stars(out, w);
        return;
    }
    if (d + 1 > w) {
        put_stars(out, w);
        return;
    }
    const int sig = k <= 0 ? d + k : d + 1;
    Buf buf(static_cast<size_t>(sig) + 16);
    const double ax = std::fabs(x);
    const int e10 = sig_digits(ax, sig, buf);
    const int ex = ax == 0.0 ? 0 : e10 + 1 - k;
    const char* dg = buf.data();

    // Exponent part: E+dd, or +ddd for three digits (the letter gives way);
    // with Ee exactly e digits after the letter and sign.
    char expo[24];
    size_t ne = 0;
    const int aex = ex < 0 ? -ex : ex;
    if (e == 0) {
        if (aex <= 99) {
            ne = static_cast<size_t>(std::snprintf(expo, sizeof expo, "%c%c%02d", letter, ex < 0 ? '-' : '+', aex));
        } else if (aex <= 999) {
            ne = static_cast<size_t>(std::snprintf(expo, sizeof expo, "%c%03d", ex < 0 ? '-' : '+', aex));
        } else {
            put_stars(out, w);
            return;
        }
    } else {
        if (e < 9) {
            int lim = 1;
            for (int i = 0; i < e; ++i) lim *= 10;
            if (aex >= lim) {
                put_stars(out, w);
                return;
            }
        }
        if (e > 12) {
            put_stars(out, w);
            return;
        }
        ne = static_cast<size_t>(std::snprintf(expo, sizeof expo, "%c%c%0*d", letter, ex < 0 ? '-' : '+', e, aex));
    }

    const char sign = std::signbit(x) ? '-' : (plus ? '+' : 0);
    const size_t ud = static_cast<size_t>(d);
    // Mantissa: 0.[zeros]ddd for k <= 0, ddd.ddd with k digits before the point for k > 0.
    const size_t base = (sign ? 1 : 0) + 1 + ud + (k > 0 ? 1 : 0) + ne;
    const bool lead0 = k <= 0 && base + 1 <= static_cast<size_t>(w);
    const size_t len = base + (lead0 ? 1 : 0);
    if (len > static_cast<size_t>(w)) {
        put_stars(out, w);
        return;
    }
    out.append(static_cast<size_t>(w) - len, ' ');
    if (sign) out += sign;
    if (k <= 0) {
        if (lead0) out += '0';
        out += '.';
        out.append(static_cast<size_t>(-k), '0');
        out.append(dg, static_cast<size_t>(sig));
    } else {
        out.append(dg, static_cast<size_t>(k));
        out += '.';
        out.append(dg + k, static_cast<size_t>(sig - k));
    }
    out.append(expo, ne);
}

// 10**j as the GNU Fortran run time forms it: by repeated multiplication
// (and one division for negative j), so that its G limits match to the bit.
double power10(int j) {
    double p = 1.0;
    for (int i = 0; i < (j >= 0 ? j : -j); ++i) p *= 10.0;
    return j >= 0 ? p : 1.0 / p;
}

// Digits after the point of the fixed form of Gw.d editing of a magnitude m,
// or -1 for the exponent form. The limits of the standard, 0.1 - 0.5*10**(-d-1)
// and 10**k - 0.5*10**(k-d), are computed and compared in double precision as
// GNU Fortran does, so a value lying on a limit after conversion to binary
// (0.95 for G.1) takes the upper form.
int g_fixed_decimals(double m, int d) {
    if (d <= 0) return -1;
    if (m == 0.0) return d - 1;
    const double r = 0.5;
    const volatile double exp_d = power10(d);
    const volatile double r_sc = 1.0 - r / exp_d;
    const volatile double low = 0.1 * r_sc;
    const volatile double room = exp_d - m;
    if (m < low || r >= room) return -1;
    int mid = d + 1;
    for (int k = 1; k <= d + 1; ++k) {
        const volatile double limit = power10(k - 1) * r_sc;
        if (m < limit) {
            mid = k;
            break;
        }
    }
    return d + 1 - mid;
}

void edit_real_G(std::string& out, double x, int w, int d, int k, int e, bool plus) {
    if (w <= 0 || d < 0 || e < 0) {
        put_stars(out, w);
        return;
    }
    if (edit_nonfinite(out, x, w)) return;
    const int n = e > 0 ? e + 2 : 4;
    const int fd = g_fixed_decimals(std::fabs(x), d);
    if (fd < 0) {
        edit_real_E(out, x, w, d, k, e, 'E', plus);
        return;
    }
    // Fixed form F(w-n).fd then n blanks; the scale factor does not apply.
    if (w - n <= 0) {
        put_stars(out, w);
        return;
    }
    const size_t at = out.size();
    edit_real_F(out, x, w - n, fd, 0, plus);
    if (out[at] == '*') {
        out.resize(at);
        put_stars(out, w);
        return;
    }
    out.append(static_cast<size_t>(n), ' ');
}

void edit_text(std::string& out, std::string_view s, int w) {
    if (w < 0) {
        out += s;
    } else if (s.size() >= static_cast<size_t>(w)) {
        out.append(s.data(), static_cast<size_t>(w));
    } else {
        out.append(static_cast<size_t>(w) - s.size(), ' ');
        out += s;
    }
}

// ---------------------------------------------------------------------------
// Compiled edit list. Every instruction is kWords words:
// op, a, b, c, d. The first instruction is a header holding the instruction
// index where format reversion restarts and whether any data edit
// descriptor exists.

enum Op : long long {
    kHeader,
    kEnd,
    kLit,     // a = offset into the text pool, b = length
    kSkip,    // nX: a = n
    kInt,     // a = repeat, b = w, c = m (-1: none)
    kFix,     // a = repeat, b = w, c = d
    kExp,     // a = repeat, b = w, c = d, d = e (0: none)
    kDbl,     // Dw.d: a = repeat, b = w, c = d
    kGen,     // a = repeat, b = w, c = d, d = e
    kChr,     // a = repeat, b = w (-1: the whole text)
    kScale,   // a = k
    kSlash,   // a = repeat
    kColon,
    kDollar,
    kSignPlus,
    kSignDefault,
    kOpen,    // a = repeat, b = index of the matching kClose
    kClose,   // a = index of the matching kOpen
};
constexpr size_t kWords = 5;
constexpr int kMaxDepth = 32;
constexpr long long kMaxNumber = 100000;

class Parser {
public:
    Parser(std::string_view s, std::vector<long long>& code, std::string& pool, std::string& err)
        : s_(s), code_(code), pool_(pool), err_(err) {}

    // Parses the whole edit list. `outer`: the list is inside one pair of parentheses.
    // Returns false when the text after the outer parentheses is not blank.
    bool run(bool outer) {
        code_.clear();
        pool_.clear();
        err_.clear();
        emit(kHeader, 1, 0);
        pos_ = 0;
        skip_blanks();
        if (outer) ++pos_;
        parse_list(outer, 0);
        if (err_.empty() && outer) {
            skip_blanks();
            if (pos_ < s_.size()) return false;
        }
        emit(kEnd);
        if (!err_.empty()) {
            code_.clear();
            pool_.clear();
        }
        return true;
    }

private:
    std::string_view s_;
    size_t pos_ = 0;
    std::vector<long long>& code_;
    std::string& pool_;
    std::string& err_;

    size_t emit(long long op, long long a = 0, long long b = 0, long long c = 0, long long d = 0) {
        const size_t at = code_.size() / kWords;
        for (long long w : {op, a, b, c, d}) code_.push_back(w);
        return at;
    }

    void fail(const char* what) {
        if (!err_.empty()) return;
        err_ = what;
        err_ += " at column ";
        err_ += std::to_string(pos_ + 1);
        err_ += " of ";
        err_ += s_;
    }

    void skip_blanks() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
    }
    bool at_digit() {
        skip_blanks();
        return pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9';
    }
    // An unsigned number (blanks between digits are ignored, as in Fortran).
    long long number() {
        long long v = 0;
        while (at_digit()) {
            v = v * 10 + (s_[pos_++] - '0');
            if (v > kMaxNumber) {
                fail("number too large");
                return 0;
            }
        }
        return v;
    }
    char peek_upper() {
        skip_blanks();
        if (pos_ >= s_.size()) return 0;
        char c = s_[pos_];
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }

    void parse_list(bool closing, int depth) {
        bool any = false;
        bool after_comma = false;
        while (err_.empty()) {
            skip_blanks();
            if (pos_ >= s_.size()) {
                if (closing) fail("missing ')'");
                else if (after_comma) fail("comma before the end");
                return;
            }
            const char c = s_[pos_];
            if (c == ')') {
                if (!closing) fail("unbalanced ')'");
                else if (after_comma) fail("comma before ')'");
                ++pos_;
                return;
            }
            if (c == ',') {
                if (!any || after_comma) fail("misplaced comma");
                ++pos_;
                after_comma = true;
                continue;
            }
            parse_item(depth);
            any = true;
            after_comma = false;
        }
    }

    void parse_item(int depth) {
        skip_blanks();
        bool negative = false, signed_ = false;
        if (s_[pos_] == '+' || s_[pos_] == '-') {
            signed_ = true;
            negative = s_[pos_] == '-';
            ++pos_;
            if (!at_digit()) {
                fail("sign without a scale factor");
                return;
            }
        }
        const bool has_n = at_digit();
        const long long n = has_n ? number() : 0;
        if (!err_.empty()) return;
        const char c = peek_upper();
        if (c == 0) {
            fail("edit descriptor missing");
            return;
        }
        if (signed_ && c != 'P') {
            fail("sign without a scale factor");
            return;
        }
        if (c == 'P') {
            ++pos_;
            if (!has_n) fail("scale factor without a number");
            else emit(kScale, negative ? -n : n);
            return;
        }
        if (has_n && n == 0 && c != 'H') {
            fail("zero repeat count");
            return;
        }
        const long long rep = has_n ? n : 1;
        switch (c) {
            case 'X':
                ++pos_;
                emit(kSkip, rep);
                return;
            case '/':
                ++pos_;
                emit(kSlash, rep);
                return;
            case '(': {
                if (depth + 1 >= kMaxDepth) {
                    fail("groups nested too deep");
                    return;
                }
                ++pos_;
                const size_t open = emit(kOpen, rep, 0);
                if (depth == 0) code_[1] = static_cast<long long>(open);  // reversion point
                parse_list(true, depth + 1);
                const size_t close = emit(kClose, static_cast<long long>(open));
                code_[open * kWords + 2] = static_cast<long long>(close);
                return;
            }
            case 'H': {
                ++pos_;
                if (!has_n || n == 0) {
                    fail("H without a length");
                    return;
                }
                if (pos_ + static_cast<size_t>(n) > s_.size()) {
                    fail("H text runs past the end");
                    return;
                }
                emit(kLit, static_cast<long long>(pool_.size()), n);
                pool_.append(s_.substr(pos_, static_cast<size_t>(n)));
                pos_ += static_cast<size_t>(n);
                return;
            }
            case '\'':
            case '"': {
                if (has_n) {
                    fail("repeat count before a quoted text");
                    return;
                }
                const char q = s_[pos_++];
                const size_t start = pool_.size();
                for (;;) {
                    if (pos_ >= s_.size()) {
                        fail("unterminated quoted text");
                        return;
                    }
                    if (s_[pos_] == q) {
                        if (pos_ + 1 < s_.size() && s_[pos_ + 1] == q) {
                            pool_ += q;
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    pool_ += s_[pos_++];
                }
                emit(kLit, static_cast<long long>(start), static_cast<long long>(pool_.size() - start));
                return;
            }
            case ':':
            case '$':
            case '\\':
                if (has_n) {
                    fail("repeat count before ':', '$' or '\\'");
                    return;
                }
                ++pos_;
                emit(c == ':' ? kColon : kDollar);
                return;
            case 'S':
            case 'B': {
                if (has_n) {
                    fail("repeat count before a sign or blank mode");
                    return;
                }
                ++pos_;
                const char c2 = pos_ < s_.size() ? s_[pos_] : 0;
                const char u2 = (c2 >= 'a' && c2 <= 'z') ? static_cast<char>(c2 - 'a' + 'A') : c2;
                if (c == 'S') {
                    if (u2 == 'P') {
                        ++pos_;
                        emit(kSignPlus);
                    } else {
                        if (u2 == 'S') ++pos_;
                        emit(kSignDefault);
                    }
                } else if (u2 == 'N' || u2 == 'Z') {
                    ++pos_;  // blank handling only matters on input
                } else {
                    fail("unknown edit descriptor");
                }
                return;
            }
            case 'I':
            case 'F':
            case 'E':
            case 'D':
            case 'G':
            case 'A':
                ++pos_;
                code_[2] = 1;  // the edit list has data edit descriptors
                parse_data(c, rep);
                return;
            default:
                fail("unknown edit descriptor");
                return;
        }
    }

    void parse_data(char c, long long rep) {
        if (c == 'A') {
            if (!at_digit()) {
                emit(kChr, rep, -1);
                return;
            }
            const long long w = number();
            if (w == 0) fail("zero width");
            emit(kChr, rep, w);
            return;
        }
        if (!at_digit()) {
            fail("width missing");
            return;
        }
        const long long w = number();
        if (w == 0 && c != 'I' && c != 'F') {
            fail("zero width");
            return;
        }
        long long d = -1;
        skip_blanks();
        if (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            if (!at_digit()) {
                fail("digits missing after '.'");
                return;
            }
            d = number();
        }
        if (c == 'I') {
            if (d > w && w > 0) fail("minimum digits exceed the width");
            emit(kInt, rep, w, d);
            return;
        }
        if (d < 0) {
            fail("'.d' missing");
            return;
        }
        long long e = 0;
        if (c == 'E' || c == 'G') {
            const size_t save = pos_;
            if (peek_upper() == 'E') {
                ++pos_;
                if (at_digit()) {
                    e = number();
                    if (e == 0) fail("zero exponent digits");
                } else {
                    pos_ = save;  // an E descriptor follows without a comma
                }
            }
        }
        switch (c) {
            case 'F': emit(kFix, rep, w, d); break;
            case 'E': emit(kExp, rep, w, d, e); break;
            case 'D': emit(kDbl, rep, w, d); break;
            default: emit(kGen, rep, w, d, e); break;
        }
    }
};

// A data edit descriptor applied to one item. An item of the wrong kind is
// a programming fault and shows as asterisks.
void edit_item(std::string& line, const long long* ins, const Item& it, int scale, bool plus) {
    const int w = static_cast<int>(ins[2]);
    switch (ins[0]) {
        case kInt:
            if (it.kind == Item::Kind::Int) edit_int(line, it.i, w, static_cast<int>(ins[3]), plus);
            else put_stars(line, w);
            return;
        case kFix:
            if (it.kind == Item::Kind::Real) edit_real_F(line, it.r, w, static_cast<int>(ins[3]), scale, plus);
            else put_stars(line, w);
            return;
        case kExp:
        case kDbl:
            if (it.kind == Item::Kind::Real)
                edit_real_E(line, it.r, w, static_cast<int>(ins[3]), scale, static_cast<int>(ins[4]),
                            ins[0] == kDbl ? 'D' : 'E', plus);
            else put_stars(line, w);
            return;
        case kGen:
            // G edits integers as Iw and texts as Aw.
            if (it.kind == Item::Kind::Real)
                edit_real_G(line, it.r, w, static_cast<int>(ins[3]), scale, static_cast<int>(ins[4]), plus);
            else if (it.kind == Item::Kind::Int) edit_int(line, it.i, w, -1, plus);
            else edit_text(line, it.s, w);
            return;
        case kChr:
            if (it.kind == Item::Kind::Text) edit_text(line, it.s, w);
            else put_stars(line, w);
            return;
        default:
            return;
    }
}

bool is_data(long long op) { return op >= kInt && op <= kChr; }

}  // namespace

// ---------------------------------------------------------------------------

Format::Format(std::string_view text) {
    Parser p(text, code_, text_, error_);
    // Outer parentheses are optional: "(I3),(I4)" is a list of two groups.
    size_t first = 0;
    while (first < text.size() && (text[first] == ' ' || text[first] == '\t')) ++first;
    const bool paren = first < text.size() && text[first] == '(';
    if (!paren || !p.run(true)) p.run(false);
}

bool write_format(const Format& f, std::span<const Item> items, std::string& line, RecordSink& sink) {
    if (!f.ok()) {
        line += "<BAD FORMAT: ";
        line += f.error_;
        line += '>';
        sink.end_record(line);
        return false;
    }
    const long long* code = f.code_.data();
    const size_t revert = static_cast<size_t>(code[1]);
    const bool has_data = code[2] != 0;
    const size_t n = items.size();

    struct Frame {
        size_t open;
        long long left;
    };
    Frame stack[kMaxDepth + 1];
    int sp = 0;
    size_t idx = 0;
    size_t idx_at_revert = 0;
    bool reverted = false;
    int scale = 0;
    bool plus = false;
    bool dollar = false;
    long long pending = 0;  // blanks of nX, written only if something follows in the record
    size_t pc = 1;

    auto flush = [&] {
        if (pending) {
            line.append(static_cast<size_t>(pending), ' ');
            pending = 0;
        }
    };

    for (;;) {
        const long long* ins = code + pc * kWords;
        switch (ins[0]) {
            case kEnd:
                // Items left: the record ends and the edit list starts again
                // at the last top-level group. A pass that used no item ends it.
                if (idx >= n || !has_data || (reverted && idx == idx_at_revert)) goto done;
                if (!dollar) sink.end_record(line);
                pending = 0;
                reverted = true;
                idx_at_revert = idx;
                sp = 0;
                pc = revert;
                continue;
            case kOpen:
                stack[sp++] = {pc, ins[1]};
                ++pc;
                continue;
            case kClose:
                if (--stack[sp - 1].left > 0) {
                    pc = stack[sp - 1].open + 1;
                } else {
                    --sp;
                    ++pc;
                }
                continue;
            case kLit:
                flush();
                line.append(f.text_, static_cast<size_t>(ins[1]), static_cast<size_t>(ins[2]));
                break;
            case kSkip:
                pending += ins[1];
                break;
            case kSlash:
                if (!dollar)
                    for (long long r = 0; r < ins[1]; ++r) sink.end_record(line);
                pending = 0;
                break;
            case kColon:
                if (idx >= n) goto done;
                break;
            case kDollar:
                // From here on the write ends no record: '/' and format
                // reversion only drop pending nX blanks, as GNU Fortran does.
                dollar = true;
                break;
            case kScale:
                scale = static_cast<int>(ins[1]);
                break;
            case kSignPlus:
                plus = true;
                break;
            case kSignDefault:
                plus = false;
                break;
            default:
                if (is_data(ins[0])) {
                    for (long long r = 0; r < ins[1]; ++r) {
                        if (idx >= n) goto done;
                        flush();
                        edit_item(line, ins, items[idx++], scale, plus);
                    }
                }
                break;
        }
        ++pc;
    }
done:
    if (dollar) return true;
    sink.end_record(line);
    return false;
}

namespace {
class Collect final : public RecordSink {
public:
    std::string out;
    bool first = true;
    void end_record(std::string& line) override {
        if (!first) out += '\n';
        first = false;
        out += line;
        line.clear();
    }
};
}  // namespace

std::string format_to_string(const Format& f, std::span<const Item> items) {
    Collect c;
    std::string line;
    if (write_format(f, items, line, c)) c.end_record(line);
    return std::move(c.out);
}

// ---------------------------------------------------------------------------
// List-directed output. Items after the leading blank are separated by one
// blank, except between two texts. An integer takes 11 columns (20 when it
// needs more than 32 bits); a real takes 25, edited as by 1PG25.17E3 would be
// but with 17 significant digits in both forms: the fixed form right-aligned
// in 20 columns and 5 blanks when 0.1 <= |x| < 10**17, else
// d.ddddddddddddddddE+ddd.

namespace {
void list_real(std::string& out, double x) {
    if (edit_nonfinite(out, x, 25)) return;
    char buf[64];
    const double ax = std::fabs(x);
    const int fd = g_fixed_decimals(ax, 17);
    if (fd >= 0) {
        edit_real_F(out, x, 20, fd, 0, false);
        out.append(5, ' ');
        return;
    }
    int len = 0;
    if (std::signbit(x)) buf[len++] = '-';
    len += chars(buf + len, sizeof buf - static_cast<size_t>(len), ax, std::chars_format::scientific, 16);
    // The C library writes e+17; Fortran writes E+017.
    char* ep = std::strchr(buf, 'e');
    if (ep) {
        const int ex = std::atoi(ep + 1);
        len = static_cast<int>(ep - buf);
        len += std::snprintf(ep, sizeof buf - static_cast<size_t>(len), "E%c%03d", ex < 0 ? '-' : '+', ex < 0 ? -ex : ex);
    }
    put_right(out, buf, static_cast<size_t>(len), 25);
}
}  // namespace

void list_write(std::string& line, std::span<const Item> items) {
    // The record's one blank, then the items side by side with no separator
    // of their own: a text as it stands, an integer right-aligned in 12
    // columns (20 when it needs more than 32 bits), a real in a 25-column field.
    line += ' ';
    for (const Item& it : items) {
        switch (it.kind) {
            case Item::Kind::Text:
                line += it.s;
                break;
            case Item::Kind::Int:
                edit_int(line, it.i, (it.i >= -2147483648LL && it.i <= 2147483647LL) ? 12 : 20, -1, false);
                break;
            case Item::Kind::Real:
                list_real(line, it.r);
                break;
        }
    }
}

// ---------------------------------------------------------------------------
// Single fields.

void edit_I(std::string& out, long long v, int w, int m) { edit_int(out, v, w, m, false); }
void edit_F(std::string& out, double x, int w, int d, int scale) { edit_real_F(out, x, w, d, scale, false); }
void edit_E(std::string& out, double x, int w, int d, int scale, int e) {
    edit_real_E(out, x, w, d, scale, e, 'E', false);
}
void edit_G(std::string& out, double x, int w, int d, int scale, int e) {
    edit_real_G(out, x, w, d, scale, e, false);
}
void edit_A(std::string& out, std::string_view s, int w) { edit_text(out, s, w); }

}  // namespace zolan::fmt
