#pragma once

#include <string>

#include "app/app_state.h"
#include "model/project.h"

namespace kandelor {

// The project as the user sees it: the current page as the form shows it, the other
// pages as held, the reflectance lists' choices; texts as a save stores them.
Project projectAsShown(AppState& state);

// The text a save of the project shown would write.
std::string shownProjectText(AppState& state);

// The project shown is what was just loaded or saved under the current file name.
void markSaved(AppState& state);

bool hasUnsavedWork(AppState& state);

// What the user is about to do that would drop the project shown.
enum class Leaving { Closing, Opening, StartingNew };

// With unsaved work, asks whether to save it first. Returns whether to go on: after Save
// (when the save succeeded) or Don't Save, or at once when nothing is unsaved; false on
// Cancel or a failed save, leaving everything as it was.
bool settleUnsavedWork(AppState& state, Leaving leaving);

// The name of the file as the user knows it, without its folder.
std::string shownFileName(const std::string& fileName);

}  // namespace kandelor
