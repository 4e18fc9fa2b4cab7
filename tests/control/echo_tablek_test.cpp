#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "control/input_echo.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/echo_block.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

using test::lines_of;

std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// Published pair factors at 3 diameters: side by side 0.64 * 3^0.34 = 0.92982,
// leading 0.70 * 3^0.26 = 0.93143, trailing 0.48 * 3^0.38 = 0.72870.
const double S3 = 0.64 * std::pow(3.0, 0.34);
const double L3 = 0.70 * std::pow(3.0, 0.26);
const double T3 = 0.48 * std::pow(3.0, 0.38);

// Two single-pile rows 3 diameters (b = 10, or 0.6 in SI) apart, along Y
// (`along_z` false) or Z; load case 1 with the given forces and moments in
// cap order FX, FY, FZ, MX, MY, MZ.
void model(int nantyp, int nunits, int kgrprf, int kavgd, bool along_z, std::vector<double> load) {
    reset_run_state();
    reset_input_tables();
    reset_pile_tables();
    reset_section_tables();
    NUNITS = nunits;
    UNITLB(unit_label_sel(nunits));
    NANTYP = nantyp;
    KGRPRF = kgrprf;
    KAVGD = kavgd;
    const double b = nunits == 2 ? 0.6 : 10.0;
    SECTAB(1, 1, SEC_TOP + SP_DIA) = b;
    NPILES = 2;
    for (int r = 1; r <= 2; ++r) {
        PMULT(r) = 1.0;
        IPROP(r) = 1;
        (along_z ? CORZ(r) : CORY(r)) = 3 * b * (r - 1);
    }
    if (!load.empty()) {
        NLCASE = 1;
        LCSCAL(1) = 1.0;
        NCLOAD(1) = 1;
        // Input slots: FX, FY, MZ, FZ, MY, MX.
        const int slot[6] = {1, 2, 4, 6, 5, 3};
        for (int c = 0; c < 6; ++c) CLOAD(1, 1, slot[c]) = load[static_cast<std::size_t>(c)];
    }
}

std::vector<std::string> table_k() { return test::echo_block(TABLEK); }

// 12X, I5, 5X, WRREAL(12,4), 1X, WRREAL(12,4), closing blank. With 4 digits
// a value between 0.1 and 1 has k = 0 and four decimals.
std::string row(int r, const char* pf, const char* yf) {
    return sp(12) + "    " + std::to_string(r) + sp(5) + pf + " " + yf + " ";
}

const std::vector<std::string> kTitle = {"", "", "", "     * TABLE K *   REDUCTION FACTORS        "};
const std::string kGroups = sp(12) + "GROUP NO     P-FACTOR     Y-FACTOR        ";
const std::string kReduce = "       REDUCTION FACTORS FOR CLOSELY-SPACED PILE GROUPS";

std::vector<std::string> join(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Plane model, factors from the layout: the Y force of load case 1 is
// negative, so the row with the smaller Y leads.
TEST(TableK, PlaneComputedEcho) {
    model(2, 1, 1, 0, false, {0, -100, 0, 0, 0, 0});
    const std::vector<std::string> want = join({
        kTitle,
        {"", "       PILE DIAMETER =     10.000  IN"},
        {"", kReduce, sp(40), kGroups, ""},
        {row(1, "      0.9314", "      1.0000"), row(2, "      0.7287", "      1.0000")},
    });
    EXPECT_EQ(table_k(), want);
    EXPECT_NEAR(PFGRP(1), L3, 1e-6);
    EXPECT_NEAR(PFGRP(2), T3, 1e-6);
}

// Three-dimensional model, load case 1 with only a negative Z force, piles in
// line along Z: Y movement "(+)" sees them side by side, Z movement "(-)"
// makes row 1 lead; the factors in effect are the Z ones (cy = 0, cz = 1),
// the Y ones kept in PFGRP1.
TEST(TableK, ThreeDimensionalComputedEcho) {
    model(3, 1, 1, 0, true, {0, 0, -100, 0, 0, 0});
    const std::vector<std::string> want = join({
        kTitle,
        {"", "       PILE DIAMETER =     10.000  IN"},
        {"", kReduce + " ALONG Y-DIRECTION", "       ESTIMATED ASSUMING MOVEMENT IN THE DIRECTION OF Y-FORCE (+)",
         sp(40), kGroups, ""},
        {row(1, "      0.9298", "      1.0000"), row(2, "      0.9298", "      1.0000")},
        {"", kReduce + " ALONG Z-DIRECTION", "       ESTIMATED ASSUMING MOVEMENT IN THE DIRECTION OF Z-FORCE (-)",
         sp(40), kGroups, ""},
        {row(1, "      0.9314", "      1.0000"), row(2, "      0.7287", "      1.0000")},
    });
    EXPECT_EQ(table_k(), want);
    EXPECT_NEAR(PFGRP(1), L3, 1e-6);
    EXPECT_NEAR(PFGRP(2), T3, 1e-6);
    EXPECT_NEAR(PFGRP1(1), S3, 1e-6);
    EXPECT_NEAR(YFGRP(1), 1.0, 1e-12);
}

// Directions, weights and heading lines over the control values: the
// combined factor of row 1 (piles in line along Z, or along Y in the plane
// model) and the lines between
// the title and the first "REDUCTION FACTORS" line.
TEST(TableK, DirectionsWeightsAndHeadings) {
    struct Case {
        const char* what;
        int nantyp, nunits, kgrprf, kavgd;
        std::vector<double> load;  // empty: no load case
        double mvy, mvz;
        std::vector<std::string> head;
        const char* y_marker;  // the Y line's ending
        double pf1;            // PFGRP(1) after the table
    };
    const double avg = std::sqrt((S3 * S3 + T3 * T3) / 2);  // cy = cz = 1/sqrt(2), Z movement +: row 1 trails
    const Case cases[] = {
        // Moment about Z only: the factors in effect are the Y ones.
        {"moment about Z only", 3, 1, 1, 0, {0, 0, 0, 0, 0, 50}, 0, 0, {"", "       PILE DIAMETER =     10.000  IN"},
         "Y-FORCE (+)", S3},
        // No load case: both directions positive, equal weights; mean diameter line.
        {"no load case", 3, 1, 1, 1, {}, 0, 0, {"", "       AVERAGE DIAMETER IS USED TO GET RATIO S/B"}, "Y-FORCE (+)",
         avg},
        // No lateral load and no moment: equal weights.
        {"no lateral load", 3, 1, 1, 1, {500, 0, 0, 0, 0, 0}, 0, 0,
         {"", "       AVERAGE DIAMETER IS USED TO GET RATIO S/B"}, "Y-FORCE (+)", avg},
        // Given movement: the diameter in internal units (metres), "(-)" for Y,
        // weights 2 and 0 keep the Y factors.
        {"given movement, SI", 3, 2, 3, 0, {0, 0, 100, 0, 0, 0}, -2.0, 0.0, {"", "       PILE DIAMETER =      0.600   M"},
         "Y-DIRECTION OF (-)", S3},
        {"given movement, mean diameter", 3, 1, 3, 1, {}, 0.0, -1.0, {}, "Y-DIRECTION OF (+)", L3},  // Z factors, Z movement (-): row 1 leads
        // Plane model (piles along Y) in SI: the diameter in millimetres; row 1 trails.
        {"plane, SI", 2, 2, 1, 0, {0, 100, 0, 0, 0, 0}, 0, 0, {"", "       PILE DIAMETER =    600.000  MM"}, nullptr,
         T3},
        {"plane, mean diameter", 2, 1, 1, 1, {0, 100, 0, 0, 0, 0}, 0, 0, {}, nullptr, T3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        model(c.nantyp, c.nunits, c.kgrprf, c.kavgd, c.nantyp == 3, c.load);
        GRPMVY = c.mvy;
        GRPMVZ = c.mvz;
        const std::vector<std::string> lines = table_k();
        ASSERT_GT(lines.size(), 4 + c.head.size() + 1);
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.begin() + 4 + static_cast<long>(c.head.size())),
                  c.head);
        const std::string& first = lines[4 + c.head.size() + 1];
        EXPECT_EQ(first.substr(0, kReduce.size()), kReduce);
        if (c.y_marker) {
            const std::string& second = lines[4 + c.head.size() + 2];
            EXPECT_EQ(second.substr(second.size() - std::string(c.y_marker).size()), c.y_marker) << second;
        }
        EXPECT_NEAR(PFGRP(1), c.pf1, 1e-6);
    }
}

// The pile table's factors as given: per direction in the three-dimensional
// model, once in the plane model; nothing computed; no Table K when KGRPRF
// is 0 (or, in three dimensions, not 1 to 3).
TEST(TableK, FactorsAsGiven) {
    model(3, 1, 2, 0, false, {0, 100, 0, 0, 0, 0});
    PFGRP(1) = PFGRP1(1) = 0.8;
    YFGRP(1) = YFGRP1(1) = 0.9;
    PFGRP2(1) = 0.6;
    YFGRP2(1) = 0.7;
    PFGRP(2) = YFGRP(2) = PFGRP1(2) = YFGRP1(2) = PFGRP2(2) = YFGRP2(2) = 1.0;
    const std::vector<std::string> want3 = join({
        kTitle,
        {"", kReduce + " ALONG Y-DIRECTION", sp(40), kGroups, ""},
        {row(1, "      0.8000", "      0.9000"), row(2, "      1.0000", "      1.0000")},
        {"", kReduce + " ALONG Z-DIRECTION", sp(40), kGroups, ""},
        {row(1, "      0.6000", "      0.7000"), row(2, "      1.0000", "      1.0000")},
    });
    EXPECT_EQ(table_k(), want3);
    EXPECT_EQ(PFGRP(1), 0.8);

    for (int kgrprf : {2, 5}) {
        model(2, 1, kgrprf, 0, false, {0, 100, 0, 0, 0, 0});
        PFGRP(1) = 0.8;
        YFGRP(1) = 0.9;
        PFGRP(2) = YFGRP(2) = 1.0;
        const std::vector<std::string> want2 = join({
            kTitle,
            {"", kReduce, sp(40), kGroups, ""},
            {row(1, "      0.8000", "      0.9000"), row(2, "      1.0000", "      1.0000")},
        });
        EXPECT_EQ(table_k(), want2) << kgrprf;
    }
    for (int nantyp : {2, 3}) {
        model(nantyp, 1, 0, 0, false, {0, 100, 0, 0, 0, 0});
        EXPECT_TRUE(table_k().empty());
    }
    model(3, 1, 4, 0, false, {});
    EXPECT_TRUE(table_k().empty());
}

// Coincident piles keep their factor of 0 and add a warning block at the
// end of the table.
TEST(TableK, CoincidentPilesWarning) {
    model(2, 1, 1, 0, false, {0, 100, 0, 0, 0, 0});
    CORY(2) = CORY(1);
    const std::vector<std::string> lines = table_k();
    const std::vector<std::string> tail = {
        row(1, "      0.0000", "      1.0000"),
        row(2, "      0.0000", "      1.0000"),
        "",
        sp(29) + "**** WARNING ****",
        "     PILES OF GROUPS     1 AND     2 STAND AT THE SAME POSITION;",
        "     THE FACTOR BETWEEN TWO PILES AT ONE POSITION IS ZERO",
        "     PAIRS OF PILES AT ONE POSITION IN THE GROUP:       1",
    };
    ASSERT_GE(lines.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(tail.size()), lines.end()), tail);
}

// Rows of other diameters than row 1's under KAVGD 0: every pair's spacing
// ratio takes row 1's diameter, and a warning after the diameter line names
// it and KAVGD 1; none with KAVGD 1, with one diameter, or for a plane row
// that stands for no pile.
TEST(TableK, MixedDiametersWarnUnderRowOnesDiameter) {
    // The diameter as F10.3, a blank and the unit's three characters.
    auto warn = [](const char* diameter) {
        return std::string("     ** WARNING **  PILE ROWS DIFFER IN DIAMETER: S/B OF EVERY PAIR USES ROW 1'S") +
               diameter + "; KAVGD = 1 TAKES THE AVERAGE OF EACH PAIR";
    };
    const std::string warn10 = warn("    10.000  IN"), warn600 = warn("   600.000  MM");
    struct Case {
        const char* what;
        int nantyp, nunits, kgrprf, kavgd;
        double row2;      // row 2's diameter, in units of row 1's
        double pmult2;    // piles row 2 stands for
        std::string want;  // the line after the diameter line ("" none)
    };
    const Case cases[] = {
        {"space, by load", 3, 1, 1, 0, 2.0, 1.0, warn10},
        {"space, given movement", 3, 1, 3, 0, 0.5, 1.0, warn10},
        {"plane, SI", 2, 2, 1, 0, 2.0, 1.0, warn600},
        {"average diameter", 3, 1, 1, 1, 2.0, 1.0, ""},
        {"one diameter", 3, 1, 1, 0, 1.0, 1.0, ""},
        {"plane row of no pile", 2, 1, 1, 0, 2.0, 0.5, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        model(c.nantyp, c.nunits, c.kgrprf, c.kavgd, c.nantyp == 3, {0, 100, 0, 0, 0, 0});
        SECTAB(2, 1, SEC_TOP + SP_DIA) = c.row2 * SECTAB(1, 1, SEC_TOP + SP_DIA);
        IPROP(2) = 2;
        PMULT(2) = c.pmult2;
        const std::vector<std::string> lines = table_k();
        int warnings = 0;
        for (const std::string& l : lines) warnings += l.find("WARNING") != std::string::npos;
        EXPECT_EQ(warnings, c.want.empty() ? 0 : 1);
        if (c.want.empty()) continue;
        ASSERT_GT(lines.size(), 7u);
        EXPECT_EQ(lines[5].substr(0, 22), "       PILE DIAMETER =");
        EXPECT_EQ(lines[6], "");
        EXPECT_EQ(lines[7], c.want);
    }
}

}  // namespace
}  // namespace zolan
