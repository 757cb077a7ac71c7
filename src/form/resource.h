#pragma once

#include "toolkit/resource.h"
#include "toolkit/toolkit.h"

namespace kandelor {

// The main window around form 101: system menu, minimise and maximise boxes and a
// status bar (the child-style form then fixes the frame and drops the maximise box).
inline constexpr int kMainWindowFlags =
    toolkit::kSystemMenu | toolkit::kMinimiseBox | toolkit::kMaximiseBox | toolkit::kStatusBar;

// Form 101 (the room form) and menu 30001 (the menu bar), as the toolkit builds them.
toolkit::FormResource roomForm();
toolkit::MenuResource mainMenu();

// Registers both with the toolkit; called once before the main window opens.
void registerResources();

}  // namespace kandelor
