// The flexibility and load-displacement files stay in step through a whole
// flexibility case: the estimation points drive a linear cap whose outcome
// per level is scripted, the three-dimensional result pass writes the rows,
// and the tables and the stiffness report read them back.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "capstiff/flexibility_fixture.h"
#include "control/estimation_points.h"
#include "group/result_pass3d.h"
#include "model/analysis_tables.h"
#include "model/case_tables.h"
#include "model/input_tables.h"

namespace zolan {
namespace {

using test::FlexibilityReports;

// Outcome of the solve of level `level` of degree of freedom `dof`.
struct Outcome {
    int dof, level;
    enum Kind { FirstStepFails, FailsAfterAStep } kind;
};

class FlexibilityFiles : public FlexibilityReports {
protected:
    // Case 1: three-dimensional flexibility estimation at levels 0.5 and 1 of
    // the load P0 at the origin, with its stiffness report.
    void run_case(const CAPVEC& P0, const std::vector<Outcome>& script) {
        NANTYP = 3;
        NLCASE = 1;
        LCSCAL(1) = 1.0;
        NCLOAD(1) = 1;
        // Input slots FX, FY, MZ, FZ, MY, MX.
        const int slot[] = {1, 2, 4, 6, 5, 3};
        for (int k = 1; k <= 6; ++k) CLOAD(1, 1, slot[k - 1]) = P0(k);
        LCKIND(1, 2) = 1;
        LCKIND(1, 3) = 1;
        NSTLEV(1) = 2;
        STLEV(1, 1) = 0.5;
        STLEV(1, 2) = 1.0;
        KCASE = 1;
        const int npts = ESTSETUP(1);
        CaseLoads v;
        assemble_case_loads(1, v, CaseDistributed::Zero);
        ESTHEAD(1, npts, ISTAT);
        ASSERT_EQ(ISTAT, 0);
        int lddopen = 0;
        const EstimationSolve solve = [&](const SolveRequest& r, int& st) {
            st = 0;
            if (r.KESTIM != 2) return unanswered(r);
            // A linear cap, U = P / 1000 component by component.
            CapFinal f;
            f.outcome = Stepping::Converged;
            f.nconv = f.nstep = 1;
            f.TCONV = 1.0;
            f.P = r.load;
            for (int k = 1; k <= 6; ++k) f.U(k) = r.load(k) / 1000.0;
            for (const Outcome& o : script) {
                if (o.dof != r.IPOINT || o.level != r.ILOOP) continue;
                f.outcome = Stepping::Failed;
                f.nconv = o.kind == Outcome::FirstStepFails ? 0 : 1;
                f.TCONV = o.kind == Outcome::FirstStepFails ? 0.0 : 0.5;
                f.KERR = o.kind == Outcome::FirstStepFails ? 0 : 1;  // 1: a pile that did not close
            }
            SolveAnswer a;
            RESPASS3D(r, f, [](CAPVEC&, int&) {}, a, st);
            return a;
        };
        ESTPOINTS(1, npts, v, lddopen, solve, ISTAT);
        EXPECT_EQ(lddopen, 0);
        io::close_all_units();
    }

    // The level numbers of the plot-data rows of each degree of freedom, as
    // "1 2" or "-1 2", up to the stiffness report.
    std::vector<std::string> plot_levels() {
        std::vector<std::string> out;
        for (const std::string& l : lines(PLOTDATA)) {
            if (l.find("STIFFNESS ESTIMATION") != std::string::npos) break;
            if (l.find("CAP FLEX.,") != std::string::npos) {
                out.emplace_back();
                continue;
            }
            if (out.empty() || l.size() < 10) continue;
            out.back() += (out.back().empty() ? "" : " ") + std::to_string(std::stoi(l.substr(5, 5)));
        }
        return out;
    }
    // The warning lines of the stiffness report, one per level ("-" for none).
    std::vector<std::string> warnings() {
        std::vector<std::string> out;
        for (const std::string& l : lines(RESFILE)) {
            if (l.find("   N:") != std::string::npos) out.push_back("-");
            const auto k = l.find("COMPONENT(S): ");
            if (k != std::string::npos && !out.empty()) out.back() = l.substr(k + 14);
        }
        return out;
    }
    int count(int unit, const std::string& piece) {
        int n = 0;
        for (const std::string& l : lines(unit)) n += l.find(piece) != std::string::npos;
        return n;
    }
};

// File invariants by scenario: FLEXFILE holds one row per degree of freedom
// and level with the positive level in order; each degree of freedom leaves
// a plot row per level, negative for a level without convergence (and for
// both levels of a skipped one); the tables mark each failed level in both
// tables; the stiffness report names the components without a flexibility at
// the levels concerned, and every read succeeds.
TEST_F(FlexibilityFiles, RowsStayInStep) {
    const double T = static_cast<double>(1e-12f);
    struct Case {
        const char* what;
        double p3;
        std::vector<Outcome> script;
        std::vector<std::string> plot;
        int noconv_res, noconv_sum, tables;
        std::vector<std::string> warn;
    };
    const std::vector<std::string> all = {"1 2", "1 2", "1 2", "1 2", "1 2", "1 2"};
    const Case cases[] = {
        {"all levels solved", 300.0, {}, all, 0, 0, 6, {"-", "-"}},
        {"DOF 3 load at the skip threshold", T, {}, all, 0, 0, 6, {"-", "-"}},
        {"DOF 3 load just above the threshold", std::nextafter(T, 1.0), {}, all, 0, 0, 6, {"-", "-"}},
        {"DOF 3 load just below the threshold", std::nextafter(T, 0.0), {},
         {"1 2", "1 2", "-1 -2", "1 2", "1 2", "1 2"}, 0, 0, 5, {"K33  ", "K33  "}},
        {"first step of DOF 2 level 1 fails", 300.0, {{2, 1, Outcome::FirstStepFails}},
         {"1 2", "-1 2", "1 2", "1 2", "1 2", "1 2"}, 2, 1, 6, {"K22  ", "-"}},
        {"DOF 5 level 2 fails after a converged step", 300.0, {{5, 2, Outcome::FailsAfterAStep}},
         {"1 2", "1 2", "1 2", "1 2", "1 -2", "1 2"}, 2, 1, 6, {"-", "K55  "}},
        {"both", 300.0, {{1, 2, Outcome::FirstStepFails}, {6, 1, Outcome::FailsAfterAStep}},
         {"1 -2", "1 2", "1 2", "1 2", "1 2", "-1 2"}, 4, 2, 6, {"K66  ", "K11  "}},
    };
    for (const Case& c : cases) {
        SetUp();
        io::open_unit(ITERTRC, "trace.txt", {io::Access::Write});
        CAPVEC P0;
        for (int k = 1; k <= 6; ++k) P0(k) = 100.0 * k;
        P0(3) = c.p3;
        run_case(P0, c.script);
        EXPECT_EQ(ISTAT, 0) << c.what;
        const std::vector<std::string> flex = lines(FLEXFILE);
        ASSERT_EQ(flex.size(), 12u) << c.what;
        for (std::size_t r = 0; r < flex.size(); ++r)
            EXPECT_EQ(std::stoi(flex[r].substr(5, 5)), static_cast<int>(r % 2) + 1) << c.what << ", row " << r;
        EXPECT_EQ(plot_levels(), c.plot) << c.what;
        EXPECT_EQ(count(RESFILE, "     NO CONVERGENCE ON PILE CAP"), c.noconv_res) << c.what;
        EXPECT_EQ(count(SUMFILE, "     NO CONVERGENCE ON PILE CAP"), c.noconv_sum) << c.what;
        EXPECT_EQ(count(RESFILE, "         N         S"), c.tables) << c.what;
        EXPECT_EQ(warnings(), c.warn) << c.what;
        TearDown();
    }
}

}  // namespace
}  // namespace zolan
