// The outcome of a whole run: the status lines of its analyses that did not
// complete, for tests that hold every analysis of a run to the full load.
#pragma once

#include <regex>
#include <string>

#include "support/fixed_run.h"
#include "support/temp_dir.h"

namespace zolan::test {

// The run of the input text `input` in a fresh folder at the fixed time: its
// status lines that are not "1 ANALYSIS COMPLETED" (nor an envelope or an
// estimate calculated), joined; `status` the run's status.
inline std::string incomplete_analyses(const std::string& input, int& status) {
    TempDir dir;
    write_file("source.in", input);
    status = run_at_fixed_time("source.in", "variant.in");
    const std::string text = read_file("status.txt");
    static const std::regex line(R"(\n +\d+ [^\n]*)");
    std::string bad;
    for (std::sregex_iterator m(text.begin(), text.end(), line), e; m != e; ++m) {
        const std::string l = m->str();
        if (l.find("ANALYSIS COMPLETED") == std::string::npos && l.find("CALCULATED") == std::string::npos) bad += l;
    }
    return bad;
}

}  // namespace zolan::test
