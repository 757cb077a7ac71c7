#pragma once

#include "app/app_state.h"

namespace kandelor {

// The project schedule window: opened from the View menu, it lists every room in use of
// the project as the form shows it and follows it from then on (after each message), its
// rooms' light computed off the event loop.
void openProjectSchedule(AppState& state);
void followProjectSchedule(AppState& state);
// The window's messages: the light's progress and result, a room chosen (its page shown
// and its row given the focus), a space type chosen, an export asked.
void showScheduleProgress(AppState& state, int request);
void showComputedSchedule(AppState& state, int request);
void goToRoom(AppState& state, int room);
void chooseSpaceType(AppState& state, int room, int choice);
void exportSchedule(AppState& state, int kind);

}  // namespace kandelor
