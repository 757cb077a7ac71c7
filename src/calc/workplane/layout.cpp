#include "calc/workplane/layout.h"

#include <algorithm>
#include <cmath>

namespace kandelor::workplane {

Layout layoutFixtures(int quantity, double length, double width) {
  struct Choice {
    int rows, columns;
    double ratio;
    int empty;
  };
  Choice best{0, 0, 0, 0};
  for (int rows = 1; rows <= quantity; ++rows) {
    const int columns = (quantity + rows - 1) / rows;
    if ((rows - 1) * columns >= quantity) continue;  // the last row would be empty
    const double along = length / columns, across = width / rows;
    const double ratio = std::max(along, across) / std::min(along, across);
    const int empty = rows * columns - quantity;
    // Ratios that differ only by rounding count as equal.
    const bool closer = best.rows == 0 || ratio < best.ratio * (1 - 1e-12);
    const bool tie = !closer && ratio <= best.ratio * (1 + 1e-12);
    if (closer || (tie && empty < best.empty)) best = {rows, columns, ratio, empty};
  }

  Layout layout;
  layout.rows = best.rows;
  layout.columns = best.columns;
  layout.lastRow = quantity - (best.rows - 1) * best.columns;
  layout.length = length;
  layout.width = width;
  for (int j = 1; j <= layout.rows; ++j) {
    const int inRow = j < layout.rows ? layout.columns : layout.lastRow;
    const double y = (j - 0.5) * width / layout.rows;
    for (int i = 1; i <= inRow; ++i) layout.fixtures.push_back({(i - 0.5) * length / inRow, y});
  }
  return layout;
}

SpacingVerdict checkSpacing(const Layout& layout, const SpacingCriterion& sc,
                            double mountingHeight) {
  const bool checkAlong = layout.columns > 1;
  const bool checkAcross = layout.rows > 1;
  if (!checkAlong && !checkAcross) return SpacingVerdict::OneFixture;
  if ((checkAlong && !sc.alongLength) || (checkAcross && !sc.across)) {
    return SpacingVerdict::NotRated;
  }
  const bool wideAlong = checkAlong && std::max(layout.spacingAlong(), layout.lastRowSpacing()) >
                                           *sc.alongLength * mountingHeight;
  const bool wideAcross = checkAcross && layout.spacingAcross() > *sc.across * mountingHeight;
  if (wideAlong && wideAcross) return SpacingVerdict::TooWideBoth;
  if (wideAlong) return SpacingVerdict::TooWideAlong;
  if (wideAcross) return SpacingVerdict::TooWideAcross;
  return SpacingVerdict::Within;
}

std::string spacingVerdictText(SpacingVerdict verdict) {
  switch (verdict) {
    case SpacingVerdict::Within:
      return "within SC";
    case SpacingVerdict::OneFixture:
      return "1 fixture";
    case SpacingVerdict::NotRated:
      return "not rated";
    case SpacingVerdict::TooWideAlong:
      return "too wide along";
    case SpacingVerdict::TooWideAcross:
      return "too wide across";
    case SpacingVerdict::TooWideBoth:
      return "too wide both ways";
  }
  return "";
}

bool openingsOverlap(const Layout& layout, double length, double width, bool round) {
  if (!(length > 0)) return false;
  const auto& at = layout.fixtures;
  // Touching counts: a hair's breadth of rounding is no gap.
  constexpr double kTouch = 1e-9;
  for (std::size_t a = 0; a < at.size(); ++a) {
    for (std::size_t b = a + 1; b < at.size(); ++b) {
      const double dx = std::fabs(at[a].x - at[b].x), dy = std::fabs(at[a].y - at[b].y);
      const bool meet = round ? std::hypot(dx, dy) <= length + kTouch
                              : dx <= length + kTouch && dy <= width + kTouch;
      if (meet) return true;
    }
  }
  return false;
}

}  // namespace kandelor::workplane
