#include "tools/schedule/progress_line.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <string>

namespace kandelor::schedule {
namespace {

// What the other end of a descriptor pair has been sent so far.
std::string drain(int fd) {
  std::string text;
  char buffer[256];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;
}

// On a terminal the line appears once the work has taken long enough, rewrites itself and
// ends with the last room; on a pipe nothing is said; a short run says nothing either.
TEST(ProgressLine, SaysHowFarOnATerminalOnly) {
  int master = -1, slave = -1;
  termios raw{};
  cfmakeraw(&raw);
  ASSERT_EQ(::openpty(&master, &slave, nullptr, &raw, nullptr), 0);
  {
    ProgressLine line(slave, "Light on the work plane", std::chrono::milliseconds(0));
    line.update(37, 95);
    line.update(95, 95);
    line.update(95, 95);  // once ended, nothing more
  }
  ::close(slave);
  const std::string told = drain(master);
  ::close(master);
  EXPECT_EQ(told.rfind("\rLight on the work plane: 37 of 95 rooms", 0), 0u) << told;
  EXPECT_NE(told.find("\rLight on the work plane: 95 of 95 rooms\n"), std::string::npos) << told;
  EXPECT_EQ(told.find("95 rooms\n"), told.rfind("95 rooms\n"));

  int pipe[2];
  ASSERT_EQ(::pipe(pipe), 0);
  {
    ProgressLine line(pipe[1], "Light on the work plane", std::chrono::milliseconds(0));
    line.update(1, 2);
    line.update(2, 2);
  }
  ::close(pipe[1]);
  EXPECT_EQ(drain(pipe[0]), "");
  ::close(pipe[0]);

  ASSERT_EQ(::openpty(&master, &slave, nullptr, &raw, nullptr), 0);
  {
    ProgressLine line(slave, "Light on the work plane", std::chrono::hours(1));
    line.update(1, 2);
    line.update(2, 2);
  }
  ::close(slave);
  EXPECT_EQ(drain(master), "");
  ::close(master);
}

}  // namespace
}  // namespace kandelor::schedule
