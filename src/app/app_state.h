#pragma once

#include <string>

#include "app/report.h"
#include "calc/catalogue.h"
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

  RoomPage& page() { return project.page(currentPage); }
};

}  // namespace kandelor
