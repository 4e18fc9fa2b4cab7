#include "report/column_captions.h"

#include <gtest/gtest.h>

#include <string>

#include "report/unit_labels.h"

namespace zolan {
namespace {

// Three-dimensional model in English units: both caption lines and the unit
// line of every column. Units worked from the edit lists with ULEN2 "IN",
// UFOR3 "LBS": length 4X,A2 "    IN    "; moment 2X,A3,A1,A2 "  LBS-IN  ";
// force 4X,A3 "    LBS   "; force per length "  LBS/IN  "; stress and
// rigidity 1X,A3,A1,A2,A2,A1 " LBS/IN**2", " LBS-IN**2"; ratios none.
TEST(ColumnCaptions, EnglishThreeD) {
    struct Case {
        int k;
        const char *l1, *l2, *unit;
    };
    const char* len = "    IN    ";
    const char* mom = "  LBS-IN  ";
    const char* frc = "    LBS   ";
    const char* fpl = "  LBS/IN  ";
    const char* none = "          ";
    const Case cases[] = {
        {1, "  DISPL.  ", "   x-DIR  ", len},       {2, "  DISPL.  ", "   y-DIR  ", len},
        {3, "  DISPL.  ", "   z-DIR  ", len},       {4, "  DISPL.  ", "  y-z-DIR ", len},
        {5, "  DISPL.  ", "   X-DIR  ", len},       {6, "  DISPL.  ", "   Y-DIR  ", len},
        {7, "  DISPL.  ", "   Z-DIR  ", len},       {8, "  DISPL.  ", "  Y-Z-DIR ", len},
        {9, "  MOMENT  ", "   z-DIR  ", mom},       {10, "  MOMENT  ", "   y-DIR  ", mom},
        {11, "  MOMENT  ", "  y-z-DIR ", mom},      {12, "   SHEAR  ", "   y-DIR  ", frc},
        {13, "   SHEAR  ", "   z-DIR  ", frc},      {14, "   SHEAR  ", "  y-z-DIR ", frc},
        {15, "SOIL REACT", "   y-DIR  ", fpl},      {16, "SOIL REACT", "   z-DIR  ", fpl},
        {17, "SOIL REACT", "  y-z-DIR ", fpl},      {18, " AXIAL F. ", "   x-DIR  ", frc},
        {19, "   TOTAL  ", "  STRESS  ", " LBS/IN**2"},
        {20, "FLEX. RIG.", "   z-DIR  ", " LBS-IN**2"},
        {21, "FLEX. RIG.", "   y-DIR  ", " LBS-IN**2"},
        {22, "DIST. LOAD", "   y-DIR  ", fpl},      {23, "DIST. LOAD", "   z-DIR  ", fpl},
        {24, " DEM./CAP.", "  MOMENT  ", none},     {25, " DEM./CAP.", "   SHEAR  ", none},
    };
    reset_column_captions();
    UNITLB(1);
    COLCAP(3);
    for (const Case& c : cases) {
        EXPECT_EQ(CAPL1(c.k).view(), c.l1) << "column " << c.k;
        EXPECT_EQ(CAPL2(c.k).view(), c.l2) << "column " << c.k;
        EXPECT_EQ(CAPUN(c.k).view(), c.unit) << "column " << c.k;
    }
}

// Plane model (any NANTYP but 3), filled after a three-dimensional run in the
// same process: the columns it does not use are blank in all three lines, and
// the columns it uses carry the plane captions.
TEST(ColumnCaptions, PlaneModel) {
    UNITLB(1);
    COLCAP(3);
    for (int nantyp : {2, 0}) {
        COLCAP(nantyp);
        for (int k : {3, 4, 7, 8, 10, 11, 13, 14, 16, 17, 21, 23}) {
            EXPECT_EQ(CAPL1(k).view(), std::string(10, ' ')) << "column " << k;
            EXPECT_EQ(CAPL2(k).view(), std::string(10, ' ')) << "column " << k;
            EXPECT_EQ(CAPUN(k).view(), std::string(10, ' ')) << "column " << k;
        }
        struct Case {
            int k;
            const char *l1, *l2, *unit;
        };
        const Case cases[] = {
            {1, "  DISPL.  ", "   x-DIR  ", "    IN    "},
            {6, "  DISPL.  ", "   Y-DIR  ", "    IN    "},
            {9, "  BENDING ", "  MOMENT  ", "  LBS-IN  "},
            {12, "   SHEAR  ", "   FORCE  ", "    LBS   "},
            {15, "   SOIL   ", " REACTION ", "  LBS/IN  "},
            {18, "   AXIAL  ", "   FORCE  ", "    LBS   "},
            {19, "   TOTAL  ", "  STRESS  ", " LBS/IN**2"},
            {20, " FLEXURAL ", " RIGIDITY ", " LBS-IN**2"},
            {22, "DISTRIBUT.", "   LOAD   ", "  LBS/IN  "},
            {25, " DEM./CAP.", "   SHEAR  ", "          "},
        };
        for (const Case& c : cases) {
            EXPECT_EQ(CAPL1(c.k).view(), c.l1) << "nantyp " << nantyp << " column " << c.k;
            EXPECT_EQ(CAPL2(c.k).view(), c.l2) << "nantyp " << nantyp << " column " << c.k;
            EXPECT_EQ(CAPUN(c.k).view(), c.unit) << "nantyp " << nantyp << " column " << c.k;
        }
    }
}

// Unit texts and depth cells in the three label sets. Depth unit 4X,A2 with
// UBLEN2 ("FT", " M", two blanks); six-character depth cell 1X,"x(",A2,")"
// with ULEN2 ("IN", " M", " L").
TEST(ColumnCaptions, UnitSystems) {
    struct Case {
        int sel;
        const char *length, *moment, *force, *per_length, *stress, *rigidity, *depth10, *depth6;
    };
    const Case cases[] = {
        {1, "    IN    ", "  LBS-IN  ", "    LBS   ", "  LBS/IN  ", " LBS/IN**2", " LBS-IN**2", "    FT    ", " x(IN)"},
        {-1, "     M    ", "   KN- M  ", "     KN   ", "   KN/ M  ", "  KN/ M**2", "  KN- M**2", "     M    ", " x( M)"},
        {0, "     L    ", "  F/L- L  ", "    F/L   ", "  F/L/ L  ", " F/L/ L**2", " F/L- L**2", "          ", " x( L)"},
    };
    for (const Case& c : cases) {
        reset_column_captions();
        UNITLB(c.sel);
        COLCAP(3);
        EXPECT_EQ(CAPUN(1).view(), c.length) << c.sel;
        EXPECT_EQ(CAPUN(9).view(), c.moment) << c.sel;
        EXPECT_EQ(CAPUN(13).view(), c.force) << c.sel;
        EXPECT_EQ(CAPUN(16).view(), c.per_length) << c.sel;
        EXPECT_EQ(CAPUN(19).view(), c.stress) << c.sel;
        EXPECT_EQ(CAPUN(21).view(), c.rigidity) << c.sel;
        EXPECT_EQ(CAPX10(1).view(), "     x    ") << c.sel;
        EXPECT_EQ(CAPX10(2).view(), "          ") << c.sel;
        EXPECT_EQ(CAPX10(3).view(), c.depth10) << c.sel;
        EXPECT_EQ(CAPX10(4).view(), "**********") << c.sel;
        EXPECT_EQ(CAPX6(1).view(), " PILE ") << c.sel;
        EXPECT_EQ(CAPX6(2).view(), "      ") << c.sel;
        EXPECT_EQ(CAPX6(3).view(), c.depth6) << c.sel;
        EXPECT_EQ(CAPX6(4).view(), "******") << c.sel;
    }
    // A new run starts from blank captions.
    reset_column_captions();
    EXPECT_EQ(CAPL1(1).view(), std::string(10, ' '));
    EXPECT_EQ(CAPUN(19).view(), std::string(10, ' '));
    EXPECT_EQ(CAPX6(3).view(), std::string(6, ' '));
}

}  // namespace
}  // namespace zolan
