#include <array>
#include <cctype>
#include <string>

#include "control/control.h"
#include "control/input_reader.h"
#include "model/status_codes.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "report/run_lock.h"

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

// The records as written, index 1 to 27 (file names without their trailing
// blanks); false with a detail line when the file cannot be read or ends
// early.
using Records = std::array<std::string, kNamesRecords + 1>;

bool read_records(Records& rec, std::string& detail) {
    std::string why;
    if (!io::open_unit(NAMESFILE, kNamesFile, {io::Access::Read}, &why)) {
        detail = "    NAMES FILE " + fmt::visible(why);
        return false;
    }
    for (int r = 1; r <= kNamesRecords; ++r) {
        if (!io::read_line(NAMESFILE, rec[r])) {
            detail = "    NAMES FILE " + std::string(kNamesFile) + ": " +
                     (io::line_too_long(NAMESFILE) ? "record " + std::to_string(r) + " is longer than " +
                                                         std::to_string(fmt::MAXLINE) + " characters"
                                                   : "the file ends before record " + std::to_string(r) + " of " +
                                                         std::to_string(kNamesRecords));
            io::close_unit(NAMESFILE);
            return false;
        }
        if (r < 5) continue;  // the version text and the front end's own records
        std::string& name = rec[r];
        name.erase(name.find_last_not_of(" \t") + 1);
    }
    io::close_unit(NAMESFILE);
    return true;
}

// What the names of records 5 to 27 must not do: be longer than their field,
// or name one file twice (by any spelling, link or hard link), or name the
// names file itself; a report written over another file, the input data file
// above all, would destroy it. The first fault found, or empty. `apart` tells
// whether the progress file is a file of its own, fit to carry the message.
std::string names_fault(const Records& rec, bool& apart) {
    std::string fault;
    for (const NameRecord& r : kNameRecords) {
        if (rec[r.record].size() <= static_cast<std::size_t>(NAMELEN) || !fault.empty()) continue;
        fault = "    NAMES FILE " + std::string(kNamesFile) + ", record " + std::to_string(r.record) + " (" + r.what +
                "): the file name is longer than " + std::to_string(NAMELEN) + " characters";
    }
    // Record 4 stands for the names file itself (the front end's own record).
    std::array<io::FileId, kNamesRecords + 1> id;
    id[4] = io::file_id(kNamesFile);
    for (const NameRecord& r : kNameRecords)
        if (!rec[r.record].empty()) id[r.record] = io::file_id(rec[r.record]);
    apart = !rec[13].empty() && rec[13].size() <= static_cast<std::size_t>(NAMELEN);
    // The run folder's lock file is the lock alone, never a file of the run:
    // it stays empty, and a user may leave it where it is.
    const io::FileId lock = io::file_id(io::LOCKFILE);
    for (const NameRecord& r : kNameRecords) {
        if (rec[r.record].empty() || !(id[r.record] == lock)) continue;
        if (r.record == 13) apart = false;
        if (fault.empty())
            fault = "    NAMES FILE " + std::string(kNamesFile) + ": record " + std::to_string(r.record) + " (" +
                    r.what + ") names the lock file of the run folder, " + io::LOCKFILE;
    }
    for (int a = 4; a <= kNamesRecords; ++a) {
        for (int b = a + 1; b <= kNamesRecords; ++b) {
            if (rec[b].empty() || (a > 4 && rec[a].empty()) || !(id[a] == id[b])) continue;
            if (a == 13 || b == 13) apart = false;
            if (!fault.empty()) continue;
            const NameRecord& y = kNameRecords[b - 5];
            fault = "    NAMES FILE " + std::string(kNamesFile) + ": record " + std::to_string(b) + " (" + y.what +
                    ") names " +
                    (a == 4 ? std::string("the names file itself")
                            : "the same file as record " + std::to_string(a) + " (" + kNameRecords[a - 5].what +
                                  "): " + fmt::visible(rec[b]) + " and " + fmt::visible(rec[a]));
        }
    }
    return fault;
}

bool open_run_file(int unit, const std::string& name, io::OpenOptions opt, std::string& detail) {
    std::string why;
    if (io::open_unit(unit, name, opt, &why)) return true;
    const NameRecord* r = record_of(&name);
    detail = "    " + std::string(r ? r->what : "run file") + " (" + kNamesFile + " record " +
             std::to_string(r ? r->record : 0) + ") " + fmt::visible(why);
    return false;
}

// An input data file that cannot be read: status 37 with the fatal-error
// block of a malformed input on the run log and the echo.
void input_file_failure(int& ISTAT, const std::string& why) {
    std::string reason = why.substr(why.rfind(": ") == std::string::npos ? 0 : why.rfind(": ") + 2);
    for (char& c : reason) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string lines[] = {"INPUT DATA FILE " + FINPUT + " (" + kNamesFile + " RECORD 5)",
                                 "CANNOT BE OPENED FOR READING: " + reason};
    input::fatal_block(lines);
    ISTAT = ISINPUT;
}

}  // namespace

void RDNAMES(int& ISTAT) {
    // 1. Solver settings that the input does not carry.
    METHOD = 2;
    KTRANS = 1;

    // 2. The names file, checked before any file is opened: a refused one
    // is told in the progress file when that is a file of its own.
    Records rec;
    std::string detail;
    bool apart = false;
    if (read_records(rec, detail)) detail = names_fault(rec, apart);
    if (!detail.empty()) {
        file_failure(ISTAT, detail);
        if (apart) {
            FPROGRS = rec[13];
            PROGWR_LIST({"* ERROR: " + detail.substr(detail.find_first_not_of(' '))});
        }
        return;
    }
    VERTXT.set(rec[1]);
    for (const NameRecord& r : kNameRecords) *r.name = rec[r.record];

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
