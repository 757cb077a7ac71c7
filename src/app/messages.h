#pragma once

#include "model/file_error.h"

namespace kandelor {

// Tells the user why a file could not be read or written.
void showFileError(const FileError& error);

}  // namespace kandelor
