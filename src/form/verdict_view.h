#pragma once

#include <array>
#include <string>

#include "calc/catalogue.h"
#include "calc/design_check.h"
#include "model/project.h"

namespace kandelor {

// Shows, for every row of `page` (the page as the form holds it), the verdict of its
// calculated against its design footcandles on the Calc'd field, as a tint and in its
// tooltip with the fixtures the design needs, and the room's watts and floor area in the
// Watts/Sqft tooltip. The count uses the catalogue column of the list choices. A row whose
// results are not `current` (computed from the inputs it shows) gets no tint, and its
// tooltips say to calculate.
// What a fixture number stands for: "7: Strip, 2 lamps", "0: no fixture", or that the
// catalogue has no such type.
std::string fixtureTypeToolTip(std::int32_t number, const FixtureCatalogue& catalogue);

void ShowVerdicts(const RoomPage& page, const FixtureCatalogue& catalogue,
                  ReflectanceChoices choices, const std::array<bool, kRowCount>& current);

// The tooltip texts, e.g. "Design 50 fc: low. 5 fixtures give 53 fc (4 give 42).",
// "Design 40 fc: meets. 5 fixtures give 39 fc; 6 give 47 fc, the full design." and
// "408 W on 180 sqft."; empty where there is nothing to say.
std::string verdictToolTip(Verdict verdict, std::int32_t design, const FixturesNeeded& needed);
std::string powerToolTip(std::int32_t watts, const RoomRow& room);

// The tooltip of a result computed from other inputs than those shown.
inline constexpr const char* kStaleResultToolTip = "Calculate to update.";

}  // namespace kandelor
