#pragma once

#include <cstdint>
#include <optional>

#include "calc/calculation.h"

namespace kandelor {

// How a room's calculated footcandles compare with its design footcandles.
enum class Verdict {
  None,   // no design value, or no floor area
  Low,    // more than 10 % short of the design
  Meets,  // from 90 % to 125 % of the design
  High,   // more than 25 % over the design: energy wasted
};

// The verdict on two integers, in integer arithmetic.
Verdict judgeFootcandles(std::int32_t calculated, std::int32_t design, bool hasFloorArea);

// "low", "meets", "high" or "" (None).
const char* verdictName(Verdict verdict);

// The tint that shows a verdict wherever the program shows one (the form, the printed
// schedule): light orange, green and blue, which colour-blind readers tell apart and
// under which digits stay readable. None for Verdict::None.
struct VerdictTint {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};
std::optional<VerdictTint> verdictTint(Verdict verdict);

inline constexpr std::int32_t kMaxFixturesTried = 100;

// The smallest quantity from 1 to 100 whose calculated footcandles, by the page
// calculation's own arithmetic with the room's fixture type, RCR and page defaults,
// reach the design; the footcandles it gives and those one fixture fewer gives.
struct FixturesNeeded {
  std::optional<std::int32_t> quantity;  // none when no quantity up to 100 reaches it
  std::int32_t footcandles = 0;          // at `quantity`
  std::int32_t footcandlesWithOneLess = 0;
};
FixturesNeeded fixturesNeeded(const RoomRow& room, const PageDefaults& defaults,
                              const FixtureCatalogue& catalogue, int column);

}  // namespace kandelor
