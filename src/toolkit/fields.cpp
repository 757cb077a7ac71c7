#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

#include "toolkit/field_focus.h"
#include "toolkit/field_registry.h"
#include "toolkit/number_text.h"
#include "toolkit/qt_text.h"
#include "toolkit/refusal_note.h"
#include "toolkit/toolkit.h"

namespace toolkit {
namespace {

using detail::Field;

QString fieldText(const Field& field) {
  if (auto* edit = qobject_cast<QLineEdit*>(field.widget)) return edit->text();
  if (auto* list = qobject_cast<QComboBox*>(field.widget)) return list->currentText();
  if (auto* label = qobject_cast<QLabel*>(field.widget)) return label->text();
  return {};
}

// Shows a text the program put; the field no longer holds a typed edit.
void showText(Field& field, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(field.widget)) {
    edit->setText(text);
    edit->setCursorPosition(0);
  } else if (auto* list = qobject_cast<QComboBox*>(field.widget)) {
    list->setEditText(text);
  } else if (auto* label = qobject_cast<QLabel*>(field.widget)) {
    label->setText(text);
  }
  field.edited = false;
  if (!text.isEmpty()) field.shownValue = true;
  // Text the program puts over a refused one may make the note at the field untrue.
  if (detail::refusedWidget() == field.widget && detail::acceptsText(field)) detail::hideRefusal();
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
  if (field->kind == ControlKind::Real) field->held = detail::parseReal(shown);
}

void wdialogputinteger(int id, std::int32_t value) {
  Field* field = detail::findField(id);
  if (field == nullptr) return;
  if (field->kind == ControlKind::Real) {
    wdialogputreal(id, static_cast<float>(value));
    return;
  }
  if (!detail::inRange(*field, value)) return;
  showText(*field, QString::number(value));
}

void wdialogputreal(int id, float value, std::optional<RealFormat> format) {
  Field* field = detail::findField(id);
  if (field == nullptr) return;
  // The format is the field's from now on even when the value itself is refused, so
  // that what the user types next is shown in it.
  if (format && format->width > 0) field->format = format;
  if (!std::isfinite(value) || !detail::inRange(*field, value)) return;
  if (field->kind == ControlKind::Integer) {
    showText(*field, QString::number(detail::integerFieldValue(value)));
    return;
  }
  showText(*field, detail::formatReal(value, field->format));
  field->held = value;
}

std::string wdialoggetstring(int id) {
  const Field* field = detail::findField(id);
  return field == nullptr ? std::string() : fieldText(*field).toStdString();
}

std::int32_t wdialoggetinteger(int id) {
  const Field* field = detail::findField(id);
  if (field == nullptr) return kEmptyInteger;
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
