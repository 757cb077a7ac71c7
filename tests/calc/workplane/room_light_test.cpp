#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <tuple>

#include "calc/calculation.h"
#include "calc/photometry/photometry_index.h"
#include "calc/workplane/room_glare.h"
#include "calc/workplane/room_light.h"
#include "model/project_file.h"
#include "model/text_file.h"
#include "support/temp_folder.h"

namespace kandelor::workplane {
namespace {

const std::string kDataDir = KANDELOR_DATA_DIR;
constexpr PageDefaults kDefaults{1.0f, 0.9f, 0.9f, 34, 2800};

struct Shipped {
  FixtureCatalogue catalogue;
  CataloguePhotometry photometry = loadCataloguePhotometry(kDataDir);
  Shipped() { EXPECT_TRUE(rawdata(catalogue, kDataDir + "/light.dat", kDataDir + "/Type.dat")); }
};

const Shipped& shipped() {
  static const Shipped data;
  return data;
}

RoomRow room(float length, float width, float height, int type, int quantity) {
  RoomRow row;
  std::tie(row.length, row.width, row.height, row.fixtureNumber, row.quantity) =
      std::tuple(length, width, height, type, quantity);
  return row;
}

// Both methods count the same light: on the shipped sample the point-by-point average
// stays within 10 % of the lumen method, and every lumen emitted is absorbed.
TEST(RoomLight, ShippedSampleAgreesWithTheLumenMethod) {
  Project project;
  ASSERT_TRUE(loaddata(project, kDataDir + "/new.dat"));
  const int column = catalogueColumnOfChoices(3, 2);
  int rooms = 0;
  for (int p = 1; p <= kPageCount; ++p) {
    for (int r = 1; r <= kRowCount; ++r) {
      const RoomRow& row = project.page(p).row(r);
      if (!(row.length > 0 && row.width > 0)) continue;
      const PageDefaults& defaults = project.page(p).defaults;
      const RoomResult lumen = calculateRoom(row, defaults, shipped().catalogue, column);
      const RoomLightResult result =
          computeRoomLight(row, defaults, shipped().catalogue, shipped().photometry, {70, 30},
                           lumen.calculatedFootcandles);
      ASSERT_TRUE(result.light) << result.reason;
      const RoomLight& light = *result.light;
      const std::string name(row.name.trimmed());
      EXPECT_NEAR(light.figures.average / lumen.calculatedFootcandles, 1, 0.1) << name;
      EXPECT_NEAR(light.absorbedLumens / light.emittedLumens, 1, 0.001) << name;
      EXPECT_EQ(static_cast<int>(light.layout.fixtures.size()), row.quantity);
      ASSERT_EQ(static_cast<int>(light.total.size()), light.grid.nx * light.grid.ny);
      for (std::size_t k = 0; k < light.total.size(); ++k) {
        EXPECT_GE(light.total[k], light.direct[k]) << name << " point " << k;
      }
      EXPECT_LE(light.figures.minimum, light.figures.average);
      ++rooms;
    }
  }
  EXPECT_EQ(rooms, 10);
}

// At 80 / 70 % the light bounces most; halving the patches' sides must not move any
// point by more than 1 % of the room's average.
TEST(RoomLight, HalvingThePatchesMovesNoPointByMoreThanOnePercent) {
  for (const RoomRow& row : {room(30, 20, 9, 1, 8), room(60, 8, 9, 6, 6), room(60, 40, 25, 9, 12),
                             room(24, 16, 9, 5, 6)}) {
    const auto coarse =
        computeRoomLight(row, kDefaults, shipped().catalogue, shipped().photometry, {80, 70}, 0);
    LightOptions finer;
    finer.refinement = 2;
    const auto fine = computeRoomLight(row, kDefaults, shipped().catalogue, shipped().photometry,
                                       {80, 70}, 0, finer);
    ASSERT_TRUE(coarse.light && fine.light);
    const double average = fine.light->figures.average;
    double worst = 0;
    for (std::size_t k = 0; k < fine.light->total.size(); ++k) {
      worst = std::max(worst, std::abs(coarse.light->total[k] - fine.light->total[k]));
    }
    EXPECT_LT(worst / average, 0.01)
        << row.length << " x " << row.width << " type " << row.fixtureNumber;
    EXPECT_NEAR(fine.light->absorbedLumens / fine.light->emittedLumens, 1, 0.001);
  }
}

TEST(RoomLight, RoomsWithoutPointByPointLightSayWhy) {
  testing::TempFolder folder;
  testing::writeFile(folder.file("broken.ies"),
                     "IESNA:LM-63-2002\nTILT=NONE\n1 1000 1 3 1 1 1 0 0 0\n1 1 10\n0 45 90\n0\n"
                     "100 x 0\n");
  photometry::PhotometryFiles files;
  files[0] = kDataDir + "/photometry/troffer_lensed_2x4.ies";
  files[1] = folder.file("broken.ies");
  const CataloguePhotometry photometry = loadCataloguePhotometry(files);
  const FixtureCatalogue& catalogue = shipped().catalogue;
  auto reason = [&](const RoomRow& row) {
    return computeRoomLight(row, kDefaults, catalogue, photometry, {70, 50}, 0).reason;
  };
  EXPECT_EQ(reason(room(0, 10, 9, 1, 2)), "not in use");
  EXPECT_EQ(reason(room(20, 10, 2.5f, 1, 2)), "height 2.5 ft or less");
  EXPECT_EQ(reason(room(20, 10, 9, 1, 0)), "no fixtures");
  EXPECT_EQ(reason(room(20, 10, 9, 23, 2)), "fixture type 23 is not in the catalogue");
  EXPECT_EQ(reason(room(20, 10, 9, 14, 2)), "no photometric data for type 14");
  const std::string unreadable = reason(room(20, 10, 9, 2, 2));
  EXPECT_NE(unreadable.find("broken.ies\": line 7"), std::string::npos) << unreadable;
  // The type that reads still gets its light.
  EXPECT_TRUE(
      computeRoomLight(room(20, 10, 9, 1, 2), kDefaults, catalogue, photometry, {70, 50}, 0).light);
}

// The opening seen from below, in feet whatever the file's units: a length along the
// Opposite observers of a symmetric layout see the same glare; the room's rating is the
// highest observer's, and a parabolic louvre glares less than a lensed troffer.
TEST(RoomGlare, SymmetricRoomsGiveOppositeObserversTheSameRating) {
  const auto rated = [](int type) {
    const auto result = computeRoomLight(room(30, 20, 9, type, 12), kDefaults, shipped().catalogue,
                                         shipped().photometry, {70, 50}, 0);
    EXPECT_TRUE(result.light) << result.reason;
    return *result.light;
  };
  const RoomLight lensed = rated(1), parabolic = rated(2);
  ASSERT_EQ(lensed.observers.size(), 4u);
  EXPECT_NEAR(*lensed.observers[0].ugr, *lensed.observers[1].ugr, 1e-6);
  EXPECT_NEAR(*lensed.observers[2].ugr, *lensed.observers[3].ugr, 1e-6);
  double highest = 0;
  for (const auto& o : lensed.observers) highest = std::max(highest, *o.ugr);
  EXPECT_EQ(*lensed.ugr, highest);
  EXPECT_GT(*lensed.ugr, 10);
  EXPECT_LT(*lensed.ugr, 28);
  EXPECT_LT(*parabolic.ugr, *lensed.ugr - 2);
}

// Inside a box whose every patch sends out the same light, any small plane receives just
// that much, whichever way it faces: the background at the eye gathers every patch once.
TEST(RoomGlare, UniformlyBrightBoxLightsTheEyeWithItsExitance) {
  const RoomBox box{30, 20, 9};
  Interreflection uniform;
  uniform.surfaces = patchRoom(box, {0.5, 0.5, 0.5}, {3, 24, 1.5});
  const auto& last = uniform.surfaces.back();
  uniform.exitance.assign(static_cast<std::size_t>(last.first + last.size()), 10.0);
  for (const Vec3& looking : {Vec3{1, 0, 0}, Vec3{0, -1, 0}}) {
    for (const Vec3& eye : {Vec3{0.01, 10, 3.94}, Vec3{15, 10, 3.94}, Vec3{15, 19.9, 3.94}}) {
      EXPECT_NEAR(indirectIlluminance(uniform, {}, eye, looking), 10.0, 1e-6)
          << eye.x << "," << eye.y;
    }
  }
}

// fixture and a width, a negative size for a round opening, 0 for none.
TEST(RoomLight, FixturesTakeTheLuminousOpeningOfTheirFile) {
  testing::TempFolder folder;
  const auto opening = [&](const std::string& units) {
    const std::string file = folder.file("t.ies");
    testing::writeFile(file, "IESNA:LM-63-2002\nTILT=NONE\n1 1000 1 3 1 1 " + units +
                                 "\n1 1 10\n0 45 90\n0\n300 200 0\n");
    const auto type = loadTypePhotometry(file);
    EXPECT_TRUE(type) << type.error().message();
    return type ? std::tuple{type->luminousLength, type->luminousWidth, type->round}
                : std::tuple{-1.0, -1.0, false};
  };
  EXPECT_EQ(opening("1 2 4 0.3"), std::tuple(4.0, 2.0, false));
  const auto [length, width, round] = opening("2 0.3 1.2 0.1");
  EXPECT_NEAR(length, 1.2 / 0.3048, 1e-9);
  EXPECT_NEAR(width, 0.3 / 0.3048, 1e-9);
  EXPECT_FALSE(round);
  EXPECT_EQ(opening("1 -0.5 0 0.2"), std::tuple(0.5, 0.5, true));
  EXPECT_EQ(opening("1 0 0 0"), std::tuple(0.0, 0.0, false));

  // The room's light hands the shipped 2 x 4 troffer's opening on to its plan.
  photometry::PhotometryFiles files;
  files[0] = kDataDir + "/photometry/troffer_lensed_2x4.ies";
  const CataloguePhotometry photometry = loadCataloguePhotometry(files);
  const auto light = computeRoomLight(room(20, 10, 9, 1, 2), kDefaults, shipped().catalogue,
                                      photometry, {70, 50}, 0);
  ASSERT_TRUE(light.light);
  EXPECT_EQ(light.light->fixtureLength, 4.0);
  EXPECT_EQ(light.light->fixtureWidth, 2.0);
}

TEST(PhotometryIndex, NamesEachTypesFileRelativeToTheCatalogue) {
  photometry::PhotometryFiles files;
  files[0] = "photometry/a b.ies";
  files[21] = "/abs/z.ies";
  const std::string text = photometry::formatPhotometryIndex(files);
  const auto read = photometry::parsePhotometryIndex(text, "photometry.dat", "/cat");
  ASSERT_TRUE(read) << read.error().message();
  EXPECT_EQ((*read)[0], "/cat/photometry/a b.ies");
  EXPECT_EQ((*read)[21], "/abs/z.ies");
  EXPECT_EQ((*read)[1], "");
  for (const char* bad : {"23 x.ies\n", "1\n", "x 1.ies\n", "1 a.ies\n# c\n1 b.ies\n"}) {
    EXPECT_FALSE(photometry::parsePhotometryIndex(bad, "p.dat", "")) << bad;
  }
  EXPECT_EQ(photometry::parsePhotometryIndex("1 a.ies\n\n1 b.ies\n", "p.dat", "").error().line, 3);

  // The shipped index names the files the list names; so does one written elsewhere.
  testing::TempFolder folder;
  const auto written =
      photometry::indexOfList(kDataDir + "/photometry/catalog.list", folder.path().string());
  const auto shippedText = readWholeFile(kDataDir + "/photometry.dat");
  ASSERT_TRUE(written && shippedText);
  const auto shippedFiles =
      photometry::parsePhotometryIndex(*shippedText, "photometry.dat", kDataDir);
  const auto writtenFiles = photometry::parsePhotometryIndex(
      photometry::formatPhotometryIndex(*written), "photometry.dat", folder.path().string());
  ASSERT_TRUE(shippedFiles && writtenFiles);
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_TRUE(std::filesystem::equivalent((*shippedFiles)[i], (*writtenFiles)[i])) << i + 1;
  }
}

}  // namespace
}  // namespace kandelor::workplane
