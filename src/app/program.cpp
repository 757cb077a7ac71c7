#include "app/program.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "app/commands.h"
#include "app/messages.h"
#include "app/program_title.h"
#include "app/recovery.h"
#include "app/room_plan_follow.h"
#include "app/schedule_follow.h"
#include "app/status_texts.h"
#include "app/unsaved_work.h"
#include "form/field_ids.h"
#include "form/form_transfer.h"
#include "form/resource.h"
#include "form/room_plan_view.h"
#include "model/project_file.h"
#include "model/text_file.h"
#include "toolkit/project_schedule.h"
#include "toolkit/room_plan.h"
#include "toolkit/toolkit.h"

namespace kandelor {

namespace {

constexpr std::array<int, 3> kStatusBarParts{3333, 3333, 3333};

// Loads the start-up project. A missing file leaves an empty project to work in; a file
// that exists but cannot be read whole stops the program, so that no later save can
// replace the user's rooms with an empty project. A file whose existence cannot be told
// counts as existing.
bool loadStartupProject(AppState& state) {
  std::error_code probe;
  const bool exists = std::filesystem::exists(state.currentFileName, probe) || probe;
  if (const auto loaded = loaddata(state.project, state.currentFileName); !loaded) {
    showFileError(loaded.error());
    return !exists;
  }
  return true;
}

}  // namespace

bool startUp(AppState& state) {
  toolkit::winitialise();
  registerResources();
  toolkit::windowopen2(kMainWindowFlags, kMainMenu, kRoomForm, kProgramTitle);
  toolkit::windowstatusbarparts(kStatusBarParts);
  toolkit::windowoutstatusbar(1, kMakerLocation);
  toolkit::windowoutstatusbar(2, kMakerName);
  toolkit::windowoutstatusbar(3, kMakerNote);
  RangeData();

  state.currentPage = 1;
  state.spreadsheetMode = false;
  state.currentFileName = "new.dat";
  removeAbandonedTemporaries(".");
  if (!loadStartupProject(state)) return false;
  // A broken catalogue would give wrong results on every page: stop before showing any.
  if (const auto read = rawdata(state.catalogue); !read) {
    showFileError(read.error());
    return false;
  }
  // Without photometry the program works as before; the plan says why it has none.
  state.photometry = workplane::loadCataloguePhotometry(".");
  PutData(state.page());
  PutReflectances(state.project);
  showLoadedResults(state);
  markSaved(state);
  offerRecoveries(state);
  toolkit::wmessageenable(toolkit::kFieldChanged, 1);
  toolkit::wmessageenable(toolkit::kFieldPasted, 1);
  EnablePlanRequests();
  toolkit::wmessageenable(toolkit::kPlanRequest, 1);
  toolkit::wmessageenable(toolkit::kScheduleRoomChosen, 1);
  toolkit::wmessageenable(toolkit::kScheduleSpaceTypeChosen, 1);
  toolkit::wmessageenable(toolkit::kScheduleExport, 1);
  return true;
}

void dispatchMessage(AppState& state, int type, const toolkit::Message& message, bool& quit) {
  switch (type) {
    case toolkit::kMenuSelection:
      processmenu(message.value[0], quit, state);
      break;
    case toolkit::kCloseRequest:
      quit = settleUnsavedWork(state, Leaving::Closing);
      break;
    case toolkit::kFieldChanged:
      // Calculate shows the verdicts of its results and keeps the recovery copy;
      // otherwise the verdicts follow what was typed.
      if (state.spreadsheetMode) {
        calculate(state);
      } else {
        showVerdicts(state);
        keepRecoveryCopy(state);
      }
      break;
    case toolkit::kFieldPasted:
      keepRecoveryCopy(state);
      break;
    case toolkit::kPlanRequest:
      openRoomPlan(state, message.value[0]);
      break;
    case toolkit::kPlanComputed:
      showComputedPlan(state, message.value[0]);
      break;
    case toolkit::kScheduleProgress:
      showScheduleProgress(state, message.value[0]);
      break;
    case toolkit::kScheduleComputed:
      showComputedSchedule(state, message.value[0]);
      break;
    case toolkit::kScheduleRoomChosen:
      goToRoom(state, message.value[0]);
      break;
    case toolkit::kScheduleSpaceTypeChosen:
      chooseSpaceType(state, message.value[0], message.value[1]);
      break;
    case toolkit::kScheduleExport:
      exportSchedule(state, message.value[0]);
      break;
    default:
      break;
  }
  followRoomPlan(state);
  followProjectSchedule(state);
}

void runEventLoop(AppState& state) {
  bool quit = false;
  while (!quit) {
    int type = 0;
    toolkit::Message message;
    toolkit::wmessage(type, message);
    dispatchMessage(state, type, message, quit);
  }
  toolkit::windowclose();
}

int runProgram() {
  AppState state;
  if (!startUp(state)) {
    toolkit::windowclose();
    return 1;
  }
  runEventLoop(state);
  return 0;
}

}  // namespace kandelor
