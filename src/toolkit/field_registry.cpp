#include "toolkit/field_registry.h"

#include <QWidget>

namespace toolkit::detail {

std::map<int, Field>& fields() {
  static std::map<int, Field> open;
  return open;
}

Field* findField(int id) {
  auto it = fields().find(id);
  return it == fields().end() ? nullptr : &it->second;
}

int fieldIdOf(const QWidget* widget) {
  // Walks up so that the inner line edit of a list counts as the list.
  for (const QWidget* w = widget; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
    for (const auto& [id, field] : fields()) {
      if (field.widget == w) return id;
    }
  }
  return 0;
}

bool inRange(const Field& field, double value) {
  if (!field.range) return true;
  if (field.kind == ControlKind::Real) {
    const float v = static_cast<float>(value);
    return v >= static_cast<float>(field.range->min) && v <= static_cast<float>(field.range->max);
  }
  return value >= field.range->min && value <= field.range->max;
}

}  // namespace toolkit::detail
