#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "calc/catalogue.h"
#include "model/project.h"

namespace kandelor {

// The results of one room.
struct RoomResult {
  std::int32_t roomCavityRatio = 0;
  std::int32_t calculatedFootcandles = 0;
  float wattsPerSquareFoot = 0.0f;
  FixedText<9> description;  // blank for a fixture number outside the catalogue

  bool operator==(const RoomResult&) const = default;
};

using PageResults = std::array<RoomResult, kRowCount>;

// Why the room's size cannot be computed with: "Length is empty." (-999), "Height is
// negative." (also NaN); empty when it can. Such a room's results are all 0.
std::string roomSizeProblem(const RoomRow& room);

// The zonal cavity calculation of one room with the catalogue column (1..14, 0 for
// none) of the chosen reflectances.
RoomResult calculateRoom(const RoomRow& room, const PageDefaults& defaults,
                         const FixtureCatalogue& catalogue, int column);

// The watts the room's fixtures draw: quantity x lamps per fixture x watts per lamp,
// held within the int32 range; 0 for a fixture number outside the catalogue.
std::int32_t installedWatts(const RoomRow& room, const PageDefaults& defaults,
                            const FixtureCatalogue& catalogue);

// The zonal cavity calculation of one page: plain values in, results out.
PageResults calculatePage(const RoomPage& page, const FixtureCatalogue& catalogue,
                          int ceilingChoice, int wallChoice);

// Stores the RCR, footcandles and watts per square foot of `results` into the page's rows
// (the description is not stored: the page takes it from the form).
void storeResults(RoomPage& page, const PageResults& results);

}  // namespace kandelor
