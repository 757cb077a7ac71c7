#include "model/records.h"

#include <array>
#include <charconv>
#include <cmath>

namespace kandelor {
namespace {

constexpr std::size_t kIntegerWidth = 11;
constexpr std::size_t kRealWidth = 16;

// A number right-aligned in its field, built on the stack.
struct NumberField {
  std::array<char, 32> chars{};
  std::size_t size = 0;

  std::string_view view() const { return {chars.data(), size}; }
};

NumberField rightAligned(std::string_view digits, std::size_t width) {
  NumberField field;
  const std::size_t pad = digits.size() < width ? width - digits.size() : 0;
  for (std::size_t i = 0; i < pad; ++i) field.chars[field.size++] = ' ';
  for (const char c : digits) field.chars[field.size++] = c;
  return field;
}

NumberField integerField(std::int32_t value) {
  std::array<char, 16> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  return rightAligned({digits.data(), static_cast<std::size_t>(result.ptr - digits.data())},
                      kIntegerWidth);
}

// Nine significant digits: plain notation for magnitudes from 0.1 to below 1e9,
// otherwise one digit, the point, eight digits and a two-digit exponent. The notation
// is chosen on the rounded value, so 999999999.6 becomes 1.00000000E+09.
NumberField realField(float value) {
  std::array<char, 32> sci{};
  const auto result =
      std::to_chars(sci.data(), sci.data() + sci.size(), value, std::chars_format::scientific, 8);
  std::string_view text(sci.data(), static_cast<std::size_t>(result.ptr - sci.data()));
  if (!std::isfinite(value)) return rightAligned(text, kRealWidth);

  // text is [-]d.dddddddde[+-]xx
  const bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  constexpr std::size_t e = 10;  // after "d.dddddddd"
  // A float's decimal exponent always has two digits here (at most 45).
  int exponent = (text[e + 2] - '0') * 10 + (text[e + 3] - '0');
  if (text[e + 1] == '-') exponent = -exponent;

  std::array<char, 32> out{};
  std::size_t n = 0;
  if (negative) out[n++] = '-';
  if (value != 0.0f && exponent >= -1 && exponent <= 8) {
    std::array<char, 9> digits{};
    digits[0] = text[0];
    for (std::size_t i = 0; i < 8; ++i) digits[i + 1] = text[i + 2];
    if (exponent < 0) {
      out[n++] = '0';
      out[n++] = '.';
      for (const char d : digits) out[n++] = d;
    } else {
      for (int i = 0; i < 9; ++i) {
        out[n++] = digits[static_cast<std::size_t>(i)];
        if (i == exponent) out[n++] = '.';
      }
    }
  } else {
    for (std::size_t i = 0; i < text.size(); ++i) out[n++] = text[i] == 'e' ? 'E' : text[i];
  }
  return rightAligned({out.data(), n}, kRealWidth);
}

// Characters that would end a value or open a quoted one when read back.
bool needsQuotes(std::string_view content) {
  for (const char c : content) {
    switch (c) {
      case ' ':
      case '\t':
      case ',':
      case '/':
      case '\'':
      case '"':
        return true;
      default:
        break;
    }
  }
  return content.empty();
}

// A text at (at least) its declared width: leading blanks dropped, quoted with
// apostrophes when it would not read back whole otherwise.
void appendText(std::string& out, std::string_view text) {
  const std::size_t start = out.size();
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  const std::string_view content =
      first == std::string_view::npos ? std::string_view{} : text.substr(first, last - first + 1);
  if (!needsQuotes(content)) {
    out += content;
  } else {
    out += '\'';
    for (const char c : content) {
      if (c == '\'') out += '\'';
      out += c;
    }
    out += '\'';
  }
  const std::size_t written = out.size() - start;
  if (written < text.size()) out.append(text.size() - written, ' ');
}

}  // namespace

void appendInteger(std::string& out, std::int32_t value) {
  out += integerField(value).view();
}

void appendReal(std::string& out, float value) {
  out += realField(value).view();
}

void writeRecord(std::string& out, std::initializer_list<RecordValue> values) {
  enum class Last { Nothing, Text, Number };
  Last last = Last::Nothing;
  out += ' ';
  auto appendNumber = [&](const NumberField& field) {
    // A number after a text is set off by a blank; after a number only when its
    // field is full, so that the two still read as two values.
    if (last == Last::Text || (last == Last::Number && field.chars[0] != ' ')) out += ' ';
    out += field.view();
    last = Last::Number;
  };
  for (const RecordValue& value : values) {
    if (const auto* text = std::get_if<std::string_view>(&value)) {
      if (last != Last::Nothing) out += ' ';
      appendText(out, *text);
      last = Last::Text;
    } else if (const auto* label = std::get_if<Label>(&value)) {
      if (last != Last::Nothing) out += ' ';
      out += label->text;
      last = Last::Text;
    } else if (const auto* integer = std::get_if<std::int32_t>(&value)) {
      appendNumber(integerField(*integer));
    } else {
      appendNumber(realField(std::get<float>(value)));
    }
  }
  out += '\n';
}

}  // namespace kandelor
