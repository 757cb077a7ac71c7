#pragma once

#include <string>
#include <vector>

#include "calc/photometry/datasheet.h"

namespace kandelor::photometry {

inline constexpr const char* kUgrCsvHeader =
    "type,description,spacing_h,x_h,y_h,view,ceiling,walls,floor,ugr";

// Every sheet's UGR tables as CSV: the standard 1 H table, then the 0.25 H one, each
// room's reflectances crosswise and then endwise; UGR to one decimal, empty where no
// luminaire counts. A type without tables has no rows.
std::string formatUgrCsv(const std::vector<Datasheet>& sheets);

}  // namespace kandelor::photometry
