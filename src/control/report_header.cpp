// Report header: the banner with the version text, the folder of the run's
// reports and the names of its files, and the block with the date and time of
// the analysis.
#include "control/report_header.h"

#include <array>
#include <filesystem>
#include <string>
#include <system_error>
#include <string_view>
#include <utility>

#include "model/run_state.h"
#include "report/run_files.h"

namespace zolan {

std::optional<std::tm> FIXED_CLOCK;

namespace {

// The parts of a file name as the front end gives it. The engine runs on
// Linux, but names may come as Windows paths, so '/' and '\' both separate
// folders and a leading letter with a colon ("D:") is a drive.
struct PathParts {
    std::string_view drive;  // "D:" or empty
    std::string_view dir;    // everything up to and including the last separator, or empty
    std::string_view name;   // file name without its extension
    std::string_view ext;    // from the last point of the file name on, the point included
};

std::string_view trim_right(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

bool is_separator(char c) { return c == '/' || c == '\\'; }

bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Splits a file name into drive, directory, name and extension; each part
// without its trailing blanks. The extension starts at the last point of the
// file name unless that point is its first character: a dot-file such as
// ".hidden" is a name without extension, and a name without a point has none.
PathParts split_path(std::string_view path) {
    PathParts p;
    if (path.size() >= 2 && is_letter(path[0]) && path[1] == ':') {
        p.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    std::size_t cut = 0;  // start of the file name
    for (std::size_t i = 0; i < path.size(); ++i)
        if (is_separator(path[i])) cut = i + 1;
    p.dir = path.substr(0, cut);
    const std::string_view file = path.substr(cut);
    const std::size_t dot = file.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        p.name = file;
    } else {
        p.name = file.substr(0, dot);
        p.ext = file.substr(dot);
    }
    p.drive = trim_right(p.drive);
    p.dir = trim_right(p.dir);
    p.name = trim_right(p.name);
    p.ext = trim_right(p.ext);
    return p;
}

void write_banner(int unit) {
    static const fmt::Format f(R"((5X, 73("="), /, /, 20X, "  ZOLAN for Windows, Version ", A12, /, /, )"
                               R"(20X, "   Analysis of A Group of Piles ", /, )"
                               R"(20X, "Subjected to Axial and Lateral Loading ", /, /, 5X, 73("="), /, /))");
    io::write_fmt(unit, f, {VERTXT.view()});
}

// The folder of the run's reports: that of the results report, taken from
// the current directory when its name is relative (a front end's run folder).
std::string report_folder() {
    const PathParts r = split_path(FRESULT);
    const std::string dir = std::string(r.drive) + std::string(r.dir);
    if (!r.drive.empty() || (!dir.empty() && is_separator(dir.front()))) return dir;
    std::error_code ec;
    std::string cwd = std::filesystem::current_path(ec).string();
    if (ec || cwd.empty()) return dir;
    if (!is_separator(cwd.back())) cwd.push_back('/');
    return cwd + dir;
}

// The folder of the reports, the input file by its whole name (it may lie
// elsewhere), then the other files by name alone.
void write_file_names(int unit) {
    const PathParts in = split_path(FINPUT);
    static const fmt::Format fin(R"((5X, "Path to file locations      : ", A, /, )"
                                 R"(5X, "Name of input data file     : ", A, A, A, A))");
    io::write_fmt(unit, fin, {report_folder(), in.drive, in.dir, in.name, in.ext});

    static const fmt::Format fecho(R"((5X, "Name of output echo file    : ", A, A))");
    static const fmt::Format fres(R"((5X, "Name of output results file : ", A, A))");
    static const fmt::Format fsum(R"((5X, "Name of output summary file : ", A, A))");
    static const fmt::Format fplot(R"((5X, "Name of plot output file    : ", A, A))");
    static const fmt::Format frun(R"((5X, "Name of runtime file        : ", A, A, /, /))");
    const std::array<std::pair<const fmt::Format*, const std::string*>, 5> lines{{
        {&fecho, &FECHO}, {&fres, &FRESULT}, {&fsum, &FSUMMRY}, {&fplot, &FPLOT}, {&frun, &FRUNTIM}}};
    for (const auto& [f, file] : lines) {
        const PathParts p = split_path(*file);
        io::write_fmt(unit, *f, {p.name, p.ext});
    }
}

std::tm clock_now() {
    if (FIXED_CLOCK) return *FIXED_CLOCK;
    const std::time_t t = std::time(nullptr);
    std::tm now{};
    localtime_r(&t, &now);
    return now;
}

}  // namespace

void DATETIM() {
    static constexpr std::array<std::string_view, 12> months{
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    const std::tm now = clock_now();
    const int year = now.tm_year + 1900;
    const int month = now.tm_mon + 1;

    static const fmt::Format head(R"((5X, 73("-"), /, 26X, "Time and Date of Analysis", /, 5X, 73("-"), /))");
    static const fmt::Format date(R"((15X, "Date:  ", A, " ", I2.2, ", ", I4, 5X, )"
                                  R"("Time:  ", I2.2, ":", I2.2, ":", I2.2))");
    for (const int unit : {RUNFILE, PLOTDATA, RESFILE, SUMFILE, ECHOFILE}) {
        io::write_fmt(unit, head);
        // Only a test clock can give a month outside 1..12; it gets no date line.
        if (month >= 1 && month <= 12)
            io::write_fmt(unit, date, {months[month - 1], now.tm_mday, year, now.tm_hour, now.tm_min, now.tm_sec});
    }
}

void write_report_header() {
    // 1. Summary: the banner.
    write_banner(SUMFILE);

    // 2. Runtime log: the version line, on disk at once for the front end.
    static const fmt::Format run(R"((/, 10X, "  ZOLAN for Windows, Version ", A12, /))");
    io::write_fmt(RUNFILE, run, {VERTXT.view()});
    io::flush_unit(RUNFILE);

    // 3. Results, plot data and echo: the banner and the names of the run's files.
    for (const int unit : {RESFILE, PLOTDATA, ECHOFILE}) {
        write_banner(unit);
        write_file_names(unit);
    }

    // 4. The date block on every report.
    DATETIM();

    // 5. One empty record on the plot data.
    io::write_fmt(PLOTDATA, "()");
}

}  // namespace zolan
