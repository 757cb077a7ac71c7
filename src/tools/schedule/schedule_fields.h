#pragma once

#include <span>
#include <string>

#include "calc/units.h"
#include "tools/schedule/schedule.h"

namespace kandelor::schedule {

// One value of a room as the CSV and JSON files write it.
struct FieldValue {
  enum class Kind { Text, Number, Boolean, Null };
  Kind kind = Kind::Null;
  std::string text;   // the text, or the number or "true"/"false" already formatted
  double number = 0;  // the number itself, for the tables' fixed decimals
};

// The columns come in groups, each shown when what it reports was asked for: the room's
// entered and lumen-method values, its point-by-point light, the LPD limit's mark, the
// space-by-space check and the space type's light targets.
enum class ColumnGroup { Room, Light, Limit, SpaceType, Targets };

// Where a column is shown (a bit set).
enum ShownIn : unsigned {
  kCsv = 1,
  kJson = 2,
  kText = 4,
  kPdf = 8,
  // In the JSON inside an object named by the field's name up to its first '_', as the
  // member named by the rest ("walls_avg_fc" is "walls": {"avg_fc": ...}).
  kJsonNested = 16,
  // In the program's schedule window.
  kWindow = 32,
  kFiles = kCsv | kJson,
  kTables = kText | kPdf,
  kEverywhere = kFiles | kTables | kWindow,
};

// One column of the schedule, for every output alike: its field name in the CSV and
// JSON and its heading in the text table and the PDF, each in feet and footcandles and in
// metric units; its share of the PDF table's width; its alignment; what its number
// measures; how to get its value, and how the tables show it.
struct ScheduleColumn {
  ColumnGroup group = ColumnGroup::Room;
  unsigned shown = kEverywhere;
  const char* name = nullptr;
  const char* siName = nullptr;
  const char* heading = nullptr;
  const char* siHeading = nullptr;
  double pdfWidth = 0;
  double siPdfWidth = 0;
  bool rightAligned = false;
  Quantity quantity = Quantity::None;
  // The tables show a number with this many decimals (imperial, metric), or the files'
  // text where it is -1; a null value as `nullCell`.
  int decimals = -1;
  int siDecimals = -1;
  const char* nullCell = "";
  FieldValue (*value)(const ScheduleRow&) = nullptr;  // in feet and footcandles
  // A table's own text, where it is not the value (the size, the layout), or null.
  std::string (*cell)(const ScheduleRow&, Units) = nullptr;
  // The verdict a column shows, for its tint where verdicts are tinted (a spacing too wide
  // or a target missed is low, an allowance exceeded high), or null for a column of
  // figures.
  Verdict (*verdict)(const ScheduleRow&) = nullptr;

  bool in(unsigned output) const { return (shown & output) != 0; }
  const char* nameIn(Units units) const { return units == Units::Si ? siName : name; }
  const char* headingIn(Units units) const { return units == Units::Si ? siHeading : heading; }
  double pdfWidthIn(Units units) const { return units == Units::Si ? siPdfWidth : pdfWidth; }
  // The value shown in `units`: numbers converted, the shortest decimal of the result.
  FieldValue valueIn(const ScheduleRow& row, Units units) const;
  // The text a table shows.
  std::string cellIn(const ScheduleRow& row, Units units) const;
};

// Every column, in the order each output shows those of a group.
std::span<const ScheduleColumn> scheduleColumns();

// Calls use(column) for each column of `group` that `output` shows.
template <class Use>
void forEachColumn(ColumnGroup group, unsigned output, Use use) {
  for (const ScheduleColumn& column : scheduleColumns()) {
    if (column.group == group && column.in(output)) use(column);
  }
}

// Whether the schedule shows a group at all: the limit's, the space types' and the
// targets' columns only when they were asked for.
bool groupShown(const Schedule& schedule, ColumnGroup group);

// "none" or empty for the fixtures needed, the count otherwise.
std::string neededText(const NeededFixtures& needed);

}  // namespace kandelor::schedule
