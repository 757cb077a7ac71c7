#include <gtest/gtest.h>

#include <algorithm>

#include "calc/workplane/layout.h"

namespace kandelor::workplane {
namespace {

TEST(FixtureLayout, RowsComeClosestToSquareSpacingAndEveryRowHoldsAFixture) {
  struct Case {
    int quantity;
    double length, width;
    int rows, columns, lastRow;
  };
  for (const Case& c : std::initializer_list<Case>{
           {1, 12, 10, 1, 1, 1},
           {6, 60, 8, 1, 6, 6},  // a corridor: one row
           {4, 20, 20, 2, 2, 2},
           {2, 10, 10, 1, 2, 2},  // 1 x 2 and 2 x 1 are as square: fewer rows
           {7, 30, 20, 2, 4, 3},  // a prime: the last row is shorter
           {13, 40, 30, 3, 5, 3},
           {5, 8, 100, 5, 1, 1},  // a long room across: one column
       }) {
    const Layout layout = layoutFixtures(c.quantity, c.length, c.width);
    EXPECT_EQ(layout.rows, c.rows) << c.quantity << " in " << c.length << " x " << c.width;
    EXPECT_EQ(layout.columns, c.columns) << c.quantity;
    EXPECT_EQ(layout.lastRow, c.lastRow) << c.quantity;
    EXPECT_EQ(static_cast<int>(layout.fixtures.size()), c.quantity);
  }

  const Layout seven = layoutFixtures(7, 30, 20);
  const std::vector<PlanPoint> expected = {{3.75, 5}, {11.25, 5}, {18.75, 5}, {26.25, 5},
                                           {5, 15},   {15, 15},   {25, 15}};
  EXPECT_EQ(seven.fixtures, expected);
}

TEST(FixtureLayout, SpacingIsCheckedInTheDirectionsThatHaveNeighbours) {
  const SpacingCriterion sc{1.5, 1.0, 1.6};
  const double mh = 6;  // SC x MH: 9 ft along, 6 ft across
  EXPECT_EQ(checkSpacing(layoutFixtures(4, 36, 8), sc, mh), SpacingVerdict::Within);  // 9 ft
  EXPECT_EQ(checkSpacing(layoutFixtures(4, 40, 8), sc, mh), SpacingVerdict::TooWideAlong);
  // A single column is only checked across, however long the room.
  EXPECT_EQ(checkSpacing(layoutFixtures(3, 8, 18), sc, mh), SpacingVerdict::Within);
  EXPECT_EQ(checkSpacing(layoutFixtures(3, 8, 21), sc, mh), SpacingVerdict::TooWideAcross);
  // 7 in 30 x 20: 7.5 ft along in the full row, 10 ft in the last, 10 ft across.
  EXPECT_EQ(checkSpacing(layoutFixtures(7, 30, 20), sc, mh), SpacingVerdict::TooWideBoth);
  EXPECT_EQ(checkSpacing(layoutFixtures(7, 30, 20), {1.5, 2.0, {}}, mh),
            SpacingVerdict::TooWideAlong);  // only the shorter last row fails
  EXPECT_EQ(checkSpacing(layoutFixtures(1, 100, 100), sc, mh), SpacingVerdict::OneFixture);
  EXPECT_EQ(checkSpacing(layoutFixtures(4, 36, 8), {{}, 1.0, {}}, mh), SpacingVerdict::NotRated);
  // A single row does not need the across criterion.
  EXPECT_EQ(checkSpacing(layoutFixtures(4, 36, 8), {1.5, {}, {}}, mh), SpacingVerdict::Within);
}

// Openings overlap or touch when neighbours stand no farther apart than their size:
// strips longer than their spacing along the row do, as long as it they touch, shorter
// ones are clear; rows overlap when the openings are wider than the rows' spacing; discs
// by their centres' distance.
TEST(FixtureLayout, OverlappingOpeningsAreFound) {
  const Layout strips = layoutFixtures(48, 45, 40);
  ASSERT_GE(strips.columns, 2);
  ASSERT_GE(strips.rows, 2);
  const double along = strips.spacingAlong(), across = strips.spacingAcross();
  const double nearest = std::min(along, across);
  EXPECT_TRUE(openingsOverlap(strips, along + 0.5, 0.5, false));  // 8 ft strips at 7.5 ft
  EXPECT_TRUE(openingsOverlap(strips, along, 0.5, false));
  EXPECT_FALSE(openingsOverlap(strips, along - 0.5, 0.5, false));
  EXPECT_TRUE(openingsOverlap(strips, 1, across, false));
  EXPECT_TRUE(openingsOverlap(strips, nearest, 0, true));
  EXPECT_FALSE(openingsOverlap(strips, nearest - 0.1, 0, true));
  EXPECT_FALSE(openingsOverlap(layoutFixtures(1, 10, 10), 20, 20, false));
  EXPECT_FALSE(openingsOverlap(strips, 0, 0, false));  // no size, nothing to tell
}

}  // namespace
}  // namespace kandelor::workplane
