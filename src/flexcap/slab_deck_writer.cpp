// The slab decks of a pile cap: a regular mesh of eight-node elements over
// the cap, its thickness and elastic constants, the cap load at the origin
// (a torque as eight tangential point forces), one pile point per pile head,
// and the stepping of the analysis. The numeric deck is in the slab
// program's own axes and reads back through the deck reader; the keyword
// deck describes the same model in the cap axes.
#include <algorithm>
#include <cmath>
#include <vector>

#include "flexcap/slab_analysis.h"
#include "flexcap/slab_program.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/status_codes.h"
#include "report/run_files.h"
#include "report/stop_request.h"

namespace zolan {

namespace {

constexpr double HALFROOT = 0.7071067811865476;

// A node of the mesh in the cap's horizontal axes (Y along the length, Z
// along the width).
struct CapPoint { double y, z; };

// First load increment of the decks: above 1 it is one step at the full load,
// as the rigid cap takes it (the slab's stepping would make no step at all).
double first_increment() { return std::min(DTINIT, 1.0); }

// Nodes row by row: corner rows of 2 nx + 1 nodes, midside rows of nx + 1;
// x and y advanced by adding the step.
std::vector<CapPoint> mesh_nodes() {
    std::vector<CapPoint> out;
    const double dx = FCNX > 0 ? CAPLEN / FCNX : 0.0, dy = FCNY > 0 ? CAPWPL / FCNY : 0.0;
    const double x0 = FCXOFF - CAPLEN / 2;
    double y = CAPWPL / 2 - FCYOFF;
    for (int j = 1; j <= FCNY + 1; ++j) {
        double x = x0;
        for (int k = 1; k <= 2 * FCNX + 1; ++k, x += dx / 2) out.push_back({x, y});
        if (j > FCNY) break;
        x = x0;
        const double ym = y - dy / 2;
        for (int k = 1; k <= FCNX + 1; ++k, x += dx) out.push_back({x, ym});
        y -= dy;
    }
    return out;
}

void element_nodes(int i, int j, int nodes[8]) {
    const int b = 1 + (j - 1) * (3 * FCNX + 2), m = b + 2 * FCNX + 1, t = b + 3 * FCNX + 2;
    const int n = b + 2 * (i - 1), p = m + (i - 1), q = t + 2 * (i - 1);
    const int v[8] = {n, n + 2, q + 2, q, n + 1, p + 1, q + 1, p};
    for (int k = 0; k < 8; ++k) nodes[k] = v[k];
}

// Point loads in the cap axes: point (Y, Z), force along X, Y, Z and moments.
struct CapLoad { double y, z; double p[6]; };

// The cap load without its torque, and the torque P4 as eight tangential
// forces on a circle of radius a about the origin, summing to P4.
std::vector<CapLoad> cap_loads(const CAPVEC& P, double a) {
    std::vector<CapLoad> out{{0, 0, {P(1), P(2), P(3), 0, P(5), P(6)}}};
    if (std::fabs(P(4)) <= 1.0E-10) return out;
    const double F = P(4) / (8 * a), G = F * HALFROOT, d = a * HALFROOT;
    const double c[8][4] = {{a, 0, 0, F},  {0, a, -F, 0},  {-a, 0, 0, -F}, {0, -a, F, 0},
                            {d, d, -G, G}, {-d, d, -G, -G}, {-d, -d, G, -G}, {d, -d, G, G}};
    for (const auto& k : c) out.push_back({k[0], k[1], {0, k[2], k[3], 0, 0, 0}});
    return out;
}

void text(int unit, const char* t) { io::write_list(unit, {t}); }

// The numeric deck in the slab's axes: slab X, Y = cap Z, Y.
void numeric_deck(int u, const std::vector<CapPoint>& nodes, const std::vector<CapLoad>& loads) {
    text(u, "TEST OF ZOLAN5_FC");
    io::write_fmt(u, "(20I8)", {static_cast<int>(nodes.size()), FCNX * FCNY, 1, 8, 2, 0, 0, 0, 0, 0,
                                static_cast<int>(loads.size()), 0, 0, 0, NPILES, 1});
    io::write_fmt(u, "(1P,4E17.9,I10,E17.9)", {first_increment(), 0.0, 1.0, DTCMIN, MAXITC, TOLREL});
    for (int j = 1; j <= FCNY; ++j)
        for (int i = 1; i <= FCNX; ++i) {
            int n[8];
            element_nodes(i, j, n);
            const int e = (j - 1) * FCNX + i;
            io::write_fmt(u, "(20I8)", {e, e, 1, n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7]});
            if (slab_setup_stop("SLAB DECK WRITTEN")) return;
        }
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        if (slab_setup_stop("SLAB DECK WRITTEN")) return;
        const int n = static_cast<int>(k + 1);
        io::write_fmt(u, "(2I8,1P,2E25.16)", {n, n, nodes[k].z, nodes[k].y});
    }
    io::write_fmt(u, "(I8,1P,3E25.16)", {1, FCEMOD, FCPOIS, CAPTHK});
    for (const CapLoad& l : loads) {
        CAPVEC p;
        for (int i = 1; i <= 6; ++i) p(i) = l.p[i - 1];
        double s[6];
        cap_to_slab(p, s);
        io::write_fmt(u, "(1P,8E25.16)", {l.z, l.y, s[0], s[1], s[2], s[3], s[4], s[5]});
    }
    for (int i = 1; i <= NPILES; ++i) io::write_fmt(u, "(1P,2E25.16)", {CORZ(i), CORY(i)});
}

// The keyword deck in the cap axes.
void keyword_deck(int u, const std::vector<CapPoint>& nodes, const std::vector<CapLoad>& loads) {
    for (const char* t : {"ZOLAN5_FC", "TITLE", "TEST OF ZOLAN5_FC", "ELEMENT_DATA", "QUAD8  REDUCED_INTEGRATION"}) text(u, t);
    for (int j = 1; j <= FCNY; ++j)
        for (int i = 1; i <= FCNX; ++i) {
            int n[8];
            element_nodes(i, j, n);
            io::write_fmt(u, R"(("*",20I8))", {(j - 1) * FCNX + i, 1, n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7]});
            if (slab_setup_stop("SLAB DECK WRITTEN")) return;
        }
    text(u, "END_ELEMENT_DATA");
    text(u, "NODE_DATA");
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        if (slab_setup_stop("SLAB DECK WRITTEN")) return;
        io::write_fmt(u, R"(("*",I8,3F12.4))", {static_cast<int>(k + 1), 0.0, nodes[k].y, nodes[k].z});
    }
    text(u, "END_NODE_DATA");
    text(u, "MATERIAL_DATA");
    io::write_fmt(u, R"(("*","    ALL",3E13.5))", {FCEMOD, FCPOIS, CAPTHK});
    text(u, "END_MATERIAL_DATA");
    text(u, "CONCENTRATED_LOAD_DATA");
    for (const CapLoad& l : loads)
        io::write_fmt(u, R"(("*",10E13.5))", {0.0, l.y, l.z, l.p[0], l.p[1], l.p[2], l.p[3], l.p[4], l.p[5]});
    text(u, "END_CONCENTRATED_LOAD_DATA");
    text(u, "TOTAL_CONCENTRATED_STIFFNESS_DATA");
    const auto f = [](double v) { return std::fabs(v) < 1.0E-10 ? 0.0 : std::fabs(v); };
    for (int i = 1; i <= NPILES; ++i) {
        const double r = KCONN(i) == 1 ? 0.0 : 1.0;
        io::write_fmt(u, R"(("*",10E13.5))",
                      {CORX(i), CORY(i), CORZ(i), f(std::cos(ALPHA(i))), f(std::cos(ANG0(i)) * std::cos(BETA(i))),
                       f(std::sin(ANG0(i)) * std::cos(BETA(i))), r, r, r});
    }
    text(u, "END_TOTAL_CONCENTRATED_STIFFNESS_DATA");
    text(u, "TIME_STEPPING_DATA");
    io::write_fmt(u, "(4F10.4,I10,E13.5)", {first_increment(), 0.0, 1.0, DTCMIN, MAXITC, TOLREL});
    text(u, "END_TIME_STEPPING_DATA");
    text(u, "END_DATA");
}

}  // namespace

void FCDECK(const CAPVEC& P, const std::string& numeric, const std::string& keyword, int& ISTAT) {
    // 1. A torque needs a circle of positive radius for its forces, and one
    //    that stays on the slab about the origin (else its forces are lost).
    const double a = std::min({CAPWPL, CAPLEN, CAPTHK, CAPLEN / 2 - std::fabs(FCXOFF), CAPWPL / 2 - std::fabs(FCYOFF)});
    if (FCNX < 0 || FCNY < 0 || (std::fabs(P(4)) > 1.0E-10 && !(a > 0))) {
        FAILTXT.push_back(FCNX < 0 || FCNY < 0 ? "    FLEXIBLE CAP: THE ELEMENT COUNTS ALONG LENGTH AND WIDTH MUST NOT BE NEGATIVE"
                                               : "    FLEXIBLE CAP: NO RADIUS FOR THE TORQUE (A ZERO CAP DIMENSION, OR THE ORIGIN OFF THE SLAB)");
        if (ISTAT == ISOK) ISTAT = ISSLAB;
        return;
    }
    const std::vector<CapPoint> nodes = mesh_nodes();
    const std::vector<CapLoad> loads = cap_loads(P, a);
    // 2-13. Both decks, each written from its start.
    std::string why;
    for (const auto& [unit, name] : {std::pair{FCNDFILE, numeric}, std::pair{FCKDFILE, keyword}}) {
        if (name.empty()) continue;
        if (!scratch_name_free(name, &why) || !io::open_unit(unit, name, {}, &why)) {
            FAILTXT.push_back("    " + why);
            if (ISTAT == ISOK) ISTAT = ISFILE;
            return;
        }
        if (unit == FCNDFILE) numeric_deck(unit, nodes, loads);
        else keyword_deck(unit, nodes, loads);
        io::close_unit(unit);
        // A stop read while a deck was written ends the analysis there.
        if (STOPSEEN()) {
            if (ISTAT == ISOK) ISTAT = ISSTOP;
            return;
        }
    }
}

}  // namespace zolan
