#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace kandelor::testing {

// The files of a folder of saved fuzzer inputs, sorted by name; none when it is absent.
inline std::vector<std::filesystem::path> inputFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(folder)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace kandelor::testing
