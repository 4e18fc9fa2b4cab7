// The public C header names the run statuses the engine returns: its
// macros pair with the engine's names, and the header holds every code of
// the engine's status table and no other.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "../../include/zolan.h"
#include "control/control.h"
#include "model/status_codes.h"

namespace zolan {
namespace {

TEST(PublicHeader, StatusCodesAreTheEngines) {
    const int pairs[][2] = {
        {ZOLAN_OK, ISOK},           {ZOLAN_BADARG, ISBADARG},   {ZOLAN_METHOD, ISMETH},
        {ZOLAN_PILELEN, ISPLEN},    {ZOLAN_STOPPED, ISSTOP},    {ZOLAN_METHOD2D, ISMETH2},
        {ZOLAN_PILELEN2D, ISPLEN2D}, {ZOLAN_SINGULAR, ISDETK},  {ZOLAN_ROCKCOH, ISWROCK},
        {ZOLAN_DEPTHGAM, ISDGAM},   {ZOLAN_DEPTHCOH, ISDCOH},   {ZOLAN_DEPTHPHI, ISDPHI},
        {ZOLAN_DEPTHFSD, ISDFSD},   {ZOLAN_DEPTHTIP, ISDTIP},   {ZOLAN_DEPTHBPHI, ISDBPH},
        {ZOLAN_SILTPHI, ISSILTPH},  {ZOLAN_SILTSLOPE, ISSILTSL}, {ZOLAN_SANDPHI, ISSANDPH},
        {ZOLAN_SANDSLOPE, ISSANDSL}, {ZOLAN_LSE50, ISLSE50},    {ZOLAN_LSCOH, ISLSCOH},
        {ZOLAN_TRE50, ISTRE50},     {ZOLAN_TRCOH, ISTRCOH},     {ZOLAN_AXCONV, ISAXCONV},
        {ZOLAN_INPUT, ISINPUT},     {ZOLAN_FILE, ISFILE},       {ZOLAN_BUSY, ISBUSY},
        {ZOLAN_INTERNAL, ISINTERN}, {ZOLAN_SLAB, ISSLAB},
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(p[0], p[1]);
        EXPECT_FALSE(status_texts(p[1]).empty()) << p[1];
    }
    EXPECT_EQ(IZOLAN(0), ZOLAN_BADARG);
    EXPECT_EQ(ZOLAN_RUN, 2);
}

// Every status macro of the header as written in it, against the table.
TEST(PublicHeader, HoldsEveryCodeOfTheStatusTable) {
    std::ifstream in(std::string(ZOLAN_SOURCE_DIR) + "/include/zolan.h");
    std::stringstream text;
    text << in.rdbuf();
    const std::string header = text.str();
    ASSERT_FALSE(header.empty());
    static const std::regex define(R"(#define +(ZOLAN_[A-Z0-9_]+) +(-?[0-9]+))");
    std::set<int> in_header;
    for (std::sregex_iterator m(header.begin(), header.end(), define), e; m != e; ++m)
        if ((*m)[1] != "ZOLAN_RUN") {
            EXPECT_TRUE(in_header.insert(std::stoi((*m)[2])).second) << (*m)[1];
        }
    const std::set<int> in_table(status_codes().begin(), status_codes().end());
    EXPECT_EQ(in_header, in_table);
}

}  // namespace
}  // namespace zolan
