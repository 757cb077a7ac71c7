#include "calc/photometry/candela_distribution.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kandelor::photometry {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180;
constexpr double kMetresPerFoot = 0.3048;

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

// The fewest equal steps from the first angle to the last that land on every angle
// (to a millionth of a degree), or 0 where more than `most` would be needed.
std::size_t commonSteps(const std::vector<double>& angles, std::size_t most) {
  const double span = angles.back() - angles.front();
  if (angles.size() < 2 || !(span > 0)) return 0;
  for (std::size_t steps = angles.size() - 1; steps <= most; ++steps) {
    const double step = span / static_cast<double>(steps);
    if (std::all_of(angles.begin(), angles.end(), [&](double a) {
          const double k = (a - angles.front()) / step;
          return std::abs(k - std::round(k)) * step < 1e-6;
        })) {
      return steps;
    }
  }
  return 0;
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

// Intensity in one measured plane at `theta`, linear between measured angles and 0
// outside the measured range.
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

// The integral of (p + q t) sin t over [a, b] (radians).
double linearTimesSine(double p, double q, double a, double b) {
  auto antiderivative = [&](double t) { return -(p + q * t) * std::cos(t) + q * std::sin(t); };
  return antiderivative(b) - antiderivative(a);
}

enum class Span { Quadrant, Half, HalfAcross, Whole, Other };

Span spanOf(double first, double last) {
  if (first == 0 && last == 90) return Span::Quadrant;
  if (first == 0 && last == 180) return Span::Half;
  if (first == 90 && last == 270) return Span::HalfAcross;
  if (first == 0 && last == 360) return Span::Whole;
  return Span::Other;
}

// The file's light in its plane `c` (0..360) at the vertical angle of `column`'s values,
// one per measured plane.
double filePlaneValue(const std::vector<double>& given, double step, Span span,
                      const std::vector<double>& column, double c) {
  const double first = given.front(), last = given.back();
  switch (span) {
    case Span::Quadrant:
      if (c > 180) c = 360 - c;
      if (c > 90) c = 180 - c;
      break;
    case Span::Half:
      if (c > 180) c = 360 - c;
      break;
    case Span::HalfAcross:
      if (c < 90) c = 180 - c;
      if (c > 270) c = 540 - c;
      break;
    case Span::Whole:
      break;
    case Span::Other:
      if (c < first || c > last) {
        // Across the gap from the last measured plane round to the first.
        const double gap = first + 360 - last;
        const double t = ((c > last ? c : c + 360) - last) / gap;
        return column.back() + t * (column.front() - column.back());
      }
      break;
  }
  return interpolate(given, step, column.data(), c);
}

// Every angle where the expanded distribution may bend: the measured planes, their
// mirror images and the mirror lines themselves.
std::vector<double> fileKnots(const std::vector<double>& given) {
  std::vector<double> knots = {0, 90, 180, 270, 360};
  for (const double h : given) {
    for (const double c : {h, 180 - h, 180 + h, 360 - h, 540 - h}) {
      if (c >= 0 && c <= 360) knots.push_back(c);
    }
  }
  return knots;
}

void sortUnique(std::vector<double>& angles) {
  std::sort(angles.begin(), angles.end());
  angles.erase(std::unique(angles.begin(), angles.end(),
                           [](double a, double b) { return std::abs(a - b) < 1e-9; }),
               angles.end());
}

LuminousOpening openingOf(const Photometry& p) {
  const double unit = p.metres ? 1 : kMetresPerFoot;
  LuminousOpening opening;
  opening.round = p.luminousWidth < 0 || p.luminousLength < 0;
  opening.length = std::abs(p.luminousLength) * unit;
  opening.width = std::abs(p.luminousWidth) * unit;
  if (opening.round) opening.length = opening.width = std::max(opening.length, opening.width);
  if (p.format == PhotometricFormat::Eulumdat) {
    // The file's sides face its C 0, 90, 180 and 270; the frame's C 0 is the file's C 90.
    for (std::size_t k = 0; k < 4; ++k) {
      opening.sideHeights[k] = std::abs(p.sideHeights[(k + 1) % 4]) * unit;
    }
  } else {
    opening.sideHeights.fill(std::abs(p.luminousHeight) * unit);
  }
  return opening;
}

}  // namespace

CandelaDistribution CandelaDistribution::fromPhotometry(const Photometry& p) {
  CandelaDistribution d;
  if (p.verticalAngles.empty() || p.horizontalAngles.empty() ||
      p.candela.size() != p.horizontalAngles.size()) {
    return d;  // no light: every lookup gives 0
  }
  d.vertical_ = p.verticalAngles;
  d.verticalStep_ = evenStep(d.vertical_);
  d.verticalByDegree_ = segmentsByDegree(d.vertical_, d.verticalStep_);
  d.lengthPlane_ = p.format == PhotometricFormat::Eulumdat ? 90 : 0;
  d.absolute_ = p.absolute();
  d.opening_ = openingOf(p);
  const std::vector<double>& given = p.horizontalAngles;
  const std::size_t nv = d.vertical_.size();
  if (given.size() == 1 || given.front() == given.back()) {
    d.planes_ = {0};
    d.candela_ = p.candela.front();
    d.measuredPlanes_ = {given.front()};
    d.measuredCandela_ = {p.candela.front()};
  } else {
    const Span span = spanOf(given.front(), given.back());
    if (span != Span::Other) {
      d.measuredPlanes_ = given;
      d.measuredCandela_ = p.candela;
    }
    // The frame's knots are the file's turned by the length plane; both hold 0, 90,
    // 180, 270 and 360.
    std::vector<double> knots;
    for (const double k : fileKnots(given)) {
      const double c = k - d.lengthPlane_;
      knots.push_back(c < 0 ? c + 360 : c);
    }
    knots.push_back(0);
    knots.push_back(360);
    sortUnique(knots);

    const double step = evenStep(given);
    std::vector<double> column(given.size());
    d.planes_ = knots;
    d.candela_.resize(knots.size() * nv);
    for (std::size_t k = 0; k < knots.size(); ++k) {
      double c = knots[k] + d.lengthPlane_;
      if (c >= 360) c -= 360;
      for (std::size_t v = 0; v < nv; ++v) {
        for (std::size_t h = 0; h < given.size(); ++h) column[h] = p.candela[h][v];
        d.candela_[k * nv + v] = filePlaneValue(given, step, span, column, c);
      }
    }
    d.planeStep_ = evenStep(d.planes_);
    d.planeByDegree_ = segmentsByDegree(d.planes_, d.planeStep_);
  }
  d.resample();
  if (d.absolute_) {
    for (int n = 1; n <= 18; ++n) d.lampLumens_ += d.zoneLumens(n);
  } else {
    d.lampLumens_ = p.lampCount * p.lumensPerLamp;
  }
  return d;
}

double CandelaDistribution::inPlane(std::size_t plane, double theta) const {
  if (vertical_.empty() || theta < vertical_.front() || theta > vertical_.back()) return 0;
  return interpolate(vertical_, verticalStep_, &candela_[plane * vertical_.size()], theta);
}

void CandelaDistribution::resample() {
  // Half a degree or finer over the vertical angles and the planes, within a table of
  // a quarter of a million values.
  constexpr std::size_t kMostValues = std::size_t{1} << 18;
  if (vertical_.size() < 2) return;
  const std::size_t vertical = commonSteps(vertical_, 720);
  const std::size_t planes = planes_.size() == 1 ? 0 : commonSteps(planes_, 1440);
  if (vertical == 0 || (planes_.size() > 1 && planes == 0)) return;
  const std::size_t nv = vertical + 1, nc = planes + 1;
  if (nv * nc > kMostValues) return;
  const double verticalStep =
      (vertical_.back() - vertical_.front()) / static_cast<double>(vertical);
  const double planeStep = planes > 0 ? 360.0 / static_cast<double>(planes) : 0;
  std::vector<double> values(nv * nc);
  for (std::size_t k = 0; k < nc; ++k) {
    // The last node, C 360, is C 0 again: looked up as the last plane's end.
    const double c = std::min(static_cast<double>(k) * planeStep, planes_.back());
    for (std::size_t v = 0; v < nv; ++v) {
      const double theta = v + 1 == nv ? vertical_.back()
                                       : vertical_.front() + static_cast<double>(v) * verticalStep;
      values[k * nv + v] = planes_.size() == 1 ? inPlane(0, theta) : searchedAt(c, theta);
    }
  }
  regular_ = std::move(values);
  regularVertical_ = nv;
  regularPlanes_ = nc;
  verticalScale_ = 1 / verticalStep;
  planeScale_ = planes > 0 ? 1 / planeStep : 0;
}

// The lookup by the measured angles themselves: the segments around (c, theta) searched.
double CandelaDistribution::searchedAt(double c, double theta) const {
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

namespace {

// Trapezoid weight of plane k over C: the mean of a linear interpolation between planes.
double planeWeight(const std::vector<double>& planes, std::size_t k) {
  if (planes.size() == 1) return 1;
  const double before = k > 0 ? planes[k] - planes[k - 1] : 0;
  const double after = k + 1 < planes.size() ? planes[k + 1] - planes[k] : 0;
  return (before + after) / 2 / 360;
}

}  // namespace

double CandelaDistribution::meanAt(double theta) const {
  if (vertical_.empty()) return 0;
  const auto& h = measuredPlanes_;
  if (h.size() == 1) return planeIntensity(vertical_, measuredCandela_[0], theta);
  if (!h.empty()) {
    // The trapezoid rule over the measured span, which the symmetry makes the mean all
    // round.
    double sum = 0;
    double previous = planeIntensity(vertical_, measuredCandela_[0], theta);
    for (std::size_t i = 1; i < h.size(); ++i) {
      const double current = planeIntensity(vertical_, measuredCandela_[i], theta);
      sum += 0.5 * (previous + current) * (h[i] - h[i - 1]);
      previous = current;
    }
    return sum / (h.back() - h.front());
  }
  double sum = 0;
  for (std::size_t k = 0; k < planes_.size(); ++k) {
    sum += planeWeight(planes_, k) * inPlane(k, theta);
  }
  return sum;
}

double CandelaDistribution::zoneLumens(int n) const {
  const double mid = 10.0 * n - 5;
  const double band = std::cos(10.0 * (n - 1) * kPi / 180) - std::cos(10.0 * n * kPi / 180);
  return 2 * kPi * meanAt(mid) * band;
}

double CandelaDistribution::flux(double theta0, double theta1) const {
  const std::size_t nv = vertical_.size();
  if (nv < 2) return 0;
  const double from = std::max(theta0, vertical_.front());
  const double to = std::min(theta1, vertical_.back());
  if (from >= to) return 0;
  double total = 0;
  for (std::size_t k = 0; k < planes_.size(); ++k) {
    const double* values = &candela_[k * nv];
    double plane = 0;
    for (std::size_t v = 0; v + 1 < nv; ++v) {
      const double a = std::max(vertical_[v], from), b = std::min(vertical_[v + 1], to);
      if (a >= b) continue;
      const double q = (values[v + 1] - values[v]) / ((vertical_[v + 1] - vertical_[v]) * kDegree);
      const double p = values[v] - q * vertical_[v] * kDegree;
      plane += linearTimesSine(p, q, a * kDegree, b * kDegree);
    }
    total += planeWeight(planes_, k) * plane;
  }
  return 2 * kPi * total;
}

double CandelaDistribution::luminance(double c, double gamma) const {
  const double area = opening_.projectedArea(c, gamma);
  return area > 0 ? at(c, gamma) / area : 0;
}

}  // namespace kandelor::photometry
