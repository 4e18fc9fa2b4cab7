#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "control/control.h"
#include "model/input_tables.h"
#include "support/names_file.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

// The converted lengths, areas, inertias, unit weights and strengths of the
// one-pile model, in internal units.
std::vector<double> converted_values(const char* fixture) {
    test::TempDir dir;
    auto names = test::default_names();
    names[5] = std::string(ZOLAN_FIXTURES_DIR) + "/" + fixture;
    test::write_names(names);
    EXPECT_EQ(IZOLAN(2), 0) << fixture << "\n" << test::read_file("runtime.txt");
    return {CAPLEN,          CAPTHK,           PPIN.PLEN(1),     PPIN.SBOT(1, 1),  LAYIN.BOT(1),
            XSTAB(1, 1),     XSTAB(1, 2),      XSTAB(1, 10),     XSTAB(1, 11),     XSTAB(1, 12),
            LAYPRP(1, 1, 1), LAYPRP(1, 1, 8),  LAYPRP(1, 2, 9),  CLOAD(1, 1, 1)};
}

// One model given in English and in SI units holds the same physical values
// once converted: inches against metres, pounds against kilonewtons.
TEST(UnitConversion, EnglishAndSiTwinsAgree) {
    const std::vector<double> en = converted_values("twin_english.in");
    const std::vector<double> si = converted_values("twin_si.in");
    ASSERT_EQ(en.size(), si.size());
    const double m = 0.0254;                 // metres per inch
    const double kn = 0.0044482216152605;    // kilonewtons per pound
    const double factor[] = {m, m, m, m, m,             // cap length and thickness, pile, section, layer depths
                             m, m, m * m, m * m * m * m, m * m * m * m,  // diameters, area, inertias
                             kn / (m * m * m),          // unit weight: lb/in^3 to kN/m^3
                             kn / (m * m), kn / (m * m),  // strengths: psi to kPa
                             kn};                       // a force
    // English values as the file gives them, in internal units (hand worked):
    // 10 ft = 120 in; 110 pcf = 110 / 1728 pci; 500 psf = 500 / 144 psi.
    EXPECT_DOUBLE_EQ(en[0], 120.0);
    EXPECT_DOUBLE_EQ(en[10], 110.0 / 1728.0);
    EXPECT_DOUBLE_EQ(en[11], 500.0 / 144.0);
    for (std::size_t i = 0; i < en.size(); ++i)
        EXPECT_NEAR(en[i] * factor[i], si[i], 1e-6 * std::fabs(si[i])) << "value " << i;
}

}  // namespace
}  // namespace zolan
