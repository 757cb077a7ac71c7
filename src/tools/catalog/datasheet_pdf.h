#pragma once

#include <string>
#include <vector>

#include "calc/photometry/datasheet.h"
#include "model/result.h"

namespace kandelor::catalog {

// The PDF of the datasheets, one US Letter page each. `path` names the file the PDF is
// for in messages. Starts Qt's GUI layer if nothing has (offscreen when there is no
// display). The luminous opening is stated in feet, or in millimetres for metric units;
// everything else on the sheet has no length in it.
Result<std::string> renderDatasheetPdf(const std::vector<photometry::Datasheet>& sheets,
                                       const std::string& path, Units units = Units::Imperial);

}  // namespace kandelor::catalog
