#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "model/decimal_float.h"
#include "model/records.h"

namespace kandelor {
namespace {

// Character classes, looked up rather than compared: the reader's inner loops run
// over every character of a file. Every control character but the line feed reads as
// a blank (a carriage return before the line feed is part of the line end).
enum : unsigned char { kBlank = 1, kSeparator = 2, kLineEnd = 3 };
constexpr std::array<unsigned char, 256> kClasses = [] {
  std::array<unsigned char, 256> classes{};
  for (int c = 0; c < 0x20; ++c) classes[static_cast<std::size_t>(c)] = kBlank;
  classes[0x7F] = kBlank;
  classes[static_cast<unsigned char>('\n')] = kLineEnd;
  classes[static_cast<unsigned char>(' ')] = kBlank;
  classes[static_cast<unsigned char>(',')] = kSeparator;
  classes[static_cast<unsigned char>('/')] = kSeparator;
  return classes;
}();

unsigned char classOf(char c) {
  return kClasses[static_cast<unsigned char>(c)];
}
bool isBlank(char c) {
  return classOf(c) == kBlank;
}
bool isSeparator(char c) {
  return classOf(c) == kSeparator;
}
bool endsValue(char c) {
  return classOf(c) != 0;
}
bool isQuote(char c) {
  return c == '\'' || c == '"';
}

std::string quoted(std::string_view token) {
  std::string text = "\"";
  text += token;
  text += '"';
  return text;
}

// Parses a whole token as T; a leading '+' is allowed.
template <class T>
std::from_chars_result parseWhole(std::string_view token, T& value) {
  if (token.size() > 1 && token.front() == '+' && token[1] != '-' && token[1] != '+')
    token.remove_prefix(1);
  auto result = std::from_chars(token.data(), token.data() + token.size(), value);
  if (result.ec == std::errc{} && result.ptr != token.data() + token.size())
    result.ec = std::errc::invalid_argument;
  return result;
}

}  // namespace

RecordReader::RecordReader(std::string_view content, std::string fileName)
    : content_(content), fileName_(std::move(fileName)), line_(content.empty() ? 0 : 1) {}

void RecordReader::beginRecord() {
  if (!recordStarted_) return;
  recordStarted_ = false;
  // Whatever is left of the line the last statement used is skipped.
  const std::size_t size = content_.size();
  const char* const data = content_.data();
  std::size_t pos = pos_;
  // Nearly always the value ended the line.
  if (pos + 1 < size && data[pos] == '\r' && data[pos + 1] == '\n') ++pos;
  if (pos < size && data[pos] != '\n') {
    const auto* newline = static_cast<const char*>(std::memchr(data + pos, '\n', size - pos));
    pos = newline == nullptr ? size : static_cast<std::size_t>(newline - data);
  }
  pos_ = pos < size ? pos + 1 : size;
  if (pos_ < size) ++line_;
}

bool RecordReader::atEnd() const {
  for (std::size_t pos = pos_; pos < content_.size(); ++pos) {
    const unsigned char c = classOf(content_[pos]);
    if (c != kBlank && c != kLineEnd) return false;
  }
  return true;
}

void RecordReader::fail(std::string what) {
  if (!error_) error_ = FileError{fileName_, line_, std::move(what)};
}

[[gnu::always_inline]] inline bool RecordReader::skipToValue(std::string_view expected) {
  if (error_) return false;
  // The loops work on local copies: stores to members through `this` could alias the
  // characters read, and would force the compiler to reload everything each step.
  const char* const data = content_.data();
  const std::size_t size = content_.size();
  std::size_t pos = pos_;
  int line = line_;
  // Blanks and line ends before the value; a line with no value supplies nothing.
  for (;;) {
    // Numbers are right-aligned behind runs of blanks: skip eight at a time first.
    while (pos + 8 <= size && std::memcmp(data + pos, "        ", 8) == 0) pos += 8;
    if (pos == size) break;
    const unsigned char c = classOf(data[pos]);
    if (c == kBlank) {
      ++pos;
    } else if (c == kLineEnd) {
      if (++pos < size) ++line;
    } else {
      break;
    }
  }
  pos_ = pos;
  line_ = line;
  if (pos == size) {
    endedEarly_ = true;
    fail((line_ == 0 ? "the file is empty; expected " : "the file ends here; expected ") +
         std::string(expected));
    return false;
  }
  return true;
}

[[gnu::always_inline]] inline void RecordReader::finishValue(std::size_t end) {
  const char* const data = content_.data();
  const std::size_t size = content_.size();
  // One comma or slash after the value (blanks around it allowed) belongs to it.
  std::size_t after = end;
  while (after < size && isBlank(data[after])) ++after;
  pos_ = after < size && isSeparator(data[after]) ? after + 1 : end;
  recordStarted_ = true;
}

bool RecordReader::endsValueAt(std::size_t pos) const {
  return pos == content_.size() || endsValue(content_[pos]);
}

std::string_view RecordReader::nextToken(std::string_view expected) {
  if (!skipToValue(expected)) return {};
  const char* const data = content_.data();
  const std::size_t size = content_.size();
  std::size_t pos = pos_;
  if (isSeparator(data[pos])) {
    fail("expected " + std::string(expected) + ", found an empty value before \"" + data[pos] +
         "\"");
    return {};
  }
  const std::size_t start = pos;
  if (isQuote(data[pos])) {
    const char quote = data[pos++];
    for (;;) {
      if (pos == size || data[pos] == '\n') {
        fail("expected " + std::string(expected) + ", found a quoted text that is not closed");
        return {};
      }
      if (data[pos] == quote) {
        if (pos + 1 < size && data[pos + 1] == quote) {
          pos += 2;
          continue;
        }
        ++pos;
        break;
      }
      ++pos;
    }
    if (pos < size && !endsValue(data[pos])) {
      fail("expected a blank or a comma after the quoted text " +
           quoted(content_.substr(start, pos - start)));
      return {};
    }
  } else {
    while (pos < size && !endsValue(data[pos])) ++pos;
  }
  finishValue(pos);
  return {data + start, pos - start};
}

std::string_view RecordReader::readText() {
  const std::string_view token = nextToken("a text");
  if (error_) return {};
  ++valuesRead_;
  if (token.empty() || !isQuote(token.front())) return token;
  const char quote = token.front();
  const std::string_view inside = token.substr(1, token.size() - 2);
  if (inside.find(quote) == std::string_view::npos) return inside;
  unquoted_.clear();
  for (std::size_t i = 1; i + 1 < token.size(); ++i) {
    unquoted_ += token[i];
    if (token[i] == quote) ++i;  // a doubled quote stands for one
  }
  return unquoted_;
}

std::int32_t RecordReader::readInteger() {
  // Quick way for plain decimal integers, which nearly every integer of a file is.
  if (!skipToValue("an integer")) return 0;
  {
    const char* const data = content_.data();
    const std::size_t size = content_.size();
    std::size_t pos = pos_;
    const bool negative = data[pos] == '-';
    if (negative || data[pos] == '+') ++pos;
    const std::size_t digits = pos;
    std::int64_t magnitude = 0;
    while (pos < size && pos - digits < 11 && data[pos] >= '0' && data[pos] <= '9') {
      magnitude = magnitude * 10 + (data[pos++] - '0');
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (pos > digits && endsValueAt(pos) && value >= INT32_MIN && value <= INT32_MAX) {
      finishValue(pos);
      ++valuesRead_;
      return static_cast<std::int32_t>(value);
    }
  }
  const std::string_view token = nextToken("an integer");
  if (error_) return 0;
  std::int32_t value = 0;
  const auto result = parseWhole(token, value);
  if (result.ec == std::errc::result_out_of_range) {
    fail("expected an integer from -2147483648 to 2147483647, found " + quoted(token));
    return 0;
  }
  if (result.ec != std::errc{}) {
    fail("expected an integer, found " + quoted(token));
    return 0;
  }
  ++valuesRead_;
  return value;
}

float RecordReader::readReal() {
  if (!skipToValue("a real number")) return 0.0f;
  float value = 0.0f;
  // Nearly every real of a file is read the quick way, straight from the text.
  const char* const start = content_.data() + pos_;
  const std::size_t n = readShortDecimalFloat(start, content_.data() + content_.size(), value);
  if (n != 0 && endsValueAt(pos_ + n)) {
    finishValue(pos_ + n);
    ++valuesRead_;
    return value;
  }
  const std::string_view shown = nextToken("a real number");
  if (error_) return 0.0f;
  std::string_view token = shown;
  auto result = parseWhole(token, value);
  // A Fortran "D" exponent reads as "E".
  std::array<char, 64> copy;
  if (result.ec == std::errc::invalid_argument && token.size() <= copy.size()) {
    const std::size_t d = token.find_first_of("dD");
    if (d != std::string_view::npos) {
      token.copy(copy.data(), token.size());
      copy[d] = 'e';
      token = std::string_view(copy.data(), token.size());
      result = parseWhole(token, value);
    }
  }
  if (result.ec == std::errc::result_out_of_range) {
    // Too small for single precision reads as zero (or the nearest subnormal);
    // too large is an error.
    double wide = 0.0;
    if (parseWhole(token, wide).ec == std::errc{} && std::fabs(wide) < 1.0) {
      value = static_cast<float>(wide);
      result.ec = std::errc{};
    }
  }
  if (result.ec == std::errc{} && !std::isfinite(value)) result.ec = std::errc::result_out_of_range;
  if (result.ec == std::errc::result_out_of_range) {
    fail("expected a finite single-precision real number, found " + quoted(shown));
    return 0.0f;
  }
  if (result.ec != std::errc{}) {
    fail("expected a real number, found " + quoted(shown));
    return 0.0f;
  }
  ++valuesRead_;
  return value;
}

}  // namespace kandelor
