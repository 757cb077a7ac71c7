#pragma once

#include <span>
#include <vector>

#include "calc/workplane/direct_light.h"
#include "calc/workplane/radiosity.h"
#include "calc/workplane/room_light.h"

namespace kandelor::workplane {

// A seated observer's eye above the floor: 1.2 m.
inline constexpr double kSeatedEyeFeet = 3.94;

// The illuminance (fc) at `eye` on a small vertical plane facing `looking` (along x or
// y) from the
// room's surfaces alone: the light their patches send after every bounce, and the
// ceiling's reflection of the fixtures' up-light (`bounces`), never the fixtures' own.
double indirectIlluminance(const Interreflection& solution, std::span<const PointSource> bounces,
                           Vec3 eye, Vec3 looking);

// The four seated observers at the middle of each wall, looking across the room at right
// angles to it, each with the glare rating the fixtures give there.
// Each fixture is seen with its type's luminous opening, its length along the room's.
std::vector<ObserverGlare> observeGlare(double length, double width,
                                        std::span<const PointSource> fixtures,
                                        const Interreflection& solution,
                                        std::span<const PointSource> bounces);

}  // namespace kandelor::workplane
