// libFuzzer target for the input reader: the bytes are the input data file of
// a whole run in a scratch folder with its own names file. A run may end with
// any status a bad input gives (37) or complete (0); a crash, a hang, a
// sanitizer report, a table index out of range (bounds checks are on in this
// build) or an internal fault caught by the entry point (40) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "control/control.h"
#include "model/status_codes.h"

namespace {

void write_file(const char* name, const void* data, std::size_t size) {
    std::FILE* f = std::fopen(name, "wb");
    if (!f) std::abort();
    if (size != 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // One scratch folder per fuzzing process, made the current directory.
    char dir[] = "/tmp/zolan-fuzz-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) std::abort();
    static const char* const names[27] = {
        "FUZZ",        "fuzz",         "input",        "",             "input.dat",    "echo.txt",
        "results.txt", "summary.txt",  "plot.txt",     "runtime.txt",  "status.txt",   "plotdata.txt",
        "progress.txt", "crvrpt.txt",  "flex.tmp",     "ldd.tmp",      "ptop.tmp",     "stop.txt",
        "eqk.tmp",     "eqm.txt",      "axwarn.tmp",   "itertrc.txt",  "axld.txt",     "curves.dat",
        "esttrc.txt",  "sumscr.tmp",   "mphi.txt",
    };
    std::string text;
    for (const char* n : names) text += std::string(n) + "\n";
    write_file("Names.dat", text.data(), text.size());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    write_file("input.dat", data, size);
    int status = 0;
    zolan::RUNDRV(status);
    if (status == zolan::ISINTERN || status == zolan::ISFILE) {
        std::fprintf(stderr, "run ended with status %d\n", status);
        std::abort();
    }
    return 0;
}
