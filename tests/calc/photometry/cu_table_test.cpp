#include "calc/photometry/cu_table.h"

#include <gtest/gtest.h>

#include "lm63_text.h"

namespace kandelor::photometry {
namespace {

using testing::angleSteps;
using testing::diffuseDownlight;
using testing::Lm63Layout;
using testing::lm63Text;

Photometry read(const Lm63Layout& layout) {
  auto result = readLm63(lm63Text(layout), "test.ies");
  if (!result) ADD_FAILURE() << result.error().message();
  return result ? *result : Photometry{};
}

Lm63Layout downlightLayout() {
  Lm63Layout layout;
  layout.vertical = angleSteps(0, 90, 5);
  layout.candela = [](double theta, double) { return diffuseDownlight(theta); };
  return layout;
}

// Column numbers of the catalogue: 13 is ceiling 80 / wall 50, 5 is 50 / 30.
constexpr int k80_50 = 13;
constexpr int k50_30 = 5;

TEST(CuTable, DiffuseDownlightMatchesTheHandCheck) {
  const ZonalFlux flux = zonalFlux(read(downlightLayout()));
  EXPECT_NEAR(flux.downFraction, 0.75, 0.005);
  EXPECT_DOUBLE_EQ(flux.upFraction, 0);
  for (int n = 10; n <= kZoneCount; ++n) EXPECT_EQ(flux.lumens[static_cast<std::size_t>(n - 1)], 0);

  const CuPercentTable table = cuPercentTable(flux);
  const auto cu = [&](int column, int rcr) {
    return table[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(rcr - 1)];
  };
  const int rcrs[] = {1, 2, 3, 5, 10};
  const int expected80_50[] = {77, 67, 58, 46, 29};
  const int expected50_30[] = {70, 58, 50, 37, 22};
  for (int i = 0; i < 5; ++i) {
    EXPECT_NEAR(cu(k80_50, rcrs[i]), expected80_50[i], 1) << "RCR " << rcrs[i];
    EXPECT_NEAR(cu(k50_30, rcrs[i]), expected50_30[i], 1) << "RCR " << rcrs[i];
  }
}

TEST(CuTable, RoomOfNoDepthSendsDownwardLightAndReflectedUplightToTheFloor) {
  ZonalFlux flux;
  flux.downFraction = 0.5;
  flux.upFraction = 0.3;
  flux.lumens[0] = 500;
  flux.lumens[17] = 300;
  const Reflectances rho{0.8, 0.5, 0.2};
  EXPECT_NEAR(coefficientOfUtilization(flux, rho, 0), (0.5 + 0.8 * 0.3) / (1 - 0.8 * 0.2), 1e-12);
  // Near zero the cavity formula approaches the same value.
  EXPECT_NEAR(coefficientOfUtilization(flux, rho, 1e-6), (0.5 + 0.24) / 0.84, 1e-3);
}

TEST(CuTable, AbsolutePhotometryRefersToTheLuminaireLumens) {
  Lm63Layout layout = downlightLayout();
  const CuPercentTable relative = cuPercentTable(zonalFlux(read(layout)));
  layout.lumensPerLamp = -1;
  const ZonalFlux flux = zonalFlux(read(layout));
  EXPECT_NEAR(flux.downFraction + flux.upFraction, 1, 1e-12);
  const CuPercentTable absolute = cuPercentTable(flux);
  // The same light over 75 % of the lamp lumens: CU / 0.75, above 100 % in wide rooms.
  EXPECT_NEAR(absolute[k80_50 - 1][0], relative[k80_50 - 1][0] / 0.75, 2);
  EXPECT_GT(absolute[k80_50 - 1][0], 100);
}

TEST(CuTable, UplightReachesTheWorkPlaneOnlyByTheCeiling) {
  Lm63Layout layout;
  layout.vertical = angleSteps(90, 180, 5);
  layout.candela = [](double theta, double) { return diffuseDownlight(180 - theta); };
  const ZonalFlux flux = zonalFlux(read(layout));
  EXPECT_NEAR(flux.upFraction, 0.75, 0.005);
  EXPECT_DOUBLE_EQ(flux.downFraction, 0);
  const CuPercentTable table = cuPercentTable(flux);
  // Column 1 is ceiling 30 %, column 11 ceiling 80 %, both wall 10 %.
  EXPECT_GT(table[10][0], 2 * table[0][0]);
  EXPECT_GT(table[0][0], 0);
}

}  // namespace
}  // namespace kandelor::photometry
