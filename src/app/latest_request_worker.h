#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "toolkit/toolkit.h"

namespace kandelor {

// Computes requests on a thread of its own, off the event loop: one at a time, and of the
// requests that wait only the newest. `Job` and `Done` each carry the request's `number`
// (a later request has a larger one). Each result is announced by a posted message of
// `doneMessage` with its number. Ending waits at most 100 ms for a computation under way;
// one that takes longer finishes unseen, on its own copies of everything.
template <class Job, class Done>
class LatestRequestWorker {
 public:
  // Computes a job; `superseded()` tells whether a newer request waits, so that a long
  // computation may stop early with what it has.
  using Compute = std::function<Done(const Job&, const std::function<bool()>& superseded)>;

  LatestRequestWorker(int doneMessage, Compute compute) : shared_(std::make_shared<Shared>()) {
    shared_->doneMessage = doneMessage;
    shared_->compute = std::move(compute);
    std::thread([shared = shared_] { work(shared); }).detach();
  }
  ~LatestRequestWorker() {
    std::unique_lock lock(shared_->mutex);
    shared_->ending = true;
    shared_->changed.notify_all();
    // The thread holds its own share of everything: if it is still computing after this,
    // it ends by itself and tells no one.
    shared_->changed.wait_for(lock, std::chrono::milliseconds(100), [&] { return shared_->ended; });
  }
  LatestRequestWorker(const LatestRequestWorker&) = delete;
  LatestRequestWorker& operator=(const LatestRequestWorker&) = delete;

  // Asks for the job's result; a job still waiting is dropped for it.
  void request(Job job) {
    std::lock_guard lock(shared_->mutex);
    shared_->waiting = std::move(job);
    shared_->changed.notify_all();
  }
  // The result of request `number`, once computed; nothing for any other request's (a
  // stale result is dropped).
  std::optional<Done> take(int number) {
    std::lock_guard lock(shared_->mutex);
    std::optional<Done> done = std::move(shared_->done);
    shared_->done.reset();
    if (done && done->number != number) done.reset();  // a request asked since replaced it
    return done;
  }
  // Whether a request is waiting or being computed.
  bool busy() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->computing || shared_->waiting.has_value();
  }

 private:
  struct Shared {
    int doneMessage = 0;
    Compute compute;
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::optional<Job> waiting;
    std::optional<Done> done;
    bool computing = false;
    bool ending = false;
    bool ended = false;
  };

  // The thread's loop: computes the newest waiting request until the worker ends.
  static void work(const std::shared_ptr<Shared>& shared) {
    std::unique_lock lock(shared->mutex);
    const std::function<bool()> superseded = [&shared] {
      std::lock_guard guard(shared->mutex);
      return shared->ending || shared->waiting.has_value();
    };
    for (;;) {
      shared->changed.wait(lock, [&] { return shared->ending || shared->waiting; });
      if (shared->ending) break;
      Job job = std::move(*shared->waiting);
      shared->waiting.reset();
      shared->computing = true;
      lock.unlock();
      Done result = shared->compute(job, superseded);
      lock.lock();
      shared->computing = false;
      if (shared->ending) break;
      const int number = result.number;
      shared->done = std::move(result);
      // Posted under the lock: once ending is set, nothing more reaches the event loop.
      toolkit::wmessagepost(shared->doneMessage, number);
    }
    shared->ended = true;
    shared->changed.notify_all();
  }

  std::shared_ptr<Shared> shared_;
};

}  // namespace kandelor
