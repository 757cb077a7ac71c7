#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "app/commands.h"
#include "app/messages.h"
#include "app/program_title.h"
#include "app/recovery.h"
#include "app/status_texts.h"
#include "app/unsaved_work.h"
#include "form/form_transfer.h"
#include "model/project_file.h"
#include "toolkit/toolkit.h"

namespace kandelor {
namespace {

constexpr const char* kTemplateFile = "xxx.dat";
constexpr const char* kProjectFilter = "Project files|*.prj|";
constexpr const char* kSaveAsFilter = "Save as...|*.prj|";
constexpr int kNewFlags = toolkit::kAppendExtension;                            // 32
constexpr int kOpenFlags = toolkit::kAppendExtension | toolkit::kMustExist;     // 160
constexpr int kSaveAsFlags = toolkit::kSaveDialog | toolkit::kAppendExtension;  // 33

// "Untitled.prj", or the first of "Untitled2.prj", "Untitled3.prj", ... that does not
// exist yet, in the folder of `currentFile`.
std::string untitledName(const std::string& currentFile) {
  const std::filesystem::path folder = std::filesystem::path(currentFile).parent_path();
  std::filesystem::path candidate = folder / "Untitled.prj";
  for (int n = 2; n < 10000; ++n) {
    std::error_code error;
    if (!std::filesystem::exists(candidate, error) && !error) break;
    candidate = folder / ("Untitled" + std::to_string(n) + ".prj");
  }
  return candidate.string();
}

// Whether two names reach the same file, however they are spelled. Names of files that
// do not exist are compared as absolute paths with "." and ".." and links resolved.
bool sameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  const bool same = std::filesystem::equivalent(a, b, error);
  if (!error) return same;
  std::error_code errorA, errorB;
  const auto canonicalA = std::filesystem::weakly_canonical(a, errorA);
  const auto canonicalB = std::filesystem::weakly_canonical(b, errorB);
  return !errorA && !errorB && canonicalA == canonicalB;
}

// Whether a file (or anything else) of that name exists; one whose existence cannot be
// told counts as existing.
bool exists(const std::string& fileName) {
  std::error_code error;
  return std::filesystem::exists(fileName, error) || error;
}

// Asks whether the project may take the name of an existing file; Cancel is the default.
bool mayTakeName(const std::string& fileName, const std::string& consequence,
                 std::string_view takeButton) {
  const std::array<std::string_view, 2> buttons{takeButton, "Cancel"};
  constexpr int kUse = 0, kCancel = 1;
  return toolkit::wquestion(kProgramTitle,
                            shownFileName(fileName) + " already exists. " + consequence, buttons,
                            kCancel, kCancel) == kUse;
}

// Makes `project`, read from `fileName`, the current one and shows it.
void adopt(AppState& state, Project&& project, const std::string& fileName) {
  state.project = std::move(project);
  state.currentFileName = fileName;
  PutData(state.page());
  PutReflectances(state.project);
  showLoadedResults(state);
  showPageInStatusBar(state.currentPage);
  toolkit::windowoutstatusbar(2, state.currentFileName);
  markSaved(state);
}

// Reads a whole project file; shows why when it cannot.
bool load(const std::string& fileName, Project& project) {
  if (const auto loaded = loaddata(project, fileName); !loaded) {
    showFileError(loaded.error());
    return false;
  }
  return true;
}

// Saves the project shown under `fileName`, which becomes the current file name; the
// work is saved, so its recovery copy goes (the old name's too).
bool saveShownProject(AppState& state, const std::string& fileName) {
  // Text that its field refuses is never saved; the field says what it takes.
  if (toolkit::holdRefusedFocus()) return false;
  gatherForm(state);
  if (const auto saved = savedata(state.project, fileName); !saved) {
    showFileError(saved.error());
    return false;
  }
  discardRecoveryCopy(state);
  state.currentFileName = fileName;
  discardRecoveryCopy(state);
  markSaved(state);
  return true;
}

}  // namespace

void gatherForm(AppState& state) {
  GetData(state.page());
  GetReflectances(state.project);
}

// Unsaved work is settled and the name asked first, so a cancelled New leaves
// everything as it was. The dialog proposes a fresh name beside the current file, and
// the template itself is refused, so that the template can never become the file the
// user's work is saved into.
void newProject(AppState& state) {
  if (!settleUnsavedWork(state, Leaving::StartingNew)) return;
  std::string fileName = untitledName(state.currentFileName);
  if (!toolkit::wselectfile2(kProjectFilter, kNewFlags, fileName, "Open New Project")) return;
  if (sameFile(fileName, kTemplateFile)) {
    toolkit::wmessagebox(kProgramTitle, std::string(kTemplateFile) +
                                            " is the template that New starts from. "
                                            "Choose another name for the new project.");
    return;
  }
  if (exists(fileName) &&
      !mayTakeName(fileName,
                   "A new project under this name replaces it at the next save. Use this name?",
                   "&Use This Name")) {
    return;
  }
  Project project;
  if (!load(kTemplateFile, project)) return;
  adopt(state, std::move(project), fileName);
}

void openProject(AppState& state) {
  if (!settleUnsavedWork(state, Leaving::Opening)) return;
  std::string fileName = state.currentFileName;
  if (!toolkit::wselectfile2(kProjectFilter, kOpenFlags, fileName, "Open Existing Project")) {
    return;
  }
  Project project;
  if (!load(fileName, project)) return;
  adopt(state, std::move(project), fileName);
  offerRecovery(state);
}

bool saveProject(AppState& state) {
  return saveShownProject(state, state.currentFileName);
}

void saveProjectAs(AppState& state) {
  std::string fileName = state.currentFileName;
  if (!toolkit::wselectfile2(kSaveAsFilter, kSaveAsFlags, fileName, "Save as...")) return;
  if (!sameFile(fileName, state.currentFileName) && exists(fileName) &&
      !mayTakeName(fileName, "Replace it with this project?", "&Replace")) {
    return;
  }
  // The chosen name becomes the project's only once the project is safely in it.
  if (!saveShownProject(state, fileName)) return;
  toolkit::windowoutstatusbar(1, kProjectNameText);
  toolkit::windowoutstatusbar(2, state.currentFileName);
  toolkit::windowoutstatusbar(3, roomsStatusText(state.currentPage));
}

}  // namespace kandelor
