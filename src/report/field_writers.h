// Report field writers: numeric rows are built field by field on a unit's
// current line and ended by WREOL; a real keeps a fixed width and as many
// significant digits as it allows, in fixed or exponent form by magnitude.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace zolan {

// Form of a real field: exponent (1P,Ew.n) or fixed point (Fw.d).
struct RealForm {
    bool exponent;
    int decimals;
};
RealForm real_form(int n, double x);
// The field of x in w columns with n digits by that rule.
void edit_real(std::string& out, int w, int n, double x);

void WRREAL(int unit, int w, int n, double x);
void WRINT(int unit, int w, long long i);
void WRBLNK(int unit, int n);
void WRA10(int unit, std::string_view text);
void WRA6(int unit, std::string_view text);
void WRA1(int unit, std::string_view text);
void WRA2(int unit, std::string_view text);
void WRA3(int unit, std::string_view text);
void WRTEXT(int unit, std::string_view text);
void WREOL(int unit);

// Buffer writers: a field into positions col .. col+w-1 (1-based) of a line
// held by the caller; col advances by w. Positions past the line's end are
// not written.
void BUFREAL(std::span<char> line, int w, int n, double x, int& col);
void BUFBLNK(std::span<char> line, int n, int& col);

}  // namespace zolan
