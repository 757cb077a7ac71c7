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
  double uniformity = 0;     // Uo = minimum / average; 0 where the average is 0
};

// The light on a group of the room's surfaces (the four walls floor to ceiling, or the
// ceiling), from the interreflection's patches: each patch's direct plus reflected
// irradiance, weighted by its area. Footcandles.
struct SurfaceFigures {
  double average = 0;
  double minimum = 0;
  double uniformity = 0;  // minimum / average; 0 where the average is 0
};

// A seated observer at the middle of one wall, looking across the room at right angles to
// it, and the glare rating the room's fixtures give there.
struct ObserverGlare {
  PlanPoint eye;              // feet, on the floor plan (the eye 3.94 ft above the floor)
  PlanPoint looking;          // unit direction of the line of sight: (1,0), (-1,0), (0,1) or (0,-1)
  std::optional<double> ugr;  // none where no fixture counts in view
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

  // Glare: the four observers and the room's rating, the highest of theirs; none, with
  // the reason, where no fixture counts in any observer's view (or the type gives no
  // luminous area).
  std::vector<ObserverGlare> observers;
  std::optional<double> ugr;
  std::string ugrReason;
  SurfaceFigures walls;
  SurfaceFigures ceiling;
  // The fixtures' luminous openings overlap or touch in the layout.
  bool overlap = false;

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
