#pragma once

#include <string>

#include "calc/units.h"
#include "calc/workplane/room_light.h"
#include "plan/plan_scene.h"

namespace kandelor::plan {

// The plan of a room's light: its points, its fixtures at their layout positions with their
// luminous size (marks where the file gives none), and the figures: average, minimum, maximum,
// their ratios, the direct share, the lumen method's footcandles, the layout, and the
// spacing against SC x MH with its verdict.
// In metric units every length, light value and figure is converted for display.
PlanScene roomPlanScene(const workplane::RoomLight& light, std::string title,
                        Units units = Units::Imperial);

// "Lobby (101)", or the room's place ("Page 2, row 4") where it has no name or number.
std::string roomTitle(std::string name, std::string number, int page, int row);

}  // namespace kandelor::plan
