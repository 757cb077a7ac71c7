#pragma once

#include <string>

namespace kandelor {

// The three status-bar parts; each start-up text begins with a tab, which centres it.
inline constexpr const char* kMakerLocation = "\tSeattle, Washington, US";  // 24
inline constexpr const char* kMakerName = "\tKandelor Lighting Design Co";  // 28
inline constexpr const char* kMakerNote = "\tSince 1987.";                  // 12
inline constexpr const char* kProjectNameText = " Project Name";
static_assert(std::char_traits<char>::length(kMakerLocation) == 24);
static_assert(std::char_traits<char>::length(kMakerName) == 28);
static_assert(std::char_traits<char>::length(kMakerNote) == 12);

// " Page 3" and " Room #s 39 -> 57 " for page 3.
std::string pageStatusText(int page);
std::string roomsStatusText(int page);

// Writes the page's two texts into status-bar parts 1 and 3.
void showPageInStatusBar(int page);

}  // namespace kandelor
