#include "model/file_error.h"

namespace kandelor {

std::string FileError::message() const {
  std::string text = writing ? "Cannot save \"" : "Cannot read \"";
  text += file;
  text += '"';
  if (line > 0) {
    text += ": line ";
    text += std::to_string(line);
  }
  text += ": ";
  text += what;
  if (text.back() != '.') text += '.';
  return text;
}

}  // namespace kandelor
