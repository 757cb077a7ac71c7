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

// A number of fixtures and the footcandles they give.
struct FixtureCount {
  std::int32_t quantity = 0;
  std::int32_t footcandles = 0;

  bool operator==(const FixtureCount&) const = default;
};

// The quantities from 1 to 100 that light a room to its design, each computed by the
// page calculation's own arithmetic with the room's fixture type, RCR and page defaults:
// the fewest whose verdict is "meets" and the fewest that reach the full design. The
// advice is the first of these, so that it agrees with the tint of the Calc'd field.
struct FixturesNeeded {
  std::optional<FixtureCount> meets;        // none when no quantity up to 100 meets the design
  std::optional<FixtureCount> full;         // none when no quantity up to 100 reaches it
  std::int32_t footcandlesWithOneLess = 0;  // what one fixture fewer than the advice gives

  // The fixtures needed: the fewest that meet the design, or else the fewest that reach it.
  std::optional<FixtureCount> advised() const { return meets ? meets : full; }
};
FixturesNeeded fixturesNeeded(const RoomRow& room, const PageDefaults& defaults,
                              const FixtureCatalogue& catalogue, int column);

}  // namespace kandelor
