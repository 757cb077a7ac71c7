#pragma once

#include "app/app_state.h"

namespace kandelor {

// Opens the plan window on the row of the grid field `fieldId`.
void openRoomPlan(AppState& state, int fieldId);

// Redraws the open plan window when its row's light may have changed (a calculation, a
// page switch that shows the same row of another page, a project opened or new).
void followRoomPlan(AppState& state);

}  // namespace kandelor
