#pragma once

#include <cstdint>

#include "calc/workplane/room_light.h"

namespace kandelor::workplane {

// How the points take the light the room's surfaces reflect onto them: gathered on a
// lattice of them and interpolated between (what computeRoomLight does), or gathered at
// every point with the walls near the work plane in parts of gatherPartFeet, which is
// slow in big rooms and serves to check the lattice.
enum class PointGather { Lattice, EveryPoint };

// computeRoomLight with the gather chosen.
RoomLightResult computeRoomLight(const RoomRow& room, const PageDefaults& defaults,
                                 const FixtureCatalogue& catalogue,
                                 const CataloguePhotometry& photometry,
                                 ReflectancePair reflectances, std::int32_t lumenFootcandles,
                                 const LightOptions& options, PointGather gather);

}  // namespace kandelor::workplane
