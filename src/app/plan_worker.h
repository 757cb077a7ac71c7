#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "calc/catalogue.h"
#include "calc/reflectances.h"
#include "calc/workplane/room_light.h"
#include "model/project.h"

namespace kandelor {

// What a room's light is computed from, copied from the form at the moment it was asked.
struct PlanJob {
  int number = 0;  // the request's number; a later request has a larger one
  std::string title;
  RoomRow room;
  PageDefaults defaults;
  ReflectancePair reflectances;
};

// A computed room's light and the request it answers.
struct PlanDone {
  int number = 0;
  std::string title;
  workplane::RoomLightResult result;
};

// Computes rooms' light on a thread of its own, off the event loop: one request at a time,
// and of the requests that wait only the newest. Each result is announced by a posted
// kPlanComputed message with its number. Ending waits at most 100 ms for a computation
// under way; one that takes longer finishes unseen, on its own copies of everything.
class PlanWorker {
 public:
  using Compute = std::function<workplane::RoomLightResult(const PlanJob&)>;

  // Computes with `compute`; by default the room's light from the catalogue and photometry
  // given (copied once, shared with every computation).
  explicit PlanWorker(Compute compute);
  PlanWorker(const FixtureCatalogue& catalogue, const workplane::CataloguePhotometry& photometry);
  ~PlanWorker();
  PlanWorker(const PlanWorker&) = delete;
  PlanWorker& operator=(const PlanWorker&) = delete;

  // Asks for the job's light; a job still waiting is dropped for it.
  void request(PlanJob job);
  // The result of request `number`, once computed; nothing for any other request's (a
  // stale result is dropped).
  std::optional<PlanDone> take(int number);
  // Whether a request is waiting or being computed.
  bool busy() const;

 private:
  struct Shared;
  // The thread's loop: computes the newest waiting request until the worker ends.
  static void work(const std::shared_ptr<Shared>& shared);
  std::shared_ptr<Shared> shared_;
};

}  // namespace kandelor
