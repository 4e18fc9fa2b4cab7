// Records of the curve file read back for a test: formatted lines as rows
// of numbers, unformatted records decoded by the shapes of the expected ones,
// and the comparison of two record lists.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/section_tables.h"
#include "model/soil_tables.h"
#include "report/run_files.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan::test {

// The curve file written by `writer` in the form asked (KCRVFM), to
// "curve.txt" or "curve.bin" of the current directory; the status it left.
inline int write_curve_file(bool formatted, const std::function<void(int& status)>& writer) {
    KCRVFM = formatted ? 0 : 1;
    io::OpenOptions o;
    o.unformatted = !formatted;
    EXPECT_TRUE(io::open_unit(CURVFILE, formatted ? "curve.txt" : "curve.bin", o));
    int st = 0;
    writer(st);
    io::close_unit(CURVFILE);
    return st;
}

inline std::vector<std::vector<double>> formatted_records(const std::string& text) {
    std::vector<std::vector<double>> out;
    for (const std::string& line : lines_of(text)) {
        std::istringstream in(line);
        std::vector<double> v;
        double x;
        while (in >> x) v.push_back(x);
        out.push_back(v);
    }
    return out;
}

// Unformatted records decoded by the shapes of the expected ones: a pile or
// flag record of integers, a station record (integer, real), a point record
// (integer, real, real).
inline std::vector<std::vector<double>> unformatted_records(const std::vector<std::vector<double>>& shape) {
    std::vector<std::vector<double>> out;
    EXPECT_TRUE(io::open_unit(CURVFILE, "curve.bin", {io::Access::Read, true}));
    std::string bytes;
    for (std::size_t k = 0; k < shape.size() && io::read_unf(CURVFILE, bytes); ++k) {
        const std::size_t n = shape[k].size();
        const bool ints = bytes.size() == 4 * n;  // 4-byte integers, 8-byte reals
        std::vector<double> v;
        std::size_t at = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (i == 0 || ints) {
                std::int32_t x;
                std::memcpy(&x, bytes.data() + at, 4);
                at += 4;
                v.push_back(x);
            } else {
                double x;
                std::memcpy(&x, bytes.data() + at, 8);
                at += 8;
                v.push_back(x);
            }
        }
        EXPECT_EQ(at, bytes.size()) << "record " << k;
        out.push_back(v);
    }
    EXPECT_FALSE(io::read_unf(CURVFILE, bytes));
    io::close_unit(CURVFILE);
    return out;
}

inline void expect_records(const std::vector<std::vector<double>>& got, const std::vector<std::vector<double>>& want,
                    double rel, const char* what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t k = 0; k < want.size(); ++k) {
        ASSERT_EQ(got[k].size(), want[k].size()) << what << " record " << k;
        for (std::size_t i = 0; i < want[k].size(); ++i)
            EXPECT_NEAR(got[k][i], want[k][i], rel * std::abs(want[k][i]) + 1e-12) << what << " record " << k;
    }
}

// A test of a curve-file writer of the pile curves: the writers' own bodies,
// a temporary directory, and the model tables cleared afterwards.
class CurveFileTest : public ::testing::Test {
protected:
    Seams seams;
    void TearDown() override {
        io::close_all_units();
        reset_soil_tables();
        reset_section_tables();
        reset_pile_tables();
        NCRVST = 0;
        KCRVFM = 0;
    }
    TempDir dir_;
};

}  // namespace zolan::test
