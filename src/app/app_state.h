#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/plan_worker.h"
#include "app/report.h"
#include "app/schedule_light.h"
#include "calc/catalogue.h"
#include "calc/current_results.h"
#include "calc/workplane/type_photometry.h"
#include "model/project.h"

namespace kandelor {

// What the room plan was drawn from: its row and everything its light depends on.
struct PlanInputs {
  int page = 0;
  int row = 0;
  RoomRow room;
  PageDefaults defaults;
  ReflectanceChoices choices;

  bool operator==(const PlanInputs&) const = default;
};

// Everything the program keeps for the length of a run.
struct AppState {
  Project project;
  FixtureCatalogue catalogue;
  // The types' light distributions, from photometry.dat beside the catalogue; a type
  // without one has no room plan.
  workplane::CataloguePhotometry photometry;
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

  // The row of the page shown whose plan the plan window follows (0: none asked yet), and
  // what it was last drawn from.
  int planRow = 0;
  std::optional<PlanInputs> planShown;
  // Computes the plan's light off the event loop, from the first plan asked; the number of
  // the newest request, the only one whose result is shown.
  std::unique_ptr<PlanWorker> planWorker;
  int planRequest = 0;

  // The project schedule window's listing and the light it keeps.
  ScheduleWindowState scheduleWindow;

  RoomPage& page() { return project.page(currentPage); }
};

}  // namespace kandelor
