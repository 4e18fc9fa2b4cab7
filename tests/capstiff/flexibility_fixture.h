// Reports of a cap flexibility estimation under test: English labels, the
// report, summary, plot-data, run and status files open in a fresh folder,
// the flexibility and load-displacement scratch files by name, and record
// writers for the scratch rows as the cap solvers leave them.
#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "control/control.h"
#include "group/estimation_records3d.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan::test {

class FlexibilityReports : public ::testing::Test {
protected:
    void SetUp() override {
        RESETRUN();
        UNITLB(1);
        FFLEX = "flex.dat";
        FLDD = "ldd.dat";
        for (int u : {RESFILE, SUMFILE, PLOTDATA, RUNFILE, STATFILE}) io::open_unit(u, name(u), {io::Access::Write});
    }
    void TearDown() override { RESETRUN(); }

    static std::string name(int unit) {
        if (unit == FLEXFILE) return "flex.dat";
        if (unit == LDDFILE) return "ldd.dat";
        return "unit" + std::to_string(unit) + ".txt";
    }
    // The lines of a file written so far (the unit closed first).
    std::vector<std::string> lines(int unit) {
        io::close_unit(unit);
        return lines_of(read_file(name(unit)));
    }
    // A scratch file written afresh with records (level, values).
public:
    struct Rec {
        int level;
        std::vector<double> v;
    };
protected:
    void scratch(int unit, const std::vector<Rec>& recs) {
        io::open_unit(unit, name(unit), {io::Access::Write});
        for (const Rec& r : recs) ESTREC(unit, r.level, std::span<const double>(r.v));
        io::close_unit(unit);
    }

    TempDir dir;
    Seams seams;
    int ISTAT = 0;
};

// A field of blanks, and text right-aligned in w columns.
inline std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
inline std::string right(const std::string& s, int w) { return sp(w - static_cast<int>(s.size())) + s; }

}  // namespace zolan::test
