#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/latest_request_worker.h"
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

// Computes rooms' light for the plan off the event loop (see LatestRequestWorker), each
// result announced by a posted kPlanComputed message.
class PlanWorker : public LatestRequestWorker<PlanJob, PlanDone> {
 public:
  using Compute = std::function<workplane::RoomLightResult(const PlanJob&)>;

  // Computes with `compute`; by default the room's light from the catalogue and photometry
  // given (copied once, shared with every computation).
  explicit PlanWorker(Compute compute);
  PlanWorker(const FixtureCatalogue& catalogue, const workplane::CataloguePhotometry& photometry);
};

}  // namespace kandelor
