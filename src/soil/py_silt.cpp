// Placeholder until the model is built.
#include "soil/py_curves.h"

namespace zolan {

void PYSILT(int, int, int&, int, int, const NODVEC&, NODVEC&, const NODVEC&, const NODVEC&, NODVEC&, NODVEC&) {}

}  // namespace zolan
