// Estimates of the ultimate unit side and tip resistance of a pile at a depth
// of the soil profile, from the soil's strength data, where the input curves
// of maximum side load transfer and maximum tip resistance leave them out.
#pragma once

namespace zolan {

// Ultimate unit side friction and tip resistance at `depth` for a layer of
// soil code `code`, each for a driven pile (side1, tip1) and a drilled shaft
// (side2, tip2), in internal stress units. sideflag / tipflag = 1 when the
// values were estimated, 0 when the input curve gives the resistance. A
// lookup that finds the depth below the profile sets `status` (22 to 26);
// the routine then returns at once with the outputs as far as they were set.
void ULTFRQ(int code, double depth, int& sideflag, double& side1, double& side2, int& tipflag, double& tip1,
            double& tip2, int& status);

}  // namespace zolan
