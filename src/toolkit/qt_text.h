#pragma once

#include <QString>

#include <string_view>

// The program's texts are UTF-8 and blank-padded; the widgets hold QString.
namespace toolkit::detail {

inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The text without its trailing blanks; a text of blanks only gives an empty one.
inline std::string_view withoutTrailingBlanks(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

}  // namespace toolkit::detail
