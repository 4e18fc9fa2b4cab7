// Lever and rotation matrices of a pile row.
#include "group/pile_axes.h"

#include "pile/pile_frame.h"

namespace zolan {

PileTransform PILETR(const PileGeometry& g) {
    // 1, 2. The pile axes in cap components: axis[k] is pile axis x, y, z (k = 0, 1, 2).
    const PileAxes axes = pile_axes(g.alpha, g.beta, g.theta);
    const auto& axis = axes.axis;
    // 3. Lever block of L: rows of the translations X, Y, Z, columns of the
    // rotations about X, Y, Z, so that the block times theta is theta x r.
    const double lever[3][3] = {{0.0, g.z, -g.y}, {-g.z, 0.0, g.x}, {g.y, -g.x, 0.0}};
    PileTransform t;
    for (auto* m : {&t.LT, &t.L, &t.Q, &t.QT}) m->fill(0.0);
    for (int i = 1; i <= 6; ++i) {
        t.L(i, i) = 1.0;
        t.LT(i, i) = 1.0;
    }
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 3; ++j) {
            t.L(i, j + 3) = lever[i - 1][j - 1];
            t.LT(j + 3, i) = lever[i - 1][j - 1];
            // 4. The rotation on both diagonal blocks.
            for (int b : {0, 3}) {
                t.Q(i + b, j + b) = axis[j - 1][i - 1];
                t.QT(i + b, j + b) = axis[i - 1][j - 1];
            }
        }
    }
    return t;
}

PileTransform PILETR(int i) {
    return PILETR(PileGeometry{CORX(i), CORY(i), CORZ(i), ALPHA(i), BETA(i), THETA(i)});
}

}  // namespace zolan
