#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calc/calculation.h"
#include "calc/catalogue.h"
#include "calc/design_check.h"
#include "calc/reflectances.h"
#include "calc/space_types.h"
#include "calc/units.h"
#include "calc/workplane/room_light.h"
#include "model/project.h"
#include "model/project_file.h"
#include "tools/schedule/schedule_targets.h"

namespace kandelor::schedule {

// How many fixtures a room's design needs, as the form advises: the fewest whose verdict
// is "meets", or else the fewest that reach the design.
struct NeededFixtures {
  enum class Kind {
    NoDesign,  // the design is 0 or below: nothing to reach
    Count,     // `count` fixtures are needed
    None,      // no quantity up to 100 meets or reaches it
  };
  Kind kind = Kind::NoDesign;
  std::int32_t count = 0;

  bool operator==(const NeededFixtures&) const = default;
};

// One room in use, computed from its entered values.
struct ScheduleRow {
  int page = 0;  // 1..5
  int row = 0;   // 1..19
  int room = 0;  // 1..95
  std::string name;
  std::string number;
  float length = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
  std::int32_t designFootcandles = 0;
  RoomResult result;  // RCR, calculated footcandles, watts per square foot, description
  Verdict verdict = Verdict::None;
  NeededFixtures needed;
  std::int32_t fixtureNumber = 0;
  std::int32_t quantity = 0;
  std::int32_t watts = 0;
  bool overLpdLimit = false;  // only ever set when a limit is given
  // The room's space type when the space-by-space check lists the room, and whether its
  // W/sqft is over the type's allowance.
  std::optional<SpaceType> spaceType;
  bool overAllowance = false;
  // Where the fixtures go and the light point by point, or why the room has none;
  // neither when the schedule was built without the types' photometry.
  workplane::RoomLightResult light;
  // The listed room against each light target its space type sets.
  std::vector<TargetCheck> targets;

  std::string description() const { return std::string(result.description.trimmed()); }
  double area() const { return static_cast<double>(length) * static_cast<double>(width); }
};

// One fixture type of the project, for ordering: how many fixtures of it the rooms in use
// hold, with their lamps and watts.
struct LuminaireLine {
  std::int32_t fixtureNumber = 0;
  std::string description;
  std::int32_t lampsPerFixture = 0;
  int rooms = 0;
  std::int64_t fixtures = 0;
  std::int64_t lamps = 0;
  std::int64_t watts = 0;

  bool operator==(const LuminaireLine&) const = default;
};

struct ScheduleTotals {
  int rooms = 0;
  double areaSqft = 0.0;
  std::int64_t watts = 0;
  double wattsPerSqft = 0.0;  // watts / area, 0 without any floor area
  int low = 0;
  int meets = 0;
  int high = 0;
  int overLpdLimit = 0;  // rooms above the limit, when one is given
  // The space-by-space check over the rooms it lists: each type's allowance times the
  // room's area, summed, against those rooms' installed watts.
  int spaceTypedRooms = 0;
  double allowedWatts = 0.0;
  std::int64_t spaceTypedWatts = 0;
  int overAllowance = 0;
  // The listed rooms whose space types set light targets: those that meet every one
  // checked, those that miss one or more, and those with one or more not checked.
  int meetingTargets = 0;
  int missingTargets = 0;
  int targetsNotChecked = 0;
};

// The space types of the energy code's table and the rooms a designer assigned them.
struct SpaceTypeList {
  std::string file;  // the room list as named on the command line, else the project file
  SpaceTypeTable table;
  RoomSpaceTypes rooms;
  // Where the rooms' types came from, said beside them: "the project file", the room
  // list's name, or "rooms.csv, else the project file".
  std::string from = {};
};

// The space types the project file gives its rooms, as indexes into `table`. A name the
// table does not have is an error naming the project file, the room and the line
// (from `lines`, as the load found them).
Result<RoomSpaceTypes> projectSpaceTypes(const Project& project, const ProjectRecordLines& lines,
                                         const SpaceTypeTable& table,
                                         const std::string& projectFile,
                                         const std::string& tableFile);

struct ScheduleOptions {
  int ceilingChoice = 3;           // list item numbers 1..4: 70 %
  int wallChoice = 2;              // 30 %
  std::optional<double> lpdLimit;  // allowed W/sqft
  bool points = false;             // the JSON lists every point of every room
  std::optional<SpaceTypeList> spaceTypes = std::nullopt;  // the space-by-space check
  Units units = Units::Imperial;                           // of what is shown
  bool plans = false;  // the PDF ends with the plan of every room that has one
};

struct Schedule {
  std::string projectName;
  ScheduleOptions options;
  int ceilingPercent = 0;
  int wallPercent = 0;
  // Where the reflectances came from, said beside them ("the project file"); empty for
  // the defaults.
  std::string reflectancesFrom;
  int column = 0;  // catalogue column 1..14 used for the CU
  std::vector<ScheduleRow> rows;
  ScheduleTotals totals;
  // The fixture types the rooms in use hold (a quantity above 0 of a catalogue type), by
  // type number.
  std::vector<LuminaireLine> luminaires;
  // The rooms whose size cannot be computed with (an empty or negative length, width or
  // height), each said as "room 22 \"Hangar\" is left out: Length is negative." (or, in
  // use with a negative height, "... has no results: ...").
  std::vector<std::string> unusableSizes;

  // Whether the project's average is within the limit (true without one).
  bool withinLpdLimit() const {
    return !options.lpdLimit || !(totals.wattsPerSqft > *options.lpdLimit);
  }
  // Whether the listed rooms' installed watts are within their allowance (true without
  // the check).
  bool withinSpaceAllowance() const {
    return !options.spaceTypes ||
           !(static_cast<double>(totals.spaceTypedWatts) > totals.allowedWatts);
  }
  // Whether no listed room misses a light target of its space type.
  bool meetsTargets() const { return totals.missingTargets == 0; }
};

// A room is in use when its length and width are both above 0.
inline bool isInUse(const RoomRow& room) {
  return room.length > 0.0f && room.width > 0.0f;
}

// Computes every room of all five pages from its entered values (the results the file
// holds are ignored) and keeps the rooms in use, with their totals. With the types'
// photometry it also lays out each room's fixtures and computes the light point by
// point, the rooms spread over the cores.
// Told from the threads that compute the rooms' light, as each room is done.
using RoomProgress = std::function<void(std::size_t roomsDone, std::size_t rooms)>;

Schedule buildSchedule(const Project& project, const FixtureCatalogue& catalogue,
                       const ScheduleOptions& options, std::string projectName,
                       const workplane::CataloguePhotometry* photometry = nullptr,
                       const RoomProgress& progress = {});

// What a room's light is computed from: the room's size, fixture type and quantity (its
// other values left empty), its page's lamp data and loss factors, the schedule's
// reflectances and the lumen method's footcandles.
struct RoomLightInputs {
  RoomRow room;
  PageDefaults defaults;
  ReflectancePair reflectances;
  std::int32_t lumenFootcandles = 0;

  bool operator==(const RoomLightInputs&) const = default;
};
RoomLightInputs lightInputs(const Schedule& schedule, const Project& project,
                            const ScheduleRow& row);
workplane::RoomLightResult computeLight(const RoomLightInputs& inputs,
                                        const FixtureCatalogue& catalogue,
                                        const workplane::CataloguePhotometry& photometry);

// Checks every listed room against the light targets of its space type, from the room's
// light as the schedule holds it, and counts the rooms that meet, miss or were not fully
// checked (buildSchedule does this once the light is computed).
void checkRoomTargets(Schedule& schedule);

// The shortest decimal that reads back to the same float, such as "0.1" or "12.5".
std::string formatReal(float value);
// The shortest decimal that reads back to the same double.
std::string formatReal(double value);

// The percentages of the catalogue column actually used, where the wall asked for has no
// column of its own under that ceiling (a 70 % wall under a 30 % or 50 % ceiling).
std::string reflectanceText(const Schedule& schedule);

}  // namespace kandelor::schedule
