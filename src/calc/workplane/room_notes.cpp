#include "calc/workplane/room_notes.h"

#include <cstdio>

namespace kandelor::workplane {

std::string overlapText(const RoomLight& light, Units units) {
  const auto length = [units](double feet) {
    char digits[48];
    std::snprintf(digits, sizeof digits, "%.*f", units == Units::Si ? 2 : 1,
                  shownIn(feet, Quantity::Length, units));
    return std::string(digits) + " " + unitSymbol(Quantity::Length, units);
  };
  const Layout& layout = light.layout;
  const bool alongRows = (layout.columns >= 2 && light.fixtureLength >= layout.spacingAlong()) ||
                         (layout.lastRow >= 2 && light.fixtureLength >= layout.lastRowSpacing());
  if (alongRows || light.roundFixture || layout.rows < 2) {
    const double spacing = layout.columns >= 2 ? layout.spacingAlong() : layout.lastRowSpacing();
    return "the fixtures overlap: " + length(light.fixtureLength) +
           (light.roundFixture ? " across" : " long") + " at " + length(spacing) + " spacing";
  }
  return "the fixtures overlap: " + length(light.fixtureWidth) + " wide at " +
         length(layout.spacingAcross()) + " spacing across";
}

}  // namespace kandelor::workplane
