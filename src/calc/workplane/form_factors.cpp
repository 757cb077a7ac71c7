#include "calc/workplane/form_factors.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

#include "calc/workplane/fast_atan.h"

namespace kandelor::workplane {

namespace {

constexpr double kInverseTwoPi = 0.5 / std::numbers::pi;

// The double integral of ln r over two parallel segments, corner by corner: with u the
// offset along the segments and d the distance between their lines.
double lnDistanceCorner(double u, double d) {
  const double r2 = u * u + d * d;
  if (r2 == 0) return 0;
  double value = 0.25 * (u * u - d * d) * std::log(r2);
  if (d > 0) value += d * u * fastAtan(u / d);
  return value;
}

struct Edge {
  Vec3 at;      // a point of the edge's line
  double from;  // its extent along the axis
  double to;
  double sign;  // +1 where the contour runs toward increasing coordinate
};

// The two edges of `r` along `axis` (one of its own), on its contour.
void edgesAlong(const AxisRect& r, int axis, Edge out[2]) {
  const bool first = axis == r.axis1;
  const int other = first ? r.axis2 : r.axis1;
  const double start = r.origin[axis];
  const double end = start + (first ? r.length1 : r.length2);
  Vec3 low = r.origin, high = r.origin;
  high[other] += first ? r.length2 : r.length1;
  // The contour runs axis1 forward at the low side of axis2 and axis2 forward at the
  // high side of axis1.
  out[0] = {first ? low : high, start, end, 1};
  out[1] = {first ? high : low, start, end, -1};
}

}  // namespace

double pointToParallelCorner(double a, double b, double h) {
  const double x = a / h, y = b / h;
  const double sx = std::sqrt(1 + x * x), sy = std::sqrt(1 + y * y);
  return kInverseTwoPi * (x / sx * fastAtan(y / sx) + y / sy * fastAtan(x / sy));
}

double pointToPerpendicularCorner(double a, double b, double d) {
  const double s = std::sqrt(b * b + d * d);
  return kInverseTwoPi * (fastAtan(a / d) - d / s * fastAtan(a / s));
}

double exchangeArea(const AxisRect& p, const AxisRect& q) {
  double sum = 0;
  for (const int axis : {p.axis1, p.axis2}) {
    if (axis != q.axis1 && axis != q.axis2) continue;
    Edge pe[2], qe[2];
    edgesAlong(p, axis, pe);
    edgesAlong(q, axis, qe);
    for (const Edge& e : pe) {
      for (const Edge& f : qe) {
        double d2 = 0;
        for (int k = 0; k < 3; ++k) {
          if (k != axis) d2 += (e.at[k] - f.at[k]) * (e.at[k] - f.at[k]);
        }
        const double d = std::sqrt(d2);
        sum += e.sign * f.sign *
               (lnDistanceCorner(e.to - f.from, d) - lnDistanceCorner(e.from - f.from, d) -
                lnDistanceCorner(e.to - f.to, d) + lnDistanceCorner(e.from - f.to, d));
      }
    }
  }
  return kInverseTwoPi * sum;
}

}  // namespace kandelor::workplane
