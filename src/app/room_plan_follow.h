#pragma once

#include "app/app_state.h"

namespace kandelor {

// Opens the plan window on the row of the grid field `fieldId`.
void openRoomPlan(AppState& state, int fieldId);

// Shows the computed light of plan request `request` when it is the newest; a result
// whose inputs have changed since is dropped.
void showComputedPlan(AppState& state, int request);

// Redraws the open plan window when its row's light may have changed (a calculation, a
// page switch that shows the same row of another page, a project opened or new).
void followRoomPlan(AppState& state);

}  // namespace kandelor
