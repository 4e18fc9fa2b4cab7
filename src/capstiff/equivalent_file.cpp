// Equivalent-stiffness file read back into the pile-top values and node
// springs of the pile-head stiffnesses.
#include "capstiff/equivalent_file.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/status_codes.h"
#include "model/stiffness_tables.h"
#include "report/run_files.h"

namespace zolan {
namespace {

// The file as a sequence of lines, with the number of the last line read and
// the first fault met.
struct EqkLines {
    long number = 0;
    std::string line, fault;

    bool next() {
        if (!fault.empty()) return false;
        if (io::read_line(EQKFILE, line)) {
            ++number;
            return true;
        }
        fault = "line " + std::to_string(number + 1) + ": the file ends early";
        return false;
    }
    bool skip(int n) {
        for (int k = 0; k < n; ++k)
            if (!next()) return false;
        return true;
    }
    // The number in columns a .. a + w - 1 of the current line, as an Fw.d
    // field reads it: blanks ignored, a blank field 0, the exponent letter E
    // or D or, before a signed three-digit exponent, none.
    bool real(int a, int w, double& v) {
        if (!fault.empty()) return false;
        std::string t;
        for (int c = a; c < a + w && c <= static_cast<int>(line.size()); ++c) {
            const char ch = line[static_cast<std::size_t>(c - 1)];
            if (ch != ' ') t.push_back(ch == 'D' || ch == 'd' ? 'E' : ch);
        }
        if (t.empty()) {
            v = 0.0;
            return true;
        }
        const std::size_t sign = t.find_first_of("+-", 1);
        if (sign != std::string::npos && t[sign - 1] != 'E' && t[sign - 1] != 'e') t.insert(sign, 1, 'E');
        const char* b = t.data() + (t[0] == '+' ? 1 : 0);
        const char* e = t.data() + t.size();
        const auto res = std::from_chars(b, e, v, std::chars_format::general);
        if (res.ec == std::errc() && res.ptr == e) return true;
        fault = "line " + std::to_string(number) + ", columns " + std::to_string(a) + "-" +
                std::to_string(a + w - 1) + ": a number was expected";
        return false;
    }
};

// Block of pile row p: the pile-top values, the increment length and the
// node moduli, the moduli turned into springs.
bool read_pile_block(EqkLines& in, int p, bool plane) {
    const int N = std::clamp(NINCR(IPROP(p)), 1, MAXINC);
    // 3.1-3.2 Heading lines, then the pile-top values.
    if (!in.skip(3)) return false;
    bool ok = in.real(1, 17, EQKTOPR(p, 3)) && in.real(18, 17, EQKTOPR(p, 1));
    if (!plane) ok = ok && in.real(35, 17, EQKTOPR(p, 2));
    // 3.3-3.4 The increment length.
    double h = 0.0;
    if (!ok || !in.skip(2) || !in.real(7, 16, h)) return false;
    // 3.5 The node moduli: the stiffer bending plane in 3-D.
    for (int n = 1; n <= N + 1; ++n) {
        double a = 0.0, b = 0.0;
        if (!in.next() || !in.real(23, 17, a)) return false;
        if (!plane && !in.real(40, 17, b)) return false;
        EQKNODR(p, n) = !plane && b > a ? b : a;
    }
    // 3.6 Springs by tributary length.
    EQKNODR(p, 1) *= 0.5 * h;
    for (int n = 2; n <= N; ++n) EQKNODR(p, n) *= h;
    EQKNODR(p, N + 1) *= 0.5 * h;
    return true;
}

}  // namespace

void read_equivalent_stiffness(int& ISTAT) {
    const bool plane = NANTYP == 2;
    EqkLines in;
    // 1-2. The case line, the matrix heading and its rows.
    bool ok = in.skip(2 + (plane ? 3 : 6));
    // 3. The pile rows in order.
    for (int p = 1; ok && p <= NPILES; ++p) ok = read_pile_block(in, p, plane);
    if (ok) return;
    ISTAT = ISFILE;
    FAILTXT.push_back("    " + std::string(io::unit_name(EQKFILE)) + ", " + in.fault);
}

}  // namespace zolan
