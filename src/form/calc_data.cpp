#include "form/calc_data.h"

#include "calc/calculation.h"
#include "calc/reflectances.h"
#include "form/field_ids.h"
#include "form/form_transfer.h"
#include "toolkit/toolkit.h"

namespace kandelor {

ReflectanceChoices ReadReflectanceChoices() {
  return {toolkit::wdialoggetmenu1(kCeilingReflectanceList),
          toolkit::wdialoggetmenu1(kWallReflectanceList)};
}

std::optional<ReflectanceChoices> CalcData(RoomPage& page, const FixtureCatalogue& catalogue) {
  const ReflectanceChoices choices = ReadReflectanceChoices();
  if (catalogueColumnOfChoices(choices.ceiling, choices.wall) == 0) {
    if (!toolkit::holdRefusedText(kCeilingReflectanceList)) {
      toolkit::holdRefusedText(kWallReflectanceList);
    }
    return std::nullopt;
  }
  GetNumbers(page);

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
