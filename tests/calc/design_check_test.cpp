#include "calc/design_check.h"

#include <gtest/gtest.h>

#include "tracing_catalogue.h"

namespace kandelor {
namespace {

TEST(DesignCheck, VerdictBoundariesInIntegers) {
  EXPECT_EQ(judgeFootcandles(45, 50, true), Verdict::Meets);  // exactly 90 %
  EXPECT_EQ(judgeFootcandles(44, 50, true), Verdict::Low);
  EXPECT_EQ(judgeFootcandles(17, 20, true), Verdict::Low);  // 85 %
  EXPECT_EQ(judgeFootcandles(18, 20, true), Verdict::Meets);
  EXPECT_EQ(judgeFootcandles(25, 20, true), Verdict::Meets);  // exactly 125 %
  EXPECT_EQ(judgeFootcandles(26, 20, true), Verdict::High);
  EXPECT_EQ(judgeFootcandles(71, 50, true), Verdict::High);
  EXPECT_EQ(judgeFootcandles(71, 0, true), Verdict::None);  // no design
  EXPECT_EQ(judgeFootcandles(71, -5, true), Verdict::None);
  EXPECT_EQ(judgeFootcandles(0, 50, false), Verdict::None);  // no floor area
  // Products beyond 32 bits do not wrap.
  EXPECT_EQ(judgeFootcandles(INT32_MAX, INT32_MAX, true), Verdict::Meets);
  EXPECT_EQ(judgeFootcandles(INT32_MIN, INT32_MAX, true), Verdict::Low);
  EXPECT_STREQ(verdictName(Verdict::High), "high");
  EXPECT_STREQ(verdictName(Verdict::None), "");
}

// A 1 x 1 ft room on a unit page gives footcandles = quantity x CU / 100 x lumens.
RoomRow unitRoom() {
  RoomRow room;
  room.length = 1;
  room.width = 1;
  room.height = 2.9f;  // RCR 4
  room.fixtureNumber = 1;
  room.quantity = 7;  // what the room has does not matter
  return room;
}
const PageDefaults kUnitDefaults{1.0f, 1.0f, 1.0f, 10, 100};
constexpr int kColumn = 8;  // CU of type 1, column 8, RCR 4 is 1084 %: 1084 fc a fixture

TEST(DesignCheck, FixturesNeededAreTheFewestThatMeetOrElseReachTheDesign) {
  const FixtureCatalogue catalogue = tracingCatalogue();
  RoomRow room = unitRoom();
  const auto needed = [&](std::int32_t design) {
    room.designFootcandles = design;
    return fixturesNeeded(room, kUnitDefaults, catalogue, kColumn);
  };
  // 9 fixtures give 9756 fc, exactly 90 % of 10840: they meet it, 10 reach it.
  auto n = needed(10840);
  EXPECT_EQ(n.meets, (FixtureCount{9, 9756}));
  EXPECT_EQ(n.full, (FixtureCount{10, 10840}));
  EXPECT_EQ(n.advised(), n.meets);
  EXPECT_EQ(n.footcandlesWithOneLess, 8 * 1084);
  // One more and 9 fall short of 90 %.
  n = needed(10841);
  EXPECT_EQ(n.meets, (FixtureCount{10, 10840}));
  EXPECT_EQ(n.full, (FixtureCount{11, 11924}));
  // Both the same quantity.
  n = needed(1000);
  EXPECT_EQ(n.meets, (FixtureCount{1, 1084}));
  EXPECT_EQ(n.full, n.meets);
  EXPECT_EQ(n.footcandlesWithOneLess, 0);
  // From low straight to high: none meets, the fewest that reach it are advised.
  n = needed(800);
  EXPECT_FALSE(n.meets);
  EXPECT_EQ(n.advised(), (FixtureCount{1, 1084}));
  // Only 100 would reach it, 90 already meet it.
  n = needed(1084 * 99 + 1);
  EXPECT_EQ(n.full, (FixtureCount{100, 108400}));
  EXPECT_EQ(n.advised(), (FixtureCount{90, 90 * 1084}));
  EXPECT_EQ(n.footcandlesWithOneLess, 89 * 1084);
  // None reaches it, yet some meet it; then none does either.
  n = needed(1084 * 100 + 1);
  EXPECT_FALSE(n.full);
  EXPECT_EQ(n.advised(), (FixtureCount{91, 91 * 1084}));
  EXPECT_FALSE(needed(1084 * 112).advised());

  for (const int outside : {0, 23, -1}) {  // no catalogue type: nothing reaches 1 fc
    room.fixtureNumber = outside;
    EXPECT_FALSE(needed(1).advised()) << outside;
  }
}

// Whatever the design, the quantity advised is judged "meets" whenever any quantity is,
// and no fewer fixtures are.
TEST(DesignCheck, TheAdviceAgreesWithTheVerdictOfItsQuantity) {
  const FixtureCatalogue catalogue = tracingCatalogue();
  RoomRow room = unitRoom();
  room.width = 7.3f;  // footcandles that are not multiples of one another
  for (std::int32_t design = 1; design <= 16000; design += 7) {
    room.designFootcandles = design;
    const FixturesNeeded needed = fixturesNeeded(room, kUnitDefaults, catalogue, kColumn);
    const auto advised = needed.advised();
    ASSERT_TRUE(advised) << design;
    const auto verdictOf = [&](std::int32_t quantity) {
      RoomRow trial = room;
      trial.quantity = quantity;
      return judgeFootcandles(
          calculateRoom(trial, kUnitDefaults, catalogue, kColumn).calculatedFootcandles, design,
          true);
    };
    for (std::int32_t fewer = 1; fewer < advised->quantity; ++fewer) {
      ASSERT_EQ(verdictOf(fewer), Verdict::Low) << design << " with " << fewer;
    }
    if (needed.meets) {
      EXPECT_EQ(verdictOf(advised->quantity), Verdict::Meets) << design;
    } else {
      EXPECT_EQ(verdictOf(advised->quantity), Verdict::High) << design;
    }
  }
}

}  // namespace
}  // namespace kandelor
