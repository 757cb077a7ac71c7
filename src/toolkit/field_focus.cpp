#include "toolkit/field_focus.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "toolkit/number_text.h"

namespace toolkit::detail {
namespace {

QMetaObject::Connection focusConnection;
// The field that refused to be left; the focus is on its way back to it.
QPointer<QWidget> returning;

QLineEdit* lineEditOf(QWidget* widget) {
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit;
  if (auto* list = qobject_cast<QComboBox*>(widget)) return list->lineEdit();
  return nullptr;
}

bool inRange(const Field& field, double value) {
  if (!field.range) return true;
  if (field.kind == ControlKind::Real) {
    // Reals are single precision: "0.85" typed must meet a bound of 0.85 exactly.
    const float v = static_cast<float>(value);
    return v >= static_cast<float>(field.range->min) && v <= static_cast<float>(field.range->max);
  }
  return value >= field.range->min && value <= field.range->max;
}

// The typed number becomes the field's value; a real is shown again in its format.
void commit(Field& field) {
  auto* edit = lineEditOf(field.widget);
  if (edit == nullptr || !field.edited) return;
  field.edited = false;
  if (edit->text().trimmed().isEmpty()) {
    field.held.reset();
    return;
  }
  field.shownValue = true;
  if (field.kind != ControlKind::Real) return;
  field.held = parseReal(edit->text());
  if (field.held) {
    state().programmatic = true;
    edit->setText(formatReal(*field.held, field.format));
    state().programmatic = false;
  }
}

void refuseLeaving(QWidget* widget) {
  beep();
  returning = widget;
  // Sent after the current focus change has finished, so it is not undone by it.
  QTimer::singleShot(0, widget, [widget] {
    widget->setFocus(Qt::OtherFocusReason);
    if (QLineEdit* edit = lineEditOf(widget)) edit->selectAll();
  });
}

void onFocusChanged(QWidget* old, QWidget* now) {
  State& s = state();
  if (!s.mainWindow) return;
  if (returning) {
    // Only the return to the refused field is expected; nothing is checked or reported.
    if (now == returning) returning = nullptr;
    return;
  }
  const int oldId = fieldIdOf(old);
  const int newId = fieldIdOf(now);
  if (oldId == 0 || newId == 0 || oldId == newId) return;
  Field* field = findField(oldId);
  if (!acceptsText(*field)) {
    refuseLeaving(old);
    return;
  }
  commit(*field);
  if (s.enabledTypes.count(kFieldChanged)) enqueue(kFieldChanged, -1, -1);
}

}  // namespace

bool acceptsText(const Field& field) {
  if (field.kind != ControlKind::Integer && field.kind != ControlKind::Real) return true;
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
}

void unwatchFocus() {
  QObject::disconnect(focusConnection);
  focusConnection = {};
  returning = nullptr;
}

}  // namespace toolkit::detail
