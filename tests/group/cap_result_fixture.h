// The result pass of the three-dimensional cap solver under test: English
// units, every file it writes open in a fresh folder, a solver state built
// by hand, and a pile-force evaluation that balances the load reached.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "group/result_pass3d.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/pile_tables.h"
#include "model/pile_warnings.h"
#include "model/result_tables.h"
#include "model/run_state.h"
#include "model/section_tables.h"
#include "model/stiffness_tables.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "results/results_services.h"
#include "support/temp_dir.h"

namespace zolan::test {

inline CAPVEC vec(std::initializer_list<double> v) {
    CAPVEC c;
    int k = 1;
    for (double x : v) c(k++) = x;
    return c;
}

// English units, every report file of the result pass open in a fresh
// folder; the pile forces of the print pass balance the given load unless a
// test says otherwise.
class ResultPass3d : public ::testing::Test {
protected:
    void SetUp() override {
        NUNITS = 1;
        UNITLB(1);
        for (auto [unit, name] : files) io::open_unit(unit, name, {io::Access::Write});
        FAXWARN = "warn.tmp";
        NANAL = 1;
        size_result_sets(1);
        NPILES = 1;
    }
    void TearDown() override {
        io::close_all_units();
        reset_run_state();
        reset_unit_labels();
        reset_case_tables();
        reset_input_tables();
        reset_pile_tables();
        reset_result_tables();
        reset_group_services_state();
        reset_results_state();
        reset_pile_warnings();
        reset_section_tables();
        reset_stiffness_tables();
    }
    std::vector<std::string> lines(int unit) {
        io::close_unit(unit);
        for (auto [u, name] : files)
            if (u == unit) return test::lines_of(test::read_file(name));
        return {};
    }
    // Runs the pass; the print pass answers -(load reached) + imbalance.
    void run(const CapFinal& st, int& ISTAT, const CAPVEC* imbalance = nullptr) {
        CapForces fvec = [&](CAPVEC& F, int&) {
            ++passes;
            kflags.push_back(KFLAG);
            for (int k = 1; k <= 6; ++k) F(k) = -st.TCONV * st.P(k) + (imbalance ? (*imbalance)(k) : 0.0);
        };
        RESPASS3D(rq, st, fvec, ans, ISTAT);
    }
    const std::vector<std::pair<int, const char*>> files = {
        {RESFILE, "res.txt"},  {SUMFILE, "sum.txt"}, {SUMSCR, "sum.scr"},   {PLOTDATA, "plot.dat"},
        {RUNFILE, "run.txt"},  {STATFILE, "stat.txt"}, {FLEXFILE, "flex.txt"}, {LDDFILE, "ldd.txt"},
        {EQKFILE, "eqk.txt"}};
    test::TempDir dir;
    SolveRequest rq;
    SolveAnswer ans;
    int passes = 0;
    std::vector<int> kflags;
};

inline CapFinal solved(double tconv, int nconv) {
    CapFinal st;
    st.outcome = tconv >= 1.0 ? Stepping::Converged : Stepping::Failed;
    st.nconv = nconv;
    st.nstep = nconv + 1;
    st.niter = 4;
    st.TCONV = tconv;
    st.P = vec({1000, 200, -300, 5000, 0, 12000});
    st.U = vec({0.0125, 0.5, -0.25, 1.5e-3, 0, 2.5e-3});
    return st;
}

}  // namespace zolan::test
