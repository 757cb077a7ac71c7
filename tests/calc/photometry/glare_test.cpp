#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "calc/photometry/datasheet.h"
#include "calc/photometry/glare.h"
#include "calc/photometry/photometric_file.h"
#include "calc/photometry/ugr_background.h"
#include "calc/photometry/ugr_csv.h"
#include "calc/photometry/ugr_table.h"
#include "lm63_text.h"

namespace kandelor::photometry {
namespace {

using testing::angleSteps;

constexpr double kDegree = std::numbers::pi / 180;

CandelaDistribution distributionOf(std::function<double(double, double)> candela,
                                   std::vector<double> planes, double lumens = 1000,
                                   double width = 2, double length = 4) {
  Photometry p;
  p.lumensPerLamp = lumens;
  p.luminousWidth = width;
  p.luminousLength = length;
  p.verticalAngles = angleSteps(0, 180, 2.5);
  p.horizontalAngles = std::move(planes);
  for (const double psi : p.horizontalAngles) {
    auto& plane = p.candela.emplace_back();
    for (const double theta : p.verticalAngles) plane.push_back(candela(theta, psi));
  }
  return CandelaDistribution::fromPhotometry(p);
}

// Light along the length falls off: a linear luminaire.
double linear(double theta, double psi) {
  const double s = std::sin(theta * kDegree) * std::cos(psi * kDegree);
  return theta < 90 ? 900 * std::cos(theta * kDegree) * (1 - 0.5 * s * s) + 60 : 0.0;
}

// Levin's closed form, evaluated by hand at (T/R, H/R), and the table's limits.
TEST(Glare, PositionIndexFollowsItsClosedFormWithinTheTable) {
  struct Case {
    double aside, above, p;
  };
  for (const Case c : {Case{0, 1, 7.05933}, Case{0.5, 0.5, 2.91837}, Case{1, 1.5, 11.95803},
                       Case{2, 0.3, 4.58405}, Case{0, 0.1, 1.22250}}) {
    for (const double ahead : {1.0, 3.5}) {
      const auto p = positionIndex(ahead, c.aside * ahead, c.above * ahead);
      ASSERT_TRUE(p) << c.aside << ' ' << c.above;
      EXPECT_NEAR(*p, c.p, 5e-5) << c.aside << ' ' << c.above;
      EXPECT_NEAR(*positionIndex(ahead, -c.aside * ahead, c.above * ahead), *p, 1e-12);
    }
  }
  EXPECT_TRUE(positionIndex(1, 0, 1.9));
  EXPECT_FALSE(positionIndex(1, 0, 1.95));    // right above the observer
  EXPECT_FALSE(positionIndex(1, 3.05, 0.5));  // too far aside
  EXPECT_FALSE(positionIndex(-1, 0, 0.5));    // behind the eye
  EXPECT_FALSE(positionIndex(1, 0, 0));       // level with the eye
  EXPECT_FALSE(unifiedGlareRating(10, 0));
}

// One luminaire of 1000 cd all round below, a 0.5 m square opening, 3 m ahead and 2 m
// above the eye: A = 0.25 cos(gamma), L = 1000 / A, omega = A / 13, p = 3.98741 (by hand),
// Lb = 10: UGR = 8 log10(0.25 / 10 * L^2 omega / p^2) = 23.525.
TEST(Glare, OneLuminaireOfKnownLuminanceAndSolidAngle) {
  Photometry p;
  p.metres = true;
  p.luminousWidth = p.luminousLength = 0.5;
  p.verticalAngles = {0, 90, 90.01, 180};
  p.horizontalAngles = {0};
  p.candela = {{1000, 1000, 0, 0}};
  const auto d = CandelaDistribution::fromPhotometry(p);
  const double term = luminaireGlareTerm(d, {3, 0, 2, 90});
  EXPECT_NEAR(*unifiedGlareRating(10, term), 23.525, 0.001);
  EXPECT_NEAR(glareTerm(7211.1026, 0.0106673, 3.98741), term, 1e-4 * term);
  // The candela scale enters squared by the luminance; turning a square opening of an even
  // distribution changes nothing.
  EXPECT_NEAR(luminaireGlareTerm(d, {3, 0, 2, 0}, 2), 4 * term, 1e-9 * term);
}

// Observers at the middles of opposite walls of a room whose layout is the same turned
// half round see the same glare; a linear luminaire glares more crosswise than endwise.
TEST(Glare, OppositeObserversOfASymmetricRoomAgree) {
  const auto d = distributionOf(linear, angleSteps(0, 90, 15), 1000, 0.5, 4);
  // Fixtures on a 3 x 4 grid in a 9 m x 12 m room, lengths along y; an observer at
  // (4.5, 0) looks along +y, one at (4.5, 12) along -y; eyes 2.5 m below the fixtures.
  const auto sumFor = [&](double eyeY, double direction, double lengthAlongY) {
    double sum = 0;
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 4; ++j) {
        const double x = 1.5 + 3 * i, y = 1.5 + 3 * j;
        LuminaireInView view;
        view.ahead = (y - eyeY) * direction;
        view.aside = -(x - 4.5) * direction;
        view.above = 2.5;
        view.lengthAngle = lengthAlongY;
        sum += luminaireGlareTerm(d, view);
      }
    }
    return sum;
  };
  const double south = sumFor(0, 1, 0), north = sumFor(12, -1, 180);
  EXPECT_GT(south, 0);
  EXPECT_NEAR(south, north, 1e-9 * south);
  EXPECT_GT(sumFor(0, 1, 90), 1.2 * south);  // the same fixtures turned across the view
}

// CIE 190's factors of the 4H x 8H room: F_GL from the direct ratio of a 1 H grid, and
// the transfer factors to the walls at 70/50/20.
TEST(UgrTable, BackgroundFactorsOfCie190) {
  const auto f = directFloorMultipliers(4, 8);
  const std::array<double, 4> published = {0.280, 0.165, 0.499, 0.006};
  for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(f[k], published[k], 0.005) << k;
  const WallTransfer t = wallTransfer(4, 8, 0.7, 0.5, 0.2);
  EXPECT_NEAR(t.fromFloor, 0.115, 0.005);
  EXPECT_NEAR(t.fromWalls - 1, 0.211, 0.005);
  EXPECT_NEAR(t.fromCeiling, 0.307, 0.005);
  // Black surfaces send nothing back: the walls keep only the light that first fell on
  // them, and the background is dark.
  const WallTransfer black = wallTransfer(4, 8, 0, 0, 0);
  EXPECT_NEAR(black.fromFloor, 0, 1e-12);
  EXPECT_NEAR(black.fromWalls, 1, 1e-12);
  EXPECT_NEAR(black.fromCeiling, 0, 1e-12);
  EXPECT_NEAR(backgroundLuminance({0.3, 0.2, 0.1}, black, 32, 1000, 96), 0, 1e-12);
}

// The table is computed for 1000 lm and corrected by 8 log10(lumens / 1000): the same
// relative distribution at another lamp flux has the same uncorrected table.
TEST(UgrTable, CorrectedToTheLampFlux) {
  const auto base = distributionOf(linear, angleSteps(0, 90, 15), 1000);
  const auto brighter =
      distributionOf([](double theta, double psi) { return 3.3 * linear(theta, psi); },
                     angleSteps(0, 90, 15), 3300);
  const UgrTables tables = ugrTables(brighter);
  EXPECT_NEAR(tables.fluxCorrection, 8 * std::log10(3.3), 1e-12);
  for (const double spacing : {kUgrStandardSpacing, kUgrQuarterSpacing}) {
    const UgrTable a = ugrTableFor1000Lumens(base, spacing);
    const UgrTable b = ugrTableFor1000Lumens(brighter, spacing);
    const UgrTable& corrected = spacing == 1 ? tables.standard : tables.quarter;
    for (std::size_t r = 0; r < kUgrRooms.size(); ++r) {
      for (std::size_t k = 0; k < kUgrReflectances.size(); ++k) {
        for (const UgrView view : kUgrViews) {
          ASSERT_TRUE(a.at(r, k, view) && b.at(r, k, view)) << r << ' ' << k;
          EXPECT_NEAR(*b.at(r, k, view), *a.at(r, k, view), 1e-9);
          EXPECT_NEAR(*corrected.at(r, k, view), *a.at(r, k, view) + 8 * std::log10(3.3), 1e-9);
        }
      }
    }
  }
  // Lighter walls and ceiling raise the background and lower the glare.
  EXPECT_LT(*tables.standard.at(10, 0, UgrView::Crosswise),
            *tables.standard.at(10, 4, UgrView::Crosswise));
  EXPECT_EQ(tables.reference(UgrView::Endwise), tables.standard.at(10, 0, UgrView::Endwise));
}

// A .ldt and its .ies twin, each read by its own orientation, give the same table; a
// file without a luminous area gives none, and the CSV leaves its rows out.
TEST(UgrTable, FormatsAgreeAndTypesWithoutAnOpeningHaveNoTable) {
  const std::string folder = std::string(KANDELOR_DATA_DIR) + "/photometry/";
  const auto ies = readPhotometryFile(folder + "troffer_lensed_2x4.ies");
  const auto ldt = readPhotometryFile(folder + "troffer_lensed_2x4.ldt");
  ASSERT_TRUE(ies && ldt);
  const UgrTables a = ugrTables(CandelaDistribution::fromPhotometry(*ies));
  const UgrTables b = ugrTables(CandelaDistribution::fromPhotometry(*ldt));
  for (std::size_t r = 0; r < kUgrRooms.size(); ++r) {
    for (const UgrView view : kUgrViews) {
      EXPECT_NEAR(*b.quarter.at(r, 0, view), *a.quarter.at(r, 0, view), 0.01) << r;
    }
  }
  EXPECT_GT(*a.reference(UgrView::Crosswise), *a.reference(UgrView::Endwise));

  Photometry bare = *ies;
  bare.luminousWidth = bare.luminousLength = 0;
  EXPECT_NE(ugrTableMissing(CandelaDistribution::fromPhotometry(bare)), "");
  CatalogueEntry entry;
  entry.description = "Bare";
  const Datasheet none = makeDatasheet(entry, 2, bare);
  EXPECT_FALSE(none.ugr);
  EXPECT_NE(none.ugrMissing.find("luminous area"), std::string::npos);
  entry.description = "Troffer";
  const std::string csv = formatUgrCsv({makeDatasheet(entry, 1, *ies), none});
  EXPECT_EQ(csv.substr(0, csv.find('\n')), kUgrCsvHeader);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 2 * 19 * 2 * 5);
  EXPECT_EQ(csv.find(",Bare,"), std::string::npos);
  char reference[80];
  std::snprintf(reference, sizeof reference, "\n1,Troffer,1,4,8,endwise,70,50,20,%.1f\n",
                *a.reference(UgrView::Endwise));
  EXPECT_NE(csv.find(reference), std::string::npos) << reference;
  EXPECT_NE(csv.find("\n1,Troffer,0.25,12,8,crosswise,30,30,20,"), std::string::npos);
}

}  // namespace
}  // namespace kandelor::photometry
