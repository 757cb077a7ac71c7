#include "app/recovery.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/commands.h"
#include "app/program_title.h"
#include "app/status_texts.h"
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

namespace {

enum class Answer { Restore, Discard, Later };

// Asks whether to restore the copy's changes to `projectFile`. Restore is Enter's; Esc
// and the close box keep the copy for later, the answer that decides nothing.
Answer askToRestore(const std::string& projectFile, const std::string& copy) {
  constexpr std::array<std::string_view, 3> kButtons{"&Restore", "&Discard", "&Later"};
  constexpr int kRestore = 0, kDiscard = 1, kLater = 2;
  const std::string question =
      "Kandelor did not close normally. Restore the unsaved changes to \"" +
      shownFileName(projectFile) + "\" from " + modificationTime(copy) + "?";
  switch (toolkit::wquestion(kProgramTitle, question, kButtons, kRestore, kLater)) {
    case kRestore:
      return Answer::Restore;
    case kDiscard:
      return Answer::Discard;
    default:
      return Answer::Later;
  }
}

// Reads a recovery copy whole; one that cannot be read is set aside under another name
// and named in a message, and gives nothing.
std::unique_ptr<Project> readCopy(const std::string& projectFile, const std::string& copy) {
  auto recovered = std::make_unique<Project>();
  if (const auto loaded = loaddata(*recovered, copy); !loaded) {
    const std::string aside = setAside(copy);
    toolkit::wmessagebox(kProgramTitle, "The recovery copy of \"" + shownFileName(projectFile) +
                                            "\" cannot be read: " + loaded.error().message() +
                                            (aside.empty() ? " It was left where it is."
                                                           : " It was kept as \"" + aside + "\"."));
    return nullptr;
  }
  return recovered;
}

// Shows the recovered project as unsaved work on the project file shown. Its results are
// those of the inputs before the crash at best: none counts as current until calculated.
void restore(AppState& state, const Project& recovered) {
  state.project = recovered;
  PutData(state.page());
  PutReflectances(state.project);
  state.currentResults.forget();
  showVerdicts(state);
  state.recoveryText = shownProjectText(state);
}

// A recovery copy in the working folder and the project file it belongs to.
struct FoundCopy {
  std::string copy;
  std::string projectFile;
  std::filesystem::file_time_type written;
};

// The recovery copies in the working folder (".NAME.recovery"), newest first.
std::vector<FoundCopy> recoveryCopiesHere() {
  std::vector<FoundCopy> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(".", error)) {
    const std::string name = entry.path().filename().string();
    constexpr std::string_view kSuffix = ".recovery";
    if (name.size() <= kSuffix.size() + 1 || name.front() != '.' || !name.ends_with(kSuffix)) {
      continue;
    }
    std::error_code statError;
    if (!entry.is_regular_file(statError)) continue;
    const std::string projectFile = name.substr(1, name.size() - 1 - kSuffix.size());
    found.push_back({name, projectFile, entry.last_write_time(statError)});
  }
  std::sort(found.begin(), found.end(),
            [](const FoundCopy& a, const FoundCopy& b) { return a.written > b.written; });
  return found;
}

// Whether two names reach the same file.
bool sameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  const bool same = std::filesystem::equivalent(a, b, error);
  if (!error) return same;
  return std::filesystem::absolute(a, error).lexically_normal() ==
         std::filesystem::absolute(b, error).lexically_normal();
}

// Makes `projectFile` the current file, as last saved (an empty project when it cannot
// be read), before its recovered changes are put over it.
void openForRestore(AppState& state, const std::string& projectFile) {
  auto saved = std::make_unique<Project>();
  const bool readable = static_cast<bool>(loaddata(*saved, projectFile));
  state.project = readable ? *saved : Project{};
  state.currentFileName = projectFile;
  PutData(state.page());
  PutReflectances(state.project);
  markSaved(state);
  if (!readable) state.savedText.clear();  // nothing of it is saved
  showPageInStatusBar(state.currentPage);
  toolkit::windowoutstatusbar(2, state.currentFileName);
}

}  // namespace

void offerRecovery(AppState& state) {
  const std::string copy = recoveryFileName(state.currentFileName);
  std::error_code error;
  if (!std::filesystem::exists(copy, error)) return;
  const auto recovered = readCopy(state.currentFileName, copy);
  if (!recovered) return;
  switch (askToRestore(state.currentFileName, copy)) {
    case Answer::Restore:
      // The project file stays as it was until the user saves; the work is unsaved.
      restore(state, *recovered);
      break;
    case Answer::Discard:
      discardRecoveryCopy(state);
      break;
    case Answer::Later:
      break;
  }
}

void offerRecoveries(AppState& state) {
  for (const FoundCopy& found : recoveryCopiesHere()) {
    const auto recovered = readCopy(found.projectFile, found.copy);
    if (!recovered) continue;
    const Answer answer = askToRestore(found.projectFile, found.copy);
    if (answer == Answer::Discard) {
      std::error_code ignored;
      std::filesystem::remove(found.copy, ignored);
    }
    if (answer != Answer::Restore) continue;
    if (!sameFile(found.projectFile, state.currentFileName))
      openForRestore(state, found.projectFile);
    restore(state, *recovered);
    // One project is open at a time: the other copies wait for their file's next Open
    // or the next start.
    return;
  }
}

}  // namespace kandelor
