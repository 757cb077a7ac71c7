#include "calc/photometry/number_scanner.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kandelor::photometry {

namespace {

bool isSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n';
}

}  // namespace

NumberScanner::NumberScanner(const std::vector<std::string_view>& lines, std::size_t firstLine,
                             std::string fileName)
    : lines_(lines), lineIndex_(firstLine), fileName_(std::move(fileName)) {
  line_ = static_cast<int>(firstLine);
}

std::optional<std::string_view> NumberScanner::nextToken() {
  while (lineIndex_ < lines_.size()) {
    const std::string_view text = lines_[lineIndex_];
    while (column_ < text.size() && isSeparator(text[column_])) ++column_;
    if (column_ < text.size()) {
      const std::size_t start = column_;
      while (column_ < text.size() && !isSeparator(text[column_])) ++column_;
      line_ = static_cast<int>(lineIndex_) + 1;
      return text.substr(start, column_ - start);
    }
    ++lineIndex_;
    column_ = 0;
  }
  // At the end the error belongs to the file's last line.
  line_ = static_cast<int>(lines_.size());
  return std::nullopt;
}

void NumberScanner::fail(std::string what) {
  if (!error_) error_ = FileError{fileName_, line_, std::move(what)};
}

std::optional<double> NumberScanner::number(std::string_view what) {
  if (error_) return std::nullopt;
  const auto token = nextToken();
  if (!token) {
    fail("expected " + std::string(what) + ", found the end of the file");
    return std::nullopt;
  }
  // from_chars does not take a leading '+', which some writers put before exponents' numbers.
  std::string_view digits = *token;
  if (digits.size() > 1 && digits.front() == '+') digits.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc{} || end != digits.data() + digits.size() || !std::isfinite(value)) {
    fail("expected " + std::string(what) + ", found \"" + std::string(*token) + "\"");
    return std::nullopt;
  }
  return value;
}

std::optional<int> NumberScanner::integer(std::string_view what) {
  const auto value = number(what);
  if (!value) return std::nullopt;
  if (std::trunc(*value) != *value || std::fabs(*value) > std::numeric_limits<int>::max()) {
    fail("expected " + std::string(what) + " as a whole number");
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

}  // namespace kandelor::photometry
