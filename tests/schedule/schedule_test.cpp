#include "tools/schedule/schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calc/reflectances.h"
#include "schedule/crafted_project.h"
#include "tools/schedule/schedule_csv.h"
#include "tools/schedule/schedule_json.h"
#include "tools/schedule/schedule_table.h"

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
            "min_fc,max_fc,avg_min,max_min,direct_avg_fc,uo,walls_avg_fc,walls_uo,ceiling_avg_fc,"
            "ceiling_uo,ugr");
  EXPECT_NE(csv.find("\r\n1,13,13,\"Lab,\"\"A\"\"\",113,12.25,10.1,9.5,"), std::string::npos);
  EXPECT_NE(csv.find("\r\n1,9,9,Hall,109,30,12,10,"), std::string::npos);
  EXPECT_NE(csv.find(",meets,"), std::string::npos);
  // Hall has no design: no verdict, no count; Type23 has no fixture that reaches it.
  const std::size_t hall = csv.find("Hall");
  EXPECT_NE(csv.substr(hall, csv.find("\r\n", hall) - hall).find(",,,6,Wrap,5,"),
            std::string::npos);
  // Built without photometry: the point-by-point columns are empty.
  EXPECT_NE(csv.find(",low,none,23,,3,0,0,,,,,,,,,,,,,,,,,,,,\r\n"), std::string::npos);

  const std::string json = formatJson(schedule);
  EXPECT_NE(json.find("\"project\": \"a\\\"b.prj\""), std::string::npos);
  EXPECT_NE(json.find("\"name\": \"Lab,\\\"A\\\"\""), std::string::npos);
  EXPECT_NE(json.find("\"name\": \"Büro\""), std::string::npos);
  EXPECT_NE(json.find("\"verdict\": null, \"fixtures_needed\": null, \"fixture\": 6"),
            std::string::npos);
  EXPECT_NE(json.find("\"fixtures_needed\": \"none\", \"fixture\": 23"), std::string::npos);
  EXPECT_EQ(json.find("lpd"), std::string::npos);  // no limit given
}

// A room's point-by-point figures as the light calculation would leave them.
workplane::RoomLight handSetLight(double length, double width, int columns) {
  workplane::RoomLight l;
  l.length = length;
  l.width = width;
  l.height = 9;
  l.mountingHeight = 6.5;
  l.layout = {1, columns, columns, length, width, {}};
  for (int c = 0; c < columns; ++c)
    l.layout.fixtures.push_back({(c + 0.5) * length / columns, width / 2});
  l.fixtureLength = 8;
  l.fixtureWidth = 1;
  l.figures = {46.2, 22.1, 60, 46.2 / 22.1, 60 / 22.1, 40, 0.48};
  l.lumenFootcandles = 45;
  l.walls = {62 / kLuxPerFootcandle, 10 / kLuxPerFootcandle, 0.31};
  l.ceiling = {45 / kLuxPerFootcandle, 2 / kLuxPerFootcandle, 0.05};
  l.observers = {{{0, width / 2}, {1, 0}, 21.34},
                 {{length, width / 2}, {-1, 0}, 20.5},
                 {{length / 2, 0}, {0, 1}, std::nullopt},
                 {{length / 2, width}, {0, -1}, 12}};
  l.ugr = 21.34;
  return l;
}

// Glare, uniformity, the surfaces, overlapping fixtures, a high RCR and the targets, from
// hand-set figures, in the text table, the CSV and the JSON, in both units.
TEST(ScheduleFiles, RoomFiguresAndTargetsGoToEveryOutputInBothUnits) {
  const FixtureCatalogue catalogue = shippedCatalogue();
  Project project;
  project.page(1).defaults = {1.0f, 1.0f, 1.0f, 33, 2800};
  const auto room = [&](int r, const char* name, float length, float width, float height) {
    testing::enterRoom(project.page(1).row(r), name, length, width, height, 1, 4)
        .designFootcandles = 40;
  };
  room(1, "Office", 30, 15, 9);
  room(2, "Dim", 20, 10, 9);
  room(3, "Shaft", 3, 3, 20);  // RCR above 10, no point-by-point light
  const auto table = parseSpaceTypeTable(
      "space_type,watts_per_sqft,maintained_lx,uo,ugr_l,walls_lx,walls_uo,ceiling_lx,ceiling_uo\n"
      "office,5,500,0.60,19,50,0.10,50,0.10\nhall,5\n",
      "types.csv");
  ASSERT_TRUE(table) << table.error().message();
  const auto rooms = parseRoomSpaceTypes("1,office\n2,hall\n3,office\n", "rooms.csv", *table);
  ASSERT_TRUE(rooms);
  ScheduleOptions options;
  options.spaceTypes = SpaceTypeList{"rooms.csv", *table, *rooms};
  Schedule schedule = buildSchedule(project, catalogue, options, "p");
  ASSERT_EQ(schedule.rows.size(), 3u);
  ASSERT_GT(schedule.rows[2].result.roomCavityRatio, 10);
  schedule.rows[0].light.light = handSetLight(30, 15, 4);  // 8 ft openings 7.5 ft apart
  schedule.rows[0].light.light->overlap = true;
  schedule.rows[1].light.light = handSetLight(20, 10, 2);
  schedule.rows[1].light.light->ugr.reset();
  schedule.rows[1].light.light->ugrReason = "no fixture in view";
  schedule.rows[2].light.reason = "no photometric data for type 1";
  checkRoomTargets(schedule);
  EXPECT_EQ(schedule.totals.missingTargets, 1);
  EXPECT_EQ(schedule.totals.targetsNotChecked, 1);  // the shaft, beyond the lumen method too
  EXPECT_FALSE(schedule.meetsTargets());

  const std::string text = formatTable(schedule);
  EXPECT_NE(text.find("Avg/min    Uo   UGR"), std::string::npos) << text;
  EXPECT_NE(text.find("2.09  0.48  21.3"), std::string::npos) << text;
  EXPECT_NE(text.find("room 1 Office: the fixtures overlap: 8.0 ft long at 7.5 ft spacing\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("room 3 Shaft: RCR above 10: outside the lumen method's tables\n"),
            std::string::npos);
  EXPECT_EQ(text.find("room 2 Dim: the fixtures overlap"), std::string::npos);
  EXPECT_NE(text.find("room 1 Office (office): Em 497 lx below 500; Uo 0.48 below 0.60; UGR 21.3 "
                      "above 19; walls 62 lx, Uo 0.31: meets; ceiling 45 lx below 50, Uo 0.05 "
                      "below 0.10\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("room 2 Dim (hall): no targets\n"), std::string::npos);
  EXPECT_NE(text.find("room 3 Shaft (office): Em not checked: no point-by-point light, and the RCR "
                      "is above the lumen method's tables; Uo not checked"),
            std::string::npos);
  EXPECT_NE(text.find("Light targets: 0 rooms meet every one, 1 room misses one or more (MISSED), "
                      "1 room was not fully checked"),
            std::string::npos)
      << text;

  std::string csv = formatCsv(schedule);
  std::vector<std::string> header;
  for (std::size_t at = 0, end = 0; end != csv.find("\r\n"); at = end + 1) {
    end = std::min(csv.find(',', at), csv.find("\r\n"));
    header.push_back(csv.substr(at, end - at));
  }
  const auto field = [&](const std::string& name, int record) {
    const auto column = std::find(header.begin(), header.end(), name) - header.begin();
    std::size_t at = 0;
    for (int r = 0; r < record; ++r) at = csv.find("\r\n", at) + 2;
    for (int c = 0; c < column; ++c) at = csv.find(',', at) + 1;
    return csv.substr(at, std::min(csv.find(',', at), csv.find("\r\n", at)) - at);
  };
  EXPECT_EQ(field("ugr", 1), "21.3");
  EXPECT_EQ(field("uo", 1), "0.48");
  EXPECT_EQ(field("walls_uo", 1), "0.31");
  EXPECT_NEAR(std::stod(field("walls_avg_fc", 1)), 62 / kLuxPerFootcandle, 1e-12);
  EXPECT_EQ(field("ugr", 2), "");  // no fixture in view
  EXPECT_EQ(field("uo", 3), "");   // no light
  EXPECT_EQ(field("ugr_target", 1), "19");
  EXPECT_EQ(field("ugr_verdict", 1), "misses");
  EXPECT_EQ(field("walls_target_uo", 1), "0.1");
  EXPECT_EQ(field("walls_verdict", 1), "meets");
  EXPECT_EQ(field("ugr_verdict", 2), "");  // the type sets none
  EXPECT_EQ(field("ugr_verdict", 3), "not checked");
  EXPECT_EQ(field("em_verdict", 3), "not checked");
  EXPECT_EQ(field("em_target_lx", 3), "500");
  EXPECT_LT(std::find(header.begin(), header.end(), "ugr"),
            std::find(header.begin(), header.end(), "space_type"));

  std::string json = formatJson(schedule);
  for (const char* part :
       {"\"uo\": 0.48", "\"ugr\": 21.3, \"walls\": {\"avg_fc\": ",
        "\"uo\": 0.31}, "
        "\"ceiling\": {\"avg_fc\": ",
        "\"ugr_observers\": [{\"x_ft\": 0, \"y_ft\": 7.5, \"looking\": \"+x\", \"ugr\": 21.3}, "
        "{\"x_ft\": 30, \"y_ft\": 7.5, \"looking\": \"-x\", \"ugr\": 20.5}, {\"x_ft\": 15, "
        "\"y_ft\": 0, \"looking\": \"+y\", \"ugr\": null}, {\"x_ft\": 15, \"y_ft\": 15, "
        "\"looking\": \"-y\", \"ugr\": 12.0}]",
        "\"overlap\": true", "\"overlap\": false", "\"ugr\": null, \"walls\"",
        "\"ugr_reason\": \"no fixture in view\"",
        "\"targets\": {\"em\": {\"min_lx\": 500, \"lx\": 497, \"verdict\": \"misses\"",
        "\"ugr\": {\"max\": 19, \"ugr\": 21.3, \"verdict\": \"misses\", \"says\": \"UGR 21.3 "
        "above 19\"}",
        "\"walls\": {\"min_lx\": 50, \"min_uo\": 0.1, \"lx\": 62, \"uo\": 0.31, \"verdict\": "
        "\"meets\"",
        "\"ugr\": {\"max\": 19, \"ugr\": null, \"verdict\": \"not checked\"", "\"targets\": {}",
        "\"missing_targets\": 1", "\"targets_not_checked\": 1"}) {
    EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
  }

  schedule.options.units = Units::Si;
  json = formatJson(schedule);
  for (const char* part :
       {"{\"x_m\": 0, \"y_m\": 2.286, \"looking\": \"+x\"", "\"walls\": {\"avg_lx\": 62",
        "\"ceiling\": {\"avg_lx\": 45", "\"targets\": {\"em\": {\"min_lx\": 500"}) {
    EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
  }
  EXPECT_EQ(json.find("avg_fc"), std::string::npos);
  csv = formatCsv(schedule);
  EXPECT_NE(csv.find(",uo,walls_avg_lx,walls_uo,ceiling_avg_lx,ceiling_uo,ugr,"),
            std::string::npos);
  EXPECT_NE(formatTable(schedule).find("the fixtures overlap: 2.44 m long at 2.29 m spacing"),
            std::string::npos);

  // A table without targets adds no target columns, as before.
  options.spaceTypes->table = *parseSpaceTypeTable("office,0.74\nhall,0.41\n", "old");
  const Schedule plain = buildSchedule(project, catalogue, options, "p");
  EXPECT_EQ(formatCsv(plain).find("verdict,"), formatCsv(plain).find("verdict,fixtures_needed"));
  EXPECT_EQ(formatCsv(plain).find("_verdict"), std::string::npos);
  EXPECT_EQ(formatTable(plain).find("Targets"), std::string::npos);
  EXPECT_EQ(formatJson(plain).find("\"targets\""), std::string::npos);
  EXPECT_TRUE(plain.meetsTargets());
}

}  // namespace
}  // namespace kandelor::schedule
