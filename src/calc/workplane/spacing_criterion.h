#pragma once

#include <optional>

#include "calc/workplane/intensity.h"

namespace kandelor::workplane {

// The largest spacing to mounting height ratios at which neighbouring luminaires still
// give the point between them what one gives the point below it (ANSI/IES LS-6);
// empty where the distribution has no light at the nadir or never falls that far.
struct SpacingCriterion {
  std::optional<double> alongLength;  // SC 0: neighbours in the C 0-180 plane
  std::optional<double> across;       // SC 90: neighbours in the C 90-270 plane
  std::optional<double> diagonal;     // SC 45: four luminaires at the corners of a square
};

SpacingCriterion spacingCriterion(const IntensityTable& intensity);

}  // namespace kandelor::workplane
