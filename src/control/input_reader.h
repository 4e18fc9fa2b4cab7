// Reading of the input data file (RDINPUT): the record reader shared by the
// section readers, and the one way a bad file ends the run. The reader stops
// at the first fault: it writes a fatal-error block naming the section, the
// record, the line and what was expected, and the run ends with status 37.
#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/limits.h"
#include "model/table.h"
#include "report/list_input.h"

namespace zolan::input {

// Thrown by Reader::fail after the fatal block is written; RDINPUT catches it
// and nothing else sees it.
struct InputFault {};
// Thrown by the reader when a stop request is read between its records;
// RDINPUT catches it and the run ends with status 4.
struct InputStopped {};

// The place of a record in the file, kept for checks that can only be made
// once a later section has given the count a value refers to.
struct Place {
    int section = 0;
    long first = 0;  // first and last line of the record
    long last = 0;
};

class Reader {
public:
    Reader();

    // The title and version lines.
    void title_lines();
    // The header line of a section: read, and echoed on the run log.
    void section(int number);

    // The block a record belongs to, at nesting level 0 to 3 ("LOAD CASE" 3,
    // "CONCENTRATED LOAD" 2); a level set clears the deeper ones.
    void item(int level, const char* label, int index);
    void no_item() { depth_ = 0; }

    // One free-form record into the targets, in order; `what` names it in a
    // message ("RECORD 2 (LCTOL)").
    void rec(const char* what, std::initializer_list<fmt::Target> targets);
    void rec(const char* what, std::span<const fmt::Target> targets);
    // One 80-character line.
    void text(const char* what, std::span<char> text);

    // Checks of a value of the record just read.
    void count(int n, int hi, const char* name, const char* noun);     // 0 .. hi
    void within(int v, int lo, int hi, const char* name, const char* noun);
    void positive(double v, const char* name, const char* noun);
    [[noreturn]] void fail(const std::string& problem);  // at the record just read

    // A warning on the run log and the input echo: the run goes on. The first
    // line names the file, the line(s), the section and the record; `warn`
    // is at the record just read, `warn_at` at a record read before.
    void warn(const std::string& problem) const;
    void warn_at(const Place& at, const std::string& record, const std::string& problem) const;

    // Place of the record just read, and a fault found later at such a place.
    Place place() const { return {section_, first_, last_}; }
    [[noreturn]] void fail_at(const Place& at, const std::string& record, const std::string& problem);

    // Scratch target list for records of many values.
    std::vector<fmt::Target>& targets() {
        tg_.clear();
        return tg_;
    }

private:
    [[noreturn]] void fault(int section, const std::string& where_line, const std::string& record,
                            const std::string& problem);
    [[noreturn]] void fail_read(const fmt::ReadStatus& st, const char* what);
    void check_magnitudes(const char* what, std::span<const fmt::Target> targets);
    void header_warning(int number) const;
    void extra_values_warning(const fmt::ReadStatus& st, std::size_t n) const;
    std::string section_text(int section) const;
    void stop_poll() const;
    std::string lines_text(long first, long last) const;
    std::string record_text(const char* what) const;
    long lines_read() const;

    struct Level {
        const char* label;
        int index;
    };
    std::array<Level, 4> levels_{};
    int depth_ = 0;
    int section_ = 0;       // section being read; 0 the title lines
    const char* what_ = "";
    long first_ = 0, last_ = 0;
    int present_ = 0;       // sections met so far
    std::array<int, 21> ordinal_{};             // position in the file of each section met
    std::array<bool, 21> header_read_{};
    std::array<FixedText<80>, 21> header_{};
    std::vector<fmt::Target> tg_;
    // The last record that took its values from more than one line: a record
    // short of a value takes it from the next line, and the fault shows only
    // some records later.
    struct RunOn {
        std::string record;
        long first = 0, last = 0;
        int ordinal = 0;  // position in the file of its section
    };
    RunOn run_on_;
};

// Places of the records that the later checks refer to.
struct Places {
    Table1<Place, MAXROW> pile_row;          // the integer record of each pile row
    Table1<Place, MAXROW> pile_geo;          // the record of each pile row's head, angles and ground line
    Table1<Place, MAXLC> lcscal;             // record 5 of each load case (LCSCAL)
    Table1<Place, MAXLC> ncload;             // record 8 of each load case (NCLOAD)
    Table2<Place, MAXLC, MAXCLD> cload;      // each concentrated load
    Table2<Place, MAXLC, MAXDLL> dl_line;    // each distributed-load line
    Table2<Place, MAXPRS, MAXSEC> pile_sec;  // each section of a property set
    Table1<Place, MAXXS> xs_last;            // last record of each nonlinear cross section
    Place nsect;                             // the NSECT record
    Place nmps;                              // the NMPS record
};

// Sections in file order.
void read_control(Reader& rd);          // 1, with the curve file, unit labels and captions after it
void read_cap(Reader& rd);              // 2
void read_load_cases(Reader& rd, Places& at);  // 3
void read_combinations(Reader& rd);     // 4
void read_dl_sets(Reader& rd);          // 5
void read_pile_table(Reader& rd, Places& at);  // 6
void read_property_sets(Reader& rd, Places& at);  // 7
void read_cross_sections(Reader& rd, Places& at); // 8
void read_soil_layers(Reader& rd);      // 9
void read_py_requests(Reader& rd);      // 20
void read_user_py(Reader& rd);          // 19
void read_ls_rows(Reader& rd);          // 10
void read_tr_rows(Reader& rd);          // 18
void read_user_axial(Reader& rd);       // 17
void read_user_torque(Reader& rd);      // 16
void read_user_mphi(Reader& rd, Places& at);  // 11
void read_section_mphi(Reader& rd);     // 12
void read_depth_factors(Reader& rd);    // 15
void read_soil_movement(Reader& rd);    // 14
void read_curve_options(Reader& rd);    // 13

// Warnings that need several sections: ground lines against the first soil
// layer, load cases without load, load points far from the pile heads.
void warn_across_sections(const Reader& rd, const Places& at);

// Pile rows of the model in use.
int input_rows();

// A real number as the messages show it.
std::string real_text(double x);

// The name of value k (from 0) of a record of n values, from the field list
// of its description ("RECORD 8 (CLOAD 1-9)": "CLOAD 3" for k = 2); empty
// when the list does not name every value.
std::string field_name(std::string_view what, std::size_t k, std::size_t n);

// The fatal-error block of an input that cannot be read, on the run log and
// the input echo, with the same lines kept for the final report. Bytes of the
// file quoted in the lines (names, headers, values) are shown visibly.
void fatal_block(std::span<const std::string> lines);

}  // namespace zolan::input
