#pragma once

#include <QMainWindow>
#include <QPointer>

#include <vector>

class QLabel;
class QStatusBar;
class QTextBrowser;

namespace toolkit::detail {

// The toolkit's windows: the main window with its status bar, the help viewer and the
// room plan.
struct Windows {
  QPointer<QMainWindow> main;
  QPointer<QStatusBar> statusBar;
  std::vector<QPointer<QLabel>> statusParts;
  QPointer<QTextBrowser> helpViewer;
  QPointer<QWidget> planWindow;  // the room plan, a child window of the main one
};

inline Windows& windows() {
  static Windows open;
  return open;
}

}  // namespace toolkit::detail
