// The results writers' tests run in a fresh folder with English units and
// the three-dimensional captions; afterwards every unit is closed and the
// tables they touch are back at their start.
#pragma once

#include <gtest/gtest.h>

#include "report/column_captions.h"
#include "model/case_tables.h"
#include "model/input_tables.h"
#include "model/run_state.h"
#include "report/run_files.h"
#include "report/unit_labels.h"
#include "results/effects_table.h"
#include "support/temp_dir.h"

namespace zolan::test {

class EnglishResults : public ::testing::Test {
protected:
    void SetUp() override {
        NUNITS = 1;
        UNITLB(1);
        COLCAP(3);
    }
    void TearDown() override {
        io::close_all_units();
        reset_run_state();
        reset_unit_labels();
        reset_column_captions();
        reset_case_tables();
        reset_input_tables();
    }
    TempDir dir;
};

// A selection of the along-pile quantities qs.
inline QSEL selecting(std::initializer_list<int> qs) {
    QSEL s;
    s.fill(0);
    for (int q : qs) s(q) = 1;
    return s;
}

}  // namespace zolan::test
