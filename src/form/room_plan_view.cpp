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

PlanAsked AskPlan(const RoomPage& page, int pageNumber, int row) {
  PlanAsked asked;
  asked.room = RowAsShown(page, row);
  asked.defaults = page.defaults;
  asked.title = plan::roomTitle(std::string(asked.room.name.trimmed()),
                                std::string(asked.room.number.trimmed()), pageNumber, row);
  asked.reflectances = reflectancesOfChoices(ReadReflectanceChoices());
  if (!asked.reflectances) asked.note = "No plan: choose a ceiling and a wall reflectance.";
  return asked;
}

void ShowComputedPlan(const std::string& title, const workplane::RoomLightResult& result,
                      bool open) {
  if (!result.light) {
    toolkit::wplannote(title, "No plan: " + result.reason + ".", open);
    return;
  }
  toolkit::wplanshow(plan::roomPlanScene(*result.light, title, Units::Imperial),
                     plan::roomPlanScene(*result.light, title, Units::Si), open);
}

}  // namespace kandelor
