#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "model/result.h"

// The user's project folder, which the desktop launcher gives the program: where it is,
// and seeding it with the shipped data files.
namespace kandelor::launcher {

// Reads an environment variable; nullopt when it is not set.
using Environment = std::function<std::optional<std::string>(const std::string& name)>;

// The process's own environment.
std::optional<std::string> processEnvironment(const std::string& name);

// $XDG_DOCUMENTS_DIR/Kandelor; where that is not set, the documents folder named in
// user-dirs.dirs (under $XDG_CONFIG_HOME, or ~/.config); else ~/Kandelor. Fails only when
// no home folder is known.
Result<std::filesystem::path> projectFolder(const Environment& environment);

// Makes `folder` (with its parents) and copies into it every file under `shipped` that
// it does not hold yet, keeping the sub-folders. A file that is there, or a link of that
// name, is never replaced. Each copy is written in full under a hidden name first, so a
// failed copy leaves no partial file behind.
Result<> seedProjectFolder(const std::filesystem::path& shipped,
                           const std::filesystem::path& folder);

}  // namespace kandelor::launcher
