#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "calc/photometry/lm63_text.h"
#include "calc/workplane/direct_light.h"
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

}  // namespace
}  // namespace kandelor::workplane
