#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"

namespace kandelor {

// A space type and the lighting power the energy code allows it, per square foot.
struct SpaceType {
  std::string name;
  double wattsPerSqft = 0;
};

using SpaceTypeTable = std::vector<SpaceType>;

// The space types of a table file: "space_type,watts_per_sqft" lines after an optional
// header of that text; blank lines and lines starting with '#' are skipped.
Result<SpaceTypeTable> parseSpaceTypeTable(std::string_view content, const std::string& fileName);
Result<SpaceTypeTable> readSpaceTypeTable(const std::string& path);

// Room number (1..95) to the index of its space type in the table.
using RoomSpaceTypes = std::map<int, std::size_t>;

// A designer's list of "room,space_type" lines (an optional header "room,space_type";
// blank and '#' lines skipped): every room 1 to 95 at most once, every space type one
// of the table's.
Result<RoomSpaceTypes> parseRoomSpaceTypes(std::string_view content, const std::string& fileName,
                                           const SpaceTypeTable& table);
Result<RoomSpaceTypes> readRoomSpaceTypes(const std::string& path, const SpaceTypeTable& table);

}  // namespace kandelor
