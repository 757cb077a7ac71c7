#include "calc/design_check.h"

#include <array>
#include <cstddef>

namespace kandelor {

Verdict judgeFootcandles(std::int32_t calculated, std::int32_t design, bool hasFloorArea) {
  if (design <= 0 || !hasFloorArea) return Verdict::None;
  const std::int64_t c = calculated;
  const std::int64_t d = design;
  if (c * 10 < d * 9) return Verdict::Low;
  if (c * 4 > d * 5) return Verdict::High;
  return Verdict::Meets;
}

const char* verdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::Low:
      return "low";
    case Verdict::Meets:
      return "meets";
    case Verdict::High:
      return "high";
    case Verdict::None:
      break;
  }
  return "";
}

std::optional<VerdictTint> verdictTint(Verdict verdict) {
  switch (verdict) {
    case Verdict::Low:
      return VerdictTint{0xFF, 0xD8, 0xA8};
    case Verdict::Meets:
      return VerdictTint{0xC8, 0xF0, 0xC8};
    case Verdict::High:
      return VerdictTint{0xC8, 0xDC, 0xFF};
    case Verdict::None:
      break;
  }
  return std::nullopt;
}

FixturesNeeded fixturesNeeded(const RoomRow& room, const PageDefaults& defaults,
                              const FixtureCatalogue& catalogue, int column) {
  FixturesNeeded needed;
  RoomRow trial = room;
  // footcandles[q] for q = 0..100; 0 fixtures give no light.
  std::array<std::int32_t, kMaxFixturesTried + 1> footcandles{};
  for (std::int32_t quantity = 1; quantity <= kMaxFixturesTried; ++quantity) {
    trial.quantity = quantity;
    const std::int32_t given =
        calculateRoom(trial, defaults, catalogue, column).calculatedFootcandles;
    footcandles[static_cast<std::size_t>(quantity)] = given;
    if (!needed.meets && judgeFootcandles(given, room.designFootcandles, true) == Verdict::Meets) {
      needed.meets = FixtureCount{quantity, given};
    }
    if (!needed.full && given >= room.designFootcandles)
      needed.full = FixtureCount{quantity, given};
    if (needed.meets && needed.full) break;
  }
  if (const auto advised = needed.advised()) {
    needed.footcandlesWithOneLess = footcandles[static_cast<std::size_t>(advised->quantity - 1)];
  }
  return needed;
}

}  // namespace kandelor
