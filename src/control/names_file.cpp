#include <cctype>
#include <filesystem>
#include <iterator>
#include <string>

#include "control/control.h"
#include "model/status_codes.h"
#include "model/run_state.h"
#include "report/run_files.h"

namespace zolan {
namespace {

constexpr const char* kNamesFile = "Names.dat";
constexpr int kNamesRecords = 27;

// Records 5 to 27 of the names file: where each name goes, and what it names.
struct NameRecord {
    int record;
    std::string* name;
    const char* what;
};

const NameRecord kNameRecords[] = {
    {5, &FINPUT, "input data file"},
    {6, &FECHO, "input echo"},
    {7, &FRESULT, "results report"},
    {8, &FSUMMRY, "summary"},
    {9, &FPLOT, "plot file of generated curves"},
    {10, &FRUNTIM, "runtime file"},
    {11, &FSTATUS, "status file"},
    {12, &FPLTDAT, "plot-data file"},
    {13, &FPROGRS, "progress file"},
    {14, &FCRVRPT, "curve report"},
    {15, &FFLEX, "flexibility scratch"},
    {16, &FLDD, "load-displacement scratch"},
    {17, &FPTOPSC, "pile-top work file"},
    {18, &FSTOP, "stop-request file"},
    {19, &FEQK, "equivalent-stiffness file"},
    {20, &FEQM, "equivalent-stiffness matrix trace"},
    {21, &FAXWARN, "pile-warning scratch"},
    {22, &FITRTRC, "iteration trace"},
    {23, &FAXLD, "axial-load report"},
    {24, &FCURVES, "curve file"},
    {25, &FESTTRC, "estimation trace"},
    {26, &FSUMSCR, "summary scratch"},
    {27, &FMPHI, "moment-curvature listing"},
};

const NameRecord* record_of(const std::string* name) {
    for (const NameRecord& r : kNameRecords)
        if (r.name == name) return &r;
    return nullptr;
}

// Reads the 27 records; false with a detail line when the file cannot be
// read, is short, or holds a name longer than its field.
bool read_names(std::string& detail) {
    std::string why;
    if (!io::open_unit(NAMESFILE, kNamesFile, {io::Access::Read}, &why)) {
        detail = "    NAMES FILE " + why;
        return false;
    }
    std::string line;
    for (int rec = 1; rec <= kNamesRecords; ++rec) {
        if (!io::read_line(NAMESFILE, line)) {
            detail = "    NAMES FILE " + std::string(kNamesFile) + ": the file ends before record " +
                     std::to_string(rec) + " of " + std::to_string(kNamesRecords);
            io::close_unit(NAMESFILE);
            return false;
        }
        if (rec == 1) {
            VERTXT.set(line);
            continue;
        }
        if (rec < 5) continue;  // records 2 to 4 are the front end's own
        std::size_t n = line.size();
        while (n > 0 && (line[n - 1] == ' ' || line[n - 1] == '\t')) --n;
        const NameRecord& r = kNameRecords[rec - 5];
        if (n > static_cast<std::size_t>(NAMELEN)) {
            detail = "    NAMES FILE " + std::string(kNamesFile) + ", record " + std::to_string(rec) + " (" +
                     r.what + "): the file name is longer than " + std::to_string(NAMELEN) + " characters";
            io::close_unit(NAMESFILE);
            return false;
        }
        r.name->assign(line, 0, n);
    }
    io::close_unit(NAMESFILE);

    // Two records naming one file would let one report overwrite another.
    for (std::size_t a = 0; a < std::size(kNameRecords); ++a) {
        for (std::size_t b = a + 1; b < std::size(kNameRecords); ++b) {
            const std::string& x = *kNameRecords[a].name;
            const std::string& y = *kNameRecords[b].name;
            if (x.empty() || y.empty()) continue;
            std::error_code ec1, ec2;
            const auto px = std::filesystem::weakly_canonical(x, ec1);
            const auto py = std::filesystem::weakly_canonical(y, ec2);
            if (x == y || (!ec1 && !ec2 && px == py)) {
                detail = "    NAMES FILE " + std::string(kNamesFile) + ": records " +
                         std::to_string(kNameRecords[a].record) + " (" + kNameRecords[a].what + ") and " +
                         std::to_string(kNameRecords[b].record) + " (" + kNameRecords[b].what +
                         ") name the same file " + x;
                return false;
            }
        }
    }
    return true;
}

bool open_run_file(int unit, const std::string& name, io::OpenOptions opt, std::string& detail) {
    std::string why;
    if (io::open_unit(unit, name, opt, &why)) return true;
    const NameRecord* r = record_of(&name);
    detail = "    " + std::string(r ? r->what : "run file") + " (" + kNamesFile + " record " +
             std::to_string(r ? r->record : 0) + ") " + why;
    return false;
}

// An input data file that cannot be read: status 37 with the fatal-error
// block of a malformed input on the run log and the echo.
void input_file_failure(int& ISTAT, const std::string& why) {
    std::string reason = why.substr(why.rfind(": ") == std::string::npos ? 0 : why.rfind(": ") + 2);
    for (char& c : reason) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string lines[] = {"INPUT DATA FILE " + FINPUT + " (" + kNamesFile + " RECORD 5)",
                                 "CANNOT BE OPENED FOR READING: " + reason};
    static const fmt::Format head(R"((/,/,/,29X,"**** FATAL ERROR ****"))");
    static const fmt::Format body("(5X,A)");
    for (int unit : {RUNFILE, ECHOFILE}) {
        io::write_fmt(unit, head);
        for (const std::string& l : lines) io::write_fmt(unit, body, {l});
    }
    ISTAT = ISINPUT;
    for (const std::string& l : lines) FAILTXT.push_back("    " + l);
}

}  // namespace

void RDNAMES(int& ISTAT) {
    // 1. Solver settings that the input does not carry.
    METHOD = 2;
    KTRANS = 1;

    // 2. The names file.
    std::string detail;
    if (!read_names(detail)) {
        file_failure(ISTAT, detail);
        return;
    }

    // 3. Report files that stay open for the whole run.
    const io::OpenOptions write{io::Access::Write};
    const io::OpenOptions write_buffered{io::Access::Write, false, true};
    struct Opening {
        int unit;
        const std::string* name;
        io::OpenOptions opt;
    };
    const Opening first[] = {
        {ECHOFILE, &FECHO, write},
        {RESFILE, &FRESULT, write_buffered},
        {SUMFILE, &FSUMMRY, write},
        {PLOTFILE, &FPLOT, write},
        {RUNFILE, &FRUNTIM, write},
        {STATFILE, &FSTATUS, write},
        {PLOTDATA, &FPLTDAT, write_buffered},
        {CRVRPT, &FCRVRPT, write},
    };
    const Opening second[] = {
        {ITERTRC, &FITRTRC, write},
        {AXLDRPT, &FAXLD, write},
        {ESTTRC, &FESTTRC, write},
        {SUMSCR, &FSUMSCR, write},
    };
    auto open_all = [&](std::span<const Opening> list) {
        for (const Opening& o : list)
            if (!open_run_file(o.unit, *o.name, o.opt, detail)) return false;
        return true;
    };
    // The input data file is only read: it is never created or emptied. A
    // missing or unreadable one is a fault of the input, told in full on the
    // run log and the echo once those are open.
    std::string input_why;
    const bool input_ok = io::open_unit(INPFILE, FINPUT, {io::Access::Read}, &input_why);
    bool ok = open_all(first);
    // The moment-curvature listing is made outside the engine and may be absent
    // when no cross section asks for it: it is opened when it exists.
    if (ok && !FMPHI.empty()) ok = open_run_file(MPHIFILE, FMPHI, {io::Access::ReadIfExists}, detail);

    // 4. First progress message.
    if (ok) PROGWR_LIST({"- ANALYSIS STARTED"});

    // 5. Trace files and the summary scratch.
    if (ok) ok = open_all(second);

    if (!ok) {
        // The failure is told on the run log (opened now if it was not yet)
        // and in the progress file, which the front end shows.
        file_failure(ISTAT, detail);
        if (!io::unit_open(RUNFILE) && !FRUNTIM.empty()) io::open_unit(RUNFILE, FRUNTIM, write);
        PROGWR_LIST({"* ERROR: " + detail.substr(detail.find_first_not_of(' '))});
        return;
    }

    if (!input_ok) {
        input_file_failure(ISTAT, input_why);
        return;
    }

    // 6. Stop request. The run files stay open so that the final report
    // writes its records into them.
    if (STOPCHK()) ISTAT = ISSTOP;
}

}  // namespace zolan
