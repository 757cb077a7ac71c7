#pragma once

#include <span>

#include "calc/workplane/layout.h"
#include "calc/workplane/radiosity.h"
#include "calc/workplane/room_light.h"

namespace kandelor::workplane {

// The light on the four walls, floor to ceiling: each patch's direct plus reflected
// irradiance, weighted by its area.
SurfaceFigures wallFigures(const Interreflection& solution);

// The light on the ceiling, as the walls' plus the fixtures' up-light (`upLumens` each),
// which lands on the ceiling right above each fixture and which the patches' own direct
// light leaves out.
SurfaceFigures ceilingFigures(const Interreflection& solution, std::span<const PlanPoint> fixtures,
                              double upLumens);

}  // namespace kandelor::workplane
