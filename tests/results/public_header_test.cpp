// The public C header names the run statuses the engine returns.
#include <gtest/gtest.h>

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
        {ZOLAN_INTERNAL, ISINTERN},
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(p[0], p[1]);
        EXPECT_FALSE(status_texts(p[1]).empty()) << p[1];
    }
    EXPECT_EQ(IZOLAN(0), ZOLAN_BADARG);
    EXPECT_EQ(ZOLAN_RUN, 2);
}

}  // namespace
}  // namespace zolan
