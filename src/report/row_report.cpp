// Row reports: buffered warning blocks of a pile row, and the routing of a
// block to the thread's row report or straight to its file.
#include "report/row_report.h"

#include <mutex>

#include "report/run_files.h"

namespace zolan {
namespace {

thread_local RowReport* active = nullptr;

// A block written at once is written whole: serial callers never contend for
// it, and a thread that reached a writer outside for_pile_rows still cannot
// tear another thread's block.
std::mutex direct_lock;

void write_now(int unit, std::string_view text) {
    const std::lock_guard<std::mutex> hold(direct_lock);
    io::write_records(unit, text);
}

}  // namespace

void RowReport::reserve(std::size_t chars, std::size_t blocks) {
    text_.reserve(chars);
    entries_.reserve(blocks);
}

void RowReport::add(int unit, std::string_view text, bool unique) {
    if (unique)
        for (const Entry& e : entries_)
            if (e.unit == unit && std::string_view(text_).substr(e.begin, e.end - e.begin) == text) return;
    const std::size_t begin = text_.size();
    text_.append(text);
    entries_.push_back({unit, nullptr, nullptr, begin, text_.size()});
}

void RowReport::add_once(int* once, int unit, std::string_view text) {
    if (*once != 0) return;
    for (const Entry& e : entries_)
        if (e.once == once) return;
    const std::size_t begin = text_.size();
    text_.append(text);
    entries_.push_back({unit, once, nullptr, begin, text_.size()});
}

void RowReport::add_counted(int* count, int unit, std::string_view text) {
    const std::size_t begin = text_.size();
    text_.append(text);
    entries_.push_back({unit, nullptr, count, begin, text_.size()});
}

void RowReport::replay() const {
    const std::string_view all(text_);
    for (const Entry& e : entries_) {
        if (e.once) {
            if (*e.once != 0) continue;
            *e.once = 1;
        }
        io::write_records(e.unit, all.substr(e.begin, e.end - e.begin));
        if (e.count) ++*e.count;
    }
}

void RowReport::clear() {
    text_.clear();
    entries_.clear();
    istat = 0;
    kerr = 0;
    fault = false;
}

RowReport* active_row_report() { return active; }

RowScope::RowScope(RowReport& rep) : saved_(active) { active = &rep; }
RowScope::RowScope(RowReport* rep) : saved_(active) {
    if (rep) active = rep;
}
RowScope::~RowScope() { active = saved_; }

void row_text(int unit, std::string_view text, bool unique) {
    if (active) active->add(unit, text, unique);
    else write_now(unit, text);
}

void row_text_once(int* once, int unit, std::string_view text) {
    if (active) {
        active->add_once(once, unit, text);
    } else {
        const std::lock_guard<std::mutex> hold(direct_lock);
        if (*once != 0) return;
        *once = 1;
        io::write_records(unit, text);
    }
}

void row_text_counted(int* count, int unit, std::string_view text) {
    if (active) {
        active->add_counted(count, unit, text);
    } else {
        const std::lock_guard<std::mutex> hold(direct_lock);
        io::write_records(unit, text);
        ++*count;
    }
}

void row_block(std::initializer_list<int> units, const fmt::Format& f, std::span<const fmt::Item> items) {
    const std::string text = fmt::format_to_string(f, items);
    for (int unit : units) row_text(unit, text);
}

void set_status_once(int& istat, int code) {
    if (istat == 0) istat = code;
}

}  // namespace zolan
