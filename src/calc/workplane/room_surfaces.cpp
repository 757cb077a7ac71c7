#include "calc/workplane/room_surfaces.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace kandelor::workplane {
namespace {

bool isWall(const PatchGrid& grid) {
  return grid.rect.axis1 == 2 || grid.rect.axis2 == 2;
}

bool isCeiling(const PatchGrid& grid) {
  return !isWall(grid) && grid.rect.origin.z > 0;
}

// Area-weighted average and the lowest patch of the irradiances given.
SurfaceFigures figuresOf(const std::vector<double>& irradiance, const std::vector<double>& area) {
  SurfaceFigures f;
  double flux = 0, total = 0;
  f.minimum = std::numeric_limits<double>::infinity();
  for (std::size_t p = 0; p < irradiance.size(); ++p) {
    flux += irradiance[p] * area[p];
    total += area[p];
    f.minimum = std::min(f.minimum, irradiance[p]);
  }
  if (!(total > 0)) return {};
  f.average = flux / total;
  if (f.average > 0) f.uniformity = f.minimum / f.average;
  return f;
}

}  // namespace

SurfaceFigures wallFigures(const Interreflection& solution) {
  std::vector<double> irradiance, area;
  for (const PatchGrid& grid : solution.surfaces) {
    if (!isWall(grid)) continue;
    for (int p = grid.first; p < grid.first + grid.size(); ++p) {
      irradiance.push_back(solution.irradiance[static_cast<std::size_t>(p)]);
      area.push_back(solution.area[static_cast<std::size_t>(p)]);
    }
  }
  return figuresOf(irradiance, area);
}

SurfaceFigures ceilingFigures(const Interreflection& solution, std::span<const PlanPoint> fixtures,
                              double upLumens) {
  std::vector<double> irradiance, area;
  for (const PatchGrid& grid : solution.surfaces) {
    if (!isCeiling(grid)) continue;
    // The ceiling runs y (axis 1) by x (axis 2) from its origin.
    const std::size_t start = irradiance.size();
    for (int p = grid.first; p < grid.first + grid.size(); ++p) {
      irradiance.push_back(solution.irradiance[static_cast<std::size_t>(p)]);
      area.push_back(solution.area[static_cast<std::size_t>(p)]);
    }
    for (const PlanPoint& at : fixtures) {
      const int i1 = std::clamp(static_cast<int>(at.y / grid.step1()), 0, grid.count1 - 1);
      const int i2 = std::clamp(static_cast<int>(at.x / grid.step2()), 0, grid.count2 - 1);
      const std::size_t p = start + static_cast<std::size_t>(i1 * grid.count2 + i2);
      irradiance[p] += upLumens / area[p];
    }
  }
  return figuresOf(irradiance, area);
}

}  // namespace kandelor::workplane
