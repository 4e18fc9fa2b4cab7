// The report of one pile row inside a parallel loop over the rows: the
// formatted warning blocks the row's routines raised, each with its unit, in
// the order raised; the row's status word (the first code the row set) and
// the error word it left. The loop writes nothing to the files from the
// worker threads: after the loop the rows' reports are replayed in row order
// on the calling thread (model/pile_rows.h), so the files and the status are
// the same for any thread count.
//
// The soil and pile routines raise their blocks through row_block. On a
// thread working on a pile row the block goes into that row's report; on a
// thread with no row report (the echo, the printed curves: serial code) it is
// written to the file at once, exactly as the serial run always wrote it.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/fortran_format.h"

namespace zolan {

class RowReport {
public:
    int istat = 0;  // the row's status word: its routines get it as their ISTAT
    int kerr = 0;   // the analysis error word as the row left it (0: untouched)
    bool fault = false;  // an internal fault ended the row's work

    // Text and entry space taken once, kept across clear().
    void reserve(std::size_t chars, std::size_t blocks);
    // A formatted block (records joined by '\n') for `unit`; with `unique`,
    // dropped when the report already holds the same block for the unit (a
    // warning said once per row and loop, however often the row meets it).
    void add(int unit, std::string_view text, bool unique = false);
    // A block written once per run: `*once` is the run's flag for it (0: not
    // yet written). Dropped when the flag is already set or this report
    // already holds a block with the same flag; the flag itself is set when
    // the block reaches its file.
    void add_once(int* once, int unit, std::string_view text);
    // A block counted where it is written: `*count` is raised by 1 when the
    // block reaches its file (on the replay), so the counter and the blocks
    // on the file always agree, whatever the thread count.
    void add_counted(int* count, int unit, std::string_view text);
    bool empty() const { return entries_.empty(); }
    // Blocks held (a block dropped as already held is not counted).
    std::size_t blocks() const { return entries_.size(); }
    // Writes the blocks to their units in order (io::write_records).
    void replay() const;
    // Back to an empty report with the status and error words cleared.
    void clear();

private:
    struct Entry {
        int unit;
        int* once;
        int* count;
        std::size_t begin, end;
    };
    std::string text_;
    std::vector<Entry> entries_;
};

// The row report that blocks of the calling thread go to, or null.
RowReport* active_row_report();

// Makes `rep` the calling thread's row report for the scope's lifetime (a
// null pointer keeps the thread's report as it is).
class RowScope {
public:
    explicit RowScope(RowReport& rep);
    explicit RowScope(RowReport* rep);
    ~RowScope();
    RowScope(const RowScope&) = delete;
    RowScope& operator=(const RowScope&) = delete;

private:
    RowReport* saved_;
};

// A block raised by a soil or pile routine: formatted once with layout f and
// the items, then the same text for each unit in turn, into the thread's row
// report or straight to the files.
void row_block(std::initializer_list<int> units, const fmt::Format& f, std::span<const fmt::Item> items = {});
inline void row_block(std::initializer_list<int> units, const fmt::Format& f, std::initializer_list<fmt::Item> items) {
    row_block(units, f, std::span<const fmt::Item>(items.begin(), items.size()));
}
// A block already formatted (unique: see RowReport::add).
void row_text(int unit, std::string_view text, bool unique = false);
// A block written once per run under flag `*once` (see RowReport::add_once).
void row_text_once(int* once, int unit, std::string_view text);
// A block that raises `*count` by 1 when it is written (see RowReport::add_counted).
void row_text_counted(int* count, int unit, std::string_view text);

// Sets the status word to code when it is 0; a non-zero word is kept (the
// first code wins). The word belongs to one thread: a pile row's routines get
// their row's own word inside the loops.
void set_status_once(int& istat, int code);

}  // namespace zolan
