#include "tools/launcher/project_folder.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>

namespace kandelor::launcher {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFolderName = "Kandelor";

std::optional<fs::path> absolutePath(const std::optional<std::string>& value) {
  if (!value || value->empty() || (*value)[0] != '/') return std::nullopt;
  return fs::path(*value);
}

std::optional<fs::path> homeFolder(const Environment& environment) {
  if (auto home = absolutePath(environment("HOME"))) return home;
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
    return absolutePath(std::string(entry->pw_dir));
  return std::nullopt;
}

// The value of XDG_DOCUMENTS_DIR in a user-dirs.dirs file: a line
// XDG_DOCUMENTS_DIR="$HOME/Documents" (an absolute path or one starting with $HOME).
std::optional<fs::path> documentsInUserDirs(const fs::path& file, const fs::path& home) {
  std::ifstream in(file);
  const std::string key = "XDG_DOCUMENTS_DIR=\"";
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key, 0) != 0) continue;
    const std::size_t end = line.find('"', key.size());
    if (end == std::string::npos) return std::nullopt;
    std::string value = line.substr(key.size(), end - key.size());
    if (value.rfind("$HOME", 0) == 0) value = home.string() + value.substr(5);
    return absolutePath(value);
  }
  return std::nullopt;
}

FileError folderError(const fs::path& path, const std::string& what) {
  return FileError{path.string(), 0, what, true};
}

// Copies `from` to the absent `to`: into a hidden file beside it, which then takes the
// name only if nothing has taken it meanwhile (then the copy is dropped).
Result<> copyIfAbsent(const fs::path& from, const fs::path& to) {
  std::string hiddenName = ".";
  hiddenName += to.filename().string();
  hiddenName += ".~";
  hiddenName += std::to_string(getpid());
  const fs::path temporary = to.parent_path() / hiddenName;
  std::error_code error;
  fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, error);
  // The user's copy is theirs to edit, also where the shipped file is read-only.
  if (!error) fs::permissions(temporary, fs::perms::owner_write, fs::perm_options::add, error);
  std::string failure = error ? error.message() : "";
  if (!error &&
      renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
    if (errno == EINVAL || errno == ENOSYS) {
      // The file system cannot refuse to replace: look first, then rename.
      if (!fs::exists(fs::symlink_status(to, error)) &&
          std::rename(temporary.c_str(), to.c_str()) != 0)
        failure = std::strerror(errno);
    } else if (errno != EEXIST) {
      failure = std::strerror(errno);
    }
  }
  fs::remove(temporary, error);
  if (!failure.empty()) return folderError(to, "cannot copy the shipped file: " + failure);
  return {};
}

}  // namespace

std::optional<std::string> processEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

Result<fs::path> projectFolder(const Environment& environment) {
  if (auto documents = absolutePath(environment("XDG_DOCUMENTS_DIR")))
    return *documents / kFolderName;
  const std::optional<fs::path> home = homeFolder(environment);
  if (!home) return folderError("~", "no home folder is known (HOME is not set)");
  const fs::path config = absolutePath(environment("XDG_CONFIG_HOME")).value_or(*home / ".config");
  if (auto documents = documentsInUserDirs(config / "user-dirs.dirs", *home))
    return *documents / kFolderName;
  return *home / kFolderName;
}

Result<> seedProjectFolder(const fs::path& shipped, const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(shipped, error))
    return FileError{shipped.string(), 0, "the shipped data files are not there", false};
  if (fs::exists(folder, error) && !fs::is_directory(folder, error))
    return folderError(folder, "cannot make the folder: a file of that name is in the way");
  fs::create_directories(folder, error);
  if (error) return folderError(folder, "cannot make the folder: " + error.message());

  fs::recursive_directory_iterator entries(shipped, error);
  if (error) return FileError{shipped.string(), 0, error.message(), false};
  for (const fs::directory_entry& entry : entries) {
    const fs::path target = folder / entry.path().lexically_relative(shipped);
    if (entry.is_directory(error)) {
      fs::create_directories(target, error);
      if (error) return folderError(target, "cannot make the folder: " + error.message());
      continue;
    }
    if (!entry.is_regular_file(error)) continue;
    if (fs::exists(fs::symlink_status(target, error))) continue;
    if (auto copied = copyIfAbsent(entry.path(), target); !copied) return copied;
  }
  return {};
}

}  // namespace kandelor::launcher
