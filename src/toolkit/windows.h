#pragma once

#include <QMainWindow>
#include <QPointer>

#include <vector>

class QLabel;
class QStatusBar;
class QTextBrowser;

namespace toolkit::detail {

// The toolkit's windows: the main window with its status bar, and the help viewer.
struct Windows {
  QPointer<QMainWindow> main;
  QPointer<QStatusBar> statusBar;
  std::vector<QPointer<QLabel>> statusParts;
  QPointer<QTextBrowser> helpViewer;
};

inline Windows& windows() {
  static Windows open;
  return open;
}

}  // namespace toolkit::detail
