#pragma once

#include <deque>
#include <set>
#include <utility>

#include "toolkit/toolkit.h"

class QEventLoop;

namespace toolkit::detail {

// The messages waiting for wmessage, and the types the program has turned on.
struct MessageQueue {
  std::deque<std::pair<int, Message>> waiting;  // message type and record
  std::set<int> enabledTypes;
  QEventLoop* loop = nullptr;  // the loop wmessage runs while the queue is empty
};

MessageQueue& messageQueue();

void enqueue(int type, int value0, int value1);
// Queues a field-changed message when the program has turned them on.
void reportFieldChanged();
// Queues a field-pasted message when the program has turned them on and none waits.
void reportFieldPasted();

}  // namespace toolkit::detail
