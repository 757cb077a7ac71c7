#include "app/commands.h"
#include "app/recovery.h"
#include "app/room_plan_follow.h"
#include "app/schedule_follow.h"
#include "app/unsaved_work.h"
#include "form/calc_data.h"
#include "form/field_ids.h"
#include "toolkit/toolkit.h"

namespace kandelor {

void calculate(AppState& state) {
  if (const auto choices = CalcData(state.page(), state.catalogue))
    state.currentResults.calculated(state.currentPage, state.page(), *choices);
  showVerdicts(state);
  keepRecoveryCopy(state);
}

void showHelp() {
  toolkit::whelpfile1("HELP.HLP");
}

namespace {

// The commands that read the form (or replace what it shows) and so do not run while the
// field with the focus holds text it would refuse on leaving. Exit asks first: its Save
// is held back the same way, its Don't Save reads nothing.
bool readsTheForm(int menuId) {
  switch (menuId) {
    case kMenuPrint:
    case kMenuNew:
    case kMenuOpen:
    case kMenuSave:
    case kMenuSaveAs:
    case kMenuZonePage1:
    case kMenuZonePage2:
    case kMenuZonePage3:
    case kMenuZonePage4:
    case kMenuZonePage5:
    case kMenuCalculate:
      return true;
    default:
      return false;
  }
}

}  // namespace

// The popups' own ids and every id outside the menu fall through and do nothing.
void processmenu(int menuId, bool& quit, AppState& state) {
  if (readsTheForm(menuId) && toolkit::holdRefusedFocus()) return;
  switch (menuId) {
    case kMenuPrint:
      printReport(state);
      break;
    case kMenuExit:
      quit = settleUnsavedWork(state, Leaving::Closing);
      break;
    case kMenuHelp:
      showHelp();
      break;
    case kMenuNew:
      newProject(state);
      break;
    case kMenuOpen:
      openProject(state);
      break;
    case kMenuSave:
      saveProject(state);
      break;
    case kMenuSaveAs:
      saveProjectAs(state);
      break;
    case kMenuZonePage1:
    case kMenuZonePage2:
    case kMenuZonePage3:
    case kMenuZonePage4:
    case kMenuZonePage5:
      switchPage(state, menuId - kMenuZonePage1 + 1);
      break;
    case kMenuCalculate:
      calculate(state);
      break;
    case kMenuSpreadsheetOn:
      state.spreadsheetMode = true;
      break;
    case kMenuSpreadsheetOff:
      state.spreadsheetMode = false;
      break;
    case kMenuRoomPlan: {
      // The plan of the row with the focus, else of the row it last showed, else row 1.
      int field = toolkit::wdialogfocus();
      if (rowOfField(field) == 0)
        field = fieldId(state.planRow != 0 ? state.planRow : 1, Column::Name);
      openRoomPlan(state, field);
      break;
    }
    case kMenuProjectSchedule:
      openProjectSchedule(state);
      break;
    default:
      break;
  }
}

}  // namespace kandelor
