// A names file for a run in the current folder: record 1 the version text,
// records 5 to 27 the run files; any record can be replaced.
#pragma once

#include <map>
#include <string>

#include "support/temp_dir.h"

namespace zolan::test {

inline std::map<int, std::string> default_names() {
    return {
        {1, "TEST 1.0"},      {2, "front end"},     {3, "input"},        {4, ""},
        {5, "input.dat"},     {6, "echo.txt"},      {7, "results.txt"},  {8, "summary.txt"},
        {9, "plot.txt"},      {10, "runtime.txt"},  {11, "status.txt"},  {12, "plotdata.txt"},
        {13, "progress.txt"}, {14, "crvrpt.txt"},   {15, "flex.tmp"},    {16, "ldd.tmp"},
        {17, "ptop.tmp"},     {18, "stop.txt"},     {19, "eqk.tmp"},     {20, "eqm.txt"},
        {21, "axwarn.tmp"},   {22, "itertrc.txt"},  {23, "axld.txt"},    {24, "curves.dat"},
        {25, "esttrc.txt"},   {26, "sumscr.tmp"},   {27, "mphi.txt"},
    };
}

inline void write_names(const std::map<int, std::string>& names, int records = 27) {
    std::string text;
    for (int r = 1; r <= records; ++r) {
        auto it = names.find(r);
        text += (it == names.end() ? std::string() : it->second) + "\n";
    }
    write_file("Names.dat", text);
}

}  // namespace zolan::test
