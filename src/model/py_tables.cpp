// State of the p-y curve generators.
#include "model/py_tables.h"

namespace zolan {

Table2<double, MAXPIL, MAXSLY> PUSUM;
Table2<double, MAXPIL, MAXSLY> EQDEP;
int PLOTFLG = 0;
int PYNPT = 0;
int PYRCUR = 0;
Table2<double, MAXPYB, 2> PYBUF;
int PYCODE = 0;
int PYBELOW = 0;
double PYZGS = 0.0;
Table1<int, MAXPIL> PYUWRN;

Table1<int, MAXSLY> VUGWRN;
Table1<int, MAXSLY> LAYSTOP;

void reset_py_tables() {
    VUGWRN.fill(0);
    LAYSTOP.fill(0);
    PUSUM.fill(0.0);
    EQDEP.fill(0.0);
    PLOTFLG = PYNPT = PYRCUR = PYCODE = PYBELOW = 0;
    PYBUF.fill(0.0);
    PYZGS = 0.0;
    PYUWRN.fill(0);
}

}  // namespace zolan
