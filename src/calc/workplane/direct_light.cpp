#include "calc/workplane/direct_light.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kandelor::workplane {

bool PointSource::mirrorsAlong(int axis) const {
  if (intensity == nullptr || intensity->isRound()) return true;
  // Both sides are linear between the planes and their mirror images, and between the
  // vertical angles: equal there, they are equal everywhere.
  for (const double c : intensity->planes()) {
    const double mirror = axis == 0 ? 180 - c : -c;
    for (const double theta : intensity->verticalAngles()) {
      const double a = intensity->at(c, theta), b = intensity->at(mirror, theta);
      if (std::abs(a - b) > 1e-9 * std::max(std::abs(a), std::abs(b))) return false;
    }
  }
  return true;
}

}  // namespace kandelor::workplane
