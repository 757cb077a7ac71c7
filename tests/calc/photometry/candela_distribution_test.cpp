#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "calc/photometry/candela_distribution.h"
#include "calc/photometry/catalogue_list.h"
#include "calc/photometry/cu_table.h"
#include "calc/photometry/photometric_file.h"
#include "calc/workplane/spacing_criterion.h"
#include "lm63_text.h"
#include "model/text_file.h"

namespace kandelor::photometry {
namespace {

using testing::angleSteps;

constexpr double kDegree = std::numbers::pi / 180;

// A distribution measured in the planes `planes`, I(theta, psi) given by `candela` in
// the file's own angles.
Photometry measured(const std::vector<double>& planes,
                    const std::function<double(double, double)>& candela,
                    PhotometricFormat format = PhotometricFormat::Lm63) {
  Photometry p;
  p.format = format;
  p.lumensPerLamp = 1000;
  p.verticalAngles = angleSteps(0, 180, 5);
  p.horizontalAngles = planes;
  for (const double psi : planes) {
    auto& plane = p.candela.emplace_back();
    for (const double theta : p.verticalAngles) plane.push_back(candela(theta, psi));
  }
  return p;
}

// Every span, the standard symmetries and others, is expanded one way: the mean all
// round that the zonal lumens use is the mean of the lookup over C, and the exact flux
// is the integral of the same lookup.
TEST(CandelaDistribution, OneExpansionServesTheLookupTheMeanAndTheFlux) {
  const auto shape = [](double theta, double psi) {
    return (theta < 90 ? 600 * std::cos(theta * kDegree) : 40.0) *
           (1 + 0.3 * std::cos(psi * kDegree) + 0.2 * std::sin(2 * psi * kDegree));
  };
  for (const auto& planes :
       {angleSteps(0, 90, 15), angleSteps(0, 180, 22.5), angleSteps(90, 270, 30),
        angleSteps(0, 360, 45), angleSteps(0, 120, 30), angleSteps(30, 200, 10)}) {
    const auto d = CandelaDistribution::fromPhotometry(measured(planes, shape));
    const std::string span = std::to_string(planes.front()) + ".." + std::to_string(planes.back());
    // The measured planes are kept as measured.
    for (const double psi : planes) {
      EXPECT_NEAR(d.at(psi, 35), shape(35, psi), 1e-9) << span << " C " << psi;
    }
    for (const double theta : {5.0, 45.0, 95.0, 175.0}) {
      double sum = 0;
      constexpr int kSteps = 3600;
      for (int i = 0; i < kSteps; ++i) sum += d.at((i + 0.5) * 360.0 / kSteps, theta);
      EXPECT_NEAR(d.meanAt(theta), sum / kSteps, 1e-6 * (1 + sum / kSteps))
          << span << " theta " << theta;
    }
    double zones = 0;
    for (int n = 1; n <= 18; ++n) zones += d.zoneLumens(n);
    EXPECT_NEAR(zones, d.flux(0, 180), 0.01 * d.flux(0, 180)) << span;
  }
  // Across a span's gap the light runs straight from the last plane to the first.
  const auto gap = CandelaDistribution::fromPhotometry(
      measured({0, 60, 120}, [](double, double psi) { return 100 + psi; }));
  EXPECT_NEAR(gap.at(240, 30), 220 - 120 * 0.5, 1e-9);
  EXPECT_NEAR(gap.at(-30, 30), 220 - 120 * 0.875, 1e-9);
}

// A EULUMDAT file lays the length along its C 90: its plane C is the luminaire's C - 90,
// the same light as an LM-63 file whose plane C - 90 holds it; its side heights turn
// with it. Its lamp lumens and an LM-63 file's are what the file says.
TEST(CandelaDistribution, EachFormatKeepsItsOwnOrientation) {
  const auto alongLength = [](double theta, double c) {
    const double s = std::sin(theta * kDegree) * std::cos(c * kDegree);
    return theta < 90 ? 1000 * std::cos(theta * kDegree) * (1 - 0.6 * s * s) : 0.0;
  };
  Photometry ies = measured(angleSteps(0, 360, 22.5), alongLength);
  Photometry ldt = measured(
      angleSteps(0, 360, 22.5), [&](double theta, double c) { return alongLength(theta, c - 90); },
      PhotometricFormat::Eulumdat);
  ldt.metres = true;
  ldt.luminousLength = 1.2;
  ldt.luminousWidth = 0.3;
  ldt.sideHeights = {0.01, 0.02, 0.03, 0.04};
  ies.luminousLength = 4;
  ies.luminousWidth = 1;
  ies.luminousHeight = 0.25;
  const auto a = CandelaDistribution::fromPhotometry(ies);
  const auto b = CandelaDistribution::fromPhotometry(ldt);
  EXPECT_EQ(a.lengthPlane(), 0);
  EXPECT_EQ(b.lengthPlane(), 90);
  for (double c = -45; c < 400; c += 12.5) {
    for (double theta = 0; theta <= 90; theta += 7.5) {
      EXPECT_NEAR(b.at(c, theta), a.at(c, theta), 1e-9) << c << ' ' << theta;
      EXPECT_NEAR(b.atFilePlane(c + 90, theta), a.atFilePlane(c, theta), 1e-9);
    }
  }
  const auto scA = workplane::spacingCriterion(a), scB = workplane::spacingCriterion(b);
  EXPECT_LT(*scA.alongLength, *scA.across - 0.05);  // narrower along the length
  EXPECT_NEAR(*scB.alongLength, *scA.alongLength, 1e-9);
  EXPECT_NEAR(*scB.across, *scA.across, 1e-9);

  EXPECT_DOUBLE_EQ(b.opening().length, 1.2);
  EXPECT_DOUBLE_EQ(b.opening().width, 0.3);
  EXPECT_EQ(b.opening().sideHeights, (std::array<double, 4>{0.02, 0.03, 0.04, 0.01}));
  EXPECT_NEAR(a.opening().length, 4 * 0.3048, 1e-12);
  for (const double height : a.opening().sideHeights) EXPECT_NEAR(height, 0.25 * 0.3048, 1e-12);
  EXPECT_DOUBLE_EQ(a.lampLumens(), 1000);
  ies.lumensPerLamp = -1;  // absolute: the luminaire's own zonal lumens
  const auto absolute = CandelaDistribution::fromPhotometry(ies);
  double zones = 0;
  for (int n = 1; n <= 18; ++n) zones += absolute.zoneLumens(n);
  EXPECT_DOUBLE_EQ(absolute.lampLumens(), zones);
}

// The opening's projected area and luminance, against the geometry by hand.
TEST(CandelaDistribution, LuminanceIsIntensityOverTheProjectedOpening) {
  LuminousOpening box{1.2, 0.6, false, {0.1, 0.2, 0.3, 0.4}};
  EXPECT_NEAR(box.projectedArea(0, 0), 0.72, 1e-12);
  // From the side, at C 0 only the end facing C 0 (0.6 wide, 0.1 high) shows.
  EXPECT_NEAR(box.projectedArea(0, 90), 0.06, 1e-12);
  EXPECT_NEAR(box.projectedArea(270, 90), 1.2 * 0.4, 1e-12);
  const double s = std::sin(60 * kDegree), r = std::sqrt(0.5);
  EXPECT_NEAR(box.projectedArea(135, 60), 0.72 * 0.5 + s * (0.6 * 0.3 * r + 1.2 * 0.2 * r), 1e-12);
  const LuminousOpening round{0.5, 0.5, true, {0.1, 0.1, 0.1, 0.1}};
  EXPECT_NEAR(
      round.projectedArea(77, 40),
      std::numbers::pi / 4 * 0.25 * std::cos(40 * kDegree) + 0.5 * 0.1 * std::sin(40 * kDegree),
      1e-12);
  EXPECT_FALSE((LuminousOpening{1, 0, false, {}}).hasArea());

  Photometry p = measured({0}, [](double theta, double) { return theta < 90 ? 800.0 : 0.0; });
  p.metres = true;
  p.luminousLength = 1.2;
  p.luminousWidth = 0.6;
  const auto d = CandelaDistribution::fromPhotometry(p);
  EXPECT_NEAR(d.luminance(30, 60), 800 / (0.72 * 0.5), 1e-9);
  EXPECT_EQ(d.luminance(30, 90), 0);  // edge on, a flat opening shows nothing
}

// The spacing criteria of the shipped types, as they were before the three lookups
// became one distribution (along, across, diagonal; -1: none).
TEST(CandelaDistribution, ShippedTypesKeepTheirSpacingCriteria) {
  const std::string expected = R"(troffer_lensed_2x4.ies 1.2224 1.2675 1.3645
troffer_parabolic_2x4.ies 1.1776 1.2326 1.3141
led_flat_panel_2x2.ies 1.2861 1.2861 1.4142
pendant_direct_indirect.ies 1.1243 1.2006 1.2615
pendant_indirect.ies 1.2862 1.2862 1.4137
wraparound_4ft.ies 1.2288 1.3706 1.4397
industrial_strip_8ft.ies 1.1818 1.3943 1.4221
high_bay_narrow.ies 0.8161 0.8161 0.8499
high_bay_wide.ies 1.1300 1.1300 1.2174
low_bay_prismatic.ies 1.2496 1.2496 1.3671
downlight_open.ies 0.9360 0.9360 0.9860
downlight_lensed.ies 1.1857 1.1857 1.2857
wall_washer.ies 1.2325 1.2325 1.3452
linear_cove.ies -1.0000 -1.0000 -1.0000
surface_square.ies 1.3263 1.3263 1.4655
vapor_tight_4ft.ies 1.2280 1.3479 1.4233
cylinder_pendant.ies 0.8698 0.8698 0.9103
linear_slot.ies 1.1505 1.2163 1.2871
troffer_batwing_2x4.ies 1.7643 1.8237 1.8690
troffer_lensed_4lamp.ies 1.2224 1.2675 1.3645
pendant_direct.ies 1.1654 1.2496 1.3183
globe_pendant.ies 1.5328 1.5328 1.7435
)";
  const std::string folder = std::string(KANDELOR_DATA_DIR) + "/photometry/";
  const auto list = readWholeFile(folder + "catalog.list");
  ASSERT_TRUE(list) << list.error().message();
  const auto entries = parseCatalogueList(*list, "catalog.list");
  ASSERT_TRUE(entries) << entries.error().message();
  std::string actual;
  for (const CatalogueEntry& entry : *entries) {
    const auto read = readPhotometryFile(folder + entry.file);
    ASSERT_TRUE(read) << read.error().message();
    const auto sc = workplane::spacingCriterion(CandelaDistribution::fromPhotometry(*read));
    char line[200];
    std::snprintf(line, sizeof line, "%s %.4f %.4f %.4f\n", entry.file.c_str(),
                  sc.alongLength.value_or(-1), sc.across.value_or(-1), sc.diagonal.value_or(-1));
    actual += line;
  }
  EXPECT_EQ(actual, expected);
}

}  // namespace
}  // namespace kandelor::photometry
