#include "tools/schedule/progress_line.h"

#include <unistd.h>

namespace kandelor::schedule {

ProgressLine::ProgressLine(int fd, std::string what, std::chrono::milliseconds after)
    : fd_(fd),
      terminal_(::isatty(fd) == 1),
      what_(std::move(what)),
      start_(std::chrono::steady_clock::now()),
      after_(after) {}

ProgressLine::~ProgressLine() {
  // A line left unfinished (the work stopped early) is ended, so the shell's prompt starts
  // on a line of its own.
  if (shown_ && !ended_) write("\n");
}

void ProgressLine::update(std::size_t done, std::size_t total) {
  if (!terminal_) return;
  const std::lock_guard lock(mutex_);
  if (ended_) return;
  const auto now = std::chrono::steady_clock::now();
  const bool last = done >= total;
  if (now - start_ < after_ && !(last && shown_)) return;
  // A terminal is redrawn a few times a second at most, and always for the last.
  if (shown_ && !last && now - lastShown_ < std::chrono::milliseconds(100)) return;
  write("\r" + what_ + ": " + std::to_string(done) + " of " + std::to_string(total) + " rooms" +
        (last ? "\n" : ""));
  shown_ = true;
  ended_ = last;
  lastShown_ = now;
}

void ProgressLine::write(const std::string& text) const {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd_, text.data() + written, text.size() - written);
    if (n <= 0) return;  // the terminal went away: nothing to tell it
    written += static_cast<std::size_t>(n);
  }
}

}  // namespace kandelor::schedule
