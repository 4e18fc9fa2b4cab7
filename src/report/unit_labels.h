// Unit labels of the reports and the scale helpers between input, internal
// and display units of the three unit systems (1 English, 2 SI, 3 open).
#pragma once

#include "model/table.h"

namespace zolan {

extern FixedText<3> ULEN;
extern FixedText<4> UFOR;
extern FixedText<2> ULEN2;
extern FixedText<3> UFOR3;
extern FixedText<5> USTRS;
extern FixedText<3> UBLEN;
extern FixedText<3> USLEN;
extern FixedText<2> UBLEN2;
extern FixedText<2> USLEN2;
extern FixedText<1> USLASH, UDASH, UEXP2, UEXP3, UEXP4, MRKOFF, MRKON;
extern FixedText<2> UPOW;
extern FixedText<3> URAD, UDEG;

// sel > 0 English labels, sel < 0 SI labels, sel = 0 generic labels; the
// labels common to all systems are filled in every case.
void UNITLB(int sel);
// The selector of UNITLB for a unit system: +1 English, -1 SI, 0 any other.
inline int unit_label_sel(int nunits) { return nunits == 1 ? 1 : nunits == 2 ? -1 : 0; }
void reset_unit_labels();

// Scale helpers; the English ones act unless NUNITS = 2, the SI ones only when
// NUNITS = 2. Each product or quotient is taken one factor at a time.
double UCD12(double x);
double UCM144(double x);
double UCM1728(double x);
double UCM12(double x);
double UCD144(double x);
double UCD1728(double x);
double UCM1E3(double x);
double UCM1E6(double x);
double UCM1E12(double x);
double UCD1E3(double x);
double UCD1E6(double x);
double UCD1E12(double x);

}  // namespace zolan
