// Input echo, Table K: the p- and y-multipliers of closely spaced piles that
// the p-y curves of each pile row start with, taken from the pile table or
// computed from the layout for a direction of movement (the first load
// case's equivalent load, or the direction given in the input). In the
// three-dimensional model the two lateral directions are then combined into
// one factor per row.
#include <cmath>
#include <string_view>

#include "control/input_echo.h"
#include "control/load_assembly.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"
#include "model/status_codes.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/stop_request.h"
#include "report/unit_labels.h"
#include "soil/group_factors.h"

namespace zolan {
namespace {

constexpr int U = ECHOFILE;

const fmt::Format title(R"((/,/,/,5X,"* TABLE K *   REDUCTION FACTORS        "))");
const fmt::Format diameter(R"((/,7X,"PILE DIAMETER = ",F10.3,1X,A3))");
const fmt::Format average(R"((/,7X,"AVERAGE DIAMETER IS USED TO GET RATIO S/B"))");

double sign_of(double v) { return v < 0.0 ? -1.0 : 1.0; }

// The stop request between the piles of the factors computed from the
// layout (products over every pair of a large group); TABLEK then stops.
bool factor_stop(int pile, int piles) {
    int stop = 0;
    return ECHOSTOP("TABLE K, PILE ", pile, piles, stop);
}
std::string_view marker(double dir) { return dir < 0.0 ? "(-)" : "(+)"; }

// Top diameter of the first section of pile row 1's property set.
double first_diameter() { return NPILES >= 1 && IPROP(1) >= 1 ? SECTAB(IPROP(1), 1, SEC_TOP + SP_DIA) : 0.0; }

// Equivalent load of load case 1 at the origin (X, Y, Z forces, moments
// about X, Y, Z); zero when there is no load case.
CAPVEC case1_load() {
    CAPVEC q;
    q.fill(0.0);
    if (NLCASE >= 1) EQLOAD(1, q);
    return q;
}

// Pile rows of other diameters than row 1's while every pair's spacing
// ratio takes row 1's (KAVGD 0): a warning, naming that diameter and the
// switch that takes each pair's own, so that the order of the rows does not
// decide the factors unseen.
void mixed_diameter_warning() {
    static const fmt::Format warn(
        R"((/,5X,"** WARNING **  PILE ROWS DIFFER IN DIAMETER: S/B OF EVERY PAIR USES ROW 1'S",F10.3,1X,A3,)"
        R"("; KAVGD = 1 TAKES THE AVERAGE OF EACH PAIR"))");
    const double b0 = first_diameter();
    for (int r = 2; r <= NPILES; ++r) {
        if (NANTYP == 2 && PMULT(r) < 1.0) continue;  // a plane row standing for no pile
        const double b = IPROP(r) >= 1 ? SECTAB(IPROP(r), 1, SEC_TOP + SP_DIA) : b0;
        if (std::fabs(b - b0) > 1.0e-6 * std::fabs(b0)) {
            io::write_fmt(U, warn, {UCM1E3(b0), USLEN.view()});
            return;
        }
    }
}

void rows(const Table1<double, MAXPIL>& pf, const Table1<double, MAXPIL>& yf) {
    for (int r = 1; r <= NPILES; ++r) GRPROW(U, r, pf(r), yf(r));
}

// Piles at the same position give each other a factor of 0: the factors are
// kept as computed and the block says where.
void coincident_warning() {
    static const fmt::Format warn(
        R"((/,29X,"**** WARNING ****",/,5X,"PILES OF GROUPS",I6," AND",I6," STAND AT THE SAME POSITION;",/,)"
        R"(5X,"THE FACTOR BETWEEN TWO PILES AT ONE POSITION IS ZERO",/,)"
        R"(5X,"PAIRS OF PILES AT ONE POSITION IN THE GROUP:",I8))");
    const CoincidentPiles c = group_coincident_piles();
    if (c.pairs > 0) io::write_fmt(U, warn, {c.row1, c.row2, c.pairs});
}

// Plane model: one direction, along Y.
void table_k_plane() {
    static const fmt::Format block(
        R"((/,7X,"REDUCTION FACTORS FOR CLOSELY-SPACED PILE GROUPS",/,7X,"                                 ",/,)"
        R"(7X,"     GROUP NO     P-FACTOR     Y-FACTOR        ",/))");
    // 1-2. Direction and factors.
    const bool computed = KGRPRF == 1 || KGRPRF == 3;
    double dir = sign_of(case1_load()(2));
    if (KGRPRF == 3) dir = sign_of(GRPMVY);
    if (computed) PFACT1(dir, factor_stop);
    if (STOPSEEN()) return;
    // 3-4. Heading, diameter, rows.
    io::write_fmt(U, title);
    if (computed && KAVGD == 0) {
        io::write_fmt(U, diameter, {UCM1E3(first_diameter()), USLEN.view()});
        mixed_diameter_warning();
    }
    io::write_fmt(U, block);
    rows(PFGRP, YFGRP);
    if (computed) coincident_warning();
}

// Three-dimensional model, factors computed for both directions and
// combined by the weights a (Y) and b (Z).
void table_k_3d_computed() {
    static const fmt::Format load_block(
        R"((/,7X,"REDUCTION FACTORS FOR CLOSELY-SPACED PILE GROUPS",1X,A,/,)"
        R"(7X,"ESTIMATED ASSUMING MOVEMENT IN",1X,A,A3,/,7X,"                                 ",/,)"
        R"(7X,"     GROUP NO     P-FACTOR     Y-FACTOR        ",/))");
    static const fmt::Format move_block(
        R"((/,7X,"REDUCTION FACTORS FOR CLOSELY-SPACED PILE GROUPS",1X,A,/,)"
        R"(7X,"ESTIMATED BASED ON DEFINED MOVEMENT IN",1X,A,A3,/,7X,"                                 ",/,)"
        R"(7X,"     GROUP NO     P-FACTOR     Y-FACTOR        ",/))");
    const bool by_load = KGRPRF == 1;

    // 1. Directions and weights.
    double dy, dz, a, b;
    if (by_load) {
        const CAPVEC q = case1_load();
        dy = sign_of(q(2));
        dz = sign_of(q(3));
        a = std::fabs(q(2));
        b = std::fabs(q(3));
        if (a == 0.0 && b == 0.0) {
            a = std::fabs(q(6));
            b = std::fabs(q(5));
        }
    } else {
        dy = sign_of(GRPMVY);
        dz = sign_of(GRPMVZ);
        a = std::fabs(GRPMVY);
        b = std::fabs(GRPMVZ);
    }
    if (a == 0.0 && b == 0.0) a = b = 1.0;
    PFACT1(dy, factor_stop);
    if (!STOPSEEN()) PFACT2(dz, factor_stop);
    if (STOPSEEN()) return;

    // 2. Heading and diameter.
    io::write_fmt(U, title);
    if (KAVGD == 0) {
        if (by_load)
            io::write_fmt(U, diameter, {UCM1E3(first_diameter()), USLEN.view()});
        else
            io::write_fmt(U, diameter, {first_diameter(), ULEN.view()});
        mixed_diameter_warning();
    } else if (by_load) {
        io::write_fmt(U, average);
    }

    // 3-4. The two directions.
    const fmt::Format& block = by_load ? load_block : move_block;
    io::write_fmt(U, block,
                  {"ALONG Y-DIRECTION", by_load ? "THE DIRECTION OF Y-FORCE " : "THE Y-DIRECTION OF ", marker(dy)});
    rows(PFGRP, YFGRP);
    io::write_fmt(U, block,
                  {"ALONG Z-DIRECTION", by_load ? "THE DIRECTION OF Z-FORCE " : "THE Z-DIRECTION OF ", marker(dz)});
    rows(PFGRP2, YFGRP2);
    coincident_warning();

    // 5. Combination: the Y results kept, the factors in effect weighted.
    const double h = std::sqrt(a * a + b * b);
    const double cy = a / h, cz = b / h;
    for (int r = 1; r <= NPILES; ++r) {
        PFGRP1(r) = PFGRP(r);
        YFGRP1(r) = YFGRP(r);
        PFGRP(r) = std::sqrt(std::pow(PFGRP1(r) * cy, 2) + std::pow(PFGRP2(r) * cz, 2));
        YFGRP(r) = std::sqrt(std::pow(YFGRP1(r) * cy, 2) + std::pow(YFGRP2(r) * cz, 2));
    }
}

// Three-dimensional model, the pile table's factors per direction.
void table_k_3d_given() {
    static const fmt::Format block(
        R"((/,7X,"REDUCTION FACTORS FOR CLOSELY-SPACED PILE GROUPS",1X,A,/,7X,"                                 ",/,)"
        R"(7X,"     GROUP NO     P-FACTOR     Y-FACTOR        ",/))");
    io::write_fmt(U, title);
    io::write_fmt(U, block, {"ALONG Y-DIRECTION"});
    rows(PFGRP1, YFGRP1);
    io::write_fmt(U, block, {"ALONG Z-DIRECTION"});
    rows(PFGRP2, YFGRP2);
}

}  // namespace

void TABLEK(int& ISTAT) {
    if (NANTYP == 2) {
        if (KGRPRF != 0) table_k_plane();
    } else if (KGRPRF == 1 || KGRPRF == 3) {
        table_k_3d_computed();
    } else if (KGRPRF == 2) {
        table_k_3d_given();
    }
    if (STOPSEEN()) ISTAT = ISSTOP;
}

}  // namespace zolan
