#include "toolkit/qt_access.h"

#include <QLabel>
#include <QMainWindow>
#include <QTextBrowser>

#include "toolkit/beep.h"
#include "toolkit/field_registry.h"
#include "toolkit/message_queue.h"
#include "toolkit/refusal_note.h"
#include "toolkit/windows.h"

namespace toolkit::qt {

QMainWindow* mainWindow() {
  return detail::windows().main;
}

QWidget* fieldWidget(int id) {
  const detail::Field* field = detail::findField(id);
  return field == nullptr ? nullptr : field->widget;
}

QLabel* statusBarPart(int part) {
  const auto& parts = detail::windows().statusParts;
  if (part < 1 || part > static_cast<int>(parts.size())) return nullptr;
  return parts[static_cast<std::size_t>(part - 1)];
}

QString statusBarText(int part) {
  const QLabel* label = statusBarPart(part);
  return label == nullptr ? QString() : label->text();
}

QWidget* planWindow() {
  return detail::windows().planWindow;
}

QWidget* scheduleWindow() {
  return detail::windows().scheduleWindow;
}

QTextBrowser* helpViewer() {
  return detail::windows().helpViewer;
}

QString helpViewerText() {
  const QTextBrowser* viewer = helpViewer();
  return viewer == nullptr ? QString() : viewer->toPlainText();
}

bool isHelpViewerVisible() {
  const QTextBrowser* viewer = helpViewer();
  return viewer != nullptr && viewer->isVisible();
}

int beepCount() {
  return detail::beepsSounded();
}

QString refusalNote() {
  return detail::refusalText();
}

const QWidget* refusalNoteField() {
  return detail::refusedWidget();
}

int pendingMessages() {
  return static_cast<int>(detail::messageQueue().waiting.size());
}

void clearMessages() {
  detail::messageQueue().waiting.clear();
}

}  // namespace toolkit::qt
