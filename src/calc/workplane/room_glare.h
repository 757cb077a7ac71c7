#pragma once

#include <optional>
#include <span>
#include <vector>

#include "calc/workplane/direct_light.h"
#include "calc/workplane/radiosity.h"
#include "calc/workplane/room_light.h"

namespace kandelor::workplane {

// A seated observer's eye above the floor: 1.2 m.
inline constexpr double kSeatedEyeFeet = 3.94;

// The Guth position index of a luminaire seen H above the eye, R ahead along the line of
// sight and T to its side (any one length unit), by Levin's closed form; none where the
// index does not count it (behind the eye or not above it, H/R > 1.9 or T/R > 3).
std::optional<double> positionIndex(double h, double r, double t);

// The unified glare rating from the background luminance Lb (cd/m2) and the sum over
// the luminaires in view of L^2 omega / p^2 (L in cd/m2, omega in sr); none where
// nothing is in view or there is no background.
std::optional<double> unifiedGlareRating(double backgroundLuminance, double glareSum);

// The luminous opening of a fixture seen from below, in feet, facing down.
struct LuminousOpening {
  double length = 0;  // along the fixture's C 0 plane
  double width = 0;
  bool round = false;  // a disc of diameter `length`

  double area() const;
  // Its area projected toward a direction making angle gamma with the nadir (cos gamma).
  double projectedArea(double cosGamma) const;
};

// The illuminance (fc) at `eye` on a small vertical plane facing `looking` (along x or
// y) from the
// room's surfaces alone: the light their patches send after every bounce, and the
// ceiling's reflection of the fixtures' up-light (`bounces`), never the fixtures' own.
double indirectIlluminance(const Interreflection& solution, std::span<const PointSource> bounces,
                           Vec3 eye, Vec3 looking);

// The four seated observers at the middle of each wall, looking across the room at right
// angles to it, each with the glare rating the fixtures give there.
std::vector<ObserverGlare> observeGlare(double length, double width,
                                        std::span<const PointSource> fixtures,
                                        const LuminousOpening& opening,
                                        const Interreflection& solution,
                                        std::span<const PointSource> bounces);

}  // namespace kandelor::workplane
