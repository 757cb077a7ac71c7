#include "app/room_plan_follow.h"

#include "form/calc_data.h"
#include "form/field_ids.h"
#include "form/room_plan_view.h"
#include "toolkit/room_plan.h"

namespace kandelor {

namespace {

PlanInputs inputsOf(AppState& state) {
  // The title follows the name and number as typed.
  return {state.currentPage, state.planRow, RowAsShown(state.page(), state.planRow),
          state.page().defaults, ReadReflectanceChoices()};
}

}  // namespace

void openRoomPlan(AppState& state, int fieldId) {
  const int row = rowOfField(fieldId);
  if (row == 0) return;
  state.planRow = row;
  state.planShown = inputsOf(state);
  ShowRoomPlan(state.page(), state.currentPage, row, state.catalogue, state.photometry, true);
}

void followRoomPlan(AppState& state) {
  if (state.planRow == 0 || !toolkit::wplanisopen()) return;
  // The light takes a moment to compute: only when something it depends on changed.
  PlanInputs inputs = inputsOf(state);
  if (state.planShown == inputs) return;
  state.planShown = std::move(inputs);
  ShowRoomPlan(state.page(), state.currentPage, state.planRow, state.catalogue, state.photometry,
               false);
}

}  // namespace kandelor
