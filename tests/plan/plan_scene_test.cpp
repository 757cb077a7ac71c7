#include <gtest/gtest.h>

#include <cmath>

#include "plan/colour_scale.h"
#include "plan/isolines.h"
#include "plan/plan_scene.h"

namespace kandelor::plan {
namespace {

// 6 x 4 points over a 12 x 8 ft room, with a bright spot off the centre and a ridge, so
// that isolines close around it and also cross the room.
PlanScene sampleScene() {
  PlanScene scene;
  scene.length = 12;
  scene.width = 8;
  scene.nx = 6;
  scene.ny = 4;
  for (int j = 0; j < scene.ny; ++j) {
    for (int i = 0; i < scene.nx; ++i) {
      const double dx = scene.pointX(i) - 4, dy = scene.pointY(j) - 3;
      scene.footcandles.push_back(20 + 40 * std::exp(-(dx * dx + dy * dy) / 8) + i);
    }
  }
  return scene;
}

TEST(PlanScene, ValueAtMeetsThePointsAndInterpolatesBetweenThem) {
  const PlanScene scene = sampleScene();
  for (int j = 0; j < scene.ny; ++j) {
    for (int i = 0; i < scene.nx; ++i) {
      EXPECT_NEAR(scene.valueAt(scene.pointX(i), scene.pointY(j)), scene.at(i, j), 1e-9)
          << i << "," << j;
    }
  }
  // Halfway between four points: their mean; beyond the outermost points: held flat.
  const double middle = (scene.at(1, 1) + scene.at(2, 1) + scene.at(1, 2) + scene.at(2, 2)) / 4;
  EXPECT_NEAR(scene.valueAt(4, 4), middle, 1e-9);
  EXPECT_NEAR(scene.valueAt(0, 0), scene.at(0, 0), 1e-9);
  EXPECT_NEAR(scene.valueAt(12, 8), scene.at(5, 3), 1e-9);
}

TEST(PlanScene, IsolinesRunWhereTheLightHasTheirLevel) {
  const PlanScene scene = sampleScene();
  const std::vector<double> levels = isolineLevels(scene);
  ASSERT_GE(levels.size(), 3u);
  ASSERT_LE(levels.size(), 8u);
  const double step = levels[1] - levels[0];
  for (std::size_t k = 0; k < levels.size(); ++k) {
    EXPECT_GT(levels[k], scene.minimum());
    EXPECT_LT(levels[k], scene.maximum());
    EXPECT_NEAR(levels[k] / step, std::round(levels[k] / step), 1e-9) << levels[k];
    if (k > 0) {
      EXPECT_NEAR(levels[k] - levels[k - 1], step, 1e-9);
    }
  }
  const std::vector<Isoline> lines = traceIsolines(scene, levels);
  ASSERT_EQ(lines.size(), levels.size());
  for (const Isoline& line : lines) {
    ASSERT_FALSE(line.segments.empty()) << line.level;
    // Each end lies on a cell edge, where the interpolated light is exactly the level.
    for (const Segment& s : line.segments) {
      EXPECT_NEAR(scene.valueAt(s.x1, s.y1), line.level, 1e-6 * line.level);
      EXPECT_NEAR(scene.valueAt(s.x2, s.y2), line.level, 1e-6 * line.level);
    }
    // The value is written on its line (a straight piece across a cell, so nearer to its
    // own level than to the next).
    EXPECT_NEAR(scene.valueAt(line.labelX, line.labelY), line.level, step / 2);
  }
  // Even light has no isolines.
  PlanScene even = scene;
  std::fill(even.footcandles.begin(), even.footcandles.end(), 30.0);
  EXPECT_TRUE(isolineLevels(even).empty());
}

// The scale reads in order without colour: each step is lighter than the one before.
TEST(ColourScale, ViridisGrowsLighterFromEndToEnd) {
  const auto luminance = [](Rgb c) { return 0.2126 * c.red + 0.7152 * c.green + 0.0722 * c.blue; };
  double previous = -1;
  for (int k = 0; k <= 50; ++k) {
    const double l = luminance(viridis(k / 50.0));
    EXPECT_GT(l, previous) << k;
    previous = l;
  }
  const Rgb low = viridis(-1), high = viridis(2);
  EXPECT_EQ(low.red, 0x44);
  EXPECT_EQ(low.blue, 0x54);
  EXPECT_EQ(high.green, 0xe7);
}

}  // namespace
}  // namespace kandelor::plan
