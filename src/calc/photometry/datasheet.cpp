#include "calc/photometry/datasheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "calc/photometry/photometric_file.h"
#include "calc/reflectances.h"
#include "model/text_file.h"

namespace kandelor::photometry {

namespace {

void addZoneLumens(ZoneLumens& row, const ZonalFlux& flux) {
  for (int n = row.fromDegrees / 10; n < row.toDegrees / 10; ++n) {
    row.lumens += flux.lumens[static_cast<std::size_t>(n)];
  }
}

}  // namespace

ZonalSummary zonalSummary(const ZonalFlux& flux, double lamps) {
  ZonalSummary summary;
  summary.lampLumens = lamps;
  for (std::size_t i = 0; i < kSummaryZones.size(); ++i) {
    ZoneLumens& row = summary.zones[i];
    row.fromDegrees = kSummaryZones[i][0];
    row.toDegrees = kSummaryZones[i][1];
    addZoneLumens(row, flux);
    if (row.fromDegrees == 0 && row.toDegrees == 180) summary.luminaireLumens = row.lumens;
  }
  for (ZoneLumens& row : summary.zones) {
    if (lamps > 0) row.percentOfLamps = 100 * row.lumens / lamps;
    if (summary.luminaireLumens > 0) {
      row.percentOfLuminaire = 100 * row.lumens / summary.luminaireLumens;
    }
  }
  if (lamps > 0) summary.efficiency = summary.luminaireLumens / lamps;
  return summary;
}

SheetCuTable sheetCuTable(const ZonalFlux& flux) {
  SheetCuTable table;
  for (int column = 0; column < kSheetColumnCount; ++column) {
    for (int rcr = 0; rcr <= kSheetMaxRcr; ++rcr) {
      table.percent[static_cast<std::size_t>(column)][static_cast<std::size_t>(rcr)] = cuPercent(
          flux, SheetCuTable::ceilingOf(column), SheetCuTable::wallOf(column), kFloorPercent, rcr);
    }
  }
  return table;
}

PolarCurve polarCurve(const CandelaDistribution& d, double plane) {
  PolarCurve curve;
  curve.plane = plane;
  // Every degree and every measured angle, so that peaks between whole degrees and
  // the ends of the measured range are drawn where they are.
  for (int degree = 0; degree <= 180; ++degree) curve.angles.push_back(degree);
  curve.angles.insert(curve.angles.end(), d.verticalAngles().begin(), d.verticalAngles().end());
  std::sort(curve.angles.begin(), curve.angles.end());
  curve.angles.erase(std::unique(curve.angles.begin(), curve.angles.end()), curve.angles.end());
  for (const double theta : curve.angles) {
    curve.right.push_back(d.atFilePlane(plane, theta));
    curve.left.push_back(d.atFilePlane(plane + 180, theta));
  }
  return curve;
}

std::vector<double> polarRings(double maxCandela) {
  if (!(maxCandela > 0)) return {1};
  // The smallest step of 1, 2, 2.5 or 5 times a power of ten that needs at most four
  // rings: more would crowd their labels.
  constexpr int kMaxRings = 4;
  const double decade = std::pow(10, std::floor(std::log10(maxCandela / kMaxRings)));
  double step = 10 * decade;
  for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
    if (factor * decade * kMaxRings >= maxCandela) {
      step = factor * decade;
      break;
    }
  }
  std::vector<double> rings;
  for (int i = 1; rings.empty() || rings.back() < maxCandela; ++i) rings.push_back(i * step);
  return rings;
}

std::vector<CandelaRow> candelaTable(const CandelaDistribution& d) {
  std::vector<CandelaRow> rows;
  for (int theta = 0; theta <= 180; theta += kCandelaTableStep) {
    CandelaRow& row = rows.emplace_back();
    row.angle = theta;
    for (std::size_t i = 0; i < kCandelaTablePlanes.size(); ++i) {
      row.candela[i] = d.atFilePlane(kCandelaTablePlanes[i], theta);
    }
  }
  return rows;
}

std::string luminousOpeningText(const Photometry& p, Units units) {
  const double toFeet = p.metres ? 1 / kMetresPerFoot : 1.0;
  const double width = std::abs(p.luminousWidth) * toFeet;
  const double length = std::abs(p.luminousLength) * toFeet;
  const double height = std::abs(p.luminousHeight) * toFeet;
  const bool round = p.luminousWidth < 0 || p.luminousLength < 0;
  if (width == 0 && length == 0) return "not given";
  const bool si = units == Units::Si;
  // Feet to three significant digits; millimetres whole.
  const auto size = [si](double feet) {
    char buffer[32];
    if (si) {
      std::snprintf(buffer, sizeof buffer, "%.0f", feet * kMetresPerFoot * 1000);
    } else {
      std::snprintf(buffer, sizeof buffer, "%.3g", feet);
    }
    return std::string(buffer);
  };
  const std::string unit = si ? " mm" : " ft";
  std::string text =
      round ? "\u00d8 " + size(std::max(width, length)) : size(width) + " \u00d7 " + size(length);
  text += unit;
  if (height > 0) text += ", " + size(height) + unit + " high";
  return text;
}

Datasheet makeDatasheet(const CatalogueEntry& entry, int typeNumber, Photometry photometry) {
  Datasheet sheet;
  sheet.typeNumber = typeNumber;
  sheet.description = entry.description;
  sheet.file = entry.file;
  sheet.catalogueLamps = entry.lampCount.value_or(photometry.lampCount);
  sheet.distribution = CandelaDistribution::fromPhotometry(photometry);
  const CandelaDistribution& distribution = sheet.distribution;
  const ZonalFlux flux = zonalFlux(distribution);
  sheet.zonal = zonalSummary(flux, distribution.lampLumens());
  sheet.cu = sheetCuTable(flux);
  double peak = 0;
  for (const double plane : {0.0, 90.0}) {
    PolarCurve curve = polarCurve(distribution, plane);
    for (const auto* side : {&curve.right, &curve.left}) {
      peak = std::max(peak, *std::max_element(side->begin(), side->end()));
    }
    sheet.curves.push_back(std::move(curve));
  }
  sheet.rings = polarRings(peak);
  sheet.candela = candelaTable(distribution);
  sheet.ugrMissing = ugrTableMissing(distribution);
  if (sheet.ugrMissing.empty()) sheet.ugr = ugrTables(distribution);
  sheet.photometry = std::move(photometry);
  return sheet;
}

Result<std::vector<Datasheet>> buildDatasheets(const std::vector<CatalogueEntry>& entries,
                                               const std::string& baseDir) {
  std::vector<Datasheet> sheets;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string path = photometryPath(entries[i], baseDir);
    auto read = readPhotometryFile(path);
    if (!read) return read.error();
    if (read->type != PhotometricType::C) {
      return FileError{path, read->typeLine, "expected photometric type 1 (C)"};
    }
    sheets.push_back(makeDatasheet(entries[i], static_cast<int>(i) + 1, std::move(read).value()));
  }
  return sheets;
}

Result<std::vector<Datasheet>> buildDatasheetsFromList(const std::string& listPath) {
  const auto content = readWholeFile(listPath);
  if (!content) return content.error();
  const auto entries = parseCatalogueList(*content, listPath);
  if (!entries) return entries.error();
  return buildDatasheets(*entries, std::filesystem::path(listPath).parent_path().string());
}

}  // namespace kandelor::photometry
