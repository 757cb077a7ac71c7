#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"

namespace kandelor {

// The light a task's standard asks of a space type, where it asks it: the maintained
// illuminance on the work plane (lx) and its uniformity Uo, the highest UGR (UGR_L), and
// the least average illuminance (lx) and Uo of the walls and of the ceiling.
struct LightTargets {
  std::optional<double> maintainedLux;
  std::optional<double> uniformity;
  std::optional<double> glareLimit;
  std::optional<double> wallsLux;
  std::optional<double> wallsUniformity;
  std::optional<double> ceilingLux;
  std::optional<double> ceilingUniformity;

  bool any() const {
    return maintainedLux || uniformity || glareLimit || wallsLux || wallsUniformity || ceilingLux ||
           ceilingUniformity;
  }
};

// A space type, the lighting power the energy code allows it per square foot, its light
// targets and where its values come from.
struct SpaceType {
  std::string name;
  double wattsPerSqft = 0;
  LightTargets targets;
  std::string source;
};

using SpaceTypeTable = std::vector<SpaceType>;

// The columns of a space-type table, in the order a table without a header holds them.
// Only the first two are needed: a table of "space_type,watts_per_sqft" lines reads as
// types without targets.
inline constexpr const char* kSpaceTypeColumns[] = {
    "space_type", "watts_per_sqft", "maintained_lx", "uo",         "ugr_l",
    "walls_lx",   "walls_uo",       "ceiling_lx",    "ceiling_uo", "source"};

// The space types of a table file: CSV records (quoted fields may hold commas) after an
// optional header naming the columns (it starts "space_type,watts_per_sqft"); blank lines
// and lines starting with '#' are skipped. An empty target means the type has none.
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
