#include "app/plan_worker.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "toolkit/room_plan.h"
#include "toolkit/toolkit.h"

namespace kandelor {

struct PlanWorker::Shared {
  Compute compute;
  mutable std::mutex mutex;
  std::condition_variable changed;
  std::optional<PlanJob> waiting;
  std::optional<PlanDone> done;
  bool computing = false;
  bool ending = false;
  bool ended = false;
};

void PlanWorker::work(const std::shared_ptr<Shared>& shared) {
  std::unique_lock lock(shared->mutex);
  for (;;) {
    shared->changed.wait(lock, [&] { return shared->ending || shared->waiting; });
    if (shared->ending) break;
    PlanJob job = std::move(*shared->waiting);
    shared->waiting.reset();
    shared->computing = true;
    lock.unlock();
    workplane::RoomLightResult result = shared->compute(job);
    lock.lock();
    shared->computing = false;
    if (shared->ending) break;
    shared->done = PlanDone{job.number, std::move(job.title), std::move(result)};
    // Posted under the lock: once ending is set, nothing more reaches the event loop.
    toolkit::wmessagepost(toolkit::kPlanComputed, job.number);
  }
  shared->ended = true;
  shared->changed.notify_all();
}

PlanWorker::PlanWorker(Compute compute) : shared_(std::make_shared<Shared>()) {
  shared_->compute = std::move(compute);
  std::thread([shared = shared_] { work(shared); }).detach();
}

PlanWorker::PlanWorker(const FixtureCatalogue& catalogue,
                       const workplane::CataloguePhotometry& photometry)
    : PlanWorker([catalogue = std::make_shared<const FixtureCatalogue>(catalogue),
                  photometry = std::make_shared<const workplane::CataloguePhotometry>(photometry)](
                     const PlanJob& job) {
        return workplane::computeRoomLight(job.room, job.defaults, *catalogue, *photometry,
                                           job.reflectances, job.room.calculatedFootcandles);
      }) {}

PlanWorker::~PlanWorker() {
  std::unique_lock lock(shared_->mutex);
  shared_->ending = true;
  shared_->changed.notify_all();
  // The thread holds its own share of everything: if it is still computing after this,
  // it ends by itself and tells no one.
  shared_->changed.wait_for(lock, std::chrono::milliseconds(100), [&] { return shared_->ended; });
}

void PlanWorker::request(PlanJob job) {
  std::lock_guard lock(shared_->mutex);
  shared_->waiting = std::move(job);
  shared_->changed.notify_all();
}

std::optional<PlanDone> PlanWorker::take(int number) {
  std::lock_guard lock(shared_->mutex);
  std::optional<PlanDone> done = std::move(shared_->done);
  shared_->done.reset();
  if (done && done->number != number) done.reset();  // a request asked since replaced it
  return done;
}

bool PlanWorker::busy() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->computing || shared_->waiting.has_value();
}

}  // namespace kandelor
