#pragma once

#include <string>
#include <string_view>

#include "tools/schedule/schedule.h"

namespace kandelor::schedule {

// The schedule as one JSON object: the project, the reflectances, the rooms in use and
// the totals, with the limit, whether the project is within it and each room's over_lpd
// when a W/sqft limit is given.
std::string formatJson(const Schedule& schedule);

// A JSON string literal: quotes, backslashes and control characters escaped, UTF-8 kept.
std::string jsonString(std::string_view text);

}  // namespace kandelor::schedule
