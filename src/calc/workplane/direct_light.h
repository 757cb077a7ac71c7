#pragma once

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
  double candelaToward(Vec3 offset) const;

  // Whether its light is the same toward offsets mirrored along horizontal axis `axis`
  // (0: x, C to 180 - C; 1: y, C to -C).
  bool mirrorsAlong(int axis) const;
};

// Illuminance at `point` on a surface with unit normal `normal` (lm/ft2 for ft and cd).
double illuminance(const PointSource& source, Vec3 point, Vec3 normal);

// Illuminance at `point` on a surface facing up, such as the work plane.
double illuminanceFacingUp(const PointSource& source, Vec3 point);

}  // namespace kandelor::workplane
