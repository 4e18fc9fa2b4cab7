// A whole run in the current folder at a fixed clock time: the input data
// file copied in under its bare name (so no report depends on where the test
// ran), the default names file, IZOLAN(2) with the modules' own bodies.
// Returns the run status.
#pragma once

#include <ctime>
#include <initializer_list>
#include <map>
#include <regex>
#include <string>

#include "control/control.h"
#include "control/report_header.h"
#include "support/names_file.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan::test {

inline int run_at_fixed_time(const std::string& source, const char* name) {
    write_file(name, read_file(source));
    auto names = default_names();
    names[5] = name;
    write_names(names);
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 5;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    Seams seams;
    FIXED_CLOCK = t;
    return IZOLAN(2);
}

// The input with every load case and combination asking for `threads`
// threads: the third value of their first control record ("0 0 0 1 0 100 ...").
inline std::string with_threads(std::string input, int threads) {
    const std::string record = "0 0 0 1 0 100 ", asked = "0 0 " + std::to_string(threads) + " 1 0 100 ";
    for (std::size_t at = input.find(record); at != std::string::npos; at = input.find(record, at + 1))
        input.replace(at, record.size(), asked);
    return input;
}

// A whole run of the input text `source` under the bare name `name` in a
// fresh folder at the fixed time, every case asking for `threads` threads:
// the files `names` it leaves, by name (the folder on the header's path line
// read as "RUN FOLDER/"); `status` the run's status.
inline std::map<std::string, std::string> files_on_threads(const std::string& source, const char* name, int threads,
                                                          std::initializer_list<const char*> names, int& status) {
    TempDir dir;
    write_file("source.in", with_threads(source, threads));
    status = run_at_fixed_time("source.in", name);
    std::map<std::string, std::string> out;
    for (const char* f : names) out[f] = without_run_folder(read_file(f));
    return out;
}

// A whole run of the input text `input` in a fresh folder at the fixed time:
// its status lines that are not "1 ANALYSIS COMPLETED" (nor an envelope
// written), joined; `status` the run's status, `completed` (when given) the
// analyses completed.
inline std::string incomplete_analyses(const std::string& input, int& status, int* completed = nullptr) {
    TempDir dir;
    write_file("source.in", input);
    status = run_at_fixed_time("source.in", "variant.in");
    const std::string text = read_file("status.txt");
    static const std::regex line(R"(\n +\d+ [^\n]*)");
    std::string bad;
    if (completed) *completed = 0;
    for (std::sregex_iterator m(text.begin(), text.end(), line), e; m != e; ++m) {
        const std::string l = m->str();
        const bool done = l.find("ANALYSIS COMPLETED") != std::string::npos;
        if (done && completed) ++*completed;
        if (!done && l.find("CALCULATED") == std::string::npos) bad += l;
    }
    return bad;
}

}  // namespace zolan::test
