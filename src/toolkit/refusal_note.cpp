#include "toolkit/refusal_note.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QToolTip>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "toolkit/number_text.h"
#include "toolkit/qt_text.h"

namespace toolkit::detail {
namespace {

// The note is a child of the form, so that it moves, hides and goes with the window and
// never stands over other programs' windows.
QPointer<QLabel> note;
QPointer<const QWidget> noted;

QString limit(const Field& field, double value) {
  if (field.kind == ControlKind::Real) return formatReal(static_cast<float>(value), std::nullopt);
  return QString::number(static_cast<long long>(value));
}

QString accepted(const Field& field) {
  if (const auto* list = qobject_cast<const QComboBox*>(field.widget)) {
    QString items;
    for (int i = 0; i < list->count(); ++i) {
      if (i > 0) items += i + 1 == list->count() ? QStringLiteral(" or ") : QStringLiteral(", ");
      items += list->itemText(i);
    }
    return items;
  }
  if (field.range) return QStringLiteral("from ") + rangeText(field);
  if (field.kind == ControlKind::Integer) {
    return QStringLiteral("a whole number from %1 to %2")
        .arg(std::numeric_limits<std::int32_t>::min())
        .arg(std::numeric_limits<std::int32_t>::max());
  }
  return QStringLiteral("a number");
}

QLabel* makeNote(QWidget* form) {
  auto* label = new QLabel(form);
  label->setTextFormat(Qt::PlainText);
  label->setPalette(QToolTip::palette());
  label->setBackgroundRole(QPalette::ToolTipBase);
  label->setForegroundRole(QPalette::ToolTipText);
  label->setAutoFillBackground(true);
  label->setFrameStyle(QFrame::Box | QFrame::Plain);
  label->setMargin(2);
  // Only shows: clicks reach the field beneath, where the focus guard judges them.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  label->setFocusPolicy(Qt::NoFocus);
  return label;
}

}  // namespace

QString rangeText(const Field& field) {
  if (!field.range) return {};
  return QStringLiteral("%1 to %2")
      .arg(limit(field, field.range->min), limit(field, field.range->max));
}

QString acceptedText(const Field& field) {
  const QString what = accepted(field);
  return field.name.empty() ? what : toQString(field.name) + QStringLiteral(": ") + what;
}

void showRefusal(const Field& field) {
  showNote(field, acceptedText(field));
}

namespace {

// Gives the field of this widget the marks it has without or with the note.
void remark(const QWidget* widget) {
  if (widget == nullptr) return;
  if (const Field* field = findField(fieldIdOf(widget))) showMarks(*field);
}

}  // namespace

void showNote(const Field& field, const QString& text) {
  QWidget* form = field.widget == nullptr ? nullptr : field.widget->parentWidget();
  if (form == nullptr) return;
  if (note && note->parentWidget() != form) delete note.data();
  if (!note) note = makeNote(form);
  const QPointer<const QWidget> before = noted;
  note->setText(text);
  note->adjustSize();
  const QRect at = field.widget->geometry();
  int y = at.bottom() + 1;
  if (y + note->height() > form->height()) y = at.top() - note->height();
  const int x = std::clamp(at.left(), 0, std::max(0, form->width() - note->width()));
  note->move(x, std::max(0, y));
  note->raise();
  note->show();
  noted = field.widget;
  if (before != field.widget) remark(before);
  showMarks(field);
}

void hideRefusal() {
  if (note) note->hide();
  const QPointer<const QWidget> before = noted;
  noted = nullptr;
  remark(before);
}

const QWidget* refusedWidget() {
  return note && !note->isHidden() ? noted.data() : nullptr;
}

QString refusalText() {
  return note && !note->isHidden() ? note->text() : QString();
}

}  // namespace toolkit::detail
