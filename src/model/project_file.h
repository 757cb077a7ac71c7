#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/file_error.h"
#include "model/project.h"

namespace kandelor {

inline constexpr int kProjectFileLines = 2155;

// Reads the whole project file into `project`. The project is replaced only when all
// 2,155 values were read; on any error (missing file, early end, a value of the wrong
// kind or out of range) it is left as it was and the error names the file and line.
// A missing file is not created.
std::optional<FileError> loaddata(Project& project, const std::string& fileName);

// Sets every blank name, number and description of the project to "." (in the
// project itself), then writes the whole project to `fileName` through a temporary
// file renamed over it, so a failed save leaves the old file as it was.
std::optional<FileError> savedata(Project& project, const std::string& fileName);

// The in-memory halves of the two, used by them and by benchmarks.
std::string formatProject(const Project& project);
std::optional<FileError> parseProject(std::string_view content, const std::string& fileName,
                                      Project& out);
void normaliseBlankTexts(Project& project);

}  // namespace kandelor
