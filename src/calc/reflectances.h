#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "calc/catalogue.h"

namespace kandelor {

// The reflectances the program offers, in per cent: the items of the ceiling and wall
// lists (item 1 first), and the floor's, which is fixed.
inline constexpr std::array<std::int32_t, 4> kCeilingPercents{30, 50, 70, 80};
inline constexpr std::array<std::int32_t, 4> kWallPercents{10, 30, 50, 70};
inline constexpr std::int32_t kFloorPercent = 20;

struct ReflectancePair {
  std::int32_t ceilingPercent = 0;
  std::int32_t wallPercent = 0;
};

// The catalogue's 14 CU columns in order: each ceiling with the walls tabulated for it
// (the 30 % and 50 % ceilings have no 70 % wall column).
inline constexpr std::array<ReflectancePair, kReflectanceColumnCount> kCatalogueColumns = {{
    {30, 10},
    {30, 30},
    {30, 50},  //
    {50, 10},
    {50, 30},
    {50, 50},  //
    {70, 10},
    {70, 30},
    {70, 50},
    {70, 70},  //
    {80, 10},
    {80, 30},
    {80, 50},
    {80, 70},
}};

// The catalogue column (1..14) for the ceiling and wall list choices (item numbers
// 1..4); 0 for any other choice. A 70 % wall under a 30 % or 50 % ceiling uses the
// 50 % wall column.
constexpr int catalogueColumnOfChoices(int ceilingChoice, int wallChoice) {
  if (ceilingChoice < 1 || ceilingChoice > 4 || wallChoice < 1 || wallChoice > 4) return 0;
  const std::int32_t ceiling = kCeilingPercents[static_cast<std::size_t>(ceilingChoice - 1)];
  for (std::int32_t wall = kWallPercents[static_cast<std::size_t>(wallChoice - 1)]; wall > 0;
       wall -= 20) {
    for (std::size_t k = 0; k < kCatalogueColumns.size(); ++k) {
      if (kCatalogueColumns[k].ceilingPercent == ceiling &&
          kCatalogueColumns[k].wallPercent == wall) {
        return static_cast<int>(k) + 1;
      }
    }
  }
  return 0;
}

static_assert(catalogueColumnOfChoices(1, 4) == 3 && catalogueColumnOfChoices(2, 4) == 6 &&
              catalogueColumnOfChoices(3, 4) == 10 && catalogueColumnOfChoices(4, 1) == 11);

}  // namespace kandelor
