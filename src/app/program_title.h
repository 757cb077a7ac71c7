#pragma once

namespace kandelor {

// The program's name as the window title, message boxes and the report show it.
inline constexpr const char* kProgramTitle = "Kandelor 2.0";

}  // namespace kandelor
