#include "form/verdict_view.h"

#include <array>
#include <charconv>

#include "calc/reflectances.h"
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
  std::string text = "Design ";
  text += std::to_string(design);
  text += " fc: ";
  text += verdictName(verdict);
  text += ". ";
  if (!needed.quantity) {
    text += "No quantity up to ";
    text += std::to_string(kMaxFixturesTried);
    text += " reaches ";
    text += std::to_string(design);
    text += " fc.";
    return text;
  }
  const std::int32_t count = *needed.quantity;
  text += fixtures(count);
  text += give(count);
  text += std::to_string(needed.footcandles);
  text += " fc";
  if (count > 1) {
    text += " (";
    text += std::to_string(count - 1);
    text += give(count - 1);
    text += std::to_string(needed.footcandlesWithOneLess);
    text += ")";
  }
  text += ".";
  return text;
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

void ShowVerdicts(const RoomPage& page, const FixtureCatalogue& catalogue, int ceilingChoice,
                  int wallChoice) {
  const int column = catalogueColumnOfChoices(ceilingChoice, wallChoice);
  for (int r = 1; r <= kRowCount; ++r) {
    const RoomRow& room = page.row(r);
    const bool hasFloorArea =
        static_cast<double>(room.length) * static_cast<double>(room.width) > 0.0;
    const Verdict verdict =
        judgeFootcandles(room.calculatedFootcandles, room.designFootcandles, hasFloorArea);
    std::optional<toolkit::Tint> tint;
    if (const auto shown = verdictTint(verdict)) {
      tint = toolkit::Tint{shown->red, shown->green, shown->blue};
    }
    const int calculatedField = fieldId(r, Column::Calculated);
    toolkit::setFieldTint(calculatedField, tint);
    const FixturesNeeded needed = verdict == Verdict::None
                                      ? FixturesNeeded{}
                                      : fixturesNeeded(room, page.defaults, catalogue, column);
    toolkit::setFieldToolTip(calculatedField,
                             verdictToolTip(verdict, room.designFootcandles, needed));
    toolkit::setFieldToolTip(fieldId(r, Column::WattsPerSquareFoot),
                             powerToolTip(installedWatts(room, page.defaults, catalogue), room));
  }
}

}  // namespace kandelor
