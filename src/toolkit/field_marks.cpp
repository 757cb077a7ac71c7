#include <QLineEdit>

#include "toolkit/field_registry.h"
#include "toolkit/form_builder.h"
#include "toolkit/qt_text.h"
#include "toolkit/refusal_note.h"

namespace toolkit {
namespace detail {

// A field that holds a value it does not accept: put from outside its range, or typed
// and refused.
constexpr Tint kNotAcceptedTint{0xFF, 0xC8, 0xC8};

void showMarks(const Field& field) {
  if (field.widget == nullptr) return;
  const bool refused = refusedWidget() == field.widget;
  const bool marked = refused || !field.outOfRange.empty();
  const std::optional<Tint> tint = marked ? kNotAcceptedTint : field.tint;
  if (auto* edit = qobject_cast<QLineEdit*>(field.widget)) {
    std::optional<QColor> colour;
    if (tint) colour = QColor(tint->red, tint->green, tint->blue);
    setEditLook(edit, colour);
  }
  const std::string& toolTip = field.outOfRange.empty() ? field.toolTip : field.outOfRange;
  field.widget->setToolTip(toQString(toolTip));
}

}  // namespace detail

void setFieldTint(int id, std::optional<Tint> tint) {
  detail::Field* field = detail::findField(id);
  if (field == nullptr || field->tint == tint) return;
  field->tint = tint;
  detail::showMarks(*field);
}

void setFieldToolTip(int id, std::string_view text) {
  detail::Field* field = detail::findField(id);
  if (field == nullptr || field->toolTip == text) return;
  field->toolTip = std::string(text);
  detail::showMarks(*field);
}

}  // namespace toolkit
