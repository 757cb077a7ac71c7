#include "app/messages.h"

#include "toolkit/toolkit.h"

namespace kandelor {

void showFileError(const FileError& error) {
  toolkit::wmessagebox("Kandelor 2.0", error.message());
}

}  // namespace kandelor
