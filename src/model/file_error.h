#pragma once

#include <string>

namespace kandelor {

// Why a text file could not be read or written: the file, the line (0 when the
// problem is not tied to a line) and what was expected there.
struct FileError {
  std::string file;
  int line = 0;
  std::string what;
  // True when the file was being written rather than read.
  bool writing = false;

  // One sentence for a message box, naming the file and the line.
  std::string message() const;
};

}  // namespace kandelor
