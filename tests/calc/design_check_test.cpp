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
TEST(DesignCheck, FixturesNeededIsTheSmallestQuantityThatReachesTheDesign) {
  FixtureCatalogue catalogue = tracingCatalogue();
  const PageDefaults defaults{1.0f, 1.0f, 1.0f, 10, 100};
  RoomRow room;
  room.length = 1;
  room.width = 1;
  room.height = 2.9f;  // RCR 4
  room.fixtureNumber = 1;
  room.quantity = 7;  // what the room has does not matter
  const int column = 8;
  // CU of type 1, column 8, RCR 4 is 1084 %: 1084 fc a fixture.
  room.designFootcandles = 1000;
  auto needed = fixturesNeeded(room, defaults, catalogue, column);
  EXPECT_EQ(needed.quantity, 1);
  EXPECT_EQ(needed.footcandles, 1084);
  EXPECT_EQ(needed.footcandlesWithOneLess, 0);

  room.designFootcandles = 1084 * 99 + 1;  // only 100 fixtures reach it
  needed = fixturesNeeded(room, defaults, catalogue, column);
  EXPECT_EQ(needed.quantity, 100);
  EXPECT_EQ(needed.footcandlesWithOneLess, 1084 * 99);

  room.designFootcandles = 1084 * 100 + 1;  // none does
  needed = fixturesNeeded(room, defaults, catalogue, column);
  EXPECT_FALSE(needed.quantity);
  EXPECT_EQ(needed.footcandles, 108400);

  for (const int outside : {0, 23, -1}) {  // no catalogue type: nothing reaches 1 fc
    room.fixtureNumber = outside;
    room.designFootcandles = 1;
    EXPECT_FALSE(fixturesNeeded(room, defaults, catalogue, column).quantity) << outside;
  }
}

}  // namespace
}  // namespace kandelor
