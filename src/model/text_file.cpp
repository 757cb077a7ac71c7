#include "model/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

}  // namespace

std::optional<FileError> readWholeFile(const std::string& fileName, std::string& content) {
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
  content = std::move(text);
  return std::nullopt;
}

std::optional<FileError> writeFileAtomically(const std::string& fileName,
                                             std::string_view content) {
  if (fileName.empty()) return writeError(fileName, ENOENT);
  // A new file in the same folder, so that the rename cannot cross file systems.
  static unsigned counter = 0;
  std::string tempName;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tempName = fileName + ".~" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return writeError(fileName, errno);
  Descriptor temp(fd);

  auto abandon = [&](int error) {
    temp.close();
    ::unlink(tempName.c_str());
    return writeError(fileName, error);
  };
  // Keep the permissions of the file being replaced.
  struct stat old {};
  if (::stat(fileName.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ::fchmod(temp.get(), old.st_mode & 07777);
  }
  if (!writeAll(temp.get(), content) || ::fsync(temp.get()) != 0) return abandon(errno);
  if (!temp.close()) {
    const int error = errno;
    ::unlink(tempName.c_str());
    return writeError(fileName, error);
  }
  if (::rename(tempName.c_str(), fileName.c_str()) != 0) {
    const int error = errno;
    ::unlink(tempName.c_str());
    return writeError(fileName, error);
  }
  // Make the rename itself durable; a failure here leaves a complete file either way.
  Descriptor folder(::open(folderOf(fileName).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
  return std::nullopt;
}

}  // namespace kandelor
