#include "model/text_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>

namespace kandelor {
namespace {

std::string systemReason(int error) {
  if (error == ENOENT) return "the file or its folder does not exist";
  return std::strerror(error);
}

FileError readError(const std::string& fileName, int error) {
  return FileError{fileName, 0, systemReason(error), false};
}

FileError writeError(const std::string& fileName, int error) {
  return FileError{fileName, 0, systemReason(error), true};
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  // Closes now and reports the outcome (a failed close can mean lost data).
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string folderOf(const std::string& fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : fileName.substr(0, slash);
}

// The file a name finally stands for, through any chain of symbolic links (a link
// whose target does not exist yet names that target).
std::string followLinks(std::string fileName) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (::lstat(fileName.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return fileName;
    std::array<char, 4096> target{};
    const ssize_t n = ::readlink(fileName.c_str(), target.data(), target.size() - 1);
    if (n <= 0) return fileName;
    std::string next(target.data(), static_cast<std::size_t>(n));
    if (next.front() != '/') next = folderOf(fileName) + "/" + next;
    fileName = std::move(next);
  }
  return fileName;
}

std::string baseNameOf(const std::string& fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

// Temporary files of a save of `fileName` begin with this: hidden, and named after it.
std::string temporaryPrefix(const std::string& fileName) {
  std::string prefix(1, '.');
  prefix += baseNameOf(fileName);
  prefix += ".~";
  return prefix;
}

// The process that wrote a temporary file named ".NAME.~PID-N", 0 for another name.
pid_t writerOf(std::string_view name) {
  const std::size_t mark = name.rfind(".~");
  if (name.empty() || name.front() != '.' || mark == std::string_view::npos || mark == 0) return 0;
  std::string_view rest = name.substr(mark + 2);
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size()) return 0;
  const auto digits = [](std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!digits(rest.substr(0, dash)) || !digits(rest.substr(dash + 1)) || dash > 9) return 0;
  return static_cast<pid_t>(std::stol(std::string(rest.substr(0, dash))));
}

bool processRuns(pid_t pid) {
  return ::kill(pid, 0) == 0 || errno != ESRCH;
}

// Removes the regular files in `folder` whose names begin with `prefix` (all when empty)
// and that `abandoned` says an interrupted save left.
template <class Abandoned>
void removeTemporaries(const std::string& folder, std::string_view prefix, Abandoned abandoned) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.substr(0, prefix.size()) != prefix) continue;
    const pid_t writer = writerOf(name);
    if (writer <= 0) continue;
    const std::string path = folder + "/" + std::string(name);
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && abandoned(writer, info)) {
      ::unlink(path.c_str());
    }
  }
  ::closedir(dir);
}

// Removes what interrupted saves (a kill, a power loss) left of the same file: the
// temporary files with its prefix whose program no longer runs, or older than a minute.
// A younger one of a running program may belong to a save in progress.
void removeStaleTemporaries(const std::string& folder, const std::string& prefix) {
  const std::time_t now = std::time(nullptr);
  removeTemporaries(folder, prefix, [now](pid_t writer, const struct stat& info) {
    return !processRuns(writer) || now - info.st_mtime > 60;
  });
}

}  // namespace

void removeAbandonedTemporaries(const std::string& folder) {
  removeTemporaries(folder, "", [](pid_t writer, const struct stat&) {
    return writer != ::getpid() && !processRuns(writer);
  });
}

Result<std::string> readWholeFile(const std::string& fileName) {
  Descriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return readError(fileName, errno);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return readError(fileName, errno);
  if (S_ISDIR(info.st_mode)) return readError(fileName, EISDIR);

  std::string text;
  text.resize(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 4096);
  std::size_t used = 0;
  for (;;) {
    if (used == text.size()) text.resize(text.size() * 2);
    const ssize_t n = ::read(file.get(), text.data() + used, text.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      return readError(fileName, errno);
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  text.resize(used);
  return text;
}

Result<> writeFileAtomically(const std::string& requestedName, std::string_view content) {
  if (requestedName.empty()) return writeError(requestedName, ENOENT);
  // Through a symbolic link the link's target is replaced, and the link stays.
  const std::string fileName = followLinks(requestedName);
  struct stat old {};
  const bool replacing = ::stat(fileName.c_str(), &old) == 0;
  if (replacing && !S_ISREG(old.st_mode)) return writeError(requestedName, EISDIR);
  // A file its owner may not write is read-only, also for a program run as root.
  if (replacing && ((old.st_mode & S_IWUSR) == 0 || ::access(fileName.c_str(), W_OK) != 0)) {
    return FileError{requestedName, 0, "the file is read-only; nothing was written", true};
  }

  // A hidden new file in the same folder, so that the rename cannot cross file systems.
  const std::string folder = folderOf(fileName);
  const std::string prefix = temporaryPrefix(fileName);
  static unsigned counter = 0;
  std::string tempName;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tempName = folder + "/" + prefix + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return writeError(requestedName, errno);
  Descriptor temp(fd);

  auto abandon = [&](int error) {
    if (temp.get() >= 0) temp.close();
    ::unlink(tempName.c_str());
    return writeError(requestedName, error);
  };
  if (replacing) {
    // Keep the permissions, the group and (where allowed) the owner of the old file.
    if (::fchown(temp.get(), static_cast<uid_t>(-1), old.st_gid) != 0) {
      // Not a member of that group: the new file keeps the user's own group.
    }
    if (::fchown(temp.get(), old.st_uid, static_cast<gid_t>(-1)) != 0) {
      // Only the superuser may give a file away.
    }
    ::fchmod(temp.get(), old.st_mode & 07777);  // chown may clear set-id bits
  }
  if (!writeAll(temp.get(), content) || ::fsync(temp.get()) != 0) return abandon(errno);
  if (!temp.close()) return abandon(errno);
  if (::rename(tempName.c_str(), fileName.c_str()) != 0) return abandon(errno);
  // Make the rename itself durable; a failure here leaves a complete file either way.
  Descriptor folderDescriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderDescriptor.get() >= 0) ::fsync(folderDescriptor.get());
  removeStaleTemporaries(folder, prefix);
  return {};
}

}  // namespace kandelor
