#include "calc/photometry/datasheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "calc/reflectances.h"
#include "lm63_text.h"

namespace kandelor::photometry {
namespace {

using testing::angleSteps;
using testing::diffuseDownlight;
using testing::Lm63Layout;
using testing::lm63Text;

const std::string kList = std::string(KANDELOR_DATA_DIR) + "/photometry/catalog.list";

Photometry read(const Lm63Layout& layout) {
  auto result = readLm63(lm63Text(layout), "test.ies");
  if (!result) ADD_FAILURE() << result.error().message();
  return result ? *result : Photometry{};
}

TEST(Datasheet, ShippedSheetsAgreeWithTheCatalogueAndAddUp) {
  const auto catalogue = buildCatalogueFromList(kList);
  const auto sheets = buildDatasheetsFromList(kList);
  ASSERT_TRUE(catalogue) << catalogue.error().message();
  ASSERT_TRUE(sheets) << sheets.error().message();
  ASSERT_EQ(sheets->size(), static_cast<std::size_t>(kFixtureTypeCount));
  for (const Datasheet& sheet : *sheets) {
    SCOPED_TRACE(sheet.file);
    const FixtureType& type = *catalogue->find(sheet.typeNumber);
    EXPECT_EQ(type.description.trimmed(), sheet.description);
    EXPECT_EQ(type.lampsPerFixture, sheet.catalogueLamps);
    for (int k = 1; k <= kReflectanceColumnCount; ++k) {
      const auto [ceiling, wall] = kCatalogueColumns[static_cast<std::size_t>(k - 1)];
      const int column = SheetCuTable::columnOf(ceiling, wall);
      ASSERT_GE(column, 0) << ceiling << "/" << wall;
      for (int rcr = 1; rcr <= kRcrCount; ++rcr) {
        EXPECT_EQ(sheet.cu.percent[static_cast<std::size_t>(column)][static_cast<std::size_t>(rcr)],
                  type.cu(k, rcr))
            << "ceiling " << ceiling << " wall " << wall << " RCR " << rcr;
      }
    }

    const auto& z = sheet.zonal.zones;  // 0-30, 0-40, 0-60, 0-90, 90-180, 0-180
    EXPECT_NEAR(z[3].lumens + z[4].lumens, z[5].lumens, 1e-9 * z[5].lumens);
    EXPECT_DOUBLE_EQ(sheet.zonal.luminaireLumens, z[5].lumens);
    EXPECT_NEAR(sheet.zonal.efficiency, z[5].lumens / sheet.zonal.lampLumens, 1e-12);
    EXPECT_NEAR(z[5].percentOfLuminaire, 100, 1e-9);
    EXPECT_NEAR(z[5].percentOfLamps, 100 * sheet.zonal.efficiency, 1e-9);
    for (std::size_t i = 1; i < 4; ++i) EXPECT_LE(z[i - 1].lumens, z[i].lumens);
    if (sheet.photometry.absolute()) {
      EXPECT_DOUBLE_EQ(sheet.zonal.efficiency, 1);
    }
    EXPECT_GE(sheet.rings.back(), sheet.candela[0].candela[0]);
    // Every shipped file gives its luminous opening, so every sheet has its UGR table.
    EXPECT_TRUE(sheet.ugr) << sheet.ugrMissing;
  }
}

TEST(Datasheet, DiffuseDownlightSendsThreeQuartersOfItsLightBelowSixtyDegrees) {
  Lm63Layout layout;
  layout.vertical = angleSteps(0, 90, 5);
  layout.candela = [](double theta, double) { return diffuseDownlight(theta); };
  const Photometry p = read(layout);
  const ZonalFlux flux = zonalFlux(p);
  const ZonalSummary summary =
      zonalSummary(flux, CandelaDistribution::fromPhotometry(p).lampLumens());
  EXPECT_EQ(summary.lampLumens, 1000);
  EXPECT_NEAR(summary.efficiency, 0.75, 0.005);
  const auto& z = summary.zones;
  EXPECT_EQ(z[2].fromDegrees, 0);
  EXPECT_EQ(z[2].toDegrees, 60);
  EXPECT_NEAR(z[3].lumens, 750, 4);
  EXPECT_EQ(z[4].lumens, 0);
  EXPECT_DOUBLE_EQ(z[3].percentOfLuminaire, 100);
  // An ideal diffuser sends sin^2 of the angle of its light within that angle of the nadir.
  const auto sin2 = [](double degrees) {
    return std::pow(std::sin(degrees * std::numbers::pi / 180), 2);
  };
  EXPECT_NEAR(z[0].percentOfLuminaire, 100 * sin2(30), 0.5);
  EXPECT_NEAR(z[1].percentOfLuminaire, 100 * sin2(40), 0.5);
  EXPECT_NEAR(z[2].percentOfLuminaire, 75, 0.5);
  EXPECT_NEAR(z[2].percentOfLamps, 0.75 * 75, 0.5);
}

TEST(Datasheet, PlanesLeftOutAreTakenFromTheFileSymmetry) {
  // The intensity rises with the plane angle, so every plane tells which one was used.
  Lm63Layout layout;
  layout.vertical = angleSteps(0, 90, 45);
  layout.candela = [](double, double psi) { return 100 + psi; };
  struct Case {
    std::vector<double> planes;
    double psi;
    double measuredPlane;
  };
  const Case cases[] = {
      {{0}, 200, 0},                      // rotationally symmetric
      {{0, 45, 90}, 180, 0},              // quadrants
      {{0, 45, 90}, 270, 90},             //
      {{0, 45, 90}, 300, 60},             // between measured planes
      {{0, 90, 180}, 270, 90},            // symmetric about the 0-180 plane
      {{0, 90, 180}, 315, 45},            //
      {{90, 180, 270}, 0, 180},           // symmetric about the 90-270 plane
      {{90, 180, 270}, 315, 225},         //
      {{0, 90, 180, 270, 360}, 270, 270}  // no symmetry
  };
  for (const Case& c : cases) {
    layout.horizontal = c.planes;
    const Photometry p = read(layout);
    EXPECT_NEAR(CandelaDistribution::fromPhotometry(p).atFilePlane(c.psi, 45),
                100 + c.measuredPlane, 1e-9)
        << c.planes.back() << " " << c.psi;
  }
  // Beyond the measured vertical angles there is no light.
  layout.horizontal = {0, 90, 180, 270, 360};
  const PolarCurve curve = polarCurve(CandelaDistribution::fromPhotometry(read(layout)), 90);
  ASSERT_EQ(curve.angles.size(), 181u);
  EXPECT_DOUBLE_EQ(curve.right[45], 190);
  EXPECT_DOUBLE_EQ(curve.left[45], 370);
  EXPECT_EQ(curve.right[91], 0);
}

// Feet as the file gives them or converted from metres, millimetres for metric sheets.
TEST(Datasheet, LuminousOpeningInFeetOrMillimetres) {
  Photometry p;
  EXPECT_EQ(luminousOpeningText(p, Units::Imperial), "not given");
  p.luminousWidth = 2;
  p.luminousLength = 4;
  EXPECT_EQ(luminousOpeningText(p, Units::Imperial), "2 \u00d7 4 ft");
  EXPECT_EQ(luminousOpeningText(p, Units::Si), "610 \u00d7 1219 mm");
  p.metres = true;
  p.luminousWidth = p.luminousLength = -0.3;
  p.luminousHeight = 0.05;
  EXPECT_EQ(luminousOpeningText(p, Units::Si), "\u00d8 300 mm, 50 mm high");
  EXPECT_EQ(luminousOpeningText(p, Units::Imperial), "\u00d8 0.984 ft, 0.164 ft high");
}

TEST(Datasheet, RingsAreRoundStepsThatJustHoldThePeak) {
  for (const double peak : {0.4, 7.3, 999.0, 1000.0, 2716.9, 4000.0, 21925.0}) {
    const std::vector<double> rings = polarRings(peak);
    ASSERT_GE(rings.size(), 3u) << peak;
    ASSERT_LE(rings.size(), 4u) << peak;
    EXPECT_GE(rings.back(), peak);
    EXPECT_LT(rings[rings.size() - 2], peak);
    const double mantissa = rings[0] / std::pow(10, std::floor(std::log10(rings[0])));
    EXPECT_TRUE(mantissa == 1 || mantissa == 2 || mantissa == 2.5 || mantissa == 5) << rings[0];
  }
}

}  // namespace
}  // namespace kandelor::photometry
