#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/catalogue.h"
#include "calc/photometry/catalogue_list.h"
#include "model/result.h"

namespace kandelor::photometry {

// The file beside light.dat and Type.dat that names the photometric file each fixture
// type was built from, so that the light of a type can be followed point by point.
inline constexpr const char* kPhotometryIndexFile = "photometry.dat";

// The photometric file of each type 1..22 (index 0..21); empty where a type has none.
using PhotometryFiles = std::array<std::string, kFixtureTypeCount>;

// The index's text: a comment, then "TYPE FILE" per line, the file as given (relative
// names are taken from the index's folder).
std::string formatPhotometryIndex(const PhotometryFiles& files);

// Reads the index's text. Blank lines and lines starting with '#' are passed over; a
// type may be named once. Relative files are resolved against `folder`.
Result<PhotometryFiles> parsePhotometryIndex(std::string_view content, const std::string& fileName,
                                             const std::string& folder);

// The index for a catalogue built from `entries` (relative to `listFolder`) and written
// into `outputFolder`: each file named relative to that folder where it can be.
PhotometryFiles indexOfEntries(const std::vector<CatalogueEntry>& entries,
                               const std::string& listFolder, const std::string& outputFolder);

// The same for the list file at `listPath`.
Result<PhotometryFiles> indexOfList(const std::string& listPath, const std::string& outputFolder);

}  // namespace kandelor::photometry
