#include "plan/plan_scene.h"

#include <algorithm>
#include <cmath>

namespace kandelor::plan {

double PlanScene::minimum() const {
  return footcandles.empty() ? 0 : *std::min_element(footcandles.begin(), footcandles.end());
}

double PlanScene::maximum() const {
  return footcandles.empty() ? 0 : *std::max_element(footcandles.begin(), footcandles.end());
}

double PlanScene::valueAt(double x, double y) const {
  if (nx <= 0 || ny <= 0 || footcandles.empty()) return 0;
  // Position in point units: point i sits at i.
  const auto place = [](double at, double side, int count, int& low, double& t) {
    const double u = std::clamp(at / side * count - 0.5, 0.0, count - 1.0);
    low = std::min(static_cast<int>(std::floor(u)), count - 1);
    t = u - low;
  };
  int i = 0, j = 0;
  double tx = 0, ty = 0;
  place(x, length, nx, i, tx);
  place(y, width, ny, j, ty);
  const int i1 = std::min(i + 1, nx - 1);
  const int j1 = std::min(j + 1, ny - 1);
  const double top = at(i, j) * (1 - tx) + at(i1, j) * tx;
  const double bottom = at(i, j1) * (1 - tx) + at(i1, j1) * tx;
  return top * (1 - ty) + bottom * ty;
}

}  // namespace kandelor::plan
