#include "model/pile_warnings.h"

#include <algorithm>

namespace zolan {

int NAXWBR = 0, NAXWPO = 0, NFTORS = 0;
Table1<int, MAXPIL> AXPEAK;

int past_peak_rows(int n) {
    int count = 0;
    for (int r = 1; r <= std::min(n, MAXPIL); ++r) count += AXPEAK(r) == 1;
    return count;
}

void reset_pile_warnings() {
    NAXWBR = NAXWPO = NFTORS = 0;
    AXPEAK.fill(0);
}

}  // namespace zolan
