#pragma once

#include "app/app_state.h"

namespace kandelor {

// Opens the main window, loads "new.dat" and the catalogue and shows page 1.
// Returns false when the program cannot go on (the user has been told why).
bool startUp(AppState& state);

// Takes one message after another until Exit or a close request; then closes the window.
void runEventLoop(AppState& state);

// The whole program; returns its exit status.
int runProgram();

}  // namespace kandelor
