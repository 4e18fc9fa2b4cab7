// Pile rows of the analysis model.
#pragma once

namespace zolan {

extern int NPILES;   // pile rows in use (the embedded cap, when modelled, is row NPILES + 1)

void reset_pile_tables();

}  // namespace zolan
