// The slab program's driver: the deck read and checked, then load steps from
// TINI to TEND, each solved by equilibrium iterations (element stiffness and
// internal forces, loads, frontal solution, convergence of the increment
// against the step's accumulated increment), a failed step retried with half
// the increment down to DTMIN; the results of every converged step and the
// final pile responses.
#include <cmath>
#include <cstdio>

#include "flexcap/slab_analysis.h"
#include "flexcap/slab_program.h"
#include "flexcap/slab_report.h"
#include "model/run_state.h"
#include "model/status_codes.h"
#include "report/fortran_format.h"
#include "report/run_files.h"
#include "report/stop_request.h"

namespace zolan {

namespace {

// The progress message of a slab iteration.
const fmt::Format F_PRG_SLAB(R"f((" FLEXIBLE CAP, SLAB STEP:",I5," TCUR:",F10.4," ITERATION:",I5,/))f");

}  // namespace

bool slab_stop(int& ISTAT) {
    const SlabControl& c = FCCTRL;
    if (!STOPPOLL(F_PRG_SLAB, {c.ISTEP, c.TTIME, c.ITER + 1})) return false;
    if (ISTAT == ISOK) ISTAT = ISSTOP;
    return true;
}

namespace {

// A line of the slab's trace on the run log (never on the process's own
// streams: the engine runs inside its caller's process).
void console(const fmt::Format& f, std::initializer_list<fmt::Item> items) {
    io::write_fmt(RUNFILE, f, items);
    io::flush_unit(RUNFILE);
}

long nodal_size() { return static_cast<long>(FCCTRL.NDOFN) * FCCTRL.NPOIN; }

// Next time after a converged step at t: the end time when the increment
// would pass it from below (or falls within a rounding of it), so that the
// stepping ends exactly at TEND and 0.1 steps over 0..1 make ten steps. The
// step at TEND itself is the last: the test is on t, since (TEND + dt) - dt
// may round below TEND and would repeat that step without end.
double next_time(double t, double dt, double tend) {
    const double next = t + dt;
    if (t >= tend) return next;
    if (std::fabs(next - tend) <= 1e-9 * dt) return tend;
    if (next > tend) return tend;
    return next;
}

// Increments of the prescribed values: the total prescribed value minus the
// current displacement, so that an iteration never adds a prescribed value
// again on top of what earlier iterations reached.
void prescribed_increments(RTab& FXINC) {
    for (int r = 1; r <= FCCTRL.NVFIX; ++r) {
        const int n = FCTAB.IFXND(r);
        for (int i = 1; i <= FCCTRL.NDOFN; ++i) {
            const double cur = n >= 1 && n <= FCCTRL.NPOIN ? FCTAB.ASDIS(i, n) + FCTAB.TSDIS(i, n) : 0.0;
            FXINC(i, r) = FCTAB.FXVAL(i, r) - cur;
        }
    }
}

void trace_nodes(const char* title, RTab& v, RTab* plus) {
    io::write_list(FCTRFILE, {title});
    for (int n = 1; n <= FCCTRL.NPOIN; ++n) {
        double d[6];
        for (int i = 0; i < 6; ++i) d[i] = v(i + 1, n) + (plus ? (*plus)(i + 1, n) : 0.0);
        io::write_fmt(FCTRFILE, "(I5,7E13.5)", {n, d[0], d[1], d[2], d[3], d[4], d[5]});
    }
}

// One equilibrium iteration; converged tells whether the attempt is done,
// failed that the step cannot go on (a pile that did not close: its forces
// are not an answer, so the step is tried again at half the increment).
void iterate(RTab& FXINC, bool& converged, bool& failed, int& ISTAT) {
    SlabControl& c = FCCTRL;
    SlabTables& t = FCTAB;
    const long nv = nodal_size();
    // 1-4. Element matrices and internal forces, then the loads.
    t.ELLOD.fill(0);
    FCVSET(t.DSDIS, nv, 0.0);
    FCSTIF(ISTAT);
    if (ISTAT != 0) return;
    if (c.KPLERR != 0) {
        console(R"(("NO CONVERGENCE ON PILES"))", {});
        for (int u : {FCLGFILE, FCTRFILE}) io::write_fmt(u, R"(("NO CONVERGENCE ON PILES"))");
        failed = true;
        return;
    }
    io::write_list(FCTRFILE, {"ITER = ", c.ITER, c.ISTEP});
    FCLOAD(ISTAT);
    if (ISTAT != 0) return;
    // 5. Size of the out-of-balance load. Numbers that are no longer finite
    //    (a diverging iteration) end the slab analysis before any is written.
    double RHS = 0, RRHS = 0;
    FCVSET(t.REACT, nv, 0.0);
    FCASSM(t.ELLOD, t.REACT, t.ICONN);
    FCNORM(t.REACT, RHS, RRHS, nv);
    if (!std::isfinite(RHS) || !std::isfinite(RRHS)) return slab_diverged("THE OUT-OF-BALANCE LOAD", ISTAT);
    // 6-8. Increment of the iteration.
    FCVSET(t.REACT, nv, 0.0);
    prescribed_increments(FXINC);
    FCSOLV(FXINC, t.DSDIS, t.ELLOD, t.IFXND, t.REACT, t.ELSTF, t.IFXCD, t.ICONN, ISTAT);
    if (ISTAT != 0) return;
    double D = 0, R = 0, U = 0, RU = 0;
    FCNORM(t.DSDIS, D, R, nv);
    if (!std::isfinite(D) || !std::isfinite(R)) return slab_diverged("THE DISPLACEMENT INCREMENT", ISTAT);
    trace_nodes("DSDIS", t.DSDIS, nullptr);
    FCVADD(t.TSDIS, t.DSDIS, nv);
    FCNORM(t.TSDIS, U, RU, nv);
    if (!std::isfinite(U) || !std::isfinite(RU)) return slab_diverged("THE DISPLACEMENT", ISTAT);
    trace_nodes("TSDIS", t.TSDIS, nullptr);
    trace_nodes("ASDIS + TSDIS", t.ASDIS, &t.TSDIS);
    // 9-11. Errors of the increment against the step's increment.
    ++c.ITER;
    const double ERR1 = U == 0 ? D : D / U, ERR2 = RU == 0 ? R : R / RU;
    if (!std::isfinite(ERR1) || !std::isfinite(ERR2)) return slab_diverged("THE RATIO OF THE INCREMENT", ISTAT);
    console(R"(("ITER =",I5," ERR1 =",E11.4," ERR2 = ",E11.4))", {c.ITER, ERR1, ERR2});
    for (int u : {FCLGFILE, FCTRFILE})
        io::write_fmt(u,
                      R"(("ITER =",I5," ERR1 =",E11.4," D = ",E11.4," U =",E11.4," RHS = ",E11.4,/,"      ",5X," ERR2 =",E11.4," R = ",E11.4," RU=",E11.4," RRHS= ",E11.4))",
                      {c.ITER, ERR1, D, U, RHS, ERR2, R, RU, RRHS});
    // 12. At least two iterations; both parts converged.
    const bool trans = ERR1 <= c.TOLER || D <= 1e-10 || U <= 1e-10 || RHS <= 1e-10;
    const bool rot = ERR2 <= c.TOLER || R <= 1e-10 || RU <= 1e-10 || RRHS <= 1e-10;
    converged = c.ITER > 1 && trans && rot;
}

// One step attempt at TTIME: true when it converged. Each iteration writes
// its progress message and reads the stop request (status 4 on a stop).
bool step_attempt(RTab& FXINC, int& ISTAT) {
    SlabControl& c = FCCTRL;
    console(R"((/,"STEP ",I5,"   TCUR   =",F10.4,"  DT = ",F10.4))", {c.ISTEP, c.TTIME, c.DTIME});
    for (int u : {FCLGFILE, FCTRFILE})
        io::write_fmt(u, R"((/,"STEP ",I5,"   TCUR   =",F10.4,"  DT = ",F10.4))", {c.ISTEP, c.TTIME, c.DTIME});
    c.ITER = 0;
    FCVSET(FCTAB.TSDIS, nodal_size(), 0.0);
    for (;;) {
        bool converged = false, failed = false;
        if (slab_stop(ISTAT)) return false;
        iterate(FXINC, converged, failed, ISTAT);
        if (ISTAT != 0 || failed) return false;
        if (converged) return true;
        if (c.ITER > 1 && c.ITER > c.MAXITER) return false;
    }
}

// The load steps; false after the increment error.
bool stepping(int& ISTAT) {
    SlabControl& c = FCCTRL;
    RTab FXINC;
    FXINC.allocate(static_cast<std::size_t>(c.NDOFN), static_cast<std::size_t>(c.NVFIX > 0 ? c.NVFIX : 0));
    while (c.TTIME <= c.TEND) {
        if (step_attempt(FXINC, ISTAT)) {
            FCVADD(FCTAB.ASDIS, FCTAB.TSDIS, nodal_size());
            FCNODO();
            FCSTRS();
            c.TCONV = c.TTIME;
            c.TTIME = next_time(c.TTIME, c.DTIME, c.TEND);
            ++c.ISTEP;
            continue;
        }
        if (ISTAT != 0) return true;
        c.DTIME /= 2;
        if (c.DTIME < c.DTMIN) {
            console(R"(("error, REQUIRED INCREMENT LESS THAN MINIMUM SPECIFIED"))", {});
            io::write_fmt(FCLGFILE, R"(("error, REQUIRED INCREMENT LESS THAN MINIMUM SPECIFIED"))");
            return false;
        }
        c.TTIME -= c.DTIME;
    }
    return true;
}

// Time increments that are not positive would never end the stepping.
bool stepping_controls_usable(int& ISTAT) {
    const SlabControl& c = FCCTRL;
    if (c.DT > 0 && c.DTMIN > 0) return true;
    for (int u : {FCLSFILE, FCLGFILE})
        io::write_fmt(u, R"((/,/," THE TIME STEP DT AND THE MINIMUM STEP DTMIN MUST BE POSITIVE:",2E13.5))", {c.DT, c.DTMIN});
    slab_fatal(ISTAT);
    return false;
}

// A load, stiffness or pile point in no element of the mesh would be lost
// without a trace: the analysis stops with the point named.
bool points_in_mesh(int& ISTAT) {
    const SlabControl& c = FCCTRL;
    const struct { int n; ITab& el; const char* what; } sets[] = {
        {c.NCLOD, FCTAB.ICLEL, "CONCENTRATED LOAD"},
        {c.NCSTI, FCTAB.ICSEL, "CONCENTRATED STIFFNESS"},
        {c.KPSPR > 0 ? c.NCTSTI : 0, FCTAB.ICTEL, "PILE POINT"},
    };
    for (const auto& s : sets)
        for (int i = 1; i <= s.n; ++i) {
            if (s.el(i) > 0) continue;
            for (int u : {FCLSFILE, FCLGFILE})
                io::write_fmt(u, R"((/,/," ",A,I5," LIES IN NO ELEMENT OF THE SLAB MESH"))", {s.what, i});
            FAILTXT.push_back("    SLAB ANALYSIS: " + std::string(s.what) + " " + std::to_string(i) +
                              " LIES IN NO ELEMENT OF THE SLAB MESH");
            slab_fatal(ISTAT);
            return false;
        }
    return true;
}

}  // namespace

void FCSLAB(const SlabFiles& f, int& ISTAT) {
    SlabControl& c = FCCTRL;
    // 1-3. Files, header, tables, deck.
    std::string why;
    FCHEAD(f.deck, f.listing, f.log, ISTAT);
    if (ISTAT == ISOK && !f.results.empty() && !io::open_unit(FCRSFILE, f.results, {}, &why)) {
        FAILTXT.push_back("    " + why);
        ISTAT = ISFILE;
    }
    if (ISTAT == ISOK && !io::unit_open(FCTRFILE) &&
        (!scratch_name_free(FCTRNAME, &why) || !io::open_unit(FCTRFILE, FCTRNAME, {}, &why))) {
        FAILTXT.push_back("    " + why);
        ISTAT = ISFILE;
    }
    if (ISTAT == ISOK) FCREAD(ISTAT);
    io::close_unit(FCDKFILE);
    // 4. Start of the stepping.
    if (ISTAT == ISOK && points_in_mesh(ISTAT) && stepping_controls_usable(ISTAT)) {
        c.TOLER = 1.0E-4;
        c.TTIME = c.TINI + c.DT;
        if (std::fabs(c.TTIME - c.TEND) <= 1e-9 * c.DT) c.TTIME = c.TEND;
        c.DTIME = c.DT;
        c.ISTEP = 1;
        c.ISCASE = c.NCASE;
        c.TCONV = c.TINI;
        c.KPLERR = 0;
        for (RTab* v : {&FCTAB.DSDIS, &FCTAB.ASDIS, &FCTAB.TSDIS}) FCVSET(*v, nodal_size(), 0.0);
        const bool reached = stepping(ISTAT);
        // End: final pile responses after a converged step, end of results.
        // Their answer (at the converged step) does not replace the piles'
        // answer of the attempt that failed.
        const int pile_failure = c.KPLERR;
        if (ISTAT == ISOK && c.ISTEP > 1) FCSPRG();
        if (ISTAT == ISOK && STOPSEEN()) ISTAT = ISSTOP;  // read inside the final pile responses
        if (ISTAT == ISOK) io::write_line(FCRSFILE, "END_STEP_DATA");
        if (ISTAT == ISOK) SLABKEEP(reached, pile_failure);
        if (ISTAT == ISOK && !reached) {
            FAILTXT.push_back("    SLAB ANALYSIS: REQUIRED INCREMENT LESS THAN MINIMUM SPECIFIED");
            if (pile_failure != 0) FAILTXT.push_back("    SLAB ANALYSIS: NO CONVERGENCE ON PILES");
            ISTAT = ISSLAB;
        }
    }
    io::flush_unit(FCTRFILE);
    FCRELEASE();
}

}  // namespace zolan
