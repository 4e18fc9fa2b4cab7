// Results and envelope writers of both models, and the envelopes' life
// cycle over a series of analyses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "model/node_tables.h"
#include "model/pile_tables.h"
#include "model/run_state.h"
#include "model/result_tables.h"
#include "model/section_tables.h"
#include "results/english_fixture.h"
#include "results/envelope_writer.h"
#include "results/results_services.h"

namespace zolan {
namespace {

constexpr const char* FILES[5] = {"res.txt", "sum.txt", "scr.txt", "plot.txt", "stat.txt"};
constexpr int UNITS[5] = {RESFILE, SUMFILE, SUMSCR, PLOTDATA, STATFILE};

// Two pile rows (or `npiles`) of one property set, two increments of 120 in
// (node rows 4-6), generated load-settlement curves; case 1 and the case
// envelopes select quantities 1, 2 and 9; the report files open.
class ResultsWriter : public test::EnglishResults {
protected:
    void model(int nantyp, int npiles = 2) {
        NANTYP = nantyp;
        COLCAP(nantyp);
        NPILES = npiles;
        NINCR(1) = 2;
        HINCR(1) = 120.0;
        for (int p = 1; p <= npiles; ++p) {
            IPROP(p) = 1;
            ILSCRV(p) = -1;
        }
        KAXVAR = 1;
        ICASE = 1;
        ICOMB = 0;
        for (int q : {1, 2, 9}) EFFSLC(1, q) = EFFSLE(q) = EFFSLE(25 + q) = 1;
        FPTOPSC = "work.dat";
        size_result_sets(npiles + 1);
        NANAL = 2;  // a series with solved analyses
        open();
    }
    void open() {
        for (int k = 0; k < 5; ++k) io::open_unit(UNITS[k], FILES[k], {io::Access::Write});
    }
    // Every file, closed, under a title line each.
    std::string files() {
        std::string all;
        for (int k = 0; k < 5; ++k) {
            io::close_unit(UNITS[k]);
            all += std::string("==== ") + FILES[k] + "\n" + test::read_file(FILES[k]);
        }
        return all;
    }
    void TearDown() override {
        EnglishResults::TearDown();
        reset_result_tables();
        reset_results_state();
        reset_pile_tables();
        reset_section_tables();
        reset_node_tables();
    }
};

// Values of a set: each pile-top slot and each along-pile value distinct and
// signed by the pile row, scaled by `f`; the cap vectors likewise.
void fill(RESBLK& s, double f) {
    for (int k = 1; k <= 6; ++k) {
        s.capload(k) = f * 1000.0 * k;
        s.capdisp(k) = f * 0.001 * k;
    }
    for (int p = 1; p <= s.rows(); ++p) {
        const double sign = p == 1 ? 1.0 : -1.0;
        for (int q = 1; q <= NPTQ; ++q) s.top(p, q) = f * sign * (q * 1.5 + p);
        for (int r = 4; r <= 6; ++r)
            for (int q = 1; q <= MAXNQ; ++q) s.eff(p, r, q) = f * sign * (100.0 * q + 10.0 * r + p);
    }
}

// The envelope rule over a series: reset, the first printed analysis copies,
// later ones widen strictly (an equal value keeps the stored one: its sign of
// zero shows it; a value that is not a number replaces nothing), and the
// reset with the counter at 1 starts the next series from its own first
// analysis. Models 3 and 2 differ only in what the reset clears.
TEST_F(ResultsWriter, EnvelopeLifeCycle) {
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        std::vector<std::vector<double>> series;  // per series, the values of its analyses
        double min, max;                          // stored after the last series
        bool min_negzero;                         // the minimum is -0.0
    };
    const Case cases[] = {
        {"first copies", {{-3.0}}, -3.0, -3.0, false},
        {"strict after", {{2.0, -1.0, 5.0, 4.0}}, -1.0, 5.0, false},
        {"equal kept", {{0.0, -0.0}}, 0.0, 0.0, false},
        {"equal kept, negative zero first", {{-0.0, 0.0}}, 0.0, 0.0, true},
        {"not a number replaces nothing", {{1.0, NaN, 2.0}}, 1.0, 2.0, false},
        {"reset between series", {{-50.0, 50.0}, {3.0, 4.0}}, 3.0, 4.0, false},
    };
    for (const int nantyp : {3, 2}) {
        model(nantyp);
        for (const Case& c : cases) {
            fill(ENVMIN, 7.0);
            fill(ENVMAX, 7.0);
            for (const std::vector<double>& series : c.series) {
                NANAL = 1;
                if (nantyp == 2) ENVRST2D();
                else ENVRST();
                for (double v : series) {
                    envelope_rule(NANAL, v, ENVMIN.capload(1), ENVMAX.capload(1));
                    envelope_rule(NANAL, v, ENVMIN.top(2, 14), ENVMAX.top(2, 14));
                    envelope_rule(NANAL, v, ENVMIN.eff(2, 6, 25), ENVMAX.eff(2, 6, 25));
                    ++NANAL;
                }
            }
            for (double m : {ENVMIN.capload(1), ENVMIN.top(2, 14), ENVMIN.eff(2, 6, 25)}) {
                EXPECT_EQ(m, c.min) << c.what << " model " << nantyp;
                if (m == 0.0) {
                    EXPECT_EQ(std::signbit(m), c.min_negzero) << c.what << " model " << nantyp;
                }
            }
            for (double M : {ENVMAX.capload(1), ENVMAX.top(2, 14), ENVMAX.eff(2, 6, 25)})
                EXPECT_EQ(M, c.max) << c.what << " model " << nantyp;
        }
        files();
    }
}

// What each reset clears for the pile rows 1 .. NPILES: the three-dimensional
// one everything; the plane one its three cap values of each vector, slots
// 1-7 and 14-20, and all 25 along-pile quantities (none of a previous series
// stays behind), leaving the three-dimensional cap values 4-6 and slots 8-13
// and 21-25 alone.
TEST_F(ResultsWriter, ResetOfEachModel) {
    struct Case {
        int nantyp;
        double cap4, top8, top21, top20, eff25;
    };
    const Case cases[] = {
        {3, 0.0, 0.0, 0.0, 0.0, 0.0},
        // Values before the reset (f = 1): cap load 4 = 4000; pile row 1
        // slot 8 = 8 * 1.5 + 1 = 13, slot 21 = 32.5; node row 6, quantity 25: 2561.
        {2, 4000.0, 13.0, 32.5, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        model(c.nantyp);
        fill(ENVMIN, 1.0);
        fill(ENVMAX, 1.0);
        if (c.nantyp == 2) ENVRST2D();
        else ENVRST();
        for (const RESBLK* e : {&ENVMIN, &ENVMAX}) {
            EXPECT_EQ(e->capload(1), 0.0);
            EXPECT_EQ(e->capload(4), c.cap4);
            EXPECT_EQ(e->top(1, 7), 0.0);
            EXPECT_EQ(e->top(1, 8), c.top8);
            EXPECT_EQ(e->top(1, 21), c.top21);
            EXPECT_EQ(e->top(1, 20), c.top20);
            EXPECT_EQ(e->eff(1, 6, 25), c.eff25);
            EXPECT_EQ(e->eff(2, 4, 9), 0.0);
        }
        files();
    }
}

// A series in which no analysis was solved (the counter still 1) writes one
// note on the report and the summary at its minimum call, and nothing else.
TEST_F(ResultsWriter, SeriesWithoutSolvedAnalysisWritesOneNote) {
    for (const int nantyp : {3, 2}) {
        model(nantyp);
        NANAL = 1;
        for (int kind = 1; kind <= 2; ++kind)
            for (int side = 1; side <= 2; ++side) {
                if (nantyp == 2) ENVEWR2D(kind, side);
                else ENVEWR(kind, side);
            }
        EXPECT_EQ(files(),
                  "==== res.txt\n\n     NOTE: NO ANALYSIS WAS SOLVED, NO ENVELOPE OF LOAD CASES\n\n"
                  "     NOTE: NO ANALYSIS WAS SOLVED, NO ENVELOPE OF LOAD COMBINATIONS\n"
                  "==== sum.txt\n\n     NOTE: NO ANALYSIS WAS SOLVED, NO ENVELOPE OF LOAD CASES\n\n"
                  "     NOTE: NO ANALYSIS WAS SOLVED, NO ENVELOPE OF LOAD COMBINATIONS\n"
                  "==== scr.txt\n==== plot.txt\n==== stat.txt\n")
            << nantyp;
    }
}

// The calls of a golden run: the analysis just solved at print level 2
// (page and along-pile table every second node), the load-case minimum at
// level 1 (page and table, every node), the combination maximum at level 1
// (page without table).
void golden_run(int nantyp) {
    fill(RESCUR, 1.0);
    fill(ENVMIN, -2.0);
    fill(ENVMAX, 3.0);
    KPRCUR = 2;
    NPRCUR = 2;
    KPRTEC = 1;
    NPRTEC = 0;
    KPRTEB = 1;
    NPRTEB = 0;
    const int calls[3][2] = {{0, 0}, {1, 1}, {2, 2}};
    for (const auto& c : calls) {
        if (c[0] == 2) ICOMB = 1;
        if (nantyp == 2) ENVEWR2D(c[0], c[1]);
        else ENVEWR(c[0], c[1]);
    }
}

std::string golden_path(int nantyp) {
    return std::string(ZOLAN_FIXTURES_DIR) + (nantyp == 2 ? "/golden/results_two_piles_2d.txt"
                                                           : "/golden/results_two_piles_3d.txt");
}

// Golden reports: an analysis, a load-case minimum and a combination maximum
// of two piles write exactly the reviewed headings, cap tables, pile pages,
// along-pile tables, plot-data blocks, status lines and summary tables, in the
// three-dimensional model and in its plane twin.
TEST_F(ResultsWriter, GoldenTwoPiles) {
    for (const int nantyp : {3, 2}) {
        model(nantyp);
        golden_run(nantyp);
        const std::string got = files();
        if (std::getenv("ZOLAN_WRITE_GOLDEN")) test::write_file(golden_path(nantyp), got);
        EXPECT_EQ(test::lines_of(got), test::lines_of(test::read_file(golden_path(nantyp)))) << nantyp;
        TearDown();
        SetUp();
    }
}

// A work file that cannot be created is reported after the piles (status
// 38 with the file's line among the run's failure lines); every pile still
// reaches the report and the plot-data file, and the summary tables, which
// would re-read the file, are not written.
TEST_F(ResultsWriter, WorkFileFailureIsReported) {
    for (const int nantyp : {3, 2}) {
        model(nantyp);
        FPTOPSC = "no-such-folder/work.dat";
        fill(RESCUR, 1.0);
        KPRCUR = 1;
        if (nantyp == 2) ENVEWR2D(0, 0);
        else ENVEWR(0, 0);
        EXPECT_EQ(RESSTAT, 38) << nantyp;
        ASSERT_EQ(FAILTXT.size(), 1u) << nantyp;
        EXPECT_NE(FAILTXT[0].find("no-such-folder/work.dat"), std::string::npos) << FAILTXT[0];
        const std::string all = files();
        EXPECT_NE(all.find("* PILE GROUP *     2"), std::string::npos) << nantyp;
        EXPECT_EQ(all.find("MINIMUM"), std::string::npos) << nantyp;
        TearDown();
        SetUp();
    }
}

class RowLoopResultsWriter : public ResultsWriter {};

// Every file of 500 piles is the same on 1 and on 8 requested threads.
TEST_F(RowLoopResultsWriter, FiveHundredPilesSameBytes) {
    std::string out[2];
    for (const int threads : {1, 8}) {
        model(3, 500);
        NTHRREQ = threads;
        NPROC = 8;
        fill(RESCUR, 1.0);
        KPRCUR = 2;
        NPRCUR = 1;
        ENVEWR(0, 0);
        out[threads == 8] = files() + test::read_file("work.dat");
        EXPECT_EQ(RESSTAT, 0);
        TearDown();
        SetUp();
    }
    EXPECT_GT(out[0].size(), 500u * 1000);
    EXPECT_TRUE(out[0] == out[1]);
}

}  // namespace
}  // namespace zolan
