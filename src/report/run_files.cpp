#include "report/run_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <filesystem>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zolan::io {
namespace {

struct Unit final : fmt::LineSource, fmt::RecordSink {
    bool open = false;
    bool reading = false;
    OpenOptions opt;
    std::string name;
    std::FILE* fp = nullptr;   // null for a missing file opened ReadIfExists
    std::string line;          // open current line of a formatted output unit
    long lineno = 0;           // lines read so far
    bool too_long = false;     // the reading stopped at a line longer than fmt::MAXLINE

    bool next_line(std::string& out) override;
    long line_number() const override { return lineno; }
    bool line_too_long() const override { return too_long; }
    std::string_view file_name() const override { return name; }
    void end_record(std::string& l) override;
    void put(const void* data, std::size_t n);
};

Unit units[MAXUNIT + 1];
// The first failed write of the run; two units may fail on two threads at once.
std::mutex write_failure_lock;
std::string write_failure;

Unit* unit_at(int u) { return (u >= 0 && u <= MAXUNIT) ? &units[u] : nullptr; }

Unit* writable(int u) {
    Unit* p = unit_at(u);
    return (p && p->open && !p->reading && p->fp) ? p : nullptr;
}

Unit* readable(int u) {
    Unit* p = unit_at(u);
    return (p && p->open && p->reading) ? p : nullptr;
}

void note_failure(const Unit& u, int err) {
    if (u.opt.tolerant) return;
    char text[256];
    const char* why = strerror_r(err, text, sizeof text);
    const std::lock_guard<std::mutex> hold(write_failure_lock);
    if (write_failure.empty()) write_failure = u.name + ": " + why;
}

void Unit::put(const void* data, std::size_t n) {
    if (n != 0 && std::fwrite(data, 1, n, fp) != n) note_failure(*this, errno);
}

void Unit::end_record(std::string& l) {
    l.push_back('\n');
    put(l.data(), l.size());
    l.clear();
    if (!opt.buffered && std::fflush(fp) != 0) note_failure(*this, errno);
}

// Lines are read up to fmt::MAXLINE characters: a longer one ends the reading
// (the file is not a text of records) instead of filling the memory. A UTF-8
// byte-order mark that an editor put before the first line is not part of it.
bool Unit::next_line(std::string& out) {
    if (!fp || too_long) return false;
    out.clear();
    int c;
    bool any = false;
    while ((c = getc_unlocked(fp)) != EOF) {
        any = true;
        if (c == '\n') break;
        if (out.size() > fmt::MAXLINE) {  // room for the CR of a CR LF end
            too_long = true;
            ++lineno;
            return false;
        }
        out.push_back(static_cast<char>(c));
    }
    if (!any) return false;
    if (!out.empty() && out.back() == '\r') out.pop_back();
    if (lineno == 0 && out.starts_with("\xEF\xBB\xBF")) out.erase(0, 3);
    ++lineno;
    if (out.size() > fmt::MAXLINE) {
        too_long = true;
        return false;
    }
    return true;
}

std::string reason(std::string_view name, const char* what, int err) {
    std::string s(name);
    s += ": ";
    s += what;
    if (err != 0) {
        s += ": ";
        s += std::strerror(err);
    }
    return s;
}

// Why an existing file cannot serve: a folder never; a pipe would hold the
// run (and so its caller) until some other process opened its other end; a
// device read as a file may never end. Empty when the file is missing or fit.
const char* unfit(const std::string& name, bool reading) {
    struct stat st;
    if (::stat(name.c_str(), &st) != 0) return "";
    if (S_ISDIR(st.st_mode)) return "cannot open: it is a folder";
    if (S_ISFIFO(st.st_mode)) return "cannot open: it is a pipe";
    if (reading && !S_ISREG(st.st_mode)) return "cannot open for reading: not a regular file";
    return "";
}

}  // namespace

FileId file_id(const std::string& name) {
    namespace fs = std::filesystem;
    struct stat st;
    if (::stat(name.c_str(), &st) == 0) return {st.st_dev, st.st_ino, {}};
    // A dangling link: an open for writing creates the file it points to.
    fs::path p(name);
    std::error_code ec;
    for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++hop) {
        const fs::path target = fs::read_symlink(p, ec);
        if (ec) break;
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    const fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
    if (::stat(folder.c_str(), &st) == 0) return {st.st_dev, st.st_ino, p.filename().string()};
    return {0, 0, fs::absolute(p, ec).lexically_normal().string()};
}

bool open_unit(int unit, std::string_view name, OpenOptions opt, std::string* why) {
    Unit* u = unit_at(unit);
    if (!u) {
        if (why) *why = reason(name, "no such unit", 0);
        return false;
    }
    close_unit(unit);
    std::string path(name);
    std::string err;
    std::FILE* fp = nullptr;
    const bool reading = opt.access != Access::Write;
    if (path.empty()) {
        err = reason("(blank)", "no file name given", 0);
    } else if (const char* bad = unfit(path, reading); *bad) {
        err = reason(path, bad, 0);
    } else if (opt.access == Access::Write) {
        fp = std::fopen(path.c_str(), "wbe");  // e: not inherited by processes the host starts
        if (!fp) err = reason(path, "cannot open for writing", errno);
    } else if (opt.access == Access::ReadCreate) {
        int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
        if (fd >= 0) fp = ::fdopen(fd, "rb");
        if (!fp) {
            err = reason(path, "cannot open for reading", errno);
            if (fd >= 0) ::close(fd);
        }
    } else {
        fp = std::fopen(path.c_str(), "rbe");
        if (!fp && !(opt.access == Access::ReadIfExists && errno == ENOENT))
            err = reason(path, "cannot open for reading", errno);
    }
    if (!err.empty()) {
        if (why) *why = err;
        return false;
    }
    if (fp && opt.buffered) std::setvbuf(fp, nullptr, _IOFBF, 1 << 16);
    u->open = true;
    u->reading = reading;
    u->opt = opt;
    u->name = std::move(path);
    u->fp = fp;
    u->line.clear();
    u->lineno = 0;
    u->too_long = false;
    return true;
}

void close_unit(int unit) {
    Unit* u = unit_at(unit);
    if (!u || !u->open) return;
    if (!u->reading && !u->line.empty()) u->end_record(u->line);
    if (u->fp && std::fclose(u->fp) != 0 && !u->reading) note_failure(*u, errno);
    u->too_long = false;
    u->fp = nullptr;
    u->open = false;
    u->reading = false;
    u->line.clear();
    u->name.clear();
    u->lineno = 0;
}

void close_all_units() {
    for (int i = 0; i <= MAXUNIT; ++i) close_unit(i);
}

void flush_all_units() {
    for (int i = 0; i <= MAXUNIT; ++i) flush_unit(i);
}

bool unit_open(int unit) {
    Unit* u = unit_at(unit);
    return u && u->open;
}

void flush_unit(int unit) {
    if (Unit* u = writable(unit); u && std::fflush(u->fp) != 0) note_failure(*u, errno);
}

std::string_view unit_name(int unit) {
    Unit* u = unit_at(unit);
    return (u && u->open) ? std::string_view(u->name) : std::string_view();
}

std::string first_write_failure() {
    const std::lock_guard<std::mutex> hold(write_failure_lock);
    return write_failure;
}

void write_records(int unit, std::string_view text) {
    for (;;) {
        const std::size_t nl = text.find('\n');
        write_line(unit, text.substr(0, nl));
        if (nl == std::string_view::npos) return;
        text.remove_prefix(nl + 1);
    }
}

void reset_write_failures() {
    const std::lock_guard<std::mutex> hold(write_failure_lock);
    write_failure.clear();
}

void write_fmt(int unit, const fmt::Format& f, std::span<const fmt::Item> items) {
    Unit* u = writable(unit);
    if (!u || u->opt.unformatted) return;
    fmt::write_format(f, items, u->line, *u);
}

void write_list(int unit, std::span<const fmt::Item> items) {
    Unit* u = writable(unit);
    if (!u || u->opt.unformatted) return;
    if (!items.empty()) fmt::list_write(u->line, items);
    u->end_record(u->line);
}

std::string* current_line(int unit) {
    Unit* u = writable(unit);
    return (u && !u->opt.unformatted) ? &u->line : nullptr;
}

void end_record(int unit) {
    if (Unit* u = writable(unit); u && !u->opt.unformatted) u->end_record(u->line);
}

void write_line(int unit, std::string_view text) {
    if (Unit* u = writable(unit); u && !u->opt.unformatted) {
        u->line.append(text);
        u->end_record(u->line);
    }
}

void write_unf(int unit, std::span<const UItem> items) {
    Unit* u = writable(unit);
    if (!u || !u->opt.unformatted) return;
    std::string rec;
    rec.reserve(4 + 8 * items.size() + 4);
    auto put_le = [&rec](const void* p, std::size_t n) {
        // The engine runs on little-endian machines only (x86-64, AArch64).
        static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__);
        rec.append(static_cast<const char*>(p), n);
    };
    std::int32_t len = 0;
    for (const UItem& it : items) len += it.is_int ? 4 : 8;
    put_le(&len, 4);
    for (const UItem& it : items) {
        if (it.is_int) put_le(&it.i, 4);
        else put_le(&it.r, 8);
    }
    put_le(&len, 4);
    u->put(rec.data(), rec.size());
    if (!u->opt.buffered && std::fflush(u->fp) != 0) note_failure(*u, errno);
}

fmt::LineSource* line_source(int unit) { return readable(unit); }

fmt::ReadStatus read_list(int unit, std::span<const fmt::Target> targets) {
    if (Unit* u = readable(unit)) return fmt::read_list(*u, targets);
    fmt::ReadStatus st;
    st.code = fmt::ReadStatus::Code::EndOfFile;
    st.message = "unit " + std::to_string(unit) + " is not open for reading";
    return st;
}

fmt::ReadStatus read_text_line(int unit, std::span<char> text) {
    if (Unit* u = readable(unit)) return fmt::read_text_line(*u, text);
    fmt::ReadStatus st;
    st.code = fmt::ReadStatus::Code::EndOfFile;
    st.message = "unit " + std::to_string(unit) + " is not open for reading";
    return st;
}

bool read_line(int unit, std::string& line) {
    Unit* u = readable(unit);
    return u && u->next_line(line);
}

bool line_too_long(int unit) {
    Unit* u = readable(unit);
    return u && u->too_long;
}

bool read_unf(int unit, std::string& bytes) {
    Unit* u = readable(unit);
    if (!u || !u->fp) return false;
    std::int32_t head = 0, tail = 0;
    if (std::fread(&head, 4, 1, u->fp) != 1 || head < 0) return false;
    // A damaged length marker must not ask for more than the file holds.
    struct stat st;
    const long at = std::ftell(u->fp);
    if (::fstat(::fileno(u->fp), &st) != 0 || at < 0 || static_cast<long long>(head) + 4 > st.st_size - at)
        return false;
    bytes.resize(static_cast<std::size_t>(head));
    if (head > 0 && std::fread(bytes.data(), 1, bytes.size(), u->fp) != bytes.size()) return false;
    return std::fread(&tail, 4, 1, u->fp) == 1 && tail == head;
}

}  // namespace zolan::io
