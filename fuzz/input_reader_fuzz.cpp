// libFuzzer target for the input reader: the bytes are the input data file of
// a whole run in a scratch folder with its own names file. A run may end with
// any status a bad input gives (37) or complete (0); a crash, a hang, a
// sanitizer report, a table index out of range (bounds checks are on in this
// build) or an internal fault caught by the entry point (40) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "control/control.h"
#include "model/status_codes.h"

namespace {

void write_file(const std::string& name, const void* data, std::size_t size) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) std::abort();
    if (size != 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

// The scratch folder of this fuzzing process, in $TMPDIR (else /tmp), made
// at its first input with a fixed names file and removed when it exits. The
// process works in it only while a run goes, so that libFuzzer's logs,
// corpus and artifacts stay where their paths say.
std::string scratch;

void remove_scratch() {
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
}

void make_scratch() {
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/zolan-fuzz-XXXXXX";
    if (!mkdtemp(dir.data())) std::abort();
    scratch = dir;
    std::atexit(remove_scratch);
    static const char* const names[27] = {
        "FUZZ",        "fuzz",         "input",        "",             "input.dat",    "echo.txt",
        "results.txt", "summary.txt",  "plot.txt",     "runtime.txt",  "status.txt",   "plotdata.txt",
        "progress.txt", "crvrpt.txt",  "flex.tmp",     "ldd.tmp",      "ptop.tmp",     "stop.txt",
        "eqk.tmp",     "eqm.txt",      "axwarn.tmp",   "itertrc.txt",  "axld.txt",     "curves.dat",
        "esttrc.txt",  "sumscr.tmp",   "mphi.txt",
    };
    std::string text;
    for (const char* n : names) text += std::string(n) + "\n";
    write_file(scratch + "/Names.dat", text.data(), text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (scratch.empty()) make_scratch();
    write_file(scratch + "/input.dat", data, size);
    const std::filesystem::path here = std::filesystem::current_path();
    if (chdir(scratch.c_str()) != 0) std::abort();
    int status = 0;
    zolan::RUNDRV(status);
    if (chdir(here.c_str()) != 0) std::abort();
    if (status == zolan::ISINTERN || status == zolan::ISFILE) {
        std::fprintf(stderr, "run ended with status %d\n", status);
        std::abort();
    }
    return 0;
}
