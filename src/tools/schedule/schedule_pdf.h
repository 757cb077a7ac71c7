#pragma once

#include <string>

#include "model/result.h"
#include "tools/schedule/schedule.h"

namespace kandelor::schedule {

// Writes the schedule as a PDF on US Letter paper, portrait: the heading, the room
// table (over as many pages as it needs) with the verdicts tinted, the totals, and two
// charts, footcandles and W/sqft per room; with the plans option, then the plan of every
// room that has one, two to a page. `date` is printed in the heading. Starts a
// Qt GUI application on the offscreen platform when none runs yet.
Result<> writeSchedulePdf(const Schedule& schedule, const std::string& fileName,
                          const std::string& date);

// Today's date as YYYY-MM-DD.
std::string todaysDate();

}  // namespace kandelor::schedule
