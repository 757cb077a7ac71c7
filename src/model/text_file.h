#pragma once

#include <string>
#include <string_view>

#include "model/result.h"

namespace kandelor {

// Reads a whole file. A missing or unreadable file is an error (line 0).
Result<std::string> readWholeFile(const std::string& fileName);

// Writes `content` to a hidden temporary file in the same folder and renames it over
// `fileName`; on failure the old file is untouched and the temporary one removed.
// Through a symbolic link the target is written and the link stays. The new file
// keeps the old one's permissions and group; a file its owner may not write is
// refused. A successful save removes temporary files of the same name older than a
// minute, left by saves that were interrupted.
Result<> writeFileAtomically(const std::string& fileName, std::string_view content);

// Removes the temporary files that saves in `folder` left when their program was killed:
// those named as a save names them whose program no longer runs (never another running
// program's, nor this one's).
void removeAbandonedTemporaries(const std::string& folder);

}  // namespace kandelor
