#include "model/pile_tables.h"

namespace zolan {

int NPILES = 0;

void reset_pile_tables() { NPILES = 0; }

}  // namespace zolan
