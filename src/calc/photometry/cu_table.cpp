#include "calc/photometry/cu_table.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "calc/reflectances.h"

namespace kandelor::photometry {

namespace {

constexpr double kPi = std::numbers::pi;

// Intensity in one plane at vertical angle `theta`, linear between measured angles
// and 0 outside the measured range.
double planeIntensity(const std::vector<double>& angles, const std::vector<double>& candela,
                      double theta) {
  if (theta < angles.front() || theta > angles.back()) return 0;
  std::size_t hi = 1;
  while (hi < angles.size() && angles[hi] < theta) ++hi;
  if (hi >= angles.size()) return candela.back();  // a single angle, equal to theta
  const std::size_t lo = hi - 1;
  const double t = (theta - angles[lo]) / (angles[hi] - angles[lo]);
  return candela[lo] + t * (candela[hi] - candela[lo]);
}

// Mean intensity over the horizontal planes at `theta`: trapezoid rule over the
// measured span, whose symmetry makes it the mean all round.
double meanIntensity(const Photometry& p, double theta) {
  const auto& h = p.horizontalAngles;
  if (h.size() == 1) return planeIntensity(p.verticalAngles, p.candela[0], theta);
  double sum = 0;
  double previous = planeIntensity(p.verticalAngles, p.candela[0], theta);
  for (std::size_t i = 1; i < h.size(); ++i) {
    const double current = planeIntensity(p.verticalAngles, p.candela[i], theta);
    sum += 0.5 * (previous + current) * (h[i] - h[i - 1]);
    previous = current;
  }
  return sum / (h.back() - h.front());
}

double radians(double degrees) {
  return degrees * kPi / 180;
}

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

ZonalFlux zonalFlux(const Photometry& p) {
  ZonalFlux flux;
  double total = 0;
  for (int n = 1; n <= kZoneCount; ++n) {
    const double mid = 10.0 * n - 5;
    const double band = std::cos(radians(10.0 * (n - 1))) - std::cos(radians(10.0 * n));
    const double lumens = 2 * kPi * meanIntensity(p, mid) * band;
    flux.lumens[static_cast<std::size_t>(n - 1)] = lumens;
    total += lumens;
  }
  double down = 0;
  for (int n = 0; n < 9; ++n) down += flux.lumens[static_cast<std::size_t>(n)];
  const double lamps = p.absolute() ? total : p.lampCount * p.lumensPerLamp;
  if (lamps > 0) {
    flux.downFraction = down / lamps;
    flux.upFraction = (total - down) / lamps;
  }
  return flux;
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
