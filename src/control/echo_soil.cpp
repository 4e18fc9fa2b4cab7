// Table F of the input echo: the soil layers and their strength data. While
// the table prints, the layers are copied into the layer tables and the soil
// curves against depth are built (two points per layer, at its top and its
// bottom, keeping the quantities the layer's soil code uses). Values the
// system would estimate for a zero input are printed with a marker; the
// curves keep the input values. Also the block of p-y print requests.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "control/input_echo.h"
#include "model/single_precision.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "pile/unit_resistance.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "soil/soil_defaults.h"

namespace zolan {
namespace {

constexpr double PI_FULL = 3.141592653589793;
constexpr double E50VUG = f32(0.0005f);  // fixed strain of vuggy limestone

// ---------------------------------------------------------------------------
// Building the layer tables and the soil curves.

void build_profile() {
    // 1-2. Layers and counts.
    NLAYPY = NLAYER;
    for (int L = 1; L <= NLAYPY; ++L) {
        ISOIL(L) = LAYIN.ISOIL(L);
        LAYTOP(L) = LAYIN.TOP(L);
        LAYBOT(L) = LAYIN.BOT(L);
    }
    NSCPT = NUWPT = 2 * NLAYPY;

    // 3. Two points per layer; the strength columns by soil code.
    for (int L = 1; L <= NLAYPY; ++L) {
        for (int k = 1; k <= 2; ++k) {
            const int i = 2 * L - 2 + k;
            const double c = LAYPRP(L, k, 2);
            const double phi = LAYPRP(L, k, 3) * PI_FULL / 180.0;
            const double kk = LAYPRP(L, k, 4);
            const double er = LAYPRP(L, k, 5);
            const double e50 = LAYPRP(L, k, 6);
            const double j = LAYPRP(L, k, 7);
            SCDEP(i) = UWDEP(i) = k == 1 ? LAYTOP(L) : LAYBOT(L);
            SCGAM(i) = LAYPRP(L, k, 1);
            SCFMAX(i) = LAYPRP(L, k, 8);
            SCQMAX(i) = LAYPRP(L, k, 9);
            // Columns:                 c    phi  k    Er   e50  J
            auto set = [&](double vc, double vp, double vk, double vr, double ve, double vj) {
                SCCOH(i) = vc;
                SCPHI(i) = vp;
                SCK(i) = vk;
                SCROCK(i) = vr;
                SCE50(i) = ve;
                SCJ(i) = vj;
            };
            switch (ISOIL(L)) {
                case 1: case 3: set(c, 0, 0, 0, e50, 0); break;
                case 2: case 10: set(c, 0, kk, 0, e50, 0); break;
                case 4: case 8: set(0, phi, kk, 0, 0, 0); break;
                case 5: case 11: set(0, 0, 0, 0, 0, 0); break;
                case 6: set(c, 0, 0, 0, E50VUG, 0); break;
                case 7: set(c, phi, kk, 0, e50, 0); break;
                case 9: set(c, 0, 0, er, e50, j); break;
                case 13: set(c, 0, 0, 0, e50, j); break;
                default: set(c, phi, kk, er, e50, j); break;  // 12 and any other code
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Rows of the table: a label of 31 characters after 8 blanks, a unit field
// of 12 columns, then the top and the bottom value (WRREAL 14, 5 digits).

enum class Unit { Depth, UnitWeight, StressFt, StressIn, ModulusIn, Degrees, None, Percent };

void label_and_unit(std::string_view text, Unit u) {
    static const fmt::Format label("(8X,A,$)");
    static const fmt::Format depth(R"((7X,"(",A2,") ",$))");
    static const fmt::Format compound(R"(("(",A3,A1,A2,A2,A1,") ",$))");
    static const fmt::Format degrees(R"((2X,"(DEGREES) ",$))");
    static const fmt::Format none(R"((8X,"    ",$))");
    static const fmt::Format percent(R"((8X,"(%) ",$))");
    std::string padded(text);
    padded.resize(31, ' ');
    io::write_fmt(ECHOFILE, label, {padded});
    switch (u) {
        case Unit::Depth: io::write_fmt(ECHOFILE, depth, {UBLEN2.view()}); break;
        case Unit::UnitWeight:
            io::write_fmt(ECHOFILE, compound, {UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(), UEXP3.view()});
            break;
        case Unit::StressFt:
            io::write_fmt(ECHOFILE, compound, {UFOR3.view(), USLASH.view(), UBLEN2.view(), UPOW.view(), UEXP2.view()});
            break;
        case Unit::StressIn:
            io::write_fmt(ECHOFILE, compound, {UFOR3.view(), USLASH.view(), ULEN2.view(), UPOW.view(), UEXP2.view()});
            break;
        case Unit::ModulusIn:
            io::write_fmt(ECHOFILE, compound, {UFOR3.view(), USLASH.view(), ULEN2.view(), UPOW.view(), UEXP3.view()});
            break;
        case Unit::Degrees: io::write_fmt(ECHOFILE, degrees); break;
        case Unit::None: io::write_fmt(ECHOFILE, none); break;
        case Unit::Percent: io::write_fmt(ECHOFILE, percent); break;
    }
}

// Markers of estimated values, in the order of the closing notes.
enum Marker { ME, MK, MC, MP, MS, MR, MT, NMARK };
constexpr std::array<std::string_view, NMARK> MARKTEXT = {" (E)", " (K)", " (C)", " (P)", " (S)", " (R)", " (T)"};
constexpr std::array<std::string_view, NMARK> NOTETEXT = {
    "(E) STRAIN AT 50% STRESS",
    "(K) P-Y SUBGRADE MODULUS for Static Loading",
    "(C) P-Y SUBGRADE MODULUS for Cyclic Loading",
    "(P) ULTIMATE UNIT SIDE FRICTION for Driven Piles",
    "(S) ULTIMATE UNIT SIDE FRICTION for Drilled Shafts",
    "(R) ULTIMATE UNIT TIP RESISTANCE for Driven Piles",
    "(T) ULTIMATE UNIT TIP RESISTANCE for Drilled Shafts",
};

// A value pair of a layer: top and bottom, each with its estimate flag.
struct Pair {
    double top, bot;
    int ftop = 0, fbot = 0;
    bool any() const { return ftop != 0 || fbot != 0; }
};

struct Printer {
    std::array<bool, NMARK> used{};

    void marker(Marker m) {
        static const fmt::Format f("(A,$)");
        io::write_fmt(ECHOFILE, f, {MARKTEXT[m]});
        used[m] = true;
    }

    // The values of a row: a marker after each estimated value, in the place
    // of the 4 blanks after a top value.
    void values(const Pair& v, Marker m) {
        WRREAL(ECHOFILE, 14, 5, v.top);
        if (v.ftop) marker(m);
        else WRBLNK(ECHOFILE, 4);
        WRREAL(ECHOFILE, 14, 5, v.bot);
        if (v.fbot) marker(m);
        WREOL(ECHOFILE);
    }

    void row(std::string_view text, Unit u, const Pair& v, Marker m = NMARK) {
        label_and_unit(text, u);
        values(v, m);
    }

    // Continuation row: only the estimated values, in their columns.
    void continuation(const Pair& v, Marker m) {
        WRBLNK(ECHOFILE, 51);
        if (v.ftop) {
            WRREAL(ECHOFILE, 14, 5, v.top);
            marker(m);
        } else {
            WRBLNK(ECHOFILE, 14 + 4);
        }
        if (v.fbot) {
            WRREAL(ECHOFILE, 14, 5, v.bot);
            marker(m);
        }
        WREOL(ECHOFILE);
    }

    void notes() {
        static const fmt::Format head(
            R"((/,5X,"  Notes :  Program estimated values for listed parameters",/,5X,"           if zero input values were entered:"))");
        static const fmt::Format line(R"((5X,"           ",A))");
        bool any = false;
        for (bool u : used) any = any || u;
        if (!any) return;
        io::write_fmt(ECHOFILE, head);
        for (int m = 0; m < NMARK; ++m)
            if (used[m]) io::write_fmt(ECHOFILE, line, {NOTETEXT[m]});
    }
};

const char* model_text(int code, bool stress_transfer) {
    switch (code) {
        case 1: return "THE SOIL IS A SOFT CLAY";
        case 2: return "THE SOIL IS A STIFF CLAY WITH FREE WATER";
        case 3: return "THE SOIL IS A STIFF CLAY WITHOUT FREE WATER";
        case 4: return "THE SOIL IS A SAND";
        case 5: return "THE SOIL-RESISTANCE CURVES SPECIFIED BY THE USER";
        case 6: return "THE LAYER IS A VUGGY LIMESTONE";
        case 7: return "THE SOIL IS A SILT";
        case 8: return "THE SOIL IS A SAND USING API CRITERIA";
        case 9: return "THE LAYER IS A WEAK ROCK";
        case 10: return "THE SOIL IS A STIFF CLAY WITHOUT FREE WATER, USING INITIAL K VALUE";
        case 11: return "THE SOIL IS A LIQUEFIED SAND";
        case 12:
            return stress_transfer ? "THE SOIL IS AN ELASTIC SUBGRADE WITH MAXIMUM STRESS TRANSFER"
                                   : "THE SOIL IS AN ELASTIC SUBGRADE";
        case 13: return "THE SOIL IS A SOFT CLAY WITH USER DEFINED J";
        default: return nullptr;
    }
}

bool code_in(int code, std::initializer_list<int> codes) {
    for (int c : codes)
        if (c == code) return true;
    return false;
}

// A column of the soil curves at the two points of layer L, scaled for printing.
template <class Column>
Pair curve(const Column& col, int L, double (*scale)(double) = nullptr) {
    const double t = col(2 * L - 1), b = col(2 * L);
    return scale ? Pair{scale(t), scale(b)} : Pair{t, b};
}

}  // namespace

void TABLEF(int& ISTAT) {
    build_profile();

    static const fmt::Format heading(R"((/,/,/,5X,"* TABLE F *   SOIL DATA"))");
    static const fmt::Format none(R"((/,5X,"  NO SOIL LAYERS DEFINED"))");
    static const fmt::Format info(R"((/,/,5X,"SOILS INFORMATION"))");
    static const fmt::Format ground(R"((/,8X," GROUND SURFACE          =",$))");
    static const fmt::Format ground_unit(R"((" ",A3))");
    static const fmt::Format layer_line(R"((/,9X,"LAYER",I3))");
    static const fmt::Format model_line("(9X,A)");
    static const fmt::Format columns(R"((9X,"                              ",15X," TOP OF LAYER    BOTTOM OF LAYER "))");

    io::write_fmt(ECHOFILE, heading);
    if (NLAYPY <= 0) {
        io::write_fmt(ECHOFILE, none);
        return;
    }
    io::write_fmt(ECHOFILE, info);
    io::write_fmt(ECHOFILE, ground);
    WRREAL(ECHOFILE, 13, 5, UCD12(LAYTOP(1)));
    io::write_fmt(ECHOFILE, ground_unit, {UBLEN.view()});
    // 4. The count in as many columns as it needs.
    const std::string count = std::to_string(NLAYPY);
    const fmt::Format count_line("(/,9X,I" + std::to_string(count.size()) + R"(," LAYER(S) OF SOIL"))");
    io::write_fmt(ECHOFILE, count_line, {NLAYPY});

    // 5. Kinds of piles in the group, and whether any row lacks a user load-settlement curve.
    bool driven = false, drilled = false, estimate = false;
    for (int r = 1; r <= NPILES; ++r) {
        driven = driven || PTYPED(IPROP(r)) == 1;
        drilled = drilled || PTYPED(IPROP(r)) == 2;
        estimate = estimate || ILSCRV(r) == 0;
    }

    Printer pr;
    for (int L = 1; L <= NLAYPY; ++L) {
        const int code = ISOIL(L);
        const int it = 2 * L - 1, ib = 2 * L;
        // 6. Whether a pile tip lies in the layer (both ends included).
        bool tip_here = false;
        for (int r = 1; r <= NPILES; ++r) {
            const double xtip = CORX(r) + PLENP(IPROP(r));
            tip_here = tip_here || (xtip >= LAYTOP(L) && xtip <= LAYBOT(L));
        }

        io::write_fmt(ECHOFILE, layer_line, {L});
        const bool transfer = SCCOH(it) > 0.0 || SCCOH(ib) > 0.0;
        if (const char* text = model_text(code, transfer)) io::write_fmt(ECHOFILE, model_line, {text});
        io::write_fmt(ECHOFILE, columns);

        pr.row(" X COORDINATE", Unit::Depth, {UCD12(LAYTOP(L)), UCD12(LAYBOT(L))});
        pr.row(" EFFECTIVE UNIT WEIGHT", Unit::UnitWeight, curve(SCGAM, L, UCM1728));
        if (code_in(code, {1, 2, 3, 7, 10, 13}))
            pr.row(" UNDRAINED COHESION, C", Unit::StressFt, curve(SCCOH, L, UCM144));
        if (code_in(code, {6, 9})) pr.row(" UNIAXIAL COMPRESSIVE STRENGTH", Unit::StressIn, curve(SCCOH, L));
        if (code_in(code, {4, 7, 8}))
            pr.row(" FRICTION ANGLE", Unit::Degrees, {SCPHI(it) * 180.0 / PI_FULL, SCPHI(ib) * 180.0 / PI_FULL});
        if (code_in(code, {2, 4, 7, 8, 10})) {
            // Static k with (K); for the clays and silt a row of cyclic defaults with (C).
            // The p-y curves of the open system take the English defaults:
            // the echo shows those.
            Pair kst{}, kcy{};
            int kcd = 0;
            const int ku = NUNITS == 2 ? 2 : 1;
            KLAYER(SCCOH(it), SCPHI(it), SCGAM(it), SCK(it), kst.top, kcy.top, ku, code, kst.ftop, kcd);
            KLAYER(SCCOH(ib), SCPHI(ib), SCGAM(ib), SCK(ib), kst.bot, kcy.bot, ku, code, kst.fbot, kcd);
            kcy.ftop = kst.ftop;
            kcy.fbot = kst.fbot;
            pr.row(" P-Y SUBGRADE MODULUS", Unit::ModulusIn, kst, MK);
            if (code_in(code, {2, 7, 10}) && kst.any()) pr.continuation(kcy, MC);
        }
        if (code_in(code, {1, 2, 3, 7, 10, 13})) {
            // The stiff clays' p-y curves of the open system take the English
            // e50; soft clay's takes 0.001 there.
            Pair e{};
            const int eu = code_in(code, {2, 3, 10}) && NUNITS != 2 ? 1 : NUNITS;
            E50LAYER(SCCOH(it), SCE50(it), e.top, eu, code, e.ftop);
            E50LAYER(SCCOH(ib), SCE50(ib), e.bot, eu, code, e.fbot);
            pr.row(" STRAIN AT 50% STRESS", Unit::None, e, ME);
        }
        if (code == 9) {
            pr.row(" YOUNG MODULUS,ER", Unit::StressIn, curve(SCROCK, L));
            pr.row(" KRM", Unit::None, curve(SCE50, L));
            pr.row(" RQD", Unit::Percent, curve(SCJ, L));
            // A rock quality designation is a percentage: a value outside 0 to
            // 100 is limited to that range for the curves, and the echo says so.
            static const fmt::Format rqd_warning(
                R"((8X,"** WARNING ** RQD OUTSIDE 0 TO 100 %; THE CURVES USE IT LIMITED TO THAT RANGE"))");
            bool outside = false;
            for (int i : {it, ib}) {
                if (SCJ(i) < 0.0 || SCJ(i) > 100.0) {
                    outside = true;
                    SCJ(i) = std::clamp(SCJ(i), 0.0, 100.0);
                }
            }
            if (outside) io::write_fmt(ECHOFILE, rqd_warning);
        }
        if (code == 12) {
            if (transfer) pr.row(" MAXIMUM STRESS TRANSFER", Unit::StressFt, curve(SCCOH, L, UCM144));
            pr.row(" ELASTIC SUBGRADE MODULUS", Unit::ModulusIn, curve(SCK, L));
        }
        if (code == 13) pr.row(" J FACTOR", Unit::Percent, curve(SCJ, L));

        // Side friction and tip resistance, estimated at the top and the bottom depth.
        std::array<int, 2> sf{}, tf{};
        std::array<double, 2> s1{}, s2{}, t1{}, t2{};
        if (estimate) {
            for (int p = 0; p < 2; ++p) {
                const double depth = p == 0 ? LAYTOP(L) : LAYBOT(L);
                ULTFRQ(code, depth, sf[p], s1[p], s2[p], tf[p], t1[p], t2[p], ISTAT);
                if (ISTAT != 0) return;
            }
        }
        const char* side = " ULTIMATE UNIT SIDE FRICTION";
        const char* tip = " ULTIMATE UNIT TIP RESISTANCE";
        auto estimates = [](const std::array<double, 2>& v, const std::array<int, 2>& f) {
            return Pair{UCM144(v[0]), UCM144(v[1]), f[0], f[1]};
        };
        auto marked_rows = [&](const char* text, const Pair& drv, const Pair& dsh, Marker md, Marker ms) {
            if (driven) pr.row(text, Unit::StressFt, drv, md);
            else pr.row(text, Unit::StressFt, dsh, ms);
            if (driven && drilled) pr.continuation(dsh, ms);
        };
        if (sf[0] == 0 && sf[1] == 0) pr.row(side, Unit::StressFt, curve(SCFMAX, L, UCM144));
        else marked_rows(side, estimates(s1, sf), estimates(s2, sf), MP, MS);
        if ((tf[0] == 0 && tf[1] == 0) || !tip_here) pr.row(tip, Unit::StressFt, curve(SCQMAX, L, UCM144));
        else marked_rows(tip, estimates(t1, tf), estimates(t2, tf), MR, MT);
    }

    // 7. Notes on the markers printed.
    pr.notes();
}

void PYPRDATA() {
    static const fmt::Format heading(R"((/,/,5X,"* DATA TO PRINT GENERATED P-Y CURVES *"))");
    static const fmt::Format count(R"((/,5X," NUMBER OF CURVES TO PRINT : ",I5))");
    static const fmt::Format columns(R"((/,5X,"  CURVE NUMBER  ","   PILE GROUP   ","      DEPTH (",A2,")   "))");
    io::write_fmt(ECHOFILE, heading);
    if (PYREQN <= 0) return;
    io::write_fmt(ECHOFILE, count, {PYREQN});
    io::write_fmt(ECHOFILE, columns, {UBLEN2.view()});
    for (int i = 1; i <= PYREQN; ++i) {
        WRBLNK(ECHOFILE, 5);
        WRINT(ECHOFILE, 8, i);
        WRBLNK(ECHOFILE, 8);
        WRINT(ECHOFILE, 8, PYRQIN.ROW(i));
        WRBLNK(ECHOFILE, 10);
        WRREAL(ECHOFILE, 14, 5, UCD12(PYRQIN.DEP(i)));
        WREOL(ECHOFILE);
    }
}

}  // namespace zolan
