#pragma once

#include <variant>

#include "model/file_error.h"

namespace kandelor::photometry {

// A value read from a file, or why it could not be read.
template <typename T>
using Result = std::variant<T, FileError>;

template <typename T>
bool isError(const Result<T>& result) {
  return std::holds_alternative<FileError>(result);
}

}  // namespace kandelor::photometry
