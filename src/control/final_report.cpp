#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "control/control.h"
#include "model/analysis_outcomes.h"
#include "model/status_codes.h"
#include "model/run_state.h"
#include "model/input_tables.h"
#include "model/py_tables.h"
#include "soil/soil_lookup.h"
#include "report/field_writers.h"
#include "report/run_files.h"
#include "report/stop_request.h"

namespace zolan {
namespace {

// Execution-time line of v seconds: ms below a second, then sec, min, hr.
void time_line(double v) {
    const long long s = static_cast<long long>(v);
    const long long ms = static_cast<long long>((v - static_cast<double>(s)) * 1000.0);
    if (v < 1.0) {
        static const fmt::Format f(R"(("     Execution Time    :",I5," ms"))");
        io::write_fmt(RUNFILE, f, {static_cast<long long>(v * 1000.0)});
    } else if (v < 60.0) {
        static const fmt::Format f(R"(("     Execution Time    :",I5," sec",I5," ms"))");
        io::write_fmt(RUNFILE, f, {s, ms});
    } else if (v < 3600.0) {
        static const fmt::Format f(R"(("     Execution Time    :",I5," min",I5," sec",I5," ms"))");
        io::write_fmt(RUNFILE, f, {s / 60, s % 60, ms});
    } else {
        static const fmt::Format f(R"(("     Execution Time    :",I8," hr",I5," min",I5," sec",I5," ms"))");
        io::write_fmt(RUNFILE, f, {s / 3600, s / 60 - 60 * (s / 3600), s % 60, ms});
    }
}

void processor_line(int used) {
    static const fmt::Format f(R"(("     Number Processors :",I3,"/",I2))");
    io::write_fmt(RUNFILE, f, {used, NPROC});
}

// Copies the summary scratch into the summary, each line cut at 120
// characters and ended after its last non-blank one (at least one kept).
// False when a stop request read between its lines cut the copy.
bool copy_summary_scratch() {
    if (!io::open_unit(SUMSCR, FSUMSCR, {io::Access::ReadCreate})) return true;
    std::string line;
    std::string out;
    while (io::read_line(SUMSCR, line)) {
        if (STOPQUIET()) {
            io::close_unit(SUMSCR);
            return false;
        }
        std::string_view text(line);
        text = text.substr(0, 120);
        std::size_t n = text.size();
        while (n > 0 && text[n - 1] == ' ') --n;
        // An all-blank line is copied as one blank; every line gets one more.
        out.assign(n == 0 ? std::string_view(" ") : text.substr(0, n));
        out.push_back(' ');
        io::write_line(SUMFILE, out);
    }
    io::close_unit(SUMSCR);
    return true;
}

// The stop notice on the given files.
void stop_notice(std::initializer_list<int> units) {
    for (int unit : units) {
        io::write_list(unit, {"     "});
        io::write_list(unit, {"     *** ANALYSIS STOPPED BY USER ***"});
    }
}

// The analyses that did not complete: a warning with their count, then each
// one's number and name (and its point, for a point of an estimation) and its
// status line. Empty when all completed.
std::vector<std::string> incomplete_lines() {
    std::vector<std::string> out;
    if (NINCANL <= 0) return out;
    out.push_back("    ** WARNING **  " + std::to_string(NINCANL) +
                  (NINCANL == 1 ? " ANALYSIS DID NOT COMPLETE:" : " ANALYSES DID NOT COMPLETE:"));
    for (int k = 1; k <= NINCANL; ++k) {
        const IncompleteAnalysis& a = INCANL(k);
        const std::string name = incomplete_name(a), point = incomplete_point(a);
        out.push_back("    " + incomplete_label(a) + (name.empty() ? "" : "  " + name) +
                      (point.empty() ? "" : ", " + point));
        std::string line = "    " + status_line(a.code, a.tconv);
        line.erase(line.find_last_not_of(' ') + 1);
        out.push_back(line);
    }
    return out;
}

// The layers that stopped the run for a zero friction angle (sand, silt) or
// strength (weak rock), where they stand in the input, after the status text.
void layer_stop_lines(int ISTAT) {
    if (ISTAT != ISSANDPH && ISTAT != ISSILTPH && ISTAT != ISWROCK) return;
    for (int L = 1; L <= std::min(NLAYER, MAXSLY); ++L) {
        if (LAYSTOP(L) == 0) continue;
        const std::string text = layer_input_text(L, ISTAT == ISWROCK ? 2 : 3);
        for (std::size_t b = 0; b <= text.size();) {
            const std::size_t e = std::min(text.find('\n', b), text.size());
            const std::size_t a = std::min(text.find_first_not_of(' ', b), e);
            FAILTXT.push_back("    " + text.substr(a, e - a));
            b = e + 1;
        }
    }
}

}  // namespace

void EXETIME() {
    time_line(TELAPS);
    processor_line(NTHRMX(2));
}

void EXETIM2(int kind) {
    const double v = kind == 0 ? TANAL : TELAPS;
    time_line(v);
    processor_line(kind == 0 ? NTHRMX(1) : NTHRMX(2));
    if (kind == 0) {
        TSERIAL = v - TPARAL - TPRINT;
        static const fmt::Format f(R"((A24,F10.3," sec"))");
        io::write_fmt(RUNFILE, f, {"     Serial processing :", TSERIAL});
        io::write_fmt(RUNFILE, f, {"     Paral. processing :", TPARAL});
        io::write_fmt(RUNFILE, f, {"     Print. processing :", TPRINT});
    }
}

void ENDRUN(int& ISTAT) {
    // The results report and the summary are finished first, so that a report
    // that could not be written out is known before the run log says how the
    // run ended; each file still receives exactly the records of its steps.
    // 5. Stop notice on the results report and the summary.
    if (ISTAT == ISSTOP) stop_notice({RESFILE, SUMFILE});
    // 6-7. The summary: heading, then the summary scratch. A stop read
    // while it is copied (or before: a stopped run ends at once) cuts the
    // copy, the notice after the lines copied; the run ends with status 4.
    io::close_unit(SUMSCR);
    static const fmt::Format heading(R"((/,/,/,/,17X,"*****",5X,"SUMMARY FOR LOAD CASES AND COMBINATIONS ",5X,"*****"))");
    io::write_fmt(SUMFILE, heading);
    if (!FSUMSCR.empty() && io::unit_open(SUMFILE) && !copy_summary_scratch()) {
        if (ISTAT != ISSTOP) stop_notice({RESFILE});
        stop_notice({SUMFILE});
        if (ISTAT == ISOK) ISTAT = ISSTOP;
    }
    // The status file and the plot data of a stopped run end in the stop,
    // after the analysis it interrupted: a reader of either never takes a
    // cut run for a complete one.
    if (ISTAT == ISSTOP && ANLBEGUN) {
        io::write_line(STATFILE, status_line(ISSTOP));
        stop_notice({PLOTDATA});
    }
    // The analyses that did not complete close the summary.
    const std::vector<std::string> incomplete = incomplete_lines();
    for (std::size_t k = 0; k < incomplete.size(); ++k)
        io::write_fmt(SUMFILE, k == 0 ? "(/,1X,A)" : "(1X,A)", {incomplete[k]});
    // Then the piles past the peaks of their axial curves.
    const std::vector<std::string> past_peak = past_peak_lines();
    for (std::size_t k = 0; k < past_peak.size(); ++k)
        io::write_fmt(SUMFILE, k == 0 ? "(/,1X,A)" : "(1X,A)", {past_peak[k]});
    // 8. Every run file but the run log is closed (the load-displacement
    // scratch too, should an estimation have left it open).
    for (int unit : {INPFILE, RESFILE, ECHOFILE, SUMFILE, PLOTFILE, STATFILE, PLOTDATA, FLEXFILE, CRVRPT, ITERTRC,
                     AXLDRPT, CURVFILE, ESTTRC, SUMSCR, MPHIFILE})
        io::close_unit(unit);
    for (int unit = 0; unit <= io::MAXUNIT; ++unit)
        if (unit != RUNFILE) io::close_unit(unit);
    if (ISTAT == ISOK && !io::first_write_failure().empty())
        file_failure(ISTAT, "    " + io::first_write_failure());

    // 1-2. The final status on the run log; a stop for a zero friction angle
    // or strength names the layers that gave it.
    layer_stop_lines(ISTAT);
    io::write_list(RUNFILE, {"    "});
    const std::span<const char* const> texts = status_texts(ISTAT);
    if (ISTAT != ISOK && ISTAT != ISSTOP) io::write_list(RUNFILE, {"    * ERROR IN ANALYSIS *"});
    if (texts.empty()) {
        io::write_list(RUNFILE, {"    ", ISTAT, ", UNKNOWN CODE"});
    } else {
        for (const char* t : texts) io::write_list(RUNFILE, {t});
    }
    for (const std::string& t : FAILTXT) io::write_list(RUNFILE, {t});
    for (const std::string& t : incomplete) io::write_list(RUNFILE, {t});
    for (const std::string& t : past_peak) io::write_list(RUNFILE, {t});
    // 3-4. Flush, then the timing block of the whole run; the run log last.
    io::flush_unit(RUNFILE);
    EXETIME();
    io::close_unit(RUNFILE);
}

}  // namespace zolan
