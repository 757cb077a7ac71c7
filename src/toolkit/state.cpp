#include "toolkit/state.h"

#include <QApplication>
#include <QWidget>

namespace toolkit::detail {

State& state() {
  static State instance;
  return instance;
}

Field* findField(int id) {
  auto& fields = state().fields;
  auto it = fields.find(id);
  return it == fields.end() ? nullptr : &it->second;
}

int fieldIdOf(const QWidget* widget) {
  // Walks up so that the inner line edit of a list counts as the list.
  for (const QWidget* w = widget; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
    for (const auto& [id, field] : state().fields) {
      if (field.widget == w) return id;
    }
  }
  return 0;
}

void beep() {
  ++state().beeps;
  QApplication::beep();
}

}  // namespace toolkit::detail
