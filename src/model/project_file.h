#pragma once

#include <string>
#include <string_view>

#include "model/project.h"
#include "model/result.h"

namespace kandelor {

inline constexpr int kProjectFileLines = 2155;

// Reads the whole project file into `project`. The project is replaced only when all
// 2,155 values were read; on any error (missing file, early end, a value of the wrong
// kind or out of range) it is left as it was and the error names the file and line.
// A missing file is not created.
Result<> loaddata(Project& project, const std::string& fileName);

// Sets every blank name, number and description of the project to "." and drops
// leading blanks of the others (in the project itself, as reading the file would),
// then formats the whole project and checks that the text reads back to exactly this
// project before it writes it to `fileName` through a temporary file renamed over it.
// A save that would not read back, or that fails, leaves the old file as it was.
Result<> savedata(Project& project, const std::string& fileName);

// The in-memory halves of the two, used by them and by benchmarks.
std::string formatProject(const Project& project);
Result<> parseProject(std::string_view content, const std::string& fileName, Project& out);
void normaliseTexts(Project& project);
// Whether `content` reads back to exactly `project` (texts, every slot, reals bit for
// bit); if not, an error naming the first value that differs.
Result<> verifyReadsBack(std::string_view content, const Project& project,
                         const std::string& fileName);

// Replaces the formatter savedata uses (nullptr restores the real one), so that tests
// can offer a save a text that does not read back.
void setProjectFormatterForTesting(std::string (*formatter)(const Project&));

}  // namespace kandelor
