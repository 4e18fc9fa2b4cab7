// One block of the input echo run with the echo file open in a fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/run_files.h"
#include "support/temp_dir.h"

namespace zolan::test {

// The echo's lines after `block(status)`; the block must leave the status at 0.
template <class Block>
std::vector<std::string> echo_block(Block&& block) {
    TempDir dir;
    EXPECT_TRUE(io::open_unit(ECHOFILE, "echo.txt", {io::Access::Write}));
    int status = 0;
    block(status);
    EXPECT_EQ(status, 0);
    io::close_unit(ECHOFILE);
    return lines_of(read_file("echo.txt"));
}

}  // namespace zolan::test
