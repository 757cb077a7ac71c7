#include "calc/workplane/room_light.h"

#include <algorithm>
#include <numbers>
#include <numeric>

#include "calc/workplane/radiosity.h"
#include "calc/workplane/room_glare.h"
#include "calc/workplane/room_surfaces.h"

namespace kandelor::workplane {

namespace {

// Why a room has no point-by-point light, or empty where it has.
std::string reasonForNone(const RoomRow& room, const FixtureCatalogue& catalogue,
                          const CataloguePhotometry& photometry) {
  if (!(room.length > 0) || !(room.width > 0)) return "not in use";
  if (!(room.height > kWorkPlaneHeight)) return "height 2.5 ft or less";
  if (room.quantity <= 0) return "no fixtures";
  if (catalogue.find(room.fixtureNumber) == nullptr) {
    return "fixture type " + std::to_string(room.fixtureNumber) + " is not in the catalogue";
  }
  if (photometry.find(room.fixtureNumber) == nullptr) {
    return photometry.missing[static_cast<std::size_t>(room.fixtureNumber - 1)];
  }
  return "";
}

PointFigures figuresOf(const std::vector<double>& total, const std::vector<double>& direct) {
  PointFigures f;
  const auto [low, high] = std::minmax_element(total.begin(), total.end());
  const double count = static_cast<double>(total.size());
  f.average = std::accumulate(total.begin(), total.end(), 0.0) / count;
  f.minimum = *low;
  f.maximum = *high;
  if (f.minimum > 0) {
    f.averageToMinimum = f.average / f.minimum;
    f.maximumToMinimum = f.maximum / f.minimum;
  }
  f.directAverage = std::accumulate(direct.begin(), direct.end(), 0.0) / count;
  if (f.average > 0) f.uniformity = f.minimum / f.average;
  return f;
}

}  // namespace

RoomLightResult computeRoomLight(const RoomRow& room, const PageDefaults& defaults,
                                 const FixtureCatalogue& catalogue,
                                 const CataloguePhotometry& photometry,
                                 ReflectancePair reflectances, std::int32_t lumenFootcandles,
                                 const LightOptions& options) {
  if (std::string reason = reasonForNone(room, catalogue, photometry); !reason.empty()) {
    return {std::nullopt, std::move(reason)};
  }
  const TypePhotometry& type = *photometry.find(room.fixtureNumber);
  RoomLight light;
  light.length = room.length;
  light.width = room.width;
  light.height = room.height;
  light.mountingHeight = light.height - kWorkPlaneHeight;
  light.lumenFootcandles = lumenFootcandles;

  light.layout = layoutFixtures(room.quantity, light.length, light.width);
  light.fixtureLength = type.luminousLength;
  light.fixtureWidth = type.luminousWidth;
  light.roundFixture = type.round;
  light.criterion = type.spacing;
  light.spacing = checkSpacing(light.layout, light.criterion, light.mountingHeight);
  light.spacingAlongRatio =
      std::max(light.layout.spacingAlong(), light.layout.lastRowSpacing()) / light.mountingHeight;
  light.spacingAcrossRatio = light.layout.spacingAcross() / light.mountingHeight;
  light.overlap =
      openingsOverlap(light.layout, light.fixtureLength, light.fixtureWidth, light.roundFixture);

  // The candela values scaled to the page's lamps and losses, as the lumen method counts.
  const double lamps = static_cast<double>(catalogue.find(room.fixtureNumber)->lampsPerFixture) *
                       static_cast<double>(defaults.lampLumens);
  const double scale = lamps / type.lampLumens * static_cast<double>(defaults.ballastFactor) *
                       static_cast<double>(defaults.lampLumenDepreciation) *
                       static_cast<double>(defaults.lampDirtDepreciation);
  const SurfaceReflectances rho{reflectances.ceiling(), reflectances.wall(),
                                ReflectancePair::floor()};
  const double up = scale * type.intensity.upwardFlux();
  const double down = scale * type.intensity.downwardFlux();

  std::vector<PointSource> fixtures, bounces;
  for (const PlanPoint& at : light.layout.fixtures) {
    const Vec3 position{at.x, at.y, light.height};
    fixtures.push_back({position, &type.intensity, scale});
    // The up-light lands on the ceiling right above the fixture, which sends back what
    // it does not absorb as a Lambertian source.
    if (up > 0) bounces.push_back({position, nullptr, rho.ceiling * up / std::numbers::pi});
  }
  std::vector<PointSource> sources = fixtures;
  sources.insert(sources.end(), bounces.begin(), bounces.end());

  const RoomBox box{light.length, light.width, light.height};
  const double refinement = std::max(options.refinement, 1e-3);
  const Patching patching{light.mountingHeight / options.patchesPerMountingHeight / refinement,
                          static_cast<int>(options.maxPatchesAlong * refinement),
                          options.gatherPartFeet / refinement};
  const Interreflection solution = interreflect(box, rho, patching, sources);

  light.grid = PointGrid::of(light.length, light.width);
  light.total = reflectedOnWorkPlane(solution, light.grid);
  light.direct.assign(light.total.size(), 0.0);
  for (int j = 0; j < light.grid.ny; ++j) {
    for (int i = 0; i < light.grid.nx; ++i) {
      const Vec3 point{light.grid.x(i), light.grid.y(j), kWorkPlaneHeight};
      const auto index = static_cast<std::size_t>(j * light.grid.nx + i);
      double direct = 0, bounced = 0;
      for (const PointSource& s : fixtures) direct += illuminanceFacingUp(s, point);
      for (const PointSource& s : bounces) bounced += illuminanceFacingUp(s, point);
      light.direct[index] = direct;
      light.total[index] += direct + bounced;
    }
  }
  light.figures = figuresOf(light.total, light.direct);

  const double count = static_cast<double>(light.layout.fixtures.size());
  light.emittedLumens = count * (down + up);
  light.absorbedLumens = solution.absorbedFlux() + count * (1 - rho.ceiling) * up;

  light.walls = wallFigures(solution);
  light.ceiling = ceilingFigures(solution, light.layout.fixtures, up);
  if (!type.intensity.opening().hasArea()) {
    light.ugrReason = "the type's photometric file gives no luminous area";
  } else {
    light.observers = observeGlare(light.length, light.width, fixtures, solution, bounces);
    for (const ObserverGlare& o : light.observers) {
      if (o.ugr && (!light.ugr || *o.ugr > *light.ugr)) light.ugr = o.ugr;
    }
    if (!light.ugr) light.ugrReason = "no fixture in an observer's view";
  }
  return {std::move(light), ""};
}

}  // namespace kandelor::workplane
