#pragma once

#include "app/app_state.h"
#include "toolkit/toolkit.h"

namespace kandelor {

// Opens the main window, loads "new.dat" and the catalogue and shows page 1.
// Returns false when the program cannot go on (the user has been told why).
bool startUp(AppState& state);

// Handles one toolkit message: a menu selection runs its command, a close request sets
// `quit`, a field change recalculates the page while spreadsheet mode is on.
void dispatchMessage(AppState& state, int type, const toolkit::Message& message, bool& quit);

// Takes one message after another until Exit or a close request; then closes the window.
void runEventLoop(AppState& state);

// The whole program; returns its exit status.
int runProgram();

}  // namespace kandelor
