#include "model/records.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

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
  std::memset(field.chars.data(), ' ', pad);
  std::memcpy(field.chars.data() + pad, digits.data(), digits.size());
  field.size = pad + digits.size();
  return field;
}

// One blank, the field and the end of the line, appended at once.
void appendNumberRecord(std::string& out, const NumberField& field) {
  std::array<char, 40> line;
  line[0] = ' ';
  std::memcpy(line.data() + 1, field.chars.data(), field.size);
  line[field.size + 1] = '\n';
  out.append(line.data(), field.size + 2);
}

NumberField integerField(std::int32_t value) {
  std::array<char, 16> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  return rightAligned({digits.data(), static_cast<std::size_t>(result.ptr - digits.data())},
                      kIntegerWidth);
}

// Nine significant digits of |value|, rounded half to even as to_chars rounds, computed
// exactly in integers: `digits` holds 9 digits and `exponent` the power of ten of the
// first one. Covers magnitudes from 1e-10 to below 1e19, where the products fit in
// 128 bits; returns false elsewhere (the caller then formats with to_chars). Nearly
// every value of a project file takes this route, which is several times faster than
// formatting with a precision.
bool nineDigits(float value, std::uint64_t& digits, int& exponent) {
  using Wide = unsigned __int128;
  const float magnitude = std::fabs(value);
  if (!(magnitude >= 1e-10f) || !(magnitude < 1e19f)) return false;

  int binaryExponent = 0;
  const float fraction = std::frexp(magnitude, &binaryExponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 24));  // exact
  const int shift = binaryExponent - 24;  // magnitude = mantissa * 2^shift

  static constexpr std::array<std::uint64_t, 20> kPowers = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t p = 1;
    for (auto& power : powers) {
      power = p;
      p *= 10;
    }
    return powers;
  }();
  static constexpr std::uint64_t kBillion = 1000000000;

  // floor(magnitude * 10^(8-e)) and how the rest compares with one half (-1, 0, 1).
  auto scaled = [&](int e, std::uint64_t& n, int& restVsHalf) {
    const int p = 8 - e;
    if (p >= 0 && shift >= 0) {  // an integer: magnitudes of 2^24 and more
      n = (mantissa * kPowers[static_cast<std::size_t>(p)]) << shift;
      restVsHalf = -1;
    } else if (p >= 0) {  // mantissa * 10^p / 2^-shift
      const Wide numerator = Wide{mantissa} * kPowers[static_cast<std::size_t>(p)];
      const auto s = static_cast<unsigned>(-shift);
      n = static_cast<std::uint64_t>(numerator >> s);
      const Wide rest = numerator & ((Wide{1} << s) - 1);
      const Wide half = Wide{1} << (s - 1);
      restVsHalf = rest < half ? -1 : rest == half ? 0 : 1;
    } else {  // mantissa * 2^shift / 10^-p; magnitudes of 1e9 and more, so shift > 0
      const std::uint64_t numerator = mantissa << shift;
      const std::uint64_t denominator = kPowers[static_cast<std::size_t>(-p)];
      n = numerator / denominator;
      const std::uint64_t twiceRest = 2 * (numerator % denominator);
      restVsHalf = twiceRest < denominator ? -1 : twiceRest == denominator ? 0 : 1;
    }
  };

  // floor(log10(2^(binaryExponent - 1))): the first digit's power, or one below it.
  int e = ((binaryExponent - 1) * 78913) >> 18;
  std::uint64_t n = 0;
  int restVsHalf = 0;
  scaled(e, n, restVsHalf);
  if (n >= kBillion) scaled(++e, n, restVsHalf);
  if (restVsHalf > 0 || (restVsHalf == 0 && (n & 1) != 0)) ++n;
  if (n == kBillion) {  // rounded up to the next power of ten
    n /= 10;
    ++e;
  }
  digits = n;
  exponent = e;
  return true;
}

// Nine significant digits: plain notation for magnitudes from 0.1 to below 1e9,
// otherwise one digit, the point, eight digits and a two-digit exponent. The notation
// is chosen on the rounded value, so 999999999.6 becomes 1.00000000E+09.
NumberField realField(float value) {
  std::array<char, 32> out{};
  std::size_t n = 0;
  if (value == 0.0f)
    return rightAligned(std::signbit(value) ? "-0.00000000E+00" : "0.00000000E+00", kRealWidth);

  std::uint64_t nine = 0;
  int exponent = 0;
  if (!nineDigits(value, nine, exponent)) {
    std::array<char, 32> sci{};
    const auto result =
        std::to_chars(sci.data(), sci.data() + sci.size(), value, std::chars_format::scientific, 8);
    const std::string_view text(sci.data(), static_cast<std::size_t>(result.ptr - sci.data()));
    // [-]d.dddddddde[+-]xx; a float's decimal exponent has two digits (at most 45).
    for (const char c : text) out[n++] = c == 'e' ? 'E' : c;
    return rightAligned({out.data(), n}, kRealWidth);
  }

  std::array<char, 9> digits{};
  for (std::size_t i = digits.size(); i-- > 0; nine /= 10) {
    digits[i] = static_cast<char>('0' + nine % 10);
  }
  if (value < 0.0f) out[n++] = '-';
  if (exponent == -1) {
    out[n++] = '0';
    out[n++] = '.';
    for (const char d : digits) out[n++] = d;
  } else if (exponent >= 0 && exponent <= 8) {
    for (int i = 0; i < 9; ++i) {
      out[n++] = digits[static_cast<std::size_t>(i)];
      if (i == exponent) out[n++] = '.';
    }
  } else {
    out[n++] = digits[0];
    out[n++] = '.';
    for (std::size_t i = 1; i < digits.size(); ++i) out[n++] = digits[i];
    out[n++] = 'E';
    out[n++] = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    out[n++] = static_cast<char>('0' + magnitude / 10);
    out[n++] = static_cast<char>('0' + magnitude % 10);
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

namespace kandelor {

void writeValueRecord(std::string& out, std::int32_t value) {
  appendNumberRecord(out, integerField(value));
}

void writeValueRecord(std::string& out, float value) {
  appendNumberRecord(out, realField(value));
}

void writeValueRecord(std::string& out, std::string_view text) {
  out += ' ';
  appendText(out, text);
  out += '\n';
}

}  // namespace kandelor
