// Captions of the along-pile effects table: two caption lines and a unit line
// of 10 characters for each of the 25 quantities, and the depth-column cells,
// for the three-dimensional or the plane model and the unit labels in force.
#include "report/column_captions.h"

#include <string>

#include "report/fortran_format.h"
#include "report/unit_labels.h"

namespace zolan {

Table1<FixedText<10>, 25> CAPL1;
Table1<FixedText<10>, 25> CAPL2;
Table1<FixedText<10>, 25> CAPUN;
Table1<FixedText<10>, 4> CAPX10;
Table1<FixedText<6>, 4> CAPX6;

namespace {

// Unit kind of a column.
enum class Unit : unsigned char { None, Length, Moment, Force, ForcePerLength, Stress, Rigidity };

struct Column {
    const char* l1_3d;
    const char* l2_3d;
    const char* l1_plane;  // null: the plane model leaves the column blank
    const char* l2_plane;
    Unit unit;
};

// The 25 along-pile quantities; a plane column without captions gets no unit.
constexpr Column columns[25] = {
    {"  DISPL.  ", "   x-DIR  ", "  DISPL.  ", "   x-DIR  ", Unit::Length},
    {"  DISPL.  ", "   y-DIR  ", "  DISPL.  ", "   y-DIR  ", Unit::Length},
    {"  DISPL.  ", "   z-DIR  ", nullptr, nullptr, Unit::Length},
    {"  DISPL.  ", "  y-z-DIR ", nullptr, nullptr, Unit::Length},
    {"  DISPL.  ", "   X-DIR  ", "  DISPL.  ", "   X-DIR  ", Unit::Length},
    {"  DISPL.  ", "   Y-DIR  ", "  DISPL.  ", "   Y-DIR  ", Unit::Length},
    {"  DISPL.  ", "   Z-DIR  ", nullptr, nullptr, Unit::Length},
    {"  DISPL.  ", "  Y-Z-DIR ", nullptr, nullptr, Unit::Length},
    {"  MOMENT  ", "   z-DIR  ", "  BENDING ", "  MOMENT  ", Unit::Moment},
    {"  MOMENT  ", "   y-DIR  ", nullptr, nullptr, Unit::Moment},
    {"  MOMENT  ", "  y-z-DIR ", nullptr, nullptr, Unit::Moment},
    {"   SHEAR  ", "   y-DIR  ", "   SHEAR  ", "   FORCE  ", Unit::Force},
    {"   SHEAR  ", "   z-DIR  ", nullptr, nullptr, Unit::Force},
    {"   SHEAR  ", "  y-z-DIR ", nullptr, nullptr, Unit::Force},
    {"SOIL REACT", "   y-DIR  ", "   SOIL   ", " REACTION ", Unit::ForcePerLength},
    {"SOIL REACT", "   z-DIR  ", nullptr, nullptr, Unit::ForcePerLength},
    {"SOIL REACT", "  y-z-DIR ", nullptr, nullptr, Unit::ForcePerLength},
    {" AXIAL F. ", "   x-DIR  ", "   AXIAL  ", "   FORCE  ", Unit::Force},
    {"   TOTAL  ", "  STRESS  ", "   TOTAL  ", "  STRESS  ", Unit::Stress},
    {"FLEX. RIG.", "   z-DIR  ", " FLEXURAL ", " RIGIDITY ", Unit::Rigidity},
    {"FLEX. RIG.", "   y-DIR  ", nullptr, nullptr, Unit::Rigidity},
    {"DIST. LOAD", "   y-DIR  ", "DISTRIBUT.", "   LOAD   ", Unit::ForcePerLength},
    {"DIST. LOAD", "   z-DIR  ", nullptr, nullptr, Unit::ForcePerLength},
    {" DEM./CAP.", "  MOMENT  ", " DEM./CAP.", "  MOMENT  ", Unit::None},
    {" DEM./CAP.", "   SHEAR  ", " DEM./CAP.", "   SHEAR  ", Unit::None},
};

// A unit text in 10 characters, printed piece by piece from the labels.
FixedText<10> unit_text(Unit u) {
    static const fmt::Format length(R"((4X, A2))");
    static const fmt::Format product(R"((2X, A3, A1, A2))");
    static const fmt::Format force(R"((4X, A3))");
    static const fmt::Format per_area(R"((1X, A3, A1, A2, A2, A1))");
    std::string s;
    switch (u) {
        case Unit::None:
            break;
        case Unit::Length: {
            const fmt::Item it[] = {ULEN2.view()};
            s = fmt::format_to_string(length, it);
            break;
        }
        case Unit::Moment: {
            const fmt::Item it[] = {UFOR3.view(), UDASH.view(), ULEN2.view()};
            s = fmt::format_to_string(product, it);
            break;
        }
        case Unit::Force: {
            const fmt::Item it[] = {UFOR3.view()};
            s = fmt::format_to_string(force, it);
            break;
        }
        case Unit::ForcePerLength: {
            const fmt::Item it[] = {UFOR3.view(), USLASH.view(), ULEN2.view()};
            s = fmt::format_to_string(product, it);
            break;
        }
        case Unit::Stress: {
            const fmt::Item it[] = {UFOR3.view(), USLASH.view(), ULEN2.view(), UPOW.view(), UEXP2.view()};
            s = fmt::format_to_string(per_area, it);
            break;
        }
        case Unit::Rigidity: {
            const fmt::Item it[] = {UFOR3.view(), UDASH.view(), ULEN2.view(), UPOW.view(), UEXP2.view()};
            s = fmt::format_to_string(per_area, it);
            break;
        }
    }
    return FixedText<10>(s);
}

}  // namespace

void COLCAP(int nantyp) {
    const bool three_d = nantyp == 3;

    // 1. Every caption blank; the unit line too, so that a column without a
    // unit is blank whatever model filled the table before.
    reset_column_captions();

    // 2-3. Captions and unit texts of the columns the model uses.
    for (int k = 1; k <= 25; ++k) {
        const Column& c = columns[k - 1];
        const char* l1 = three_d ? c.l1_3d : c.l1_plane;
        const char* l2 = three_d ? c.l2_3d : c.l2_plane;
        if (l1 == nullptr) continue;
        CAPL1(k).set(l1);
        CAPL2(k).set(l2);
        CAPUN(k) = unit_text(c.unit);
    }

    // 4. Depth column: the station caption, a blank cell, the depth unit and a rule.
    static const fmt::Format depth10(R"((4X, A2))");
    static const fmt::Format depth6(R"f((1X, "x(", A2, ")"))f");
    const fmt::Item blen[] = {UBLEN2.view()};
    const fmt::Item len[] = {ULEN2.view()};
    CAPX10(1).set("     x    ");
    CAPX10(2).set("");
    CAPX10(3).set(fmt::format_to_string(depth10, blen));
    CAPX10(4).set("**********");
    CAPX6(1).set(" PILE ");
    CAPX6(2).set("");
    CAPX6(3).set(fmt::format_to_string(depth6, len));
    CAPX6(4).set("******");
}

void reset_column_captions() {
    CAPL1.fill(FixedText<10>());
    CAPL2.fill(FixedText<10>());
    CAPUN.fill(FixedText<10>());
    CAPX10.fill(FixedText<10>());
    CAPX6.fill(FixedText<6>());
}

}  // namespace zolan
