#include "app/recovery.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

#include "app/commands.h"
#include "app/program_title.h"
#include "app/unsaved_work.h"
#include "form/form_transfer.h"
#include "model/project_file.h"
#include "toolkit/toolkit.h"

namespace kandelor {
namespace {

// When the file was last written, as "2026-12-09 22:41" in local time.
std::string modificationTime(const std::string& fileName) {
  struct stat status {};
  if (::stat(fileName.c_str(), &status) != 0) return "an unknown time";
  std::tm local{};
  localtime_r(&status.st_mtime, &local);
  std::array<char, 32> text{};
  std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M", &local);
  return text.data();
}

// Moves an unreadable copy out of the way under a name no file has yet (a hard link
// never replaces a file). Returns the new name, or empty when it could not be moved.
std::string setAside(const std::string& fileName) {
  for (int n = 1; n < 1000; ++n) {
    std::string aside = fileName;
    aside += ".unreadable";
    if (n > 1) aside.append(1, '-').append(std::to_string(n));
    if (::link(fileName.c_str(), aside.c_str()) == 0) {
      ::unlink(fileName.c_str());
      return aside;
    }
    if (errno != EEXIST) break;
  }
  return {};
}

}  // namespace

std::string recoveryFileName(const std::string& projectFile) {
  const std::filesystem::path path(projectFile.substr(0, projectFile.find_last_not_of(' ') + 1));
  std::string hidden(1, '.');
  hidden.append(path.filename().string()).append(".recovery");
  return (path.parent_path() / hidden).string();
}

void keepRecoveryCopy(AppState& state) {
  Project shown = projectAsShown(state);
  std::string text = formatProject(shown);
  if (text == state.savedText) {
    if (!state.recoveryText.empty()) discardRecoveryCopy(state);
    return;
  }
  if (text == state.recoveryText) return;
  const std::string copy = recoveryFileName(state.currentFileName);
  if (const auto saved = savedata(shown, copy); !saved) {
    if (!state.recoveryFailureShown) {
      toolkit::wmessagebox(kProgramTitle,
                           "Kandelor cannot keep a recovery copy of your unsaved work. " +
                               saved.error().message() +
                               " You can go on working; save your work with File > Save.");
      state.recoveryFailureShown = true;
    }
    return;
  }
  state.recoveryText = std::move(text);
  state.recoveryFailureShown = false;
}

void discardRecoveryCopy(AppState& state) {
  std::error_code ignored;
  std::filesystem::remove(recoveryFileName(state.currentFileName), ignored);
  state.recoveryText.clear();
}

void offerRecovery(AppState& state) {
  const std::string copy = recoveryFileName(state.currentFileName);
  std::error_code error;
  if (!std::filesystem::exists(copy, error)) return;

  auto recovered = std::make_unique<Project>();
  if (const auto loaded = loaddata(*recovered, copy); !loaded) {
    const std::string aside = setAside(copy);
    toolkit::wmessagebox(
        kProgramTitle,
        "The recovery copy of \"" + shownFileName(state.currentFileName) +
            "\" cannot be read: " + loaded.error().message() +
            (aside.empty() ? " It was left where it is." : " It was kept as \"" + aside + "\"."));
    return;
  }

  constexpr std::array<std::string_view, 2> kButtons{"&Restore", "&Discard"};
  constexpr int kRestore = 0;
  const std::string question =
      "Kandelor did not close normally. Restore the unsaved changes to \"" +
      shownFileName(state.currentFileName) + "\" from " + modificationTime(copy) + "?";
  // Esc restores too: it is the answer that loses nothing.
  if (toolkit::wquestion(kProgramTitle, question, kButtons, kRestore, kRestore) != kRestore) {
    discardRecoveryCopy(state);
    return;
  }
  // The project file stays as it was until the user saves; the work is unsaved.
  state.project = *recovered;
  PutData(state.page());
  PutReflectances(state.project);
  showLoadedResults(state);
  state.recoveryText = shownProjectText(state);
}

}  // namespace kandelor
