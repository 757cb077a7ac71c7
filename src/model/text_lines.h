#pragma once

#include <algorithm>
#include <string_view>

namespace kandelor {

// The text without the blanks, tabs and carriage returns around it.
inline std::string_view trimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") + 1 - first);
}

// The lines of a text one by one, numbered from 1, without their newlines:
//   for (TextLines lines(content); lines.next();) use(lines.line(), lines.number());
class TextLines {
 public:
  explicit TextLines(std::string_view content) : content_(content) {}

  bool next() {
    if (start_ >= content_.size()) return false;
    const auto end = std::min(content_.find('\n', start_), content_.size());
    line_ = content_.substr(start_, end - start_);
    start_ = end + 1;
    ++number_;
    return true;
  }
  std::string_view line() const { return line_; }
  int number() const { return number_; }

 private:
  std::string_view content_;
  std::string_view line_;
  std::size_t start_ = 0;
  int number_ = 0;
};

}  // namespace kandelor
