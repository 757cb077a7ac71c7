#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "calc/photometry/lm63_text.h"
#include "calc/workplane/direct_light.h"
#include "calc/workplane/fast_atan.h"
#include "calc/workplane/spacing_criterion.h"

namespace kandelor::workplane {
namespace {

using photometry::testing::angleSteps;
using photometry::testing::Lm63Layout;
using photometry::testing::lm63Text;

constexpr double kDegree = std::numbers::pi / 180;

IntensityTable tableOf(const Lm63Layout& layout) {
  const auto read = photometry::readLm63(lm63Text(layout), "test.ies");
  EXPECT_TRUE(read) << read.error().message();
  return IntensityTable::fromPhotometry(*read);
}

IntensityTable tableOf(std::function<double(double, double)> candela,
                       std::vector<double> horizontal = {0}) {
  Lm63Layout layout;
  layout.vertical = angleSteps(0, 180, 2.5);
  layout.horizontal = std::move(horizontal);
  layout.candela = std::move(candela);
  return tableOf(layout);
}

TEST(LightDistribution, IsotropicSourceLightsAPlaneAsTheInverseSquareLawSays) {
  const IntensityTable isotropic = tableOf([](double, double) { return 1000.0; });
  EXPECT_NEAR(isotropic.flux(0, 180), 4 * std::numbers::pi * 1000, 1e-6);
  EXPECT_NEAR(isotropic.downwardFlux(), 2 * std::numbers::pi * 1000, 1e-6);

  // 1000 cd 3 m above the plane: 111.11 at the nadir and 39.28 at 3 m aside (lux).
  const PointSource source{{0, 0, 3}, &isotropic, 1};
  EXPECT_NEAR(illuminanceFacingUp(source, {0, 0, 0}), 111.11, 0.01);
  EXPECT_NEAR(illuminanceFacingUp(source, {3, 0, 0}), 39.28, 0.01);
  for (const double x : {0.3, 1.7, 4.0, 11.0}) {
    for (const double y : {-2.0, 0.0, 5.5}) {
      const double h = 3, d2 = x * x + y * y + h * h;
      const double expected = 1000 * std::pow(h / std::sqrt(d2), 3) / (h * h);
      EXPECT_NEAR(illuminanceFacingUp(source, {x, y, 0}), expected, 1e-3 * expected)
          << x << ", " << y;
    }
  }
  // Nothing reaches a surface facing away, nor a point level with the source.
  EXPECT_EQ(illuminance(source, {0, 0, 0}, {0, 0, -1}), 0);
  EXPECT_EQ(illuminanceFacingUp(source, {2, 0, 3}), 0);

  // The ceiling's Lambertian return: I0 cos theta.
  const PointSource lambertian{{0, 0, 3}, nullptr, 100};
  EXPECT_NEAR(illuminanceFacingUp(lambertian, {3, 0, 0}),
              100 * std::pow(std::cos(std::numbers::pi / 4), 4) / 9, 1e-9);
}

TEST(LightDistribution, OneDistributionWrittenWithEachSymmetryGivesTheSameLight) {
  // The same all round, written as one plane, a quadrant, a half and the whole circle.
  auto round = [](double theta, double) {
    return theta < 90 ? 500 * std::cos(theta * kDegree) + 20 : 30.0;
  };
  // Symmetric about both planes through the axis, written as a quadrant, a half, the
  // whole circle and the 90-270 half.
  auto oval = [](double theta, double psi) {
    return (1 + 0.4 * std::cos(2 * psi * kDegree)) *
           (theta < 90 ? 800 * std::cos(theta * kDegree) : 50.0);
  };
  const std::vector<std::vector<IntensityTable>> groups = {
      {tableOf(round, {0}), tableOf(round, angleSteps(0, 90, 22.5)),
       tableOf(round, angleSteps(0, 180, 22.5)), tableOf(round, angleSteps(0, 360, 22.5))},
      {tableOf(oval, angleSteps(0, 90, 22.5)), tableOf(oval, angleSteps(0, 180, 22.5)),
       tableOf(oval, angleSteps(0, 360, 22.5)), tableOf(oval, angleSteps(90, 270, 22.5))},
  };
  for (const auto& group : groups) {
    const IntensityTable& reference = group.back();
    for (const IntensityTable& table : group) {
      EXPECT_NEAR(table.flux(0, 180), reference.flux(0, 180), 1e-9 * reference.flux(0, 180));
      for (double c = -30; c <= 400; c += 7.3) {
        for (double theta = 0; theta <= 180; theta += 3.7) {
          EXPECT_NEAR(table.at(c, theta), reference.at(c, theta), 1e-9) << c << ", " << theta;
        }
      }
      for (const Vec3 point :
           {Vec3{1, 2, 0}, Vec3{-3, 0.5, 0}, Vec3{-2, -4, 0}, Vec3{0.5, -1, 0}}) {
        const PointSource a{{0, 0, 6}, &table, 1}, b{{0, 0, 6}, &reference, 1};
        EXPECT_NEAR(illuminanceFacingUp(a, point), illuminanceFacingUp(b, point), 1e-12);
      }
    }
  }
  // The quadrant is mirrored the right way: C 30 shows C 150, 210 and 330.
  const IntensityTable& quadrant = groups[1][0];
  EXPECT_NEAR(quadrant.at(30, 40), quadrant.at(150, 40), 1e-9);
  EXPECT_NEAR(quadrant.at(30, 40), quadrant.at(330, 40), 1e-9);
  EXPECT_GT(quadrant.at(0, 40), quadrant.at(90, 40) * 1.5);
}

TEST(LightDistribution, SpacingCriterionOfClosedForms) {
  const SpacingCriterion isotropic =
      spacingCriterion(tableOf([](double, double) { return 1000.0; }));
  EXPECT_NEAR(*isotropic.alongLength, 1.5328, 0.0005);
  EXPECT_NEAR(*isotropic.across, 1.5328, 0.0005);
  EXPECT_NEAR(*isotropic.diagonal, 1.7434, 0.0005);

  Lm63Layout fine;
  fine.vertical = angleSteps(0, 90, 0.5);
  fine.candela = [](double theta, double) { return 1000 * std::cos(theta * kDegree); };
  const SpacingCriterion cosine = spacingCriterion(tableOf(fine));
  EXPECT_NEAR(*cosine.alongLength, 1.287, 0.001);
  EXPECT_NEAR(*cosine.across, 1.287, 0.001);
  EXPECT_NEAR(*cosine.diagonal, 1.414, 0.002);

  // Narrower along the length than across: the along criterion is the smaller.
  const SpacingCriterion linear = spacingCriterion(tableOf(
      [](double theta, double psi) {
        const double s = std::sin(theta * kDegree) * std::cos(psi * kDegree);
        return theta < 90 ? 1000 * std::cos(theta * kDegree) * (1 - 0.5 * s * s) : 0.0;
      },
      angleSteps(0, 90, 15)));
  EXPECT_LT(*linear.alongLength, *linear.across);

  // No light at the nadir: no criterion.
  const SpacingCriterion batwingOnly = spacingCriterion(tableOf(
      [](double theta, double) { return theta < 90 ? 1000 * std::sin(theta * kDegree) : 0.0; }));
  EXPECT_FALSE(batwingOnly.alongLength || batwingOnly.across || batwingOnly.diagonal);
}

// Linear interpolation of `values` at `angles` (ascending), 0 outside them.
double measuredAt(const std::vector<double>& angles, const std::vector<double>& values, double x) {
  if (x < angles.front() || x > angles.back()) return 0;
  const auto above = std::upper_bound(angles.begin(), angles.end(), x);
  const auto i = static_cast<std::size_t>(
      std::clamp<long>(above - angles.begin() - 1, 0, static_cast<long>(angles.size()) - 2));
  const double t = (x - angles[i]) / (angles[i + 1] - angles[i]);
  return values[i] + t * (values[i + 1] - values[i]);
}

// Uneven vertical angles and planes, on a common step (looked up on a regular grid) or
// on none (searched): either way the lookup is the bilinear interpolation of the file's
// values, and a cosine distribution lights the plane as I0 cos^4 / h^2 does, within
// what straight lines between 1.5 degree samples of the cosine miss (1e-4 of I0).
TEST(LightDistribution, UnevenAnglesLookUpAsMeasured) {
  std::vector<double> onStep = angleSteps(0, 10, 0.5);
  for (const double a : angleSteps(11.5, 89.5, 1.5)) onStep.push_back(a);
  onStep.push_back(90);
  const std::vector<double> offStep = {0, 0.37, 1.1, 5, 13.7, 30, 47.3, 61, 74.9, 88.1, 90};
  const std::vector<double> planes = {0, 10, 25, 45, 70, 90};
  auto shape = [](double theta, double c) {
    return 1000 * std::cos(theta * kDegree) * (1 + 0.3 * std::cos(2 * c * kDegree));
  };
  for (const auto& vertical : {onStep, offStep}) {
    Lm63Layout layout;
    layout.vertical = vertical;
    layout.horizontal = planes;
    layout.candela = shape;
    const auto read = photometry::readLm63(lm63Text(layout), "uneven.ies");
    ASSERT_TRUE(read);
    const IntensityTable table = IntensityTable::fromPhotometry(*read);
    const std::vector<std::vector<double>>& columns = read->candela;  // per plane, as read
    double worst = 0;
    for (double theta = 0; theta <= 92; theta += 0.173) {
      for (double c = -20; c < 380; c += 3.7) {
        // Folded into the measured quadrant, then bilinear between planes.
        double q = std::fmod(c + 360, 360);
        if (q > 180) q = 360 - q;
        if (q > 90) q = 180 - q;
        std::vector<double> inPlanes;
        for (const auto& column : columns) inPlanes.push_back(measuredAt(vertical, column, theta));
        worst = std::max(worst, std::abs(table.at(c, theta) - measuredAt(planes, inPlanes, q)));
      }
    }
    EXPECT_LT(worst, 1e-9) << vertical.size();
  }

  Lm63Layout layout;
  layout.vertical = onStep;
  layout.candela = [](double theta, double) { return 1000 * std::cos(theta * kDegree); };
  const IntensityTable cosine = tableOf(layout);
  const PointSource source{{0, 0, 4}, &cosine, 1};
  for (double x = 0; x < 30; x += 0.7) {
    const double cos = 4 / std::hypot(x, 1.5, 4.0);
    EXPECT_NEAR(illuminanceFacingUp(source, {x, 1.5, 0}), 1000 * std::pow(cos, 4) / 16,
                1e-4 * 1000 / 16)
        << x;
  }
}

// The fast atan agrees with the library's over the whole line and in every quadrant.
TEST(FastAtan, AgreesWithTheLibrary) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> angle(-1.5707, 1.5707);
  double worst = 0;
  for (int k = 0; k < 20000; ++k) {
    const double x = std::tan(angle(random));
    worst = std::max(worst, std::abs(fastAtan(x) - std::atan(x)));
  }
  for (const double x :
       {0.0, 1e-300, 0.13165249758739583, 1.0, 7.5957541127251424, 1e300, HUGE_VAL, -HUGE_VAL}) {
    worst = std::max(worst, std::abs(fastAtan(x) - std::atan(x)));
  }
  EXPECT_LT(worst, 1e-14);
  for (const auto& [y, x] :
       {std::pair{1.0, 2.0}, {1.0, -2.0}, {-1.0, -2.0}, {-1.0, 2.0}, {3.0, 0.0}}) {
    EXPECT_NEAR(fastAtan2(y, x), std::atan2(y, x), 1e-14) << y << ", " << x;
  }
}

}  // namespace
}  // namespace kandelor::workplane
