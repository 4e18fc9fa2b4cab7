// A fresh empty folder for one test, made the current directory while the
// test runs; the previous current directory comes back and the folder is
// removed at the end.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace zolan::test {

class TempDir {
public:
    TempDir() : old_(std::filesystem::current_path()) {
        std::string tmpl = (std::filesystem::temp_directory_path() / "zolan-test-XXXXXX").string();
        if (mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = tmpl;
        std::filesystem::current_path(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::current_path(old_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path old_;
    std::filesystem::path path_;
};

inline std::string read_file(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A report whose header names the folder of its run ("Path to file
// locations") with that folder read as "RUN FOLDER/", so that runs in
// different folders compare byte for byte.
inline std::string without_run_folder(std::string text) {
    static const std::string path = "     Path to file locations      : ";
    for (std::size_t at = text.find(path); at != std::string::npos; at = text.find(path, at + 1)) {
        const std::size_t from = at + path.size(), end = text.find('\n', from);
        text.replace(from, (end == std::string::npos ? text.size() : end) - from, "RUN FOLDER/");
    }
    return text;
}

// The lines of a text, without their line ends.
inline std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// The numbers of a line of text, up to the first word that is not one.
inline std::vector<double> numbers_of(const std::string& line) {
    std::istringstream in(line);
    std::vector<double> v;
    for (double x; in >> x;) v.push_back(x);
    return v;
}

// The first line where two texts differ, shown with both versions, or an
// empty text when they are the same.
inline std::string first_difference(const std::string& got, const std::string& want) {
    const auto a = lines_of(got), b = lines_of(want);
    for (std::size_t k = 0; k < std::max(a.size(), b.size()); ++k) {
        const std::string x = k < a.size() ? a[k] : "(end)", y = k < b.size() ? b[k] : "(end)";
        if (x != y) return "line " + std::to_string(k + 1) + ":\n  got  " + x + "\n  want " + y;
    }
    return {};
}

inline void write_file(const std::filesystem::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary);
    out << text;
}

}  // namespace zolan::test
