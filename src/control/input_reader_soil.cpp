// Input sections 9 to 20: soil layers, p-y print requests, user p-y sets,
// the pile rows of the generated axial and torque curves, user axial and
// torque curves, moment-curvature sets and curves, reduction factors along
// depth, soil movement and curve-file options.
#include <string>

#include "control/input_reader.h"
#include "model/input_tables.h"
#include "model/run_state.h"

namespace zolan::input {
namespace {

// A pile row named by a list entry: one of the rows of the pile table.
void check_row(Reader& rd, int row) {
    const int rows = input_rows();
    if (row >= 1 && row <= rows) return;
    rd.fail("THE PILE ROW IS " + std::to_string(row) + "; EXPECTED 1 TO " + std::to_string(rows) +
            " (THE ROWS OF THE PILE TABLE)");
}

// Points of a curve, two values each.
void read_pairs(Reader& rd, int level, int npt, const char* what, auto&& v1, auto&& v2) {
    for (int k = 1; k <= npt; ++k) {
        rd.item(level, "POINT", k);
        rd.rec(what, {v1(k), v2(k)});
    }
}

}  // namespace

// Section 9: soil layers, each with its code, depths and the property values
// at its top and bottom.
void read_soil_layers(Reader& rd) {
    rd.section(9);
    rd.rec("NLAYER", {NLAYER});
    rd.count(NLAYER, MAXLAY, "NLAYER", "NUMBER OF SOIL LAYERS");
    for (int L = 1; L <= NLAYER; ++L) {
        rd.item(0, "LAYER", L);
        int id = 0;
        rd.rec("RECORD 1 (LAYER NUMBER, SOIL CODE)", {id, LAYIN.ISOIL(L)});
        rd.within(LAYIN.ISOIL(L), 1, 13, "ISOIL", "SOIL CODE");
        rd.rec("RECORD 2 (TOP DEPTH, BOTTOM DEPTH)", {LAYIN.TOP(L), LAYIN.BOT(L)});
        if (!(LAYIN.BOT(L) > LAYIN.TOP(L)))
            rd.fail("THE BOTTOM DEPTH " + real_text(LAYIN.BOT(L)) + " IS NOT BELOW THE TOP DEPTH " +
                    real_text(LAYIN.TOP(L)) + " OF THE LAYER");
        // Layers go from the top down and do not overlap; gaps between them are legal.
        if (L > 1 && LAYIN.TOP(L) < LAYIN.BOT(L - 1))
            rd.fail("THE TOP DEPTH " + real_text(LAYIN.TOP(L)) + " OF THE LAYER IS ABOVE THE BOTTOM DEPTH " +
                    real_text(LAYIN.BOT(L - 1)) + " OF LAYER " + std::to_string(L - 1) +
                    ": THE LAYERS OVERLAP OR ARE OUT OF ORDER");
        rd.rec("RECORD 3 (NP, NV)", {LAYIN.NP(L), LAYIN.NV(L)});
        // The two points of the layer's strength curve: its top and its bottom.
        if (LAYIN.NP(L) != MAXLPR)
            rd.fail("THE NUMBER OF PROPERTY RECORDS OF A LAYER (NP) IS " + std::to_string(LAYIN.NP(L)) +
                    "; EXPECTED 2 (THE TOP AND THE BOTTOM OF THE LAYER)");
        // Values beyond the ten a point holds are read and ignored; a bound on
        // their number keeps a corrupt count from exhausting memory.
        constexpr int NVREAD = 1000;
        if (LAYIN.NV(L) > NVREAD)
            rd.fail("THE NUMBER OF VALUES PER PROPERTY RECORD (NV) IS " + std::to_string(LAYIN.NV(L)) +
                    "; EXPECTED AT MOST " + std::to_string(NVREAD) + " (VALUES BEYOND " + std::to_string(MAXLPV) +
                    " ARE IGNORED)");
        for (int k = 1; k <= LAYIN.NP(L); ++k) {
            // With NV of 0 or less the record holds no value and takes one line.
            auto& t = rd.targets();
            double ignored = 0.0;
            for (int v = 1; v <= LAYIN.NV(L); ++v) {
                if (v <= MAXLPV) t.emplace_back(LAYPRP(L, k, v));
                else t.emplace_back(ignored);
            }
            rd.rec(k == 1 ? "RECORD 4 (LAYPRP AT THE TOP)" : "RECORD 5 (LAYPRP AT THE BOTTOM)", t);
            LAYLIN(L, k) = k == 1 ? rd.place().first : rd.place().last;
        }
    }
}

// Section 20: generated p-y curves to print: pile row, depth and deflections.
void read_py_requests(Reader& rd) {
    rd.section(20);
    rd.rec("PYREQN", {PYREQN});
    rd.count(PYREQN, MAXPYR, "PYREQN", "NUMBER OF P-Y PRINT REQUESTS");
    for (int r = 1; r <= PYREQN; ++r) {
        rd.item(0, "REQUEST", r);
        rd.rec("RECORD 1 (PILE ROW, DEPTH)", {PYRQIN.ROW(r), PYRQIN.DEP(r)});
        check_row(rd, PYRQIN.ROW(r));
        rd.rec("RECORD 2 (NUMBER OF DEFLECTIONS)", {PYRQIN.NY(r)});
        rd.count(PYRQIN.NY(r), MAXPYY, "NY", "NUMBER OF DEFLECTIONS");
        if (PYRQIN.NY(r) > 0) {
            auto& t = rd.targets();
            for (int k = 1; k <= PYRQIN.NY(r); ++k) t.emplace_back(PYRQIN.Y(r, k));
            rd.rec("RECORD 3 (DEFLECTIONS)", t);
        }
    }
}

// Section 19: user p-y curve sets: curves at several depths.
void read_user_py(Reader& rd) {
    rd.section(19);
    rd.rec("NUPYS", {NUPYS});
    rd.count(NUPYS, MAXUPS, "NUPYS", "NUMBER OF USER P-Y CURVE SETS");
    for (int s = 1; s <= NUPYS; ++s) {
        rd.item(0, "SET", s);
        int id = 0;
        rd.rec("(SET NUMBER, NUMBER OF CURVES)", {id, UPYIN.NC(s)});
        rd.count(UPYIN.NC(s), MAXUPC, "NC", "NUMBER OF CURVES OF THE SET");
        for (int j = 1; j <= UPYIN.NC(s); ++j) {
            rd.item(1, "CURVE", j);
            rd.rec("(DEPTH OF THE CURVE)", {UPYIN.DEP(s, j)});
            rd.rec("(NUMBER OF POINTS)", {UPYIN.NPT(s, j)});
            rd.count(UPYIN.NPT(s, j), MAXUPP, "NPT", "NUMBER OF POINTS OF THE CURVE");
            read_pairs(rd, 2, UPYIN.NPT(s, j), "(Y, P)", [&](int k) -> double& { return UPYIN.Y(s, j, k); },
                       [&](int k) -> double& { return UPYIN.P(s, j, k); });
        }
    }
}

// Section 10: the pile row of each generated load-settlement curve.
void read_ls_rows(Reader& rd) {
    rd.section(10);
    rd.rec("NLSGEN", {NLSGEN});
    rd.count(NLSGEN, MAXROW, "NLSGEN", "NUMBER OF GENERATED LOAD-SETTLEMENT CURVES");
    for (int j = 1; j <= NLSGEN; ++j) {
        rd.item(0, "CURVE", j);
        rd.rec("(LSGROW: PILE ROW)", {LSGROW(j)});
        check_row(rd, LSGROW(j));
    }
}

// Section 18: the pile row of each generated torque-rotation curve. The
// solver-form tables of the generated torque curves hold MAXTRG curves.
void read_tr_rows(Reader& rd) {
    rd.section(18);
    rd.rec("NTRGEN", {NTRGEN});
    rd.count(NTRGEN, MAXTRG, "NTRGEN", "NUMBER OF GENERATED TORQUE-ROTATION CURVES");
    for (int j = 1; j <= NTRGEN; ++j) {
        rd.item(0, "CURVE", j);
        rd.rec("(TRGROW: PILE ROW)", {TRGROW(j)});
        check_row(rd, TRGROW(j));
    }
}

namespace {

void read_user_curves(Reader& rd, int& ncurves, UserCurveInput& t, const char* count_record, const char* count_name,
                      const char* noun, const char* point) {
    rd.rec(count_record, {ncurves});
    rd.count(ncurves, MAXUCV, count_name, noun);
    for (int c = 1; c <= ncurves; ++c) {
        rd.item(0, "CURVE", c);
        int id = 0;
        rd.rec("(CURVE NUMBER, NUMBER OF POINTS)", {id, t.NPT(c)});
        rd.count(t.NPT(c), MAXUCP, "NPT", "NUMBER OF POINTS OF THE CURVE");
        read_pairs(rd, 1, t.NPT(c), point, [&](int k) -> double& { return t.V1(c, k); },
                   [&](int k) -> double& { return t.V2(c, k); });
    }
}

}  // namespace

// Section 17: user axial load-displacement curves, the load first.
void read_user_axial(Reader& rd) {
    rd.section(17);
    read_user_curves(rd, NUAXC, UAXCIN, "NUAXC", "NUAXC", "NUMBER OF USER AXIAL LOAD-DISPLACEMENT CURVES",
                     "(LOAD, DISPLACEMENT)");
}

// Section 16: user torque-rotation curves, the torque first.
void read_user_torque(Reader& rd) {
    rd.section(16);
    read_user_curves(rd, NUTRC, UTRCIN, "NUTRC", "NUTRC", "NUMBER OF USER TORQUE-ROTATION CURVES",
                     "(TORQUE, ROTATION)");
}

// Section 11: user moment-curvature sets, one curve per axial load.
void read_user_mphi(Reader& rd, Places& at) {
    rd.section(11);
    rd.rec("NMPS", {NMPS});
    rd.count(NMPS, MAXMPS, "NMPS", "NUMBER OF USER MOMENT-CURVATURE SETS");
    at.nmps = rd.place();
    for (int s = 1; s <= NMPS; ++s) {
        rd.item(0, "SET", s);
        int id = 0;
        rd.rec("(SET NUMBER, NUMBER OF CURVES)", {id, MPUIN.NC(s)});
        rd.count(MPUIN.NC(s), MAXMPL, "NC", "NUMBER OF CURVES OF THE SET");
        for (int l = 1; l <= MPUIN.NC(s); ++l) {
            rd.item(1, "CURVE", l);
            rd.rec("(AXIAL LOAD)", {MPUIN.AXL(s, l)});
            int no_effect = 0;
            rd.rec("(INTEGER WITHOUT EFFECT, NUMBER OF POINTS)", {no_effect, MPUIN.NPT(s, l)});
            rd.count(MPUIN.NPT(s, l), MAXMPP, "NPT", "NUMBER OF POINTS OF THE CURVE");
            read_pairs(rd, 2, MPUIN.NPT(s, l), "(MOMENT, CURVATURE)",
                       [&](int k) -> double& { return MPUIN.MOM(s, l, k); },
                       [&](int k) -> double& { return MPUIN.CUR(s, l, k); });
        }
    }
}

namespace {

// One bending axis of a cross section: its axial-load levels and curves.
void read_axis_block(Reader& rd, int k, int axis) {
    SectionCurveInput& t = MPXIN(axis);
    rd.item(1, "BENDING AXIS", axis);
    int id = 0;
    rd.rec("(SECTION NUMBER, NUMBER OF AXIAL-LOAD LEVELS)", {id, t.NL(k)});
    rd.count(t.NL(k), MAXMPL, "NL", "NUMBER OF AXIAL-LOAD LEVELS");
    for (int l = 1; l <= t.NL(k); ++l) {
        rd.item(2, "LEVEL", l);
        rd.rec("(AXIAL LOAD)", {t.AXL(k, l)});
        rd.rec("(FURTHER REAL OF THE LEVEL)", {t.VAL2(k, l)});
        int no_effect = 0;
        rd.rec("(INTEGER WITHOUT EFFECT, NUMBER OF POINTS)", {no_effect, t.NPT(k, l)});
        rd.count(t.NPT(k, l), MAXMPP, "NPT", "NUMBER OF POINTS OF THE LEVEL");
        read_pairs(rd, 3, t.NPT(k, l), "(MOMENT, CURVATURE)", [&](int p) -> double& { return t.MOM(k, l, p); },
                   [&](int p) -> double& { return t.CUR(k, l, p); });
    }
}

}  // namespace

// Section 12: moment-curvature curves of the cross sections, the first
// bending axis, and in the three-dimensional model the second.
void read_section_mphi(Reader& rd) {
    rd.section(12);
    rd.rec("NSCCRV", {NSCCRV});
    rd.count(NSCCRV, MAXXS, "NSCCRV", "NUMBER OF CROSS SECTIONS WITH CURVES");
    // The moment-curvature tables are numbered over the nonlinear sections
    // whose curves are generated; each of them needs its block here.
    for (int k = NSCCRV + 1; k <= NSECT; ++k) {
        if (XSNLF(k) == 1 && XSNLI(k, 0) != 10)
            rd.fail("CROSS SECTION " + std::to_string(k) + " IS NONLINEAR (KIND " + std::to_string(XSNLI(k, 0)) +
                    ") BUT NSCCRV IS " + std::to_string(NSCCRV) + ": ITS MOMENT-CURVATURE CURVES ARE MISSING");
    }
    for (int k = 1; k <= NSCCRV; ++k) {
        rd.item(0, "CROSS SECTION", k);
        read_axis_block(rd, k, 1);
        MPXIN(2).NL(k) = 0;
        if (NANTYP == 3) read_axis_block(rd, k, 2);
    }
}

// Section 15: p- and y-factors along depth, by set.
void read_depth_factors(Reader& rd) {
    rd.section(15);
    rd.rec("NRFSET", {NRFSET});
    rd.count(NRFSET, MAXRFS, "NRFSET", "NUMBER OF REDUCTION-FACTOR SETS");
    for (int s = 1; s <= NRFSET; ++s) {
        rd.item(0, "SET", s);
        int id = 0;
        rd.rec("(SET NUMBER, NUMBER OF POINTS)", {id, RFLNPT(s)});
        rd.count(RFLNPT(s), MAXRFP, "NPT", "NUMBER OF POINTS OF THE SET");
        for (int k = 1; k <= RFLNPT(s); ++k) {
            rd.item(1, "POINT", k);
            rd.rec("(RFLDEP, RFLPF, RFLYF)", {RFLDEP(s, k), RFLPF(s, k), RFLYF(s, k)});
        }
    }
}

// Section 14: soil movement against depth; the full-load movements are kept
// apart from those the cap solvers scale.
void read_soil_movement(Reader& rd) {
    rd.section(14);
    rd.rec("NSMOV", {NSMOV});
    rd.count(NSMOV, MAXSMV, "NSMOV", "NUMBER OF SOIL-MOVEMENT POINTS");
    for (int k = 1; k <= NSMOV; ++k) {
        rd.item(0, "POINT", k);
        rd.rec("(SMDEP, MOVEMENT Y, MOVEMENT Z)", {SMDEP(k), SMVCUR(k, 1), SMVCUR(k, 2)});
    }
    for (int k = 1; k <= NSMOV; ++k) {
        SMOVY0(k) = SMVCUR(k, 1);
        SMOVZ0(k) = SMVCUR(k, 2);
    }
}

// Section 13: curve-file options; a second deflection list is read and not used.
void read_curve_options(Reader& rd) {
    rd.section(13);
    rd.rec("RECORD 1 (NCRVST, KCRVL1, KCRVL2)", {NCRVST, KCRVL1, KCRVL2});
    // The station spacing is the pile length over NCRVST.
    rd.within(NCRVST, 1, MAXCST, "NCRVST", "NUMBER OF DIVISIONS OF A PILE FOR THE CURVE FILE");
    if (KCRVL1 == 1) {
        rd.rec("RECORD 2 (NCRVL)", {NCRVL});
        rd.count(NCRVL, MAXCRL, "NCRVL", "NUMBER OF CURVE-FILE DEFLECTIONS");
        for (int k = 1; k <= NCRVL; ++k) {
            rd.item(0, "VALUE", k);
            rd.rec("RECORD 2 (CRVL1)", {CRVL1(k)});
        }
        rd.no_item();
    }
    if (KCRVL2 == 1) {
        int n = 0;
        rd.rec("RECORD 3 (COUNT)", {n});
        for (int k = 1; k <= n; ++k) {
            rd.item(0, "VALUE", k);
            double x = 0.0;
            rd.rec("RECORD 3 (ONE REAL, NOT USED)", {x});
        }
    }
}

}  // namespace zolan::input
