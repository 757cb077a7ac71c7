#include "tools/schedule/schedule.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstddef>
#include <map>
#include <utility>

#include "calc/reflectances.h"
#include "calc/workplane/parallel_for.h"

namespace kandelor::schedule {

namespace {

NeededFixtures neededFor(const RoomRow& room, const PageDefaults& defaults,
                         const FixtureCatalogue& catalogue, int column) {
  if (room.designFootcandles <= 0) return {};
  const auto advised = fixturesNeeded(room, defaults, catalogue, column).advised();
  if (!advised) return {NeededFixtures::Kind::None, 0};
  return {NeededFixtures::Kind::Count, advised->quantity};
}

template <class Real>
std::string shortest(Real value) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

std::vector<LuminaireLine> luminairesOf(const std::vector<ScheduleRow>& rows,
                                        const FixtureCatalogue& catalogue) {
  std::map<std::int32_t, LuminaireLine> byType;  // in type order
  for (const ScheduleRow& row : rows) {
    const FixtureType* type = catalogue.find(row.fixtureNumber);
    if (type == nullptr || row.quantity <= 0) continue;
    LuminaireLine& line = byType[row.fixtureNumber];
    if (line.rooms == 0) {
      line = {row.fixtureNumber, std::string(type->description.trimmed()), type->lampsPerFixture};
    }
    ++line.rooms;
    line.fixtures += row.quantity;
    line.lamps += static_cast<std::int64_t>(row.quantity) * type->lampsPerFixture;
    line.watts += row.watts;
  }
  std::vector<LuminaireLine> lines;
  for (auto& [number, line] : byType) lines.push_back(std::move(line));
  return lines;
}

}  // namespace

std::string formatReal(float value) {
  return shortest(value);
}

std::string formatReal(double value) {
  return shortest(value);
}

Schedule buildSchedule(const Project& project, const FixtureCatalogue& catalogue,
                       const ScheduleOptions& options, std::string projectName,
                       const workplane::CataloguePhotometry* photometry,
                       const RoomProgress& progress) {
  Schedule schedule;
  schedule.projectName = std::move(projectName);
  schedule.options = options;
  schedule.column = catalogueColumnOfChoices(options.ceilingChoice, options.wallChoice);
  if (const auto chosen = reflectancesOfChoices({options.ceilingChoice, options.wallChoice})) {
    schedule.ceilingPercent = chosen->ceilingPercent;
    schedule.wallPercent = chosen->wallPercent;
  }

  ScheduleTotals& totals = schedule.totals;
  for (int p = 1; p <= kPageCount; ++p) {
    const RoomPage& page = project.page(p);
    for (int r = 1; r <= kRowCount; ++r) {
      const RoomRow& room = page.row(r);
      if (const std::string problem = roomSizeProblem(room); !problem.empty()) {
        const std::string name(room.name.trimmed());
        schedule.unusableSizes.push_back(
            "room " + std::to_string(roomNumber(p, r)) +
            (name.empty() || name == "." ? std::string() : " \"" + name + "\"") +
            (isInUse(room) ? " has no results: " : " is left out: ") + problem);
      }
      if (!isInUse(room)) continue;
      ScheduleRow row;
      row.page = p;
      row.row = r;
      row.room = roomNumber(p, r);
      row.name = std::string(room.name.trimmed());
      row.number = std::string(room.number.trimmed());
      row.length = room.length;
      row.width = room.width;
      row.height = room.height;
      row.designFootcandles = room.designFootcandles;
      row.result = calculateRoom(room, page.defaults, catalogue, schedule.column);
      row.verdict =
          judgeFootcandles(row.result.calculatedFootcandles, room.designFootcandles, true);
      row.needed = neededFor(room, page.defaults, catalogue, schedule.column);
      row.fixtureNumber = room.fixtureNumber;
      row.quantity = room.quantity;
      row.watts = installedWatts(room, page.defaults, catalogue);
      // Compared in double, as the room's W/sqft is computed before it is held as a float,
      // so that a room shown at exactly the limit is within it.
      row.overLpdLimit = options.lpdLimit && row.watts / row.area() > *options.lpdLimit;
      if (options.spaceTypes) {
        const auto& list = *options.spaceTypes;
        if (const auto type = list.rooms.find(row.room); type != list.rooms.end()) {
          row.spaceType = list.table[type->second];
          row.overAllowance = row.watts / row.area() > row.spaceType->wattsPerSqft;
          ++totals.spaceTypedRooms;
          totals.allowedWatts += row.spaceType->wattsPerSqft * row.area();
          totals.spaceTypedWatts += row.watts;
          totals.overAllowance += row.overAllowance;
        }
      }

      ++totals.rooms;
      totals.areaSqft += row.area();
      totals.watts += row.watts;
      totals.low += row.verdict == Verdict::Low;
      totals.meets += row.verdict == Verdict::Meets;
      totals.high += row.verdict == Verdict::High;
      totals.overLpdLimit += row.overLpdLimit;
      schedule.rows.push_back(std::move(row));
    }
  }
  schedule.luminaires = luminairesOf(schedule.rows, catalogue);
  if (photometry != nullptr && schedule.column != 0) {
    std::atomic<std::size_t> done = 0;
    workplane::parallelFor(schedule.rows.size(), [&](std::size_t i) {
      ScheduleRow& row = schedule.rows[i];
      row.light = computeLight(lightInputs(schedule, project, row), catalogue, *photometry);
      if (progress) progress(++done, schedule.rows.size());
    });
  }
  checkRoomTargets(schedule);
  if (totals.areaSqft > 0.0) {
    totals.wattsPerSqft = static_cast<double>(totals.watts) / totals.areaSqft;
  }
  return schedule;
}

RoomLightInputs lightInputs(const Schedule& schedule, const Project& project,
                            const ScheduleRow& row) {
  const RoomPage& page = project.page(row.page);
  // Only the size and the fixtures count: a renamed room keeps its light.
  const RoomRow& entered = page.row(row.row);
  RoomRow room;
  room.length = entered.length;
  room.width = entered.width;
  room.height = entered.height;
  room.fixtureNumber = entered.fixtureNumber;
  room.quantity = entered.quantity;
  return {room, page.defaults, ReflectancePair{schedule.ceilingPercent, schedule.wallPercent},
          row.result.calculatedFootcandles};
}

workplane::RoomLightResult computeLight(const RoomLightInputs& inputs,
                                        const FixtureCatalogue& catalogue,
                                        const workplane::CataloguePhotometry& photometry) {
  return workplane::computeRoomLight(inputs.room, inputs.defaults, catalogue, photometry,
                                     inputs.reflectances, inputs.lumenFootcandles);
}

void checkRoomTargets(Schedule& schedule) {
  ScheduleTotals& totals = schedule.totals;
  totals.meetingTargets = totals.missingTargets = totals.targetsNotChecked = 0;
  for (ScheduleRow& row : schedule.rows) {
    row.targets.clear();
    if (!row.spaceType || !row.spaceType->targets.any()) continue;
    // The lumen method's tables end at RCR 10: beyond them its figure is no measure.
    const std::optional<std::int32_t> lumen = row.result.roomCavityRatio > 10
                                                  ? std::nullopt
                                                  : std::optional(row.result.calculatedFootcandles);
    row.targets = checkTargets(row.spaceType->targets, row.light.light, lumen);
    const auto has = [&](TargetVerdict verdict) {
      return std::any_of(row.targets.begin(), row.targets.end(),
                         [verdict](const TargetCheck& c) { return c.verdict == verdict; });
    };
    if (has(TargetVerdict::Misses)) {
      ++totals.missingTargets;
    } else if (has(TargetVerdict::NotChecked)) {
      ++totals.targetsNotChecked;
    } else {
      ++totals.meetingTargets;
    }
  }
}

Result<RoomSpaceTypes> projectSpaceTypes(const Project& project, const ProjectRecordLines& lines,
                                         const SpaceTypeTable& table,
                                         const std::string& projectFile,
                                         const std::string& tableFile) {
  RoomSpaceTypes rooms;
  for (int room = 1; room <= kRoomCount; ++room) {
    const std::string& name = project.spaceType(room);
    if (name.empty()) continue;
    const auto type = std::find_if(table.begin(), table.end(),
                                   [&](const SpaceType& t) { return t.name == name; });
    if (type == table.end()) {
      std::string known;
      for (const SpaceType& t : table) {
        if (!known.empty()) known += ", ";
        known += t.name;
      }
      return FileError{projectFile, lines.spaceTypes[static_cast<std::size_t>(room - 1)],
                       "room " + std::to_string(room) + " has the space type \"" + name +
                           "\", which " + tableFile + " does not have; its space types are " +
                           known};
    }
    rooms.emplace(room, static_cast<std::size_t>(type - table.begin()));
  }
  return rooms;
}

std::string reflectanceText(const Schedule& schedule) {
  std::string text = "ceiling ";
  text += std::to_string(schedule.ceilingPercent);
  text += " %, wall ";
  text += std::to_string(schedule.wallPercent);
  text += " %";
  if (schedule.column != 0) {
    const ReflectancePair used = kCatalogueColumns[static_cast<std::size_t>(schedule.column - 1)];
    if (used.wallPercent != schedule.wallPercent) {
      text += " (CU of wall ";
      text += std::to_string(used.wallPercent);
      text += " %)";
    }
  }
  text += ", floor ";
  text += std::to_string(kFloorPercent);
  text += " %";
  if (!schedule.reflectancesFrom.empty()) {
    text += ", from ";
    text += schedule.reflectancesFrom;
  }
  return text;
}

}  // namespace kandelor::schedule
