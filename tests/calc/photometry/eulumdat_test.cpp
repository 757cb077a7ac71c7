#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "calc/photometry/cu_table.h"
#include "calc/photometry/photometric_file.h"
#include "calc/workplane/spacing_criterion.h"
#include "lm63_text.h"

namespace kandelor::photometry {
namespace {

const std::string kPhotometry = std::string(KANDELOR_DATA_DIR) + "/photometry/";

// A EULUMDAT file's lines: the header, the lamp sets, the angles and the intensities
// (cd/klm) of the stored planes.
struct LdtLayout {
  int symmetry = 1;
  int planeCount = 1;
  std::vector<double> vertical = testing::angleSteps(0, 180, 15);
  std::vector<int> lamps = {1};
  std::vector<double> flux = {1000};
  std::vector<std::vector<double>> planes;  // stored planes, cd/klm
};

std::string ldtText(const LdtLayout& s) {
  std::ostringstream out;
  out.precision(12);
  out << "Test lab\n1\n"
      << s.symmetry << '\n'
      << s.planeCount << '\n'
      << 360.0 / s.planeCount << '\n'
      << s.vertical.size() << "\n15\nR-1\nTest luminaire\nT-1\nt.ldt\n2026\n";
  for (int i = 0; i < 9; ++i) out << "600\n";
  out << "100\n80\n1\n0\n" << s.lamps.size() << '\n';
  for (const int n : s.lamps) out << n << '\n';
  for (std::size_t i = 0; i < s.lamps.size(); ++i) out << "LED\n";
  for (const double f : s.flux) out << f << '\n';
  for (std::size_t i = 0; i < s.lamps.size(); ++i) out << "3000\n";
  for (std::size_t i = 0; i < s.lamps.size(); ++i) out << "1B\n";
  for (std::size_t i = 0; i < s.lamps.size(); ++i) out << "10\n";
  for (int i = 0; i < 10; ++i) out << "0.5\n";
  for (int c = 0; c < s.planeCount; ++c) out << c * 360.0 / s.planeCount << '\n';
  for (const double v : s.vertical) out << v << '\n';
  for (const auto& plane : s.planes) {
    for (const double value : plane) out << value << '\n';
  }
  return out.str();
}

// The shipped analytic types written both ways, each read by its own format's
// orientation (the .ldt's length along its C 90-270 plane), give the same catalogue
// entry, the same light in the luminaire's frame and the same spacing criterion: every
// symmetry the .ldt files use, and absolute photometry.
TEST(Eulumdat, ShippedPairsGiveTheSameCatalogueEntryAsTheirLm63Files) {
  for (const char* name : {"downlight_open", "led_flat_panel_2x2", "troffer_lensed_2x4",
                           "pendant_direct_indirect", "wall_washer"}) {
    const auto ies = readPhotometryFile(kPhotometry + name + ".ies");
    const auto ldt = readPhotometryFile(kPhotometry + name + ".ldt");
    ASSERT_TRUE(ies && ldt) << name << (ldt ? "" : ldt.error().message());
    EXPECT_EQ(ldt->format, PhotometricFormat::Eulumdat);
    EXPECT_EQ(ies->format, PhotometricFormat::Lm63);
    EXPECT_EQ(ldt->lampCount, ies->lampCount) << name;
    EXPECT_EQ(ldt->absolute(), ies->absolute()) << name;
    EXPECT_EQ(ldt->horizontalAngles, ies->horizontalAngles) << name;
    EXPECT_TRUE(ldt->metres);  // the luminous area, from millimetres
    EXPECT_NEAR(ldt->luminousLength / 0.3048, ies->luminousLength, 1e-6) << name;
    EXPECT_NEAR(ldt->luminousWidth / 0.3048, ies->luminousWidth, 1e-6) << name;
    const ZonalFlux a = zonalFlux(*ies), b = zonalFlux(*ldt);
    for (std::size_t zone = 0; zone < a.lumens.size(); ++zone) {
      EXPECT_NEAR(b.lumens[zone], a.lumens[zone], 1e-6 * (1 + a.lumens[zone])) << name << zone;
    }
    EXPECT_EQ(cuPercentTable(b), cuPercentTable(a)) << name;
    const auto da = CandelaDistribution::fromPhotometry(*ies);
    const auto db = CandelaDistribution::fromPhotometry(*ldt);
    EXPECT_EQ(db.lengthPlane(), 90);
    EXPECT_NEAR(db.opening().length, da.opening().length, 1e-9) << name;
    for (double c = 0; c < 360; c += 15) {
      for (double theta = 0; theta <= 90; theta += 10) {
        EXPECT_NEAR(db.at(c, theta), da.at(c, theta), 1e-3) << name << ' ' << c << ' ' << theta;
      }
    }
    const auto scA = workplane::spacingCriterion(da);
    const auto scB = workplane::spacingCriterion(db);
    EXPECT_EQ(scA.alongLength.has_value(), scB.alongLength.has_value()) << name;
    EXPECT_NEAR(scA.alongLength.value_or(0), scB.alongLength.value_or(0), 0.01) << name;
    EXPECT_NEAR(scA.across.value_or(0), scB.across.value_or(0), 0.01) << name;
    EXPECT_NEAR(scA.diagonal.value_or(0), scB.diagonal.value_or(0), 0.01) << name;
  }
}

// Symmetric about the C 90-270 plane, the file stores C 270 through 0 to C 90; read,
// the distribution is the one an LM-63 file gives over C 90..270.
TEST(Eulumdat, PlanesOfEverySymmetryLieWhereTheLm63FileWouldHaveThem) {
  const auto shape = [](double theta, double c) {
    return theta >= 90 ? 0.0
                       : 100 * std::cos(theta * std::numbers::pi / 180) *
                             (1 + 0.5 * std::sin(c * std::numbers::pi / 180));
  };
  LdtLayout ldt;
  ldt.symmetry = 3;
  ldt.planeCount = 8;
  for (const double c : {270.0, 315.0, 0.0, 45.0, 90.0}) {
    std::vector<double> plane;
    for (const double theta : ldt.vertical) plane.push_back(shape(theta, c));
    ldt.planes.push_back(plane);
  }
  const auto read = readPhotometry(ldtText(ldt), "t.ldt");
  ASSERT_TRUE(read) << read.error().message();
  EXPECT_EQ(read->horizontalAngles, (std::vector<double>{90, 135, 180, 225, 270}));
  testing::Lm63Layout ies;
  ies.vertical = ldt.vertical;
  ies.horizontal = {90, 135, 180, 225, 270};
  ies.candela = shape;
  const auto lm63 = readPhotometry(testing::lm63Text(ies), "t.ies");
  ASSERT_TRUE(lm63) << lm63.error().message();
  // Compared in the files' own C angles: the formats lay the length differently.
  const auto a = CandelaDistribution::fromPhotometry(*read);
  const auto b = CandelaDistribution::fromPhotometry(*lm63);
  for (double c = 0; c < 360; c += 22.5) {
    for (double theta = 0; theta <= 90; theta += 7.5) {
      EXPECT_NEAR(a.atFilePlane(c, theta), b.atFilePlane(c, theta), 1e-6) << c << ' ' << theta;
    }
  }
}

// Intensities are per 1000 lm of all the lamp sets; the lamps per fixture are the
// first set's, and a negative count means absolute photometry.
TEST(Eulumdat, LampSetsGiveTheFluxAndANegativeCountMeansAbsolute) {
  LdtLayout ldt;
  ldt.lamps = {2, 1};
  ldt.flux = {3000, 1000};
  ldt.planes = {std::vector<double>(ldt.vertical.size(), 50)};
  const auto relative = readPhotometry(ldtText(ldt), "t.ldt");
  ASSERT_TRUE(relative) << relative.error().message();
  EXPECT_EQ(relative->lampCount, 2);
  EXPECT_DOUBLE_EQ(relative->lumensPerLamp, 2000);
  EXPECT_DOUBLE_EQ(relative->candela[0][0], 50 * 4.0);
  EXPECT_DOUBLE_EQ(relative->inputWatts, 20);

  ldt.lamps = {-1};
  ldt.flux = {2500};
  const auto absolute = readPhotometry(ldtText(ldt), "t.ldt");
  ASSERT_TRUE(absolute) << absolute.error().message();
  EXPECT_TRUE(absolute->absolute());
  EXPECT_EQ(absolute->lampCount, 1);
  EXPECT_DOUBLE_EQ(absolute->candela[0][3], 50 * 2.5);
}

TEST(Eulumdat, BadFilesNameTheLine) {
  LdtLayout ldt;
  ldt.planes = {std::vector<double>(ldt.vertical.size(), 50)};
  const std::string good = ldtText(ldt);
  ASSERT_TRUE(readPhotometry(good, "t.ldt"));

  auto errorOf = [](const std::string& text) {
    const auto read = readPhotometry(text, "t.ldt");
    return read ? std::string("read") : read.error().message();
  };
  // Cut inside the intensities (the last 3 values gone).
  std::string truncated = good;
  for (int i = 0; i < 3; ++i) truncated.erase(truncated.rfind('\n', truncated.size() - 2) + 1);
  const int lines = static_cast<int>(std::count(good.begin(), good.end(), '\n'));
  EXPECT_NE(errorOf(truncated).find("line " + std::to_string(lines - 3) + ":"), std::string::npos)
      << errorOf(truncated);
  EXPECT_NE(errorOf(truncated).find("the end of the file"), std::string::npos);

  // Line 6 holds the number of intensities per plane.
  std::string badNumber = good;
  const auto sixth = [&] {
    std::size_t at = 0;
    for (int i = 0; i < 5; ++i) at = badNumber.find('\n', at) + 1;
    return at;
  }();
  badNumber.replace(sixth, badNumber.find('\n', sixth) - sixth, "1x3");
  EXPECT_NE(errorOf(badNumber).find("line 6:"), std::string::npos) << errorOf(badNumber);
  EXPECT_NE(errorOf(badNumber).find("\"1x3\""), std::string::npos);

  // A comma as the decimal separator reads as a point.
  std::string comma = good;
  comma.replace(comma.find("\n0.5\n"), 5, "\n0,5\n");
  EXPECT_EQ(errorOf(comma), "read");
}

}  // namespace
}  // namespace kandelor::photometry
