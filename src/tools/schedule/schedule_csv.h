#pragma once

#include <string>
#include <string_view>

#include "tools/schedule/schedule.h"

namespace kandelor::schedule {

// One CSV record per room in use after a header, records ended by CR LF; the column
// over_lpd (true/false) follows when a W/sqft limit is given.
std::string formatCsv(const Schedule& schedule);

// A CSV field: quoted, with its quotes doubled, when it holds a comma, a quote, CR or LF.
std::string csvField(std::string_view text);

}  // namespace kandelor::schedule
