#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/catalogue.h"
#include "calc/reflectances.h"
#include "calc/workplane/layout.h"
#include "calc/workplane/point_grid.h"
#include "calc/workplane/type_photometry.h"
#include "model/project.h"

namespace kandelor::workplane {

// The light over a room's points, in footcandles.
struct PointFigures {
  double average = 0;
  double minimum = 0;
  double maximum = 0;
  std::optional<double> averageToMinimum;  // none where the minimum is 0
  std::optional<double> maximumToMinimum;
  double directAverage = 0;  // the fixtures' own light alone, before any reflection
};

// Where a room's fixtures go, whether their spacing is allowed, and the light they give
// at every point of the work plane: plain values, enough to draw the room's plan.
struct RoomLight {
  double length = 0;
  double width = 0;
  double height = 0;
  double mountingHeight = 0;  // from the work plane to the fixtures at the ceiling
  Layout layout;
  // The luminous opening of each fixture seen from below, in feet, as the type's file
  // gives it (see TypePhotometry); 0 where it gives none.
  double fixtureLength = 0;
  double fixtureWidth = 0;
  bool roundFixture = false;
  SpacingCriterion criterion;
  double spacingAlongRatio = 0;   // spacing along the length / MH (the wider of a short last row)
  double spacingAcrossRatio = 0;  // spacing across / MH
  SpacingVerdict spacing = SpacingVerdict::Within;
  PointGrid grid;
  std::vector<double> direct;  // footcandles at point (i, j), index j * nx + i
  std::vector<double> total;
  PointFigures figures;
  std::int32_t lumenFootcandles = 0;  // the lumen method's figure for the same room
  double emittedLumens = 0;
  double absorbedLumens = 0;  // by all surfaces, after every bounce

  double directAt(int i, int j) const { return direct[static_cast<std::size_t>(j * grid.nx + i)]; }
  double totalAt(int i, int j) const { return total[static_cast<std::size_t>(j * grid.nx + i)]; }
};

// A room's point-by-point light, or why it has none.
struct RoomLightResult {
  std::optional<RoomLight> light;
  std::string reason;
};

// How finely the room's surfaces are divided for the interreflections: patches of
// MH / patchesPerMountingHeight, at most maxPatchesAlong along a side; the points near a
// wall see its patches in parts of at most gatherPartFeet. `refinement` 2 halves the
// patches' and the parts' sides (and doubles the cap).
struct LightOptions {
  double patchesPerMountingHeight = 3;
  int maxPatchesAlong = 24;
  double gatherPartFeet = 1.5;
  double refinement = 1;
};

// The room as the form holds it, the page's lamp data and loss factors, the catalogue,
// the reflectances in per cent (the floor's is 20 %) and the lumen method's result.
RoomLightResult computeRoomLight(const RoomRow& room, const PageDefaults& defaults,
                                 const FixtureCatalogue& catalogue,
                                 const CataloguePhotometry& photometry,
                                 ReflectancePair reflectances, std::int32_t lumenFootcandles,
                                 const LightOptions& options = {});

}  // namespace kandelor::workplane
