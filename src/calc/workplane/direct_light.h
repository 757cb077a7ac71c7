#pragma once

#include <cmath>
#include <numbers>

#include "calc/workplane/fast_atan.h"
#include "calc/workplane/intensity.h"
#include "calc/workplane/vec3.h"

namespace kandelor::workplane {

// A source of light small enough to count as a point, facing down: a luminaire with
// its C 0 plane along +x (the room's length), or the patch of ceiling above a luminaire
// sending back its up-light as a Lambertian source (I = I0 cos theta).
struct PointSource {
  Vec3 position;
  const IntensityTable* intensity = nullptr;  // nullptr: the Lambertian source
  double scale = 0;                           // candela multiplier, or I0

  // Candela toward `offset` (from the source to the lit point).
  inline double candelaToward(Vec3 offset) const;

  // Whether its light is the same toward offsets mirrored along horizontal axis `axis`
  // (0: x, C to 180 - C; 1: y, C to -C).
  bool mirrorsAlong(int axis) const;
};

// Illuminance at `point` on a surface with unit normal `normal` (lm/ft2 for ft and cd).
inline double illuminance(const PointSource& source, Vec3 point, Vec3 normal);

// Illuminance at `point` on a surface facing up, such as the work plane.
inline double illuminanceFacingUp(const PointSource& source, Vec3 point);

// Inline: called millions of times per room.
inline double PointSource::candelaToward(Vec3 offset) const {
  const double horizontal = std::sqrt(offset.x * offset.x + offset.y * offset.y);
  if (intensity == nullptr) {
    if (offset.z >= 0) return 0;
    return scale * -offset.z / std::sqrt(horizontal * horizontal + offset.z * offset.z);
  }
  const double theta = fastAtan2(horizontal, -offset.z) * (180 / std::numbers::pi);
  const double c = horizontal > 0 && !intensity->isRound()
                       ? fastAtan2(offset.y, offset.x) * (180 / std::numbers::pi)
                       : 0;
  return scale * intensity->at(c, theta);
}

inline double illuminance(const PointSource& source, Vec3 point, Vec3 normal) {
  const Vec3 offset = point - source.position;
  const double facing = -dot(offset, normal);
  if (facing <= 0) return 0;
  const double d2 = dot(offset, offset);
  return source.candelaToward(offset) * facing / (d2 * std::sqrt(d2));
}

inline double illuminanceFacingUp(const PointSource& source, Vec3 point) {
  return illuminance(source, point, {0, 0, 1});
}

}  // namespace kandelor::workplane
