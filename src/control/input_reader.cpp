// RDINPUT: the input data file into the raw input tables, in the file's
// order, with the report header before it and the curve file, unit labels and
// column captions after the control integers. A short or malformed file, a
// count beyond its table, a switch outside its meanings or a reference to
// something the file does not hold ends the reading at once with status 37.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "report/column_captions.h"
#include "control/control.h"
#include "control/input_reader.h"
#include "control/report_header.h"
#include "model/status_codes.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/step_bounds.h"
#include "report/fortran_format.h"
#include "report/run_files.h"
#include "report/stop_request.h"
#include "report/unit_labels.h"

namespace zolan {
namespace input {
namespace {

// What each section holds, by section number.
const char* const kSectionNames[21] = {
    "",
    "CONTROL INTEGERS",
    "PILE CAP",
    "LOAD CASES",
    "LOAD COMBINATIONS",
    "DISTRIBUTED-LOAD SETS",
    "PILE TABLE",
    "PILE PROPERTY SETS",
    "CROSS SECTIONS",
    "SOIL LAYERS",
    "GENERATED LOAD-SETTLEMENT CURVES",
    "USER MOMENT-CURVATURE SETS",
    "MOMENT-CURVATURE CURVES OF THE CROSS SECTIONS",
    "CURVE-FILE OPTIONS",
    "SOIL MOVEMENT",
    "REDUCTION FACTORS ALONG DEPTH",
    "USER TORQUE-ROTATION CURVES",
    "USER AXIAL LOAD-DISPLACEMENT CURVES",
    "GENERATED TORQUE-ROTATION CURVES",
    "USER P-Y CURVE SETS",
    "P-Y PRINT REQUESTS",
};

// Words of which a section's header must hold one, by section number, after
// the header is put in upper case with hyphens and underscores as blanks and
// one blank at each end (short words stand between blanks). The reader finds
// a section by its place in the file alone; a header that names none of them
// is most likely the header of another section, or a section out of place.
constexpr const char* kHeaderWords[21][6] = {
    {},
    {"CONTROL"},
    {"CAP"},
    {"CASE"},
    {"COMBINATION", " COMB "},
    {"DISTRIBUTED"},
    {"LAYOUT", "PILE TABLE", "PILE ROW", "PILE GROUP", "ARRANGEMENT"},
    {"PROPERT"},
    {"SECTION"},
    {"SOIL", "LAYER"},
    {"SETTLEMENT", "AXIAL", "LOAD DISPLACEMENT", " T Z "},
    {"MOMENT", "CURVATURE", " M PHI "},
    {"MOMENT", "CURVATURE", " M PHI "},
    {"FILE", "GRAPHIC"},
    {"MOVEMENT"},
    {"REDUCTION", "FACTOR"},
    {"TORQUE", "TORSION", " T R "},
    {"AXIAL", "LOAD DISPLACEMENT", "SETTLEMENT"},
    {"TORQUE", "TORSION", " T R "},
    {" P Y "},
    {" P Y ", "PRINT"},
};

bool header_names_section(std::string_view header, int section) {
    std::string h = " ";
    for (char c : header) {
        const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        h += (u == '-' || u == '_' || u == '\t') ? ' ' : u;
    }
    h += ' ';
    for (const char* w : kHeaderWords[section])
        if (w != nullptr && h.find(w) != std::string::npos) return true;
    return false;
}

std::string ordinal(int n) {
    const int t = n % 100;
    const char* suffix = (t >= 11 && t <= 13) ? "TH" : n % 10 == 1 ? "ST" : n % 10 == 2 ? "ND" : n % 10 == 3 ? "RD" : "TH";
    return std::to_string(n) + suffix;
}

// Upper case, except inside double quotes (values quoted as they were found
// in the file keep their own case).
std::string upper_outside_quotes(std::string s) {
    bool quoted = false;
    for (char& c : s) {
        if (c == '"') quoted = !quoted;
        else if (!quoted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

}  // namespace

std::string field_name(std::string_view what, std::size_t k, std::size_t n) {
    // 1. The list between the record's parentheses, up to a colon.
    const std::size_t open = what.find('('), close = what.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return "";
    std::string_view list = what.substr(open + 1, close - open - 1);
    list = list.substr(0, list.find(':'));
    // 2. Its names, "NAME a-b" standing for NAME a .. NAME b.
    std::vector<std::string> names;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        std::string_view item = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
        const std::size_t blank = item.rfind(' '), dash = item.rfind('-');
        int a = 0, b = 0;
        if (blank != std::string_view::npos && dash != std::string_view::npos && dash > blank &&
            std::sscanf(std::string(item.substr(blank + 1)).c_str(), "%d-%d", &a, &b) == 2 && a >= 1 && b >= a &&
            b - a < 100) {
            for (int i = a; i <= b; ++i) names.push_back(std::string(item.substr(0, blank)) + " " + std::to_string(i));
        } else {
            names.emplace_back(item);
        }
    }
    // 3. A name only when the list names every value.
    return names.size() == n && k < n ? names[k] : "";
}

namespace {

// The reduction factors among the input's fields, by name, with their nouns:
// each divides a demand/capacity ratio (the capacity reduced), so that only
// a positive factor has a meaning. Null for any other field.
const char* reduction_factor(std::string_view name) {
    if (name == "LBRF 1") return "BENDING REDUCTION FACTOR";
    if (name == "LBRF 2") return "SHEAR REDUCTION FACTOR";
    return nullptr;
}

}  // namespace

std::string real_text(double x) {
    std::string s;
    fmt::edit_G(s, x, 16, 7);
    const std::size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return s;
    const std::size_t b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}

Reader::Reader() { tg_.reserve(40); }

long Reader::lines_read() const {
    const fmt::LineSource* src = io::line_source(INPFILE);
    return src ? src->line_number() : 0;
}

void Reader::title_lines() {
    section_ = 0;
    depth_ = 0;
    text("TITLE LINE", TITLE.span());
    FixedText<80> version;
    text("VERSION LINE", version.span());
    static const fmt::Format title_fmt("(/,12X,20A4,/,/)");
    std::vector<fmt::Item> pieces;
    for (int k = 0; k < 20; ++k) pieces.emplace_back(TITLE.view().substr(4 * k, 4));
    io::write_fmt(RUNFILE, title_fmt, pieces);
    io::write_fmt(RUNFILE, "(5X,\"READING * TITLE AND VERSION\")");
}

void Reader::section(int number) {
    section_ = number;
    depth_ = 0;
    ordinal_[number] = ++present_;
    header_read_[number] = false;
    text("HEADER LINE", header_[number].span());
    header_read_[number] = true;
    static const fmt::Format reading("(5X,\"READING \",A80)");
    io::write_fmt(RUNFILE, reading, {header_[number].view()});
    if (!header_names_section(header_[number].view(), number)) header_warning(number);
}

// A header that names another section, or none: the section is read all the
// same, by its place, and the run log and the input echo say so.
void Reader::header_warning(int number) const {
    static const fmt::Format head(R"((/,29X,"**** WARNING ****"))");
    static const fmt::Format body("(5X,A)");
    const std::string lines[] = {
        "THE HEADER ON LINE " + std::to_string(first_) + ", \"" + std::string(header_[number].trimmed()) + "\",",
        "DOES NOT NAME SECTION " + std::to_string(number) + " (" + kSectionNames[number] +
            "), WHICH IS READ HERE AS THE " + ordinal(ordinal_[number]) + " SECTION OF THE FILE;",
        "A SECTION IS KNOWN BY ITS PLACE ALONE: CHECK THAT NO SECTION IS MISSING OR OUT OF ORDER",
    };
    for (int unit : {RUNFILE, ECHOFILE}) {
        io::write_fmt(unit, head);
        for (const std::string& l : lines) io::write_fmt(unit, body, {fmt::visible(l)});
    }
}

void Reader::item(int level, const char* label, int index) {
    levels_[level] = {label, index};
    depth_ = level + 1;
}

void Reader::rec(const char* what, std::initializer_list<fmt::Target> targets) {
    rec(what, std::span<const fmt::Target>(targets.begin(), targets.size()));
}

// The stop request between the records of a long file (the throttled read,
// the progress message naming the line reached).
void Reader::stop_poll() const {
    static const fmt::Format progress(R"(("- INPUT DATA FILE, LINE",I9,/,/))");
    if (STOPPOLL(progress, {lines_read()})) throw InputStopped{};
}

void Reader::rec(const char* what, std::span<const fmt::Target> targets) {
    stop_poll();
    what_ = what;
    first_ = lines_read() + 1;  // a record starts on a new line
    const fmt::ReadStatus st = io::read_list(INPFILE, targets);
    last_ = lines_read();
    if (!st.ok()) fail_read(st, what);
    if (last_ > first_) run_on_ = {record_text(what), first_, last_, ordinal_[section_]};
    check_magnitudes(what, targets);
    if (!st.extra.empty()) extra_values_warning(st, targets.size());
}

// Every real number of a record zero or between MINREAL and MAXREAL in
// magnitude, and every reduction factor positive, named by the record's own
// field names where they list its values.
void Reader::check_magnitudes(const char* what, std::span<const fmt::Target> targets) {
    const bool factors = std::string_view(what).find("LBRF") != std::string_view::npos;
    for (std::size_t k = 0; k < targets.size(); ++k) {
        const fmt::Target& t = targets[k];
        if (t.kind != fmt::Target::Kind::Real) continue;
        const double v = *t.r, a = std::fabs(v);
        // The field's name and value as text only for a value refused.
        if (a <= MAXREAL && (a == 0.0 || a >= MINREAL) && (!factors || v > 0.0)) continue;
        const std::string name = field_name(what, k, targets.size());
        const std::string value = "VALUE " + std::to_string(k + 1) + " OF THE RECORD" +
                                  (name.empty() ? "" : " (" + name + ")") + " IS " + real_text(v);
        if (!(a <= MAXREAL)) fail(value + "; EXPECTED AT MOST 1.0E+20 IN MAGNITUDE");
        if (a != 0.0 && a < MINREAL) fail(value + "; EXPECTED 0 OR AT LEAST 1.0E-20 IN MAGNITUDE");
        if (const char* factor = reduction_factor(name); factor != nullptr && !(v > 0.0))
            positive(v, name.c_str(), factor);
    }
}

void Reader::fail_read(const fmt::ReadStatus& st, const char* what) {
    // The reader's message begins with the file and line, said here in the
    // block's own first line.
    std::string why = st.message;
    const std::string prefix = FINPUT + ", line " + std::to_string(st.line) + ": ";
    if (why.starts_with(prefix)) why.erase(0, prefix.size());
    const bool eof = st.code == fmt::ReadStatus::Code::EndOfFile;
    fault(section_, eof ? "" : lines_text(st.line, st.line), record_text(what), upper_outside_quotes(why));
}

void Reader::text(const char* what, std::span<char> text) {
    stop_poll();
    what_ = what;
    first_ = lines_read() + 1;
    const fmt::ReadStatus st = io::read_text_line(INPFILE, text);
    last_ = lines_read();
    if (st.code == fmt::ReadStatus::Code::BadValue) fail_read(st, what);
    if (!st.ok()) fault(section_, "", record_text(what), "THE FILE ENDED WHERE A LINE OF TEXT WAS EXPECTED");
}

void Reader::count(int n, int hi, const char* name, const char* noun) { within(n, 0, hi, name, noun); }

void Reader::within(int v, int lo, int hi, const char* name, const char* noun) {
    if (v >= lo && v <= hi) return;
    std::string why = std::string("THE ") + noun + " (" + name + ") IS " + std::to_string(v);
    if (hi < lo) why += "; THERE ARE NONE TO REFER TO";
    else why += "; EXPECTED " + std::to_string(lo) + " TO " + std::to_string(hi);
    fail(why);
}

void Reader::positive(double v, const char* name, const char* noun) {
    if (v > 0.0) return;
    fail(std::string("THE ") + noun + " (" + name + ") IS " + real_text(v) + "; EXPECTED A POSITIVE VALUE");
}

void Reader::fail(const std::string& problem) {
    fault(section_, lines_text(first_, last_), record_text(what_), problem);
}

void Reader::fail_at(const Place& at, const std::string& record, const std::string& problem) {
    run_on_.first = 0;  // a reference checked at the end: no record read after it
    fault(at.section, lines_text(at.first, at.last), record, problem);
}

std::string Reader::lines_text(long first, long last) const {
    if (last <= first) return ", LINE " + std::to_string(first);
    return ", LINES " + std::to_string(first) + " TO " + std::to_string(last);
}

std::string Reader::record_text(const char* what) const {
    // "LOAD CASE 3, CONCENTRATED LOAD 2, RECORD 8 (CLOAD 1-9)"; a record
    // named only by its fields follows its block: "SET 2, POINT 3 (DLDEP, DLVAL)".
    std::string s;
    for (int k = 0; k < depth_; ++k) {
        if (k > 0) s += ", ";
        s += levels_[k].label;
        s += ' ';
        s += std::to_string(levels_[k].index);
    }
    if (!s.empty()) s += what[0] == '(' ? " " : ", ";
    return s + what;
}

std::string Reader::section_text(int section) const {
    if (section == 0) return "TITLE AND VERSION LINES";
    std::string s = "SECTION " + std::to_string(section) + " (" + kSectionNames[section] + "), " +
                    ordinal(ordinal_[section]) + " SECTION OF THE FILE";
    if (header_read_[section]) s += ", HEADER: " + std::string(header_[section].trimmed());
    return s;
}

void Reader::warn(const std::string& problem) const {
    warn_at(place(), record_text(what_), problem);
}

// The warning block: what is wrong, then where (file and lines, section,
// record), as the fatal block names them.
void Reader::warn_at(const Place& at, const std::string& record, const std::string& problem) const {
    static const fmt::Format head(R"((/,29X,"**** WARNING ****"))");
    static const fmt::Format body("(5X,A)");
    const std::string lines[] = {
        problem,
        "INPUT DATA FILE " + FINPUT + lines_text(at.first, at.last),
        section_text(at.section),
        "RECORD: " + record,
    };
    for (int unit : {RUNFILE, ECHOFILE}) {
        io::write_fmt(unit, head);
        for (const std::string& l : lines) io::write_fmt(unit, body, {fmt::visible(l)});
    }
}

// A record whose last line goes on with values it does not read: most often
// a value too many, or a decimal comma that split a number in two and
// shifted the record.
void Reader::extra_values_warning(const fmt::ReadStatus& st, std::size_t n) const {
    const Place at{section_, st.extra_line, st.extra_line};
    warn_at(at, record_text(what_),
            "LINE " + std::to_string(st.extra_line) + " HOLDS VALUES BEYOND THE " + std::to_string(n) +
                (n == 1 ? " VALUE" : " VALUES") + " OF ITS RECORD, WHICH ARE NOT READ: \"" + st.extra +
                "\" (A VALUE TOO MANY, OR A DECIMAL COMMA THAT SPLIT A NUMBER; A COMMENT BEGINS WITH !)");
}

// The fatal-error block on the run log and the input echo, and the same
// lines for the final report.
void Reader::fault(int section, const std::string& where_line, const std::string& record, const std::string& problem) {
    std::string file_line = "INPUT DATA FILE " + FINPUT;
    if (!where_line.empty()) {
        file_line += where_line;
    } else {
        const long n = lines_read();
        file_line += n == 0 ? " IS EMPTY" : " ENDS AFTER LINE " + std::to_string(n);
    }
    std::vector<std::string> lines = {file_line, section_text(section), "RECORD: " + record, problem};
    // A record of the same or the section before that ran on to a later line
    // is named where it begins: it may be short of a value.
    const bool current = run_on_.first == first_ && run_on_.last == last_;
    if (run_on_.first > 0 && !current && section > 0 && run_on_.ordinal >= ordinal_[section] - 1)
        lines.push_back("THE RECORD BEGUN ON LINE " + std::to_string(run_on_.first) + " (" + run_on_.record +
                        ") TOOK VALUES FROM LINES " + std::to_string(run_on_.first) + " TO " +
                        std::to_string(run_on_.last) + ": IF LINE " + std::to_string(run_on_.first) +
                        " IS SHORT OF A VALUE, THE FAULT LIES THERE");
    fatal_block(lines);
    throw InputFault{};
}

void fatal_block(std::span<const std::string> lines) {
    static const fmt::Format head(R"((/,/,/,29X,"**** FATAL ERROR ****"))");
    static const fmt::Format body("(5X,A)");
    std::vector<std::string> shown;
    for (const std::string& l : lines) shown.push_back(fmt::visible(l));
    for (int unit : {RUNFILE, ECHOFILE}) {
        io::write_fmt(unit, head);
        for (const std::string& l : shown) io::write_fmt(unit, body, {l});
        io::flush_unit(unit);
    }
    for (const std::string& l : shown) FAILTXT.push_back("    " + l);
}

int input_rows() { return NANTYP == 2 ? NPILE2 : NPILE3; }

namespace {

// References between sections, checked once every count is known.
void check_references(Reader& rd, const Places& at) {
    const int rows = input_rows();

    // Distributed-load lines of the load cases: rows and sets.
    for (int i = 1; i <= NLCASE; ++i) {
        for (int m = 1; m <= NDLINE(i); ++m) {
            const std::string rec = "LOAD CASE " + std::to_string(i) + ", DISTRIBUTED-LOAD LINE " + std::to_string(m);
            auto bad = [&](const std::string& why) { rd.fail_at(at.dl_line(i, m), rec, why); };
            const int first = DLLINE(i, m, 3), last = DLLINE(i, m, 4);
            if (first < 1 || first > rows)
                bad("THE FIRST PILE ROW IS " + std::to_string(first) + "; EXPECTED 1 TO " + std::to_string(rows) +
                    " (THE PILE ROWS OF THE PILE TABLE)");
            if (last < 0 || last > rows)
                bad("THE LAST PILE ROW IS " + std::to_string(last) + "; EXPECTED 0 TO " + std::to_string(rows) +
                    " (0: THE FIRST ROW ONLY)");
            const int sets[2] = {DLLINE(i, m, 6), DLLINE(i, m, 7)};
            for (int d = 0; d < (NANTYP == 3 ? 2 : 1); ++d) {
                if (sets[d] > NDLSET)
                    bad(std::string("THE DISTRIBUTED-LOAD SET FOR ") + (d == 0 ? "Y" : "Z") + " IS " +
                        std::to_string(sets[d]) + "; THE FILE HOLDS " + std::to_string(NDLSET) +
                        " SETS (NDLSET), 0 OR LESS FOR NONE");
            }
        }
    }

    // Pile rows: property set, curve sets and curves they name. The piles of
    // the plane rows together are as many as the group factors work with.
    long long plane_piles = 0;
    for (int r = 1; r <= rows; ++r) {
        const std::string rec = "PILE ROW " + std::to_string(r) + ", RECORD 1 (" + (NANTYP == 3 ? "PGRI3" : "PGRI2") + ")";
        auto bad = [&](const std::string& why) { rd.fail_at(at.pile_row(r), rec, why); };
        struct Ref {
            int value, lo, hi;
            const char* noun;
            const char* count_name;
        };
        const bool three = NANTYP == 3;
        const int pyset = three ? PGRI3(r, 4) : PGRI2(r, 4);
        const Ref refs[] = {
            {three ? PGRI3(r, 3) : PGRI2(r, 3), 1, NPRSET, "PROPERTY SET", "NPRSET"},
            {pyset < 0 ? -pyset : pyset, 0, NUPYS, "USER P-Y CURVE SET", "NUPYS"},
            {three ? PGRI3(r, 5) : PGRI2(r, 5), 0, NUAXC, "USER LOAD-SETTLEMENT CURVE", "NUAXC"},
            {three ? PGRI3(r, 6) : 0, 0, NUTRC, "USER TORQUE-ROTATION CURVE", "NUTRC"},
            {three ? PGRI3(r, 7) : PGRI2(r, 6), 0, NRFSET, "SET OF REDUCTION FACTORS ALONG DEPTH", "NRFSET"},
            {three ? PGRI3(r, 9) : PGRI2(r, 7), 0, NLSGEN, "GENERATED LOAD-SETTLEMENT CURVE", "NLSGEN"},
            {three ? PGRI3(r, 10) : 0, 0, NTRGEN, "GENERATED TORQUE-ROTATION CURVE", "NTRGEN"},
        };
        for (const Ref& f : refs) {
            if (f.value >= f.lo && f.value <= f.hi) continue;
            bad(std::string("THE ") + f.noun + " OF THE ROW IS " + std::to_string(f.value) + "; THE FILE HOLDS " +
                std::to_string(f.hi) + " (" + f.count_name + ")" + (f.lo == 0 ? ", 0 FOR NONE" : ""));
        }
        // Head connections: 1 pinned, 2 fixed, 3 restrained by the head spring.
        const int conn[2] = {three ? PGRI3(r, 1) : PGRI2(r, 1), three ? PGRI3(r, 2) : KPIN};
        for (int c = 0; c < 2; ++c) {
            if (conn[c] >= KPIN && conn[c] <= KRES) continue;
            bad(std::string("THE HEAD CONNECTION") + (three ? (c == 0 ? " ABOUT Y" : " ABOUT Z") : "") + " IS " +
                std::to_string(conn[c]) + "; EXPECTED 1 (PINNED), 2 (FIXED) OR 3 (ROTATIONAL SPRING)");
        }
        if (!three && PGRI2(r, 2) > 0) plane_piles += PGRI2(r, 2);
        if (plane_piles > MAXROW)
            bad("THE PILES OF THE ROWS UP TO THIS ONE ADD UP TO " + std::to_string(plane_piles) + "; AT MOST " +
                std::to_string(MAXROW) + " PILES IN ALL");
    }

    // Sections of the property sets: their cross sections.
    for (int p = 1; p <= NPRSET; ++p) {
        for (int s = 1; s <= PPIN.NSEC(p); ++s) {
            const int k = PPIN.SXS(p, s);
            if (k >= 1 && k <= NSECT) continue;
            rd.fail_at(at.pile_sec(p, s), "PROPERTY SET " + std::to_string(p) + ", SECTION " + std::to_string(s),
                       "THE CROSS-SECTION NUMBER IS " + std::to_string(k) + "; EXPECTED 1 TO " +
                           std::to_string(NSECT) + " (NSECT)");
        }
    }

    // Moment-curvature sets named by a nonlinear section whose curves are not
    // generated (a user-EI section, kind 10, or a nonlinear flag other than
    // 1) are user sets.
    for (int k = 1; k <= NSECT; ++k) {
        if (XSNLF(k) == 0 || (XSNLF(k) == 1 && XSNLI(k, 0) != 10)) continue;
        for (int axis = 1; axis <= (NANTYP != 2 ? 2 : 1); ++axis) {
            const int set = XSNLI(k, 26 + axis);
            if (set >= 0 && set <= NMPS) continue;
            rd.fail_at(at.xs_last(k), "CROSS SECTION " + std::to_string(k) + ", LAST RECORD (XSNLI 25-32, XSNLR 33-35)",
                       "THE MOMENT-CURVATURE SET OF BENDING AXIS " + std::to_string(axis) + " (XSNLI FIELD " +
                           std::to_string(26 + axis) + ") IS " + std::to_string(set) + "; THE FILE HOLDS " +
                           std::to_string(NMPS) + " USER SETS (NMPS), 0 FOR NONE");
        }
    }
}

// The moment-curvature tables hold the user sets and then one table per
// bending axis of every nonlinear cross section whose curves are generated.
void check_mphi_room(Reader& rd, const Places& at) {
    int generated = 0;
    for (int k = 1; k <= NSECT; ++k)
        // Two bending axes in every model but the plane one, as the echo numbers them.
        if (XSNLF(k) == 1 && XSNLI(k, 0) != 10) generated += NANTYP != 2 ? 2 : 1;
    if (NMPS + generated <= MAXMPS) return;
    const bool user = NMPSET > 0;
    rd.fail_at(user ? at.nmps : at.nsect, user ? "NMPS" : "NSECT",
               "THE MOMENT-CURVATURE TABLES WOULD NUMBER " + std::to_string(NMPS + generated) + ": " +
                   std::to_string(NMPS) + " USER SETS AND " + std::to_string(generated) +
                   " FOR THE NONLINEAR CROSS SECTIONS; AT MOST " + std::to_string(MAXMPS));
}

void read_sections(Reader& rd, Places& at, int& ISTAT) {
    rd.title_lines();
    read_control(rd);

    // Curve file, whether or not curves are wanted; unit labels; captions.
    std::string why;
    if (!io::open_unit(CURVFILE, FCURVES, {io::Access::Write, KCRVFM != 0, true}, &why)) {
        file_failure(ISTAT, "    curve file (Names.dat record 24) " + why);
        return;
    }
    UNITLB(unit_label_sel(NUNITS));
    COLCAP(NANTYP);

    read_cap(rd);
    read_load_cases(rd, at);
    read_combinations(rd);
    read_dl_sets(rd);
    read_pile_table(rd, at);
    read_property_sets(rd, at);
    read_cross_sections(rd, at);
    read_soil_layers(rd);
    if (PYMODE == 1) read_py_requests(rd);
    if (KUPY == 1) read_user_py(rd);
    read_ls_rows(rd);
    if (NANTYP == 3) read_tr_rows(rd);
    if (KUAXL == 1) read_user_axial(rd);
    if (KUTOR == 1) read_user_torque(rd);
    if (NMPSET > 0) read_user_mphi(rd, at);
    check_mphi_room(rd, at);
    if (NSECT > 0) read_section_mphi(rd);
    if (KJ1 == 1) read_depth_factors(rd);
    NSMOV = 0;
    if (KJ2 == 1) read_soil_movement(rd);
    if (KCRVF == 1) read_curve_options(rd);
    check_references(rd, at);
    warn_across_sections(rd, at);
}

}  // namespace
}  // namespace input

void RDINPUT(int& ISTAT) {
    // 1. Report header and date block.
    write_report_header();

    // 2. Run constants and defaults.
    PI = static_cast<double>(3.14159f);
    TOLDL = 1.0e-5;
    TOLDEP = 1.0e-6;
    TOLZ = 1.0e-14;
    ENDTXT.set("END ");
    for (auto* t : {&PFGRP, &YFGRP, &PFGRP1, &YFGRP1, &PFGRP2, &YFGRP2}) t->fill(1.0);

    // 3-6. Title, sections.
    ISTAT = 0;
    try {
        // The places are written before they are read, for the records of
        // this run only; one set serves every run.
        static input::Places at;
        input::Reader rd;
        input::read_sections(rd, at, ISTAT);
    } catch (const input::InputFault&) {
        ISTAT = ISINPUT;
    } catch (const input::InputStopped&) {
        ISTAT = ISSTOP;
    }
}

}  // namespace zolan
