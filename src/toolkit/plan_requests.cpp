#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

#include <memory>
#include <set>

#include "toolkit/field_registry.h"
#include "toolkit/message_queue.h"
#include "toolkit/room_plan.h"

namespace toolkit {
namespace detail {
namespace {

// Turns a field's context menu, its key and (where asked) a double-click into a plan
// request. A filter sees the events of disabled fields too, which the fields themselves
// ignore.
class PlanRequests : public QObject {
 public:
  std::set<int> doubleClickIds;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // The key the field's menu shows beside its plan item. Shortcuts of actions in a menu
    // of no menu bar do not fire, so the menu takes the key itself.
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
      auto* plan = menu->findChild<QAction*>(QStringLiteral("roomPlanAction"));
      if (!isPlanKey(event) || plan == nullptr) return false;
      plan->trigger();
      menu->close();
      return true;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    const int id = widget == nullptr ? 0 : fieldIdOf(widget);
    if (id == 0) return false;
    switch (event->type()) {
      case QEvent::ContextMenu:
        showMenu(widget, id, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
      case QEvent::MouseButtonDblClick:
        if (!doubleClickIds.count(id)) return false;
        request(id);
        return true;
      case QEvent::KeyPress:
        if (!isPlanKey(event)) return false;
        request(id);
        return true;
      default:
        return false;
    }
  }

 private:
  static bool isPlanKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_R && key->modifiers() == Qt::ControlModifier;
  }

  static void request(int id) {
    if (messageQueue().enabledTypes.count(kPlanRequest)) enqueue(kPlanRequest, id, -1);
  }

  // The field's own menu (cut, copy, paste of an edit) with the plan at its end.
  void showMenu(QWidget* widget, int id, const QPoint& at) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    QPointer<QMenu> menu = edit != nullptr ? edit->createStandardContextMenu() : new QMenu(widget);
    if (!menu->actions().isEmpty()) menu->addSeparator();
    QAction* plan = menu->addAction(QStringLiteral("Room &Plan\u2026"));
    plan->setObjectName(QStringLiteral("roomPlanAction"));
    plan->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    QObject::connect(plan, &QAction::triggered, [id] { request(id); });
    menu->installEventFilter(this);
    menu->exec(at);
    delete menu.data();
  }
};

PlanRequests& planRequests() {
  static PlanRequests* requests = new PlanRequests;  // lives as long as the application
  return *requests;
}

}  // namespace
}  // namespace detail

void wplanfields(std::span<const int> ids, std::span<const int> doubleClickIds) {
  detail::PlanRequests& requests = detail::planRequests();
  requests.doubleClickIds.insert(doubleClickIds.begin(), doubleClickIds.end());
  for (const int id : ids) {
    if (const detail::Field* field = detail::findField(id); field != nullptr && field->widget)
      field->widget->installEventFilter(&requests);
  }
}

}  // namespace toolkit
