#pragma once

namespace toolkit::detail {

// Sounds the system beep (a refused key or a refused leave) and counts it.
void beep();
// The beeps sounded since the program started.
int beepsSounded();

}  // namespace toolkit::detail
