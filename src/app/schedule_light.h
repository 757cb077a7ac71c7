#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/latest_request_worker.h"
#include "calc/space_types.h"
#include "tools/schedule/schedule.h"

namespace kandelor {

// A room's light as computed from its inputs, and the same without its points: all that
// the window lists, and cheap to copy into each listing.
struct ComputedLight {
  int room = 0;
  schedule::RoomLightInputs inputs;
  workplane::RoomLightResult result;
  workplane::RoomLightResult figures;
};

// The rooms whose light the schedule window waits for, copied when it listed them.
struct ScheduleLightJob {
  int number = 0;
  std::vector<std::pair<int, schedule::RoomLightInputs>> rooms;
};

// The rooms computed; fewer than asked when a newer request came first.
struct ScheduleLightDone {
  int number = 0;
  std::vector<std::shared_ptr<const ComputedLight>> rooms;
};

// Computes rooms' light for the schedule window off the event loop, spread over the cores,
// posting a kScheduleProgress message as each room is done and kScheduleComputed at the
// end (see LatestRequestWorker). A room computed before from the same inputs, in this
// request or one given up for a newer, is not computed again.
class ScheduleLightWorker : public LatestRequestWorker<ScheduleLightJob, ScheduleLightDone> {
 public:
  ScheduleLightWorker(const FixtureCatalogue& catalogue,
                      const workplane::CataloguePhotometry& photometry);
  // How many rooms of the request under way are done.
  int roomsDone() const { return done_->load(); }

 private:
  ScheduleLightWorker(const FixtureCatalogue& catalogue,
                      const workplane::CataloguePhotometry& photometry,
                      std::shared_ptr<std::atomic<int>> done);
  std::shared_ptr<std::atomic<int>> done_;
};

// What the schedule window lists and what it keeps between listings.
struct ScheduleWindowState {
  // The project as the form showed it when last listed, and its file's name.
  std::optional<Project> listedProject;
  std::string listedFile;
  schedule::Schedule listed;
  // The rooms of `listed` still waiting for their light.
  std::set<int> pending;
  // Each room's light last computed, with what it was computed from: reused while the
  // room's inputs stay the same.
  std::map<int, std::shared_ptr<const ComputedLight>> light;
  std::unique_ptr<ScheduleLightWorker> worker;
  int request = 0;
  // The space types to choose from, read from space_types.csv when the window first
  // opens; why there are none when it cannot be read.
  bool tableRead = false;
  SpaceTypeTable table;
  std::string tableProblem;
};

}  // namespace kandelor
