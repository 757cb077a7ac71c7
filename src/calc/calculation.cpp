#include "calc/calculation.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "calc/reflectances.h"

namespace kandelor {

namespace {

constexpr double kWorkPlaneHeight = 2.5;  // feet above the floor

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();

// a * b, held at the int64 limit of the right sign when it does not fit. A product that
// does not fit in 64 bits is far beyond 32 bits, so clamping it later to 32 bits still
// gives the exact saturated result.
std::int64_t multiplySaturating(std::int64_t a, std::int64_t b) {
  std::int64_t product = 0;
  if (!__builtin_mul_overflow(a, b, &product)) return product;
  const bool negative = (a < 0) != (b < 0);
  return negative ? std::numeric_limits<std::int64_t>::min()
                  : std::numeric_limits<std::int64_t>::max();
}

std::int32_t clampToInt32(std::int64_t value) {
  if (value > kInt32Max) return static_cast<std::int32_t>(kInt32Max);
  if (value < kInt32Min) return static_cast<std::int32_t>(kInt32Min);
  return static_cast<std::int32_t>(value);
}

// Truncation toward zero that saturates at the int32 limits; NaN gives 0.
std::int32_t truncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(kInt32Max)) return static_cast<std::int32_t>(kInt32Max);
  if (value <= static_cast<double>(kInt32Min)) return static_cast<std::int32_t>(kInt32Min);
  return static_cast<std::int32_t>(value);
}

// A double held as float; values beyond the float range keep their sign at FLT_MAX.
float toFloatSaturating(double value) {
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(value);
}

// The catalogue's CU (per cent) for a room, by its RCR. A room no higher than the work plane has no
// room cavity and so no useful light; ratios beyond the catalogue's 1 to 10 use the nearest
// tabulated ratio.
std::int32_t tabulatedCuPercent(const FixtureType& type, int column, const RoomRow& room,
                                std::int32_t rcr) {
  if (column < 1 || column > kReflectanceColumnCount) return 0;
  if (!(static_cast<double>(room.height) > kWorkPlaneHeight)) return 0;
  const int tabulated = rcr < 1 ? 1 : (rcr > kRcrCount ? kRcrCount : rcr);
  return type.cu(column, tabulated);
}

}  // namespace

std::string roomSizeProblem(const RoomRow& room) {
  const struct {
    const char* name;
    float value;
  } sizes[] = {{"Length", room.length}, {"Width", room.width}, {"Height", room.height}};
  for (const auto& size : sizes) {
    if (size.value == kEmptyReal) return std::string(size.name) + " is empty.";
    if (!(size.value >= 0.0f)) return std::string(size.name) + " is negative.";
  }
  return {};
}

std::int32_t installedWatts(const RoomRow& room, const PageDefaults& defaults,
                            const FixtureCatalogue& catalogue) {
  const FixtureType* type = catalogue.find(room.fixtureNumber);
  if (type == nullptr) return 0;
  const std::int64_t quantity = room.quantity;
  return clampToInt32(
      multiplySaturating(quantity, multiplySaturating(type->lampsPerFixture, defaults.lampWatts)));
}

RoomResult calculateRoom(const RoomRow& room, const PageDefaults& defaults,
                         const FixtureCatalogue& catalogue, int column) {
  RoomResult result;
  const FixtureType* type = catalogue.find(room.fixtureNumber);
  if (type != nullptr) result.description = type->description;

  // An empty or negative size is no room: every result stays 0 (see roomSizeProblem).
  if (!roomSizeProblem(room).empty()) return result;
  const double length = room.length;
  const double width = room.width;
  const double area = width * length;
  // No floor area: every result stays 0.
  if (area == 0.0) return result;

  result.roomCavityRatio =
      truncateToInt32(((room.height - kWorkPlaneHeight) * 5.0) * (width + length) / area);
  if (type == nullptr) return result;

  const std::int64_t cu = tabulatedCuPercent(*type, column, room, result.roomCavityRatio);
  const std::int64_t lamps = type->lampsPerFixture;
  const std::int64_t quantity = room.quantity;

  const std::int64_t lumensProduct = multiplySaturating(
      multiplySaturating(lamps, multiplySaturating(defaults.lampLumens, quantity)), cu);
  const std::int32_t totalLumens = clampToInt32(lumensProduct / 100);
  const double footcandles = ((static_cast<double>(defaults.ballastFactor) * totalLumens) *
                              static_cast<double>(defaults.lampLumenDepreciation)) *
                             static_cast<double>(defaults.lampDirtDepreciation) / area;
  result.calculatedFootcandles = truncateToInt32(footcandles);

  const std::int32_t totalWatts = installedWatts(room, defaults, catalogue);
  result.wattsPerSquareFoot = toFloatSaturating(totalWatts / area);
  return result;
}

PageResults calculatePage(const RoomPage& page, const FixtureCatalogue& catalogue,
                          int ceilingChoice, int wallChoice) {
  const int column = catalogueColumnOfChoices(ceilingChoice, wallChoice);
  PageResults results;
  for (std::size_t r = 0; r < results.size(); ++r) {
    results[r] = calculateRoom(page.rows[r], page.defaults, catalogue, column);
  }
  return results;
}

void storeResults(RoomPage& page, const PageResults& results) {
  for (std::size_t r = 0; r < results.size(); ++r) {
    RoomRow& row = page.rows[r];
    row.roomCavityRatio = results[r].roomCavityRatio;
    row.calculatedFootcandles = results[r].calculatedFootcandles;
    row.wattsPerSquareFoot = results[r].wattsPerSquareFoot;
  }
}

}  // namespace kandelor
