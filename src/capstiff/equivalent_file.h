// Reader of the equivalent-stiffness file that an accepted stiffness level
// leaves: the pile-top stiffnesses and the node moduli of every pile row,
// turned into node springs by the tributary length of each node.
#pragma once

namespace zolan {

// Reads EQKFILE (open for reading) from its first line: the case line, the
// matrix heading and the NDOF matrix rows skipped (NDOF 6, or 3 in the plane
// model), then per pile row p = 1 .. NPILES with N = NINCR(IPROP(p)):
//   EQKTOPR(p, 3), EQKTOPR(p, 1) and (3-D) EQKTOPR(p, 2) from the pile-top
//   line (columns 1-17, 18-34, 35-51); h from columns 7-22 of the length
//   line; EQKNODR(p, n), n = 1 .. N + 1, the modulus of columns 23-39 (3-D:
//   the larger of columns 23-39 and 40-56) times h (h / 2 at both ends).
// Each number is read from its own columns, blanks ignored (a blank field is
// 0). A missing line or a field that is not a number is a failed read of a
// run file: status 38 with the file, line and columns; the rows read before
// it keep their new values.
void read_equivalent_stiffness(int& ISTAT);

}  // namespace zolan
