#include "report/unit_labels.h"

#include "model/run_state.h"

namespace zolan {

FixedText<3> ULEN;
FixedText<4> UFOR;
FixedText<2> ULEN2;
FixedText<3> UFOR3;
FixedText<5> USTRS;
FixedText<3> UBLEN;
FixedText<3> USLEN;
FixedText<2> UBLEN2;
FixedText<2> USLEN2;
FixedText<1> USLASH, UDASH, UEXP2, UEXP3, UEXP4, MRKOFF, MRKON;
FixedText<2> UPOW;
FixedText<3> URAD, UDEG;

void UNITLB(int sel) {
    if (sel > 0) {
        ULEN.set(" IN"); UFOR.set(" LBS"); ULEN2.set("IN"); UFOR3.set("LBS"); USTRS.set(" PSI ");
        UBLEN.set(" FT"); USLEN.set(" IN"); UBLEN2.set("FT"); USLEN2.set("IN");
    } else if (sel < 0) {
        ULEN.set("  M"); UFOR.set("  KN"); ULEN2.set(" M"); UFOR3.set(" KN"); USTRS.set(" KPA ");
        UBLEN.set("  M"); USLEN.set(" MM"); UBLEN2.set(" M"); USLEN2.set("MM");
    } else {
        // Generic force label inside compound units: the first three characters of F/L^2.
        ULEN.set("  L"); UFOR.set("   F"); ULEN2.set(" L"); UFOR3.set("F/L^2"); USTRS.set("F/L^2");
        UBLEN.set("  L"); USLEN.set("  L"); UBLEN2.set("  "); USLEN2.set("  ");
    }
    USLASH.set("/"); UDASH.set("-"); UPOW.set("**"); UEXP2.set("2"); UEXP3.set("3"); UEXP4.set("4");
    URAD.set("RAD"); UDEG.set("DEG"); MRKOFF.set(" "); MRKON.set("*");
}

void reset_unit_labels() {
    for (auto* t : {&ULEN, &UBLEN, &USLEN, &UFOR3, &URAD, &UDEG}) t->set("");
    for (auto* t : {&ULEN2, &UBLEN2, &USLEN2, &UPOW}) t->set("");
    for (auto* t : {&USLASH, &UDASH, &UEXP2, &UEXP3, &UEXP4, &MRKOFF, &MRKON}) t->set("");
    UFOR.set("");
    USTRS.set("");
}

double UCD12(double x) { return NUNITS != 2 ? x / 12.0 : x; }
double UCM144(double x) { return NUNITS != 2 ? x * 12.0 * 12.0 : x; }
double UCM1728(double x) { return NUNITS != 2 ? x * 12.0 * 12.0 * 12.0 : x; }
double UCM12(double x) { return NUNITS != 2 ? x * 12.0 : x; }
double UCD144(double x) { return NUNITS != 2 ? x / 12.0 / 12.0 : x; }
double UCD1728(double x) { return NUNITS != 2 ? x / 12.0 / 12.0 / 12.0 : x; }
double UCM1E3(double x) { return NUNITS == 2 ? x * 1000.0 : x; }
double UCM1E6(double x) { return NUNITS == 2 ? x * 1000.0 * 1000.0 : x; }
double UCM1E12(double x) { return NUNITS == 2 ? x * 1000.0 * 1000.0 * 1000.0 * 1000.0 : x; }
double UCD1E3(double x) { return NUNITS == 2 ? x / 1000.0 : x; }
double UCD1E6(double x) { return NUNITS == 2 ? x / 1000.0 / 1000.0 : x; }
double UCD1E12(double x) { return NUNITS == 2 ? x / 1000.0 / 1000.0 / 1000.0 / 1000.0 : x; }

}  // namespace zolan
