// Input sections 1 to 8: control integers, pile cap, load cases and
// combinations, distributed-load sets, pile table, pile property sets and
// cross sections. Every record is read in the file's order, including those
// whose values are not kept.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "control/estimation_points.h"
#include "control/input_reader.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "model/step_bounds.h"

namespace zolan::input {
namespace {

// Appends targets f(a) .. f(b) to a record's list.
template <class F>
void add(std::vector<fmt::Target>& t, int a, int b, F f) {
    for (int k = a; k <= b; ++k) t.emplace_back(f(k));
}

// A count of load steps as the message gives it; an increment so small that
// the count overflows is said to take more than the bound.
std::string steps_text(double n) {
    if (!std::isfinite(n)) return "MORE THAN " + std::to_string(MAXLSTEP);
    return n < 1.0e15 ? std::to_string(static_cast<long long>(n)) : real_text(n);
}

// Initial and minimum load-increment factors: the load stepping divides by
// them and never ends with a step of zero. It must also end in a bounded
// number of steps: a factor above 1 is one step at the full load; a failed
// step halves the increment for as long as the half is not below the
// minimum, and the increment never grows again, so the smallest increment
// reachable from the initial one decides how many steps the load can take.
void check_increments(Reader& rd, double initial, double minimum, const char* table) {
    const std::string n3 = std::string(table) + " 3", n4 = std::string(table) + " 4";
    rd.positive(initial, n3.c_str(), "INITIAL LOAD-INCREMENT FACTOR");
    rd.positive(minimum, n4.c_str(), "MINIMUM LOAD-INCREMENT FACTOR");
    const double first = std::min(initial, 1.0);
    const std::string most = "EXPECTED AT MOST " + std::to_string(MAXLSTEP) + " LOAD STEPS";
    if (load_steps(first) > MAXLSTEP)
        rd.fail("THE INITIAL LOAD-INCREMENT FACTOR (" + n3 + ") IS " + real_text(initial) + ": " +
                steps_text(load_steps(first)) + " LOAD STEPS; " + most + " (A FACTOR OF AT LEAST " +
                real_text(1.0 / MAXLSTEP) + ")");
    const double d = smallest_increment(first, minimum);
    if (load_steps(d) > MAXLSTEP)
        rd.fail("THE MINIMUM LOAD-INCREMENT FACTOR (" + n4 + ") IS " + real_text(minimum) +
                ": FAILED STEPS MAY HALVE THE INCREMENT TO " + real_text(d) + ", " + steps_text(load_steps(d)) +
                " LOAD STEPS; " + most + " (A MINIMUM ABOVE " + real_text(least_minimum(first)) +
                " WITH THIS INITIAL FACTOR)");
}

// Iteration limits of the cap (column 6) and of the piles (column 7) of the
// record just read: an analysis must end, and a limit below 1 could only
// end it unconverged.
void check_iteration_limits(Reader& rd, int cap, int piles, const char* table) {
    const struct { int v; int col; const char* noun; } limits[] = {
        {cap, 6, "ITERATION LIMIT OF THE CAP"}, {piles, 7, "ITERATION LIMIT OF THE PILES"}};
    for (const auto& l : limits)
        if (l.v < 1 || l.v > MAXITLIM)
            rd.fail(std::string("THE ") + l.noun + " (" + table + " " + std::to_string(l.col) + ") IS " +
                    std::to_string(l.v) + "; EXPECTED 1 TO " + std::to_string(MAXITLIM));
}

// The p- and y-multipliers of the pile table that the analysis uses: none
// when the group factors are computed (KGRPRF 1 and 3); the Y pair, and in
// the three-dimensional model with KGRPRF above 0 the Z pair too. A zero
// takes away the soil's resistance (p) or divides by zero (y).
void check_multipliers(Reader& rd, const double* v, const char* table, bool z_pair) {
    if (KGRPRF == 1 || KGRPRF == 3) return;
    static const char* const noun[4] = {"P-MULTIPLIER ALONG Y", "Y-MULTIPLIER ALONG Y", "P-MULTIPLIER ALONG Z",
                                        "Y-MULTIPLIER ALONG Z"};
    for (int k = 0; k < (z_pair ? 4 : 2); ++k) {
        if (v[k] != 0.0) continue;
        const std::string field = std::string(table) + " " + std::to_string(k + 3);
        rd.warn(std::string("THE ") + noun[k] + " (" + field + ") IS 0: " +
                (k % 2 == 0 ? "THE SOIL GIVES THE PILE NO LATERAL RESISTANCE"
                            : "THE P-Y CURVES ARE DIVIDED BY IT") +
                "; 1.0 IS NEUTRAL");
    }
}

// The pile's axis must go down from its head into the ground; a pile more
// than 45 degrees from the vertical is warned of (two swapped values in the
// record give one). `down` is the vertical component of the unit axis (sin
// BETA, or the cosine of the plane slope), `field` and `value` the angle
// given.
void check_axis(Reader& rd, double down, const std::string& field, double value, const char* expected) {
    if (!(down > 1.0e-9))
        rd.fail("THE PILE'S AXIS DOES NOT GO DOWN FROM ITS HEAD: " + field + " IS " + real_text(value) +
                ", WHICH PUTS THE TIP AT OR ABOVE THE HEAD; EXPECTED " + expected);
    const double batter = std::acos(std::min(down, 1.0)) * 180.0 / std::numbers::pi;
    if (batter > 45.0 + 1.0e-9)
        rd.warn("THE PILE IS " + real_text(batter) + " DEGREES FROM THE VERTICAL (" + field + " IS " +
                real_text(value) + "), FLATTER THAN 45 DEGREES: CHECK THE ANGLE AND ITS FIELD");
}

}  // namespace

// Section 1: the twenty control integers, and the movement direction of the
// group factors when KGRPRF = 3.
void read_control(Reader& rd) {
    rd.section(1);
    int ignored = 0;
    rd.rec("RECORD 1 (NUNITS ... KCRVFM)",
           {NUNITS, NANTYP, KCAPOP, FCOPT, KUPY, KUAXL, KUTOR, KGRPRF, NMPSET, KAXFAC, PYMODE, ignored, KAVGD,
            KBATAD, KGENLS, KEXTRP, KJ1, KJ2, KCRVF, KCRVFM});
    // Switches whose every other value would leave later stages reading
    // tables that nothing filled, or would run the file in units it was not
    // written in (any other unit system silently scaled as the open one).
    if (NUNITS < 1 || NUNITS > 3)
        rd.fail("THE UNIT SYSTEM (NUNITS) IS " + std::to_string(NUNITS) +
                "; EXPECTED 1 (ENGLISH), 2 (SI) OR 3 (OPEN SYSTEM)");
    if (NANTYP != 2 && NANTYP != 3)
        rd.fail("THE ANALYSIS TYPE (NANTYP) IS " + std::to_string(NANTYP) +
                "; EXPECTED 2 (PLANE MODEL) OR 3 (THREE-DIMENSIONAL MODEL)");
    if (PYMODE != 0 && PYMODE != 1)
        rd.fail("THE P-Y PRINT SWITCH (PYMODE) IS " + std::to_string(PYMODE) + "; EXPECTED 0 OR 1");
    GRPMVY = 1.0;
    GRPMVZ = 1.0;
    NCFPTS = 19;
    if (KGRPRF == 3) rd.rec("RECORD 2 (GRPMVY, GRPMVZ)", {GRPMVY, GRPMVZ});
}

// Section 2: cap dimensions; a block read and not kept when the cap record's
// flag is 1; the embedded-cap record; the flexible-cap record.
void read_cap(Reader& rd) {
    rd.section(2);
    double unused = 0.0;
    int flag = 0;
    rd.rec("RECORD 1 (CAPLEN, CAPWID, CAPTHK, CAPDEQ, UNUSED REAL, FLAG)",
           {CAPLEN, CAPWID, CAPTHK, CAPDEQ, unused, flag});
    // The flexible cap's slab has the cap's thickness: a slab without one has
    // no stiffness at all.
    if (FCOPT > 0 && !(CAPTHK > 0.0))
        rd.fail("THE CAP THICKNESS (CAPTHK) IS " + real_text(CAPTHK) + "; THE FLEXIBLE CAP (FCOPT " +
                std::to_string(FCOPT) + ") IS A SLAB OF THIS THICKNESS: EXPECTED A POSITIVE VALUE");
    if (flag == 1) {
        int nblocks = 0;
        rd.rec("RECORD 1A (NUMBER OF BLOCKS)", {nblocks});
        for (int b = 1; b <= nblocks; ++b) {
            rd.item(0, "RECORD 1A BLOCK", b);
            int nvalues = 0;
            rd.rec("NUMBER OF VALUES", {nvalues});
            for (int v = 1; v <= nvalues; ++v) {
                rd.item(1, "VALUE", v);
                double x = 0.0;
                rd.rec("ONE REAL", {x});
            }
        }
        rd.no_item();
    }
    KCAPLD = 0;
    if (KCAPOP > 1) {
        rd.rec("RECORD 2 (KCAPLD, KCAPSM, NCAPINC, CAPK50, CAPFULT, CAPYMAX)",
               {KCAPLD, KCAPSM, NCAPINC, CAPK50, CAPFULT, CAPYMAX});
        // The cap as a short pseudo-pile has node vectors of MAXINC increments.
        if (KCAPLD != 0)
            rd.within(NCAPINC, 1, MAXINC, "NCAPINC", "NUMBER OF INCREMENTS OF THE CAP PSEUDO-PILE");
    }
    if (FCOPT > 0) {
        rd.rec("RECORD 3 (FCCAPIN: OFFSETS X, Y, ELEMENTS IN X, Y, MODULUS, POISSON'S RATIO)",
               {FCXOFF, FCYOFF, FCNX, FCNY, FCEMOD, FCPOIS});
        // A slab has at least one element each way, and its element matrices
        // grow with the square of the mesh: a slip of the pen must not ask
        // for gigabytes.
        rd.within(FCNX, 1, MAXFCE, "FCNX", "NUMBER OF SLAB ELEMENTS ALONG THE CAP LENGTH");
        rd.within(FCNY, 1, MAXFCE, "FCNY", "NUMBER OF SLAB ELEMENTS ALONG THE CAP WIDTH");
    }
}

// Section 3: load cases, each with its controls, name, kind, print options,
// concentrated loads, distributed-load lines, stiffness data and optional
// point of definition.
void read_load_cases(Reader& rd, Places& at) {
    rd.section(3);
    int unused = 0;
    rd.rec("RECORD A (NLCASE, KENVLC, KPRTEC, NPRTEC, UNUSED)", {NLCASE, KENVLC, KPRTEC, NPRTEC, unused});
    rd.count(NLCASE, MAXLC, "NLCASE", "NUMBER OF LOAD CASES");
    if (KENVLC > 0) {
        auto& t = rd.targets();
        add(t, 1, MAXEFF, [](int k) -> int& { return EFFSLE(k); });
        rd.rec("RECORD B (EFFSLE 1-25)", t);
    }
    for (int i = 1; i <= NLCASE; ++i) {
        rd.item(0, "LOAD CASE", i);
        auto& t1 = rd.targets();
        add(t1, 1, 7, [i](int k) -> int& { return LCOPT(i, k); });
        rd.rec("RECORD 1 (LCOPT 1-7)", t1);
        check_iteration_limits(rd, LCOPT(i, 6), LCOPT(i, 7), "LCOPT");

        auto& t2 = rd.targets();
        add(t2, 1, 4, [i](int k) -> double& { return LCTOL(i, k); });
        rd.rec("RECORD 2 (LCTOL 1-4: TOLERANCES, LOAD-INCREMENT FACTORS)", t2);
        check_increments(rd, LCTOL(i, 3), LCTOL(i, 4), "LCTOL");

        rd.text("RECORD 3 (LCNAME)", LCNAME(i).span());

        auto& t4 = rd.targets();
        add(t4, 1, 7, [i](int k) -> int& { return LCKIND(i, k); });
        t4.emplace_back(LCPOD(i));
        rd.rec("RECORD 4 (LCKIND 1-7, LCPOD)", t4);
        if (LCPOD(i) != 0 && LCPOD(i) != 1)
            rd.fail("THE POINT-OF-DEFINITION SWITCH (LCPOD) IS " + std::to_string(LCPOD(i)) + "; EXPECTED 0 OR 1");

        rd.rec("RECORD 5 (LCPRT, LCPINC, LCSCAL, LCALTF, LCALTD, LCALTR, LCAXV, LCSKIP, LCEIPR)",
               {LCPRT(i), LCPINC(i), LCSCAL(i), LCALTF(i), LCALTD(i), LCALTR(i), LCAXV(i), LCSKIP(i), LCEIPR(i)});
        at.lcscal(i) = rd.place();
        rd.rec("RECORD 6 (UNUSED INTEGER)", {unused});

        auto& t7 = rd.targets();
        add(t7, 1, MAXEFF, [i](int k) -> int& { return EFFSLC(i, k); });
        rd.rec("RECORD 7 (EFFSLC 1-25)", t7);

        rd.rec("RECORD 8 (NCLOAD)", {NCLOAD(i)});
        rd.count(NCLOAD(i), MAXCLD, "NCLOAD", "NUMBER OF CONCENTRATED LOADS");
        at.ncload(i) = rd.place();
        for (int m = 1; m <= NCLOAD(i); ++m) {
            rd.item(1, "CONCENTRATED LOAD", m);
            auto& t = rd.targets();
            add(t, 1, 9, [i, m](int k) -> double& { return CLOAD(i, m, k); });
            rd.rec("RECORD 8 (CLOAD 1-9)", t);
            at.cload(i, m) = rd.place();
        }
        rd.item(0, "LOAD CASE", i);

        rd.rec("RECORD 9 (NDLINE)", {NDLINE(i)});
        rd.count(NDLINE(i), MAXDLL, "NDLINE", "NUMBER OF DISTRIBUTED-LOAD LINES");
        for (int m = 1; m <= NDLINE(i); ++m) {
            rd.item(1, "DISTRIBUTED-LOAD LINE", m);
            auto& t = rd.targets();
            add(t, 1, 6, [i, m](int k) -> int& { return DLLINE(i, m, k); });
            t.emplace_back(DLFY(i, m));
            t.emplace_back(DLLINE(i, m, 7));
            t.emplace_back(DLFZ(i, m));
            rd.rec("RECORD 9 (DLLINE 1-6, DLFY, DLLINE 7, DLFZ)", t);
            at.dl_line(i, m) = rd.place();
        }
        rd.item(0, "LOAD CASE", i);

        rd.rec("RECORD 10 (NSTLEV)", {NSTLEV(i)});
        rd.count(NSTLEV(i), MAXSTL, "NSTLEV", "NUMBER OF FOUNDATION-STIFFNESS VALUES");
        for (int k = 1; k <= NSTLEV(i); ++k) {
            rd.item(1, "STIFFNESS VALUE", k);
            rd.rec("RECORD 10 (STLEV)", {STLEV(i, k)});
        }
        // The estimation block, as the estimation points will read it.
        if (const std::string why = estimation_input_error(i); !why.empty()) rd.fail(why);
        rd.item(0, "LOAD CASE", i);

        if (LCPOD(i) == 1) {
            auto& ta = rd.targets();
            add(ta, 1, 6, [i](int k) -> int& { return PODFLG(i, k); });
            rd.rec("RECORD 11 (PODFLG 1-6)", ta);
            auto& tb = rd.targets();
            add(tb, 1, 6, [i](int k) -> double& { return PODVAL(i, k); });
            rd.rec("RECORD 11 (PODVAL 1-6)", tb);
            auto& tc = rd.targets();
            add(tc, 7, 12, [i](int k) -> double& { return PODVAL(i, k); });
            rd.rec("RECORD 11 (PODVAL 7-12)", tc);
            rd.rec("RECORD 11 (PODXYZ 1-3)", {PODXYZ(i, 1), PODXYZ(i, 2), PODXYZ(i, 3)});
        }
    }
}

// Section 4: load combinations of the load cases read above.
void read_combinations(Reader& rd) {
    rd.section(4);
    int unused = 0;
    rd.rec("RECORD A (NLCOMB, KENVLB, KPRTEB, NPRTEB, UNUSED)", {NLCOMB, KENVLB, KPRTEB, NPRTEB, unused});
    rd.count(NLCOMB, MAXCMB, "NLCOMB", "NUMBER OF LOAD COMBINATIONS");
    if (KENVLB > 0) {
        auto& t = rd.targets();
        add(t, MAXEFF + 1, 2 * MAXEFF, [](int k) -> int& { return EFFSLE(k); });
        rd.rec("RECORD B (EFFSLE 26-50)", t);
    }
    for (int j = 1; j <= NLCOMB; ++j) {
        rd.item(0, "LOAD COMBINATION", j);
        auto& t1 = rd.targets();
        add(t1, 1, 7, [j](int k) -> int& { return LBOPT(j, k); });
        rd.rec("RECORD 1 (LBOPT 1-7)", t1);
        check_iteration_limits(rd, LBOPT(j, 6), LBOPT(j, 7), "LBOPT");

        auto& t2 = rd.targets();
        add(t2, 1, 4, [j](int k) -> double& { return LBTOL(j, k); });
        rd.rec("RECORD 2 (LBTOL 1-4: TOLERANCES, LOAD-INCREMENT FACTORS)", t2);
        check_increments(rd, LBTOL(j, 3), LBTOL(j, 4), "LBTOL");

        rd.text("RECORD 3 (LBNAME)", LBNAME(j).span());
        rd.rec("RECORD 4 (LBRF 1-2, INTEGER WITHOUT EFFECT)", {LBRF(j, 1), LBRF(j, 2), unused});
        rd.rec("RECORD 5 (LBOPT2 1-3, LBALT 1-2, LBFLG 1-3)",
               {LBOPT2(j, 1), LBOPT2(j, 2), LBOPT2(j, 3), LBALT(j, 1), LBALT(j, 2), LBFLG(j, 1), LBFLG(j, 2),
                LBFLG(j, 3)});
        rd.rec("RECORD 6 (UNUSED INTEGER)", {unused});

        auto& t7 = rd.targets();
        add(t7, 1, MAXEFF, [j](int k) -> int& { return EFFSLB(j, k); });
        rd.rec("RECORD 7 (EFFSLB 1-25)", t7);

        rd.rec("RECORD 8 (NLBCAS)", {NLBCAS(j)});
        rd.count(NLBCAS(j), MAXLBC, "NLBCAS", "NUMBER OF LOAD CASES COMBINED");
        for (int m = 1; m <= NLBCAS(j); ++m) {
            rd.item(1, "ENTRY", m);
            rd.rec("RECORD 8 (LBCASE, LBFACT)", {LBCASE(j, m), LBFACT(j, m)});
            rd.within(LBCASE(j, m), 1, NLCASE, "LBCASE", "LOAD CASE NUMBER");
        }
    }
}

// Section 5: distributed-load sets, load against depth along the pile.
void read_dl_sets(Reader& rd) {
    rd.section(5);
    rd.rec("NDLSET", {NDLSET});
    rd.count(NDLSET, MAXDLS, "NDLSET", "NUMBER OF DISTRIBUTED-LOAD SETS");
    for (int s = 1; s <= NDLSET; ++s) {
        rd.item(0, "SET", s);
        rd.rec("NDLPT", {NDLPT(s)});
        rd.count(NDLPT(s), MAXDLP, "NDLPT", "NUMBER OF POINTS OF THE SET");
        for (int k = 1; k <= NDLPT(s); ++k) {
            rd.item(1, "POINT", k);
            rd.rec("(DLDEP, DLVAL)", {DLDEP(s, k), DLVAL(s, k)});
        }
    }
}

// Section 6: the pile table of the model in use, three records per row.
void read_pile_table(Reader& rd, Places& at) {
    rd.section(6);
    if (NANTYP == 3) {
        rd.rec("NPILE3", {NPILE3});
        rd.count(NPILE3, MAXROW, "NPILE3", "NUMBER OF PILE ROWS");
        for (int r = 1; r <= NPILE3; ++r) {
            rd.item(0, "PILE ROW", r);
            auto& ti = rd.targets();
            add(ti, 1, 10, [r](int k) -> int& { return PGRI3(r, k); });
            rd.rec("RECORD 1 (PGRI3 1-10)", ti);
            at.pile_row(r) = rd.place();
            auto& ta = rd.targets();
            add(ta, 1, 7, [r](int k) -> double& { return PGRA3(r, k); });
            rd.rec("RECORD 2 (PGRA3 1-7)", ta);
            const double m3[4] = {PGRA3(r, 3), PGRA3(r, 4), PGRA3(r, 5), PGRA3(r, 6)};
            check_multipliers(rd, m3, "PGRA3", KGRPRF > 0);
            auto& tb = rd.targets();
            add(tb, 1, 7, [r](int k) -> double& { return PGRB3(r, k); });
            rd.rec("RECORD 3 (PGRB3 1-7)", tb);
            at.pile_geo(r) = rd.place();
            check_axis(rd, std::sin(PGRB3(r, 5) * std::numbers::pi / 180.0), "BETA (PGRB3 5)", PGRB3(r, 5),
                       "AN INCLINATION FROM THE HORIZONTAL ABOVE 0 AND BELOW 180 DEGREES (90 FOR A VERTICAL PILE)");
        }
    } else if (NANTYP == 2) {
        rd.rec("NPILE2", {NPILE2});
        rd.count(NPILE2, MAXROW, "NPILE2", "NUMBER OF PILE ROWS");
        for (int r = 1; r <= NPILE2; ++r) {
            rd.item(0, "PILE ROW", r);
            auto& ti = rd.targets();
            add(ti, 1, 7, [r](int k) -> int& { return PGRI2(r, k); });
            rd.rec("RECORD 1 (PGRI2 1-7)", ti);
            at.pile_row(r) = rd.place();
            auto& ta = rd.targets();
            add(ta, 1, 5, [r](int k) -> double& { return PGRA2(r, k); });
            rd.rec("RECORD 2 (PGRA2 1-5)", ta);
            const double m2[2] = {PGRA2(r, 3), PGRA2(r, 4)};
            check_multipliers(rd, m2, "PGRA2", false);
            auto& tb = rd.targets();
            add(tb, 1, 4, [r](int k) -> double& { return PGRB2(r, k); });
            rd.rec("RECORD 3 (PGRB2 1-4)", tb);
            at.pile_geo(r) = rd.place();
            check_axis(rd, std::cos(PGRB2(r, 3) * std::numbers::pi / 180.0), "THE SLOPE ANGLE (PGRB2 3)",
                       PGRB2(r, 3), "AN ANGLE FROM THE VERTICAL BETWEEN -90 AND 90 DEGREES (0 FOR A VERTICAL PILE)");
        }
    }
}

// Section 7: pile property sets: increments, length and type of the pile,
// and its sections from the head down.
void read_property_sets(Reader& rd, Places& at) {
    rd.section(7);
    rd.rec("NPRSET", {NPRSET});
    rd.count(NPRSET, MAXPRS, "NPRSET", "NUMBER OF PILE PROPERTY SETS");
    for (int p = 1; p <= NPRSET; ++p) {
        rd.item(0, "PROPERTY SET", p);
        int id = 0;
        rd.rec("RECORD 1 (SET NUMBER, NUMBER OF SECTIONS)", {id, PPIN.NSEC(p)});
        rd.count(PPIN.NSEC(p), MAXSEC, "NS", "NUMBER OF SECTIONS");
        rd.rec("RECORD 2 (INCREMENTS, PILE LENGTH, PILE TYPE)", {PPIN.NINCR(p), PPIN.PLEN(p), PPIN.PTYPE(p)});
        rd.within(PPIN.NINCR(p), 1, MAXINC, "NINCR", "NUMBER OF INCREMENTS OF THE PILE");
        rd.positive(PPIN.PLEN(p), "PLEN", "PILE LENGTH");
        for (int s = 1; s <= PPIN.NSEC(p); ++s) {
            rd.item(1, "SECTION", s);
            rd.rec("(TOP DEPTH, BOTTOM DEPTH, CROSS-SECTION NUMBER)",
                   {PPIN.STOP(p, s), PPIN.SBOT(p, s), PPIN.SXS(p, s)});
            if (!(PPIN.STOP(p, s) < PPIN.SBOT(p, s)))
                rd.fail("THE TOP DEPTH " + real_text(PPIN.STOP(p, s)) + " IS NOT ABOVE THE BOTTOM DEPTH " +
                        real_text(PPIN.SBOT(p, s)) + " OF THE SECTION");
            at.pile_sec(p, s) = rd.place();
        }
    }
}

namespace {

// Values of a cross section that the analysis divides by or builds its
// stiffness from, checked on the record that gives them; o = 18 for the
// bottom of a tapered section. A diameter of zero leaves the soil nothing to
// bear on, and a zero area or modulus makes a singular stiffness matrix.
void check_section_diameter(Reader& rd, int k, int o) {
    const std::string name = "XSTAB " + std::to_string(1 + o);
    rd.positive(XSTAB(k, 1 + o), name.c_str(), o == 0 ? "DIAMETER OF THE SECTION" : "DIAMETER AT THE SECTION'S BOTTOM");
}

// An inertia given as 0 is that of the solid circle of the diameter; a
// negative one is a mistake. The plane model does not read Iy.
void check_section_stiffness(Reader& rd, int k, int o) {
    const std::string area = "XSTAB " + std::to_string(10 + o), modulus = "XSTAB " + std::to_string(17 + o);
    rd.positive(XSTAB(k, 10 + o), area.c_str(), "AREA OF THE SECTION");
    rd.positive(XSTAB(k, 17 + o), modulus.c_str(), "YOUNG MODULUS OF THE SECTION");
    for (int f = 11; f <= (NANTYP != 2 ? 12 : 11); ++f) {
        if (!(XSTAB(k, f + o) < 0.0)) continue;
        rd.fail(std::string("THE MOMENT OF INERTIA ") + (f == 11 ? "IZ" : "IY") + " OF THE SECTION (XSTAB " +
                std::to_string(f + o) + ") IS " + real_text(XSTAB(k, f + o)) +
                "; EXPECTED A POSITIVE VALUE, OR 0 FOR THAT OF A SOLID CIRCLE OF THE DIAMETER");
    }
}

void read_elastic_section(Reader& rd, int k) {
    auto& t3 = rd.targets();
    add(t3, 1, 8, [k](int f) -> double& { return XSTAB(k, f); });
    rd.rec("RECORD 3 (XSTAB 1-8)", t3);
    check_section_diameter(rd, k, 0);
    auto& t4 = rd.targets();
    add(t4, 9, 18, [k](int f) -> double& { return XSTAB(k, f); });
    t4.emplace_back(XSTPF(k));
    rd.rec("RECORD 4 (XSTAB 9-18, TAPERED FLAG)", t4);
    check_section_stiffness(rd, k, 0);
    if (XSTPF(k) > 0) {
        auto& t5 = rd.targets();
        add(t5, 19, 26, [k](int f) -> double& { return XSTAB(k, f); });
        rd.rec("RECORD 5 (XSTAB 19-26)", t5);
        check_section_diameter(rd, k, 18);
        auto& t6 = rd.targets();
        add(t6, 27, 36, [k](int f) -> double& { return XSTAB(k, f); });
        rd.rec("RECORD 6 (XSTAB 27-36)", t6);
        check_section_stiffness(rd, k, 18);
    } else {
        for (int f = 1; f <= 18; ++f) XSTAB(k, f + 18) = XSTAB(k, f);
    }
    rd.rec("RECORD 7 (ELASTIC EXTRA RECORD: I, I, R, I, I)",
           {XSEXI(k, 1), XSEXI(k, 2), XSTAB(k, 37), XSEXI(k, 3), XSEXI(k, 4)});
    rd.rec("RECORD 8 (SECOND NAME)", {XSNAM2(k).span()});
}

void read_nonlinear_section(Reader& rd, int k, Places& at) {
    // Record 3 gives the top values; the section is not tapered.
    static const int top_fields[8] = {1, 10, 11, 12, 14, 15, 16, 17};
    auto& t3 = rd.targets();
    for (int f : top_fields) t3.emplace_back(XSTAB(k, f));
    rd.rec("RECORD 3 (XSTAB 1, 10-12, 14-17)", t3);
    check_section_diameter(rd, k, 0);
    check_section_stiffness(rd, k, 0);
    for (int f : top_fields) XSTAB(k, f + 18) = XSTAB(k, f);

    auto& t4 = rd.targets();
    t4.emplace_back(XSNLI(k, 0));
    add(t4, 1, 10, [k](int f) -> double& { return XSNLR(k, f); });
    rd.rec("RECORD 4 (XSNLI 0, XSNLR 1-10)", t4);

    auto& t5 = rd.targets();
    add(t5, 11, 16, [k](int f) -> double& { return XSNLR(k, f); });
    add(t5, 1, 4, [k](int f) -> int& { return XSNLI(k, f); });
    rd.rec("RECORD 5 (XSNLR 11-16, XSNLI 1-4)", t5);

    rd.rec("RECORD 6 (XSNAM3)", {XSNAM3(k).span()});

    auto& t7 = rd.targets();
    add(t7, 5, 9, [k](int f) -> int& { return XSNLI(k, f); });
    add(t7, 17, 21, [k](int f) -> double& { return XSNLR(k, f); });
    t7.emplace_back(XSNLI(k, 10));
    rd.rec("RECORD 7 (XSNLI 5-9, XSNLR 17-21, XSNLI 10)", t7);
    rd.count(XSNLI(k, 9), MAXXSR, "XSNLI FIELD 9", "NUMBER OF ROWS OF THE FIRST LIST");

    auto& t8 = rd.targets();
    add(t8, 11, 16, [k](int f) -> int& { return XSNLI(k, f); });
    add(t8, 22, 25, [k](int f) -> double& { return XSNLR(k, f); });
    rd.rec("RECORD 8 (XSNLI 11-16, XSNLR 22-25)", t8);

    for (int r = 1; r <= XSNLI(k, 9); ++r) {
        rd.item(1, "XSBAR ROW", r);
        rd.rec("(XSBAR, TWO VALUES)", {XSBAR(k, r, 1), XSBAR(k, r, 2)});
    }
    rd.item(0, "CROSS SECTION", k);

    auto& t9 = rd.targets();
    add(t9, 17, 21, [k](int f) -> int& { return XSNLI(k, f); });
    add(t9, 26, 30, [k](int f) -> double& { return XSNLR(k, f); });
    rd.rec("(XSNLI 17-21, XSNLR 26-30)", t9);
    rd.count(XSNLI(k, 21), MAXXSR, "XSNLI FIELD 21", "NUMBER OF ROWS OF THE SECOND LIST");
    for (int r = 1; r <= XSNLI(k, 21); ++r) {
        rd.item(1, "XSSTR ROW", r);
        rd.rec("(XSSTR, TWO VALUES)", {XSSTR(k, r, 1), XSSTR(k, r, 2)});
    }
    rd.item(0, "CROSS SECTION", k);

    rd.rec("(XSNLI 22-24, XSNLR 31-32)",
           {XSNLI(k, 22), XSNLI(k, 23), XSNLI(k, 24), XSNLR(k, 31), XSNLR(k, 32)});
    rd.count(XSNLI(k, 22), MAXXSR, "XSNLI FIELD 22", "NUMBER OF VALUES OF THE THIRD LIST");
    for (int r = 1; r <= XSNLI(k, 22); ++r) {
        rd.item(1, "XSNLP VALUE", r);
        rd.rec("(XSNLP, ONE VALUE)", {XSNLP(k, r)});
    }
    rd.item(0, "CROSS SECTION", k);

    auto& tl = rd.targets();
    add(tl, 25, 32, [k](int f) -> int& { return XSNLI(k, f); });
    add(tl, 33, 35, [k](int f) -> double& { return XSNLR(k, f); });
    rd.rec("LAST RECORD (XSNLI 25-32, XSNLR 33-35)", tl);
    at.xs_last(k) = rd.place();
}

}  // namespace

// Section 8: cross sections, elastic or nonlinear. Fields that a section's
// records do not give read as zero.
void read_cross_sections(Reader& rd, Places& at) {
    rd.section(8);
    rd.rec("NSECT", {NSECT});
    rd.count(NSECT, MAXXS, "NSECT", "NUMBER OF CROSS SECTIONS");
    at.nsect = rd.place();
    for (int k = 1; k <= NSECT; ++k) {
        for (int f = 1; f <= 37; ++f) XSTAB(k, f) = 0.0;
        for (int f = 1; f <= 32; ++f) XSNLR(k, f) = 0.0;
        for (int r = 1; r <= MAXXSR; ++r) {
            XSBAR(k, r, 1) = XSBAR(k, r, 2) = 0.0;
            XSSTR(k, r, 1) = XSSTR(k, r, 2) = 0.0;
            XSNLP(k, r) = 0.0;
        }
    }
    for (int k = 1; k <= NSECT; ++k) {
        rd.item(0, "CROSS SECTION", k);
        int id = 0;
        rd.rec("RECORD 1 (IDENTIFICATION, IDENTIFICATION, KIND, NONLINEAR FLAG)", {id, id, XSKIND(k), XSNLF(k)});
        rd.rec("RECORD 2 (NAME)", {XSNAME(k).span()});
        if (XSNLF(k) == 0) read_elastic_section(rd, k);
        else read_nonlinear_section(rd, k, at);
    }
}

}  // namespace zolan::input
