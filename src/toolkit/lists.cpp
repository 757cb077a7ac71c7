#include <QComboBox>
#include <QSignalBlocker>

#include "toolkit/field_registry.h"
#include "toolkit/toolkit.h"

namespace toolkit {

int wdialoggetmenu1(int id) {
  const detail::Field* field = detail::findField(id);
  auto* list = field == nullptr ? nullptr : qobject_cast<QComboBox*>(field->widget);
  if (list == nullptr) return kEmptyInteger;
  // The text in the box decides: an item's exact text counts as that item.
  const QString text = list->currentText();
  if (text.isEmpty())
    return list->currentIndex() >= 0 && list->itemText(list->currentIndex()).isEmpty()
               ? list->currentIndex() + 1
               : kEmptyInteger;
  for (int i = 0; i < list->count(); ++i) {
    if (list->itemText(i) == text) return i + 1;
  }
  return 0;
}

void wdialogputoption(int id, int item) {
  const detail::Field* field = detail::findField(id);
  auto* list = field == nullptr ? nullptr : qobject_cast<QComboBox*>(field->widget);
  if (list == nullptr || item < 1 || item > list->count()) return;
  // A selection the program makes is not the user's change.
  const QSignalBlocker quiet(list);
  list->setCurrentIndex(item - 1);
  list->setEditText(list->itemText(item - 1));
}

}  // namespace toolkit
