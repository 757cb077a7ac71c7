#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTest>

#include "toolkit/qt_access.h"

// Driving the form's fields as a user would, for the widget tests.
namespace kandelor::testing {

// The text of a text or numeric field, or "<no field>" when the form has none of that id.
inline QString textOf(int id) {
  const auto* edit = qobject_cast<QLineEdit*>(toolkit::qt::fieldWidget(id));
  return edit != nullptr ? edit->text() : QStringLiteral("<no field>");
}

// Replaces a field's text (a list's too) as a user would: gives it the focus, selects the
// whole text with Ctrl+A and types. In the active window the focus is awaited first, so
// that leaving the field later is seen; a window that is not active takes the keys
// without it. False when the form lacks the field or the focus does not come.
inline bool typeInto(int id, const QString& text) {
  QWidget* widget = toolkit::qt::fieldWidget(id);
  if (widget == nullptr) return false;
  widget->setFocus();
  if (widget->window()->isActiveWindow() &&
      !QTest::qWaitFor([widget] { return QApplication::focusWidget() == widget; })) {
    return false;
  }
  QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(widget, text);
  return true;
}

}  // namespace kandelor::testing
