#include "calc/workplane/direct_light.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "calc/workplane/fast_atan.h"

namespace kandelor::workplane {

namespace {

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

}  // namespace

double PointSource::candelaToward(Vec3 offset) const {
  const double horizontal = std::sqrt(offset.x * offset.x + offset.y * offset.y);
  if (intensity == nullptr) {
    if (offset.z >= 0) return 0;
    return scale * -offset.z / std::sqrt(horizontal * horizontal + offset.z * offset.z);
  }
  const double theta = fastAtan2(horizontal, -offset.z) * kDegreesPerRadian;
  const double c = horizontal > 0 && !intensity->isRound()
                       ? fastAtan2(offset.y, offset.x) * kDegreesPerRadian
                       : 0;
  return scale * intensity->at(c, theta);
}

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

double illuminance(const PointSource& source, Vec3 point, Vec3 normal) {
  const Vec3 offset = point - source.position;
  const double facing = -dot(offset, normal);
  if (facing <= 0) return 0;
  const double d2 = dot(offset, offset);
  return source.candelaToward(offset) * facing / (d2 * std::sqrt(d2));
}

double illuminanceFacingUp(const PointSource& source, Vec3 point) {
  return illuminance(source, point, {0, 0, 1});
}

}  // namespace kandelor::workplane
