#include "calc/workplane/room_glare.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "calc/photometry/glare.h"
#include "calc/workplane/form_factors.h"

namespace kandelor::workplane {
namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr double kLuxPerFootcandle = 10.763910416709722;

double degrees(double radians) {
  return radians * 180.0 / std::numbers::pi;
}

Vec3 unitAlong(int axis) {
  Vec3 v;
  v[axis] = 1;
  return v;
}

Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The configuration factor from a small plane at `point`, facing along axis `axis` (0 x,
// 1 y) in direction `sign` (+1 or -1), to an axis-aligned patch, exact by corner
// decomposition. Only the part of the patch in front of the plane, facing it, counts.
double pointToPatch(Vec3 point, int axis, double sign, const AxisRect& patch) {
  const Vec3 patchNormal = cross(unitAlong(patch.axis1), unitAlong(patch.axis2));
  const int fixed = 3 - patch.axis1 - patch.axis2;  // the axis the patch does not span
  const auto extent = [&](int along) {
    const double start = patch.origin[along] - point[along];
    const double length = along == patch.axis1 ? patch.length1 : patch.length2;
    return std::pair{start, start + length};
  };
  if (fixed == axis) {
    // Parallel to the plane: straight across it, facing back toward it.
    const double h = sign * (patch.origin[fixed] - point[fixed]);
    if (!(h > 0) || sign * patchNormal[fixed] >= 0) return 0;
    const auto [a0, a1] = extent(patch.axis1);
    const auto [b0, b1] = extent(patch.axis2);
    return pointToParallelCorner(a1, b1, h) - pointToParallelCorner(a0, b1, h) -
           pointToParallelCorner(a1, b0, h) + pointToParallelCorner(a0, b0, h);
  }
  // Perpendicular to the plane, at distance d beside it, its side toward the point lit.
  const double offset = patch.origin[fixed] - point[fixed];
  const double d = std::fabs(offset);
  if (!(d > 0) || patchNormal[fixed] * offset >= 0) return 0;
  const int common = 3 - fixed - axis;
  auto [u0, u1] = extent(common);
  auto [n0, n1] = extent(axis);
  double t0 = sign * n0, t1 = sign * n1;
  if (t0 > t1) std::swap(t0, t1);
  if (!(t1 > 0)) return 0;
  t0 = std::max(t0, 0.0);
  const auto corner = [d](double a, double b) { return pointToPerpendicularCorner(a, b, d); };
  return corner(u1, t1) - corner(u0, t1) - corner(u1, t0) + corner(u0, t0);
}

}  // namespace

double indirectIlluminance(const Interreflection& solution, std::span<const PointSource> bounces,
                           Vec3 eye, Vec3 looking) {
  const int axis = std::fabs(looking.x) >= std::fabs(looking.y) ? 0 : 1;
  const double sign = looking[axis] >= 0 ? 1 : -1;
  double lit = 0;
  for (const PatchGrid& grid : solution.surfaces) {
    for (int i1 = 0; i1 < grid.count1; ++i1) {
      for (int i2 = 0; i2 < grid.count2; ++i2) {
        const double exitance = solution.exitance[static_cast<std::size_t>(grid.indexOf(i1, i2))];
        if (exitance > 0) lit += exitance * pointToPatch(eye, axis, sign, grid.patch(i1, i2));
      }
    }
  }
  for (const PointSource& bounce : bounces) lit += illuminance(bounce, eye, looking);
  return lit;
}

std::vector<ObserverGlare> observeGlare(double length, double width,
                                        std::span<const PointSource> fixtures,
                                        const Interreflection& solution,
                                        std::span<const PointSource> bounces) {
  std::vector<ObserverGlare> observers{
      {{0, width / 2}, {1, 0}, std::nullopt},
      {{length, width / 2}, {-1, 0}, std::nullopt},
      {{length / 2, 0}, {0, 1}, std::nullopt},
      {{length / 2, width}, {0, -1}, std::nullopt},
  };
  for (ObserverGlare& observer : observers) {
    const Vec3 eye{observer.eye.x, observer.eye.y, kSeatedEyeFeet};
    const Vec3 ahead{observer.looking.x, observer.looking.y, 0};
    const Vec3 left{-ahead.y, ahead.x, 0};
    // The fixtures' length lies along +x: its angle from the line of sight, turned left.
    const double lengthAngle = degrees(std::atan2(-ahead.y, ahead.x));
    double glareSum = 0;
    for (const PointSource& fixture : fixtures) {
      if (fixture.intensity == nullptr) continue;
      const Vec3 toFixture = fixture.position - eye;
      const photometry::LuminaireInView view{kMetresPerFoot * dot(toFixture, ahead),
                                             kMetresPerFoot * dot(toFixture, left),
                                             kMetresPerFoot * toFixture.z, lengthAngle};
      glareSum += photometry::luminaireGlareTerm(*fixture.intensity, view, fixture.scale);
    }
    const double background =
        indirectIlluminance(solution, bounces, eye, ahead) * kLuxPerFootcandle / std::numbers::pi;
    observer.ugr = photometry::unifiedGlareRating(background, glareSum);
  }
  return observers;
}

}  // namespace kandelor::workplane
