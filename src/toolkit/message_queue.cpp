#include "toolkit/message_queue.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <tuple>

#include "toolkit/windows.h"

namespace toolkit {
namespace detail {

MessageQueue& messageQueue() {
  static MessageQueue queue;
  return queue;
}

void enqueue(int type, int value0, int value1) {
  MessageQueue& q = messageQueue();
  Message message;
  message.value = {value0, value1, 0, 0};
  q.waiting.emplace_back(type, message);
  if (q.loop != nullptr) q.loop->quit();
}

void reportFieldChanged() {
  if (messageQueue().enabledTypes.count(kFieldChanged)) enqueue(kFieldChanged, -1, -1);
}

void reportFieldPasted() {
  MessageQueue& q = messageQueue();
  if (!q.enabledTypes.count(kFieldPasted)) return;
  for (const auto& waiting : q.waiting) {
    if (waiting.first == kFieldPasted) return;
  }
  enqueue(kFieldPasted, -1, -1);
}

}  // namespace detail

void wmessageenable(int type, int on) {
  auto& types = detail::messageQueue().enabledTypes;
  if (on == 1) {
    types.insert(type);
  } else {
    types.erase(type);
  }
}

void wmessagepost(int type, int value) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return;
  QMetaObject::invokeMethod(
      application, [type, value] { detail::enqueue(type, value, -1); }, Qt::QueuedConnection);
}

void wmessage(int& type, Message& message) {
  detail::MessageQueue& q = detail::messageQueue();
  // Without a window no message could ever come: report a close request instead of
  // waiting for ever.
  while (q.waiting.empty() && detail::windows().main && q.loop == nullptr) {
    QEventLoop loop;
    q.loop = &loop;
    loop.exec();
    q.loop = nullptr;
  }
  if (q.waiting.empty()) {
    type = kCloseRequest;
    message = Message{};
    message.value = {-1, -1, 0, 0};
    return;
  }
  std::tie(type, message) = q.waiting.front();
  q.waiting.pop_front();
}

}  // namespace toolkit
