#pragma once

#include "calc/photometry/candela_distribution.h"

namespace kandelor::workplane {

// The work plane's name for a type's candela distribution (C 0 along its length).
using IntensityTable = photometry::CandelaDistribution;

}  // namespace kandelor::workplane
