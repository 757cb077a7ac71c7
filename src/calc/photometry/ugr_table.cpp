#include "calc/photometry/ugr_table.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "calc/photometry/glare.h"
#include "calc/photometry/ugr_background.h"

namespace kandelor::photometry {

namespace {

constexpr std::size_t kReferenceRoom = 10;  // 4H x 8H
static_assert(kUgrRooms[kReferenceRoom].x == 4 && kUgrRooms[kReferenceRoom].y == 8);

// Sums of the glare terms of a grid's rows, nearest row first, for rooms `x` wide.
std::vector<double> rowSums(const CandelaDistribution& distribution, double scale, int x, int maxY,
                            double spacing, UgrView view) {
  const auto across = static_cast<int>(std::lround(x / spacing));
  const auto rows = static_cast<int>(std::lround(maxY / spacing));
  const double step = spacing * kUgrHeight;
  const double middle = x * kUgrHeight / 2;
  std::vector<double> sums(static_cast<std::size_t>(rows));
  LuminaireInView seen;
  seen.above = kUgrHeight;
  seen.lengthAngle = view == UgrView::Crosswise ? 90 : 0;
  for (int j = 0; j < rows; ++j) {
    seen.ahead = (j + 0.5) * step;
    double sum = 0;
    for (int i = 0; i < across; ++i) {
      seen.aside = (i + 0.5) * step - middle;
      sum += luminaireGlareTerm(distribution, seen, scale);
    }
    sums[static_cast<std::size_t>(j)] = sum;
  }
  return sums;
}

}  // namespace

std::optional<double> UgrTables::reference(UgrView view) const {
  return standard.at(kReferenceRoom, 0, view);
}

double ugrFluxCorrection(double lumens) {
  return 8 * std::log10(lumens / 1000);
}

std::string ugrTableMissing(const CandelaDistribution& distribution) {
  if (!distribution.opening().hasArea()) {
    return "the photometric file gives no luminous area, which the UGR needs";
  }
  if (!(distribution.lampLumens() > 0)) return "the photometric file gives no lamp lumens";
  return {};
}

UgrTable ugrTableFor1000Lumens(const CandelaDistribution& distribution, double spacing) {
  UgrTable table;
  table.spacing = spacing;
  const double scale = 1000 / distribution.lampLumens();
  const auto cumulative = cumulativeDownwardFractions(distribution);
  const double down = distribution.downwardFlux() / distribution.lampLumens();
  const double up = distribution.upwardFlux() / distribution.lampLumens();
  for (const UgrView view : kUgrViews) {
    // Rooms of one width share their rows: each room sums its first Y / S of them.
    int width = 0;
    std::vector<double> sums;
    for (std::size_t r = 0; r < kUgrRooms.size(); ++r) {
      const UgrRoom room = kUgrRooms[r];
      if (room.x != width) {
        width = room.x;
        int maxY = 0;
        for (const UgrRoom other : kUgrRooms) {
          if (other.x == width) maxY = std::max(maxY, other.y);
        }
        sums = rowSums(distribution, scale, width, maxY, spacing, view);
      }
      double sum = 0;
      const auto rows = static_cast<std::size_t>(std::lround(room.y / spacing));
      for (std::size_t j = 0; j < rows; ++j) sum += sums[j];
      const double count = std::round(room.x / spacing) * std::round(room.y / spacing);
      const double wallArea = 2 * kUgrHeight * (room.x + room.y) * kUgrHeight;
      const DirectShares shares =
          directShares(directFloorMultipliers(room.x, room.y), cumulative, down, up);
      for (std::size_t k = 0; k < kUgrReflectances.size(); ++k) {
        const UgrReflectances rho = kUgrReflectances[k];
        const WallTransfer transfer =
            wallTransfer(room.x, room.y, rho.ceiling / 100.0, rho.walls / 100.0, rho.floor / 100.0);
        const double lb = backgroundLuminance(shares, transfer, count, 1000, wallArea);
        table.ugr[r][k][view == UgrView::Crosswise ? 0 : 1] = unifiedGlareRating(lb, sum);
      }
    }
  }
  return table;
}

UgrTables ugrTables(const CandelaDistribution& distribution) {
  UgrTables tables;
  tables.lampLumens = distribution.lampLumens();
  tables.fluxCorrection = ugrFluxCorrection(tables.lampLumens);
  tables.standard = ugrTableFor1000Lumens(distribution, kUgrStandardSpacing);
  tables.quarter = ugrTableFor1000Lumens(distribution, kUgrQuarterSpacing);
  for (UgrTable* table : {&tables.standard, &tables.quarter}) {
    for (auto& room : table->ugr) {
      for (auto& row : room) {
        for (auto& value : row) {
          if (value) *value += tables.fluxCorrection;
        }
      }
    }
  }
  return tables;
}

}  // namespace kandelor::photometry
