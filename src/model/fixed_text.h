#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace kandelor {

// A text of exactly N characters, padded with blanks on the right, as the project
// file, the form and the catalogue hold their texts. Longer input is cut to N.
template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t width = N;

  FixedText() { chars_.fill(' '); }
  explicit FixedText(std::string_view text) { assign(text); }

  void assign(std::string_view text) {
    chars_.fill(' ');
    text.copy(chars_.data(), std::min(text.size(), N));
  }

  // All N characters, trailing blanks included.
  std::string_view view() const { return {chars_.data(), N}; }

  // The text without its trailing blanks.
  std::string_view trimmed() const {
    const std::string_view all = view();
    const auto last = all.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : all.substr(0, last + 1);
  }

  bool isBlank() const { return trimmed().empty(); }

  bool operator==(const FixedText&) const = default;

 private:
  std::array<char, N> chars_;
};

}  // namespace kandelor
