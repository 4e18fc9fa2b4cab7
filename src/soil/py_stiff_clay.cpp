// Placeholder until the model is built.
#include "soil/py_curves.h"

namespace zolan {

void PYSTIFW(int, int, int&, int, int, const NODVEC&, NODVEC&, const NODVEC&, const NODVEC&, NODVEC&, NODVEC&) {}
void PYSTIFF(int, int, int&, int, int, const NODVEC&, NODVEC&, const NODVEC&, const NODVEC&, NODVEC&, NODVEC&) {}
void PYSTIFK(int, int, int&, int, int, const NODVEC&, NODVEC&, const NODVEC&, const NODVEC&, NODVEC&, NODVEC&) {}

}  // namespace zolan
namespace zolan {
void KSTIFF(double, double&, int, int) {}
}  // namespace zolan
