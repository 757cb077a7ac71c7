#include "calc/workplane/spacing_criterion.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace kandelor::workplane {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kScanStep = 0.01;  // degrees

// factor x tan(theta) at the smallest theta in (0, 90) where the planes' summed
// intensity times cos^3 theta has fallen to the nadir intensity.
std::optional<double> criterion(const IntensityTable& intensity,
                                std::initializer_list<double> planes, double factor) {
  const double nadir = intensity.at(0, 0);
  if (!(nadir > 0)) return std::nullopt;
  auto excess = [&](double theta) {
    double sum = 0;
    for (const double c : planes) sum += intensity.at(c, theta);
    return sum * std::pow(std::cos(theta * kDegree), 3) - nadir;
  };
  for (int step = 1; step * kScanStep < 90; ++step) {
    double high = step * kScanStep;
    if (excess(high) > 0) continue;
    // Narrow the step down to where the sum meets the nadir.
    double low = high - kScanStep;
    for (int i = 0; i < 40; ++i) {
      const double mid = (low + high) / 2;
      (excess(mid) > 0 ? low : high) = mid;
    }
    return factor * std::tan(high * kDegree);
  }
  return std::nullopt;
}

}  // namespace

SpacingCriterion spacingCriterion(const IntensityTable& intensity) {
  return {criterion(intensity, {0, 180}, 2), criterion(intensity, {90, 270}, 2),
          criterion(intensity, {45, 135, 225, 315}, std::numbers::sqrt2)};
}

}  // namespace kandelor::workplane
