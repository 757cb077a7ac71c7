#pragma once

#include <cmath>

namespace kandelor {

// The smallest round step (1, 2, 2.5 or 5 times a power of ten) of at least `raw`, for
// chart axes and isolines; `raw` must be above 0.
inline double roundStep(double raw) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
    if (factor * magnitude >= raw) return factor * magnitude;
  }
  return 10 * magnitude;
}

}  // namespace kandelor
