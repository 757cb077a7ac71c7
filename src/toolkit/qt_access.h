#pragma once

#include <QString>
#include <Qt>

class QLabel;
class QMainWindow;
class QTextBrowser;
class QWidget;

// The Qt objects behind the toolkit, for tests that drive the real widgets.
namespace toolkit::qt {

QMainWindow* mainWindow();
QWidget* fieldWidget(int id);
// The label of status-bar part 1..N, nullptr for other numbers.
QLabel* statusBarPart(int part);
QString statusBarText(int part);
QTextBrowser* helpViewer();
QString helpViewerText();
bool isHelpViewerVisible();
// Beeps sounded since the toolkit started (refused keys and refused leaving).
int beepCount();
// The note of what a field accepts, shown while it refuses what was typed; empty when
// none is shown. The field it stands at, nullptr for none.
QString refusalNote();
const QWidget* refusalNoteField();
// The room plan window, nullptr until the plan was first asked for.
QWidget* planWindow();
// The project schedule window, nullptr until the schedule was first shown.
QWidget* scheduleWindow();
// Messages waiting in the queue.
int pendingMessages();
// Drops the waiting messages.
void clearMessages();

}  // namespace toolkit::qt
