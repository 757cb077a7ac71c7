#include "tools/schedule/schedule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/reflectances.h"
#include "schedule/crafted_project.h"
#include "tools/schedule/schedule_csv.h"
#include "tools/schedule/schedule_json.h"

namespace kandelor::schedule {
namespace {

using testing::craftedProject;

FixtureCatalogue shippedCatalogue() {
  FixtureCatalogue catalogue;
  const std::string dir = KANDELOR_DATA_DIR;
  EXPECT_TRUE(rawdata(catalogue, dir + "/light.dat", dir + "/Type.dat"));
  return catalogue;
}

constexpr int kColumn70And30 = 8;

// Each row against the calculation is checked on the command's CSV (schedule_command_test).
TEST(Schedule, RoomsInUseTheirEdgeCasesAndTotals) {
  const FixtureCatalogue catalogue = shippedCatalogue();
  ASSERT_EQ(catalogueColumnOfChoices(3, 2), kColumn70And30);
  const Project project = craftedProject(catalogue, kColumn70And30);
  const Schedule schedule = buildSchedule(project, catalogue, {3, 2, 0.64}, "crafted.prj");

  std::vector<int> rooms;
  for (const ScheduleRow& row : schedule.rows) {
    rooms.push_back(row.room);
    ASSERT_EQ(row.room, roomNumber(row.page, row.row));
  }
  // Blank rows, a row with no width and one with a negative length are not in use; the
  // negative one is said.
  EXPECT_EQ(rooms, (std::vector<int>{1, 3, 4, 5, 6, 7, 8, 9, 12, 13, 19, 20, 26, 57, 77, 95}));
  EXPECT_EQ(schedule.unusableSizes,
            (std::vector<std::string>{"room 11 \"Minus\" is left out: Length is negative."}));

  const auto& byName = [&](const std::string& name) -> const ScheduleRow& {
    for (const ScheduleRow& row : schedule.rows) {
      if (row.name == name) return row;
    }
    ADD_FAILURE() << name;
    return schedule.rows.front();
  };
  EXPECT_EQ(byName("Plenum").result.calculatedFootcandles, 0);  // no room cavity: no light
  EXPECT_EQ(byName("Crawl").result.roomCavityRatio, -1);
  EXPECT_EQ(byName("Shaft").result.roomCavityRatio, 58);
  EXPECT_GT(byName("Shaft").result.calculatedFootcandles, 0);  // the RCR 10 CU
  EXPECT_EQ(byName("Unlit").result.wattsPerSquareFoot, 0.0f);
  EXPECT_EQ(byName("Unlit").needed.kind, NeededFixtures::Kind::Count);
  EXPECT_EQ(byName("NoType").description(), "");
  EXPECT_EQ(byName("Type23").watts, 0);
  EXPECT_EQ(byName("Type23").needed.kind, NeededFixtures::Kind::None);
  EXPECT_EQ(byName("Hall").verdict, Verdict::None);
  EXPECT_EQ(byName("Arena").needed.kind, NeededFixtures::Kind::None);
  EXPECT_EQ(byName("Office").description(), "ParaTrof");

  const ScheduleTotals& totals = schedule.totals;
  EXPECT_EQ(totals.rooms, 16);
  EXPECT_EQ(totals.low, 8);
  EXPECT_EQ(totals.meets, 4);
  EXPECT_EQ(totals.high, 3);
  EXPECT_NEAR(totals.areaSqft, 131968.725, 1e-4);
  std::int64_t watts = 0;
  for (const ScheduleRow& row : schedule.rows) watts += row.watts;
  EXPECT_EQ(totals.watts, watts);
  EXPECT_DOUBLE_EQ(totals.wattsPerSqft, static_cast<double>(watts) / totals.areaSqft);
  EXPECT_EQ(schedule.withinLpdLimit(), totals.wattsPerSqft <= 0.64);
}

TEST(Schedule, ARoomAtExactlyTheLimitIsWithinIt) {
  const FixtureCatalogue catalogue = shippedCatalogue();
  ASSERT_EQ(catalogue.find(1)->lampsPerFixture, 2);
  Project project;
  project.page(2).defaults = {1.0f, 1.0f, 1.0f, 33, 2800};
  RoomRow& room = project.page(2).row(4);
  room.length = 10;
  room.width = 10;
  room.height = 9;
  room.fixtureNumber = 1;
  room.quantity = 1;  // 66 W on 100 sqft: 0.66, held as a float just above it
  ASSERT_GT(static_cast<double>(0.66f), 0.66);

  const Schedule atLimit = buildSchedule(project, catalogue, {3, 2, 0.66}, "p");
  ASSERT_EQ(atLimit.rows.size(), 1u);
  EXPECT_EQ(atLimit.rows[0].room, 23);
  EXPECT_FALSE(atLimit.rows[0].overLpdLimit);
  EXPECT_TRUE(atLimit.withinLpdLimit());
  const Schedule below = buildSchedule(project, catalogue, {3, 2, 0.659}, "p");
  EXPECT_TRUE(below.rows[0].overLpdLimit);
  EXPECT_FALSE(below.withinLpdLimit());
  EXPECT_EQ(below.totals.overLpdLimit, 1);
  EXPECT_TRUE(buildSchedule(project, catalogue, {3, 2, {}}, "p").withinLpdLimit());
}

// Each listed room against its type's allowance, and the listed rooms' watts against
// the sum of their allowances; a room at exactly its allowance is within it.
TEST(Schedule, SpaceBySpaceMarksEachListedRoomAndTotalsTheirAllowances) {
  const FixtureCatalogue catalogue = shippedCatalogue();
  Project project;
  project.page(1).defaults = {1.0f, 1.0f, 1.0f, 33, 2800};
  for (const int r : {1, 2, 3, 4}) {
    RoomRow& room = project.page(1).row(r);
    room.length = 10;
    room.width = 10;
    room.height = 9;
    room.fixtureNumber = 1;
    room.quantity = 1;  // 66 W on 100 sqft
  }
  const auto table = parseSpaceTypeTable(
      "# allowances\nspace_type,watts_per_sqft\noffice,0.66\ncorridor,0.41\nlobby,0.84\n",
      "types.csv");
  ASSERT_TRUE(table) << table.error().message();
  const auto rooms =
      parseRoomSpaceTypes("room,space_type\n1,office\n2,corridor\n3,lobby\n", "rooms.csv", *table);
  ASSERT_TRUE(rooms) << rooms.error().message();
  ScheduleOptions options;
  options.spaceTypes = SpaceTypeList{"rooms.csv", *table, *rooms};
  const Schedule schedule = buildSchedule(project, catalogue, options, "p");

  ASSERT_EQ(schedule.rows.size(), 4u);
  EXPECT_FALSE(schedule.rows[0].overAllowance);  // at its allowance
  EXPECT_TRUE(schedule.rows[1].overAllowance);
  EXPECT_FALSE(schedule.rows[2].overAllowance);
  EXPECT_FALSE(schedule.rows[3].spaceType);  // not listed: not counted
  EXPECT_EQ(schedule.totals.spaceTypedRooms, 3);
  EXPECT_NEAR(schedule.totals.allowedWatts, 100 * (0.66 + 0.41 + 0.84), 1e-9);
  EXPECT_EQ(schedule.totals.spaceTypedWatts, 3 * 66);
  EXPECT_FALSE(schedule.withinSpaceAllowance());  // 198 W against 191 W
  EXPECT_EQ(schedule.totals.overAllowance, 1);

  // Mistakes name their line: an unknown type, a room outside 1..95, a room twice.
  for (const auto& [text, line] :
       {std::pair{"1,office\n2,kitchen\n", 2}, std::pair{"\n96,office\n", 2},
        std::pair{"3,lobby\n3,office", 2}, std::pair{"room,space_type\n1 office\n", 2}}) {
    const auto wrong = parseRoomSpaceTypes(text, "rooms.csv", *table);
    ASSERT_FALSE(wrong) << text;
    EXPECT_EQ(wrong.error().line, line) << text;
  }
  EXPECT_FALSE(parseSpaceTypeTable("office,much\n", "types.csv"));
  EXPECT_FALSE(parseSpaceTypeTable("office,1\noffice,2\n", "types.csv"));
}

TEST(ScheduleFiles, TextsAreQuotedAndRealsReadBack) {
  EXPECT_EQ(csvField("Lobby"), "Lobby");
  EXPECT_EQ(csvField("a,b"), "\"a,b\"");
  EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(csvField("two\r\nlines"), "\"two\r\nlines\"");
  EXPECT_EQ(jsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(jsonString("\x01\t\x1f\x7f"), "\"\\u0001\\u0009\\u001f\\u007f\"");
  EXPECT_EQ(jsonString("Büro €"), "\"Büro €\"");
  EXPECT_EQ(formatReal(0.1f), "0.1");
  EXPECT_EQ(formatReal(10.1f), "10.1");  // not 10.1000004
  EXPECT_EQ(formatReal(2.2666667f), "2.2666667");

  const FixtureCatalogue catalogue = shippedCatalogue();
  const Schedule schedule =
      buildSchedule(craftedProject(catalogue, kColumn70And30), catalogue, {3, 2, {}}, "a\"b.prj");
  const std::string csv = formatCsv(schedule);
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
            "page,row,room,name,number,length,width,height,rcr,design_fc,calc_fc,verdict,"
            "fixtures_needed,fixture,description,quantity,watts,watts_per_sqft,rows,columns,"
            "spacing_length_ft,spacing_width_ft,sc_length,sc_width,sc_diagonal,spacing_ok,avg_fc,"
            "min_fc,max_fc,avg_min,max_min,direct_avg_fc");
  EXPECT_NE(csv.find("\r\n1,13,13,\"Lab,\"\"A\"\"\",113,12.25,10.1,9.5,"), std::string::npos);
  EXPECT_NE(csv.find("\r\n1,9,9,Hall,109,30,12,10,"), std::string::npos);
  EXPECT_NE(csv.find(",meets,"), std::string::npos);
  // Hall has no design: no verdict, no count; Type23 has no fixture that reaches it.
  const std::size_t hall = csv.find("Hall");
  EXPECT_NE(csv.substr(hall, csv.find("\r\n", hall) - hall).find(",,,6,Wrap,5,"),
            std::string::npos);
  // Built without photometry: the point-by-point columns are empty.
  EXPECT_NE(csv.find(",low,none,23,,3,0,0,,,,,,,,,,,,,,\r\n"), std::string::npos);

  const std::string json = formatJson(schedule);
  EXPECT_NE(json.find("\"project\": \"a\\\"b.prj\""), std::string::npos);
  EXPECT_NE(json.find("\"name\": \"Lab,\\\"A\\\"\""), std::string::npos);
  EXPECT_NE(json.find("\"name\": \"Büro\""), std::string::npos);
  EXPECT_NE(json.find("\"verdict\": null, \"fixtures_needed\": null, \"fixture\": 6"),
            std::string::npos);
  EXPECT_NE(json.find("\"fixtures_needed\": \"none\", \"fixture\": 23"), std::string::npos);
  EXPECT_EQ(json.find("lpd"), std::string::npos);  // no limit given
}

}  // namespace
}  // namespace kandelor::schedule
