#include "app/plan_worker.h"

#include "toolkit/room_plan.h"

namespace kandelor {

PlanWorker::PlanWorker(Compute compute)
    : LatestRequestWorker(toolkit::kPlanComputed,
                          [compute = std::move(compute)](const PlanJob& job, const auto&) {
                            return PlanDone{job.number, job.title, compute(job)};
                          }) {}

PlanWorker::PlanWorker(const FixtureCatalogue& catalogue,
                       const workplane::CataloguePhotometry& photometry)
    : PlanWorker([catalogue = std::make_shared<const FixtureCatalogue>(catalogue),
                  photometry = std::make_shared<const workplane::CataloguePhotometry>(photometry)](
                     const PlanJob& job) {
        return workplane::computeRoomLight(job.room, job.defaults, *catalogue, *photometry,
                                           job.reflectances, job.room.calculatedFootcandles);
      }) {}

}  // namespace kandelor
