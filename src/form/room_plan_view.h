#pragma once

#include "calc/catalogue.h"
#include "calc/workplane/type_photometry.h"
#include "model/project.h"

namespace kandelor {

// Lets the plan be asked from every field of the room grid (context menu, Ctrl+R) and
// by a double-click on a Calc'd field; the requests name the field.
void EnablePlanRequests();

// Row `row` (1..19) of the page with its name and number as the form shows them now.
RoomRow RowAsShown(const RoomPage& page, int row);

// Shows the plan of row `row` of the page shown (page number `pageNumber`), computed from
// the page as the model holds it and the reflectances the form's lists choose, or why the
// room has none; titled with the room's name and number as typed. With `open` the window
// opens; otherwise only an open window is redrawn.
void ShowRoomPlan(const RoomPage& page, int pageNumber, int row, const FixtureCatalogue& catalogue,
                  const workplane::CataloguePhotometry& photometry, bool open);

}  // namespace kandelor
