#include "calc/photometry/cu_table.h"

#include <cmath>
#include <stdexcept>

#include "calc/reflectances.h"

namespace kandelor::photometry {

namespace {

// Zonal multiplier constants of the direct ratio, zones 1..9.
constexpr std::array<double, 9> kZoneA = {0,     0.041, 0.070, 0.100, 0.136,
                                          0.190, 0.315, 0.640, 2.100};
constexpr std::array<double, 9> kZoneB = {0, 0.98, 1.05, 1.12, 1.16, 1.25, 1.25, 1.25, 0.80};

// Share of the downward light that reaches the work plane directly.
double directRatio(const ZonalFlux& flux, double rcr) {
  double weighted = 0;
  double down = 0;
  for (std::size_t n = 0; n < kZoneA.size(); ++n) {
    const double k = rcr > 0 ? std::exp(-kZoneA[n] * std::pow(rcr, kZoneB[n])) : 1.0;
    weighted += k * flux.lumens[n];
    down += flux.lumens[n];
  }
  return down > 0 ? weighted / down : 0;
}

// Ceiling-to-floor form factor of the room cavity.
double formFactor(double rcr) {
  return 0.026 + 0.503 * std::exp(-0.270 * rcr) + 0.470 * std::exp(-0.119 * rcr);
}

}  // namespace

ZonalFlux zonalFlux(const CandelaDistribution& distribution) {
  ZonalFlux flux;
  double total = 0;
  for (int n = 1; n <= kZoneCount; ++n) {
    const double lumens = distribution.zoneLumens(n);
    flux.lumens[static_cast<std::size_t>(n - 1)] = lumens;
    total += lumens;
  }
  double down = 0;
  for (int n = 0; n < 9; ++n) down += flux.lumens[static_cast<std::size_t>(n)];
  const double lamps = distribution.lampLumens();
  if (lamps > 0) {
    flux.downFraction = down / lamps;
    flux.upFraction = (total - down) / lamps;
  }
  return flux;
}

ZonalFlux zonalFlux(const Photometry& photometry) {
  return zonalFlux(CandelaDistribution::fromPhotometry(photometry));
}

double coefficientOfUtilization(const ZonalFlux& flux, Reflectances rho, double g) {
  const double pc = rho.ceiling, pw = rho.wall, pf = rho.floor;
  const double down = flux.downFraction, up = flux.upFraction;
  if (g <= 0) return (down + pc * up) / (1 - pc * pf);
  const double f = formFactor(g);
  const double d = directRatio(flux, g);
  const double c1 = (1 - pw) * (1 - f * f) * g / (2.5 * pw * (1 - f * f) + g * f * (1 - pw));
  const double c2 = (1 - pc) * (1 + f) / (1 + pc * f);
  const double c3 = (1 - pf) * (1 + f) / (1 + pf * f);
  const double c0 = c1 + c2 + c3;
  return 2.5 * pw * c1 * c3 * (1 - d) * down / (g * (1 - pw) * (1 - pf) * c0) +
         pc * c2 * c3 * up / ((1 - pc) * (1 - pf) * c0) +
         (1 - pf * c3 * (c1 + c2) / ((1 - pf) * c0)) * d * down / (1 - pf);
}

std::int32_t cuPercent(const ZonalFlux& flux, int ceilingPercent, int wallPercent, int floorPercent,
                       int rcr) {
  const Reflectances rho{ceilingPercent / 100.0, wallPercent / 100.0, floorPercent / 100.0};
  return static_cast<std::int32_t>(std::lround(coefficientOfUtilization(flux, rho, rcr) * 100));
}

CuPercentTable cuPercentTable(const ZonalFlux& flux) {
  CuPercentTable table{};
  for (int column = 1; column <= kReflectanceColumnCount; ++column) {
    const auto [ceiling, wall] = kCatalogueColumns[static_cast<std::size_t>(column - 1)];
    for (int rcr = 1; rcr <= kRcrCount; ++rcr) {
      table[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(rcr - 1)] =
          cuPercent(flux, ceiling, wall, kFloorPercent, rcr);
    }
  }
  return table;
}

}  // namespace kandelor::photometry
