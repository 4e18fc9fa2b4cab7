// Results services: each entry runs its replaceable hook when a test
// installs one, else the module's own writer.
#include "results/results_services.h"

#include "model/run_state.h"
#include "results/curve_records.h"
#include "results/envelope_writer.h"

namespace zolan {

int NANAL = 0;
int KPRCUR = 0, NPRCUR = 0;
int RESSTAT = 0;
ResultsServices results_services;

void reset_results_state() { NANAL = KPRCUR = NPRCUR = RESSTAT = 0; }

void results_failure(int status, const std::string& line) {
    if (RESSTAT == 0) RESSTAT = status;
    if (!line.empty()) FAILTXT.push_back(line);
}

void ENVEWR(int kind, int side) {
    if (results_services.envewr) results_services.envewr(kind, side);
    else write_results_3d(kind, side);
}
void ENVEWR2D(int kind, int side) {
    if (results_services.envewr2d) results_services.envewr2d(kind, side);
    else write_results_2d(kind, side);
}
void ENVRST() {
    if (results_services.envrst) results_services.envrst();
    else zero_envelopes_3d();
}
void ENVRST2D() {
    if (results_services.envrst2d) results_services.envrst2d();
    else zero_envelopes_2d();
}
void PILEPLOT(int p, int& ISTAT) {
    if (results_services.pileplot) results_services.pileplot(p, ISTAT);
    else pile_geometry_records(p);
}
void PYPLOT(int p, int& ISTAT) {
    if (results_services.pyplot) results_services.pyplot(p, ISTAT);
    else pile_spring_records(p, ISTAT);
}

}  // namespace zolan
