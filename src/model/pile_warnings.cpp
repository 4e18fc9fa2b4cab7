#include "model/pile_warnings.h"

namespace zolan {

int NAXWBR = 0, NAXWPO = 0, NFTORS = 0;

void reset_pile_warnings() { NAXWBR = NAXWPO = NFTORS = 0; }

}  // namespace zolan
