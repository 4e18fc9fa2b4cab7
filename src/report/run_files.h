// Run files by unit number: every report, work and scratch file of a run is
// opened, written, read and closed through this registry. Each unit keeps its
// own open "current line", so rows built field by field on two files at once
// never mix. A unit is used by one thread at a time.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "report/fortran_format.h"
#include "report/list_input.h"

namespace zolan {

// Unit numbers of the run files.
constexpr int RUNFILE = 10;   // run log, ends with the final status and timing
constexpr int FLEXFILE = 11;  // cap flexibility scratch
constexpr int LDDFILE = 12;   // load-displacement scratch of an estimation
constexpr int WORKFILE = 13;  // pile-top work file
constexpr int PLOTDATA = 14;  // numeric results for the front end
constexpr int INPFILE = 15;   // input data file
constexpr int RESFILE = 16;   // results report
constexpr int PLOTFILE = 17;  // generated curves for plotting
constexpr int SUMFILE = 18;   // summary
constexpr int STATFILE = 19;  // status lines read by the front end
constexpr int CRVRPT = 20;    // report of generated axial and torsional curves
constexpr int PROGFILE = 21;  // progress message
constexpr int STOPFILE = 22;  // stop request
constexpr int EQKFILE = 23;   // equivalent-stiffness file
constexpr int EQMFILE = 24;   // equivalent-stiffness matrix trace
constexpr int WARNSCR = 25;   // pile-warning scratch
constexpr int ITERTRC = 26;   // iteration trace
constexpr int AXLDRPT = 27;   // axial load along the piles
constexpr int CURVFILE = 28;  // curve file for graphics
constexpr int ESTTRC = 29;    // estimation trace
constexpr int SUMSCR = 30;    // summary scratch
constexpr int NAMESFILE = 31; // the names file while it is read
constexpr int ECHOFILE = 32;  // input echo
constexpr int MPHIFILE = 33;  // moment-curvature listing made outside the engine

namespace io {

constexpr int MAXUNIT = 99;

enum class Access : unsigned char {
    Write,         // create or empty the file and write it from its start
    Read,          // read an existing file; a missing file is a failure
    ReadCreate,    // read from the start; a missing file is created empty
    ReadIfExists,  // read an existing file; a missing one reads as empty and is not created
};

struct OpenOptions {
    Access access = Access::Write;
    bool unformatted = false;  // sequential records with 4-byte length markers
    bool buffered = false;     // false: every record reaches the file when it ends
    bool tolerant = false;     // write failures are not recorded (progress file)
};

// What a file name refers to once symbolic links are followed: an existing
// file by its device and inode (every hard link and spelling of it alike); a
// name not there yet by the device and inode of its folder and its last
// component, where an open for writing would create it; a name in a missing
// folder by its absolute spelling.
struct FileId {
    std::uint64_t dev = 0, ino = 0;
    std::string leaf;
    bool operator==(const FileId&) const = default;
};
FileId file_id(const std::string& name);

// Opens `name` on `unit` (closing whatever the unit held). Returns false and
// a reason naming the file when the open fails; the unit is then closed.
bool open_unit(int unit, std::string_view name, OpenOptions opt, std::string* why = nullptr);
void close_unit(int unit);   // an open last line is ended first; closing a closed unit does nothing
void close_all_units();
void flush_all_units();
bool unit_open(int unit);
void flush_unit(int unit);
std::string_view unit_name(int unit);

// The first failed write or flush of the run ("FILE: reason"), or empty.
std::string first_write_failure();
void reset_write_failures();

// Formatted output. A write to a unit that is not open for writing is dropped.
void write_fmt(int unit, const fmt::Format& f, std::span<const fmt::Item> items);
inline void write_fmt(int unit, const fmt::Format& f, std::initializer_list<fmt::Item> items = {}) {
    write_fmt(unit, f, std::span<const fmt::Item>(items.begin(), items.size()));
}
// List-directed record; with no items, an empty record.
void write_list(int unit, std::span<const fmt::Item> items);
inline void write_list(int unit, std::initializer_list<fmt::Item> items = {}) {
    write_list(unit, std::span<const fmt::Item>(items.begin(), items.size()));
}
// The unit's open current line, for the field writers; null when the unit is
// not open for formatted writing.
std::string* current_line(int unit);
void end_record(int unit);   // writes the current line as one record
void write_line(int unit, std::string_view text);  // current line + text as one record
// A block formatted beforehand (fmt::format_to_string): one record per line.
void write_records(int unit, std::string_view text);

// Unformatted output: one record of 4-byte integers and 8-byte reals, little-endian.
struct UItem {
    bool is_int;
    std::int32_t i;
    double r;
    UItem(int v) : is_int(true), i(v), r(0) {}
    UItem(double v) : is_int(false), i(0), r(v) {}
};
void write_unf(int unit, std::span<const UItem> items);
inline void write_unf(int unit, std::initializer_list<UItem> items) {
    write_unf(unit, std::span<const UItem>(items.begin(), items.size()));
}

// Input: the unit's lines (null when not open for reading).
fmt::LineSource* line_source(int unit);
fmt::ReadStatus read_list(int unit, std::span<const fmt::Target> targets);
inline fmt::ReadStatus read_list(int unit, std::initializer_list<fmt::Target> targets) {
    return read_list(unit, std::span<const fmt::Target>(targets.begin(), targets.size()));
}
fmt::ReadStatus read_text_line(int unit, std::span<char> text);
bool read_line(int unit, std::string& line);  // false at the end of the file
// True when the reading of the unit stopped at a line longer than fmt::MAXLINE.
bool line_too_long(int unit);
// Reads one unformatted record; false at the end of the file or on a damaged record.
bool read_unf(int unit, std::string& bytes);

}  // namespace io
}  // namespace zolan
