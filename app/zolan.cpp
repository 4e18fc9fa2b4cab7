// zolan: command-line front end of the pile-group engine. It prepares the run
// folder and its names file, calls the engine, shows the progress message
// while the run goes, turns a first Ctrl-C into a stop request, and prints
// the final status and where the reports are.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

extern "C" int IZOLAN(int mode);

namespace fs = std::filesystem;

namespace {

constexpr const char* kVersion = "ZOLAN 0.1";

// Names of the run files in the run folder, records 6 to 26 of the names file
// (record 5 is the input data file, record 27 the moment-curvature listing).
const char* const kRunFiles[] = {
    "input-echo.txt",     "results.txt",       "summary.txt",           "plot-curves.txt",
    "runtime.txt",        "status.txt",        "plot-data.txt",         "progress.txt",
    "curve-report.txt",   "flexibility.tmp",   "load-displacement.tmp", "pile-top.tmp",
    "stop-request.txt",   "equivalent-stiffness.tmp", "equivalent-stiffness-trace.txt",
    "pile-warnings.tmp",  "iteration-trace.txt", "axial-load.txt",      "curves.dat",
    "estimation-trace.txt", "summary.tmp",
};

std::atomic<bool> interrupted{false};

extern "C" void on_sigint(int) { interrupted.store(true); }

void usage(std::ostream& os) {
    os << "usage: zolan run INPUT [--dir DIR]\n"
          "       zolan run --names\n"
          "\n"
          "  run INPUT     analyse the input data file INPUT; the reports go to DIR\n"
          "                (default: a folder beside INPUT named after it)\n"
          "  run --names   run with the Names.dat of the current folder as it stands\n"
          "\n"
          "Ctrl-C once asks the run to stop after the current iteration; twice ends it at once.\n"
          "The exit code is the run's status: 0 completed, 4 stopped, others failed.\n";
}

// The content of a regular file; empty when it is missing, not a regular file
// (a folder, a pipe) or cannot be read. Never throws.
std::string slurp(const fs::path& p) {
    std::string out;
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return out;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        char buf[65536];
        ssize_t n;
        while ((n = ::read(fd, buf, sizeof buf)) > 0) out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return out;
}

// Modification time of a file in seconds, or -1 when it is missing.
double modified(const std::string& p) {
    struct stat st;
    if (p.empty() || ::stat(p.c_str(), &st) != 0) return -1.0;
    return static_cast<double>(st.st_mtim.tv_sec) + 1e-9 * static_cast<double>(st.st_mtim.tv_nsec);
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
        start = end + 1;
    }
    return out;
}

std::string trim(const std::string& s) {
    const auto a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    const auto b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

// The names of the run files that the front end follows, from a names file.
struct RunNames {
    std::string runtime, progress, stop, results, echo, summary;
};

std::string trim_right(const std::string& s) {
    const auto b = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(0, b + 1);
}

// What the engine finds wrong with a names file, for the message of a run
// that could not start; empty when it looks sound.
std::string names_fault(const fs::path& names) {
    if (!fs::exists(names)) return "no Names.dat in " + fs::current_path().string();
    const std::vector<std::string> recs = lines_of(slurp(names));
    if (recs.size() < 27) return "Names.dat has " + std::to_string(recs.size()) + " records; 27 are needed";
    for (std::size_t i = 4; i < 27; ++i)
        if (trim_right(recs[i]).size() > 256)
            return "Names.dat record " + std::to_string(i + 1) + " is longer than 256 characters";
    return "";
}

bool read_names(const fs::path& names, RunNames& rn) {
    const std::vector<std::string> recs = lines_of(slurp(names));
    if (recs.size() < 18) return false;
    auto rec = [&](int i) { return trim_right(recs[static_cast<std::size_t>(i - 1)]); };
    rn.echo = rec(6);
    rn.results = rec(7);
    rn.summary = rec(8);
    rn.runtime = rec(10);
    rn.progress = rec(13);
    rn.stop = rec(18);
    return true;
}

// Writes the names file of a run of `input` whose files live in `dir`.
bool write_names(const fs::path& dir, const fs::path& input, std::string& error) {
    std::ofstream out(dir / "Names.dat", std::ios::binary | std::ios::trunc);
    out << kVersion << "\n"
        << "zolan command-line front end\n"
        << input.filename().string() << "\n"
        << "\n"
        << input.string() << "\n";
    for (const char* name : kRunFiles) out << name << "\n";
    fs::path mphi = input;
    mphi.replace_extension(".mphi");
    out << mphi.string() << "\n";
    out.close();
    if (!out) {
        error = "cannot write " + (dir / "Names.dat").string();
        return false;
    }
    return true;
}

// The final status block of the runtime file: from its last line of blanks
// (written just before the status) to its end.
std::vector<std::string> final_status(const std::string& runtime) {
    const std::vector<std::string> lines = lines_of(slurp(runtime));
    std::size_t from = lines.size();
    for (std::size_t i = lines.size(); i-- > 0;) {
        if (!lines[i].empty() && trim(lines[i]).empty()) {
            from = i + 1;
            break;
        }
    }
    std::vector<std::string> out;
    for (std::size_t i = from; i < lines.size(); ++i)
        if (!trim(lines[i]).empty()) out.push_back(trim(lines[i]));
    return out;
}

std::string generic_status(int status) {
    switch (status) {
        case 0: return "ANALYSIS COMPLETED";
        case 4: return "*** ANALYSIS STOPPED BY USER ***";
        case 37: return "ERROR: the input data file is malformed or incomplete";
        case 38: return "ERROR: the names file or a run file could not be read, opened or written";
        case 39: return "ERROR: another run is in progress in this process";
        default: return "ERROR IN ANALYSIS, status " + std::to_string(status);
    }
}

// The latest progress message: the first line that is not blank.
std::string progress_message(const std::string& progress) {
    for (const std::string& l : lines_of(slurp(progress)))
        if (!trim(l).empty()) return trim(l);
    return "";
}

int run(const RunNames& rn) {
    const bool live = isatty(STDERR_FILENO) != 0;
    // No stop request may be left over from an earlier run in this folder.
    if (!rn.stop.empty() && (!fs::exists(rn.stop) || fs::is_regular_file(rn.stop)))
        std::ofstream(rn.stop, std::ios::trunc).close();
    // Files this run wrote are those modified since it started (less a
    // little for the coarse clock of file times).
    const double started =
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count() - 0.02;
    std::atomic<bool> done{false};
    int status = 0;
    std::thread worker([&] {
        status = IZOLAN(2);
        done.store(true);
    });

    std::signal(SIGINT, on_sigint);
    std::string shown;
    bool stop_sent = false;
    while (!done.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (interrupted.load() && !stop_sent) {
            stop_sent = true;
            std::signal(SIGINT, SIG_DFL);  // a second Ctrl-C ends the process
            if (!rn.stop.empty()) std::ofstream(rn.stop, std::ios::trunc) << "1\n";
            std::cerr << (live ? "\r\033[K" : "") << "stop requested: the run ends after its current step\n";
        }
        if (rn.progress.empty()) continue;
        const std::string msg = progress_message(rn.progress);
        if (!msg.empty() && msg != shown) {
            shown = msg;
            if (live) std::cerr << "\r\033[K" << msg << std::flush;
            else std::cerr << msg << "\n";
        }
    }
    worker.join();
    std::signal(SIGINT, SIG_DFL);
    if (live && !shown.empty()) std::cerr << "\r\033[K";

    // The final status as the engine wrote it in this run: the runtime file,
    // else the progress file, else what the front end can tell itself.
    std::vector<std::string> block;
    if (modified(rn.runtime) >= started) block = final_status(rn.runtime);
    if (block.empty() && modified(rn.progress) >= started && status != 0) {
        for (const std::string& l : lines_of(slurp(rn.progress)))
            if (!trim(l).empty()) block.push_back(trim(l));
    }
    if (block.empty()) {
        block.push_back(generic_status(status));
        if (status == 38) {
            const std::string why = names_fault("Names.dat");
            if (!why.empty()) block.push_back(why);
        }
    }
    for (const std::string& l : block) std::cout << l << "\n";

    if (status != 39) {
        std::cout << "\nreports in " << fs::current_path().string() << ":\n";
        for (const std::string* f : {&rn.results, &rn.echo, &rn.summary, &rn.runtime})
            if (!f->empty() && modified(*f) >= started) std::cout << "  " << *f << "\n";
    }
    std::cout << "status " << status << "\n";
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
        usage(args.empty() ? std::cerr : std::cout);
        return args.empty() ? 2 : 0;
    }
    if (args[0] != "run") {
        std::cerr << "zolan: unknown command '" << args[0] << "'\n";
        usage(std::cerr);
        return 2;
    }
    std::string input, dir;
    bool use_names = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--names") use_names = true;
        else if (args[i] == "--dir" && i + 1 < args.size()) dir = args[++i];
        else if (args[i].rfind("--dir=", 0) == 0) dir = args[i].substr(6);
        else if (!args[i].empty() && args[i][0] != '-' && input.empty()) input = args[i];
        else {
            std::cerr << "zolan: unexpected argument '" << args[i] << "'\n";
            usage(std::cerr);
            return 2;
        }
    }
    if (use_names == !input.empty()) {
        usage(std::cerr);
        return 2;
    }

    try {
        RunNames rn;
        if (use_names) {
            if (!fs::exists("Names.dat")) {
                std::cerr << "zolan: no Names.dat in " << fs::current_path().string() << "\n";
                return 38;
            }
            read_names("Names.dat", rn);  // a short one: the engine says what is wrong with it
            return run(rn);
        }
        const fs::path in = fs::absolute(input);
        if (!fs::is_regular_file(in)) {
            std::cerr << "zolan: no input data file " << in.string() << "\n";
            return 38;
        }
        fs::path folder = dir.empty() ? in.parent_path() / in.stem() : fs::absolute(dir);
        if (folder == in) folder += ".run";  // an input without extension
        fs::create_directories(folder);
        std::string error;
        if (!write_names(folder, in, error)) {
            std::cerr << "zolan: " << error << "\n";
            return 38;
        }
        fs::current_path(folder);
        read_names("Names.dat", rn);
        return run(rn);
    } catch (const std::exception& e) {
        std::cerr << "zolan: " << e.what() << "\n";
        return 38;
    }
}
