#pragma once

#include "toolkit/resource.h"

namespace kandelor {

// Form 101 (the room form) and menu 30001 (the menu bar), as the toolkit builds them.
toolkit::FormResource roomForm();
toolkit::MenuResource mainMenu();

// Registers both with the toolkit; called once before the main window opens.
void registerResources();

}  // namespace kandelor
