#include "app/messages.h"

#include "app/program_title.h"
#include "toolkit/toolkit.h"

namespace kandelor {

void showFileError(const FileError& error) {
  toolkit::wmessagebox(kProgramTitle, error.message());
}

}  // namespace kandelor
