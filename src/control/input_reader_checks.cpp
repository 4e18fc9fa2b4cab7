// Warnings of the input reader that need values of several sections: a pile
// whose ground line is not the top of the first soil layer, a load case that
// holds no load, and a concentrated load whose point lies far from the pile
// heads. Each names the record and its lines; the run goes on.
#include <algorithm>
#include <cmath>
#include <string>

#include "control/input_reader.h"
#include "model/input_tables.h"
#include "report/unit_labels.h"

namespace zolan::input {
namespace {

std::string length_unit() {
    std::string_view u = UBLEN2.trimmed();
    while (!u.empty() && u.front() == ' ') u.remove_prefix(1);
    return u.empty() ? "" : " " + std::string(u);
}

// Two lengths of the file that should be one: equal to a millionth of the
// largest length involved (at least 1).
bool differ(double a, double b, double scale) { return std::fabs(a - b) > 1.0e-6 * std::max(1.0, scale); }

// The ground line of each pile (head X plus the depth of the ground line
// below the head) against the top of the first soil layer: the p-y and t-z
// curves measure depth from the first, the overburden and the side friction
// from the second. Under an embedded cap (KCAPOP above 0) the soil between
// the first layer's top and a ground line below it is the cap's.
void ground_lines(const Reader& rd, const Places& at) {
    if (NLAYER < 1) return;
    const bool three = NANTYP == 3;
    const double top = LAYIN.TOP(1);
    const std::string u = length_unit();
    for (int r = 1; r <= input_rows(); ++r) {
        const double x = three ? PGRB3(r, 1) : PGRB2(r, 1);
        const double g = three ? PGRB3(r, 7) : PGRB2(r, 4);
        if (!differ(x + g, top, std::max({std::fabs(x), std::fabs(g), std::fabs(top)}))) continue;
        if (KCAPOP > 0 && x + g > top) continue;
        const char* table = three ? "PGRB3" : "PGRB2";
        const std::string head = std::string(table) + " 1", ground = std::string(table) + (three ? " 7" : " 4");
        rd.warn_at(at.pile_geo(r), "PILE ROW " + std::to_string(r) + ", RECORD 3 (" + table + (three ? " 1-7)" : " 1-4)"),
                   "THE GROUND LINE OF PILE ROW " + std::to_string(r) + " IS AT X = " + real_text(x + g) + u + " (HEAD X, " +
                       head + ", PLUS " + ground + ": " + real_text(x) + " + " + real_text(g) +
                       "), THE TOP OF THE FIRST SOIL LAYER AT X = " + real_text(top) + u + "; A GROUND LINE (" + ground +
                       ") OF " + real_text(top - x) + u + " PUTS THEM TOGETHER");
    }
}

// True when the case gives the cap a load: a concentrated load with a force
// or moment, a distributed-load line, a point of definition, or the soil's
// movement (which acts in every case).
bool case_has_load(int i) {
    const int slots = NANTYP == 3 ? 6 : 3;
    for (int m = 1; m <= NCLOAD(i); ++m)
        for (int k = 1; k <= slots; ++k)
            if (CLOAD(i, m, k) != 0.0) return true;
    return NDLINE(i) > 0 || LCPOD(i) == 1 || NSMOV > 0;
}

// The plan extent of the pile heads (Y, and Z in the three-dimensional model).
struct HeadExtent {
    double y0 = 0, y1 = 0, z0 = 0, z1 = 0;
    double margin = 0;  // how far outside them a load point is still near
};

HeadExtent head_extent() {
    const bool three = NANTYP == 3;
    HeadExtent h;
    for (int r = 1; r <= input_rows(); ++r) {
        const double y = three ? PGRB3(r, 2) : PGRB2(r, 2);
        const double z = three ? PGRB3(r, 3) : 0.0;
        if (r == 1) h.y0 = h.y1 = y, h.z0 = h.z1 = z;
        h.y0 = std::min(h.y0, y), h.y1 = std::max(h.y1, y);
        h.z0 = std::min(h.z0, z), h.z1 = std::max(h.z1, z);
    }
    // The larger of the heads' own spread and the cap's plan.
    h.margin = std::max({h.y1 - h.y0, h.z1 - h.z0, CAPLEN, three ? CAPWID : 0.0});
    return h;
}

// A concentrated load whose point lies outside the pile heads by more than
// the margin: most often a coordinate in the wrong unit or field.
void load_point(const Reader& rd, const Places& at, const HeadExtent& h, int i, int m) {
    const bool three = NANTYP == 3;
    const double y = CLOAD(i, m, 8), z = three ? CLOAD(i, m, 9) : 0.0;
    const double tol = 1.0e-9 * std::max(1.0, h.margin);
    const bool far_y = y < h.y0 - h.margin - tol || y > h.y1 + h.margin + tol;
    const bool far_z = three && (z < h.z0 - h.margin - tol || z > h.z1 + h.margin + tol);
    if (!far_y && !far_z) return;
    const std::string u = length_unit();
    std::string where = "Y = " + real_text(y) + (three ? ", Z = " + real_text(z) : "") + u;
    std::string span = "Y = " + real_text(h.y0) + " TO " + real_text(h.y1) +
                       (three ? " AND Z = " + real_text(h.z0) + " TO " + real_text(h.z1) : "") + u;
    rd.warn_at(at.cload(i, m),
               "LOAD CASE " + std::to_string(i) + ", CONCENTRATED LOAD " + std::to_string(m) + ", RECORD 8 (CLOAD 1-9)",
               "CONCENTRATED LOAD " + std::to_string(m) + " OF LOAD CASE " + std::to_string(i) + " ACTS AT " + where +
                   (three ? " (CLOAD 8, 9)" : " (CLOAD 8)") + ", FAR OUTSIDE THE PILE HEADS: THEY SPAN " + span +
                   ", AND A POINT MORE THAN " + real_text(h.margin) + u +
                   " BEYOND THEM (THE LARGER OF THEIR SPREAD AND THE CAP'S PLAN) IS FAR");
}

void load_cases(const Reader& rd, const Places& at) {
    const HeadExtent h = head_extent();
    const int slots = NANTYP == 3 ? 6 : 3;
    for (int i = 1; i <= NLCASE; ++i) {
        const std::string name = "LOAD CASE " + std::to_string(i);
        if (!case_has_load(i))
            rd.warn_at(at.ncload(i), name + ", RECORD 8 (NCLOAD)",
                       name + " HOLDS NO LOAD (NO CONCENTRATED LOAD WITH A FORCE OR MOMENT, NO DISTRIBUTED-LOAD LINE, "
                              "NO POINT OF DEFINITION): IT IS SOLVED AT ZERO LOAD AND ADDS NOTHING TO A COMBINATION");
        else if (LCSCAL(i) == 0.0)
            rd.warn_at(at.lcscal(i), name + ", RECORD 5 (LCPRT, LCPINC, LCSCAL, LCALTF, LCALTD, LCALTR, LCAXV, LCSKIP, LCEIPR)",
                       "THE FACTOR ON THE LOADS OF " + name +
                           " (LCSCAL) IS 0: IT IS SOLVED AT ZERO LOAD AND ADDS NOTHING TO A COMBINATION; 1.0 TAKES "
                           "THE LOADS AS GIVEN");
        if (!(h.margin > 0.0) || input_rows() < 1) continue;
        for (int m = 1; m <= NCLOAD(i); ++m) {
            bool loaded = false;
            for (int k = 1; k <= slots; ++k) loaded = loaded || CLOAD(i, m, k) != 0.0;
            if (loaded) load_point(rd, at, h, i, m);
        }
    }
}

}  // namespace

void warn_across_sections(const Reader& rd, const Places& at) {
    ground_lines(rd, at);
    load_cases(rd, at);
}

}  // namespace zolan::input
