// The flexible cap of the three-dimensional model: every solve handed over
// by the group solver either writes the slab decks of the cap under its
// loads, each where it stands, or runs the slab analysis of the cap on the
// nonlinear piles. The slab deck of an analysis is the numeric deck written
// from the cap; the slab's listing, results and log are appended to the
// run's echo file, results report and summary, followed by the analysis's
// status line and the pile results under the slab (flexcap/slab_report.h).
#include <filesystem>

#include "flexcap/slab_analysis.h"
#include "flexcap/slab_report.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/status_codes.h"
#include "report/run_files.h"

namespace zolan {

namespace {

constexpr int GSLBFILE = 68;

// The decks' names: the input data file's name without its extension and a
// suffix, in the run folder (the results report's folder).
std::string deck_name(const char* suffix) {
    const std::filesystem::path in(FINPUT.empty() ? std::string("zolan") : FINPUT);
    const std::filesystem::path dir = std::filesystem::path(FRESULT).parent_path();
    return (dir / in.stem()).string() + suffix;
}

// The file list of the slab program: plot file, slab deck, listing, results
// and log, each name in 75 columns.
void FCNAMES(const std::string& deck, int& ISTAT) {
    std::string why;
    if (!scratch_name_free("gslab.dat", &why) || !io::open_unit(GSLBFILE, "gslab.dat", {}, &why)) {
        FAILTXT.push_back("    " + why);
        if (ISTAT == ISOK) ISTAT = ISFILE;
        return;
    }
    // A name held in a long blank-padded field: its first 75 characters.
    for (std::string n : {FPLOT, deck, FECHO, FRESULT, FSUMMRY}) {
        n.resize(75, ' ');
        io::write_fmt(GSLBFILE, "(A75)", {n});
    }
    io::close_unit(GSLBFILE);
}

void banner(int unit) {
    io::write_fmt(unit, R"((/,/,/,17X,"*****",5X,"COMPUTATION RESULTS",5X,"*****",/))");
    io::write_fmt(unit, R"((/,/,/,5X,"* TABLE I *   COMPUTATION ON INDIVIDUAL PILE"))");
}

}  // namespace

void FLEXCAP(const SolveRequest& request, int& ISTAT) {
    const CAPVEC& P = request.load;
    const std::string numeric = deck_name("_slab.dat"), keyword = deck_name("_slab.key");
    // The analysis's loads where they stand on the slab.
    const SlabLoads loads = slab_loads(request);
    // 1. Decks only: both decks, named in the results report.
    if (FCOPT == 2) {
        FCNAMES(numeric, ISTAT);
        FCDECK(loads, numeric, keyword, ISTAT);
        if (ISTAT == ISOK)
            io::write_fmt(RESFILE, R"((/,5X,"SLAB DECKS WRITTEN: ",A,/,5X,"                    ",A))", {numeric, keyword});
        return;
    }
    // 2. Analysis: headings, the numeric deck of the cap, the slab analysis.
    io::write_list(PLOTFILE, {KCASE});
    io::write_list(PLOTFILE, {NPILES, 1, NUNITS});
    banner(RESFILE);
    banner(SUMFILE);
    FCNAMES(numeric, ISTAT);
    if (ISTAT == ISOK) FCDECK(loads, numeric, "", ISTAT);
    if (ISTAT != ISOK) return;
    slab_route(ECHOFILE, RESFILE, SUMFILE);
    SLBEND.stepped = false;
    FCSLAB({numeric, "", "", ""}, ISTAT);
    // 3. The analysis's status line, and the pile results under the slab.
    SLABREPORT(P, ISTAT);
    if (ISTAT == ISSLAB && (FAILTXT.empty() || FAILTXT.back().find("SLAB") == std::string::npos))
        FAILTXT.push_back("    FLEXIBLE CAP: THE SLAB ANALYSIS ENDED ON A FATAL DIAGNOSTIC (SEE THE ECHO FILE)");
}

}  // namespace zolan
