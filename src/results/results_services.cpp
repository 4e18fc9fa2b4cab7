// Results writers. Until they exist the envelopes and the per-pile curve
// records are not written: each body does nothing.
#include "results/results_services.h"

namespace zolan {

int NANAL = 0;
ResultsServices results_services;

void reset_results_state() { NANAL = 0; }

void ENVEWR(int kind, int side) {
    if (results_services.envewr) results_services.envewr(kind, side);
}
void ENVEWR2D(int kind, int side) {
    if (results_services.envewr2d) results_services.envewr2d(kind, side);
}
void ENVRST() {
    if (results_services.envrst) results_services.envrst();
}
void ENVRST2D() {
    if (results_services.envrst2d) results_services.envrst2d();
}
void PILEPLOT(int p, int& ISTAT) {
    if (results_services.pileplot) results_services.pileplot(p, ISTAT);
}
void PYPLOT(int p, int& ISTAT) {
    if (results_services.pyplot) results_services.pyplot(p, ISTAT);
}

}  // namespace zolan
