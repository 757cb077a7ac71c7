#pragma once

#include "app/app_state.h"

namespace kandelor {

// The menu commands. Each runs to completion; failures are shown to the user and
// leave the project, the form and the current file name as they were.

// Saves the project, reads it back and shows page `page` (1 to 5).
void switchPage(AppState& state, int page);

// New and Open first settle unsaved work (see unsaved_work.h); New asks before it takes
// the name of an existing file, Save As before it replaces one.
void newProject(AppState& state);
void openProject(AppState& state);
// Returns whether the project was saved.
bool saveProject(AppState& state);
void saveProjectAs(AppState& state);

// Reads the form into the project (the current page and the reflectance choices), as
// every save and Print do.
void gatherForm(AppState& state);

void calculate(AppState& state);
void printReport(AppState& state);
void showHelp();

// Shows each row's verdict and the fixtures that meet its design, from the form's
// numbers; after every change of the form's values.
void showVerdicts(AppState& state);
// As showVerdicts, after a project was loaded and put on the form: its results count as
// computed from the inputs shown when the file gave the reflectances they were computed
// with.
void showLoadedResults(AppState& state);

// Runs the command of one menu id; sets `quit` for Exit (once unsaved work is settled).
// Unknown ids do nothing.
void processmenu(int menuId, bool& quit, AppState& state);

}  // namespace kandelor
