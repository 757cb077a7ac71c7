#include "toolkit/number_filter.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "toolkit/beep.h"
#include "toolkit/field_registry.h"
#include "toolkit/refusal_note.h"

namespace toolkit::detail {
namespace {

constexpr int kIntegerFieldLength = 11;

bool allowed(QChar c, bool real) {
  if (c.isDigit() || c == u'+' || c == u'-') return true;
  return real && (c == u'.' || c == u'E');
}

}  // namespace

NumberValidator::NumberValidator(bool real, QObject* parent) : QValidator(parent), real_(real) {}

QValidator::State NumberValidator::validate(QString& input, int&) const {
  for (QChar& c : input) {
    if (real_ && c == u'e') c = u'E';
    if (!allowed(c, real_)) return Invalid;
  }
  return Acceptable;
}

NumberKeyFilter::NumberKeyFilter(bool real, QObject* parent) : QObject(parent), real_(real) {}

bool NumberKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  auto* edit = qobject_cast<QLineEdit*>(watched);
  const QString text = key->text();
  // Shortcuts and editing keys (Ctrl+A, Backspace, Tab, ...) pass unchanged.
  if (edit == nullptr || text.size() != 1 || !text[0].isPrint() ||
      (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    return false;
  }
  QChar c = text[0];
  if (real_ && c == u'e') c = u'E';
  const bool full = edit->maxLength() <= edit->text().size() && !edit->hasSelectedText();
  if (!allowed(c, real_) || full) {
    beep();
    if (const Field* field = findField(fieldIdOf(edit))) showRefusal(*field);
    return true;
  }
  if (c != text[0]) {
    edit->insert(QString(c));
    return true;
  }
  return false;
}

void installNumberFilter(QLineEdit* edit, bool real) {
  if (!real) edit->setMaxLength(kIntegerFieldLength);
  edit->setValidator(new NumberValidator(real, edit));
  edit->installEventFilter(new NumberKeyFilter(real, edit));
}

}  // namespace toolkit::detail
