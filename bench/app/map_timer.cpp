// map_timer [-s SETTLE_MS] COMMAND [ARG...]: starts COMMAND and tells how long it took
// from exec to the X server mapping its first top-level window, and its resident memory
// SETTLE_MS (default 500) after that, once it has painted. Prints "<ms> <kB>" and ends
// the command. It waits on the X server's MapNotify events of the root window's
// children (or of a window manager's frame around them), matched to the command by the
// _NET_WM_PID property, so the waiting costs the command nothing.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTimeout = std::chrono::seconds(30);

long windowPid(Display* display, Window window) {
  static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  long pid = -1;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) == Success &&
      data != nullptr && format == 32 && count == 1) {
    pid = *reinterpret_cast<long*>(data);
  }
  if (data != nullptr) XFree(data);
  return pid;
}

// Whether the window, or one of its children (a frame's client), belongs to `pid`.
bool belongsTo(Display* display, Window window, pid_t pid) {
  if (windowPid(display, window) == pid) return true;
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  bool found = false;
  if (XQueryTree(display, window, &root, &parent, &children, &count)) {
    for (unsigned int i = 0; i < count && !found; ++i) found = belongsTo(display, children[i], pid);
    if (children != nullptr) XFree(children);
  }
  return found;
}

// Unrelated windows going away mid-query are not errors here.
int ignoreErrors(Display*, XErrorEvent*) {
  return 0;
}

long residentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

void end(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 50; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char* argv[]) {
  int settleMs = 500;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "-s") == 0) {
    settleMs = std::atoi(argv[2]);
    first = 3;
  }
  if (first >= argc) {
    std::fprintf(stderr, "usage: map_timer [-s SETTLE_MS] COMMAND [ARG...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "map_timer: no X display\n");
    return 2;
  }
  XSetErrorHandler(ignoreErrors);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    close(ConnectionNumber(display));
    execvp(argv[first], argv + first);
    std::perror("map_timer: exec");
    _exit(127);
  }

  bool mapped = false;
  Clock::time_point mappedAt;
  while (!mapped && Clock::now() - start < kTimeout) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      std::fprintf(stderr, "map_timer: %s ended before mapping a window\n", argv[first]);
      return 1;
    }
    if (XPending(display) == 0) {
      pollfd fd{ConnectionNumber(display), POLLIN, 0};
      poll(&fd, 1, 100);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != MapNotify || event.xmap.override_redirect) continue;
    if (belongsTo(display, event.xmap.window, pid)) {
      mappedAt = Clock::now();
      mapped = true;
    }
  }
  if (!mapped) {
    std::fprintf(stderr, "map_timer: no window mapped within %lld s\n",
                 static_cast<long long>(kTimeout.count()));
    end(pid);
    return 1;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
  const long kb = residentKb(pid);
  end(pid);
  XCloseDisplay(display);
  std::printf("%.1f %ld\n", std::chrono::duration<double, std::milli>(mappedAt - start).count(),
              kb);
  return 0;
}
