#pragma once

#include <set>
#include <string>
#include <vector>

#include "toolkit/project_schedule.h"
#include "tools/schedule/schedule.h"

namespace kandelor {

// What the schedule window offers as each room's space type: the choice of none first,
// then the table's types, then any type a room keeps that the table lacks (so that it is
// shown and kept as it is).
struct SpaceTypeChoices {
  std::vector<std::string> names;  // names[0] is "", the choice of none

  // The index of the name among the choices (0 for a name that is none of them).
  int indexOf(const std::string& name) const;
};
SpaceTypeChoices spaceTypeChoices(const SpaceTypeTable& table, const Project& project);

// The schedule as the window shows it, in both units: the rooms (those in `pending` still
// waiting for their light, which their light's cells say), the totals and the luminaire
// schedule; each room's space type as chosen in `project`.
toolkit::ScheduleContent scheduleContent(const schedule::Schedule& listed, const Project& project,
                                         const SpaceTypeChoices& choices,
                                         const std::set<int>& pending);

// The text of a light cell of a room still waiting for its light.
inline constexpr const char* kLightPending = "computing\u2026";

}  // namespace kandelor
