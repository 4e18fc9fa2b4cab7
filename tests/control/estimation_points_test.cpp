#include "control/estimation_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "capstiff/capstiff_services.h"
#include "control/control.h"
#include "group/estimation_records3d.h"
#include "group/group_services.h"
#include "model/analysis_tables.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// One solve seen by the scripted cap solver.
struct Solve {
    CAPVEC applied;
    int ktgt, request;
    int npts, point, loop, kestim;
};

// The rows a cap solver leaves for a flexibility level: the load and
// displacements, then the displacements per unit load on both files.
void flexibility_rows(const SolveRequest& r, const CAPVEC& disp) {
    const std::size_t n = NANTYP == 2 ? 3 : 6;
    const double q = r.load(r.IPOINT);
    double load[7] = {q}, flex[6];
    for (std::size_t k = 0; k < n; ++k) {
        load[k + 1] = disp(static_cast<int>(k) + 1);
        flex[k] = load[k + 1] / q;
    }
    ESTREC(LDDFILE, r.ILOOP, std::span<const double>(load, n + 1));
    ESTREC(LDDFILE, r.ILOOP, std::span<const double>(flex, n));
    ESTREC(FLEXFILE, r.ILOOP, std::span<const double>(flex, n));
}

// A scripted cap solver: the cap displacement of every slot is the applied
// load over a stiffness of 1000 (squared when `quadratic`), and it answers
// the target requests as the cap solvers do. Solve number `fail_at` fails.
struct ScriptedCap {
    std::vector<Solve> solves;
    bool quadratic = false;
    int fail_at = 0;
    SolveAnswer operator()(const SolveRequest& r) {
        solves.push_back({r.load, r.KTGT, r.KTGRES, r.NPTS, r.IPOINT, r.ILOOP, r.KESTIM});
        SolveAnswer a = unanswered(r);
        CAPVEC disp;
        for (int k = 1; k <= 6; ++k) disp(k) = quadratic ? std::pow(r.load(k) / 1000, 2) : r.load(k) / 1000;
        if (static_cast<int>(solves.size()) == fail_at) {
            a.KTGRES = -1;
            return a;
        }
        if (r.KESTIM == 2) flexibility_rows(r, disp);
        if (r.KTGT != 1) return a;
        a.PTLOAD = r.load;
        a.PTDISP = disp;
        if (r.KTGRES > 0 && r.IDOFTG >= 1 && r.IDOFTG <= 6) a.DEFCMP = disp(r.IDOFTG);
        if (r.KTGRES == 2 && 100 * std::abs(a.DEFCMP - r.DEFTGT) / std::abs(r.DEFTGT) > r.TGTTOL) return a;
        if (r.KTGRES >= 2) a.KTGRES = 0;
        return a;
    }
};

class EstimationPoints : public testing::Test {
protected:
    test::TempDir dir;
    test::Seams seams;
    ScriptedCap cap;
    CaseLoads v;
    int lddopen = 0, ISTAT = 0, npts = 0;
    std::vector<double> captstf_levels;
    std::vector<StiffnessLevel> captstf_calls;
    std::vector<int> caphdr_methods;

    void SetUp() override {
        RESETRUN();
        FEQK = "eqk.dat";
        FFLEX = "flex.dat";
        FLDD = "ldd.dat";
        for (int u : {RUNFILE, STATFILE, PLOTDATA, RESFILE, SUMFILE, ITERTRC, ESTTRC})
            io::open_unit(u, "unit" + std::to_string(u) + ".txt", {io::Access::Write});
        auto solver = [this](const SolveRequest& r, int&) { return cap(r); };
        group_services.cap3d = solver;
        group_services.cap2d = solver;
        capstiff_services.eqkread = [](int&) {};
        capstiff_services.captstf = [this](const StiffnessLevel& s, const Table1<double, MAXSTL>&, int&) {
            captstf_levels.push_back(s.level);
            captstf_calls.push_back(s);
        };
        capstiff_services.caphdr = [this](int method) { caphdr_methods.push_back(method); };
        NLCASE = 1;
        LCSCAL(1) = 1.0;
    }
    void TearDown() override { RESETRUN(); }

    // Case 1: one concentrated load FX, FY, MZ at the origin, kind and values.
    void setup_case(int nantyp, int kind, double fx, double fy, double mz, std::vector<double> values) {
        NANTYP = nantyp;
        NCLOAD(1) = 1;
        CLOAD(1, 1, 1) = fx;
        CLOAD(1, 1, 2) = fy;
        CLOAD(1, 1, 3) = mz;
        LCKIND(1, 2) = kind;
        NSTLEV(1) = static_cast<int>(values.size());
        for (std::size_t k = 0; k < values.size(); ++k) STLEV(1, static_cast<int>(k) + 1) = values[k];
    }

    // The case as the driver runs it: set-up, loads without distributed ones, headings, points.
    void run_case() {
        KCASE = LCKIND(1, 2);
        npts = ESTSETUP(1);
        assemble_case_loads(1, v, CaseDistributed::Zero);
        ESTHEAD(1, npts, ISTAT);
        ASSERT_EQ(ISTAT, 0);
        const EstimationSolve solve = [](const SolveRequest& r, int& st) {
            io::open_unit(EQKFILE, FEQK, {io::Access::Write});
            st = 0;
            const SolveAnswer a = NANTYP == 2 ? CAP2D(r, st) : CAP3D(r, st);
            io::close_unit(EQKFILE);
            return a;
        };
        ESTPOINTS(1, npts, v, lddopen, solve, ISTAT);
        io::close_all_units();
    }

    std::vector<std::string> lines(int unit) {
        std::vector<std::string> out;
        std::string all = test::read_file("unit" + std::to_string(unit) + ".txt"), cur;
        for (char c : all) {
            if (c == '\n') out.push_back(cur), cur.clear();
            else cur += c;
        }
        return out;
    }
    int count(int unit, const std::string& piece) {
        int n = 0;
        for (const auto& l : lines(unit)) n += l.find(piece) != std::string::npos;
        return n;
    }
};

void expect_load(const CAPVEC& q, std::vector<double> want, const std::string& what) {
    for (int k = 1; k <= 6; ++k) EXPECT_NEAR(q(k), want[k - 1], 1e-9) << what << ", slot " << k;
}

// Plane flexibility case without moment: each loaded degree of freedom at
// each level, the rotation skipped, then the full load.
TEST_F(EstimationPoints, FlexibilityPlaneSkipsUnloadedDof) {
    setup_case(2, 1, 100, 50, 0, {0.5, 1.0});
    run_case();
    EXPECT_EQ(ISTAT, 0);
    EXPECT_EQ(npts, 4);
    ASSERT_EQ(cap.solves.size(), 5u);
    expect_load(cap.solves[0].applied, {50, 0, 0, 0, 0, 0}, "X, level 1");
    expect_load(cap.solves[1].applied, {100, 0, 0, 0, 0, 0}, "X, level 2");
    expect_load(cap.solves[2].applied, {0, 25, 0, 0, 0, 0}, "Y, level 1");
    expect_load(cap.solves[3].applied, {0, 50, 0, 0, 0, 0}, "Y, level 2");
    expect_load(cap.solves[4].applied, {100, 50, 0, 0, 0, 0}, "full load");
    // Each request names its point and level: (NPTS, IPOINT, ILOOP, KESTIM).
    const int words[5][4] = {{4, 1, 1, 2}, {4, 1, 2, 2}, {4, 2, 1, 2}, {4, 2, 2, 2}, {4, 4, 0, 0}};
    for (int k = 0; k < 5; ++k) {
        const Solve& q = cap.solves[k];
        EXPECT_EQ((std::vector<int>{q.npts, q.point, q.loop, q.kestim}),
                  (std::vector<int>{words[k][0], words[k][1], words[k][2], words[k][3]}))
            << "solve " << k;
    }
    EXPECT_EQ(lddopen, 0);
    const auto stat = lines(STATFILE);
    ASSERT_EQ(stat.size(), 9u);
    EXPECT_EQ(stat[0], "      DOF :     1 POINT :     1");
    EXPECT_EQ(stat[3], "      DOF :     2 POINT :     2");
    EXPECT_EQ(stat[6], "      DOF :     3 POINT :     2");
    EXPECT_EQ(stat[7], "    5 ANALYSIS SKIPPPED APPLIED FORCE AT CAP IS ZERO");
    EXPECT_EQ(stat[8], "      ANALYSIS DUE TO TOTAL LOAD");
    EXPECT_EQ(count(RESFILE, "     * PILE CAP FLEXIBILITY ESTIMATION *"), 1);
}

// Stiffness at five levels of the total load: five solves accepted at once
// (request 3), a stiffness per level, then the full load.
TEST_F(EstimationPoints, StiffnessAtFiveLevels) {
    setup_case(3, 11, 100, 0, 0, {0.2, 0.4, 0.6, 0.8, 1.0});
    run_case();
    EXPECT_EQ(ISTAT, 0);
    EXPECT_EQ(npts, 6);
    ASSERT_EQ(cap.solves.size(), 6u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(cap.solves[k].request, 3);
        EXPECT_EQ(cap.solves[k].ktgt, 1);
        EXPECT_NEAR(cap.solves[k].applied(1), 20.0 * (k + 1), 1e-9);
    }
    EXPECT_EQ(cap.solves[5].ktgt, 0);
    EXPECT_NEAR(cap.solves[5].applied(1), 100.0, 1e-9);
    EXPECT_EQ(caphdr_methods, std::vector<int>{0});
    ASSERT_EQ(captstf_levels.size(), 5u);
    EXPECT_DOUBLE_EQ(captstf_levels[4], 1.0);
    EXPECT_EQ(lines(ESTTRC)[0], "     LOAD CASE=    1     NPOINTS=    5");
    EXPECT_EQ(lines(RESFILE)[1], "       N:    1  FACTOR :    0.2000");
}

// Block after n = 2 levels (0.5, 1.0): method 1, target on Y of 0.01, tolerance, limit.
std::vector<double> target_block(double tol, double limit) {
    return {0.5, 1.0, 1, 2, 0, 0.01, 0, 0, 0, 0, tol, limit, 0, 0};
}

// Target deflection on a linear cap (Y displacement = FY / 1000, FY = 100):
// level 1 (target 0.005): factor 0 (nothing applied), factor 1 (0.05), then
// the interpolation 0.005 / 0.05 = 0.1 hits the target: 3 trials. Level 2
// (target 0.01), seeded with the zero pair: factor 1 (0.1), then 0.1: 2 trials.
TEST_F(EstimationPoints, TargetIterationConverges) {
    setup_case(3, 11, 0, 100, 0, target_block(1.0, 5));
    run_case();
    EXPECT_EQ(ISTAT, 0);
    ASSERT_EQ(cap.solves.size(), 6u);
    const double fy[] = {0, 50, 5, 100, 10, 100};
    const int req[] = {2, 2, 2, 2, 2, 0};
    for (int k = 0; k < 6; ++k) {
        EXPECT_NEAR(cap.solves[k].applied(2), fy[k], 1e-9) << "solve " << k;
        if (k < 5) {
            EXPECT_EQ(cap.solves[k].request, req[k]) << "solve " << k;
        }
    }
    EXPECT_EQ(cap.solves[5].ktgt, 0);
    EXPECT_EQ(count(STATFILE, "STIFFNESS ESTIMATION, ITER :"), 5);
    EXPECT_EQ(lines(STATFILE)[1], "      STIFFNESS ESTIMATION, ITER :     0 FACTOR :      0.00000");
    EXPECT_EQ(lines(STATFILE)[0], "      STIFFNESS ESTIMATION, POINT :    1/   2 FACTOR :      0.50000");
    EXPECT_EQ(captstf_levels, (std::vector<double>{0.5, 1.0}));
    // The stiffness of each level gets the accepted solve's answer: FY 5 and
    // 10, displacements 0.005 and 0.01 on target.
    ASSERT_EQ(captstf_calls.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        const StiffnessLevel& s = captstf_calls[k];
        EXPECT_EQ(s.IPOINT, k + 1);
        EXPECT_NEAR(s.PTLOAD(2), 5.0 * (k + 1), 1e-9);
        EXPECT_NEAR(s.PTDISP(2), 0.005 * (k + 1), 1e-12);
        EXPECT_NEAR(s.DEFCMP, 0.005 * (k + 1), 1e-12);
        EXPECT_NEAR(s.DEFTGT, 0.005 * (k + 1), 1e-12);
    }
    EXPECT_DOUBLE_EQ(DEFLST, 0.0);
    EXPECT_DOUBLE_EQ(FACLST, 0.0);
}

// A limit of 3 on a cap that the interpolation cannot hit exactly (Y
// displacement (FY / 1000)^2, tolerance 0): requests 2, 2, 1 per level; the
// third trial is accepted and every pair is recorded.
TEST_F(EstimationPoints, TargetIterationHitsLimit) {
    cap.quadratic = true;
    setup_case(3, 11, 0, 100, 0, target_block(0.0, 3));
    run_case();
    EXPECT_EQ(ISTAT, 0);
    ASSERT_EQ(cap.solves.size(), 7u);
    const int req[] = {2, 2, 1, 2, 2, 1};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(cap.solves[k].request, req[k]) << "solve " << k;
    EXPECT_EQ(NHIST, 4);  // the seed and three trials of level 2
    for (int k = 2; k <= NHIST; ++k) EXPECT_LE(FACHIST(2, k - 1), FACHIST(2, k));
    EXPECT_EQ(captstf_levels.size(), 2u);
}

// A target level limited to one trial is solved plainly (request 0), which
// leaves no equivalent stiffnesses: each level gets the "-1" line, the file
// is not read and no stiffness is formed; the run goes on.
TEST_F(EstimationPoints, SingleTrialTargetLevelHasNoStiffness) {
    int reads = 0;
    capstiff_services.eqkread = [&](int&) { ++reads; };
    setup_case(3, 11, 0, 100, 0, target_block(1.0, 1));
    run_case();
    EXPECT_EQ(ISTAT, 0);
    ASSERT_EQ(cap.solves.size(), 3u);
    EXPECT_EQ(cap.solves[0].request, 0);
    EXPECT_EQ(reads, 0);
    EXPECT_TRUE(captstf_levels.empty());
    EXPECT_EQ(count(PLOTDATA, "   -1   N:"), 2);
}

// A level whose solve fails gets the "-1" line and no stiffness; the next level runs.
TEST_F(EstimationPoints, FailedLevel) {
    cap.fail_at = 1;
    setup_case(3, 11, 100, 0, 0, {0.5, 1.0});
    run_case();
    EXPECT_EQ(ISTAT, 0);
    EXPECT_EQ(cap.solves.size(), 3u);
    EXPECT_EQ(lines(PLOTDATA).back(), "       -1   N:    1  FACTOR :    0.5000");
    EXPECT_EQ(captstf_levels, std::vector<double>{1.0});
}

// The estimation block's input faults: target degree of freedom, zero target
// or level, iteration limit within the history, method.
TEST(EstimationInput, BlockFaults) {
    struct Case {
        int nantyp;
        std::vector<double> values;
        bool fault;
    };
    auto block = [](double method, double s, double target, double limit, double level = 0.5) {
        std::vector<double> v{level, method, s, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 1.0, limit, 0, 0};
        if (s >= 1 && s <= 6) v[2 + static_cast<int>(s)] = target;
        return v;
    };
    const Case cases[] = {
        {3, block(1, 2, 0.01, 19), false},
        {3, block(1, 2, 0.01, 20), true},   // would overrun the 20 pairs
        {3, block(1, 2, 0.01, 0), true},
        {3, block(1, 7, 0.01, 5), true},
        {3, block(1, 0, 0.01, 5), true},
        {3, block(1, 2, 0.0, 5), true},
        {3, block(1, 2, 0.01, 5, 0.0), true},  // a zero level gives a zero target
        {2, block(1, 6, 0.01, 5), false},
        {2, block(1, 4, 0.01, 5), true},
        {3, block(2, 2, 0.01, 5), true},
        {3, block(0, 9, 0.0, 0), false},    // total applied load: the rest is not used
        {3, {0.5, 1.0}, false},
    };
    for (const Case& c : cases) {
        RESETRUN();
        NANTYP = c.nantyp;
        LCKIND(1, 2) = 11;
        NSTLEV(1) = static_cast<int>(c.values.size());
        for (std::size_t k = 0; k < c.values.size(); ++k) STLEV(1, static_cast<int>(k) + 1) = c.values[k];
        const std::string why = estimation_input_error(1);
        EXPECT_EQ(!why.empty(), c.fault) << why << " (case with " << c.values.size() << " values)";
    }
}

}  // namespace
}  // namespace zolan
