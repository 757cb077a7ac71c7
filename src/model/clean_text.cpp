#include "model/clean_text.h"

#include <cstdint>

namespace kandelor {
namespace {

// The length of the valid UTF-8 sequence starting at text[i] (a byte of 0x80 or more),
// or 0 when it is not one: overlong forms, surrogates and code points above U+10FFFF
// are not valid.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) {
    return i + k < text.size() ? static_cast<std::uint8_t>(text[i + k]) : std::uint8_t{0};
  };
  const auto continuation = [&](std::size_t k) { return (byte(k) & 0xC0) == 0x80; };
  const std::uint8_t lead = byte(0);
  if (lead >= 0xC2 && lead <= 0xDF) return continuation(1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const std::uint8_t second = byte(1);
    if (!continuation(1) || !continuation(2)) return 0;
    if (lead == 0xE0 && second < 0xA0) return 0;  // overlong
    if (lead == 0xED && second > 0x9F) return 0;  // surrogate
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const std::uint8_t second = byte(1);
    if (!continuation(1) || !continuation(2) || !continuation(3)) return 0;
    if (lead == 0xF0 && second < 0x90) return 0;  // overlong
    if (lead == 0xF4 && second > 0x8F) return 0;  // above U+10FFFF
    return 4;
  }
  return 0;
}

}  // namespace

CleanCopy copyCleanText(std::string_view text, std::size_t maxCharacters, char* out) {
  CleanCopy copied;
  std::size_t i = 0;
  while (i < text.size() && copied.characters < maxCharacters) {
    const auto c = static_cast<std::uint8_t>(text[i]);
    if (c < 0x80) {
      out[copied.bytes++] = c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
      ++i;
    } else if (const std::size_t length = utf8SequenceLength(text, i); length != 0) {
      for (std::size_t k = 0; k < length; ++k) out[copied.bytes++] = text[i + k];
      i += length;
    } else {
      out[copied.bytes++] = static_cast<char>(0xC0 | (c >> 6));
      out[copied.bytes++] = static_cast<char>(0x80 | (c & 0x3F));
      ++i;
    }
    ++copied.characters;
  }
  return copied;
}

std::size_t bytesOfCharacters(std::string_view text, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t seen = 0; i < text.size(); ++i) {
    if ((static_cast<std::uint8_t>(text[i]) & 0xC0) == 0x80) continue;
    if (seen++ == count) return i;
  }
  return i;
}

}  // namespace kandelor
