// Bytes of a file as they may be shown in a report or on a terminal: control
// bytes by their ASCII names (<NUL>, <ESC>, <DEL>), bytes outside ASCII as
// \xNN; printable ASCII text is kept as it is. Header only: the command-line
// front end shows file names and messages the same way.
#pragma once

#include <string>
#include <string_view>

namespace zolan::fmt {

inline std::string visible(std::string_view bytes) {
    static const char* const names[32] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                          "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                          "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                          "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c < 0x7f) {
            out += ch;
        } else if (c < 0x20 || c == 0x7f) {
            out += '<';
            out += c == 0x7f ? "DEL" : names[c];
            out += '>';
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace zolan::fmt
