#pragma once

#include <string>
#include <string_view>

#include "calc/photometry/lm63.h"
#include "model/result.h"

namespace kandelor::photometry {

// True when the text is an LM-63 file (it has a TILT= line among its first lines);
// anything else is read as EULUMDAT.
bool looksLikeLm63(std::string_view content);

// Reads a photometric file of either format, told apart by its content.
Result<Photometry> readPhotometry(std::string_view content, const std::string& fileName);
Result<Photometry> readPhotometryFile(const std::string& path);

}  // namespace kandelor::photometry
