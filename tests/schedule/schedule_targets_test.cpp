#include "tools/schedule/schedule_targets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/space_types.h"
#include "calc/units.h"

namespace kandelor::schedule {
namespace {

TEST(SpaceTypeTable, OldTwoColumnTablesStillReadAndTargetsReadByTheirHeader) {
  auto table = parseSpaceTypeTable("space_type,watts_per_sqft\noffice,0.74\nhall,0.41\n", "old");
  ASSERT_TRUE(table) << table.error().message();
  ASSERT_EQ(table->size(), 2u);
  EXPECT_EQ((*table)[1].name, "hall");
  EXPECT_EQ((*table)[1].wattsPerSqft, 0.41);
  EXPECT_FALSE((*table)[0].targets.any());
  EXPECT_TRUE(parseSpaceTypeTable("office,0.74\n", "no header"));

  // Without a header the columns come in their order; a quoted source keeps its commas
  // and quotes.
  table = parseSpaceTypeTable(
      "office,0.74,500,0.60,19,75,0.10,50,0.05,\"ASHRAE, EN \"\"offices\"\"\"\n"
      "lobby,0.84,,,22\n",
      "full");
  ASSERT_TRUE(table) << table.error().message();
  const LightTargets& office = (*table)[0].targets;
  EXPECT_EQ(office.maintainedLux, 500);
  EXPECT_EQ(office.uniformity, 0.6);
  EXPECT_EQ(office.glareLimit, 19);
  EXPECT_EQ(office.wallsLux, 75);
  EXPECT_EQ(office.wallsUniformity, 0.1);
  EXPECT_EQ(office.ceilingLux, 50);
  EXPECT_EQ(office.ceilingUniformity, 0.05);
  EXPECT_EQ((*table)[0].source, "ASHRAE, EN \"offices\"");
  const LightTargets& lobby = (*table)[1].targets;
  EXPECT_EQ(lobby.glareLimit, 22);
  EXPECT_FALSE(lobby.maintainedLux || lobby.uniformity || lobby.wallsLux || lobby.ceilingLux);

  // A header names the columns it holds, in any order after the first two.
  table = parseSpaceTypeTable("space_type,watts_per_sqft,source,ugr_l\nyard,0.2,here,25\nx,1\n",
                              "some");
  ASSERT_TRUE(table) << table.error().message();
  EXPECT_EQ((*table)[0].targets.glareLimit, 25);
  EXPECT_EQ((*table)[0].source, "here");
  EXPECT_FALSE((*table)[1].targets.any());

  // Mistakes name their line.
  for (const auto& [text, line] : {
           std::pair{"a,1\nb,1,500,1.5\n", 2},                         // a Uo above 1
           std::pair{"a,1,lots\n", 1},                                 // not a number
           std::pair{"a,1,-5\n", 1},                                   // below 0
           std::pair{"space_type,watts_per_sqft,lux\n", 1},            // an unknown column
           std::pair{"space_type,uo,watts_per_sqft\n", 1},             // the allowance not second
           std::pair{"space_type,watts_per_sqft,uo,uo\n", 1},          // a column twice
           std::pair{"space_type,watts_per_sqft,uo\na,1,0.5,3\n", 2},  // more than named
           std::pair{"a,1,,,,,,,,\"open\n", 1},                        // a quote left open
       }) {
    const auto wrong = parseSpaceTypeTable(text, "types.csv");
    ASSERT_FALSE(wrong) << text;
    EXPECT_EQ(wrong.error().line, line) << text << wrong.error().message();
  }
}

TEST(SpaceTypeTable, ShippedTableKeepsTheOldTypesAndNamesASourceForEach) {
  const auto table = readSpaceTypeTable(std::string(KANDELOR_DATA_DIR) + "/space_types.csv");
  ASSERT_TRUE(table) << table.error().message();
  EXPECT_GE(table->size(), 30u);
  const auto find = [&](const std::string& name) -> const SpaceType* {
    for (const SpaceType& type : *table) {
      if (type.name == name) return &type;
    }
    return nullptr;
  };
  // Files in users' hands name these; their allowances stay as they were.
  for (const auto& [name, allowance] : {std::pair{"office-enclosed", 0.74},
                                        {"conference", 0.97},
                                        {"lobby", 0.84},
                                        {"classroom", 0.71},
                                        {"restroom", 0.63},
                                        {"break-room", 0.59},
                                        {"stairwell", 0.49},
                                        {"electrical-mechanical", 0.43},
                                        {"corridor", 0.41},
                                        {"storage", 0.38},
                                        {"copy-print", 0.31}}) {
    const SpaceType* type = find(name);
    ASSERT_NE(type, nullptr) << name;
    EXPECT_EQ(type->wattsPerSqft, allowance) << name;
  }
  for (const char* name : {"gymnasium", "exercise-area", "locker-room", "laboratory", "workshop",
                           "warehouse-bulky", "dining", "kitchen", "parking", "office-open"}) {
    EXPECT_NE(find(name), nullptr) << name;
  }
  for (const SpaceType& type : *table) {
    EXPECT_NE(type.source.find("ASHRAE 90.1-2019"), std::string::npos) << type.name;
    EXPECT_GT(type.wattsPerSqft, 0) << type.name;
    const LightTargets& t = type.targets;
    if (!t.any()) continue;
    EXPECT_NE(type.source.find("EN 12464-1:2021"), std::string::npos) << type.name;
    ASSERT_TRUE(t.maintainedLux && t.uniformity && t.glareLimit) << type.name;
    EXPECT_GE(*t.uniformity, 0.4) << type.name;
    EXPECT_LE(*t.uniformity, 0.7) << type.name;
    EXPECT_GE(*t.glareLimit, 16) << type.name;
    EXPECT_LE(*t.glareLimit, 28) << type.name;
    if (!t.wallsLux) continue;  // parking sets none
    // 75 and 50 lx in offices, education and health care; 50 and 30 lx elsewhere.
    const bool brighter = *t.wallsLux == 75;
    EXPECT_TRUE(brighter || *t.wallsLux == 50) << type.name;
    EXPECT_EQ(t.ceilingLux, brighter ? 50 : 30) << type.name;
    EXPECT_EQ(t.wallsUniformity, 0.1) << type.name;
    EXPECT_EQ(t.ceilingUniformity, 0.1) << type.name;
  }
  for (const char* name : {"office-enclosed", "classroom", "conference", "exam-treatment"}) {
    EXPECT_EQ(find(name)->targets.wallsLux, 75) << name;
  }
}

constexpr double kLux = kLuxPerFootcandle;

LightTargets allTargets() {
  return {.maintainedLux = 500,
          .uniformity = 0.6,
          .glareLimit = 19,
          .wallsLux = 50,
          .wallsUniformity = 0.1,
          .ceilingLux = 50,
          .ceilingUniformity = 0.1};
}

std::vector<std::string> saysOf(const std::vector<TargetCheck>& checks) {
  std::vector<std::string> says;
  for (const TargetCheck& check : checks) says.push_back(check.says);
  return says;
}

TEST(LightTargets, EachResultIsSaidWithItsFigure) {
  workplane::RoomLight light;
  light.figures.average = 500 / kLux;  // exactly at the target
  light.figures.uniformity = 0.48;
  light.ugr = 21.34;
  light.walls = {62 / kLux, 10 / kLux, 0.31};
  light.ceiling = {45 / kLux, 2 / kLux, 0.05};
  std::vector<TargetCheck> checks = checkTargets(allTargets(), light, 0);
  EXPECT_EQ(saysOf(checks),
            (std::vector<std::string>{"Em 500 lx: meets", "Uo 0.48 below 0.60", "UGR 21.3 above 19",
                                      "walls 62 lx, Uo 0.31: meets",
                                      "ceiling 45 lx below 50, Uo 0.05 below 0.10"}));
  const std::vector<TargetVerdict> verdicts{TargetVerdict::Meets, TargetVerdict::Misses,
                                            TargetVerdict::Misses, TargetVerdict::Meets,
                                            TargetVerdict::Misses};
  for (std::size_t i = 0; i < checks.size(); ++i) EXPECT_EQ(checks[i].verdict, verdicts[i]) << i;
  EXPECT_EQ(targetsSummary(checks), "misses 3");
  EXPECT_EQ(checks[4].figure, 45);
  EXPECT_EQ(checks[4].figureUniformity, 0.05);
  EXPECT_EQ(checks[4].uniformityLimit, 0.1);

  // Judged as said: a Uo shown as 0.60 and a UGR shown as 19.0 meet their limits; one
  // shown as 19.1 is above.
  light.figures.uniformity = 0.596;
  light.ugr = 19.04;
  checks = checkTargets(allTargets(), light, 0);
  EXPECT_EQ(checks[1].says, "Uo 0.60: meets");
  EXPECT_EQ(checks[2].says, "UGR 19.0: meets");
  light.ugr = 19.06;
  EXPECT_EQ(checkTargets(allTargets(), light, 0)[2].says, "UGR 19.1 above 19");

  // Where no fixture counts in view the rating is not checked, nor met.
  light.ugr.reset();
  light.ugrReason = "no fixture in view";
  checks = checkTargets(allTargets(), light, 0);
  EXPECT_EQ(checks[2].says, "UGR not checked: no fixture in view");
  EXPECT_EQ(checks[2].verdict, TargetVerdict::NotChecked);

  // Without point-by-point light only the illuminance is judged, from the lumen method.
  checks = checkTargets(allTargets(), std::nullopt, 40);
  EXPECT_EQ(
      saysOf(checks),
      (std::vector<std::string>{
          "Em (lumen method) 431 lx below 500", "Uo not checked: no point-by-point light",
          "UGR not checked: no point-by-point light", "walls not checked: no point-by-point light",
          "ceiling not checked: no point-by-point light"}));
  EXPECT_EQ(targetsSummary(checks), "misses 1");
  checks = checkTargets(allTargets(), std::nullopt, 50);  // 538 lx
  EXPECT_EQ(targetsSummary(checks), "meets, 4 not checked");
  EXPECT_EQ(checks[3].limit, 50);  // the target is kept though not checked

  // Only what the type sets is checked.
  LightTargets glare;
  glare.glareLimit = 22;
  checks = checkTargets(glare, light, 0);
  ASSERT_EQ(checks.size(), 1u);
  EXPECT_EQ(findCheck(checks, TargetKind::Glare), &checks[0]);
  EXPECT_EQ(findCheck(checks, TargetKind::Walls), nullptr);
  EXPECT_EQ(targetsSummary(checks), "not checked");
  EXPECT_EQ(targetsSummary({}), "-");
}

}  // namespace
}  // namespace kandelor::schedule
