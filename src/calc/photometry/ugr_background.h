#pragma once

#include <array>

#include "calc/photometry/candela_distribution.h"

namespace kandelor::photometry {

// The background luminance of the tabular UGR method (CIE 190): the indirect light on
// the walls of a room X x Y (in multiples of H, the height of the luminaires above the
// eye's reference plane) from a three-surface model of reference plane, walls and
// luminaire plane.

// The multipliers F_GL of the cumulative downward flux fractions to cos gamma = 0.75,
// 0.5, 0.25 and 0 that give the share of the lamp flux reaching the reference plane
// directly from a 1 H grid of luminaires filling the room (whole multiples of H, up to
// 12): exact for intensities
// a + b cos gamma + c cos^2 gamma + d cos^3 gamma.
inline constexpr std::array<double, 4> kCumulativeCosines = {0.75, 0.5, 0.25, 0};
std::array<double, 4> directFloorMultipliers(int x, int y);

// Light reaching the walls, direct and interreflected, per lumen first falling on the
// reference plane, the walls or the ceiling (walls to walls counts that first lumen).
struct WallTransfer {
  double fromFloor = 0;
  double fromWalls = 0;
  double fromCeiling = 0;
};

// Reflectances as fractions.
WallTransfer wallTransfer(double x, double y, double ceiling, double walls, double floor);

// The shares of a luminaire's lamp flux that first reach each surface of the room.
struct DirectShares {
  double floor = 0;
  double walls = 0;
  double ceiling = 0;
};

// The luminaire's cumulative downward flux fractions (of its lamp lumens) to the
// cosines of kCumulativeCosines.
std::array<double, 4> cumulativeDownwardFractions(const CandelaDistribution& distribution);

DirectShares directShares(const std::array<double, 4>& multipliers,
                          const std::array<double, 4>& cumulative, double downFraction,
                          double upFraction);

// Background luminance (cd/m2): the walls' indirect illuminance over pi, for `count`
// luminaires of `lumens` lamp flux each and a wall area `wallArea` (m2).
double backgroundLuminance(const DirectShares& shares, const WallTransfer& transfer, double count,
                           double lumens, double wallArea);

}  // namespace kandelor::photometry
