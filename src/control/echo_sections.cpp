// Table E of the input echo: pile property sets, their sections, the cross
// sections and their properties. While the table prints, the property sets
// are copied into the analysis tables, the moment-curvature sets of the
// nonlinear sections are numbered, and the section tables that the lookups
// along a pile read are built.
#include <span>
#include <string_view>

#include "control/input_echo.h"
#include "model/single_precision.h"
#include "model/input_tables.h"
#include "model/section_tables.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/unit_labels.h"

namespace zolan {
namespace {

constexpr double IZERO = f32(1.0e-10f);  // an inertia below this is not given
constexpr double C0491 = f32(0.0491f);   // I = 0.0491 D^4 of a solid circle (pi/64)

bool three_d() { return NANTYP != 2; }

// ---------------------------------------------------------------------------
// Lines of the cross-section echo: a label, the value in 13 columns and its
// unit, which ends the line.

enum class Unit { None, Length, Area, Stress, Force };

void unit_tail(Unit u) {
    static const fmt::Format length(R"((" ",A2))");
    static const fmt::Format area(R"((" ",A2,A2,A1))");
    static const fmt::Format stress(R"((" ",A3,A1,A2,A2,A1))");
    static const fmt::Format force(R"((" ",A3))");
    switch (u) {
        case Unit::Length: io::write_fmt(ECHOFILE, length, {USLEN2.view()}); break;
        case Unit::Area: io::write_fmt(ECHOFILE, area, {USLEN2.view(), UPOW.view(), UEXP2.view()}); break;
        case Unit::Stress:
            io::write_fmt(ECHOFILE, stress, {UFOR3.view(), USLASH.view(), ULEN2.view(), UPOW.view(), UEXP2.view()});
            break;
        case Unit::Force: io::write_fmt(ECHOFILE, force, {UFOR3.view()}); break;
        case Unit::None: WREOL(ECHOFILE); break;
    }
}

void label(std::string_view text) {
    static const fmt::Format f("(5X,A,$)");
    io::write_fmt(ECHOFILE, f, {text});
}

void value_line(std::string_view text, double v, Unit u) {
    label(text);
    WRREAL(ECHOFILE, 13, 5, v);
    unit_tail(u);
}

void count_line(std::string_view text, int n) {
    label(text);
    WRINT(ECHOFILE, 13, n);
    WREOL(ECHOFILE);
}

// Both ends of a tapered section on one line (lengths and moduli only).
void tapered_line(std::string_view text, double top, double bot, Unit u) {
    label(text);
    WRREAL(ECHOFILE, 13, 5, top);
    WRBLNK(ECHOFILE, 1);
    if (u == Unit::Length) {
        WRA2(ECHOFILE, USLEN2.view());
        WRBLNK(ECHOFILE, 7);
    } else {
        WRA3(ECHOFILE, UFOR3.view());
        WRA1(ECHOFILE, USLASH.view());
        WRA2(ECHOFILE, ULEN2.view());
        WRA2(ECHOFILE, UPOW.view());
        WRA1(ECHOFILE, UEXP2.view());
    }
    WRREAL(ECHOFILE, 13, 5, bot);
    unit_tail(u);
}

// A section dimension (XSTAB field f) in the display unit of sections.
void xs_length(std::string_view text, int k, int f) { value_line(text, UCM1E3(XSTAB(k, f)), Unit::Length); }
void nl_length(std::string_view text, int k, int f) { value_line(text, UCM1E3(XSNLR(k, f)), Unit::Length); }
void nl_stress(std::string_view text, int k, int f) { value_line(text, XSNLR(k, f), Unit::Stress); }

constexpr std::string_view L_EQDIA = " EQUIVALENT DIAMETER : ";
constexpr std::string_view L_EXDIA = " EXTERNAL DIAMETER   : ";
constexpr std::string_view L_INDIA = " INTERNAL DIAMETER   : ";
constexpr std::string_view L_EXWID = " EXTERNAL WIDTH      : ";
constexpr std::string_view L_EXDEP = " EXTERNAL DEPTH      : ";
constexpr std::string_view L_INWID = " INTERNAL WIDTH      : ";
constexpr std::string_view L_INDEP = " INTERNAL DEPTH      : ";
constexpr std::string_view L_FLANGE = " FLANGE THICKNESS    : ";
constexpr std::string_view L_WEB = " WEB THICKNESS       : ";
constexpr std::string_view L_YOUNG = " YOUNG MODULUS       : ";
constexpr std::string_view L_SHEAR = " SHEAR MODULUS       : ";
constexpr std::string_view L_EQYOUNG = " EQ. YOUNG MODULUS   : ";

void kind_line(std::string_view text) {
    static const fmt::Format f(R"((5X," CROSS SECTION TYPE  :",A))");
    io::write_fmt(ECHOFILE, f, {text});
}

void aisc_name_line(std::string_view name) {
    static const fmt::Format f(R"((/,5X," AISC SECTION NAME   : ",A32))");
    io::write_fmt(ECHOFILE, f, {name});
}

// Dimensions of an elastic section by kind: label and XSTAB field at the top.
struct Dim {
    std::string_view text;
    int field;
};
std::span<const Dim> elastic_dims(int kind) {
    static const Dim general[] = {{L_EQDIA, 1}};
    static const Dim pipe[] = {{L_EXDIA, 1}, {L_INDIA, 2}};
    static const Dim rect[] = {{L_EQDIA, 1}, {L_EXWID, 3}, {L_EXDEP, 4}, {L_INWID, 5}, {L_INDEP, 6}};
    static const Dim ih[] = {{L_EQDIA, 1}, {L_EXWID, 3}, {L_EXDEP, 4}, {L_FLANGE, 7}, {L_WEB, 8}};
    switch (kind) {
        case 0: return general;
        case 1: return pipe;
        case 2: return rect;
        case 3:
        case 4: return ih;
        default: return {};
    }
}

const char* elastic_kind_text(int kind) {
    switch (kind) {
        case 0: return " GENERAL SECTION  ";
        case 1: return " CIRCULAR PIPE    ";
        case 2: return " RECTANGULAR PIPE ";
        case 3: return " I SECTION        ";
        case 4: return " H SECTION        ";
        default: return nullptr;
    }
}

const char* aisc_kind_text(int shape) {
    switch (shape) {
        case 0: return " AISC SECTION (W) ";
        case 1: return " AISC SECTION (M) ";
        case 2: return " AISC SECTION (S) ";
        case 3: return " AISC SECTION (HP)";
        case 11: return " AISC SECTION (HSS) ";
        case 12: return " AISC SECTION (PIPE)";
        default: return " AISC SECTION       ";
    }
}

void elastic_section(int k) {
    static const fmt::Format type(R"((/,5X," TYPE                : "," ELASTIC"))");
    static const fmt::Format taper_head(R"((5X," TAPERED SECTION       ","         TOP                  BOTTOM"))");
    io::write_fmt(ECHOFILE, type);
    const int kind = XSKIND(k);
    if (XSTPF(k) <= 0) {
        if (kind == 5) {
            // AISC shape: its name, diameter, and the pipe or the flanged dimensions.
            const int shape = XSEXI(k, 1);
            kind_line(aisc_kind_text(shape));
            aisc_name_line(XSNAM2(k).view());
            xs_length(XSEXI(k, 3) == 0 ? L_EQDIA : L_EXDIA, k, 1);
            if (shape > 11) {
                xs_length(L_INDIA, k, 2);
                // The wall thickness keeps its input unit (the conversion leaves it).
                value_line(" THICKNESS           : ", XSTAB(k, 37), Unit::Length);
            } else {
                for (const Dim& d : elastic_dims(3).subspan(1)) xs_length(d.text, k, d.field);
            }
        } else if (const char* text = elastic_kind_text(kind)) {
            kind_line(text);
            for (const Dim& d : elastic_dims(kind)) xs_length(d.text, k, d.field);
        }
        value_line(L_YOUNG, XSTAB(k, 17), Unit::Stress);
        if (three_d() && kind != 0) value_line(L_SHEAR, XSTAB(k, 9), Unit::Stress);
    } else {
        // Tapered: a kind of 4 or more prints as an H section.
        const int shown = kind >= 4 ? 4 : kind;
        if (const char* text = elastic_kind_text(shown)) kind_line(text);
        io::write_fmt(ECHOFILE, taper_head);
        for (const Dim& d : elastic_dims(shown))
            tapered_line(d.text, UCM1E3(XSTAB(k, d.field)), UCM1E3(XSTAB(k, d.field + 18)), Unit::Length);
        tapered_line(L_YOUNG, XSTAB(k, 17), XSTAB(k, 35), Unit::Stress);
        if (three_d() && kind != 0) tapered_line(L_SHEAR, XSTAB(k, 9), XSTAB(k, 27), Unit::Stress);
    }
}

const char* nonlinear_kind_text(int k) {
    switch (XSNLI(k, 0)) {
        case 1: return " RECTANGULAR CONCRETE PILE  ";
        case 2: return " ROUND CONCRETE SHAFT       ";
        case 3: return " ROUND CONC. SHAFT, CASING (AND STEEL SECTION)";
        case 4: return " ROUND PRESTRESSED PILE     ";
        case 5: return " SQUARE PRESTRESSED PILE    ";
        case 6: return " OCTOGONAL PRESTRESSED PILE ";
        case 7: return " STEEL PIPE PILE            ";
        case 8: return XSNLI(k, 2) == 0 ? " STEEL I SECTION PILE       " : " STEEL H SECTION PILE       ";
        case 9: return " STEEL AISC SECTION PILE    ";
        case 10: return " USER DEFINED EI            ";
        default: return nullptr;
    }
}

void steel_pipe_lines(int k) {
    nl_length(" DIAMETER STEEL      : ", k, 10);
    nl_length(" THICKNESS STEEL     : ", k, 11);
}

void steel_flanged_lines(int k) {
    nl_length(L_EXWID, k, 1);
    nl_length(L_EXDEP, k, 2);
    nl_length(L_FLANGE, k, 7);
    nl_length(L_WEB, k, 6);
}

void nonlinear_section(int k) {
    static const fmt::Format type(R"((/,5X," TYPE                : "," NONLINEAR"))");
    io::write_fmt(ECHOFILE, type);
    const int kind = XSNLI(k, 0);
    const int core = XSNLI(k, 1);  // steel core of a cased shaft
    if (const char* text = nonlinear_kind_text(k)) kind_line(text);

    // The kind's own dimensions.
    switch (kind) {
        case 1:
            xs_length(L_EQDIA, k, 1);
            nl_length(L_EXWID, k, 1);
            nl_length(L_EXDEP, k, 2);
            break;
        case 2: nl_length(L_EXDIA, k, 3); break;
        case 3: nl_length(" CONCRETE DIAMETER   : ", k, 3); break;
        case 4:
            nl_length(L_EXDIA, k, 3);
            nl_length(" VOID DIAMETER       : ", k, 4);
            break;
        case 5:
            xs_length(L_EQDIA, k, 1);
            nl_length(L_EXWID, k, 1);
            nl_length(" CORNER CHAMFER      : ", k, 5);
            nl_length(" VOID DIAMETER       : ", k, 4);
            break;
        case 6:
            xs_length(L_EQDIA, k, 1);
            nl_length(L_EXWID, k, 1);
            nl_length(" VOID DIAMETER       : ", k, 4);
            break;
        default: break;
    }

    const bool concrete = kind >= 1 && kind <= 6;
    const bool aisc = kind == 9 || (kind == 3 && core == 3);
    if (concrete) nl_stress(" CONCRETE FC         : ", k, 12);
    if (kind == 3 && XSNLR(k, 8) > 0.0 && XSNLR(k, 9) > 0.0) {
        nl_length(" DIAMETER CASING     : ", k, 8);
        nl_length(" THICKNESS CASING    : ", k, 9);
        nl_stress(" ES CASING           : ", k, 13);
        nl_stress(" FY CASING           : ", k, 14);
    }
    if (kind == 7 || (kind == 3 && core == 1)) steel_pipe_lines(k);
    if (kind == 8) xs_length(L_EQDIA, k, 1);
    if (kind == 8 || (kind == 3 && core == 2)) steel_flanged_lines(k);
    if (aisc) aisc_name_line(XSNAM3(k).view());
    if (kind == 9 && XSNLI(k, 29) == 0) xs_length(L_EQDIA, k, 1);
    if (aisc) {
        if (XSNLI(k, 3) > 11) steel_pipe_lines(k);
        else steel_flanged_lines(k);
    }
    // Steel modulus and yield stress are moduli, kept in their input unit.
    if (kind == 7 || kind == 8 || kind == 9 || (kind == 3 && core > 0)) {
        nl_stress(" ES STEEL            : ", k, 13);
        nl_stress(" FY STEEL            : ", k, 14);
    }
    if (kind >= 1 && kind <= 3) {
        if (XSNLI(k, 9) > 0) {
            count_line(" NUMBER REBARS       : ", XSNLI(k, 9));
            nl_length(" DIAMETER REINF.     : ", k, 18);
            value_line(" AREA REINFORCEMENT  : ", UCM1E6(XSNLR(k, 17)), Unit::Area);
            nl_stress(" ES REINFORCEMENT    : ", k, 20);
            nl_stress(" FY REINFORCEMENT    : ", k, 21);
        }
        value_line(L_EQYOUNG, XSTAB(k, 17), Unit::Stress);
    }
    if (kind >= 4 && kind <= 6) {
        if (XSNLI(k, 21) > 0) {
            // The strand record gives the strand diameter (field 26) before
            // its area (field 27); the unit conversion reads them the same way.
            count_line(" NUMBER STRANDS      : ", XSNLI(k, 21));
            nl_length(" DIAMETER STRAND     : ", k, 26);
            value_line(" AREA STRAND         : ", UCM1E6(XSNLR(k, 27)), Unit::Area);
            nl_stress(" FU STRAND           : ", k, 29);
            value_line(" INITIAL PRESS. FORCE: ", XSNLR(k, 30), Unit::Force);
        }
        value_line(L_EQYOUNG, XSTAB(k, 17), Unit::Stress);
    }
    if (kind == 10) {
        xs_length(L_EQDIA, k, 1);
        // The modulus serves a bending axis that has no user set.
        const bool used = XSNLI(k, 27) == 0 || (three_d() && XSNLI(k, 28) == 0);
        if (used) value_line(L_YOUNG, XSTAB(k, 17), Unit::None);
    }
}

void cross_section(int k) {
    static const fmt::Format head(R"((/,5X," CROSS SECTION       : ",I5,/,5X," SECTION NAME        : ",A32))");
    io::write_fmt(ECHOFILE, head, {k, XSNAME(k).view()});
    if (XSNLF(k) == 0) elastic_section(k);
    else nonlinear_section(k);
}

// ---------------------------------------------------------------------------
// Properties tables of the elastic and nonlinear sections.

// An inertia that is not given (below IZERO: 0 in the file) is that of a
// solid circle of the section's diameter.
double inertia_or_solid(double i, double d) {
    if (i >= IZERO) return i;
    return (C0491 * (d * d)) * (d * d);
}

// An inertia in a table as the analysis uses it: the value given, or the
// solid circle's in one column less, marked by a "*" at the end of its field.
void inertia_field(int w, int nd, double given, double d, bool& derived) {
    if (given >= IZERO) {
        WRREAL(ECHOFILE, w, nd, UCM1E12(given));
        return;
    }
    WRREAL(ECHOFILE, w - 1, nd, UCM1E12(inertia_or_solid(given, d)));
    WRA1(ECHOFILE, "*");
    derived = true;
}

// The note under a table that shows a derived inertia.
void derived_note(bool derived) {
    static const fmt::Format note(
        R"((/,5X,"* DERIVED: AN INERTIA GIVEN AS 0 IS THAT OF A SOLID CIRCLE OF THE SECTION DIAMETER,",)"
        R"(" 0.0491 D**4, WHICH THE ANALYSIS USES"))");
    if (derived) io::write_fmt(ECHOFILE, note);
}

// Column heading of a section table, with the unit labels of the model:
// diameter, area, inertias, torsional rigidity (3-D), moment and shear.
void section_heading(const fmt::Format& head3, const fmt::Format& head2) {
    if (three_d())
        io::write_fmt(ECHOFILE, head3,
                      {USLEN2.view(), USLEN2.view(), UPOW.view(), UEXP2.view(), USLEN2.view(), UPOW.view(), "4",
                       USLEN2.view(), UPOW.view(), "4", UFOR3.view(), UDASH.view(), ULEN2.view(), UPOW.view(),
                       UEXP2.view(), UFOR3.view(), UDASH.view(), ULEN2.view(), UFOR3.view()});
    else
        io::write_fmt(ECHOFILE, head2,
                      {USLEN2.view(), USLEN2.view(), UPOW.view(), UEXP2.view(), USLEN2.view(), UPOW.view(), "4",
                       UFOR3.view(), UDASH.view(), ULEN2.view(), UFOR3.view()});
}

void elastic_table() {
    static const fmt::Format title(R"((/,5X,"         ELASTIC SECTIONS         "))");
    static const fmt::Format head3(
        R"((/,2X,"  SECT",9X,"DIAM,",A2,3X,"AREA,",A2,A2,A1,2X," Iz,",A2,A2,A1,3X," Iy,",A2,A2,A1,2X,)"
        R"(" GJ,",A3,A1,A2,A2,A1,2X," Mn,",A3,A1,A2,3X," Vn,",A3))");
    static const fmt::Format head2(
        R"((/,5X,"  SECT",11X,"DIAM,",A2,5X,"AREA,",A2,A2,A1,4X,"  I,",A2,A2,A1,4X," Mn,",A3,A1,A2,5X," Vn,",A3))");
    io::write_fmt(ECHOFILE, title);
    section_heading(head3, head2);

    bool derived = false;
    for (int k = 1; k <= NSECT; ++k) {
        if (XSNLF(k) != 0) continue;
        const bool tapered = XSTPF(k) > 0;
        // One row of values from the top fields (o = 0) or the bottom ones (o = 18).
        auto values = [k, &derived](int o) {
            const double d = XSTAB(k, 1 + o);
            if (three_d()) {
                for (double v : {UCM1E3(d), UCM1E6(XSTAB(k, 10 + o))}) WRREAL(ECHOFILE, 12, 4, v);
                for (int f : {11, 12}) inertia_field(12, 4, XSTAB(k, f + o), d, derived);
                WRBLNK(ECHOFILE, 1);
                for (int f : {14, 15, 16}) WRREAL(ECHOFILE, 12, 4, XSTAB(k, f + o));
            } else {
                for (double v : {UCM1E3(d), UCM1E6(XSTAB(k, 10 + o))}) WRREAL(ECHOFILE, 14, 5, v);
                inertia_field(14, 5, XSTAB(k, 11 + o), d, derived);
                for (double v : {XSTAB(k, 15 + o), XSTAB(k, 16 + o)}) WRREAL(ECHOFILE, 14, 5, v);
            }
            WREOL(ECHOFILE);
        };
        const int lead = three_d() ? 2 : 5;
        WRBLNK(ECHOFILE, lead);
        WRINT(ECHOFILE, 5, k);
        WRBLNK(ECHOFILE, 1);
        if (tapered) {
            WRBLNK(ECHOFILE, 1);
            WRA3(ECHOFILE, "TOP");
            if (!three_d()) WRBLNK(ECHOFILE, 1);
        } else {
            WRBLNK(ECHOFILE, three_d() ? 4 : 5);
        }
        values(0);
        if (tapered) {
            WRBLNK(ECHOFILE, three_d() ? 8 : 11);
            WRBLNK(ECHOFILE, 1);
            WRA3(ECHOFILE, "BOT");
            if (!three_d()) WRBLNK(ECHOFILE, 1);
            values(18);
        }
    }
    derived_note(derived);
}

void nonlinear_table() {
    static const fmt::Format title(R"((/,5X,"         NONLINEAR SECTIONS       "))");
    static const fmt::Format head3(
        R"((/,2X,"  SECT",4X,"DIAM,",A2,2X,"AREA,",A2,A2,A1,1X," Iz,",A2,A2,A1,2X," Iy,",A2,A2,A1,1X,)"
        R"(" GJ,",A3,A1,A2,A2,A1,2X," EIz IND "," EIy IND ",1X," Mn,",A3,A1,A2,3X," Vn,",A3))");
    static const fmt::Format head2(
        R"((/,5X,"  SECT",11X,"DIAM,",A2,5X,"AREA,",A2,A2,A1,4X,"  I,",A2,A2,A1,4X," EI INDEX ",4X,)"
        R"(" Mn,",A3,A1,A2,5X," Vn,",A3))");
    io::write_fmt(ECHOFILE, title);
    section_heading(head3, head2);

    bool derived = false;
    for (int k = 1; k <= NSECT; ++k) {
        if (XSNLF(k) != 1) continue;
        const bool user_ei = XSNLI(k, 0) == 10;
        // A user-EI section shows the inertia of an axis without a user set
        // (the analysis uses it with the modulus), and the user set of an
        // axis that has one; other sections neither.
        auto inertia = [&](int axis, int w, int nd) {
            const int set = XSNLI(k, 26 + axis);
            if (user_ei && set == 0) inertia_field(w, nd, XSTAB(k, 10 + axis), XSTAB(k, 1), derived);
            else WRREAL(ECHOFILE, w, nd, 0.0);
        };
        auto set_index = [&](int axis) {
            const int set = XSNLI(k, 26 + axis);
            return user_ei && set > 0 ? set : 0;
        };
        if (three_d()) {
            WRBLNK(ECHOFILE, 2);
            WRINT(ECHOFILE, 5, k);
            WRBLNK(ECHOFILE, 1);
            for (double v : {UCM1E3(XSTAB(k, 1)), UCM1E6(XSTAB(k, 10))}) WRREAL(ECHOFILE, 11, 4, v);
            inertia(1, 11, 4);
            inertia(2, 11, 4);
            WRBLNK(ECHOFILE, 2);
            WRREAL(ECHOFILE, 11, 4, XSTAB(k, 14));
            WRBLNK(ECHOFILE, 2);
            WRINT(ECHOFILE, 5, set_index(1));
            WRBLNK(ECHOFILE, 4);
            WRINT(ECHOFILE, 5, set_index(2));
            WRBLNK(ECHOFILE, 4);
            WRREAL(ECHOFILE, 11, 4, XSTAB(k, 15));
            WRREAL(ECHOFILE, 11, 4, XSTAB(k, 16));
        } else {
            WRBLNK(ECHOFILE, 5);
            WRINT(ECHOFILE, 5, k);
            WRBLNK(ECHOFILE, 1);
            WRBLNK(ECHOFILE, 5);
            for (double v : {UCM1E3(XSTAB(k, 1)), UCM1E6(XSTAB(k, 10))}) WRREAL(ECHOFILE, 14, 5, v);
            inertia(1, 14, 5);
            WRBLNK(ECHOFILE, 5);
            WRINT(ECHOFILE, 5, set_index(1));
            WRREAL(ECHOFILE, 14, 5, XSTAB(k, 15));
            WRREAL(ECHOFILE, 14, 5, XSTAB(k, 16));
        }
        WREOL(ECHOFILE);
    }
    derived_note(derived);
}

// ---------------------------------------------------------------------------
// Section tables: per section of a set, its properties at the top and bottom
// from its cross section (an inertia not given: inertia_or_solid).

void section_tables() {
    for (int p = 1; p <= NPRSET; ++p) {
        for (int s = 1; s <= NSECP(p); ++s) {
            const int k = ISECXS(p, s);
            for (int end = 0; end < 2; ++end) {
                const int o = end == 0 ? 0 : 18;                  // XSTAB field offset of this end
                const int c = end == 0 ? SEC_TOP : SEC_BOT;       // SECTAB column base of this end
                const double e = EMODS(p, s, end + 1);
                const double d = XSTAB(k, 1 + o);
                const double i1 = inertia_or_solid(XSTAB(k, 11 + o), d);
                const double i2 = inertia_or_solid(XSTAB(k, 12 + o), d);
                SECTAB(p, s, c + SP_DIA) = d;
                SECTAB(p, s, c + SP_ARE) = XSTAB(k, 10 + o);
                SECTAB(p, s, c + SP_GJ) = XSTAB(k, 14 + o);
                SECTAB(p, s, c + SP_MN) = XSTAB(k, 15 + o);
                SECTAB(p, s, c + SP_VN) = XSTAB(k, 16 + o);
                SECTAB(p, s, c + SP_IN1) = i1;
                SECTAB(p, s, c + SP_IN2) = i2;
                SECTAB(p, s, c + SP_EI1) = i1 * e;
                SECTAB(p, s, c + SP_EI2) = i2 * e;
            }
        }
    }
}

}  // namespace

void TABLEE(int& ISTAT) {
    (void)ISTAT;  // nothing here fails: the reader has checked every reference
    static const fmt::Format title(
        R"((/,/,/,5X,"* TABLE E *   PILE GEOMETRY AND PROPERTIES ",/,5X,"              PILE TYPE = 1 - DRIVEN PILE",)"
        R"(/,5X,"                        = 2 - DRILLED SHAFT"))");
    static const fmt::Format set_head(R"((/,7X,"PROP  "," SECTS ","  INC  ","   PILE TYPE",6X,"LENGTH,",A3,4X))");
    static const fmt::Format sec_title(R"((/,5X,"* PILE SECTIONS *"))");
    static const fmt::Format sec_head(R"((/,7X,"PROP    ","SECT",6X,"FROM,",A2,9X,"TO,",A2,4X,"CROSS SECT",2X))");
    static const fmt::Format xs_title(R"((/,5X,"* PILE CROSS SECTIONS *"))");
    static const fmt::Format prop_title(R"((/,5X,"* PILE CROSS SECTIONS PROPERTIES *"))");

    // 1. Property sets into the analysis tables.
    for (int p = 1; p <= NPRSET; ++p) {
        NSECP(p) = PPIN.NSEC(p);
        NINCR(p) = PPIN.NINCR(p);
        PLENP(p) = PPIN.PLEN(p);
        PTYPED(p) = PPIN.PTYPE(p);
        for (int s = 1; s <= NSECP(p); ++s) {
            SECTAB(p, s, SEC_DTOP) = PPIN.STOP(p, s);
            SECTAB(p, s, SEC_DBOT) = PPIN.SBOT(p, s);
            ISECXS(p, s) = PPIN.SXS(p, s);
            EMODS(p, s, 1) = EMODS(p, s, 2) = 0.0;
            MPSEC1(p, s) = MPSEC2(p, s) = 0;
        }
    }

    // 2. Property sets.
    io::write_fmt(ECHOFILE, title);
    io::write_fmt(ECHOFILE, set_head, {UBLEN.view()});
    for (int p = 1; p <= NPRSET; ++p) {
        WRBLNK(ECHOFILE, 5);
        WRINT(ECHOFILE, 5, p);
        WRINT(ECHOFILE, 7, NSECP(p));
        WRINT(ECHOFILE, 8, NINCR(p));
        WRINT(ECHOFILE, 11, PTYPED(p));
        WRBLNK(ECHOFILE, 3);
        WRREAL(ECHOFILE, 16, 4, UCD12(PLENP(p)));
        WREOL(ECHOFILE);
    }

    // 3. Sections of the sets.
    io::write_fmt(ECHOFILE, sec_title);
    io::write_fmt(ECHOFILE, sec_head, {UBLEN2.view(), UBLEN2.view()});
    for (int p = 1; p <= NPRSET; ++p) {
        for (int s = 1; s <= NSECP(p); ++s) {
            WRBLNK(ECHOFILE, 5);
            WRINT(ECHOFILE, 5, p);
            WRINT(ECHOFILE, 8, s);
            WRBLNK(ECHOFILE, 1);
            WRREAL(ECHOFILE, 14, 5, UCD12(SECTAB(p, s, SEC_DTOP)));
            WRREAL(ECHOFILE, 15, 5, UCD12(SECTAB(p, s, SEC_DBOT)));
            WRINT(ECHOFILE, 8, ISECXS(p, s));
            WREOL(ECHOFILE);
        }
    }

    // 4. Moment-curvature sets generated for the nonlinear sections follow
    // the user sets: one per bending axis of the model.
    int set = NMPS;
    for (int k = 1; k <= NSECT; ++k) {
        if (XSNLF(k) != 1 || XSNLI(k, 0) == 10) continue;
        XSNLI(k, 27) = ++set;
        if (three_d()) XSNLI(k, 28) = ++set;
    }

    // 5. Moduli and moment-curvature sets of the sections. The plane model
    // bends about axis 1 only.
    for (int p = 1; p <= NPRSET; ++p) {
        for (int s = 1; s <= NSECP(p); ++s) {
            const int k = ISECXS(p, s);
            EMODS(p, s, 1) = XSTAB(k, 17);
            EMODS(p, s, 2) = XSTAB(k, 35);
            if (XSNLF(k) != 0) {
                MPSEC1(p, s) = XSNLI(k, 27);
                MPSEC2(p, s) = three_d() ? XSNLI(k, 28) : 0;
            }
        }
    }

    // 6. Cross sections.
    io::write_fmt(ECHOFILE, xs_title);
    for (int k = 1; k <= NSECT; ++k) cross_section(k);

    // 7. Their properties, elastic and nonlinear, each table when it has rows.
    io::write_fmt(ECHOFILE, prop_title);
    bool any_elastic = false, any_nonlinear = false;
    for (int k = 1; k <= NSECT; ++k) {
        any_elastic = any_elastic || XSNLF(k) == 0;
        any_nonlinear = any_nonlinear || XSNLF(k) == 1;
    }
    if (any_elastic) elastic_table();
    if (any_nonlinear) nonlinear_table();

    // 8. Section tables.
    section_tables();
}

}  // namespace zolan
