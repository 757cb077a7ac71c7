#include "app/schedule_light.h"

#include <map>

#include "calc/workplane/parallel_for.h"
#include "toolkit/project_schedule.h"

namespace kandelor {

ScheduleLightWorker::ScheduleLightWorker(const FixtureCatalogue& catalogue,
                                         const workplane::CataloguePhotometry& photometry)
    : ScheduleLightWorker(catalogue, photometry, std::make_shared<std::atomic<int>>(0)) {}

ScheduleLightWorker::ScheduleLightWorker(const FixtureCatalogue& catalogue,
                                         const workplane::CataloguePhotometry& photometry,
                                         std::shared_ptr<std::atomic<int>> done)
    : LatestRequestWorker(
          toolkit::kScheduleComputed,
          [catalogue = std::make_shared<const FixtureCatalogue>(catalogue),
           photometry = std::make_shared<const workplane::CataloguePhotometry>(photometry),
           known = std::make_shared<std::map<int, std::shared_ptr<const ComputedLight>>>(),
           done](const ScheduleLightJob& job, const std::function<bool()>& superseded) {
            done->store(0);
            ScheduleLightDone result{job.number, {}};
            std::vector<std::size_t> toCompute;
            for (std::size_t i = 0; i < job.rooms.size(); ++i) {
              const auto& [room, inputs] = job.rooms[i];
              if (const auto found = known->find(room);
                  found != known->end() && found->second->inputs == inputs) {
                result.rooms.push_back(found->second);
                ++*done;
              } else {
                toCompute.push_back(i);
              }
            }
            std::vector<std::shared_ptr<const ComputedLight>> computed(toCompute.size());
            workplane::parallelFor(toCompute.size(), [&](std::size_t i) {
              if (superseded()) return;  // what is done so far is kept for the next request
              const auto& [room, inputs] = job.rooms[toCompute[i]];
              ComputedLight light{
                  room, inputs, schedule::computeLight(inputs, *catalogue, *photometry), {}};
              light.figures = light.result;
              if (light.figures.light) {
                light.figures.light->direct = {};
                light.figures.light->total = {};
              }
              computed[i] = std::make_shared<const ComputedLight>(std::move(light));
              ++*done;
              toolkit::wmessagepost(toolkit::kScheduleProgress, job.number);
            });
            for (auto& room : computed) {
              if (!room) continue;
              (*known)[room->room] = room;
              result.rooms.push_back(std::move(room));
            }
            return result;
          }),
      done_(std::move(done)) {}

}  // namespace kandelor
