#pragma once

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QString>
#include <QTest>

#include <string>
#include <vector>

#include "app/program.h"
#include "model/project_file.h"
#include "toolkit/qt_access.h"
#include "toolkit/test_hooks.h"
#include "toolkit/toolkit.h"

// Running the program's flows in a test as the event loop would.
namespace kandelor::testing {

// Every test of a whole flow answers the dialogs in advance, and leaves no window and no
// answers behind.
inline void answerDialogsInAdvance() {
  toolkit::testing::reset();
  toolkit::testing::answerMessageBoxes(true);
}
inline void closeWindowAndForgetAnswers() {
  toolkit::windowclose();
  toolkit::testing::reset();
}

// Handles every message the toolkit has queued; returns whether one of them ended the
// program (Exit or a close request that went ahead).
// Handles the messages the toolkit has queued so far.
inline void dispatchQueued(AppState& state, bool& quit) {
  QApplication::processEvents();
  while (toolkit::qt::pendingMessages() > 0) {
    int kind = 0;
    toolkit::Message message;
    toolkit::wmessage(kind, message);
    dispatchMessage(state, kind, message, quit);
  }
}

// A plan's light computed off the event loop is awaited, and its result handled, so that
// tests see the window as the user would a moment later.
inline bool pumpMessages(AppState& state) {
  bool quit = false;
  dispatchQueued(state, quit);
  while ((state.planWorker && state.planWorker->busy()) ||
         (state.scheduleWindow.worker && state.scheduleWindow.worker->busy())) {
    QTest::qWait(2);
    dispatchQueued(state, quit);
  }
  // The last result's message arrives once its computation has ended.
  dispatchQueued(state, quit);
  return quit;
}

// Chooses a menu item as a user would: triggers the main window's action of that object
// name and lets the event loop dispatch the selection. False when there is no such action.
inline bool choose(AppState& state, const char* actionName, bool* quit = nullptr) {
  QAction* action = toolkit::qt::mainWindow()->findChild<QAction*>(actionName);
  if (action == nullptr) return false;
  action->trigger();
  const bool ended = pumpMessages(state);
  if (quit != nullptr) *quit = ended;
  return true;
}

// Shows the main window and waits until it is active, so that keys reach its fields.
inline bool showActiveMainWindow() {
  QMainWindow* window = toolkit::qt::mainWindow();
  window->show();
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

inline Project loadProject(const std::string& fileName) {
  Project project;
  const auto error = loaddata(project, fileName);
  if (!error) qWarning("%s", error.error().message().c_str());
  return project;
}

inline QString joined(const std::vector<std::string>& texts) {
  QString all;
  for (const auto& t : texts) all += QString::fromStdString(t) + "\n";
  return all;
}

}  // namespace kandelor::testing
