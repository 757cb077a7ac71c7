#pragma once

#include <vector>

#include "plan/plan_scene.h"

namespace kandelor::plan {

// The footcandle values at which isolines are drawn: round steps (1, 2, 2.5 or 5 times a
// power of ten) strictly between the scene's minimum and maximum, at most about six.
std::vector<double> isolineLevels(const PlanScene& scene);

struct Segment {
  double x1, y1, x2, y2;  // feet
};

// One isoline: its pieces across the point grid, and where its value is best written,
// the middle of the piece farthest from the walls.
struct Isoline {
  double level = 0;
  std::vector<Segment> segments;
  double labelX = 0;
  double labelY = 0;
};

// The isolines of the scene's footcandles at each level, traced between its points
// (marching squares); a level that crosses no cell gives none.
std::vector<Isoline> traceIsolines(const PlanScene& scene, const std::vector<double>& levels);

}  // namespace kandelor::plan
