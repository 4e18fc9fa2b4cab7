// The slab decks of a pile cap: a regular mesh of eight-node elements over
// the cap, its thickness and elastic constants, the loads at their points
// (a torque about the vertical as eight tangential point forces about its
// point), one pile point per pile head, and the stepping of the analysis.
// The numeric deck is in the slab program's own axes and reads back through
// the deck reader; the keyword deck describes the same model in the cap axes.
#include <algorithm>
#include <cmath>
#include <string>
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

// Point loads of the decks in the cap axes: point (Y, Z), force along X, Y,
// Z and moments.
struct CapLoad { double y, z; double p[6]; };

// Radius of the circle of a torque about the plan point (y, z): the smallest
// cap dimension, kept on the slab (the slab spans FCXOFF -+ CAPLEN / 2 along
// Y and -FCYOFF -+ CAPWPL / 2 along Z).
double torque_radius(double y, double z) {
    return std::min({CAPWPL, CAPLEN, CAPTHK, CAPLEN / 2 - std::fabs(y - FCXOFF), CAPWPL / 2 - std::fabs(z + FCYOFF)});
}

// A plan point on the slab, its edges included up to the rounding of the
// mesh's coordinates (far below what the point location admits).
bool on_slab(double y, double z) {
    return std::fabs(y - FCXOFF) <= CAPLEN / 2 * (1 + 1.0E-13) && std::fabs(z + FCYOFF) <= CAPWPL / 2 * (1 + 1.0E-13);
}

// The load without its torque, and the torque P4 as eight tangential forces
// on a circle of radius a about the load's point, summing to P4.
void add_deck_loads(const SlabLoad& l, std::vector<CapLoad>& out) {
    const double* P = l.p;
    out.push_back({l.y, l.z, {P[0], P[1], P[2], 0, P[4], P[5]}});
    if (std::fabs(P[3]) <= 1.0E-10) return;
    const double a = torque_radius(l.y, l.z);
    const double F = P[3] / (8 * a), G = F * HALFROOT, d = a * HALFROOT;
    const double c[8][4] = {{a, 0, 0, F},  {0, a, -F, 0},  {-a, 0, 0, -F}, {0, -a, F, 0},
                            {d, d, -G, G}, {-d, d, -G, -G}, {-d, -d, G, -G}, {d, -d, G, G}};
    for (const auto& k : c) out.push_back({l.y + k[0], l.z + k[1], {0, k[2], k[3], 0, 0, 0}});
}

// What the message of a refused load calls it.
std::string load_name(const SlabLoad& l) {
    if (l.record > 0) return "LOAD RECORD " + std::to_string(l.record) + " OF LOAD CASE " + std::to_string(l.lcase);
    if (l.row > 0) return "THE AXIAL HEAD LOAD OF PILE ROW " + std::to_string(l.row);
    return "THE LOAD AT THE ORIGIN";
}

// Why a load cannot stand on the slab: a torque without a circle on it, or a
// point off the slab; empty when it can.
std::string load_fault(const SlabLoad& l) {
    const bool named = l.record > 0 || l.row > 0;
    if (std::fabs(l.p[3]) > 1.0E-10 && !(torque_radius(l.y, l.z) > 0)) {
        if (!named) return "    FLEXIBLE CAP: NO RADIUS FOR THE TORQUE (A ZERO CAP DIMENSION, OR THE ORIGIN OFF THE SLAB)";
        return "    FLEXIBLE CAP: NO RADIUS FOR THE TORQUE OF " + load_name(l) +
               " (A ZERO CAP DIMENSION, OR ITS POINT ON THE SLAB'S EDGE OR OFF THE SLAB)";
    }
    if (!on_slab(l.y, l.z)) return "    FLEXIBLE CAP: " + load_name(l) + " LIES IN NO ELEMENT OF THE SLAB MESH (ITS POINT IS OFF THE SLAB)";
    return {};
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

void FCDECK(const SlabLoads& in, const std::string& numeric, const std::string& keyword, int& ISTAT) {
    // 1. Element counts that make a mesh; every load on the slab, a torque
    //    with a circle of positive radius on the slab about its point (else
    //    its forces are lost).
    std::string fault;
    if (FCNX < 0 || FCNY < 0) fault = "    FLEXIBLE CAP: THE ELEMENT COUNTS ALONG LENGTH AND WIDTH MUST NOT BE NEGATIVE";
    for (std::size_t k = 0; k < in.size() && fault.empty(); ++k) fault = load_fault(in[k]);
    if (!fault.empty()) {
        FAILTXT.push_back(fault);
        if (ISTAT == ISOK) ISTAT = ISSLAB;
        return;
    }
    const std::vector<CapPoint> nodes = mesh_nodes();
    std::vector<CapLoad> loads;
    for (const SlabLoad& l : in) add_deck_loads(l, loads);
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
