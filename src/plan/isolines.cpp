#include "plan/isolines.h"

#include <algorithm>
#include <cmath>

#include "calc/round_step.h"

namespace kandelor::plan {

std::vector<double> isolineLevels(const PlanScene& scene) {
  const double low = scene.minimum();
  const double high = scene.maximum();
  const double range = high - low;
  if (!(range > 1e-9) || !std::isfinite(range)) return {};
  const double step = roundStep(range / 6);
  std::vector<double> levels;
  for (double k = std::floor(low / step) + 1; k * step < high; ++k) {
    const double level = k * step;
    if (level > low) levels.push_back(level);
  }
  return levels;
}

namespace {

// Where the level crosses the edge from point a (value va) to point b (value vb).
void crossing(double ax, double ay, double va, double bx, double by, double vb, double level,
              double& x, double& y) {
  const double t = std::clamp((level - va) / (vb - va), 0.0, 1.0);
  x = ax + (bx - ax) * t;
  y = ay + (by - ay) * t;
}

}  // namespace

std::vector<Isoline> traceIsolines(const PlanScene& scene, const std::vector<double>& levels) {
  std::vector<Isoline> lines;
  for (const double level : levels) {
    Isoline line;
    line.level = level;
    for (int j = 0; j + 1 < scene.ny; ++j) {
      for (int i = 0; i + 1 < scene.nx; ++i) {
        // The cell's corners in turn: top left, top right, bottom right, bottom left.
        const double xs[4] = {scene.pointX(i), scene.pointX(i + 1), scene.pointX(i + 1),
                              scene.pointX(i)};
        const double ys[4] = {scene.pointY(j), scene.pointY(j), scene.pointY(j + 1),
                              scene.pointY(j + 1)};
        const double vs[4] = {scene.at(i, j), scene.at(i + 1, j), scene.at(i + 1, j + 1),
                              scene.at(i, j + 1)};
        // The crossings of the cell's edges: two, or four at a saddle, paired in order
        // around the cell (which of a saddle's pairings is taken does not matter at this
        // grid's fineness).
        double cx[4], cy[4];
        int count = 0;
        for (int e = 0; e < 4; ++e) {
          const int f = (e + 1) % 4;
          if ((vs[e] >= level) != (vs[f] >= level)) {
            crossing(xs[e], ys[e], vs[e], xs[f], ys[f], vs[f], level, cx[count], cy[count]);
            ++count;
          }
        }
        for (int k = 0; k + 1 < count; k += 2) {
          line.segments.push_back({cx[k], cy[k], cx[k + 1], cy[k + 1]});
        }
      }
    }
    if (line.segments.empty()) continue;
    double best = -1;
    for (const Segment& s : line.segments) {
      const double mx = (s.x1 + s.x2) / 2;
      const double my = (s.y1 + s.y2) / 2;
      const double clearance = std::min({mx, scene.length - mx, my, scene.width - my});
      if (clearance > best) {
        best = clearance;
        line.labelX = mx;
        line.labelY = my;
      }
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace kandelor::plan
