#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

#include "toolkit/field_focus.h"
#include "toolkit/field_registry.h"
#include "toolkit/number_filter.h"
#include "toolkit/number_text.h"
#include "toolkit/qt_text.h"
#include "toolkit/refusal_note.h"
#include "toolkit/toolkit.h"

namespace toolkit {
namespace {

using detail::Field;
using detail::ProgramText;

QString fieldText(const Field& field) {
  if (auto* edit = qobject_cast<QLineEdit*>(field.widget)) return edit->text();
  if (auto* list = qobject_cast<QComboBox*>(field.widget)) return list->currentText();
  if (auto* label = qobject_cast<QLabel*>(field.widget)) return label->text();
  return {};
}

// Shows a text the program put; the field no longer holds a typed edit.
void showText(Field& field, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(field.widget)) {
    const ProgramText putting;
    edit->setText(text);
    edit->setCursorPosition(0);
  } else if (auto* list = qobject_cast<QComboBox*>(field.widget)) {
    list->setEditText(text);
  } else if (auto* label = qobject_cast<QLabel*>(field.widget)) {
    label->setText(text);
  }
  field.edited = false;
  field.shownValue = !text.isEmpty();
  // Text the program puts over a refused one may make the note at the field untrue.
  if (detail::refusedWidget() == field.widget && detail::acceptsText(field)) detail::hideRefusal();
}

// The digits, or as many '*' as the field shows (up to `marks`) when they do not fit.
QString digitsOrOverflow(const Field& field, const QString& digits, int marks) {
  const auto* edit = qobject_cast<const QLineEdit*>(field.widget);
  if (edit == nullptr) return digits;
  const QFontMetrics metrics(edit->font());
  const int room = edit->contentsRect().width() - 4;  // the edit's own inner margins
  if (metrics.horizontalAdvance(digits) <= room) return digits;
  const int fit = std::max(1, room / std::max(1, metrics.horizontalAdvance(QLatin1Char('*'))));
  return QString(std::min(fit, std::max(1, marks)), QLatin1Char('*'));
}

// Shows a number put into a numeric field: in range as its digits; outside the range
// marked, so that it can be seen, kept and told apart from what the user may type.
void showNumber(Field& field, double value, const QString& digits, int overflowMarks) {
  const bool empty = value == static_cast<double>(kEmptyInteger);
  const bool accepted = std::isfinite(value) && detail::inRange(field, value);
  field.outOfRange.clear();
  const std::string name = field.name.empty() ? std::string("The value") : field.name;
  if (accepted) {
    showText(field, digits);
  } else if (empty) {
    showText(field, QString());
    field.outOfRange = name + " is empty; it takes " +
                       detail::acceptedText(field).section(QStringLiteral(": "), -1).toStdString();
  } else {
    showText(field, digitsOrOverflow(field, digits, overflowMarks));
    field.outOfRange = name + " " +
                       (std::isfinite(value) ? digits.toStdString() : std::string("value")) +
                       " lies outside " + detail::rangeText(field).toStdString();
  }
  detail::showMarks(field);
}

void setRange(int id, double min, double max) {
  Field* field = detail::findField(id);
  if (field == nullptr) return;
  if (field->kind != ControlKind::Integer && field->kind != ControlKind::Real) return;
  field->range = detail::Range{min, max};
}

}  // namespace

void wdialogputstring(int id, std::string_view text) {
  Field* field = detail::findField(id);
  if (field == nullptr) return;
  const QString shown = detail::toQString(detail::withoutTrailingBlanks(text));
  showText(*field, shown);
  field->heldInteger.reset();
  if (field->kind == ControlKind::Real) field->held = detail::parseReal(shown);
  if (!field->outOfRange.empty()) {
    field->outOfRange.clear();
    detail::showMarks(*field);
  }
}

void wdialogputinteger(int id, std::int32_t value) {
  Field* field = detail::findField(id);
  if (field == nullptr) return;
  if (field->kind == ControlKind::Real) {
    wdialogputreal(id, static_cast<float>(value));
    return;
  }
  showNumber(*field, value, QString::number(value), 5);
  field->heldInteger = value;
}

void wdialogputreal(int id, float value, std::optional<RealFormat> format) {
  Field* field = detail::findField(id);
  if (field == nullptr) return;
  if (format && format->width > 0) field->format = format;
  if (field->kind == ControlKind::Integer) {
    const std::int32_t whole = detail::integerFieldValue(value);
    showNumber(*field, std::isfinite(value) ? value : NAN, QString::number(whole), 5);
    field->heldInteger = whole;
    return;
  }
  const int width = field->format ? field->format->width : 5;
  showNumber(*field, value, detail::formatReal(value, field->format), width);
  field->held = value;
}

std::string wdialoggetstring(int id) {
  const Field* field = detail::findField(id);
  return field == nullptr ? std::string() : fieldText(*field).toStdString();
}

std::int32_t wdialoggetinteger(int id) {
  const Field* field = detail::findField(id);
  if (field == nullptr) return kEmptyInteger;
  if (!field->edited && field->heldInteger) return *field->heldInteger;
  const auto value = detail::parseNumber(fieldText(*field));
  return value ? detail::integerFieldValue(*value) : kEmptyInteger;
}

float wdialoggetreal(int id) {
  const Field* field = detail::findField(id);
  if (field == nullptr) return kEmptyReal;
  // The held number keeps digits the field format does not show; a text still being
  // typed is read as it stands.
  if (field->kind == ControlKind::Real && !field->edited && field->held) return *field->held;
  return detail::parseReal(fieldText(*field)).value_or(kEmptyReal);
}

void wdialograngeinteger(int id, std::int32_t min, std::int32_t max) {
  setRange(id, min, max);
}

void wdialograngereal(int id, float min, float max) {
  setRange(id, min, max);
}

}  // namespace toolkit
