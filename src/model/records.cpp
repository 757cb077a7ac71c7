#include "model/records.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace kandelor {
namespace {

constexpr std::size_t kIntegerWidth = 11;
constexpr std::size_t kRealWidth = 16;
static_assert(kIntegerRecordBytes == kIntegerWidth + 2 && kRealRecordBytes == kRealWidth + 2);

// A number right-aligned in its field, built on the stack.
struct NumberField {
  std::array<char, 32> chars{};
  std::size_t size = 0;

  std::string_view view() const { return {chars.data(), size}; }
};

// Writes `value` right-aligned in the 11 characters at `field` (an int32 always fits).
void putIntegerField(char* field, std::int32_t value) {
  std::memset(field, ' ', kIntegerWidth);
  char* p = field + kIntegerWidth;
  auto magnitude = static_cast<std::uint32_t>(value);
  if (value < 0) magnitude = 0u - magnitude;
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = '-';
}

NumberField integerField(std::int32_t value) {
  NumberField field;
  putIntegerField(field.chars.data(), value);
  field.size = kIntegerWidth;
  return field;
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

  // magnitude = mantissa * 2^shift; a normal float, as the range above ensures.
  const auto bits = std::bit_cast<std::uint32_t>(magnitude);
  const std::uint64_t mantissa = (bits & 0x7FFFFFu) | 0x800000u;
  const int shift = static_cast<int>(bits >> 23) - 150;
  const int binaryExponent = shift + 24;

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
void putRealField(char* field, float value);

// "00" to "99", for writing two digits at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// The nine digits of n (below 10^9), in short independent steps rather than nine
// dependent divisions.
std::array<char, 9> nineDigitChars(std::uint32_t n) {
  std::array<char, 9> digits{};
  const std::uint32_t rest = n % 100000000;
  digits[0] = static_cast<char>('0' + n / 100000000);
  const std::uint32_t high = rest / 10000;
  const std::uint32_t low = rest % 10000;
  std::memcpy(&digits[1], &kDigitPairs[2 * (high / 100)], 2);
  std::memcpy(&digits[3], &kDigitPairs[2 * (high % 100)], 2);
  std::memcpy(&digits[5], &kDigitPairs[2 * (low / 100)], 2);
  std::memcpy(&digits[7], &kDigitPairs[2 * (low % 100)], 2);
  return digits;
}

NumberField realField(float value) {
  NumberField field;
  putRealField(field.chars.data(), value);
  field.size = kRealWidth;
  return field;
}

// Writes `text` right-aligned in the 16 characters at `field`.
void putRightAligned(char* field, const char* text, std::size_t size) {
  std::memset(field, ' ', kRealWidth - size);
  std::memcpy(field + kRealWidth - size, text, size);
}

void putRealField(char* field, float value) {
  std::array<char, 32> out{};
  std::size_t n = 0;
  if (value == 0.0f) {
    const std::string_view zero = std::signbit(value) ? "-0.00000000E+00" : "0.00000000E+00";
    putRightAligned(field, zero.data(), zero.size());
    return;
  }

  std::uint64_t nine = 0;
  int exponent = 0;
  if (!nineDigits(value, nine, exponent)) {
    std::array<char, 32> sci{};
    const auto result =
        std::to_chars(sci.data(), sci.data() + sci.size(), value, std::chars_format::scientific, 8);
    const std::string_view text(sci.data(), static_cast<std::size_t>(result.ptr - sci.data()));
    // [-]d.dddddddde[+-]xx; a float's decimal exponent has two digits (at most 45).
    for (const char c : text) out[n++] = c == 'e' ? 'E' : c;
    putRightAligned(field, out.data(), n);
    return;
  }

  const std::array<char, 9> digits = nineDigitChars(static_cast<std::uint32_t>(nine));
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
  putRightAligned(field, out.data(), n);
}

// Characters that would end a value or open a quoted one when read back: blanks,
// control characters, separators and quotes.
constexpr std::array<bool, 256> kNeedsQuotes = [] {
  std::array<bool, 256> needs{};
  for (int c = 0; c <= 0x20; ++c) needs[static_cast<std::size_t>(c)] = true;
  needs[0x7F] = true;
  for (const char c : {',', '/', '\'', '"'}) needs[static_cast<unsigned char>(c)] = true;
  return needs;
}();

bool needsQuotes(std::string_view content) {
  for (const char c : content) {
    if (kNeedsQuotes[static_cast<unsigned char>(c)]) return true;
  }
  return content.empty();
}

// A text at (at least) its declared width: leading blanks dropped, quoted with
// apostrophes when it would not read back whole otherwise. Writes at most
// maxTextRecordBytes(text.size()) - 3 bytes.
char* putText(char* out, std::string_view text) {
  char* const start = out;
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  const std::string_view content =
      first == std::string_view::npos ? std::string_view{} : text.substr(first, last - first + 1);
  if (!needsQuotes(content)) {
    std::memcpy(out, content.data(), content.size());
    out += content.size();
  } else {
    *out++ = '\'';
    for (const char c : content) {
      if (c == '\'') *out++ = '\'';
      *out++ = c;
    }
    *out++ = '\'';
  }
  const auto written = static_cast<std::size_t>(out - start);
  if (written < text.size()) {
    std::memset(out, ' ', text.size() - written);
    out += text.size() - written;
  }
  return out;
}

}  // namespace

void appendText(std::string& out, std::string_view text) {
  const std::size_t start = out.size();
  out.resize(start + maxTextRecordBytes(text.size()));
  char* end = putText(out.data() + start, text);
  out.resize(static_cast<std::size_t>(end - out.data()));
}

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

char* putValueRecord(char* out, std::int32_t value) {
  out[0] = ' ';
  putIntegerField(out + 1, value);
  out[kIntegerWidth + 1] = '\n';
  return out + kIntegerRecordBytes;
}

char* putValueRecord(char* out, float value) {
  out[0] = ' ';
  putRealField(out + 1, value);
  out[kRealWidth + 1] = '\n';
  return out + kRealRecordBytes;
}

char* putValueRecord(char* out, std::string_view text) {
  *out++ = ' ';
  out = putText(out, text);
  *out++ = '\n';
  return out;
}

}  // namespace kandelor
