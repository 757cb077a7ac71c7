#pragma once

#include <array>
#include <cstdint>

#include "calc/catalogue.h"
#include "calc/photometry/candela_distribution.h"
#include "calc/photometry/lm63.h"

namespace kandelor::photometry {

inline constexpr int kZoneCount = 18;  // ten-degree zones from the nadir to the zenith

// The luminaire's light by ten-degree zone, and the shares sent down and up.
struct ZonalFlux {
  std::array<double, kZoneCount> lumens{};  // zone N (1..18) at index N - 1
  double downFraction = 0;                  // downward lumens / lamp lumens
  double upFraction = 0;                    // upward lumens / lamp lumens
};

// The luminaire's lumens over its lamps' lumens (1 for absolute photometry).
inline double lightOutputRatio(const ZonalFlux& flux) {
  return flux.downFraction + flux.upFraction;
}

// No luminaire gives more light than its lamps; a relative photometry file whose
// candela values add up to more than this many times its lamp lumens has wrong lamp
// data, and its CUs would be meaningless (and soon beyond a 32-bit whole percentage).
inline constexpr double kMaxLightOutputRatio = 10;

// Zonal lumens from the mean intensity at each zone's mid angle (type C photometry).
// Lamp lumens are lamps x lumens per lamp, or for absolute photometry the
// luminaire's own total, so that a CU may then exceed 1.
ZonalFlux zonalFlux(const CandelaDistribution& distribution);
ZonalFlux zonalFlux(const Photometry& photometry);

// The room surfaces' reflectances as fractions (0.8 for 80 %).
struct Reflectances {
  double ceiling = 0;
  double wall = 0;
  double floor = 0.2;
};

// Coefficient of utilization by the zonal cavity method at room cavity ratio `rcr` (>= 0).
double coefficientOfUtilization(const ZonalFlux& flux, Reflectances rho, double rcr);

// CU x 100 rounded to a whole percentage, as catalogues and datasheets tabulate it,
// for reflectances given in per cent.
std::int32_t cuPercent(const ZonalFlux& flux, int ceilingPercent, int wallPercent, int floorPercent,
                       int rcr);

using CuPercentTable = decltype(FixtureType::cuPercent);

// CU x 100, rounded, for the 14 reflectance columns at RCR 1..10 with a 20 % floor.
CuPercentTable cuPercentTable(const ZonalFlux& flux);

}  // namespace kandelor::photometry
