#pragma once

#include "calc/workplane/vec3.h"

namespace kandelor::workplane {

// Closed-form configuration factors between axis-aligned rectangles and from points to
// them (Howell's catalogue: B-3 and its perpendicular counterpart by corner
// decomposition; rectangle to rectangle by the contour integral of ln r).

// From a point facing a parallel plane at distance h to the rectangle [0, a] x [0, b]
// of that plane whose corner lies straight across from the point; odd in a and in b,
// so that any rectangle is the signed sum of its four corners' values.
double pointToParallelCorner(double a, double b, double h);

// From a point on a plane to the rectangle [0, a] x [0, b] of a perpendicular plane at
// distance d: a along the planes' common direction from the foot of the point, b from
// the line where the planes meet; odd in a.
double pointToPerpendicularCorner(double a, double b, double d);

// A rectangle of the room with sides along two axes (0 x, 1 y, 2 z). Its normal is
// axis1 x axis2, so the order of the axes says which way the rectangle faces.
struct AxisRect {
  Vec3 origin;
  int axis1 = 0;
  double length1 = 0;
  int axis2 = 1;
  double length2 = 0;

  double area() const { return length1 * length2; }
};

// A_p F_pq: the area of p times the form factor from p to q, which is the same both
// ways round. Exact for rectangles in parallel or perpendicular planes facing each
// other, including ones that share an edge.
double exchangeArea(const AxisRect& p, const AxisRect& q);

}  // namespace kandelor::workplane
