#include "calc/photometry/glare.h"

#include <cmath>
#include <numbers>

namespace kandelor::photometry {

namespace {
constexpr double kDegree = std::numbers::pi / 180;
constexpr double kMaxHeightOverAhead = 1.9;
constexpr double kMaxAsideOverAhead = 3;
}  // namespace

std::optional<double> positionIndex(double ahead, double aside, double above) {
  aside = std::abs(aside);
  if (!(ahead > 0) || !(above > 0)) return std::nullopt;
  if (above > kMaxHeightOverAhead * ahead || aside > kMaxAsideOverAhead * ahead) {
    return std::nullopt;
  }
  const double tau = std::atan2(aside, above) / kDegree;
  const double distance = std::sqrt(ahead * ahead + aside * aside + above * above);
  const double sigma = std::acos(ahead / distance) / kDegree;
  const double lnP = (35.2 - 0.31889 * tau - 1.22 * std::exp(-2 * tau / 9)) * 1e-3 * sigma +
                     (21 + 0.26667 * tau - 0.002963 * tau * tau) * 1e-5 * sigma * sigma;
  return std::exp(lnP);
}

std::optional<double> unifiedGlareRating(double lb, double termSum) {
  if (!(termSum > 0) || !(lb > 0)) return std::nullopt;
  return 8 * std::log10(0.25 / lb * termSum);
}

double luminaireGlareTerm(const CandelaDistribution& distribution, const LuminaireInView& view,
                          double candelaScale) {
  const auto p = positionIndex(view.ahead, view.aside, view.above);
  if (!p) return 0;
  const double r2 = view.ahead * view.ahead + view.aside * view.aside + view.above * view.above;
  const double gamma = std::acos(view.above / std::sqrt(r2)) / kDegree;
  // The way to the eye across the floor, in the luminaire's frame (C 0 along its length).
  const double phi = view.lengthAngle * kDegree;
  const double along = -view.ahead * std::cos(phi) - view.aside * std::sin(phi);
  const double across = view.ahead * std::sin(phi) - view.aside * std::cos(phi);
  const double c = std::atan2(across, along) / kDegree;
  const double area = distribution.opening().projectedArea(c, gamma);
  if (!(area > 0)) return 0;
  const double luminance = candelaScale * distribution.at(c, gamma) / area;
  return glareTerm(luminance, area / r2, *p);
}

}  // namespace kandelor::photometry
