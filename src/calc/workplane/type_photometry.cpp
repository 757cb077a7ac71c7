#include "calc/workplane/type_photometry.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>

#include "calc/photometry/cu_table.h"
#include "calc/photometry/photometric_file.h"
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
  if (p.absolute()) {
    const photometry::ZonalFlux flux = photometry::zonalFlux(p);
    type.lampLumens = std::accumulate(flux.lumens.begin(), flux.lumens.end(), 0.0);
  } else {
    type.lampLumens = p.lampCount * p.lumensPerLamp;
  }
  type.spacing = spacingCriterion(type.intensity);
  const double feet = p.metres ? 1 / 0.3048 : 1.0;
  type.round = p.luminousWidth < 0 || p.luminousLength < 0;
  type.luminousLength = std::abs(p.luminousLength) * feet;
  type.luminousWidth = std::abs(p.luminousWidth) * feet;
  if (type.round) {
    type.luminousLength = type.luminousWidth = std::max(type.luminousLength, type.luminousWidth);
  }
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
