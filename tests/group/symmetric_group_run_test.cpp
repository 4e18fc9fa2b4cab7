// The shipped 2 x 2 group is symmetric about both lateral axes: under its
// purely vertical load cases the cap settles without any lateral movement
// or rotation, exactly (the condensed tangent has no coupling from the axial
// movement into the lateral forces of a pile that does not deflect, and the
// rows' terms cancel in row order).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "group/cap_solver3d.h"
#include "group/group_services.h"
#include "control/control.h"
#include "support/names_file.h"
#include "support/seams.h"
#include "support/temp_dir.h"

namespace zolan {
namespace {

TEST(SymmetricGroupRun, VerticalLoadMovesTheCapOnlyDownward) {
    test::TempDir dir;
    test::Seams seams;
    std::vector<CAPVEC> solved;
    group_services.result3d = [&](const SolveRequest& r, const Cap3dOutcome& o, int& ISTAT) {
        solved.push_back(o.U);
        return RESPASS3(r, o, ISTAT);
    };
    test::write_file("group3d.in", test::read_file(std::string(ZOLAN_SOURCE_DIR) + "/examples/group3d.in"));
    auto names = test::default_names();
    names[5] = "group3d.in";
    test::write_names(names);
    ASSERT_EQ(IZOLAN(2), 0);
    ASSERT_GE(solved.size(), 2u);
    for (std::size_t a = 0; a < 2; ++a) {  // dead load, live load: vertical alone
        EXPECT_GT(solved[a](1), 0.0);
        for (int i = 2; i <= 6; ++i) EXPECT_EQ(solved[a](i), 0.0) << "analysis " << a + 1 << " component " << i;
    }
}

}  // namespace
}  // namespace zolan
