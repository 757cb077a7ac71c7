#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/file_error.h"

namespace kandelor {

// Reads a whole file. A missing or unreadable file is an error (line 0).
std::optional<FileError> readWholeFile(const std::string& fileName, std::string& content);

// Writes `content` to a temporary file in the same folder and renames it over
// `fileName`; on failure the old file is untouched and the temporary one removed.
std::optional<FileError> writeFileAtomically(const std::string& fileName, std::string_view content);

}  // namespace kandelor
