#include "calc/workplane/intensity.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace kandelor::workplane {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// The common step of evenly spaced angles, or 0.
double evenStep(const std::vector<double>& angles) {
  if (angles.size() < 2) return 0;
  const double step = (angles.back() - angles.front()) / static_cast<double>(angles.size() - 1);
  for (std::size_t i = 1; i < angles.size(); ++i) {
    if (std::abs(angles[i] - angles[i - 1] - step) > 1e-9 * step) return 0;
  }
  return step;
}

// The segment [i, i + 1] of `angles` that holds `x` (within the angles' range).
std::size_t segmentOf(const std::vector<double>& angles, double step, double x) {
  const std::size_t last = angles.size() - 2;
  if (step > 0) {
    const double k = std::floor((x - angles.front()) / step);
    return k <= 0 ? 0 : std::min(static_cast<std::size_t>(k), last);
  }
  const auto above = std::upper_bound(angles.begin(), angles.end(), x);
  const auto index = static_cast<std::size_t>(above - angles.begin());
  return index == 0 ? 0 : std::min(index - 1, last);
}

// The angle within the file's planes that shows the same light as plane `c` (0..360).
double foldIntoFile(double c, double first, double last) {
  if (first == 0 && last == 90) {
    if (c > 180) c = 360 - c;
    return c > 90 ? 180 - c : c;
  }
  if (first == 0 && last == 180) return c > 180 ? 360 - c : c;
  if (first == 90 && last == 270) return c < 90 ? 180 - c : (c > 270 ? 540 - c : c);
  if (c >= first && c <= last) return c;
  // Any other span is not allowed for type C; take the nearer end of what was measured.
  const double toFirst = std::fmod(first - c + 360, 360);
  const double fromLast = std::fmod(c - last + 360, 360);
  return toFirst < fromLast ? first : last;
}

// For angles that are not evenly spaced: per whole degree from the first angle, the
// segment that holds that degree, from which a lookup walks at most a few steps on.
std::vector<std::uint16_t> segmentsByDegree(const std::vector<double>& angles, double step) {
  if (step > 0 || angles.size() < 2) return {};
  const auto degrees = static_cast<std::size_t>(angles.back() - angles.front()) + 1;
  std::vector<std::uint16_t> table(degrees);
  for (std::size_t d = 0; d < degrees; ++d) {
    table[d] =
        static_cast<std::uint16_t>(segmentOf(angles, 0, angles.front() + static_cast<double>(d)));
  }
  return table;
}

// segmentOf, sped up by the table of segmentsByDegree where there is one.
std::size_t findSegment(const std::vector<double>& angles, double step,
                        const std::vector<std::uint16_t>& byDegree, double x) {
  if (byDegree.empty()) return segmentOf(angles, step, x);
  const double offset = x - angles.front();
  if (offset <= 0) return 0;
  const auto degree = std::min(static_cast<std::size_t>(offset), byDegree.size() - 1);
  std::size_t i = byDegree[degree];
  const std::size_t last = angles.size() - 2;
  while (i < last && angles[i + 1] <= x) ++i;
  return i;
}

double interpolate(const std::vector<double>& angles, double step, const double* values, double x) {
  if (angles.size() == 1) return values[0];
  const std::size_t i = segmentOf(angles, step, x);
  const double t = (x - angles[i]) / (angles[i + 1] - angles[i]);
  return values[i] + t * (values[i + 1] - values[i]);
}

// The integral of (p + q t) sin t over [a, b] (radians).
double linearTimesSine(double p, double q, double a, double b) {
  auto antiderivative = [&](double t) { return -(p + q * t) * std::cos(t) + q * std::sin(t); };
  return antiderivative(b) - antiderivative(a);
}

}  // namespace

IntensityTable IntensityTable::fromPhotometry(const photometry::Photometry& p) {
  IntensityTable table;
  table.vertical_ = p.verticalAngles;
  table.verticalStep_ = evenStep(table.vertical_);
  const std::vector<double>& given = p.horizontalAngles;
  const std::size_t nv = table.vertical_.size();
  if (given.size() == 1 || given.front() == given.back()) {
    table.planes_ = {0};
    table.candela_ = p.candela.front();
    return table;
  }

  // Every angle where the expanded distribution may bend: the measured planes, their
  // mirror images and the mirror lines themselves.
  std::vector<double> knots = {0, 90, 180, 270, 360};
  for (const double h : given) {
    for (const double c : {h, 180 - h, 180 + h, 360 - h, 540 - h}) {
      if (c >= 0 && c <= 360) knots.push_back(c);
    }
  }
  std::sort(knots.begin(), knots.end());
  knots.erase(std::unique(knots.begin(), knots.end(),
                          [](double a, double b) { return std::abs(a - b) < 1e-9; }),
              knots.end());

  const double step = evenStep(given);
  std::vector<double> column(given.size());
  table.planes_ = knots;
  table.candela_.resize(knots.size() * nv);
  for (std::size_t k = 0; k < knots.size(); ++k) {
    const double c = foldIntoFile(knots[k] == 360 ? 0 : knots[k], given.front(), given.back());
    for (std::size_t v = 0; v < nv; ++v) {
      for (std::size_t h = 0; h < given.size(); ++h) column[h] = p.candela[h][v];
      table.candela_[k * nv + v] = interpolate(given, step, column.data(), c);
    }
  }
  table.planeStep_ = evenStep(table.planes_);
  table.planeByDegree_ = segmentsByDegree(table.planes_, table.planeStep_);
  table.verticalByDegree_ = segmentsByDegree(table.vertical_, table.verticalStep_);
  return table;
}

double IntensityTable::inPlane(std::size_t plane, double theta) const {
  if (vertical_.empty() || theta < vertical_.front() || theta > vertical_.back()) return 0;
  return interpolate(vertical_, verticalStep_, &candela_[plane * vertical_.size()], theta);
}

double IntensityTable::at(double c, double theta) const {
  if (planes_.size() == 1) return inPlane(0, theta);
  if (vertical_.empty() || theta < vertical_.front() || theta > vertical_.back()) return 0;
  if (c < 0 || c >= 360) {
    c = std::fmod(c, 360);
    if (c < 0) c += 360;
  }
  // Bilinear between the two planes and the two vertical angles around (c, theta).
  const std::size_t i = findSegment(planes_, planeStep_, planeByDegree_, c);
  const double t = (c - planes_[i]) / (planes_[i + 1] - planes_[i]);
  const std::size_t nv = vertical_.size();
  if (nv == 1) return candela_[i] + t * (candela_[i + 1] - candela_[i]);
  const std::size_t v = findSegment(vertical_, verticalStep_, verticalByDegree_, theta);
  const double s = (theta - vertical_[v]) / (vertical_[v + 1] - vertical_[v]);
  const double* low = &candela_[i * nv + v];
  const double* high = low + nv;
  const double inLow = low[0] + s * (low[1] - low[0]);
  const double inHigh = high[0] + s * (high[1] - high[0]);
  return inLow + t * (inHigh - inLow);
}

double IntensityTable::flux(double theta0, double theta1) const {
  const std::size_t nv = vertical_.size();
  const double from = std::max(theta0, vertical_.front());
  const double to = std::min(theta1, vertical_.back());
  if (nv < 2 || from >= to) return 0;
  double total = 0;
  for (std::size_t k = 0; k < planes_.size(); ++k) {
    // Trapezoid weights over C: the mean of a linear interpolation between planes.
    double weight = 1;
    if (planes_.size() > 1) {
      const double before = k > 0 ? planes_[k] - planes_[k - 1] : 0;
      const double after = k + 1 < planes_.size() ? planes_[k + 1] - planes_[k] : 0;
      weight = (before + after) / 2 / 360;
    }
    const double* values = &candela_[k * nv];
    double plane = 0;
    for (std::size_t v = 0; v + 1 < nv; ++v) {
      const double a = std::max(vertical_[v], from), b = std::min(vertical_[v + 1], to);
      if (a >= b) continue;
      const double q = (values[v + 1] - values[v]) / ((vertical_[v + 1] - vertical_[v]) * kDegree);
      const double p = values[v] - q * vertical_[v] * kDegree;
      plane += linearTimesSine(p, q, a * kDegree, b * kDegree);
    }
    total += weight * plane;
  }
  return 2 * std::numbers::pi * total;
}

}  // namespace kandelor::workplane
