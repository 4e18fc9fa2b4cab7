#include "report/unit_labels.h"

#include <gtest/gtest.h>

#include <string>

#include "model/run_state.h"

namespace zolan {
namespace {

// Labels of the unit systems: NUNITS 1 English, 2 SI, 3 and any other value generic.
TEST(UnitLabels, TablesBySystem) {
    struct Case {
        int nunits;
        const char *ulen, *ufor, *ulen2, *ufor3, *ustrs, *ublen, *uslen, *ublen2, *uslen2;
    };
    const Case cases[] = {
        {1, " IN", " LBS", "IN", "LBS", " PSI ", " FT", " IN", "FT", "IN"},
        {2, "  M", "  KN", " M", " KN", " KPA ", "  M", " MM", " M", "MM"},
        {3, "  L", "   F", " L", "F/L", "F/L^2", "  L", "  L", "  ", "  "},
        {0, "  L", "   F", " L", "F/L", "F/L^2", "  L", "  L", "  ", "  "},
        {4, "  L", "   F", " L", "F/L", "F/L^2", "  L", "  L", "  ", "  "},
    };
    for (const Case& c : cases) {
        reset_unit_labels();
        UNITLB(unit_label_sel(c.nunits));
        EXPECT_EQ(ULEN.view(), c.ulen) << c.nunits;
        EXPECT_EQ(UFOR.view(), c.ufor) << c.nunits;
        EXPECT_EQ(ULEN2.view(), c.ulen2) << c.nunits;
        EXPECT_EQ(UFOR3.view(), c.ufor3) << c.nunits;
        EXPECT_EQ(USTRS.view(), c.ustrs) << c.nunits;
        EXPECT_EQ(UBLEN.view(), c.ublen) << c.nunits;
        EXPECT_EQ(USLEN.view(), c.uslen) << c.nunits;
        EXPECT_EQ(UBLEN2.view(), c.ublen2) << c.nunits;
        EXPECT_EQ(USLEN2.view(), c.uslen2) << c.nunits;
        // Labels common to every system.
        const std::string common = std::string(USLASH.view()) + std::string(UDASH.view()) +
                                   std::string(UPOW.view()) + std::string(UEXP2.view()) +
                                   std::string(UEXP3.view()) + std::string(UEXP4.view()) +
                                   std::string(URAD.view()) + std::string(UDEG.view()) +
                                   std::string(MRKOFF.view()) + std::string(MRKON.view());
        EXPECT_EQ(common, "/-**234RADDEG *") << c.nunits;
    }
}

// Scale helpers act by unit system, one factor at a time in double precision.
TEST(UnitLabels, ScaleHelpers) {
    for (int nunits : {1, 3, 0}) {
        NUNITS = nunits;
        EXPECT_EQ(UCM144(1.0), 144.0);
        EXPECT_EQ(UCD12(30.0), 2.5);
        EXPECT_EQ(UCM12(2.5), 30.0);
        EXPECT_EQ(UCM1728(1.0), 1728.0);
        EXPECT_EQ(UCD144(288.0), 2.0);
        EXPECT_EQ(UCD1728(3456.0), 2.0);
        EXPECT_EQ(UCM1E3(1.0), 1.0);  // SI helpers leave English values alone
        EXPECT_EQ(UCD1E12(5.0), 5.0);
        // 0.1 * 12 = 1.2000000000000002, * 12 = 14.400000000000002 (one factor
        // at a time), where 0.1 * 144 would round to 14.4.
        EXPECT_EQ(UCM144(0.1), 14.400000000000002);
        // Values that tell one factor at a time from a single factor (x * 1728,
        // x / 144, x / 1728): worked in double precision by hand.
        EXPECT_EQ(UCM1728(0.9), 1555.2000000000003);
        EXPECT_EQ(UCD1728(0.7), 0.0004050925925925925);
        EXPECT_EQ(UCD144(0.7), 0.00486111111111111);
    }
    NUNITS = 2;
    EXPECT_EQ(UCM144(1.0), 1.0);
    EXPECT_EQ(UCD12(30.0), 30.0);
    EXPECT_EQ(UCM1E3(1.0), 1000.0);
    EXPECT_EQ(UCM1E6(2.0), 2.0e6);
    EXPECT_EQ(UCM1E12(3.0), 3.0e12);
    EXPECT_EQ(UCD1E3(250.0), 0.25);
    EXPECT_EQ(UCD1E6(5.0e5), 0.5);
    EXPECT_EQ(UCD1E12(2.0e12), 2.0);
    EXPECT_EQ(UCD1E12(1.3), 1.3e-12);  // a single / 1e12 gives 1.3000000000000001e-12
    // 0.9 / 1000 / 1000 = 9e-07 by two divisions, where 0.9 / 1e6 gives 9.000000000000001e-07.
    EXPECT_EQ(UCD1E6(0.9), 9e-07);
    NUNITS = 1;
}

}  // namespace
}  // namespace zolan
