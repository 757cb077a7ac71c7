// kandelor-schedule: computes every room of a project and prints the schedule of the
// rooms in use, with each room's fixture layout and its light point by point,
// optionally also as CSV, JSON and a printable PDF.

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "calc/catalogue.h"
#include "calc/reflectances.h"
#include "calc/workplane/type_photometry.h"
#include "model/project_file.h"
#include "model/text_file.h"
#include "tools/schedule/progress_line.h"
#include "tools/schedule/schedule.h"
#include "tools/schedule/schedule_csv.h"
#include "tools/schedule/schedule_json.h"
#include "tools/schedule/schedule_pdf.h"
#include "tools/schedule/schedule_table.h"

namespace {

using namespace kandelor;
using namespace kandelor::schedule;

constexpr int kDone = 0;
constexpr int kFileFailure = 1;
constexpr int kUsageFailure = 2;
constexpr int kOverLimit = 3;

constexpr const char* kUsage =
    R"(Usage: kandelor-schedule [--catalogue DIR] [--ceiling 30|50|70|80] [--wall 10|30|50|70]
                         [--lpd-limit W] [--space-types FILE] [--csv FILE] [--json FILE]
                         [--points] [--pdf FILE] [--plans] [--units imperial|si] [PROJECT]

Computes all 95 rooms of the project file PROJECT (default: new.dat) from their
entered values and prints a table of the rooms in use (length and width above 0)
with their verdicts, the fixtures each would need and the totals. For each room
it also lays out the fixtures in rows, checks their spacing against the type's
spacing criterion (SC) and computes the light on the work plane point by point
(average, minimum, average/minimum), from the photometric files that
photometry.dat beside the catalogue names.

Options:
  --catalogue DIR  folder of light.dat and Type.dat (default: the project's folder)
  --ceiling PCT    ceiling reflectance, per cent (default: the project file's, else 70)
  --wall PCT       wall reflectance, per cent (default: the project file's, else 30)
  --lpd-limit W    allowed watts per square foot: rooms above it are marked, and the
                   exit status is 3 when the project's average exceeds it
  --space-types FILE
                   a CSV of room,space_type lines: each listed room is compared with
                   its space type's allowance (space_types.csv beside the catalogue:
                   ASHRAE 90.1-2019, space by space) and with the light targets the
                   type sets (EN 12464-1:2021: illuminance, Uo, UGR, walls, ceiling);
                   the exit status is 3 when the listed rooms' watts exceed the sum of
                   their allowances or a listed room misses a target. Without it the
                   rooms are checked by the space types the project file keeps, if
                   any; with it a room the list names takes the list's type
  --csv FILE       write one CSV row per room in use ('-': standard output)
  --json FILE      write the schedule as JSON ('-': standard output)
  --points         the JSON also lists every point: x, y and the direct and total
                   footcandles
  --pdf FILE       write a printable schedule (US Letter) with two charts
  --plans          the PDF ends with the plan of every room that has one, two to a
                   page: fixtures, footcandles in false colour with isolines, figures
  --units UNITS    imperial (feet, footcandles, W/sqft; the default) or si (metres,
                   lux, W/m2) for the table, CSV, JSON and PDF; with si, --lpd-limit
                   is in W/m2
  -h, --help       show this text

The table is not printed when the CSV or JSON goes to standard output.
Exit status: 0 done, 1 a file could not be read or written, 2 a usage error,
3 the average W/sqft exceeds --lpd-limit, the listed rooms their allowances, or
a listed room misses a light target of its space type.
)";

struct Arguments {
  std::string project = "new.dat";
  std::optional<std::string> catalogueDir;
  ScheduleOptions options;
  bool ceilingGiven = false;
  bool wallGiven = false;
  std::optional<std::string> csv;
  std::optional<std::string> json;
  std::optional<std::string> pdf;
  std::optional<std::string> spaceTypes;
};

struct UsageError {
  std::string message;
};

int usageError(const std::string& message) {
  std::cerr << "kandelor-schedule: " << message << "\n\n" << kUsage;
  return kUsageFailure;
}

int fileError(const FileError& error) {
  std::cerr << "kandelor-schedule: " << error.message() << "\n";
  return kFileFailure;
}

// The 1-based item of `percents` that `text` names, if any.
template <std::size_t N>
std::optional<int> choiceOf(std::string_view text, const std::array<std::int32_t, N>& percents) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  for (std::size_t i = 0; i < N; ++i) {
    if (percents[i] == value) return static_cast<int>(i) + 1;
  }
  return std::nullopt;
}

std::optional<double> limitOf(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value) || value < 0.0) return std::nullopt;
  return value;
}

// Reads the arguments; a usage error is returned as its message.
std::optional<std::string> parseArguments(int argc, char** argv, Arguments& args, bool& help) {
  bool projectGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      help = true;
      return std::nullopt;
    }
    if (arg == "--points") {
      args.options.points = true;
      continue;
    }
    if (arg == "--plans") {
      args.options.plans = true;
      continue;
    }
    if (arg.size() < 2 || arg[0] != '-' || arg == "--") {
      if (arg == "--") {
        if (++i >= argc) return "'--' must be followed by the project file";
        arg = argv[i];
      }
      if (projectGiven) return "more than one project file given";
      args.project = arg;
      projectGiven = true;
      continue;
    }
    // --option VALUE or --option=VALUE
    std::string value;
    const auto equals = arg.find('=');
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
      arg.erase(equals);
    } else if (arg == "--catalogue" || arg == "--ceiling" || arg == "--wall" ||
               arg == "--lpd-limit" || arg == "--space-types" || arg == "--csv" ||
               arg == "--json" || arg == "--pdf" || arg == "--units") {
      if (i + 1 >= argc) return "option " + arg + " needs a value";
      value = argv[++i];
    } else {
      return "unknown option " + arg;
    }

    if (arg == "--catalogue") {
      args.catalogueDir = value;
    } else if (arg == "--ceiling") {
      const auto choice = choiceOf(value, kCeilingPercents);
      if (!choice) return "--ceiling must be 30, 50, 70 or 80, not '" + value + "'";
      args.options.ceilingChoice = *choice;
      args.ceilingGiven = true;
    } else if (arg == "--wall") {
      const auto choice = choiceOf(value, kWallPercents);
      if (!choice) return "--wall must be 10, 30, 50 or 70, not '" + value + "'";
      args.options.wallChoice = *choice;
      args.wallGiven = true;
    } else if (arg == "--lpd-limit") {
      const auto limit = limitOf(value);
      if (!limit)
        return "--lpd-limit must be a number of watts per square foot, not '" + value + "'";
      args.options.lpdLimit = *limit;
    } else if (arg == "--units") {
      if (value != "imperial" && value != "si") {
        return "--units must be imperial or si, not '" + value + "'";
      }
      args.options.units = value == "si" ? Units::Si : Units::Imperial;
    } else if (arg == "--space-types") {
      if (value.empty()) return "option --space-types needs a file name";
      args.spaceTypes = value;
    } else if (arg == "--csv" || arg == "--json" || arg == "--pdf") {
      if (value.empty()) return "option " + arg + " needs a file name";
      (arg == "--csv" ? args.csv : arg == "--json" ? args.json : args.pdf) = value;
    } else {
      return "unknown option " + arg;
    }
  }
  // A limit typed beside metric output is in W/m2; the rooms are compared in W/sqft.
  if (args.options.lpdLimit && args.options.units == Units::Si) {
    *args.options.lpdLimit *= kSquareMetresPerSquareFoot;
  }
  if (args.pdf == "-") return "the PDF cannot go to standard output";
  if (args.options.plans && !args.pdf) return "--plans needs --pdf FILE";
  if (args.csv == "-" && args.json == "-") return "only one of --csv and --json can be '-'";
  return std::nullopt;
}

// The reflectances the project's results were computed with, where the file keeps them
// and the command line does not choose others; returns where they came from.
std::string takeReflectances(const Project& project, Arguments& args) {
  ScheduleOptions& options = args.options;
  if (project.reflectances) {
    if (!args.ceilingGiven) options.ceilingChoice = project.reflectances->ceiling;
    if (!args.wallGiven) options.wallChoice = project.reflectances->wall;
  }
  if (args.ceilingGiven || args.wallGiven) {
    return project.reflectances && !(args.ceilingGiven && args.wallGiven)
               ? "the command line and the project file"
               : "the command line";
  }
  return project.reflectances ? "the project file" : "";
}

// Writes `content` to the file, or to standard output for "-".
Result<> writeOutput(const std::string& fileName, const std::string& content) {
  if (fileName != "-") return writeFileAtomically(fileName, content);
  std::cout << content << std::flush;
  if (!std::cout) return FileError{"standard output", 0, "it cannot be written", true};
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  bool help = false;
  if (const auto error = parseArguments(argc, argv, args, help)) return usageError(*error);
  if (help) {
    std::cout << kUsage;
    return kDone;
  }

  Project project;
  ProjectRecordLines recordLines;
  if (const auto loaded = loaddata(project, args.project, &recordLines); !loaded) {
    return fileError(loaded.error());
  }
  const std::string reflectancesFrom = takeReflectances(project, args);
  const std::filesystem::path projectPath(args.project);
  const std::filesystem::path catalogueDir =
      args.catalogueDir ? std::filesystem::path(*args.catalogueDir)
                        : (projectPath.has_parent_path() ? projectPath.parent_path() : ".");
  FixtureCatalogue catalogue;
  if (const auto read = rawdata(catalogue, (catalogueDir / "light.dat").string(),
                                (catalogueDir / "Type.dat").string());
      !read) {
    return fileError(read.error());
  }

  // The rooms' space types: those the project file keeps, each room the --space-types
  // list names taking the list's instead.
  RoomSpaceTypes listed;
  if (args.spaceTypes || project.hasSpaceTypes()) {
    const std::string tableFile = (catalogueDir / "space_types.csv").string();
    const auto table = readSpaceTypeTable(tableFile);
    if (!table) return fileError(table.error());
    RoomSpaceTypes rooms;
    if (project.hasSpaceTypes()) {
      const auto kept = projectSpaceTypes(project, recordLines, *table, args.project, tableFile);
      if (!kept) return fileError(kept.error());
      rooms = *kept;
    }
    if (args.spaceTypes) {
      // A list that names an unknown space type or room is a mistake in what was asked,
      // as a bad option is.
      const auto read = readRoomSpaceTypes(*args.spaceTypes, *table);
      if (!read) {
        if (read.error().line == 0) return fileError(read.error());
        const FileError& error = read.error();
        return usageError(error.file + ": line " + std::to_string(error.line) + ": " + error.what);
      }
      listed = *read;
      for (const auto& [room, type] : listed) rooms.insert_or_assign(room, type);
    }
    const std::string from = !args.spaceTypes ? "the project file"
                             : project.hasSpaceTypes()
                                 ? *args.spaceTypes + ", else the project file"
                                 : *args.spaceTypes;
    args.options.spaceTypes =
        SpaceTypeList{args.spaceTypes.value_or(args.project), *table, rooms, from};
  }

  const workplane::CataloguePhotometry photometry =
      workplane::loadCataloguePhotometry(catalogueDir.string());
  // Big projects take a while: a terminal is told how far the light has got.
  ProgressLine progress(STDERR_FILENO, "Light on the work plane", std::chrono::seconds(1));
  Schedule schedule = buildSchedule(
      project, catalogue, args.options, projectPath.filename().string(), &photometry,
      [&progress](std::size_t done, std::size_t rooms) { progress.update(done, rooms); });
  schedule.reflectancesFrom = reflectancesFrom;
  for (const std::string& unusable : schedule.unusableSizes) {
    std::cerr << "kandelor-schedule: " << unusable << "\n";
  }
  // The project file keeps a room's type whatever its size; only the list is warned of.
  if (args.spaceTypes) {
    for (const auto& [room, type] : listed) {
      const bool inUse = std::any_of(schedule.rows.begin(), schedule.rows.end(),
                                     [room](const ScheduleRow& row) { return row.room == room; });
      if (!inUse) {
        std::cerr << "kandelor-schedule: room " << room << " of " << *args.spaceTypes
                  << " is not in use and is left out of the space-by-space check\n";
      }
    }
  }

  if (args.csv != "-" && args.json != "-") std::cout << formatTable(schedule) << std::flush;
  if (args.csv) {
    if (const auto written = writeOutput(*args.csv, formatCsv(schedule)); !written) {
      return fileError(written.error());
    }
  }
  if (args.json) {
    if (const auto written = writeOutput(*args.json, formatJson(schedule)); !written) {
      return fileError(written.error());
    }
  }
  if (args.pdf) {
    if (const auto written = writeSchedulePdf(schedule, *args.pdf, todaysDate()); !written) {
      return fileError(written.error());
    }
  }
  return schedule.withinLpdLimit() && schedule.withinSpaceAllowance() && schedule.meetsTargets()
             ? kDone
             : kOverLimit;
}
