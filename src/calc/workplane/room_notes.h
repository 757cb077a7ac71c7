#pragma once

#include <string>

#include "calc/units.h"
#include "calc/workplane/room_light.h"

namespace kandelor::workplane {

// What the plan, the schedule and the form say of a room beyond the lumen method's tables
// (RCR above 10), and what they add where its point-by-point light stands instead.
inline constexpr const char* kRcrBeyondTables = "RCR above 10: outside the lumen method's tables";
inline constexpr const char* kPointFiguresHold = "; the point-by-point figures hold";

// "the fixtures overlap: 8.0 ft long at 7.5 ft spacing", along the rows where the openings
// meet there, else "... 2.0 ft wide at 1.5 ft spacing across"; lengths in `units`.
std::string overlapText(const RoomLight& light, Units units);

}  // namespace kandelor::workplane
