#include "calc/workplane/type_photometry.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "calc/photometry/photometric_file.h"
#include "calc/units.h"
#include "model/text_file.h"

namespace kandelor::workplane {

Result<TypePhotometry> loadTypePhotometry(const std::string& file) {
  const auto read = photometry::readPhotometryFile(file);
  if (!read) return read.error();
  const photometry::Photometry& p = *read;
  if (p.type != photometry::PhotometricType::C) {
    return FileError{file, p.typeLine,
                     "expected photometric type 1 (C), as interior luminaires are measured"};
  }
  TypePhotometry type;
  type.file = file;
  type.intensity = IntensityTable::fromPhotometry(p);
  type.lampLumens = type.intensity.lampLumens();
  type.spacing = spacingCriterion(type.intensity);
  const double feet = p.metres ? 1 / kMetresPerFoot : 1.0;
  type.round = p.luminousWidth < 0 || p.luminousLength < 0;
  type.luminousLength = std::abs(p.luminousLength) * feet;
  type.luminousWidth = std::abs(p.luminousWidth) * feet;
  if (type.round) {
    type.luminousLength = type.luminousWidth = std::max(type.luminousLength, type.luminousWidth);
  }
  const auto& heights = type.intensity.opening().sideHeights;
  for (std::size_t k = 0; k < heights.size(); ++k)
    type.sideHeights[k] = heights[k] / kMetresPerFoot;
  return type;
}

CataloguePhotometry loadCataloguePhotometry(const photometry::PhotometryFiles& files) {
  CataloguePhotometry catalogue;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (files[i].empty()) {
      catalogue.missing[i] = "no photometric data for type " + std::to_string(i + 1);
      continue;
    }
    auto loaded = loadTypePhotometry(files[i]);
    if (loaded) {
      catalogue.types[i] = std::move(loaded).value();
    } else {
      catalogue.missing[i] = loaded.error().message();
    }
  }
  return catalogue;
}

CataloguePhotometry loadCataloguePhotometry(const std::string& folder) {
  const std::string index =
      (std::filesystem::path(folder) / photometry::kPhotometryIndexFile).string();
  std::error_code error;
  if (!std::filesystem::exists(index, error))
    return loadCataloguePhotometry(photometry::PhotometryFiles{});
  const auto content = readWholeFile(index);
  auto files = content ? photometry::parsePhotometryIndex(*content, index, folder)
                       : Result<photometry::PhotometryFiles>(content.error());
  if (files) return loadCataloguePhotometry(*files);
  CataloguePhotometry catalogue;
  catalogue.missing.fill(files.error().message());
  return catalogue;
}

}  // namespace kandelor::workplane
