// zolan: command-line front end of the pile-group engine. It prepares the run
// folder and its names file, calls the engine, shows the progress message
// while the run goes, turns a first Ctrl-C into a stop request, and prints
// the final status and the reports the run wrote.
#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "report/run_lock.h"
#include "report/visible_text.h"

extern "C" int IZOLAN(int mode);

namespace fs = std::filesystem;

namespace {

constexpr const char* kVersion = "ZOLAN 0.1";
constexpr int kRecords = 27;
constexpr std::size_t kNameLen = 256;  // longest file name a names-file record holds

// Status codes the front end gives itself, as the engine gives them.
constexpr int kBadInput = 37;  // the input data file is missing or not a file
constexpr int kBadNames = 38;  // a names file that cannot carry the run's names
constexpr int kBusy = 39;      // another run holds the run folder
// A command line the front end does not understand: a code no run status uses.
constexpr int kUsage = 64;
// The front end's own exit code: the run completed (status 0) but some of its
// analyses did not (a partial solution or none); the run log names them.
constexpr int kIncomplete = 65;

// Records 6 to 26 of the names file: the run files, their names in a run
// folder of the front end, and what each holds. Scratch files are work files
// of the engine, removed when a run of the front end ends.
struct RunFile {
    const char* name;
    const char* what;
    bool scratch;
};
const RunFile kRunFiles[] = {
    {"input-echo.txt", "input echo", false},
    {"results.txt", "results report", false},
    {"summary.txt", "summary", false},
    {"plot-curves.txt", "plot file of generated curves", false},
    {"runtime.txt", "runtime file (run log, final status, timing)", false},
    {"status.txt", "status file", false},
    {"plot-data.txt", "plot-data file", false},
    {"progress.txt", "progress file (the latest message)", false},
    {"curve-report.txt", "report of generated axial and torsional curves", false},
    {"flexibility.tmp", "flexibility scratch", true},
    {"load-displacement.tmp", "load-displacement scratch", true},
    {"pile-top.tmp", "pile-top work file", true},
    {"stop-request.txt", "stop-request file", false},
    {"equivalent-stiffness.tmp", "equivalent-stiffness file", true},
    {"equivalent-stiffness-trace.txt", "equivalent-stiffness matrix trace", false},
    {"pile-warnings.tmp", "pile-warning scratch", true},
    {"iteration-trace.txt", "iteration trace", false},
    {"axial-load.txt", "axial load along the piles", false},
    {"curves.dat", "curve file for graphics", false},
    {"estimation-trace.txt", "estimation trace", false},
    {"summary.tmp", "summary scratch", true},
};
constexpr int kStopRecord = 18;
const RunFile& run_file(int record) { return kRunFiles[record - 6]; }

std::atomic<bool> interrupted{false};

extern "C" void on_sigint(int) { interrupted.store(true); }

void usage(std::ostream& os) {
    os << "usage: zolan run INPUT [--dir DIR]\n"
          "       zolan run --names\n"
          "       zolan --version\n"
          "\n"
          "  run INPUT     analyse the input data file INPUT; the reports go to DIR\n"
          "                (default: a folder beside INPUT named after it)\n"
          "  run --names   run with the Names.dat of the current folder as it stands\n"
          "\n"
          "Ctrl-C once asks the run to stop after the current iteration; twice ends it at once.\n"
          "The exit code is the run's status: 0 completed, 4 stopped, others failed;\n"
          "64 a command line that zolan does not understand;\n"
          "65 when the run completed but some of its analyses did not (they are listed).\n";
}

// Text from files or the command line as it may go to a terminal.
std::string visible(const std::string& s) { return zolan::fmt::visible(s); }

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

// The end of a regular file: its last `limit` bytes from the first line that
// begins in them (the whole content when it is shorter); empty as slurp. A
// log of any length is printed from its end without being read whole.
std::string slurp_tail(const fs::path& p, std::size_t limit) {
    std::string out;
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return out;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        const off_t size = st.st_size, from = size > static_cast<off_t>(limit) ? size - static_cast<off_t>(limit) : 0;
        out.resize(static_cast<std::size_t>(size - from));
        std::size_t got = 0;
        ssize_t n;
        while (got < out.size() &&
               (n = ::pread(fd, out.data() + got, out.size() - got, from + static_cast<off_t>(got))) > 0)
            got += static_cast<std::size_t>(n);
        out.resize(got);
        if (from > 0) out.erase(0, out.find('\n') == std::string::npos ? out.size() : out.find('\n') + 1);
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

std::string trim_right(const std::string& s) {
    const auto b = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(0, b + 1);
}

// Whether two names reach one file: the same file when both exist (any link
// or spelling), else the same place once the existing folders are resolved.
bool same_file(const std::string& a, const std::string& b) {
    std::error_code ea, eb;
    const bool xa = fs::exists(a, ea), xb = fs::exists(b, eb);
    if (xa && xb) return fs::equivalent(a, b, ea) && !ea;
    if (xa || xb) return false;
    const fs::path ca = fs::weakly_canonical(a, ea), cb = fs::weakly_canonical(b, eb);
    return !ea && !eb && ca == cb;
}

// The records of a names file, 1 to 27 (names without trailing blanks);
// records past its end are empty.
struct RunNames {
    std::vector<std::string> rec = std::vector<std::string>(kRecords + 1);
    std::size_t count = 0;  // records the file holds
    const std::string& operator[](int r) const { return rec[static_cast<std::size_t>(r)]; }
};

RunNames read_names(const fs::path& names) {
    RunNames rn;
    const std::vector<std::string> lines = lines_of(slurp(names));
    rn.count = lines.size();
    for (std::size_t i = 0; i < lines.size() && i < kRecords; ++i) rn.rec[i + 1] = trim_right(lines[i]);
    return rn;
}

// What the engine finds wrong with a names file, for the message of a run
// that could not start; empty when it looks sound.
std::string names_fault(const RunNames& rn) {
    if (!fs::exists("Names.dat")) return "no Names.dat in " + fs::current_path().string();
    if (rn.count < kRecords) return "Names.dat has " + std::to_string(rn.count) + " records; 27 are needed";
    for (int r = 5; r <= kRecords; ++r)
        if (rn[r].size() > kNameLen)
            return "Names.dat record " + std::to_string(r) + " is longer than 256 characters";
    for (int a = 5; a <= kRecords; ++a) {
        if (!rn[a].empty() && same_file(rn[a], "Names.dat"))
            return "Names.dat record " + std::to_string(a) + " names Names.dat itself";
        for (int b = a + 1; b <= kRecords; ++b)
            if (!rn[a].empty() && !rn[b].empty() && same_file(rn[a], rn[b]))
                return "Names.dat records " + std::to_string(a) + " and " + std::to_string(b) + " name one file";
    }
    return "";
}

// The stop-request file may be cleared only when it is a file of its own:
// never the input or another file of the run, whatever the names file says.
bool stop_file_apart(const RunNames& rn) {
    const std::string& stop = rn[kStopRecord];
    if (stop.empty() || same_file(stop, "Names.dat")) return false;
    for (int r = 5; r <= kRecords; ++r)
        if (r != kStopRecord && !rn[r].empty() && same_file(stop, rn[r])) return false;
    return true;
}

// A stop request left by an earlier run (the file holds the integer 1) would
// end this one at once: it is cleared, and the user is told.
void clear_stop_request(const RunNames& rn) {
    const std::string& stop = rn[kStopRecord];
    std::error_code ec;
    if (!stop_file_apart(rn) || !fs::is_regular_file(stop, ec)) return;
    std::string first = slurp(stop);
    first = first.substr(0, first.find_first_of(" \t\r\n,/", first.find_first_not_of(" \t\r\n")));
    first = trim(first);
    if (!first.empty() && first[0] == '+') first.erase(0, 1);
    int flag = 0;
    const auto [end, err] = std::from_chars(first.data(), first.data() + first.size(), flag);
    if (err == std::errc() && end == first.data() + first.size() && flag == 1)
        std::cerr << "zolan: " << visible(stop) << " held a stop request left by an earlier run; it was cleared\n";
    std::ofstream(stop, std::ios::trunc).close();
}

// The run folder's locks, held from before the front end writes anything in
// the folder until it has listed the run's reports: the folder itself (one
// front end at a time in a folder) and the folder's lock file, which the
// engine takes for the run (and every program calling the engine there): the
// front end gives that one up for the call only and takes it back after.
struct RunFolderLock {
    zolan::io::FolderLock folder, run;
};

std::string busy_folder(const fs::path& folder) {
    return "the run folder " + visible(folder.string()) + " is in use by another run; nothing was written there";
}

// Takes the locks of `folder`; false with the message printed when another
// run holds either. A folder that cannot hold a lock (read only, on a file
// system without locks) is run in as before.
bool lock_run_folder(const fs::path& folder, RunFolderLock& lk) {
    using zolan::io::LockState;
    lk.folder = zolan::io::take_lock(folder.string());
    if (lk.folder.state != LockState::Busy) lk.run = zolan::io::take_lock((folder / zolan::io::LOCKFILE).string());
    if (lk.folder.state != LockState::Busy && lk.run.state != LockState::Busy) return true;
    zolan::io::release_lock(lk.run);
    zolan::io::release_lock(lk.folder);
    std::cerr << "zolan: " << busy_folder(folder) << "; wait for that run to end, or run in another folder\n";
    return false;
}

// The final status block of the runtime file: from its last line of blanks
// (written just before the status) to its end, read from the last 64 KiB.
std::vector<std::string> final_status(const std::string& runtime) {
    const std::vector<std::string> lines = lines_of(slurp_tail(runtime, 65536));
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
        case 37: return "ERROR: the input data file is missing, unreadable, malformed or incomplete";
        case 38: return "ERROR: the names file or a run file could not be read, opened or written";
        default: return "ERROR IN ANALYSIS, status " + std::to_string(status);
    }
}

// How many analyses the final status block names as not completed (its
// line "** WARNING **  n ANALYSES DID NOT COMPLETE:"); 0 when none.
int incomplete_count(const std::vector<std::string>& block) {
    for (const std::string& l : block) {
        if (l.rfind("** WARNING **", 0) != 0 || l.find("DID NOT COMPLETE") == std::string::npos) continue;
        const std::string n = trim(l.substr(13, l.find(" ANALYS") - 13));
        int count = 0;
        const auto [end, err] = std::from_chars(n.data(), n.data() + n.size(), count);
        return err == std::errc() && end == n.data() + n.size() && count > 0 ? count : 1;
    }
    return 0;
}

// The warnings of the input echo: how many, and the first line of the text
// of the first few. A warning is a line that begins with the engine's
// marker: "** WARNING **" with its text after it on the line ("** WARNING **
// RQD OUTSIDE ..."), "WARNING-----" with its text after the dashes, or a
// heading ("**** WARNING ****", "-----WARNING-----") whose text is the next
// line that is not blank. The word in other text (a title, a case name) is
// no warning. The echo is read line by line, whatever its length.
struct EchoWarnings {
    int count = 0;
    std::vector<std::string> first;
};

bool warning_marker(const std::string& t) {
    if (t.starts_with("** WARNING **") || t.starts_with("**** WARNING ****") || t.starts_with("WARNING--")) return true;
    const std::size_t word = t.find_first_not_of('-');
    return word >= 2 && word != std::string::npos && t.compare(word, 7, "WARNING") == 0;
}

EchoWarnings echo_warnings(const std::string& echo, std::size_t keep) {
    EchoWarnings w;
    std::ifstream in(echo, std::ios::binary);
    std::string line;
    bool heading = false;  // the text of the last warning is still to come
    while (std::getline(in, line)) {
        const std::string t = trim(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
        if (heading) {
            if (t.empty()) continue;
            if (w.first.size() < keep) w.first.push_back(t);
            heading = false;
            continue;
        }
        const std::size_t at = t.find("WARNING");
        if (!warning_marker(t)) continue;
        ++w.count;
        const std::size_t text = t.find_first_not_of("*-: ", at + 7);
        if (text == std::string::npos) heading = true;
        else if (w.first.size() < keep) w.first.push_back(t.substr(text));
    }
    return w;
}

// The input's warnings stand in the input echo only: their count and the
// first three on the terminal, with the file that holds them all.
void print_echo_warnings(const std::string& echo) {
    const EchoWarnings w = echo_warnings(echo, 3);
    if (w.count == 0) return;
    std::cout << "\n" << w.count << (w.count == 1 ? " warning" : " warnings") << " in the input echo "
              << visible(echo) << ":\n";
    for (const std::string& t : w.first) std::cout << "  " << visible(t) << "\n";
    if (w.count > static_cast<int>(w.first.size()))
        std::cout << "  (and " << w.count - static_cast<int>(w.first.size()) << " more)\n";
}

// What a file that the names file does not name holds, by its name: the
// flexible cap's slab decks, the slab program's file list and its trace.
std::string other_file_role(const std::string& name) {
    auto ends = [&](const char* tail) {
        const std::string t(tail);
        return name.size() >= t.size() && name.compare(name.size() - t.size(), t.size(), t) == 0;
    };
    if (name == "gslab.dat") return "file list of the slab analysis";
    if (name == "slabtrace.txt") return "trace of the slab analysis (iterations, pile springs)";
    if (ends("_slab.dat")) return "slab deck of the flexible cap";
    if (ends("_slab.key")) return "slab deck of the flexible cap (keywords, cap axes)";
    return "written by the run";
}

// Files the run wrote that the names file does not name (the flexible cap's):
// those of the run folder and of the results report's folder written since
// the run started, by name.
std::vector<std::string> other_files_written(const RunNames& rn, double started) {
    std::vector<fs::path> folders = {fs::current_path()};
    std::error_code ec;
    const fs::path results = fs::absolute(rn[7], ec).parent_path();
    if (!ec && !results.empty() && !same_file(results.string(), folders[0].string())) folders.push_back(results);
    std::vector<std::string> out;
    for (const fs::path& folder : folders) {
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::path p = it->path();
            if (!it->is_regular_file(ec) || modified(p.string()) < started || fs::file_size(p, ec) == 0) continue;
            bool named = same_file(p.string(), "Names.dat");
            for (int r = 5; r <= kRecords && !named; ++r) named = !rn[r].empty() && same_file(p.string(), rn[r]);
            if (!named) out.push_back(folder == folders[0] ? p.filename().string() : p.string());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

// The latest progress message: its first line that is not blank, and the
// load step and iteration of the cap solution on the line after it when the
// message carries them. The engine rewrites the file record by record, and
// every message ends with an empty record: a file read before that record
// is a message half written, and nothing is taken from it.
std::string progress_message(const std::string& progress) {
    const std::string text = slurp(progress);
    if (!text.ends_with("\n\n")) return {};
    std::string out;
    for (const std::string& l : lines_of(text)) {
        const std::string t = trim(l);
        if (t.empty()) continue;
        if (out.empty()) out = t;
        else if (t.starts_with("STEP:") || t.starts_with("DOF:")) return out + "  " + t;
        else break;
    }
    return out;
}

// Calls the engine on a worker thread and shows each new progress message
// until it returns; a first Ctrl-C writes the stop request.
int run_engine(const RunNames& rn, double started) {
    const bool live = isatty(STDERR_FILENO) != 0;
    const std::string& progress = rn[13];
    const bool may_stop = stop_file_apart(rn);
    std::mutex lock;
    std::condition_variable ended;
    bool done = false;
    int status = 0;
    std::thread worker([&] {
        const int s = IZOLAN(2);
        const std::lock_guard<std::mutex> hold(lock);
        status = s;
        done = true;
        ended.notify_one();
    });

    std::signal(SIGINT, on_sigint);
    std::string shown;
    bool stop_sent = false;
    std::unique_lock<std::mutex> hold(lock);
    while (!ended.wait_for(hold, std::chrono::milliseconds(100), [&] { return done; })) {
        hold.unlock();
        if (interrupted.load() && !stop_sent) {
            stop_sent = true;
            std::signal(SIGINT, SIG_DFL);  // a second Ctrl-C ends the process
            if (may_stop) std::ofstream(rn[kStopRecord], std::ios::trunc) << "1\n";
            std::cerr << (live ? "\r\033[K" : "") << "stop requested: the run ends after its current step\n";
        }
        // Only a message of this run: the file may still hold the last one of
        // the run before until the engine writes its first.
        const bool fresh = !progress.empty() && modified(progress) >= started;
        const std::string msg = fresh ? visible(progress_message(progress)) : std::string();
        if (!msg.empty() && msg != shown) {
            shown = msg;
            if (live) std::cerr << "\r\033[K" << msg << std::flush;
            else std::cerr << msg << "\n";
        }
        hold.lock();
    }
    hold.unlock();
    worker.join();
    std::signal(SIGINT, SIG_DFL);
    if (live && !shown.empty()) std::cerr << "\r\033[K";
    return status;
}

// Runs the engine on the names file of the current folder, prints the final
// status and the reports this run wrote, and removes the scratch files when
// the front end named them.
int run(const RunNames& rn, bool own_names, RunFolderLock& lk) {
    clear_stop_request(rn);
    // Files this run wrote are those modified since it started (less a
    // little for the coarse clock of file times).
    const double started =
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count() - 0.02;
    zolan::io::release_lock(lk.run);
    const int status = run_engine(rn, started);
    // A run of another program that took the folder's lock file first: the
    // files there are that run's, and none of them is read, removed or
    // listed here.
    if (status == kBusy) {
        std::cout << "ERROR: another run holds the run folder " << visible(fs::current_path().string())
                  << " (its lock file " << zolan::io::LOCKFILE << "); this run did not start\nstatus " << status
                  << "\n";
        return status;
    }
    lk.run = zolan::io::take_lock(zolan::io::LOCKFILE);
    if (own_names && lk.run.state != zolan::io::LockState::Busy)
        for (const RunFile& f : kRunFiles)
            if (f.scratch) std::remove(f.name);

    // The final status as the engine wrote it in this run: the runtime file,
    // else the progress file, else what the front end can tell itself.
    std::vector<std::string> block;
    if (modified(rn[10]) >= started) block = final_status(rn[10]);
    if (block.empty() && modified(rn[13]) >= started && status != 0) {
        for (const std::string& l : lines_of(slurp(rn[13])))
            if (!trim(l).empty()) block.push_back(trim(l));
    }
    if (block.empty()) {
        block.push_back(generic_status(status));
        if (status == kBadNames) {
            const std::string why = names_fault(rn);
            if (!why.empty()) block.push_back(why);
        }
    }
    for (const std::string& l : block) std::cout << visible(l) << "\n";
    const int incomplete = incomplete_count(block);
    if (modified(rn[6]) >= started) print_echo_warnings(rn[6]);

    // Every report this run wrote, with what it holds.
    std::vector<int> written;
    std::size_t width = 0;
    for (int r = 6; r <= 26; ++r) {
        std::error_code ec;
        if (r == kStopRecord || modified(rn[r]) < started || !fs::is_regular_file(rn[r], ec) ||
            fs::file_size(rn[r], ec) == 0)
            continue;
        written.push_back(r);
        width = std::max(width, visible(rn[r]).size());
    }
    const std::vector<std::string> others = other_files_written(rn, started);
    for (const std::string& f : others) width = std::max(width, visible(f).size());
    if (!written.empty() || !others.empty()) {
        std::cout << "\nreports in " << visible(fs::current_path().string()) << ":\n";
        for (const int r : written) {
            const std::string name = visible(rn[r]);
            std::cout << "  " << name << std::string(width + 2 - name.size(), ' ') << run_file(r).what << "\n";
        }
        for (const std::string& f : others) {
            const std::string name = visible(f);
            std::cout << "  " << name << std::string(width + 2 - name.size(), ' ')
                      << other_file_role(fs::path(f).filename().string()) << "\n";
        }
    }
    // The last line: the run's status; when it is 0 but some analyses did
    // not complete, first that they did not and the exit code that says so.
    if (status == 0 && incomplete > 0) {
        std::cout << incomplete << (incomplete == 1 ? " analysis" : " analyses") << " did not complete (exit "
                  << kIncomplete << "); run status 0\n";
        return kIncomplete;
    }
    std::cout << "status " << status << "\n";
    return status;
}

// A name as record 5 or 27 of the names file carries it exactly, or why not.
std::string record_fault(const std::string& name) {
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return "it holds a control character (" + visible(std::string(1, c)) + ")";
    if (!name.empty() && (name.front() == ' ' || name.back() == ' ')) return "it begins or ends with a blank";
    if (name.size() > kNameLen)
        return "it is " + std::to_string(name.size()) + " characters long, and the names file holds at most " +
               std::to_string(kNameLen);
    return "";
}

// The input data file and the moment-curvature listing beside it (named like
// it with the extension .mphi), as the names file gives them to the engine:
// by their absolute names, or relative to the run folder when those are too
// long. Empty with the reason printed when neither can be carried exactly.
std::optional<std::pair<std::string, std::string>> input_records(const fs::path& in, const fs::path& folder) {
    fs::path mphi = in;
    mphi.replace_extension(".mphi");
    std::string why = record_fault(in.string());
    if (why.empty()) why = record_fault(mphi.string());
    if (why.empty()) return std::make_pair(in.string(), mphi.string());
    std::error_code ec1, ec2;
    const fs::path base = fs::weakly_canonical(folder, ec1);
    const fs::path at = fs::canonical(in.parent_path(), ec2) / in.filename();
    fs::path rel = at.lexically_relative(base), rel_mphi = rel;
    rel_mphi.replace_extension(".mphi");
    if (!ec1 && !ec2 && !rel.empty() && record_fault(rel.string()).empty() && record_fault(rel_mphi.string()).empty())
        return std::make_pair(rel.string(), rel_mphi.string());
    std::cerr << "zolan: the input data file \"" << visible(in.string()) << "\" cannot be given to the engine: " << why
              << (why.find("characters long") != std::string::npos
                      ? "; move it nearer to the run folder, or give a run folder nearer to it with --dir"
                      : "; rename it")
              << "\n";
    return std::nullopt;
}

// Writes the names file of a run whose files live in `dir`.
bool write_names(const fs::path& dir, const fs::path& input, const std::pair<std::string, std::string>& rec,
                 std::string& error) {
    std::ofstream out(dir / "Names.dat", std::ios::binary | std::ios::trunc);
    out << kVersion << "\n"
        << "zolan command-line front end\n"
        << input.filename().string() << "\n"
        << "\n"
        << rec.first << "\n";
    for (const RunFile& f : kRunFiles) out << f.name << "\n";
    out << rec.second << "\n";
    out.close();
    if (!out) {
        error = "cannot write " + (dir / "Names.dat").string();
        return false;
    }
    return true;
}

// Why `in` cannot be the input data file of a run in `folder`, with its
// status; 0 when it can.
int input_fault(const fs::path& in, const fs::path& folder, std::string& why) {
    struct stat st;
    if (::stat(in.c_str(), &st) != 0) {
        why = "no input data file " + visible(in.string());
        return kBadInput;
    }
    if (!S_ISREG(st.st_mode)) {
        why = visible(in.string()) + (S_ISDIR(st.st_mode)    ? " is a folder"
                                      : S_ISFIFO(st.st_mode) ? " is a pipe"
                                                             : " is not a regular file") +
              ", not an input data file";
        return kBadInput;
    }
    // The files the front end writes in the run folder must not be the input.
    std::vector<std::string> own = {"Names.dat", zolan::io::LOCKFILE};
    for (const RunFile& f : kRunFiles) own.push_back(f.name);
    for (const std::string& f : own) {
        std::error_code ec;
        if (fs::exists(folder / f, ec) && fs::equivalent(in, folder / f, ec)) {
            why = "the input data file " + visible(in.string()) + " is the run file " + f + " of the run folder " +
                  visible(folder.string()) + "; give another run folder with --dir";
            return kBadNames;
        }
    }
    return 0;
}

// zolan run INPUT: checks the input, makes the run folder and its names
// file, and runs there.
int run_input(const std::string& input, const std::string& dir) {
    const fs::path in = fs::absolute(input);
    fs::path folder = dir.empty() ? in.parent_path() / in.stem() : fs::absolute(dir);
    if (folder == in) folder += ".run";  // an input without extension
    std::string why;
    if (const int code = input_fault(in, folder, why)) {
        std::cerr << "zolan: " << why << "\n";
        return code;
    }
    const auto rec = input_records(in, folder);
    if (!rec) return kBadNames;
    fs::create_directories(folder);
    RunFolderLock lk;
    if (!lock_run_folder(folder, lk)) return kBusy;
    if (!write_names(folder, in, *rec, why)) {
        std::cerr << "zolan: " << visible(why) << "\n";
        return kBadNames;
    }
    fs::current_path(folder);
    return run(read_names("Names.dat"), true, lk);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
        usage(args.empty() ? std::cerr : std::cout);
        return args.empty() ? kUsage : 0;
    }
    if (args[0] == "--version" && args.size() == 1) {
        std::cout << kVersion << "\n";
        return 0;
    }
    if (args[0] != "run") {
        std::cerr << "zolan: unknown command '" << visible(args[0]) << "'\n";
        usage(std::cerr);
        return kUsage;
    }
    std::string input, dir;
    bool use_names = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const bool dir_flag = args[i] == "--dir" || args[i].starts_with("--dir=");
        if (args[i] == "--names") use_names = true;
        else if (args[i] == "--dir" && i + 1 < args.size() && !args[i + 1].empty() && !args[i + 1].starts_with("--"))
            dir = args[++i];
        else if (args[i].starts_with("--dir=") && args[i].size() > 6) dir = args[i].substr(6);
        else if (dir_flag) {
            std::cerr << "zolan: --dir needs the name of the folder for the reports: zolan run INPUT --dir DIR\n";
            return kUsage;
        } else if (!args[i].empty() && args[i][0] != '-' && input.empty()) input = args[i];
        else {
            std::cerr << "zolan: unexpected argument '" << visible(args[i]) << "'\n";
            usage(std::cerr);
            return kUsage;
        }
    }
    if (use_names == !input.empty()) {
        usage(std::cerr);
        return kUsage;
    }

    try {
        if (!use_names) return run_input(input, dir);
        if (!fs::exists("Names.dat")) {
            std::cerr << "zolan: no Names.dat in " << visible(fs::current_path().string()) << "\n";
            return kBadNames;
        }
        RunFolderLock lk;
        if (!lock_run_folder(fs::current_path(), lk)) return kBusy;
        return run(read_names("Names.dat"), false, lk);  // a faulty one: the engine says what is wrong
    } catch (const std::exception& e) {
        std::cerr << "zolan: " << visible(e.what()) << "\n";
        return kBadNames;
    }
}
