#include "form/verdict_view.h"

#include <array>
#include <charconv>

#include "calc/calculation.h"
#include "calc/reflectances.h"
#include "calc/workplane/room_notes.h"
#include "form/field_ids.h"
#include "toolkit/toolkit.h"

namespace kandelor {
namespace {

std::string fixtures(std::int32_t count) {
  return std::to_string(count) + (count == 1 ? " fixture" : " fixtures");
}

std::string give(std::int32_t count) {
  return count == 1 ? " gives " : " give ";
}

// The shortest decimal that reads back to the same value: 180, 187.5.
std::string shortest(double value) {
  std::array<char, 32> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
  return std::string(digits.data(), end);
}

}  // namespace

std::string verdictToolTip(Verdict verdict, std::int32_t design, const FixturesNeeded& needed) {
  if (verdict == Verdict::None) return {};
  std::string text = "Design " + std::to_string(design) + " fc: " + verdictName(verdict) + ". ";
  const auto advised = needed.advised();
  if (!advised) {
    return text + "No quantity up to " + std::to_string(kMaxFixturesTried) + " reaches " +
           std::to_string(design) + " fc.";
  }
  const std::int32_t count = advised->quantity;
  text += fixtures(count) + give(count) + std::to_string(advised->footcandles) + " fc";
  if (needed.full == advised || !needed.meets) {
    // The fewest that meet the design also reach it: what one fewer gives shows the margin.
    if (count > 1) {
      text += " (" + std::to_string(count - 1) + give(count - 1) +
              std::to_string(needed.footcandlesWithOneLess) + ")";
    }
  } else if (needed.full) {
    text += "; " + std::to_string(needed.full->quantity) + give(needed.full->quantity) +
            std::to_string(needed.full->footcandles) + " fc, the full design";
  } else {
    text += "; no quantity up to " + std::to_string(kMaxFixturesTried) + " gives the full design";
  }
  return text + ".";
}

std::string powerToolTip(std::int32_t watts, const RoomRow& room) {
  const double area = static_cast<double>(room.length) * static_cast<double>(room.width);
  if (!(area > 0.0)) return {};
  std::string text = std::to_string(watts);
  text += " W on ";
  text += shortest(area);
  text += " sqft.";
  return text;
}

std::string fixtureTypeToolTip(std::int32_t number, const FixtureCatalogue& catalogue) {
  if (number == 0) return "0: no fixture";
  const FixtureType* type = catalogue.find(number);
  if (type == nullptr) {
    return std::to_string(number) + ": no such type; the catalogue has types 1 to " +
           std::to_string(kFixtureTypeCount);
  }
  const std::int32_t lamps = type->lampsPerFixture;
  return std::to_string(number) + ": " + std::string(type->description.trimmed()) + ", " +
         std::to_string(lamps) + (lamps == 1 ? " lamp" : " lamps");
}

void ShowVerdicts(const RoomPage& page, const FixtureCatalogue& catalogue,
                  ReflectanceChoices choices, const std::array<bool, kRowCount>& current) {
  const int column = catalogueColumnOfChoices(choices.ceiling, choices.wall);
  for (int r = 1; r <= kRowCount; ++r) {
    const RoomRow& room = page.row(r);
    toolkit::setFieldToolTip(fieldId(r, Column::FixtureNumber),
                             fixtureTypeToolTip(room.fixtureNumber, catalogue));
    if (const std::string problem = roomSizeProblem(room); !problem.empty()) {
      // No result to judge: the row says why instead.
      toolkit::setFieldTint(fieldId(r, Column::Calculated), std::nullopt);
      toolkit::setFieldToolTip(fieldId(r, Column::Calculated), "Not calculated: " + problem);
      toolkit::setFieldToolTip(fieldId(r, Column::WattsPerSquareFoot),
                               "Not calculated: " + problem);
      continue;
    }
    const bool hasFloorArea =
        static_cast<double>(room.length) * static_cast<double>(room.width) > 0.0;
    const Verdict verdict =
        judgeFootcandles(room.calculatedFootcandles, room.designFootcandles, hasFloorArea);
    const bool isCurrent = current[static_cast<std::size_t>(r - 1)];
    std::optional<toolkit::Tint> tint;
    if (const auto shown = verdictTint(verdict); shown && isCurrent) {
      tint = toolkit::Tint{shown->red, shown->green, shown->blue};
    }
    const int calculatedField = fieldId(r, Column::Calculated);
    toolkit::setFieldTint(calculatedField, tint);

    std::string verdictText;
    if (verdict != Verdict::None) {
      verdictText = isCurrent
                        ? verdictToolTip(verdict, room.designFootcandles,
                                         fixturesNeeded(room, page.defaults, catalogue, column))
                        : kStaleResultToolTip;
    }
    // Beyond RCR 10 the lumen method reads its tables' last row.
    if (isCurrent && room.roomCavityRatio > kRcrCount) {
      if (!verdictText.empty()) verdictText += " ";
      verdictText += std::string(workplane::kRcrBeyondTables) + workplane::kPointFiguresHold + ".";
    }
    toolkit::setFieldToolTip(calculatedField, verdictText);
    const std::string powerText =
        powerToolTip(installedWatts(room, page.defaults, catalogue), room);
    toolkit::setFieldToolTip(fieldId(r, Column::WattsPerSquareFoot),
                             isCurrent || powerText.empty() ? powerText : kStaleResultToolTip);
  }
}

}  // namespace kandelor
