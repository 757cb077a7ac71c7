#include "toolkit/field_focus.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include "toolkit/beep.h"
#include "toolkit/message_queue.h"
#include "toolkit/number_text.h"
#include "toolkit/qt_text.h"
#include "toolkit/refusal_note.h"
#include "toolkit/windows.h"

namespace toolkit::detail {
namespace {

QMetaObject::Connection focusConnection;
// The field of the form that has, or last had, the focus. It stays while the focus is
// in a menu, a dialog or another window, so that coming back to the form from there
// still checks the field being left.
QPointer<QWidget> current;
// The field that refused to be left; the focus is on its way back to it.
QPointer<QWidget> returning;

QLineEdit* lineEditOf(QWidget* widget) {
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit;
  if (auto* list = qobject_cast<QComboBox*>(widget)) return list->lineEdit();
  return nullptr;
}

// The typed number becomes the field's value; a real is shown again in its format.
void commit(Field& field) {
  auto* edit = lineEditOf(field.widget);
  if (edit == nullptr || !field.edited) return;
  field.edited = false;
  field.heldInteger.reset();
  if (!field.outOfRange.empty()) {
    field.outOfRange.clear();
    showMarks(field);
  }
  if (edit->text().trimmed().isEmpty()) {
    field.held.reset();
    return;
  }
  field.shownValue = true;
  if (field.kind != ControlKind::Real) return;
  field.held = parseReal(edit->text());
  if (field.held) edit->setText(formatReal(*field.held, field.format));
}

// The item of the list whose text equals the list's text, -1 for none.
int typedItem(const QComboBox& list) {
  const QString text = list.currentText();
  for (int i = 0; i < list.count(); ++i) {
    if (list.itemText(i) == text) return i;
  }
  return -1;
}

// A list left with an item's text typed into it selects that item. Quietly: leaving the
// list reports the change already.
void selectTypedItem(const Field& field) {
  auto* list = qobject_cast<QComboBox*>(field.widget);
  if (list == nullptr) return;
  const int item = typedItem(*list);
  if (item < 0 || item == list->currentIndex()) return;
  const QSignalBlocker quiet(list);
  list->setCurrentIndex(item);
}

// The current field when its text may not be left, else nullptr.
QWidget* refusedField() {
  if (!current || !windows().main) return nullptr;
  const Field* field = findField(fieldIdOf(current));
  return field != nullptr && !acceptsText(*field) ? current.data() : nullptr;
}

void selectWhole(QWidget* widget) {
  widget->setFocus(Qt::OtherFocusReason);
  if (QLineEdit* edit = lineEditOf(widget)) edit->selectAll();
}

void refuseLeaving(QWidget* widget) {
  beep();
  if (const Field* field = findField(fieldIdOf(widget))) showRefusal(*field);
  returning = widget;
  // Sent after the current focus change has finished, so it is not undone by it.
  QTimer::singleShot(0, widget, [widget] { selectWhole(widget); });
}

void onFocusChanged(QWidget*, QWidget* now) {
  if (!windows().main) return;
  if (returning) {
    // Only the return to the refused field is expected; nothing is checked or reported.
    if (now == returning) returning = nullptr;
    return;
  }
  const int newId = fieldIdOf(now);
  // Leaving the form for a menu or another window checks nothing yet.
  if (newId == 0) return;
  const int oldId = fieldIdOf(current);
  if (oldId == newId) return;
  if (Field* field = findField(oldId)) {
    if (!acceptsText(*field)) {
      refuseLeaving(current);
      return;
    }
    commit(*field);
    selectTypedItem(*field);
    hideRefusal();
    reportFieldChanged();
  }
  current = findField(newId)->widget;
}

// The widget a press or a wheel turn is meant for. These reach the main window's
// native window before Qt hands them to a widget and gives that widget the focus, so
// they are looked at there first.
QWidget* widgetUnderPointer(QObject* receiver, QEvent* event) {
  QMainWindow* window = windows().main;
  if (window == nullptr || receiver != window->windowHandle()) return nullptr;
  const QPointF position = static_cast<QSinglePointEvent*>(event)->position();
  return window->childAt(position.toPoint());
}

// While the current field holds text it may not be left, every way into another field
// or list of the form is held back: Tab and Shift+Tab, a mouse button or the wheel
// over another field, a drop on it. The menu bar and other windows stay free, so that
// a menu command reads the text as typed.
class FocusGuard : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* receiver, QEvent* event) override {
    QWidget* target = receiver->isWidgetType() ? static_cast<QWidget*>(receiver) : nullptr;
    bool noisy = false;  // a press, a wheel turn or a Tab beeps; the rest is held quietly
    switch (event->type()) {
      case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Tab && key != Qt::Key_Backtab) return false;
        // Tab moves away from the field that has the focus: it is the one to check.
        QWidget* refused = refusedField();
        if (refused == nullptr || fieldIdOf(target) != fieldIdOf(refused)) return false;
        holdBack(refused, true);
        return true;
      }
      case QEvent::MouseButtonPress:
      case QEvent::Wheel:
        noisy = true;
        [[fallthrough]];
      case QEvent::MouseButtonDblClick:
        if (target == nullptr) target = widgetUnderPointer(receiver, event);
        break;
      // Only on widgets: a release or a drag that began in the refused field itself
      // must reach it.
      case QEvent::MouseMove:
        if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) return false;
        break;
      case QEvent::MouseButtonRelease:
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
        break;
      default:
        return false;
    }
    const int targetId = fieldIdOf(target);
    if (targetId == 0) return false;
    QWidget* refused = refusedField();
    if (refused == nullptr || targetId == fieldIdOf(refused)) return false;
    event->ignore();
    holdBack(refused, noisy);
    return true;
  }

 private:
  static void holdBack(QWidget* refused, bool noisy) {
    // A focus change already refused has beeped and is bringing the focus back.
    if (noisy && !returning) beep();
    if (const Field* field = findField(fieldIdOf(refused))) showRefusal(*field);
    selectWhole(refused);
  }
};

QPointer<FocusGuard> guard;

}  // namespace

bool acceptsText(const Field& field) {
  if (const auto* list = qobject_cast<const QComboBox*>(field.widget)) {
    // A list takes only its own items (one without items takes anything).
    return !list->isEnabled() || list->count() == 0 || typedItem(*list) >= 0;
  }
  if (field.kind != ControlKind::Integer && field.kind != ControlKind::Real) return true;
  // A value the program put from outside the range may stay as long as it is not edited.
  if (!field.outOfRange.empty() && !field.edited) return true;
  const QLineEdit* edit = lineEditOf(field.widget);
  if (edit == nullptr || !edit->isEnabled()) return true;
  const QString text = edit->text();
  if (text.trimmed().isEmpty()) return !(field.range && field.shownValue);
  if (field.kind == ControlKind::Real) {
    const auto value = parseReal(text);
    return value && inRange(field, *value);
  }
  const auto value = parseNumber(text);
  return value && fitsInt32(*value) && inRange(field, *value);
}

void watchFocus() {
  if (focusConnection) return;
  focusConnection = QObject::connect(qApp, &QApplication::focusChanged, onFocusChanged);
  guard = new FocusGuard(qApp);
  qApp->installEventFilter(guard);
}

void refuseText(Field& field) {
  beep();
  showRefusal(field);
  selectWhole(field.widget);
}

void unwatchFocus() {
  QObject::disconnect(focusConnection);
  focusConnection = {};
  delete guard.data();
  current = nullptr;
  returning = nullptr;
}

}  // namespace toolkit::detail

namespace toolkit {

bool holdRefusedText(int id) {
  detail::Field* field = detail::findField(id);
  if (field == nullptr || field->widget == nullptr || detail::acceptsText(*field)) return false;
  detail::refuseText(*field);
  return true;
}

bool holdRefusedFocus() {
  QWidget* refused = detail::refusedField();
  if (refused == nullptr) return false;
  return holdRefusedText(detail::fieldIdOf(refused));
}

int wdialogfocus() {
  return detail::windows().main ? detail::fieldIdOf(detail::current) : 0;
}

void wdialogsetfocus(int id) {
  const detail::Field* field = detail::findField(id);
  QMainWindow* window = detail::windows().main;
  if (field == nullptr || field->widget == nullptr || window == nullptr) return;
  window->raise();
  window->activateWindow();
  field->widget->setFocus(Qt::OtherFocusReason);
}

void showFieldNote(int id, std::string_view text) {
  const detail::Field* field = detail::findField(id);
  if (field == nullptr || field->widget == nullptr) return;
  detail::showNote(*field, detail::toQString(text));
}

std::string acceptedText(int id) {
  const detail::Field* field = detail::findField(id);
  return field == nullptr ? std::string() : detail::acceptedText(*field).toStdString();
}

}  // namespace toolkit
