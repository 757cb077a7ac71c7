#include "form/calc_data.h"

#include "calc/calculation.h"
#include "calc/reflectances.h"
#include "form/field_ids.h"
#include "form/form_transfer.h"
#include "form/input_ranges.h"
#include "toolkit/toolkit.h"

namespace kandelor {

ReflectanceChoices ReadReflectanceChoices() {
  return {toolkit::wdialoggetmenu1(kCeilingReflectanceList),
          toolkit::wdialoggetmenu1(kWallReflectanceList)};
}

namespace {

// The page-wide values every room's light or power is computed from, and how the note
// that asks for one names it.
struct NeededDefault {
  int field;
  const char* named;
};
constexpr NeededDefault kNeededDefaults[] = {
    {kBallastFactorField, "a "},        {kLampLumenDepreciationField, "a "},
    {kLampDirtDepreciationField, "a "}, {kLampWattsField, "the lamp "},
    {kLampLumensField, "the lamp "},
};

double defaultValue(const PageDefaults& defaults, int field) {
  for (const auto& range : kFactorRanges) {
    if (range.field == field) return defaults.*range.member;
  }
  for (const auto& range : kLampRanges) {
    if (range.field == field) return defaults.*range.member;
  }
  return 0.0;
}

// The first page-wide value that is empty or not above 0, which no room can be computed
// with; 0 when there is none. A value merely outside the form's range is computed with.
int unusableDefault(const PageDefaults& defaults) {
  for (const auto& needed : kNeededDefaults) {
    if (!(defaultValue(defaults, needed.field) > 0.0)) return needed.field;
  }
  return 0;
}

}  // namespace

std::optional<ReflectanceChoices> CalcData(RoomPage& page, const FixtureCatalogue& catalogue) {
  const ReflectanceChoices choices = ReadReflectanceChoices();
  if (catalogueColumnOfChoices(choices.ceiling, choices.wall) == 0) {
    if (!toolkit::holdRefusedText(kCeilingReflectanceList)) {
      toolkit::holdRefusedText(kWallReflectanceList);
    }
    return std::nullopt;
  }
  RoomPage gathered = page;
  GetNumbers(gathered);
  if (const int field = unusableDefault(gathered.defaults); field != 0) {
    for (const auto& needed : kNeededDefaults) {
      if (needed.field == field) {
        toolkit::showFieldNote(field, std::string("Calculate needs ") + needed.named +
                                          toolkit::acceptedText(field) + ".");
      }
    }
    return std::nullopt;
  }
  page = gathered;

  const PageResults results = calculatePage(page, catalogue, choices.ceiling, choices.wall);
  storeResults(page, results);

  for (int r = 1; r <= kRowCount; ++r) {
    toolkit::wdialogputinteger(fieldId(r, Column::RoomCavityRatio), page.row(r).roomCavityRatio);
  }
  for (int r = 1; r <= kRowCount; ++r) {
    toolkit::wdialogputinteger(fieldId(r, Column::Calculated), page.row(r).calculatedFootcandles);
  }
  for (int r = 1; r <= kRowCount; ++r) {
    toolkit::wdialogputstring(fieldId(r, Column::Description), results[r - 1].description.view());
  }
  // Without a format of their own these fields keep the one PutData gave them.
  for (int r = 1; r <= kRowCount; ++r) {
    toolkit::wdialogputreal(fieldId(r, Column::WattsPerSquareFoot), page.row(r).wattsPerSquareFoot);
  }
  return choices;
}

}  // namespace kandelor
