// docs/INPUT.md is the reference of the input data file: every field name
// that the reader's messages use, and every section it names, must appear in
// it, so that a message never names a field the reference does not define.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/names_file.h"

namespace zolan {
namespace {

namespace fs = std::filesystem;

struct Scan {
    std::vector<std::string> literals;  // contents of the string literals
    std::set<std::string> identifiers;  // upper-case identifiers of the code
};

bool word_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// Splits C++ source into string literals and the identifiers of the code
// outside literals and comments (raw strings, escapes and character
// literals included).
void scan(const std::string& s, Scan& out) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        if (s.compare(i, 2, "//") == 0) {
            i = s.find('\n', i);
            if (i == std::string::npos) break;
        } else if (s.compare(i, 2, "/*") == 0) {
            i = s.find("*/", i);
            if (i == std::string::npos) break;
            i += 2;
        } else if (s.compare(i, 2, "R\"") == 0 && (i == 0 || !word_char(s[i - 1]))) {
            const std::size_t open = s.find('(', i + 2);
            const std::string close = ")" + s.substr(i + 2, open - i - 2) + "\"";
            const std::size_t end = s.find(close, open);
            out.literals.push_back(s.substr(open + 1, end - open - 1));
            i = end + close.size();
        } else if (s[i] == '"' || s[i] == '\'') {
            const char q = s[i];
            std::string lit;
            for (++i; i < n && s[i] != q; ++i) {
                if (s[i] == '\\' && i + 1 < n) ++i;
                lit += s[i];
            }
            ++i;
            if (q == '"') out.literals.push_back(lit);
        } else if (word_char(s[i])) {
            std::size_t j = i;
            while (j < n && word_char(s[j])) ++j;
            const std::string w = s.substr(i, j - i);
            if (std::isupper(static_cast<unsigned char>(w[0]))) out.identifiers.insert(w);
            i = j;
        } else {
            ++i;
        }
    }
}

// Upper-case words of a text: letters first, then letters and digits.
std::vector<std::string> caps_words(const std::string& s) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < s.size();) {
        if (!std::isupper(static_cast<unsigned char>(s[i])) || (i > 0 && word_char(s[i - 1]))) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < s.size() && (std::isupper(static_cast<unsigned char>(s[j])) || std::isdigit(static_cast<unsigned char>(s[j]))))
            ++j;
        if (j - i >= 2 && (j == s.size() || !word_char(s[j]))) out.push_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

// The field names of the reader's messages: the words of a record's name or
// of a message that stand alone ("NPILE3") or inside parentheses
// ("RECORD 2 (LCTOL 1-4: ...)", "(NANTYP)") and that are names of the
// engine's tables and values, not English words.
std::set<std::string> message_names(const fs::path& src) {
    Scan reader, code;
    for (const char* f : {"control/input_reader.cpp", "control/input_reader_structure.cpp",
                          "control/input_reader_soil.cpp"}) {
        std::string text = test::read_file(src / f);
        // The words that a section header is checked against are no field names.
        if (const std::size_t a = text.find("kHeaderWords[21][6] = {"); a != std::string::npos)
            text.erase(a, text.find("};", a) - a);
        scan(text, reader);
    }
    for (const auto& e : fs::recursive_directory_iterator(src))
        if (e.path().extension() == ".cpp" || e.path().extension() == ".h") scan(test::read_file(e.path()), code);
    // English words of the messages that are also names in the code: the
    // ordinal suffixes ("3RD SECTION") and the top of a layer.
    const std::set<std::string> english = {"ST", "ND", "RD", "TH", "TOP"};
    std::set<std::string> names;
    for (const std::string& lit : reader.literals) {
        if (lit.starts_with("(") && lit.find('"') != std::string::npos) continue;  // a line format, not a message
        std::vector<std::string> words;
        if (caps_words(lit).size() == 1 && caps_words(lit)[0] == lit) words.push_back(lit);
        for (std::size_t a = lit.find('('); a != std::string::npos; a = lit.find('(', a + 1)) {
            const std::size_t b = lit.find(')', a);
            if (b == std::string::npos) break;
            for (const std::string& w : caps_words(lit.substr(a + 1, b - a - 1))) words.push_back(w);
        }
        for (const std::string& w : words)
            if (code.identifiers.contains(w) && !english.contains(w)) names.insert(w);
    }
    return names;
}

// The section names of the reader's messages, from its table.
std::vector<std::string> section_names(const fs::path& src) {
    const std::string text = test::read_file(src / "control/input_reader.cpp");
    const std::size_t a = text.find("kSectionNames[21] = {");
    const std::size_t b = text.find("};", a);
    Scan table;
    scan(text.substr(a, b - a), table);
    std::vector<std::string> out;
    for (const std::string& l : table.literals)
        if (!l.empty()) out.push_back(l);
    return out;
}

bool has_word(const std::string& doc, const std::string& w) {
    for (std::size_t at = doc.find(w); at != std::string::npos; at = doc.find(w, at + 1)) {
        const bool before = at == 0 || !word_char(doc[at - 1]);
        const bool after = at + w.size() >= doc.size() || !word_char(doc[at + w.size()]);
        if (before && after) return true;
    }
    return false;
}

// What the reference lacks: the names of the reader's messages and the
// sections of its table that it does not hold as whole words.
std::vector<std::string> missing(const std::string& doc) {
    const fs::path src = fs::path(ZOLAN_SOURCE_DIR) / "src";
    std::vector<std::string> out;
    for (const std::string& n : message_names(src))
        if (!has_word(doc, n)) out.push_back(n);
    for (const std::string& s : section_names(src))
        if (!has_word(doc, s)) out.push_back(s);
    return out;
}

std::string reference() { return test::read_file(fs::path(ZOLAN_SOURCE_DIR) / "docs" / "INPUT.md"); }

TEST(InputReference, EveryNameOfTheReaderIsDefined) {
    const fs::path src = fs::path(ZOLAN_SOURCE_DIR) / "src";
    // The extraction finds the names of every section of the file, and the
    // twenty sections.
    const std::set<std::string> names = message_names(src);
    for (const char* n : {"NUNITS", "KCRVFM", "CAPLEN", "LCTOL", "NSTLEV", "CLOAD", "PGRI3", "PGRB2", "NINCR",
                          "XSTAB", "XSNLI", "ISOIL", "LAYPRP", "PYREQN", "NUPYS", "LSGROW", "TRGROW", "NUAXC",
                          "NUTRC", "NMPS", "NSCCRV", "RFLDEP", "SMDEP", "NCRVST"})
        EXPECT_TRUE(names.contains(n)) << n;
    EXPECT_EQ(section_names(src).size(), 20u);
    const std::string doc = reference();
    ASSERT_FALSE(doc.empty());
    EXPECT_EQ(missing(doc), std::vector<std::string>{}) << "not in docs/INPUT.md";
}

// A name or a section taken out of the reference is missed.
TEST(InputReference, ANameTakenOutIsMissed) {
    for (const std::string gone : {"NSTLEV", "PGRI3", "USER P-Y CURVE SETS"}) {
        std::string doc = reference();
        for (std::size_t at = doc.find(gone); at != std::string::npos; at = doc.find(gone, at))
            doc.replace(at, gone.size(), "X");
        EXPECT_EQ(missing(doc), std::vector<std::string>{gone});
    }
}

}  // namespace
}  // namespace zolan
