#pragma once

#include <string>
#include <vector>

#include "calc/workplane/spacing_criterion.h"

namespace kandelor::workplane {

// A point on the floor plan, in feet: x along the room's length, y across its width.
struct PlanPoint {
  double x = 0;
  double y = 0;

  bool operator==(const PlanPoint&) const = default;
};

// Where a room's fixtures stand: `rows` rows across the width, each of `columns`
// fixtures spread evenly along the length, except the last, which holds `lastRow`.
// Every fixture has its length along the room's length.
struct Layout {
  int rows = 0;
  int columns = 0;
  int lastRow = 0;
  double length = 0;
  double width = 0;
  std::vector<PlanPoint> fixtures;  // row by row, from y = 0 and x = 0

  double spacingAlong() const { return length / columns; }
  double spacingAcross() const { return width / rows; }
  double lastRowSpacing() const { return length / lastRow; }
};

// Lays `quantity` (>= 1) fixtures out in a room of `length` x `width` feet: the number
// of rows whose spacings come closest to square, every row holding a fixture; ties go
// to fewer empty places, then to fewer rows.
Layout layoutFixtures(int quantity, double length, double width);

// Whether the luminous openings of the layout's fixtures (each `length` along the room's
// length by `width`, or round of diameter `length`) overlap or touch.
bool openingsOverlap(const Layout& layout, double length, double width, bool round);

// Whether the layout keeps within the type's spacing criterion at mounting height MH.
enum class SpacingVerdict {
  Within,         // every spacing within SC x MH
  OneFixture,     // nothing to space
  NotRated,       // the type has no spacing criterion in a direction that needs one
  TooWideAlong,   // the spacing along the length is over SC 0 x MH
  TooWideAcross,  // the spacing across is over SC 90 x MH
  TooWideBoth,
};

// A single row is checked only along the length, a single column only across; a
// shorter last row is checked at its own spacing.
SpacingVerdict checkSpacing(const Layout& layout, const SpacingCriterion& sc,
                            double mountingHeight);

// "within SC", "1 fixture", "not rated", "too wide along", "too wide across",
// "too wide both ways".
std::string spacingVerdictText(SpacingVerdict verdict);

}  // namespace kandelor::workplane
