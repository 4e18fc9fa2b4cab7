// List-directed input, as the input data file is read: values over several
// lines, blanks or commas between values, r*v and r*, null fields, a slash
// ending the record, quoted texts, E and D exponents; a record starts on a new
// line and the rest of its last line is ignored (values found there are
// reported to the caller, not read). A read that meets the end of the file or
// a value of the wrong kind says the file, the line and what was expected.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "report/visible_text.h"

namespace zolan::fmt {

// The longest line read from a file of records. Input records hold at most a
// few hundred characters: a longer line is a file that is not one, told as a
// fault of that line rather than held in memory.
constexpr std::size_t MAXLINE = 65536;

// Lines of a file open for reading. A CR before the LF is already removed.
class LineSource {
public:
    virtual bool next_line(std::string& line) = 0;  // false at the end of the file
    virtual long line_number() const = 0;           // 1-based number of the last line returned (0 before the first)
    virtual std::string_view file_name() const = 0;
    // True when next_line stopped at a line longer than MAXLINE (counted by
    // line_number) rather than at the end of the file.
    virtual bool line_too_long() const { return false; }

protected:
    ~LineSource() = default;
};

// Where one value of a record goes. A text goes into a fixed-length field,
// cut or padded with blanks on the right, as a Fortran CHARACTER*n variable.
struct Target {
    enum class Kind : unsigned char { Int, Real, Text };
    Kind kind;
    int* i = nullptr;
    double* r = nullptr;
    std::span<char> s;

    Target(int& v) : kind(Kind::Int), i(&v) {}
    Target(double& v) : kind(Kind::Real), r(&v) {}
    Target(std::span<char> v) : kind(Kind::Text), s(v) {}
};

struct ReadStatus {
    enum class Code : unsigned char { Ok, EndOfFile, BadValue };
    Code code = Code::Ok;
    long line = 0;          // line of the file where the fault was met
    std::string message;    // "FILE, line N: ..." naming what was expected and what was found
    // A record read in full whose last line goes on with values it does not
    // read: those values as written (empty when the line holds no more than
    // blanks, commas, a slash or a comment begun by '!'), and their line.
    std::string extra;
    long extra_line = 0;
    bool ok() const { return code == Code::Ok; }
};

// Reads one list-directed record into `targets`, in order. Fields not reached
// (slash, or null values) keep their values. On a fault the values read before
// it are stored and the rest are unchanged.
ReadStatus read_list(LineSource& src, std::span<const Target> targets);

// Reads one whole line into a fixed-length text (an A80 record): cut or padded
// with blanks. End of file is a fault.
ReadStatus read_text_line(LineSource& src, std::span<char> text);

}  // namespace zolan::fmt
