// Results and envelope writers of the three-dimensional and the plane model.
#include "results/envelope_writer.h"

#include <omp.h>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "model/analysis_outcomes.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/status_codes.h"
#include "report/field_writers.h"
#include "report/fortran_format.h"
#include "report/run_files.h"
#include "report/stop_request.h"
#include "report/unit_labels.h"
#include "results/effects_table.h"
#include "results/pile_extremes.h"
#include "results/pile_top_summary.h"
#include "results/pile_top_summary_plane.h"
#include "results/results_services.h"
#include "results/work_file.h"

namespace zolan {
namespace {

// Envelope headings (the texts come as items).
const fmt::Format F_ENV_REP(R"((/, /, /, 5X, A, A, /, 5X, A, A))");
const fmt::Format F_ENV_PLOT(R"((A, A))");
const fmt::Format F_ENV_STAT(R"((A, A, /, 6X, A))");
const fmt::Format F_ENV_DONE(R"(("    1 CALCULATED AND PRINTED"))");
const fmt::Format F_ENV_NONE(R"((/, 5X, "NOTE: NO ANALYSIS WAS SOLVED, NO ", A))");
// A partial solution in the envelope: the analysis and the load it reached.
const fmt::Format F_ENV_PARTIAL(R"((5X, "NOTE: INCLUDES A PARTIAL SOLUTION: ", A, " ", A, ", AT ", F8.2, " % OF ITS LOAD"))");
// An analysis without a solution is not in the envelope: it and its status line.
const fmt::Format F_ENV_EXCLUDED(R"((5X, "NOTE: EXCLUDES ", A, ": ", A))");

// Cap tables.
const fmt::Format F_TABLE_L(R"((/, /, /, 5X, "* TABLE L *   COMPUTATION ON PILE CAP"))");
const fmt::Format F_CAP_LOAD(R"((/, /, 5X, "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *"))");
const fmt::Format F_CAP_DISP(R"((/, /, 5X, "* DISPLACEMENT OF GROUPED PILE ", "FOUNDATION AT ORIGIN *"))");
const fmt::Format F_LOAD3_A(R"((/, /, 11X, "VERT. LOAD,", A4, 4X, "HOR. LOAD Y,", A4, 3X, "HOR. LOAD Z,", A4))");
const fmt::Format F_LOAD3_B(R"((/, 10X, "MOMENT X ,", A2, A1, A3, 4X, "MOMENT Y,", A2, A1, A3, 4X, "MOMENT Z,", A2, A1, A3))");
const fmt::Format F_DISP3_A(R"((/, /, 10X, "  VERTICAL ,", A2, 6X, "HORIZONTAL Y,", A2, 5X, "HORIZONTAL Z,", A2))");
const fmt::Format F_DISP3_B(R"((/, 10X, "ANGLE ROT. X,", A3, 4X, "ANGLE ROT. Y,", A3, 4X, "ANGLE ROT. Z,", A3))");
const fmt::Format F_LOAD2(R"((/, 13X, "VERT. LOAD,", A4, 4X, "HORI. LOAD,", A4, 4X, "MOMENT,", A2, A1, A3))");
const fmt::Format F_DISP2(R"((/, 16X, "VERTICAL,", A2, 6X, "HORIZONTAL,", A2, 4X, "ROTATION,", A3))");
const fmt::Format F_TABLE_M(R"((/, /, /, 5X, "* TABLE M *   COMPUTATION ON INDIVIDUAL PILE"))");
const fmt::Format F_TABLE_M_SCR(R"((/, 5X, "* TABLE M *   COMPUTATION ON INDIVIDUAL PILE"))");
const fmt::Format F_PLOT_L(R"((5X, "* TABLE L *   COMPUTATION ON PILE CAP"))");
const fmt::Format F_PLOT_LOAD(R"(("* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *"))");
const fmt::Format F_PLOT_DISP(R"(("* DISPLACEMENT OF PILE CAP AT ORIGIN *"))");
const fmt::Format F_PLOT_M(R"(("* TABLE M *   COMPUTATION ON INDIVIDUAL PILE"))");

// Plot-data block of a pile.
const fmt::Format F_PLOT_PILE(R"(("* PILE GROUP *", I6))");
const fmt::Format F_PLOT_GLOBAL(R"((7X, "* PILE TOP DISP. AND REACT. GLOBAL"))");
const fmt::Format F_PLOT_LOCAL(R"((7X, "* PILE TOP DISP. AND REACT. LOCAL"))");
const fmt::Format F_PLOT_EFF(R"((8X, "* EFFECTS FOR LATERALLY LOADED PILE *   "))");

// Pile page.
const fmt::Format F_PAGE_PILE(R"((/, /, 7X, "* PILE GROUP *", I6))");
const fmt::Format F_PAGE_TOP(R"((/, /, 8X, "* PILE TOP DISPLACEMENTS AND REACTIONS *", /))");
const fmt::Format F_PAGE_GLOBAL(R"((/, 7X, "THE GLOBAL STRUCTURAL COORDINATE SYSTEM", /, 7X,)"
                                R"("---------------------------------------", /))");
const fmt::Format F_PAGE_LOCAL(R"f((/, /, 7X, "THE PILE COORDINATE SYSTEM (LOCAL AXES)", /, 7X,)f"
                               R"("---------------------------------------", /))");
const fmt::Format F_PAGE3_DG(R"((/, 5X, " DISP. X,", A2, 3X, "DISP. Y,", A2, 3X, "DISP. Z,", A2, 3X, "ROT. X,", A3,)"
                             R"( 3X, "ROT. Y,", A3, 3X, "ROT. Z,", A3, 2X))");
const fmt::Format F_PAGE3_RG(R"((/, 5X, " FOR. X,", A3, 3X, "FOR. Y,", A3, 3X, "FOR. Z,", A3, 2X, "MOM X,", A3, A1,)"
                             R"( A2, 1X, "MOM Y,", A3, A1, A2, 1X, "MOM Z,", A3, A1, A2))");
const fmt::Format F_PAGE3_DL(R"((/, 5X, " DISP. x,", A2, 3X, "DISP. y,", A2, 3X, "DISP. z,", A2, 3X, "ROT. x,", A3,)"
                             R"( 3X, "ROT. y,", A3, 3X, "ROT. z,", A3, 2X))");
const fmt::Format F_PAGE3_RL(R"((/, 5X, "  AXIAL,", A3, 3X, "LAT. y,", A3, 3X, "LAT. z,", A3, 2X, "MOM x,", A3, A1,)"
                             R"( A2, 1X, "MOM y,", A3, A1, A2, 1X, "MOM z,", A3, A1, A2))");
const fmt::Format F_PAGE3_STR(R"((/, 5X, "STR,", A3, A1, A2, A2, A1))");
const fmt::Format F_PAGE2_G(R"((8X, "DISP.X,", A2, 3X, "DISP.Y,", A2, 5X, "SLOPE", 5X, "FOR.X,", A3, 3X, "FOR.Y,", A3,)"
                            R"( 3X, "BM,", A3, A1, A2, 3X, "STRESS,", A3, A1, A2, A2, A1, /))");
const fmt::Format F_PAGE2_L(R"((8X, "DISP.x,", A2, 3X, "DISP.y,", A2, 5X, "SLOPE", 5X, "AXIAL,", A3, 4X, "LAT,", A3,)"
                            R"( 4X, "BM,", A3, A1, A2, 3X, "STRESS,", A3, A1, A2, A2, A1, /))");
const fmt::Format F_PAGE_EFF(R"((/, /, 8X, "* EFFECTS FOR LATERALLY LOADED PILE *   ", /))");

// The unit labels of the headings, in the order of their A fields.
std::vector<fmt::Item> labels_disp3() {
    return {ULEN2.view(), ULEN2.view(), ULEN2.view(), URAD.view(), URAD.view(), URAD.view()};
}
std::vector<fmt::Item> labels_reac3() {
    std::vector<fmt::Item> v = {UFOR3.view(), UFOR3.view(), UFOR3.view()};
    for (int m = 0; m < 3; ++m) v.insert(v.end(), {UFOR3.view(), UDASH.view(), ULEN2.view()});
    return v;
}
std::vector<fmt::Item> labels_stress() {
    return {UFOR3.view(), USLASH.view(), ULEN2.view(), UPOW.view(), UEXP2.view()};
}
std::vector<fmt::Item> labels_page2() {
    std::vector<fmt::Item> v = {ULEN2.view(), ULEN2.view(), UFOR3.view(), UFOR3.view(),
                                UFOR3.view(), UDASH.view(), ULEN2.view()};
    for (const fmt::Item& i : labels_stress()) v.push_back(i);
    return v;
}

// Values written by WRREAL in w columns with d digits, each followed by gap
// blanks, on the unit's open line.
void fields(int unit, int w, int d, int gap, std::initializer_list<double> v) {
    for (double x : v) {
        WRREAL(unit, w, d, x);
        if (gap > 0) WRBLNK(unit, gap);
    }
}

// The values of one pile gathered before its output region.
struct PileOutput {
    int p = 0, last = 4, curve = 0;
    double h = 0.0;
    PTOPREC top;
    EFFREC rec;
};

void gather(int p, const RESBLK& set, PileOutput& o) {
    o.p = p;
    // A row without a property set has no nodes to print.
    const int t = IPROP(p);
    const bool has_set = t >= 1 && t <= MAXPSA;
    o.last = has_set ? std::clamp(NINCR(t), 0, MAXINC) + 4 : 3;
    o.h = has_set ? HINCR(t) : 0.0;
    o.curve = ILSCRV(p);
    for (int s = 1; s <= NPTQ; ++s) o.top(s) = set.top(p, s);
    for (int q = 1; q <= MAXNQ; ++q)
        for (int r = 1; r <= MAXNOD; ++r) o.rec(r, q) = r >= 4 && r <= o.last ? set.eff(p, r, q) : 0.0;
}

// Plot-data row of the pile top: displacements, reactions, the stress.
void plot_top_row(const PTOPREC& t, bool plane, bool local) {
    const int d = local ? 13 : 0;
    WRBLNK(PLOTDATA, 5);
    if (plane) {
        fields(PLOTDATA, 15, 8, 2, {t(d + 1), t(d + 2), t(d + 3)});
        WRBLNK(PLOTDATA, 5);
        fields(PLOTDATA, 15, 8, 2, {t(d + 4), t(d + 5), t(d + 6)});
        fields(PLOTDATA, 15, 8, 0, {t(7)});
    } else {
        fields(PLOTDATA, 15, 8, 2, {t(d + 1), t(d + 2), t(d + 3), t(d + 4), t(d + 5), t(d + 6)});
        WRBLNK(PLOTDATA, 5);
        const int r = local ? 20 : 7;
        fields(PLOTDATA, 15, 8, 2, {t(r), t(r + 1), t(r + 2), t(r + 3), t(r + 4), t(r + 5)});
        fields(PLOTDATA, 15, 8, 0, {t(13)});
    }
    WREOL(PLOTDATA);
}

// Section 0: the plot-data block of the pile.
void plot_section(const PileOutput& o, bool plane) {
    io::write_fmt(PLOTDATA, F_PLOT_PILE, {o.p});
    io::write_fmt(PLOTDATA, F_PLOT_GLOBAL);
    plot_top_row(o.top, plane, false);
    io::write_fmt(PLOTDATA, F_PLOT_LOCAL);
    plot_top_row(o.top, plane, true);
    io::write_fmt(PLOTDATA, F_PLOT_EFF);
    EFFPLT(o.last, o.curve, KAXVAR, ICOMB, NANTYP, o.h, o.rec);
}

// Pile page of the three-dimensional model: global, then local values.
void page_3d(const PTOPREC& t) {
    const std::vector<fmt::Item> disp = labels_disp3(), reac = labels_reac3(), str = labels_stress();
    io::write_fmt(RESFILE, F_PAGE_GLOBAL);
    for (const bool local : {false, true}) {
        if (local) io::write_fmt(RESFILE, F_PAGE_LOCAL);
        const int d = local ? 13 : 0, r = local ? 20 : 7;
        io::write_fmt(RESFILE, local ? F_PAGE3_DL : F_PAGE3_DG, disp);
        WRBLNK(RESFILE, 3);
        fields(RESFILE, 13, 4, 0, {t(d + 1), t(d + 2), t(d + 3), t(d + 4), t(d + 5), t(d + 6)});
        WREOL(RESFILE);
        io::write_fmt(RESFILE, local ? F_PAGE3_RL : F_PAGE3_RG, reac);
        WRBLNK(RESFILE, 3);
        fields(RESFILE, 13, 4, 0, {t(r), t(r + 1), t(r + 2), t(r + 3), t(r + 4), t(r + 5)});
        WREOL(RESFILE);
        io::write_fmt(RESFILE, F_PAGE3_STR, str);
        WRBLNK(RESFILE, 3);
        fields(RESFILE, 13, 4, 0, {t(13)});
        WREOL(RESFILE);
    }
}

// Pile page of the plane model: one row of seven values per system.
void page_2d(const PTOPREC& t) {
    const std::vector<fmt::Item> labels = labels_page2();
    io::write_fmt(RESFILE, F_PAGE_GLOBAL);
    for (const bool local : {false, true}) {
        if (local) io::write_fmt(RESFILE, F_PAGE_LOCAL);
        const int d = local ? 13 : 0, r = local ? 17 : 4;
        io::write_fmt(RESFILE, local ? F_PAGE2_L : F_PAGE2_G, labels);
        WRBLNK(RESFILE, 6);
        fields(RESFILE, 12, 4, 0, {t(d + 1), t(d + 2), t(d + 3), t(r), t(r + 1), t(r + 2)});
        WRBLNK(RESFILE, 4);
        fields(RESFILE, 12, 4, 0, {t(7)});
        WREOL(RESFILE);
    }
}

// Print switches of section 1 by kind: page, along-pile table, node increment.
struct PageSwitches {
    bool page, table;
    int ninc;
};
PageSwitches page_switches(int kind) {
    if (kind == 0) return {KPRCUR > 0, KPRCUR > 0, NPRCUR};
    if (kind == 1) return {KPRTEC > 0, KPRTEC > 0, NPRTEC};
    return {KPRTEB > 0, KPRTEB > 1, NPRTEB};
}

// Section 1: the work-file records, the pile page and its along-pile table.
void page_section(const PileOutput& o, bool plane, int kind) {
    if (plane) write_top_records_2d(o.p, o.top);
    else write_top_records_3d(o.p, o.top);
    const PageSwitches sw = page_switches(kind);
    if (sw.page) {
        io::write_fmt(RESFILE, F_PAGE_PILE, {o.p});
        io::write_fmt(RESFILE, F_PAGE_TOP);
        if (plane) page_2d(o.top);
        else page_3d(o.top);
    }
    if (sw.table) {
        io::write_fmt(RESFILE, F_PAGE_EFF);
        const QSEL qsel = EFFSEL(kind != 0, o.curve, KAXVAR, NANTYP);
        EFFHDR(0, qsel);
        EFFTAB(qsel, o.last, sw.ninc, o.h, o.rec);
    }
    EFFEXT(o.p, o.last, o.h, o.rec);
}

// A section that failed: what it was writing and why.
struct SectionFault {
    bool set = false;
    std::string what;
};
template <class Body>
void guarded(SectionFault& f, Body&& body) noexcept {
    try {
        body();
    } catch (const std::exception& e) {
        f.set = true;
        try { f.what = e.what(); } catch (...) {}
    } catch (...) {
        f.set = true;
    }
}

// One pile's output region: section 0 the plot-data file, section 1 the
// work file and the results report, on at most two threads. Nothing thrown
// leaves the region; a fault is reported after it.
void pile_region(const PileOutput& o, bool plane, int kind, int nthr) {
    SectionFault f0, f1;
#pragma omp parallel sections num_threads(nthr)
    {
#pragma omp section
        guarded(f0, [&] { plot_section(o, plane); });
#pragma omp section
        guarded(f1, [&] { page_section(o, plane, kind); });
    }
    for (const SectionFault* f : {&f0, &f1}) {
        if (!f->set) continue;
        results_failure(ISINTERN, "    the results of pile row " + std::to_string(o.p) +
                                      " could not be written" + (f->what.empty() ? "" : ": " + f->what));
    }
}

// Each analysis of the series that entered the envelope with only part of
// its load, and each that ended without a solution and so is missing from
// it, named under the envelope heading. Points of an estimation are not
// envelope analyses.
void incomplete_notes(bool comb) {
    for (int k = 1; k <= NINCANL; ++k) {
        const IncompleteAnalysis& a = INCANL(k);
        if (!whole_analysis(a) || (a.comb != 0) != comb) continue;
        const std::string label = incomplete_label(a), name = incomplete_name(a);
        if (a.code == 2) {
            for (const int u : {RESFILE, SUMFILE}) io::write_fmt(u, F_ENV_PARTIAL, {label, name, 100.0 * a.tconv});
            continue;
        }
        std::string line = status_line(a.code, a.tconv);
        line.erase(0, line.find_first_not_of(' '));
        line.erase(line.find_last_not_of(' ') + 1);
        const std::string who = name.empty() ? label : label + " " + name;
        for (const int u : {RESFILE, SUMFILE}) io::write_fmt(u, F_ENV_EXCLUDED, {who, line});
    }
}

// Envelope heading, cap tables and table M heading (envelopes only).
void envelope_head(int kind, int side, bool plane) {
    const bool comb = kind != 1, max = side != 1;
    const char* env = comb ? "LOAD COMB. ENV : " : "LOAD CASE ENV : ";
    const char* name = comb ? "COMB. NAME     : " : "CASE NAME     : ";
    const char* num = max ? "2" : "1";
    const char* text = max ? "MAXIMUM ENVELOPE" : "MINIMUM ENVELOPE";
    for (const int u : {RESFILE, SUMFILE}) io::write_fmt(u, F_ENV_REP, {env, num, name, text});
    incomplete_notes(comb);
    io::write_fmt(PLOTDATA, F_ENV_PLOT, {env, num});
    io::write_fmt(STATFILE, F_ENV_STAT, {env, num, text});
    io::write_fmt(STATFILE, F_ENV_DONE);
    const RESBLK& set = max ? ENVMAX : ENVMIN;
    const CAPVEC &P = set.capload, &U = set.capdisp;
    for (const int u : {RESFILE, SUMFILE}) {
        const bool sum = u == SUMFILE && !plane;
        const int lead = sum ? 5 : 8, w = sum ? 19 : 18, d = sum ? 4 : 5;
        auto row = [&](std::initializer_list<double> v) {
            WRBLNK(u, lead);
            fields(u, w, d, 0, v);
            WREOL(u);
        };
        io::write_fmt(u, F_TABLE_L);
        io::write_fmt(u, F_CAP_LOAD);
        if (plane) {
            io::write_fmt(u, F_LOAD2, {UFOR.view(), UFOR.view(), ULEN2.view(), UDASH.view(), UFOR3.view()});
            row({P(1), P(2), P(3)});
            io::write_fmt(u, F_CAP_DISP);
            io::write_fmt(u, F_DISP2, {ULEN2.view(), ULEN2.view(), URAD.view()});
            row({U(1), U(2), U(3)});
        } else {
            io::write_fmt(u, F_LOAD3_A, {UFOR.view(), UFOR.view(), UFOR.view()});
            row({P(1), P(2), P(3)});
            std::vector<fmt::Item> mom;
            for (int m = 0; m < 3; ++m) mom.insert(mom.end(), {ULEN2.view(), UDASH.view(), UFOR3.view()});
            io::write_fmt(u, F_LOAD3_B, mom);
            row({P(4), P(5), P(6)});
            io::write_fmt(u, F_CAP_DISP);
            io::write_fmt(u, F_DISP3_A, {ULEN2.view(), ULEN2.view(), ULEN2.view()});
            row({U(1), U(2), U(3)});
            io::write_fmt(u, F_DISP3_B, {URAD.view(), URAD.view(), URAD.view()});
            row({U(4), U(5), U(6)});
        }
    }
    for (const int u : {RESFILE, SUMFILE}) io::write_fmt(u, F_TABLE_M);
    io::write_fmt(SUMSCR, F_TABLE_M_SCR);
    const int n = plane ? 3 : 6;
    io::write_fmt(PLOTDATA, F_PLOT_L);
    for (const bool disp : {false, true}) {
        io::write_fmt(PLOTDATA, disp ? F_PLOT_DISP : F_PLOT_LOAD);
        for (int k = 1; k <= n; ++k) {
            WRREAL(PLOTDATA, 18, 8, disp ? U(k) : P(k));
            WRBLNK(PLOTDATA, 5);
        }
        WREOL(PLOTDATA);
    }
}

// The progress message of the pile pages of the analysis in hand.
const fmt::Format F_PROG_PAGES(R"(("- ",A,": PILE ROW ",I5,"/",I5,/,/))");

// The stop request between the piles of the writer (an envelope's without
// a progress message: it follows the analyses' end messages): on a stop the
// work file is closed and the pile-top tables are not written.
bool pages_stopped(int kind, int p) {
    if (kind == 0 ? !STOPPOLL(F_PROG_PAGES, {"RESULTS", p, NPILES}) : !STOPQUIET()) return false;
    io::close_unit(WORKFILE);
    return true;
}

// The writer of both models. A stop read between its piles ends it there;
// its caller ends the run with status 4.
void write_results(int kind, int side, bool plane) {
    // A series in which no analysis was solved has no envelope: one note.
    if (kind != 0 && NANAL <= 1) {
        if (side == 1)
            for (const int u : {RESFILE, SUMFILE})
                io::write_fmt(u, F_ENV_NONE, {kind == 1 ? "ENVELOPE OF LOAD CASES" : "ENVELOPE OF LOAD COMBINATIONS"});
        return;
    }
    // 1. The all-piles curve flag.
    int allcurve = 1;
    for (int p = 1; p <= NPILES; ++p)
        if (ILSCRV(p) <= 0) allcurve = -1;
    // 2-5. Envelope heading, cap tables, table M headings.
    if (side != 0) envelope_head(kind, side, plane);
    // 6. Table M on the plot-data file.
    io::write_fmt(PLOTDATA, F_PLOT_M);
    // 7. The work file afresh.
    std::string why;
    const bool work = io::open_unit(WORKFILE, FPTOPSC, {io::Access::Write}, &why);
    if (!work) results_failure(ISFILE, "    " + why);
    // 8. The piles, one output region each.
    const RESBLK& set = side == 0 ? RESCUR : side == 1 ? ENVMIN : ENVMAX;
    const int nthr = pile_output_threads(NTHRREQ, NPROC, NPILES);
    NTHRMX(1) = std::max(NTHRMX(1), nthr);
    NTHRMX(2) = std::max(NTHRMX(2), nthr);
    PileOutput o;
    for (int p = 1; p <= NPILES; ++p) {
        if (pages_stopped(kind, p)) return;
        gather(p, set, o);
        const double t0 = omp_get_wtime();
        pile_region(o, plane, kind, nthr);
        TPRINT += omp_get_wtime() - t0;
    }
    // 9-10. The work file closed; the pile-top summary tables re-read it.
    io::close_unit(WORKFILE);
    if (!work) return;
    const QSEL qsel = EFFSEL(kind != 0, allcurve, KAXVAR, NANTYP);
    int status = 0;
    if (plane) PTTAB2D(NPILES, qsel, status);
    else PTOPDRV(NPILES, qsel, status);
    if (status != 0 && status != ISSTOP) results_failure(status, "");
}

}  // namespace

int pile_output_threads(int request, int procs, int npiles) {
    const int P = std::max(procs, 1);
    int n = request != 0 ? std::min(request, P) : P > 3 ? P - 2 : P > 1 ? P - 1 : P;
    n = std::min({n, npiles, 2});
    return std::max(n, 1);
}

void write_results_3d(int kind, int side) { write_results(kind, side, false); }
void write_results_2d(int kind, int side) { write_results(kind, side, true); }

void zero_envelopes_3d() {
    for (RESBLK* e : {&ENVMIN, &ENVMAX}) {
        e->capload.fill(0.0);
        e->capdisp.fill(0.0);
        for (int p = 1; p <= std::min(NPILES, e->rows()); ++p) {
            for (int s = 1; s <= NPTQ; ++s) e->top(p, s) = 0.0;
            for (int q = 1; q <= MAXNQ; ++q)
                for (int r = 1; r <= MAXNOD; ++r) e->eff(p, r, q) = 0.0;
        }
    }
}

void zero_envelopes_2d() {
    for (RESBLK* e : {&ENVMIN, &ENVMAX}) {
        for (int k = 1; k <= 3; ++k) e->capload(k) = e->capdisp(k) = 0.0;
        for (int p = 1; p <= std::min(NPILES, e->rows()); ++p) {
            for (int s : {1, 2, 3, 4, 5, 6, 7, 14, 15, 16, 17, 18, 19, 20}) e->top(p, s) = 0.0;
            for (int q = 1; q <= MAXNQ; ++q)
                for (int r = 1; r <= MAXNOD; ++r) e->eff(p, r, q) = 0.0;
        }
    }
}

}  // namespace zolan
