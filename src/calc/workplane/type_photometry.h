#pragma once

#include <array>
#include <optional>
#include <string>

#include "calc/catalogue.h"
#include "calc/photometry/photometry_index.h"
#include "calc/workplane/intensity.h"
#include "calc/workplane/spacing_criterion.h"

namespace kandelor::workplane {

// A fixture type's light distribution as its photometric file gives it.
struct TypePhotometry {
  std::string file;
  IntensityTable intensity;
  double lampLumens = 0;  // the lumens the candela values refer to
  SpacingCriterion spacing;
  // The luminous opening seen from below, in feet: its length along the fixture (laid
  // along the room's length) and its width; round of that diameter where `round`; both 0
  // where the file gives no size.
  double luminousLength = 0;
  double luminousWidth = 0;
  bool round = false;
  // Heights of the opening's lit sides facing C 0, 90, 180 and 270 (feet). The
  // distribution's opening() holds the same in metres, and its luminance().
  std::array<double, 4> sideHeights{};
};

// Reads and prepares one type's photometric file. Lamp lumens are lamps x lumens per
// lamp, or for absolute photometry the luminaire's own total, as the CU tables count.
Result<TypePhotometry> loadTypePhotometry(const std::string& file);

// The light distributions of the 22 catalogue types, or why a type has none.
struct CataloguePhotometry {
  std::array<std::optional<TypePhotometry>, kFixtureTypeCount> types;
  std::array<std::string, kFixtureTypeCount> missing;  // why, where a type has none

  // The distribution of type 1..22, or nullptr.
  const TypePhotometry* find(int fixtureNumber) const {
    if (fixtureNumber < 1 || fixtureNumber > kFixtureTypeCount) return nullptr;
    const auto& type = types[static_cast<std::size_t>(fixtureNumber - 1)];
    return type ? &*type : nullptr;
  }
};

// Loads every type named by the photometry index in `folder` (the catalogue's). A type
// the index does not name has "no photometric data for type N"; a file that cannot be
// read gives its reader's message; either way the other types load.
CataloguePhotometry loadCataloguePhotometry(const std::string& folder);

// The same from an index already read.
CataloguePhotometry loadCataloguePhotometry(const photometry::PhotometryFiles& files);

}  // namespace kandelor::workplane
