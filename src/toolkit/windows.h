#pragma once

#include <QMainWindow>
#include <QPointer>

#include <vector>

class QLabel;
class QStatusBar;
class QTextBrowser;

namespace toolkit::detail {

// The toolkit's windows: the main window with its status bar, the help viewer and the
// room plan and the project schedule.
struct Windows {
  QPointer<QMainWindow> main;
  QPointer<QStatusBar> statusBar;
  std::vector<QPointer<QLabel>> statusParts;
  QPointer<QTextBrowser> helpViewer;
  QPointer<QWidget> planWindow;      // the room plan, a child window of the main one
  QPointer<QWidget> scheduleWindow;  // the project schedule, likewise
};

// The program's icon for every window, and the desktop entry that names it: set before
// any window shows (the main window's, once its window-system window exists).
void presentAsKandelor();

inline Windows& windows() {
  static Windows open;
  return open;
}

}  // namespace toolkit::detail
