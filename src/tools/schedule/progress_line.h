#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>

namespace kandelor::schedule {

// Tells on a terminal how far a long computation has got: once it has taken `after`, a
// line such as "Light on the work plane: 37 of 95 rooms", rewritten in place and ended
// when the last is done. Where the descriptor is no terminal (a pipe, a file) it says
// nothing, so that scripts see only what they asked for. Safe to call from any thread.
class ProgressLine {
 public:
  ProgressLine(int fd, std::string what, std::chrono::milliseconds after);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void update(std::size_t done, std::size_t total);

 private:
  void write(const std::string& text) const;

  int fd_;
  bool terminal_;
  std::string what_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::milliseconds after_;
  std::chrono::steady_clock::time_point lastShown_{};
  bool shown_ = false;
  bool ended_ = false;
  std::mutex mutex_;
};

}  // namespace kandelor::schedule
