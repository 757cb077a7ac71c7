#pragma once

#include <optional>
#include <string>

#include "calc/catalogue.h"
#include "calc/reflectances.h"
#include "calc/workplane/room_light.h"
#include "calc/workplane/type_photometry.h"
#include "model/project.h"

namespace kandelor {

// Lets the plan be asked from every field of the room grid (context menu, Ctrl+R) and
// by a double-click on a Calc'd field; the requests name the field.
void EnablePlanRequests();

// Row `row` (1..19) of the page with its name and number as the form shows them now.
RoomRow RowAsShown(const RoomPage& page, int row);

// What the plan of row `row` of the page shown (page number `pageNumber`) is computed
// from: the page's row as the model holds it (its name and number as typed) and the
// reflectances the form's lists choose; without them, the note of why there is no plan.
struct PlanAsked {
  std::string title;
  RoomRow room;
  PageDefaults defaults;
  std::optional<ReflectancePair> reflectances;
  std::string note;
};
PlanAsked AskPlan(const RoomPage& page, int pageNumber, int row);

// Shows a room's computed plan under its title, or why it has none. With `open` the
// window opens; otherwise only an open window is redrawn.
void ShowComputedPlan(const std::string& title, const workplane::RoomLightResult& result,
                      bool open);

}  // namespace kandelor
