#pragma once

#include <string>
#include <string_view>

#include "calc/photometry/lm63.h"
#include "model/result.h"

namespace kandelor::photometry {

// Reads a EULUMDAT file's text (ISO-8859-1, one value a line) into the type C
// distribution an LM-63 file would give: the C planes its symmetry indicator implies
// (in the file's own C angles, whose C 90-270 plane runs along the luminaire's length),
// intensities converted from cd per 1000 lamp lumens to candela with the total flux of
// all lamp sets, lamps per fixture from the first set (a negative count: absolute
// photometry). Errors name `fileName`, the line and what was expected there.
Result<Photometry> readEulumdat(std::string_view content, const std::string& fileName);

}  // namespace kandelor::photometry
