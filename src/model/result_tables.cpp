// Result sets of the pile rows and the re-read node springs.
#include "model/result_tables.h"

#include <algorithm>

namespace zolan {

RESBLK RESCUR, ENVMIN, ENVMAX;
Table2<double, MAXPIL, MAXNOD> EQKNODR;

void RESBLK::size(int npiles) {
    rows_ = std::clamp(npiles, 0, MAXPIL);
    top_.assign(static_cast<std::size_t>(rows_) * PTSTR2, 0.0);
    eff_.assign(static_cast<std::size_t>(rows_) * MAXNOD * MAXNQ, 0.0);
    capload.fill(0.0);
    capdisp.fill(0.0);
}

void RESBLK::zero() {
    std::fill(top_.begin(), top_.end(), 0.0);
    std::fill(eff_.begin(), eff_.end(), 0.0);
    capload.fill(0.0);
    capdisp.fill(0.0);
}

void RESBLK::release() {
    rows_ = 0;
    std::vector<double>().swap(top_);
    std::vector<double>().swap(eff_);
    capload.fill(0.0);
    capdisp.fill(0.0);
}

void size_result_sets(int npiles) {
    for (RESBLK* s : {&RESCUR, &ENVMIN, &ENVMAX}) s->size(npiles);
}

void reset_result_tables() {
    for (RESBLK* s : {&RESCUR, &ENVMIN, &ENVMAX}) s->release();
    EQKNODR.fill(0.0);
}

}  // namespace zolan
