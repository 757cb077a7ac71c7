#include <QDateTime>
#include <QEventLoop>
#include <QMainWindow>

#include <tuple>

#include "toolkit/state.h"

namespace toolkit {
namespace detail {

void enqueue(int type, int value0, int value1) {
  State& s = state();
  Message message;
  message.window = 1;
  message.value = {value0, value1, 0, 0};
  message.time = QDateTime::currentMSecsSinceEpoch();
  s.queue.emplace_back(type, message);
  if (s.waiting != nullptr) s.waiting->quit();
}

}  // namespace detail

void wmessageenable(int type, int on) {
  auto& types = detail::state().enabledTypes;
  if (on == 1) {
    types.insert(type);
  } else {
    types.erase(type);
  }
}

void wmessage(int& type, Message& message) {
  detail::State& s = detail::state();
  // Without a window no message could ever come: report a close request instead of
  // waiting for ever.
  while (s.queue.empty() && s.mainWindow && s.waiting == nullptr) {
    QEventLoop loop;
    s.waiting = &loop;
    loop.exec();
    s.waiting = nullptr;
  }
  if (s.queue.empty()) {
    type = kCloseRequest;
    message = Message{};
    message.value = {-1, -1, 0, 0};
    return;
  }
  std::tie(type, message) = s.queue.front();
  s.queue.pop_front();
}

}  // namespace toolkit
