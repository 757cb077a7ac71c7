#pragma once

#include <cstddef>
#include <string_view>

namespace kandelor {

struct CleanCopy {
  std::size_t bytes = 0;       // bytes written
  std::size_t characters = 0;  // characters written
};

// Copies at most `maxCharacters` characters of `text` to `out` as clean UTF-8: every
// control character (U+0000 to U+001F and U+007F) becomes a blank, a valid UTF-8
// sequence is copied whole, and any other byte is taken as its Latin-1 character (as
// older files hold them) and written in UTF-8. `out` must hold 4 * maxCharacters bytes.
// A character is never split.
CleanCopy copyCleanText(std::string_view text, std::size_t maxCharacters, char* out);

// Whether every byte is a printable ASCII character (a blank to '~').
inline bool isPlainAscii(std::string_view text) {
  for (const char c : text) {
    if (c < ' ' || c > '~') return false;
  }
  return true;
}

// The bytes of the first `count` characters of the UTF-8 text (all of it when shorter).
std::size_t bytesOfCharacters(std::string_view text, std::size_t count);

}  // namespace kandelor
