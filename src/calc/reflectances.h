#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "calc/catalogue.h"
#include "model/project.h"

namespace kandelor {

// The reflectances the program offers, in per cent: the items of the ceiling and wall
// lists (item 1 first), and the floor's, which is fixed.
inline constexpr std::array<std::int32_t, 4> kCeilingPercents{30, 50, 70, 80};
inline constexpr std::array<std::int32_t, 4> kWallPercents{10, 30, 50, 70};
inline constexpr std::int32_t kFloorPercent = 20;

// A ceiling and wall reflectance in per cent, as the lists offer them; the floor's is
// always kFloorPercent. The light's computations take them as fractions from here.
struct ReflectancePair {
  std::int32_t ceilingPercent = 0;
  std::int32_t wallPercent = 0;

  double ceiling() const { return ceilingPercent / 100.0; }
  double wall() const { return wallPercent / 100.0; }
  static constexpr double floor() { return kFloorPercent / 100.0; }
  bool operator==(const ReflectancePair&) const = default;
};

// The per cent of list item `choice` (1..4) of `percents`; none for any other number.
constexpr std::optional<std::int32_t> percentOfChoice(const std::array<std::int32_t, 4>& percents,
                                                      int choice) {
  if (choice < 1 || choice > static_cast<int>(percents.size())) return std::nullopt;
  return percents[static_cast<std::size_t>(choice - 1)];
}

// The reflectances the two lists' choices stand for; none unless both are items.
constexpr std::optional<ReflectancePair> reflectancesOfChoices(ReflectanceChoices choices) {
  const auto ceiling = percentOfChoice(kCeilingPercents, choices.ceiling);
  const auto wall = percentOfChoice(kWallPercents, choices.wall);
  if (!ceiling || !wall) return std::nullopt;
  return ReflectancePair{*ceiling, *wall};
}

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
  const auto chosen = reflectancesOfChoices({ceilingChoice, wallChoice});
  if (!chosen) return 0;
  const std::int32_t ceiling = chosen->ceilingPercent;
  for (std::int32_t wall = chosen->wallPercent; wall > 0; wall -= 20) {
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
