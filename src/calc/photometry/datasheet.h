#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/photometry/catalogue_list.h"
#include "calc/photometry/cu_table.h"
#include "calc/photometry/lm63.h"
#include "calc/photometry/ugr_table.h"
#include "calc/units.h"
#include "model/result.h"

namespace kandelor::photometry {

// The numbers of a fixture datasheet, as photometric reports print them: the zonal
// lumen summary, the full CU table and the candela curves of the polar diagram.

// One row of the zonal lumen summary: the light between two vertical angles.
struct ZoneLumens {
  int fromDegrees = 0;
  int toDegrees = 0;
  double lumens = 0;
  double percentOfLamps = 0;
  double percentOfLuminaire = 0;
};

// The zones a report sums, from the nadir; each bound is a multiple of ten degrees,
// so the sums use the same ten-degree zones as the CU table.
inline constexpr std::array<std::array<int, 2>, 6> kSummaryZones = {
    {{0, 30}, {0, 40}, {0, 60}, {0, 90}, {90, 180}, {0, 180}}};

struct ZonalSummary {
  std::array<ZoneLumens, kSummaryZones.size()> zones{};
  double lampLumens = 0;       // lamps x lumens per lamp; the luminaire's for absolute photometry
  double luminaireLumens = 0;  // 0-180
  double efficiency = 0;       // luminaire lumens / lamp lumens
};

ZonalSummary zonalSummary(const ZonalFlux& flux, double lampLumens);

// The CU table of a report: ceilings across, each with four walls, RCR 0 to 10 down,
// a 20 % floor. The catalogue's 14 columns are a part of it.
inline constexpr std::array<int, 6> kSheetCeilingPercents = {80, 70, 50, 30, 10, 0};
inline constexpr std::array<int, 4> kSheetWallPercents = {70, 50, 30, 10};
inline constexpr int kSheetColumnCount =
    static_cast<int>(kSheetCeilingPercents.size() * kSheetWallPercents.size());
inline constexpr int kSheetMaxRcr = 10;

struct SheetCuTable {
  // percent[column][rcr]: column = ceiling index x 4 + wall index, rcr 0..10.
  std::array<std::array<std::int32_t, kSheetMaxRcr + 1>, kSheetColumnCount> percent{};

  static constexpr int ceilingOf(int column) { return kSheetCeilingPercents[column / 4]; }
  static constexpr int wallOf(int column) { return kSheetWallPercents[column % 4]; }
  // The column of a ceiling/wall pair, or -1 when the table has none.
  static constexpr int columnOf(int ceilingPercent, int wallPercent) {
    for (int column = 0; column < kSheetColumnCount; ++column) {
      if (ceilingOf(column) == ceilingPercent && wallOf(column) == wallPercent) return column;
    }
    return -1;
  }
};

SheetCuTable sheetCuTable(const ZonalFlux& flux);

// One vertical plane pair of the polar diagram: plane psi drawn on the right, the
// opposite plane psi + 180 on the left, both from the nadir (0) to the zenith (180).
struct PolarCurve {
  double plane = 0;
  std::vector<double> angles;  // vertical angles, degrees, ascending from 0 to 180
  std::vector<double> right;   // candela in plane psi
  std::vector<double> left;    // candela in plane psi + 180
};

// The curves of the file's plane `plane` (its own C angle) and the plane opposite.
PolarCurve polarCurve(const CandelaDistribution& distribution, double plane);

// Candela values of the diagram's rings: three or four round steps, the last at or
// just above `maxCandela`, which it scales the diagram to.
std::vector<double> polarRings(double maxCandela);

// The candela table printed beside the diagram: the planes it draws, every 15 degrees
// from the nadir to the zenith.
inline constexpr std::array<double, 4> kCandelaTablePlanes = {0, 90, 180, 270};
inline constexpr int kCandelaTableStep = 15;

struct CandelaRow {
  int angle = 0;
  std::array<double, kCandelaTablePlanes.size()> candela{};
};

std::vector<CandelaRow> candelaTable(const CandelaDistribution& distribution);

struct Datasheet {
  int typeNumber = 0;  // 1..22
  std::string description;
  std::string file;  // the photometric file as the list names it
  int catalogueLamps = 0;
  Photometry photometry;
  CandelaDistribution distribution;
  ZonalSummary zonal;
  SheetCuTable cu;
  std::vector<PolarCurve> curves;  // the 0 and 90 degree planes
  std::vector<double> rings;
  std::vector<CandelaRow> candela;
  std::optional<UgrTables> ugr;  // the UGR tables, or
  std::string ugrMissing;        // why the type has none
};

// The luminous opening as a datasheet states it: "2 × 4 ft, 0.25 ft high" or
// "610 × 1219 mm, 76 mm high" (width × length), "Ø 0.5 ft" for a round one, or
// "not given".
std::string luminousOpeningText(const Photometry& photometry, Units units);

Datasheet makeDatasheet(const CatalogueEntry& entry, int typeNumber, Photometry photometry);

// The datasheets of the catalogue entries, whose files are taken from `baseDir`.
Result<std::vector<Datasheet>> buildDatasheets(const std::vector<CatalogueEntry>& entries,
                                               const std::string& baseDir);

// The datasheets of the types that the list file at `listPath` names.
Result<std::vector<Datasheet>> buildDatasheetsFromList(const std::string& listPath);

}  // namespace kandelor::photometry
