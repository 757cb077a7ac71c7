#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "model/records.h"

namespace kandelor {
namespace {

// Character classes, looked up rather than compared: the reader's inner loops run
// over every character of a file.
enum : unsigned char { kBlank = 1, kSeparator = 2 };
constexpr std::array<unsigned char, 256> kClasses = [] {
  std::array<unsigned char, 256> classes{};
  classes[static_cast<unsigned char>(' ')] = kBlank;
  classes[static_cast<unsigned char>('\t')] = kBlank;
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
    : content_(content), fileName_(std::move(fileName)) {}

void RecordReader::beginRecord() {
  lineOpen_ = false;
}

void RecordReader::fail(std::string what) {
  if (!error_) error_ = FileError{fileName_, line_, std::move(what)};
}

bool RecordReader::openNextLine() {
  if (nextLineStart_ >= content_.size()) return false;
  pos_ = nextLineStart_;
  const std::size_t newline = content_.find('\n', pos_);
  lineEnd_ = newline == std::string_view::npos ? content_.size() : newline;
  nextLineStart_ = newline == std::string_view::npos ? content_.size() : newline + 1;
  if (lineEnd_ > pos_ && content_[lineEnd_ - 1] == '\r') --lineEnd_;
  ++line_;
  lineOpen_ = true;
  return true;
}

std::string_view RecordReader::nextToken(std::string_view expected) {
  if (error_) return {};
  for (;;) {
    if (!lineOpen_ && !openNextLine()) {
      endedEarly_ = true;
      fail((line_ == 0 ? "the file is empty; expected " : "the file ends here; expected ") +
           std::string(expected));
      return {};
    }
    while (pos_ < lineEnd_ && isBlank(content_[pos_])) ++pos_;
    if (pos_ < lineEnd_) break;
    lineOpen_ = false;  // the rest of the line supplies nothing
  }
  if (isSeparator(content_[pos_])) {
    fail("expected " + std::string(expected) + ", found an empty value before \"" + content_[pos_] +
         "\"");
    return {};
  }
  const std::size_t start = pos_;
  if (isQuote(content_[pos_])) {
    const char quote = content_[pos_++];
    for (;;) {
      if (pos_ >= lineEnd_) {
        fail("expected " + std::string(expected) + ", found a quoted text that is not closed");
        return {};
      }
      if (content_[pos_] == quote) {
        if (pos_ + 1 < lineEnd_ && content_[pos_ + 1] == quote) {
          pos_ += 2;
          continue;
        }
        ++pos_;
        break;
      }
      ++pos_;
    }
    if (pos_ < lineEnd_ && !endsValue(content_[pos_])) {
      fail("expected a blank or a comma after the quoted text " +
           quoted(content_.substr(start, pos_ - start)));
      return {};
    }
  } else {
    while (pos_ < lineEnd_ && !endsValue(content_[pos_])) ++pos_;
  }
  const std::string_view token = content_.substr(start, pos_ - start);
  // One comma or slash after the value (blanks around it allowed) belongs to it.
  std::size_t after = pos_;
  while (after < lineEnd_ && isBlank(content_[after])) ++after;
  if (after < lineEnd_ && isSeparator(content_[after])) pos_ = after + 1;
  return token;
}

std::string RecordReader::readText() {
  const std::string_view token = nextToken("a text");
  if (error_) return {};
  ++valuesRead_;
  if (token.empty() || !isQuote(token.front())) return std::string(token);
  const char quote = token.front();
  std::string text;
  text.reserve(token.size());
  for (std::size_t i = 1; i + 1 < token.size(); ++i) {
    text += token[i];
    if (token[i] == quote) ++i;  // a doubled quote stands for one
  }
  return text;
}

std::int32_t RecordReader::readInteger() {
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
  const std::string_view shown = nextToken("a real number");
  if (error_) return 0.0f;
  std::string_view token = shown;
  float value = 0.0f;
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
