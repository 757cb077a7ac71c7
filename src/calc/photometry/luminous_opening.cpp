#include "calc/photometry/luminous_opening.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kandelor::photometry {

namespace {
constexpr double kDegree = std::numbers::pi / 180;
}

double LuminousOpening::bottomArea() const {
  if (!(length > 0) || !(width > 0)) return 0;
  return round ? std::numbers::pi / 4 * length * length : length * width;
}

double LuminousOpening::projectedArea(double c, double gamma) const {
  const double up = std::cos(gamma * kDegree);
  const double across = std::sin(gamma * kDegree);
  double area = std::max(up, 0.0) * bottomArea();
  if (round) return area + length * sideHeights[0] * std::abs(across);
  // The sides at either end of the length are as wide as the opening; the long sides
  // as long as it.
  const double x = std::cos(c * kDegree), y = std::sin(c * kDegree);
  area +=
      across * (width * (sideHeights[0] * std::max(x, 0.0) + sideHeights[2] * std::max(-x, 0.0)) +
                length * (sideHeights[1] * std::max(y, 0.0) + sideHeights[3] * std::max(-y, 0.0)));
  return area;
}

}  // namespace kandelor::photometry
