#pragma once

#include "toolkit/resource.h"

class QWidget;

namespace toolkit::detail {

// Builds the form's widgets on a new widget of the form's size and registers its fields.
QWidget* buildForm(const FormResource& form);

}  // namespace toolkit::detail
