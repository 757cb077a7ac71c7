#include "model/decimal_float.h"

#include <array>
#include <bit>
#include <cfloat>
#include <cstdint>
#include <cstring>

namespace kandelor {
namespace {

constexpr std::array<double, 23> kPowersOfTen = [] {
  std::array<double, 23> powers{};
  double p = 1.0;
  for (auto& power : powers) {  // all exact in double precision
    power = p;
    p *= 10.0;
  }
  return powers;
}();

// 10^-k rounded to double precision, for k from 0 to 22.
constexpr std::array<double, 23> kInversePowersOfTen = [] {
  std::array<double, 23> powers{};
  for (std::size_t k = 0; k < powers.size(); ++k) powers[k] = 1.0 / kPowersOfTen[k];
  return powers;
}();

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Eight ASCII digits at p, taken as one little-endian word.
std::uint64_t loadEight(const char* p) {
  std::uint64_t word = 0;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

bool areEightDigits(std::uint64_t word) {
  return ((word & 0xF0F0F0F0F0F0F0F0) |
          (((word + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0) >> 4)) == 0x3333333333333333;
}

// The value of eight digits, in three multiplications instead of eight dependent steps.
std::uint32_t valueOfEight(std::uint64_t word) {
  word -= 0x3030303030303030;
  word = word * 10 + (word >> 8);  // pairs of digits
  word = (((word & 0x000000FF000000FF) * (100 + (1000000ull << 32))) +
          (((word >> 16) & 0x000000FF000000FF) * (1 + (10000ull << 32)))) >>
         32;
  return static_cast<std::uint32_t>(word);
}

// Appends the digits at p to `mantissa`, eight at a time where it can, stopping before
// `count` reaches 20 digits so that the mantissa cannot overflow.
[[gnu::always_inline]] inline const char* readDigits(const char* p, const char* last,
                                                     std::uint64_t& mantissa, int& count) {
  const char* const start = p;
  while (last - p >= 8 && count + (p - start) <= 11) {
    const std::uint64_t word = loadEight(p);
    if (!areEightDigits(word)) break;
    mantissa = mantissa * 100000000 + valueOfEight(word);
    p += 8;
  }
  for (; p != last && isDigit(*p) && count + (p - start) < 19; ++p) {
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  count += static_cast<int>(p - start);
  return p;
}

}  // namespace

// The digits make an integer m below 2^53 and the number is m * 10^e. m and 10^e (for
// 0 <= e <= 22) are exact in double precision, and 10^e for negative e is within half a
// unit of its last place, so one multiplication gives a double within two units of the
// number's last place (2^-52 relative). Rounding that double to float gives the float
// nearest the number unless a float midpoint lies within those two units, i.e. unless
// the 29 bits a float drops are within a few units of exactly one half. Those cases,
// and results outside the normal float range, are left to the caller.
std::size_t readShortDecimalFloat(const char* first, const char* last, float& value) {
  const char* p = first;
  bool negative = false;
  if (p != last && (*p == '-' || *p == '+')) negative = *p++ == '-';

  std::uint64_t mantissa = 0;
  int digits = 0;
  p = readDigits(p, last, mantissa, digits);
  int exponent = 0;
  if (p != last && *p == '.') {
    const int before = digits;
    p = readDigits(p + 1, last, mantissa, digits);
    exponent = before - digits;
  }
  if (digits == 0) return 0;
  if (p != last && isDigit(*p)) return 0;  // more digits than the mantissa holds
  if (p != last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    bool negativeExponent = false;
    if (q != last && (*q == '-' || *q == '+')) negativeExponent = *q++ == '-';
    int written = 0;
    const char* const exponentStart = q;
    for (; q != last && isDigit(*q) && q - exponentStart < 4; ++q)
      written = written * 10 + (*q - '0');
    if (q == exponentStart || (q != last && isDigit(*q))) return 0;
    exponent += negativeExponent ? -written : written;
    p = q;
  }

  if (mantissa == 0) {
    value = negative ? -0.0f : 0.0f;
    return static_cast<std::size_t>(p - first);
  }
  if (exponent < -22 || exponent > 22 || mantissa >= (std::uint64_t{1} << 53)) return 0;
  const double m = static_cast<double>(mantissa);
  const double nearest = exponent >= 0
                             ? m * kPowersOfTen[static_cast<std::size_t>(exponent)]
                             : m * kInversePowersOfTen[static_cast<std::size_t>(-exponent)];
  if (!(nearest >= FLT_MIN && nearest <= FLT_MAX)) return 0;
  // The 29 bits of the double's mantissa that a float drops: close to one half?
  constexpr std::int64_t kHalf = std::int64_t{1} << 28;
  constexpr std::int64_t kMargin = 8;
  const auto dropped =
      static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(nearest) & ((1ull << 29) - 1));
  if (dropped > kHalf - kMargin && dropped < kHalf + kMargin) return 0;
  const auto rounded = static_cast<float>(nearest);
  value = negative ? -rounded : rounded;
  return static_cast<std::size_t>(p - first);
}

}  // namespace kandelor
