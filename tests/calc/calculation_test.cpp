#include "calc/calculation.h"
#include "calc/reflectances.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

#include "tracing_catalogue.h"

namespace kandelor {
namespace {

// With the unit page below, the footcandles of a 1 × 1 ft room equal its CU.
RoomPage unitPage() {
  RoomPage page;
  page.defaults = {1.0f, 1.0f, 1.0f, 10, 100};
  return page;
}

void setRoom(RoomRow& row, float length, float width, float height, int fixture, int quantity) {
  row.length = length;
  row.width = width;
  row.height = height;
  row.fixtureNumber = fixture;
  row.quantity = quantity;
}

TEST(Calculation, WorkedExampleTruncatesAndKeepsFullPowerDensity) {
  FixtureCatalogue catalogue = tracingCatalogue();
  catalogue.types[0].description.assign("Troffer");
  catalogue.types[0].lampsPerFixture = 2;
  catalogue.types[0].cuPercent[7][2] = 65;  // column 8 (ceiling 70 %, wall 30 %), RCR 3
  RoomPage page;
  page.defaults = {1.0f, 0.9f, 0.9f, 34, 2800};
  setRoom(page.row(1), 20, 15, 9, 1, 6);
  setRoom(page.row(2), 20, 15, 9, 1, 0);     // no fixtures
  setRoom(page.row(3), 0, 0, 9, 1, 6);       // the blank row
  setRoom(page.row(4), 20, 15, 1.0f, 1, 6);  // -0.875 truncates to 0
  setRoom(page.row(5), 20, 15, 0.5f, 1, 6);  // -1.17 truncates to -1

  const PageResults results = calculatePage(page, catalogue, 3, 2);
  EXPECT_EQ(results[0].roomCavityRatio, 3);         // 3.79
  EXPECT_EQ(results[0].calculatedFootcandles, 58);  // 58.97
  EXPECT_EQ(results[0].wattsPerSquareFoot, static_cast<float>(408.0 / 300.0));
  EXPECT_EQ(results[0].description.view(), "Troffer  ");
  EXPECT_EQ(results[1], (RoomResult{3, 0, 0.0f, results[0].description}));
  EXPECT_EQ(results[2], (RoomResult{0, 0, 0.0f, results[0].description}));
  EXPECT_EQ(results[3].roomCavityRatio, 0);
  EXPECT_EQ(results[4].roomCavityRatio, -1);
  EXPECT_EQ(results[5], RoomResult{});  // an untouched row: fixture 0, no area
}

TEST(Calculation, ReflectanceColumnTable) {
  const int expected[4][4] = {{1, 2, 3, 3}, {4, 5, 6, 6}, {7, 8, 9, 10}, {11, 12, 13, 14}};
  RoomPage page = unitPage();
  setRoom(page.row(1), 1, 1, 2.9f, 1, 1);  // RCR 4
  for (int ceiling = 1; ceiling <= 4; ++ceiling) {
    for (int wall = 1; wall <= 4; ++wall) {
      const int column = expected[ceiling - 1][wall - 1];
      EXPECT_EQ(catalogueColumnOfChoices(ceiling, wall), column) << ceiling << "/" << wall;
      EXPECT_EQ(calculatePage(page, tracingCatalogue(), ceiling, wall)[0].calculatedFootcandles,
                1000 + 10 * column + 4);
    }
  }
  for (const int outside : {0, 5, -999, INT_MIN, INT_MAX}) {
    EXPECT_EQ(catalogueColumnOfChoices(outside, 2), 0);
    EXPECT_EQ(catalogueColumnOfChoices(3, outside), 0);
  }
}

TEST(Calculation, EachRoomUsesItsOwnTypeAndRatio) {
  RoomPage page = unitPage();
  setRoom(page.row(1), 1, 1, 2.9f, 1, 1);    // RCR 4
  setRoom(page.row(2), 1, 1, 3.05f, 7, 1);   // RCR 5
  setRoom(page.row(3), 1, 1, 3.5f, 22, 1);   // RCR 10
  setRoom(page.row(4), 1, 1, 4.0f, 2, 1);    // RCR 15 looks up RCR 10
  setRoom(page.row(5), 1, 1, 2.55f, 3, 1);   // RCR 0 looks up RCR 1
  setRoom(page.row(6), -1, -1, 3.5f, 4, 1);  // negative sizes: no results at all
  setRoom(page.row(7), 1, 1, 2.5f, 5, 1);    // no room cavity: CU 0
  setRoom(page.row(8), 1, 1, 1.0f, 6, 1);    // RCR -15, no room cavity: CU 0
  const PageResults results = calculatePage(page, tracingCatalogue(), 4, 4);
  const int rcr[] = {4, 5, 10, 15, 0, 0, 0, -15};
  const int footcandles[] = {1144, 7145, 22150, 2150, 3141, 0, 0, 0};
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(results[i].roomCavityRatio, rcr[i]) << "row " << i + 1;
    EXPECT_EQ(results[i].calculatedFootcandles, footcandles[i]) << "row " << i + 1;
    EXPECT_EQ(results[i].wattsPerSquareFoot, i == 5 ? 0.0f : 10.0f) << "row " << i + 1;
  }
  EXPECT_EQ(results[5].description, FixedText<9>("Type4"));
}

// A size that is empty or negative is said, the first of length, width and height.
TEST(Calculation, EmptyOrNegativeSizesAreNamed) {
  RoomRow room;
  room.length = 20;
  room.width = 10;
  room.height = 9;
  EXPECT_EQ(roomSizeProblem(room), "");
  room.height = 0;  // a floor-level room is a size, if a useless one
  EXPECT_EQ(roomSizeProblem(room), "");
  room.width = -999.0f;
  EXPECT_EQ(roomSizeProblem(room), "Width is empty.");
  room.length = -0.5f;
  EXPECT_EQ(roomSizeProblem(room), "Length is negative.");
  room = RoomRow{};
  room.height = NAN;
  EXPECT_EQ(roomSizeProblem(room), "Height is negative.");
}

TEST(Calculation, FixtureNumbersOutsideTheCatalogueGiveNoLight) {
  RoomPage page = unitPage();
  const int numbers[] = {0, 23, 50, -999, INT_MIN, INT_MAX};
  for (std::size_t i = 0; i < 6; ++i) setRoom(page.rows[i], 1, 1, 2.9f, numbers[i], 3);
  const PageResults results = calculatePage(page, tracingCatalogue(), 3, 2);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(results[i], (RoomResult{4, 0, 0.0f, {}})) << i;
}

TEST(Calculation, UnknownReflectanceChoiceGivesNoLightButKeepsPower) {
  RoomPage page = unitPage();
  setRoom(page.row(1), 1, 1, 2.9f, 1, 2);
  setRoom(page.row(2), 2, 1, 3.5f, 9, 1);
  for (const auto& [ceiling, wall] : {std::pair{0, 2}, {3, 0}, {-999, -999}, {5, 1}}) {
    const PageResults results = calculatePage(page, tracingCatalogue(), ceiling, wall);
    EXPECT_EQ(results[0], (RoomResult{4, 0, 20.0f, FixedText<9>("Type1")}));
    EXPECT_EQ(results[1], (RoomResult{7, 0, 5.0f, FixedText<9>("Type9")}));
  }
}

TEST(Calculation, LargeValuesNeitherOverflowNorWrap) {
  FixtureCatalogue catalogue = tracingCatalogue();
  catalogue.types[0].lampsPerFixture = 10;
  catalogue.types[0].cuPercent[7][3] = 1000;  // lamps × CU far above the usual 4294
  catalogue.types[1].lampsPerFixture = INT_MAX;
  RoomPage page = unitPage();
  page.defaults.lampLumens = 5000;
  setRoom(page.row(1), 1, 1, 2.9f, 1, 100);  // 5e9 lumen-percent: 50,000,000 lumens
  setRoom(page.row(2), 1, 1, 2.9f, 2, 100);  // saturates
  setRoom(page.row(3), 1, 1, FLT_MAX, 1, 1);
  setRoom(page.row(4), 1, 1, -FLT_MAX, 1, 1);
  setRoom(page.row(5), 1e-30f, 1e-30f, 2.9f, 1, 1);
  setRoom(page.row(6), FLT_MAX, FLT_MAX, 35, 1, 1);
  setRoom(page.row(7), NAN, 1, 2.9f, 1, 1);
  setRoom(page.row(8), 1, 1, NAN, 1, 1);
  const PageResults results = calculatePage(page, catalogue, 3, 2);
  EXPECT_EQ(results[0].calculatedFootcandles, 50'000'000);
  EXPECT_EQ(results[0].wattsPerSquareFoot, 10'000.0f);
  EXPECT_EQ(results[1].calculatedFootcandles, INT_MAX);
  EXPECT_EQ(results[1].wattsPerSquareFoot, static_cast<float>(INT_MAX));
  EXPECT_EQ(results[2].roomCavityRatio, INT_MAX);
  EXPECT_EQ(results[3], (RoomResult{0, 0, 0.0f, FixedText<9>("Type1")}));  // negative height
  EXPECT_EQ(results[4].calculatedFootcandles, INT_MAX);
  EXPECT_EQ(results[4].wattsPerSquareFoot, FLT_MAX);
  EXPECT_EQ(results[5].roomCavityRatio, 0);
  EXPECT_EQ(results[6], (RoomResult{0, 0, 0.0f, FixedText<9>("Type1")}));
  EXPECT_EQ(results[7], (RoomResult{0, 0, 0.0f, FixedText<9>("Type1")}));

  page.defaults.lampWatts = INT_MIN;
  EXPECT_EQ(calculatePage(page, catalogue, 3, 2)[1].wattsPerSquareFoot,
            static_cast<float>(INT_MIN));
}

TEST(Calculation, OnlyInputsChangeResultsAndStoringKeepsTheRest) {
  RoomPage page = unitPage();
  setRoom(page.row(1), 20, 15, 9, 3, 6);
  setRoom(page.row(19), 1, 1, 2.9f, 22, 1);
  page.row(1).name.assign("Office");
  page.row(1).description.assign("Old text");
  const PageResults before = calculatePage(page, tracingCatalogue(), 3, 2);
  for (RoomRow& row : page.rows) row.designFootcandles = 75;
  EXPECT_EQ(calculatePage(page, tracingCatalogue(), 3, 2), before);

  RoomPage stored = page;
  storeResults(stored, before);
  for (std::size_t i = 0; i < page.rows.size(); ++i) {
    RoomRow expected = page.rows[i];
    expected.roomCavityRatio = before[i].roomCavityRatio;
    expected.calculatedFootcandles = before[i].calculatedFootcandles;
    expected.wattsPerSquareFoot = before[i].wattsPerSquareFoot;
    EXPECT_EQ(stored.rows[i], expected) << "row " << i + 1;
  }
  EXPECT_EQ(stored.row(19).calculatedFootcandles, 22084);
  EXPECT_EQ(stored.defaults, page.defaults);
}

}  // namespace
}  // namespace kandelor
