#include <QLineEdit>

#include "toolkit/field_registry.h"
#include "toolkit/form_builder.h"
#include "toolkit/qt_text.h"

namespace toolkit {

void setFieldTint(int id, std::optional<Tint> tint) {
  detail::Field* field = detail::findField(id);
  auto* edit = field == nullptr ? nullptr : qobject_cast<QLineEdit*>(field->widget);
  if (edit == nullptr) return;
  std::optional<QColor> colour;
  if (tint) colour = QColor(tint->red, tint->green, tint->blue);
  detail::setEditLook(edit, colour);
}

void setFieldToolTip(int id, std::string_view text) {
  if (detail::Field* field = detail::findField(id); field != nullptr && field->widget != nullptr) {
    field->widget->setToolTip(detail::toQString(text));
  }
}

}  // namespace toolkit
