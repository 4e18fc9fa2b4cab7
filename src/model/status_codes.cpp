#include "model/status_codes.h"

#include <array>
#include <iterator>

namespace zolan {
namespace {

struct StatusEntry {
    int code;
    const char* texts[2];
    int ntext;
};

constexpr StatusEntry kStatus[] = {
    {ISOK, {"    ANALYSIS COMPLETED"}, 1},
    {ISBADARG, {"    1, UNKNOWN CODE"}, 1},
    {ISMETH, {"    2, UNKNOWN CODE"}, 1},
    {ISPLEN, {"    PILE LENGTH EXTENDS BELOW THE BOTTOM", "    OF THE DEEPEST LAYER, NODE"}, 2},
    {ISSTOP, {"     *** ANALYSIS STOPPED BY USER ***"}, 1},
    {ISMETH2, {"    12, UNKNOWN CODE"}, 1},
    {ISPLEN2D, {"    PILE LENGTH EXTENDS BELOW THE BOTTOM", "    OF THE DEEPEST LAYER, NODE2D"}, 2},
    {ISDETK, {"    DETERMINANT OF STIFFNESS MATRIX IS ZERO"}, 1},
    {ISWROCK, {"    WEAK ROCK, THE COHESIVE STRENGTH IS ZERO"}, 1},
    {ISDGAM, {"    CURRENT DEPTH IS BEYOND THE EXTENT", "    OF INPUT CURVE FOR UNIT WEIGHT"}, 2},
    {ISDCOH, {"    CURRENT DEPTH IS BEYOND THE EXTENT", "    OF INPUT CURVE FOR COHESION"}, 2},
    {ISDPHI, {"    CURRENT DEPTH IS BEYOND THE EXTENT", "    OF INPUT CURVE FOR FRICTION ANGLE"}, 2},
    {ISDFSD, {"    CURRENT DEPTH IS BEYOND THE EXTENT", "    OF INPUT CURVE FOR SIDE FRICTION"}, 2},
    {ISDTIP, {"    CURRENT DEPTH IS BEYOND THE EXTENT", "    OF INPUT CURVE FOR SIDE RESISTANCE"}, 2},
    {ISDBPH, {"    CURRENT DEPTH IS BEYOND THE EXTENT", "    OF INPUT CURVE FOR FRICTION ANGLE"}, 2},
    {ISSILTPH, {"    SILT, THE FRICTION ANGLE IS ZERO"}, 1},
    {ISSILTSL, {"    SILT, SLOPE ANGLE GREATER THAN FRICTION ANGLE"}, 1},
    {ISSANDPH, {"    SAND, THE FRICTION ANGLE IS ZERO"}, 1},
    {ISSANDSL, {"    SAND, SLOPE ANGLE GREATER THAN FRICTION ANGLE"}, 1},
    {ISLSE50, {"     LS CURVE, E50 VALUE IS ZERO"}, 1},
    {ISLSCOH, {"      LS CURVE, COHESION VALUE IS ZERO"}, 1},
    {ISTRE50, {"     TORQUE CURVE, E50 VALUE IS ZERO"}, 1},
    {ISTRCOH, {"     TORQUE CURVE, COHESION VALUE IS ZERO"}, 1},
    {ISAXCONV, {"     CONVERGENCE ERROR, ", "     WHILE COMPUTING AXIAL FORCES ALONG PILE"}, 2},
    {ISINPUT, {"    INPUT DATA FILE IS MALFORMED OR INCOMPLETE"}, 1},
    {ISFILE, {"    NAMES FILE OR A RUN FILE COULD NOT BE READ, OPENED OR WRITTEN"}, 1},
    {ISBUSY, {"    ANOTHER RUN IS IN PROGRESS IN THIS PROCESS"}, 1},
    {ISINTERN, {"    INTERNAL ERROR OF THE ENGINE"}, 1},
    {ISSLAB, {"    FLEXIBLE-CAP SLAB ANALYSIS ENDED BY A FATAL DIAGNOSTIC", "    (SEE THE SLAB LISTING FILE)"}, 2},
};

constexpr auto codes_of_table() {
    std::array<int, std::size(kStatus)> c{};
    for (std::size_t k = 0; k < c.size(); ++k) c[k] = kStatus[k].code;
    return c;
}
constexpr auto kCodes = codes_of_table();

}  // namespace

std::span<const int> status_codes() { return kCodes; }

std::span<const char* const> status_texts(int code) {
    for (const StatusEntry& e : kStatus)
        if (e.code == code) return std::span<const char* const>(e.texts, static_cast<std::size_t>(e.ntext));
    return {};
}

}  // namespace zolan
