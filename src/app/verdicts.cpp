#include "app/commands.h"
#include "form/field_ids.h"
#include "form/form_transfer.h"
#include "form/verdict_view.h"
#include "toolkit/toolkit.h"

namespace kandelor {

// The verdicts follow the numbers as the form shows them, typed or calculated, without
// touching the project.
void showVerdicts(AppState& state) {
  RoomPage shown = state.page();
  GetNumbers(shown);
  ShowVerdicts(shown, state.catalogue, toolkit::wdialoggetmenu1(kCeilingReflectanceList),
               toolkit::wdialoggetmenu1(kWallReflectanceList));
}

}  // namespace kandelor
