#pragma once

#include <QColor>
#include <QString>

#include <optional>

#include "toolkit/resource.h"

class QLineEdit;
class QWidget;

namespace toolkit::detail {

// Builds the form's widgets on a new widget of the form's size and registers its fields.
QWidget* buildForm(const FormResource& form);

// The look of an edit field: disabled (a result) in the normal text colour on the form's
// background, so that it reads well but is plainly not for typing; and the tint, when
// given, as its background. A new field has it from its palette; a tinted field from a
// style sheet (editStyleSheet), which costs far more to set up, so only the results that
// a verdict tints have one.
void setEditLook(QLineEdit* edit, std::optional<QColor> tint);
QString editStyleSheet(std::optional<QColor> tint);

}  // namespace toolkit::detail
