#include "form/room_plan_view.h"

#include <vector>

#include "calc/reflectances.h"
#include "calc/workplane/room_light.h"
#include "form/calc_data.h"
#include "form/field_ids.h"
#include "plan/room_plan_scene.h"
#include "toolkit/room_plan.h"
#include "toolkit/toolkit.h"

namespace kandelor {

void EnablePlanRequests() {
  std::vector<int> grid, calculated;
  for (int r = 1; r <= kRowCount; ++r) {
    for (int c = 0; c < kColumnCount; ++c) grid.push_back(fieldId(r, static_cast<Column>(c)));
    calculated.push_back(fieldId(r, Column::Calculated));
  }
  toolkit::wplanfields(grid, calculated);
}

RoomRow RowAsShown(const RoomPage& page, int row) {
  RoomRow room = page.row(row);
  room.name.assign(toolkit::wdialoggetstring(fieldId(row, Column::Name)));
  room.number.assign(toolkit::wdialoggetstring(fieldId(row, Column::Number)));
  return room;
}

void ShowRoomPlan(const RoomPage& page, int pageNumber, int row, const FixtureCatalogue& catalogue,
                  const workplane::CataloguePhotometry& photometry, bool open) {
  if (row < 1 || row > kRowCount) return;
  const RoomRow room = RowAsShown(page, row);
  const std::string title = plan::roomTitle(std::string(room.name.trimmed()),
                                            std::string(room.number.trimmed()), pageNumber, row);
  const ReflectanceChoices choices = ReadReflectanceChoices();
  const int column = catalogueColumnOfChoices(choices.ceiling, choices.wall);
  if (column == 0) {
    toolkit::wplannote(title, "No plan: choose a ceiling and a wall reflectance.", open);
    return;
  }
  const ReflectancePair reflectances{
      kCeilingPercents[static_cast<std::size_t>(choices.ceiling - 1)],
      kWallPercents[static_cast<std::size_t>(choices.wall - 1)]};
  const workplane::RoomLightResult result = workplane::computeRoomLight(
      room, page.defaults, catalogue, photometry, reflectances, room.calculatedFootcandles);
  if (!result.light) {
    toolkit::wplannote(title, "No plan: " + result.reason + ".", open);
    return;
  }
  toolkit::wplanshow(plan::roomPlanScene(*result.light, title, Units::Imperial),
                     plan::roomPlanScene(*result.light, title, Units::Si), open);
}

}  // namespace kandelor
