#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "model/clean_text.h"

namespace kandelor {

// A text of exactly N characters, padded with blanks on the right, as the project
// file, the form and the catalogue hold their texts. It holds UTF-8 without control
// characters (they become blanks); longer input is cut to N characters, never inside
// one. Bytes that are not UTF-8 are taken as Latin-1.
template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t width = N;

  FixedText() { bytes_.fill(' '); }
  explicit FixedText(std::string_view text) { assign(text); }

  void assign(std::string_view text) {
    bytes_.fill(' ');
    if (text.size() <= N && isPlainAscii(text)) {  // nearly every text: copied as it is
      text.copy(bytes_.data(), text.size());
      size_ = N;
      return;
    }
    const CleanCopy copied = copyCleanText(text, N, bytes_.data());
    size_ = static_cast<std::uint16_t>(copied.bytes + (N - copied.characters));
  }

  // Drops leading blanks: a text read from a file begins with its first non-blank.
  // The blanks move to the end, so the text keeps its N characters.
  void alignLeft() {
    const std::size_t first = view().find_first_not_of(' ');
    if (first == 0 || first == std::string_view::npos) return;
    std::memmove(bytes_.data(), bytes_.data() + first, size_ - first);
    std::memset(bytes_.data() + size_ - first, ' ', first);
  }

  // All N characters, trailing blanks included.
  std::string_view view() const { return {bytes_.data(), size_}; }

  // The first `count` characters (at most N), trailing blanks included.
  std::string_view firstCharacters(std::size_t count) const {
    return view().substr(0, bytesOfCharacters(view(), count));
  }

  // The text without its trailing blanks.
  std::string_view trimmed() const {
    const std::string_view all = view();
    const auto last = all.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : all.substr(0, last + 1);
  }

  bool isBlank() const { return trimmed().empty(); }

  bool operator==(const FixedText&) const = default;

 private:
  std::array<char, 4 * N> bytes_;  // a UTF-8 character has at most 4 bytes
  std::uint16_t size_ = N;
};

}  // namespace kandelor
