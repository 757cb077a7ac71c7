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
  std::string text;  // the text, or the number or "true"/"false" already formatted
};

// One column of the room table, in file order: its name in feet and footcandles, its
// name in metric units, what its number measures and how to get it (in feet and
// footcandles).
struct RoomField {
  const char* name;
  const char* siName;
  Quantity quantity;
  FieldValue (*value)(const ScheduleRow&);

  const char* nameIn(Units units) const { return units == Units::Si ? siName : name; }
  // The value shown in `units`: numbers converted, the shortest decimal of the result.
  FieldValue valueIn(const ScheduleRow& row, Units units) const;
};

// The columns every schedule file has.
std::span<const RoomField> roomFields();

// The point-by-point columns after them: null where a room has no such light.
std::span<const RoomField> lightFields();

// The space-by-space check's columns, last, when a room list is given: null for a room
// the list leaves out.
std::span<const RoomField> spaceTypeFields();

// The column added when a W/sqft limit is given.
inline constexpr const char* kOverLpdField = "over_lpd";

// "none" or empty for the fixtures needed, the count otherwise.
std::string neededText(const NeededFixtures& needed);

}  // namespace kandelor::schedule
