#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/project.h"
#include "model/result.h"

namespace kandelor {

inline constexpr int kProjectFileLines = 2155;

// After the layout's 2,155 values a file may hold two more records, each one line as
// written: the reflectance choices (two integers, 1 to 4; "0 0" where the choices are
// not recorded but space types follow) and the rooms' space types (95 texts in room
// order, '' for a room without one). Readers of the plain layout stop before them.
// The lines they were read from, for messages about what they hold.
struct ProjectRecordLines {
  int reflectances = 0;                      // 0: the file has no such record
  std::array<int, kRoomCount> spaceTypes{};  // the line of each room's; 0 without them
};

// The space type that `text` names as the project keeps it: control characters as
// blanks and other bytes that are not UTF-8 as Latin-1 (as every text of the file),
// without the blanks around it; nothing when that is longer than
// kSpaceTypeMaxCharacters.
std::optional<std::string> spaceTypeKey(std::string_view text);

// Reads the whole project file into `project`. The project is replaced only when all
// 2,155 values were read; on any error (missing file, early end, a value of the wrong
// kind or out of range) it is left as it was and the error names the file and line.
// A missing file is not created. `lines`, when given, is told where the records after
// the values were.
Result<> loaddata(Project& project, const std::string& fileName,
                  ProjectRecordLines* lines = nullptr);

// Sets every blank name, number and description of the project to "." and drops
// leading blanks of the others (in the project itself, as reading the file would),
// then formats the whole project and checks that the text reads back to exactly this
// project before it writes it to `fileName` through a temporary file renamed over it.
// A save that would not read back, or that fails, leaves the old file as it was.
Result<> savedata(Project& project, const std::string& fileName);

// The in-memory halves of the two, used by them and by benchmarks.
std::string formatProject(const Project& project);
Result<> parseProject(std::string_view content, const std::string& fileName, Project& out,
                      ProjectRecordLines* lines = nullptr);
// Also sets each space type to its key (see spaceTypeKey); one too long stays as it is,
// for the save to refuse.
void normaliseTexts(Project& project);
// Whether `content` reads back to exactly `project` (texts, every slot, reals bit for
// bit, the reflectance choices and the space types); if not, an error naming the first value that
// differs.
Result<> verifyReadsBack(std::string_view content, const Project& project,
                         const std::string& fileName);

// Replaces the formatter savedata uses (nullptr restores the real one), so that tests
// can offer a save a text that does not read back.
void setProjectFormatterForTesting(std::string (*formatter)(const Project&));

}  // namespace kandelor
