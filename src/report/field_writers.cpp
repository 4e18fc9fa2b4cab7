#include "report/field_writers.h"

#include <cmath>

#include "report/fortran_format.h"
#include "report/run_files.h"

namespace zolan {
namespace {

// 10 raised to an integer power in single precision, as a real constant
// raised to an integer power is evaluated: exact for positive powers up to
// 10, one rounding for a negative power.
float pow10f(int k) {
    float p = 1.0f;
    for (int i = 0; i < std::abs(k); ++i) p *= 10.0f;
    return k >= 0 ? p : 1.0f / p;
}

// A text of exactly `len` characters: cut, or padded with blanks.
void append_fixed(std::string& out, std::string_view text, std::size_t len) {
    const std::size_t n = std::min(text.size(), len);
    out.append(text.data(), n);
    out.append(len - n, ' ');
}

}  // namespace

RealForm real_form(int n, double x) {
    // 1. Zero and values below 1E-50 print as 0.0 with n decimals.
    if (x == 0.0 || std::fabs(x) < 1.0e-50) return {false, n};
    // 2. Outside the single-precision bounds 10^(3-n) .. 10^n: exponent form.
    const double ax = std::fabs(x);
    if (!std::isfinite(ax)) return {true, n};  // Infinity and NaN take the exponent field
    const double lo = pow10f(3 - n);
    const double hi = pow10f(n);
    if (ax <= lo || ax >= hi) return {true, n};
    // 3. Decimals from the integer part of log10|x|, one less when negative.
    int k = static_cast<int>(std::trunc(std::log10(ax)));
    if (k < 0) k -= 1;
    const int d = n - k;
    if (d > n + 2) return {true, n};
    return {false, d};
}

void edit_real(std::string& out, int w, int n, double x) {
    const RealForm f = real_form(n, x);
    if (x == 0.0 || std::fabs(x) < 1.0e-50) x = 0.0;
    if (f.exponent) fmt::edit_E(out, x, w, f.decimals, 1);
    else fmt::edit_F(out, x, w, f.decimals);
}

void WRREAL(int unit, int w, int n, double x) {
    if (std::string* line = io::current_line(unit)) edit_real(*line, w, n, x);
}

void WRINT(int unit, int w, long long i) {
    if (std::string* line = io::current_line(unit)) fmt::edit_I(*line, i, w);
}

void WRBLNK(int unit, int n) {
    if (std::string* line = io::current_line(unit); line && n > 0) line->append(static_cast<std::size_t>(n), ' ');
}

void WRA10(int unit, std::string_view text) {
    if (std::string* line = io::current_line(unit)) {
        line->push_back(' ');
        append_fixed(*line, text, 10);
        line->push_back(' ');
    }
}

void WRA6(int unit, std::string_view text) {
    if (std::string* line = io::current_line(unit)) {
        line->push_back(' ');
        append_fixed(*line, text, 6);
        line->push_back(' ');
    }
}

void WRA1(int unit, std::string_view text) {
    if (std::string* line = io::current_line(unit)) append_fixed(*line, text, 1);
}

void WRA2(int unit, std::string_view text) {
    if (std::string* line = io::current_line(unit)) append_fixed(*line, text, 2);
}

void WRA3(int unit, std::string_view text) {
    if (std::string* line = io::current_line(unit)) append_fixed(*line, text, 3);
}

void WRTEXT(int unit, std::string_view text) {
    std::string* line = io::current_line(unit);
    if (!line) return;
    text = text.substr(0, 256);
    std::size_t n = text.size();
    while (n > 0 && text[n - 1] == ' ') --n;
    line->append(text.data(), n);
}

void WREOL(int unit) {
    if (std::string* line = io::current_line(unit)) {
        line->push_back(' ');
        io::end_record(unit);
    }
}

void BUFREAL(std::span<char> line, int w, int n, double x, int& col) {
    std::string field;
    edit_real(field, w, n, x);
    for (int i = 0; i < w; ++i) {
        const long pos = static_cast<long>(col) - 1 + i;
        if (pos >= 0 && static_cast<std::size_t>(pos) < line.size())
            line[static_cast<std::size_t>(pos)] = static_cast<std::size_t>(i) < field.size() ? field[i] : ' ';
    }
    col += w;
}

void BUFBLNK(std::span<char> line, int n, int& col) {
    for (int i = 0; i < n; ++i) {
        const long pos = static_cast<long>(col) - 1 + i;
        if (pos >= 0 && static_cast<std::size_t>(pos) < line.size()) line[static_cast<std::size_t>(pos)] = ' ';
    }
    if (n > 0) col += n;
}

}  // namespace zolan
