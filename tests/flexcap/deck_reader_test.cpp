// The slab deck: header, data sections, the numbered diagnoses of the count
// and mesh checks (each by a small deck of its own), the fatal block of a deck
// value that cannot be used, and the process going on after each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flexcap/slab_program.h"
#include "model/status_codes.h"
#include "report/run_files.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// Two 1 x 1 eight-node elements side by side, x from 1 to 3, y from 0 to 1.
// Corners 1 (1,0) 2 (2,0) 3 (3,0) 4 (1,1) 5 (2,1) 6 (3,1); midsides 7 (1.5,0)
// 8 (2.5,0) 9 (1.5,1) 10 (2.5,1) 11 (1,0.5) 12 (2,0.5) 13 (3,0.5).
struct Deck {
    std::string counts = "13 2 1 8 2 1 0 0 0 0 0 0 0 0 0 0";
    std::string elements = "1 101 1 1 2 5 4 7 12 9 11\n2 102 1 2 3 6 5 8 13 10 12\n";
    std::vector<std::string> nodes = {"1 201 1 0",   "2 202 2 0",   "3 203 3 0",     "4 204 1 1",     "5 205 2 1",
                                      "6 206 3 1",   "7 207 1.5 0", "8 208 2.5 0",   "9 209 1.5 1",   "10 210 2.5 1",
                                      "11 211 1 0.5", "12 212 2 0.5", "13 213 3 0.5"};
    std::string restraints = "1 1 1 1 1 1 1 0 0 0 0 0 0\n";
    std::string materials = "1 1000 0.25 0.5\n";
    std::string rest;  // load and point sections
    std::string stepping = "0.25 0 1 0.01 10 0.001";
    std::string text() const {
        std::string s = "TWO ELEMENTS\n" + counts + "\n" + stepping + "\n" + elements;
        for (const std::string& n : nodes) s += n + "\n";
        return s + restraints + materials + rest;
    }
};

struct Outcome {
    int istat;
    std::string listing, log;
};

// Reads a deck as a slab analysis does, then ends the analysis.
Outcome read_deck(const Deck& d) {
    test::write_file("deck", d.text());
    int ISTAT = 0;
    FCHEAD("deck", "listing", "log", ISTAT);
    if (ISTAT == 0) FCREAD(ISTAT);
    FCRELEASE();
    return {ISTAT, test::read_file("listing"), test::read_file("log")};
}

std::vector<std::string> diagnoses(const std::string& text) {
    std::vector<std::string> out;
    for (const std::string& l : test::lines_of(text))
        if (l.find("*** DIAGNOSIS") != std::string::npos) out.push_back(l);
    return out;
}

std::string check1(int i) { return " *** DIAGNOSIS BY CHECK1, ERROR" + std::string(i < 10 ? "  " : " ") + std::to_string(i); }
std::string check2(int i, int n) {
    return " *** DIAGNOSIS BY CHECK2, ERROR " + std::to_string(i) + "       ASSOCIATED NUMBER    " + std::to_string(n);
}

// The example deck reads through, its front is 8 nodes x 6 = 48 wide (every
// node of element 1 enters with it; element 2 adds five and the five of
// element 1 alone leave), and a second read in the same process gives the same.
TEST(SlabDeck, ValidDeckReads) {
    test::TempDir dir;
    for (int pass = 1; pass <= 2; ++pass) {
        const Outcome o = read_deck(Deck{});
        EXPECT_EQ(o.istat, 0);
        EXPECT_NE(o.listing.find("\n\n MAXIMUM FRONTWIDTH ENCOUNTERED =   48\n"), std::string::npos);
        EXPECT_EQ(o.listing.substr(0, 12), "TWO ELEMENTS");
        EXPECT_NE(o.listing.find("\n     101       1       1       2       5       4       7      12       9      11\n"),
                  std::string::npos);
        EXPECT_NE(o.listing.find("\n      213       3.0000       0.5000\n"), std::string::npos);
        EXPECT_NE(o.listing.find("\n     201  111111  0.00000E+00"), std::string::npos);
        EXPECT_TRUE(diagnoses(o.listing).empty());
    }
}

// Every load and stiffness section present once: each is headed by its own
// line, one blank before the words, after two empty lines.
TEST(SlabDeck, SectionHeadings) {
    test::TempDir dir;
    Deck d;
    d.counts = "13 2 1 8 2 1 1 1 1 1 1 1 1 1 1 0";
    d.rest = "3 0 0 1 0 0 0\n3 0 0 1 0 0 0\n1 0 0 1 0 0 0\n1 0 0 1 0 0 0\n1.5 0.5 0 0 1 0 0 0\n1.5 0.5 0 0 1 0 0 0\n"
             "1 1 3 1 1 1\n1 1 3 1 1 1\n1.5 0.5\n";
    const Outcome o = read_deck(d);
    ASSERT_EQ(o.istat, 0);
    for (const char* h : {" NODAL LOADS", " NODAL STIFFNESSES", " DISTRIBUTED LOADS", " DISTRIBUTED STIFFNESSES", " CONCENTRATED LOADS",
                          " CONCENTRATED STIFFNESSES", " EDGE LOADS", " EDGE STIFFNESS", " CONCENTRATED TOTAL STIFFNESSES"})
        EXPECT_NE(o.listing.find(std::string("\n\n\n") + h + "\n"), std::string::npos) << h;
}

// Each diagnosis of the two checks by a deck of its own: the lines written,
// in number order, with their counts, nothing on the process's streams; the
// analysis ends with status 41 after the listing of the rest of the deck.
TEST(SlabDeck, Diagnoses) {
    test::TempDir dir;
    struct Case {
        const char* what;
        void (*edit)(Deck&);
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"no nodes (and so too many restraints)", [](Deck& d) { d.counts = "0 2 1 8 2 1 0 0 0 0 0 0 0 0 0 0"; }, {check1(1), check1(3)}},
        {"more nodes than 2 elements x 8", [](Deck& d) { d.counts = "17 2 1 8 2 1 0 0 0 0 0 0 0 0 0 0"; }, {check1(2)}},
        {"a negative restraint count", [](Deck& d) { d.counts = "13 2 1 8 2 -1 0 0 0 0 0 0 0 0 0 0"; }, {check1(3)}},
        {"more restraints than nodes", [](Deck& d) { d.counts = "13 2 1 8 2 14 0 0 0 0 0 0 0 0 0 0"; }, {check1(3)}},
        {"ten nodes per element", [](Deck& d) { d.counts = "13 2 1 10 2 1 0 0 0 0 0 0 0 0 0 0"; }, {check1(6)}},
        {"more materials than elements", [](Deck& d) { d.counts = "13 2 3 8 2 1 0 0 0 0 0 0 0 0 0 0"; }, {check1(8)}},
        {"four Gauss points", [](Deck& d) { d.counts = "13 2 1 8 4 1 0 0 0 0 0 0 0 0 0 0"; }, {check1(10)}},
        {"no material and no Gauss point", [](Deck& d) { d.counts = "13 2 0 8 0 1 0 0 0 0 0 0 0 0 0 0"; }, {check1(8), check1(10)}},
        {"node 13 on node 12", [](Deck& d) { d.nodes[12] = "13 213 2 0.5"; }, {check2(13, 1)}},
        {"property 2 of one material", [](Deck& d) { d.elements = "1 101 1 1 2 5 4 7 12 9 11\n2 102 2 2 3 6 5 8 13 10 12\n"; },
         {check2(14, 1)}},
        // Node 13 then occurs nowhere: 18, and 19 for its coordinates (3, 0.5).
        {"a zero entry", [](Deck& d) { d.elements = "1 101 1 1 2 5 4 7 12 9 11\n2 102 1 2 3 6 5 8 0 10 12\n"; },
         {check2(15, 1), check2(18, 1), check2(19, 1)}},
        {"an entry beyond the nodes", [](Deck& d) { d.elements = "1 101 1 1 2 5 4 7 12 9 11\n2 102 1 2 3 6 5 8 14 10 12\n"; },
         {check2(16, 1), check2(18, 1), check2(19, 1)}},
        {"node 8 twice in element 2", [](Deck& d) { d.elements = "1 101 1 1 2 5 4 7 12 9 11\n2 102 1 2 3 6 5 8 8 10 12\n"; },
         {check2(17, 1), check2(18, 1), check2(19, 1)}},
        {"node 14 at the origin in no element",
         [](Deck& d) {
             d.counts = "14 2 1 8 2 1 0 0 0 0 0 0 0 0 0 0";
             d.nodes.push_back("14 214 0 0");
         },
         {check2(18, 1)}},
        {"node 14 off the origin in no element, restrained",
         [](Deck& d) {
             d.counts = "14 2 1 8 2 2 0 0 0 0 0 0 0 0 0 0";
             d.nodes.push_back("14 214 5 5");
             d.restraints += "14 1 0 0 0 0 0 0 0 0 0 0 0\n";
         },
         {check2(18, 1), check2(19, 1), check2(20, 1)}},
        {"restraint of node 20", [](Deck& d) { d.restraints = "20 1 1 1 1 1 1 0 0 0 0 0 0\n"; }, {check2(22, 1)}},
        {"restraint without a code", [](Deck& d) { d.restraints = "1 0 0 0 0 0 0 0 0 0 0 0 0\n"; },
         {check2(23, 1)}},
        {"node 1 restrained three times",
         [](Deck& d) {
             d.counts = "13 2 1 8 2 3 0 0 0 0 0 0 0 0 0 0";
             d.restraints = "1 1 1 1 1 1 1 0 0 0 0 0 0\n1 1 0 0 0 0 0 0 0 0 0 0 0\n1 0 1 0 0 0 0 0 0 0 0 0 0\n";
         },
         {check2(24, 3)}},
    };
    for (const Case& c : cases) {
        Deck d;
        c.edit(d);
        // The diagnoses go to the run's files, never to the host's streams.
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const Outcome o = read_deck(d);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << c.what;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << c.what;
        EXPECT_EQ(o.istat, ISSLAB) << c.what;
        EXPECT_EQ(diagnoses(o.listing), c.lines) << c.what;
        EXPECT_NE(o.listing.find("\n\n NOW FOLLOWING A LISTING OF POST-DISASTER DATA CARDS\n"), std::string::npos) << c.what;
        // The first check also goes to the log; the second to the listing only.
        EXPECT_EQ(diagnoses(o.log).size(), c.lines[0].find("CHECK1") != std::string::npos ? c.lines.size() : 0u) << c.what;
    }
    // The listing of the rest of the deck: CHECK1 from the first element record
    // on, each line after five blanks, padded to 80 characters.
    Deck d;
    d.counts = "13 2 1 8 4 1 0 0 0 0 0 0 0 0 0 0";
    const Outcome o = read_deck(d);
    EXPECT_NE(o.listing.find("DATA CARDS\n\n     1 101 1 1 2 5 4 7 12 9 11" + std::string(55, ' ') + "\n"), std::string::npos);
    // A node that never appears is named by its internal number.
    Deck e;
    e.counts = "14 2 1 8 2 1 0 0 0 0 0 0 0 0 0 0";
    e.nodes.push_back("14 999 0 0");
    EXPECT_NE(read_deck(e).listing.find("\n CHECK WHY NODE  14 NEVER APPEARS\n"), std::string::npos);
    // Seven nodes per element pass the count check but have no shape functions.
    Deck f;
    f.counts = "13 2 1 7 2 1 0 0 0 0 0 0 0 0 0 0";
    const Outcome g = read_deck(f);
    EXPECT_EQ(g.istat, ISSLAB);
    EXPECT_NE(g.listing.find("\n\n NO SHAPE FUNCTIONS FOR  7 NODES PER ELEMENT: 4, 8 OR 9 ARE ADMITTED\n"), std::string::npos);
}

// A deck value that cannot be used is a fatal block naming the deck line and
// the record (status 37); nothing is read or written out of the tables, and a
// good deck reads afterwards in the same process.
TEST(SlabDeck, UnusableValuesAreFatal) {
    test::TempDir dir;
    struct Case {
        const char* what;
        void (*edit)(Deck&);
        const char* line;
        const char* record;
    };
    const Case cases[] = {
        {"element number 3 of 2", [](Deck& d) { d.elements = "1 101 1 1 2 5 4 7 12 9 11\n3 102 1 2 3 6 5 8 13 10 12\n"; },
         "LINE 5", "RECORD: ELEMENT RECORD 2"},
        {"node number 0", [](Deck& d) { d.nodes[1] = "0 202 2 0"; }, "LINE 7", "RECORD: NODE RECORD 2"},
        {"material number 2 of 1", [](Deck& d) { d.materials = "2 1000 0.25 0.5\n"; }, "LINE 20", "RECORD: MATERIAL RECORD 1"},
        {"nodal load on node 14",
         [](Deck& d) {
             d.counts = "13 2 1 8 2 1 1 0 0 0 0 0 0 0 0 0";
             d.rest = "14 0 0 1 0 0 0\n";
         },
         "LINE 21", "RECORD: NODAL LOADS RECORD 1"},
        {"edge load on side 5",
         [](Deck& d) {
             d.counts = "13 2 1 8 2 1 0 0 0 0 0 0 1 0 0 0";
             d.rest = "1 5 3 1 1 1\n";
         },
         "LINE 21", "RECORD: EDGE LOADS RECORD 1"},
        {"a negative count", [](Deck& d) { d.counts = "13 2 1 8 2 1 -1 0 0 0 0 0 0 0 0 0"; }, "LINE 2", "RECORD: COUNTS"},
        {"the deck ends in the materials", [](Deck& d) { d.materials = "1 1000\n"; }, "LINE 20", "RECORD: MATERIAL RECORD 1"},
        {"a text for a coordinate", [](Deck& d) { d.nodes[3] = "4 204 one 1"; }, "LINE 9", "RECORD: NODE RECORD 4"},
    };
    for (const Case& c : cases) {
        Deck d;
        c.edit(d);
        const Outcome o = read_deck(d);
        EXPECT_EQ(o.istat, ISINPUT) << c.what;
        for (const std::string& text : {o.listing, o.log}) {
            EXPECT_NE(text.find("**** FATAL ERROR ****"), std::string::npos) << c.what;
            EXPECT_NE(text.find("SLAB DECK deck, " + std::string(c.line) + "\n"), std::string::npos) << c.what << "\n" << text;
            EXPECT_NE(text.find(std::string("     ") + c.record + "\n"), std::string::npos) << c.what << "\n" << text;
        }
    }
    EXPECT_EQ(read_deck(Deck{}).istat, 0);
}

// Stepping controls under which the slab analysis would not end are a fatal
// block on the stepping record: an iteration limit above 1,000, or
// increments that would take more than 10,000 steps from TINI to TEND (a
// failed step halving DT while the half is not below DTMIN). At the bounds
// the deck reads.
TEST(SlabDeck, SteppingThatWouldNotEndIsFatal) {
    test::TempDir dir;
    struct Case {
        const char* stepping;
        const char* problem;  // null: the deck reads
    };
    const Case cases[] = {
        {"1.0E-4 0 1 1.0E-4 1000 0.001", nullptr},  // 10,000 steps of 1e-4
        {"0.25 0 1 0.01 1001 0.001", "THE ITERATION LIMIT MAXITER IS 1001; EXPECTED AT MOST 1000"},
        {"1.0E-7 0 1 1.0E-8 10 0.001",
         "THE TIME INCREMENT DT IS  1.00000E-07 OVER TINI TO TEND OF  1.00000E+00; EXPECTED AT MOST 10000 LOAD STEPS"},
        {"0.25 0 1.0E9 0.01 10 0.001",
         "THE TIME INCREMENT DT IS  2.50000E-01 OVER TINI TO TEND OF  1.00000E+09; EXPECTED AT MOST 10000 LOAD STEPS"},
        // 1 halved 16 times is 2^-16 = 1.52587890625e-5 >= 1e-5: 65536 steps.
        {"1 0 1 1.0E-5 10 0.001",
         "THE MINIMUM INCREMENT DTMIN IS  1.00000E-05: FAILED STEPS MAY HALVE DT TO  1.52588E-05 OVER TINI TO TEND "
         "OF  1.00000E+00; EXPECTED AT MOST 10000 LOAD STEPS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stepping);
        Deck d;
        d.stepping = c.stepping;
        const Outcome o = read_deck(d);
        if (c.problem == nullptr) {
            EXPECT_EQ(o.istat, 0) << o.listing;
            continue;
        }
        EXPECT_EQ(o.istat, ISINPUT);
        for (const std::string& text : {o.listing, o.log}) {
            EXPECT_NE(text.find("SLAB DECK deck, LINE 3\n     RECORD: STEPPING CONTROLS\n     " + std::string(c.problem) +
                                "\n"),
                      std::string::npos)
                << text;
        }
    }
}

}  // namespace
}  // namespace zolan
