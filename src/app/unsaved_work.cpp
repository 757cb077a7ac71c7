#include "app/unsaved_work.h"

#include <array>
#include <filesystem>
#include <string_view>

#include "app/commands.h"
#include "app/program_title.h"
#include "app/recovery.h"
#include "form/form_transfer.h"
#include "model/project_file.h"
#include "toolkit/toolkit.h"

namespace kandelor {

Project projectAsShown(AppState& state) {
  Project shown = state.project;
  GetData(shown.page(state.currentPage));
  GetReflectances(shown);
  normaliseTexts(shown);
  return shown;
}

std::string shownProjectText(AppState& state) {
  return formatProject(projectAsShown(state));
}

void markSaved(AppState& state) {
  state.savedText = shownProjectText(state);
}

bool hasUnsavedWork(AppState& state) {
  return shownProjectText(state) != state.savedText;
}

std::string shownFileName(const std::string& fileName) {
  const std::string name = std::filesystem::path(fileName).filename().string();
  return name.empty() ? fileName : name;
}

bool settleUnsavedWork(AppState& state, Leaving leaving) {
  if (!hasUnsavedWork(state)) {
    discardRecoveryCopy(state);
    return true;
  }
  constexpr std::array<std::string_view, 3> kButtons{"&Save", "&Don't Save", "Cancel"};
  constexpr int kSave = 0, kDontSave = 1, kCancel = 2;
  const char* when = leaving == Leaving::Closing   ? "closing"
                     : leaving == Leaving::Opening ? "opening another project"
                                                   : "starting a new project";
  const std::string question =
      "Save the changes to \"" + shownFileName(state.currentFileName) + "\" before " + when + "?";
  switch (toolkit::wquestion(kProgramTitle, question, kButtons, kSave, kCancel)) {
    case kSave:
      return saveProject(state);
    case kDontSave:
      discardRecoveryCopy(state);
      return true;
    default:
      return false;
  }
}

}  // namespace kandelor
