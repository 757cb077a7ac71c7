#include "app/room_plan_follow.h"

#include "form/calc_data.h"
#include "form/field_ids.h"
#include "form/room_plan_view.h"
#include "toolkit/room_plan.h"

#include <memory>
#include <utility>

namespace kandelor {

namespace {

PlanInputs inputsOf(AppState& state) {
  // The title follows the name and number as typed.
  return {state.currentPage, state.planRow, RowAsShown(state.page(), state.planRow),
          state.page().defaults, ReadReflectanceChoices()};
}

// Asks for the plan of the row followed, computed off the event loop; meanwhile the window
// says so over the picture it shows.
void requestPlan(AppState& state, bool open) {
  PlanAsked asked = AskPlan(state.page(), state.currentPage, state.planRow);
  if (!asked.reflectances) {
    toolkit::wplannote(asked.title, asked.note, open);
    return;
  }
  if (!state.planWorker) {
    state.planWorker = std::make_unique<PlanWorker>(state.catalogue, state.photometry);
  }
  ++state.planRequest;
  toolkit::wplanbusy(asked.title, "Computing the light\u2026", open);
  state.planWorker->request(
      {state.planRequest, std::move(asked.title), asked.room, asked.defaults, *asked.reflectances});
}

}  // namespace

void openRoomPlan(AppState& state, int fieldId) {
  const int row = rowOfField(fieldId);
  if (row == 0) return;
  state.planRow = row;
  state.planShown = inputsOf(state);
  requestPlan(state, true);
}

void showComputedPlan(AppState& state, int request) {
  if (!state.planWorker || request != state.planRequest) return;  // a newer one is on its way
  if (auto done = state.planWorker->take(request)) {
    ShowComputedPlan(done->title, done->result, false);
  }
}

void followRoomPlan(AppState& state) {
  if (state.planRow == 0 || !toolkit::wplanisopen()) return;
  // The light takes a moment to compute: only when something it depends on changed.
  PlanInputs inputs = inputsOf(state);
  if (state.planShown == inputs) return;
  state.planShown = std::move(inputs);
  requestPlan(state, false);
}

}  // namespace kandelor
