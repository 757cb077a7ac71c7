#pragma once

#include <string>

#include "calc/catalogue.h"

namespace kandelor {

// Every CU tells where it is stored: 1000 × type + 10 × column + RCR. One lamp per
// fixture; descriptions "Type1" to "Type22".
inline FixtureCatalogue tracingCatalogue() {
  FixtureCatalogue catalogue;
  for (int n = 1; n <= kFixtureTypeCount; ++n) {
    FixtureType& type = catalogue.types[static_cast<std::size_t>(n - 1)];
    type.description.assign("Type" + std::to_string(n));
    type.lampsPerFixture = 1;
    for (int k = 1; k <= kReflectanceColumnCount; ++k) {
      for (int r = 1; r <= kRcrCount; ++r) {
        type.cuPercent[static_cast<std::size_t>(k - 1)][static_cast<std::size_t>(r - 1)] =
            1000 * n + 10 * k + r;
      }
    }
  }
  return catalogue;
}

}  // namespace kandelor
