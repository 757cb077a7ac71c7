#include "calc/workplane/room_light.h"

#include <algorithm>
#include <array>
#include <numbers>
#include <numeric>
#include <span>

#include "calc/workplane/offset_sum.h"
#include "calc/workplane/point_gather.h"
#include "calc/workplane/radiosity.h"
#include "calc/workplane/room_glare.h"
#include "calc/workplane/room_surfaces.h"

namespace kandelor::workplane {

namespace {

// The reflected light changes over about a mounting height: the points gather it
// on lines an eighth of one apart within half of one from a wall, and half of one apart
// elsewhere. Against a gather at every point this keeps each point within about 0.6 %
// of the room's average at 80 / 70 %.
constexpr double kGatherNearWallPerMH = 0.5;
constexpr double kGatherStepPerMH = 0.5;
constexpr double kGatherNearStepPerMH = 0.125;

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

// Whether the fixtures stand where their mirror images across the room's centre line
// across axis `axis` (0: x, 1: y) stand.
bool layoutMirrors(const std::vector<PlanPoint>& fixtures, int axis, double side) {
  auto along = [axis](PlanPoint p) { return axis == 0 ? p.x : p.y; };
  auto across = [axis](PlanPoint p) { return axis == 0 ? p.y : p.x; };
  const double tolerance = 1e-9 * std::max(side, 1.0);
  return std::all_of(fixtures.begin(), fixtures.end(), [&](PlanPoint f) {
    return std::any_of(fixtures.begin(), fixtures.end(), [&](PlanPoint g) {
      return std::abs(along(g) - (side - along(f))) <= tolerance &&
             std::abs(across(g) - across(f)) <= tolerance;
    });
  });
}

// The light of `sources` (all of one kind) on every point of the grid facing up (index
// j * nx + i). Where the layout mirrors across a centre line (`mirrored`: across x, across
// y) and so does the sources' light, the points beyond the line take their images'.
std::vector<double> directOnPoints(const PointGrid& grid, std::span<const PointSource> sources,
                                   std::array<bool, 2> mirrored) {
  const auto nx = static_cast<std::size_t>(grid.nx), ny = static_cast<std::size_t>(grid.ny);
  std::vector<double> light(nx * ny, 0.0);
  if (sources.empty()) return light;
  const bool mirrorX = mirrored[0] && sources.front().mirrorsAlong(0);
  const bool mirrorY = mirrored[1] && sources.front().mirrorsAlong(1);
  // Rows across, points along each row: the sums fill in the order they are stored.
  ReceiverLattice points{1, {}, 0, {}, kWorkPlaneHeight};
  for (std::size_t j = 0; j < (mirrorY ? (ny + 1) / 2 : ny); ++j) {
    points.along1.push_back(grid.y(static_cast<int>(j)));
  }
  for (std::size_t i = 0; i < (mirrorX ? (nx + 1) / 2 : nx); ++i) {
    points.along2.push_back(grid.x(static_cast<int>(i)));
  }
  const std::vector<double> sums = sumOverSources(
      points, sources, [](const PointSource& s, Vec3 p) { return illuminanceFacingUp(s, p); });
  const std::size_t computedRow = points.along2.size();
  for (std::size_t j = 0; j < points.along1.size(); ++j) {
    std::copy_n(sums.begin() + static_cast<std::ptrdiff_t>(j * computedRow), computedRow,
                light.begin() + static_cast<std::ptrdiff_t>(j * nx));
  }
  for (std::size_t j = 0; j < ny; ++j) {
    const std::size_t fromJ = j < points.along1.size() ? j : ny - 1 - j;
    for (std::size_t i = 0; i < nx; ++i) {
      const std::size_t fromI = i < points.along2.size() ? i : nx - 1 - i;
      light[j * nx + i] = light[fromJ * nx + fromI];
    }
  }
  return light;
}

}  // namespace

RoomLightResult computeRoomLight(const RoomRow& room, const PageDefaults& defaults,
                                 const FixtureCatalogue& catalogue,
                                 const CataloguePhotometry& photometry,
                                 ReflectancePair reflectances, std::int32_t lumenFootcandles,
                                 const LightOptions& options) {
  return computeRoomLight(room, defaults, catalogue, photometry, reflectances, lumenFootcandles,
                          options, PointGather::Lattice);
}

RoomLightResult computeRoomLight(const RoomRow& room, const PageDefaults& defaults,
                                 const FixtureCatalogue& catalogue,
                                 const CataloguePhotometry& photometry,
                                 ReflectancePair reflectances, std::int32_t lumenFootcandles,
                                 const LightOptions& options, PointGather gather) {
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
  light.grid = PointGrid::of(light.length, light.width);
  const double refinement = std::max(options.refinement, 1e-3);
  double partFeet = options.gatherPartFeet / refinement;
  if (gather == PointGather::Lattice) {
    // Parts finer than the points' spacing show the points nothing more.
    partFeet = std::max(
        partFeet, std::max(light.grid.length / light.grid.nx, light.grid.width / light.grid.ny));
  }
  const Patching patching{light.mountingHeight / options.patchesPerMountingHeight / refinement,
                          static_cast<int>(options.maxPatchesAlong * refinement), partFeet};
  const Interreflection solution = interreflect(box, rho, patching, sources);

  GatherLattice lattice;
  if (gather == PointGather::Lattice) {
    lattice.nearWall = kGatherNearWallPerMH * light.mountingHeight;
    lattice.step = kGatherStepPerMH * light.mountingHeight;
    lattice.nearStep = kGatherNearStepPerMH * light.mountingHeight;
  }
  light.total = reflectedOnWorkPlane(solution, light.grid, lattice);
  const std::array<bool, 2> mirrored = {layoutMirrors(light.layout.fixtures, 0, light.length),
                                        layoutMirrors(light.layout.fixtures, 1, light.width)};
  light.direct = directOnPoints(light.grid, fixtures, mirrored);
  const std::vector<double> bounced = directOnPoints(light.grid, bounces, mirrored);
  for (std::size_t k = 0; k < light.total.size(); ++k) {
    light.total[k] += light.direct[k] + bounced[k];
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
