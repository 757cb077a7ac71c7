#pragma once

#include <span>
#include <string>
#include <vector>

#include "tools/schedule/schedule.h"

namespace kandelor::schedule {

// The schedule as plain text for a terminal: a heading, one line per room in use in
// aligned columns, and the totals.
std::string formatTable(const Schedule& schedule);

// A fixed-point number with `decimals` digits after the point, such as "0.64".
std::string formatFixed(double value, int decimals);

// "30 x 20 x 12": the room's size in feet, each the shortest decimal, or in metres to
// the centimetre.
std::string sizeText(const ScheduleRow& row, Units units);
inline std::string sizeText(const ScheduleRow& row) {
  return sizeText(row, Units::Imperial);
}

// The totals' lines (two, then one for a limit and one for the space-by-space check).
std::string totalsText(const Schedule& schedule);

// The space-by-space check's line: the listed rooms' allowance against their watts.
std::string spaceBySpaceText(const Schedule& schedule);

// A limit or allowance as shown: ten significant digits, so that a metric value typed
// in and held in W/sqft shows as typed.
std::string limitText(double wattsPerSqft, Units units);

// What the schedule says of a room beside its figures: an RCR above 10, the fixtures'
// openings overlapping ("the fixtures overlap: 8.0 ft long at 7.5 ft spacing").
std::vector<std::string> roomNotes(const ScheduleRow& row, Units units);

// Each listed room's light targets in words, a line per room after a heading.
std::string targetsText(const Schedule& schedule);
// The totals' line of the light targets: how many rooms meet, miss, or were not checked.
std::string targetsTotalText(const Schedule& schedule);

// The luminaire schedule's columns, and a line's cells in their order, for every table
// that shows it; luminaireText is the text table's part (empty without fixtures).
struct LuminaireColumn {
  const char* heading = nullptr;
  bool rightAligned = false;
};
std::span<const LuminaireColumn> luminaireColumns();
std::vector<std::string> luminaireCells(const LuminaireLine& line);
std::string luminaireText(const Schedule& schedule);

// How many characters a UTF-8 text has.
std::size_t characterCount(std::string_view text);

}  // namespace kandelor::schedule
