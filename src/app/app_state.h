#pragma once

#include <string>

#include "app/report.h"
#include "calc/catalogue.h"
#include "calc/current_results.h"
#include "model/project.h"

namespace kandelor {

// Everything the program keeps for the length of a run.
struct AppState {
  Project project;
  FixtureCatalogue catalogue;
  int currentPage = 1;                      // the page the form shows, 1 to 5
  std::string currentFileName = "new.dat";  // the project file loaddata/savedata act on
  bool spreadsheetMode = false;             // recalculate on every field change
  ReportPercentages reportPercentages;      // last printed reflectances
  CurrentResults currentResults;            // the rooms whose results match their inputs

  // The project as last loaded or saved under currentFileName, as a file holds it: what
  // the project shown is compared with to tell whether there is unsaved work.
  std::string savedText;
  // What the recovery copy of currentFileName holds; empty when none was written.
  std::string recoveryText;
  // The user has been told that the recovery copy cannot be written (told once).
  bool recoveryFailureShown = false;

  RoomPage& page() { return project.page(currentPage); }
};

}  // namespace kandelor
