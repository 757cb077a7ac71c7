#include "app/schedule_follow.h"

#include <filesystem>

#include "app/commands.h"
#include "app/messages.h"
#include "app/recovery.h"
#include "app/unsaved_work.h"
#include "form/field_ids.h"
#include "form/schedule_view.h"
#include "model/text_file.h"
#include "toolkit/project_schedule.h"
#include "toolkit/toolkit.h"
#include "tools/schedule/schedule_csv.h"
#include "tools/schedule/schedule_json.h"
#include "tools/schedule/schedule_pdf.h"

namespace kandelor {

namespace {

constexpr const char* kSpaceTypeFile = "space_types.csv";

void readSpaceTypes(ScheduleWindowState& view) {
  if (view.tableRead) return;
  view.tableRead = true;
  if (auto table = readSpaceTypeTable(kSpaceTypeFile)) {
    view.table = std::move(*table);
  } else {
    view.tableProblem = table.error().message();
  }
}

// The options kandelor-schedule takes from the project file: its reflectances and the
// space types its rooms keep (a name the table lacks is left out of the check).
schedule::ScheduleOptions optionsOf(const Project& project, const ScheduleWindowState& view,
                                    const std::string& fileName) {
  schedule::ScheduleOptions options;
  if (project.reflectances) {
    options.ceilingChoice = project.reflectances->ceiling;
    options.wallChoice = project.reflectances->wall;
  }
  if (project.hasSpaceTypes()) {
    RoomSpaceTypes rooms;
    for (int room = 1; room <= kRoomCount; ++room) {
      const std::string& name = project.spaceType(room);
      for (std::size_t t = 0; !name.empty() && t < view.table.size(); ++t) {
        if (view.table[t].name == name) rooms.emplace(room, t);
      }
    }
    options.spaceTypes =
        schedule::SpaceTypeList{fileName, view.table, std::move(rooms), "the project file"};
  }
  return options;
}

void show(AppState& state, bool open) {
  ScheduleWindowState& view = state.scheduleWindow;
  const Project& project = *view.listedProject;
  toolkit::ScheduleContent content =
      scheduleContent(view.listed, project, spaceTypeChoices(view.table, project), view.pending);
  if (!view.tableProblem.empty() && content.status.empty()) {
    content.status = "No space types to choose from: " + view.tableProblem;
  }
  toolkit::wscheduleshow(content, open);
  toolkit::wscheduleprogress(view.worker ? view.worker->roomsDone() : 0,
                             static_cast<int>(view.pending.size()));
}

// Lists the project: the lumen method's figures at once, each room's light from what was
// computed before for the same inputs, and the others asked of the worker.
void list(AppState& state, Project project, bool open) {
  ScheduleWindowState& view = state.scheduleWindow;
  readSpaceTypes(view);
  const std::string name = std::filesystem::path(state.currentFileName).filename().string();
  schedule::Schedule listed = schedule::buildSchedule(
      project, state.catalogue, optionsOf(project, view, state.currentFileName), name);
  listed.reflectancesFrom = project.reflectances ? "the project file" : "";

  ScheduleLightJob job;
  view.pending.clear();
  if (listed.column != 0) {
    for (schedule::ScheduleRow& row : listed.rows) {
      schedule::RoomLightInputs inputs = schedule::lightInputs(listed, project, row);
      if (const auto known = view.light.find(row.room);
          known != view.light.end() && known->second->inputs == inputs) {
        row.light = known->second->figures;
      } else {
        view.pending.insert(row.room);
        job.rooms.emplace_back(row.room, std::move(inputs));
      }
    }
  }
  schedule::checkRoomTargets(listed);
  view.listed = std::move(listed);
  view.listedProject = std::move(project);
  view.listedFile = state.currentFileName;
  if (!job.rooms.empty()) {
    if (!view.worker) {
      view.worker = std::make_unique<ScheduleLightWorker>(state.catalogue, state.photometry);
    }
    job.number = ++view.request;
    view.worker->request(std::move(job));
  }
  show(state, open);
}

}  // namespace

void openProjectSchedule(AppState& state) {
  list(state, projectAsShown(state), true);
}

void followProjectSchedule(AppState& state) {
  if (!toolkit::wscheduleisopen()) return;
  ScheduleWindowState& view = state.scheduleWindow;
  Project shown = projectAsShown(state);
  if (view.listedProject && *view.listedProject == shown &&
      view.listedFile == state.currentFileName) {
    return;
  }
  list(state, std::move(shown), false);
}

void showScheduleProgress(AppState& state, int request) {
  ScheduleWindowState& view = state.scheduleWindow;
  if (request != view.request || !view.worker || view.pending.empty()) return;
  toolkit::wscheduleprogress(view.worker->roomsDone(), static_cast<int>(view.pending.size()));
}

void showComputedSchedule(AppState& state, int request) {
  ScheduleWindowState& view = state.scheduleWindow;
  if (!view.worker || request != view.request || !view.listedProject) return;
  const auto done = view.worker->take(request);
  if (!done) return;
  for (const auto& room : done->rooms) view.light[room->room] = room;
  list(state, *view.listedProject, false);
}

void goToRoom(AppState& state, int room) {
  if (room < 1 || room > kRoomCount) return;
  const int page = (room - 1) / kRowCount + 1;
  const int row = (room - 1) % kRowCount + 1;
  if (page != state.currentPage) {
    bool quit = false;
    processmenu(kMenuZonePage1 + page - 1, quit, state);
  }
  // A page switch held back or failed leaves the focus where it is.
  if (page == state.currentPage) toolkit::wdialogsetfocus(fieldId(row, Column::Name));
}

void chooseSpaceType(AppState& state, int room, int choice) {
  ScheduleWindowState& view = state.scheduleWindow;
  if (room < 1 || room > kRoomCount) return;
  const SpaceTypeChoices choices = spaceTypeChoices(view.table, state.project);
  if (choice < 0 || choice >= static_cast<int>(choices.names.size())) return;
  std::string& kept = state.project.spaceType(room);
  if (kept == choices.names[static_cast<std::size_t>(choice)]) return;
  kept = choices.names[static_cast<std::size_t>(choice)];
  keepRecoveryCopy(state);
}

void exportSchedule(AppState& state, int kind) {
  ScheduleWindowState& view = state.scheduleWindow;
  if (!view.listedProject || !view.pending.empty()) return;
  struct Format {
    const char* filter;
    const char* extension;
    const char* title;
  };
  const Format format = kind == toolkit::kExportCsv ? Format{"CSV|*.csv|", ".csv", "Export CSV"}
                        : kind == toolkit::kExportJson
                            ? Format{"JSON|*.json|", ".json", "Export JSON"}
                            : Format{"PDF|*.pdf|", ".pdf", "Export PDF"};
  std::filesystem::path proposed(state.currentFileName);
  proposed.replace_extension(format.extension);
  std::string fileName = proposed.string();
  if (!toolkit::wselectfile2(
          format.filter, toolkit::kSaveDialog | toolkit::kAskOverwrite | toolkit::kAppendExtension,
          fileName, format.title)) {
    return;
  }
  // The listing holds the rooms' figures; the files get their points too (the plans).
  schedule::Schedule exported = view.listed;
  for (schedule::ScheduleRow& row : exported.rows) {
    if (const auto known = view.light.find(row.room); known != view.light.end()) {
      row.light = known->second->result;
    }
  }
  exported.options.units = toolkit::wmetricchosen() ? Units::Si : Units::Imperial;
  exported.options.plans = kind == toolkit::kExportPdfWithPlans;
  const Result<> written =
      kind == toolkit::kExportCsv ? writeFileAtomically(fileName, schedule::formatCsv(exported))
      : kind == toolkit::kExportJson
          ? writeFileAtomically(fileName, schedule::formatJson(exported))
          : schedule::writeSchedulePdf(exported, fileName, schedule::todaysDate());
  if (!written) showFileError(written.error());
}

}  // namespace kandelor
