#include "toolkit/number_filter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

#include <algorithm>

#include "toolkit/beep.h"
#include "toolkit/field_registry.h"
#include "toolkit/number_text.h"
#include "toolkit/refusal_note.h"

namespace toolkit::detail {
namespace {

constexpr int kIntegerFieldLength = 11;
const QString kTypePoint = QStringLiteral("Type decimals with a point: 3.5");

int programPuts = 0;

bool allowed(QChar c, bool real) {
  if (c.isDigit() || c == u'+' || c == u'-') return true;
  return real && (c == u'.' || c == u'E');
}

// A character as a real field takes it: "e" as "E", the locale's decimal comma as ".".
QChar asTyped(QChar c, bool real) {
  if (!real) return c;
  if (c == u'e') return u'E';
  if (c == u',' && commaIsDecimalPoint()) return u'.';
  return c;
}

// Beeps and shows the note at the edit's field: `text`, or what the field accepts.
void refuse(QLineEdit* edit, const QString& text = {}) {
  beep();
  const Field* field = findField(fieldIdOf(edit));
  if (field == nullptr) return;
  showNote(*field, text.isEmpty() ? acceptedText(*field) : text);
}

}  // namespace

bool commaIsDecimalPoint() {
  return QLocale().decimalPoint() == QStringLiteral(",");
}

ProgramText::ProgramText() {
  ++programPuts;
}
ProgramText::~ProgramText() {
  --programPuts;
}

NumberValidator::NumberValidator(bool real, QLineEdit* edit)
    : QValidator(edit), real_(real), edit_(edit), before_(edit->text()) {
  connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
}

QValidator::State NumberValidator::validate(QString& input, int&) const {
  if (programPuts > 0) return Acceptable;
  const auto [at, inserted] = insertedText(before_, input);
  // Deleting never brings in a character that cannot be in a number; one character is
  // a key, which the key filter judged (or a drop of one, judged here the same way).
  if (inserted.size() <= 1) {
    for (QChar& c : input) c = asTyped(c, real_);
    if (inserted.isEmpty() || allowed(asTyped(inserted[0], real_), real_)) return Acceptable;
  } else {
    // A paste or a drop: exactly one number, blanks around it dropped.
    QString number = inserted.trimmed();
    for (QChar& c : number) c = asTyped(c, real_);
    const bool charactersFit =
        !number.isEmpty() &&
        std::all_of(number.begin(), number.end(), [this](QChar c) { return allowed(c, real_); });
    if (charactersFit && parseNumber(number)) {
      input.replace(at, inserted.size(), number);
      return Acceptable;
    }
  }
  // Told once the edit has undone the change, so the note stands at the text kept.
  const bool comma = inserted.contains(u',') && real_;
  QLineEdit* edit = edit_;
  QTimer::singleShot(0, edit, [edit, comma, several = inserted.size() > 1] {
    if (comma) {
      refuse(edit, kTypePoint);
    } else if (several) {
      const Field* field = findField(fieldIdOf(edit));
      refuse(edit, QStringLiteral("Only one number can be pasted here. ") +
                       (field != nullptr ? acceptedText(*field) : QString()));
    } else {
      refuse(edit);
    }
  });
  return Invalid;
}

NumberKeyFilter::NumberKeyFilter(bool real, QObject* parent) : QObject(parent), real_(real) {}

bool NumberKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  auto* edit = qobject_cast<QLineEdit*>(watched);
  const QString text = key->text();
  // Shortcuts and editing keys (Ctrl+A, Backspace, Tab, ...) pass unchanged.
  if (edit == nullptr || text.size() != 1 || !text[0].isPrint() ||
      (key->modifiers() & Qt::ControlModifier)) {
    return false;
  }
  // An Alt or Meta key that no shortcut took (a menu's letter while the window is not
  // active) types nothing into a number.
  if (key->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) return true;
  const QChar c = asTyped(text[0], real_);
  const bool full = edit->maxLength() <= edit->text().size() && !edit->hasSelectedText();
  if (!allowed(c, real_) || full) {
    refuse(edit, real_ && c == u',' ? kTypePoint : QString());
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
