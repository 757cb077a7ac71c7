#include "model/decimal_float.h"

#include <array>
#include <bit>
#include <cfloat>
#include <cstdint>

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

}  // namespace

// The digits make an integer m below 10^15 and the number is m * 10^e. m and 10^e (for
// 0 <= e <= 22) are exact in double precision, and 10^e for negative e is within half a
// unit of its last place, so one multiplication gives a double within two units of the
// number's last place (2^-52 relative). Rounding that double to float gives the float
// nearest the number unless a float midpoint lies within those two units, i.e. unless
// the 29 bits a float drops are within a few units of exactly one half. Those cases,
// and results outside the normal float range, are left to the caller.
bool readShortDecimalFloat(std::string_view text, float& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  bool negative = false;
  if (p != end && (*p == '-' || *p == '+')) negative = *p++ == '-';

  std::uint64_t mantissa = 0;
  int digits = 0;
  int exponent = 0;
  const char* const digitsStart = p;
  for (; p != end && *p >= '0' && *p <= '9'; ++p) {
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    if (mantissa != 0) ++digits;
  }
  bool anyDigit = p != digitsStart;
  if (p != end && *p == '.') {
    const char* const fractionStart = ++p;
    for (; p != end && *p >= '0' && *p <= '9'; ++p) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
      if (mantissa != 0) ++digits;
    }
    exponent = -static_cast<int>(p - fractionStart);
    anyDigit = anyDigit || p != fractionStart;
  }
  if (!anyDigit || digits > 15) return false;
  if (p != end) {
    if (*p != 'e' && *p != 'E') return false;
    ++p;
    bool negativeExponent = false;
    if (p != end && (*p == '-' || *p == '+')) negativeExponent = *p++ == '-';
    if (p == end || end - p > 3) return false;
    int written = 0;
    for (; p != end; ++p) {
      if (*p < '0' || *p > '9') return false;
      written = written * 10 + (*p - '0');
    }
    exponent += negativeExponent ? -written : written;
  }

  if (mantissa == 0) {
    value = negative ? -0.0f : 0.0f;
    return true;
  }
  if (exponent < -22 || exponent > 22) return false;
  const double m = static_cast<double>(mantissa);
  const double nearest = exponent >= 0
                             ? m * kPowersOfTen[static_cast<std::size_t>(exponent)]
                             : m * kInversePowersOfTen[static_cast<std::size_t>(-exponent)];
  if (!(nearest >= FLT_MIN && nearest <= FLT_MAX)) return false;
  // The 29 bits of the double's mantissa that a float drops: close to one half?
  constexpr std::int64_t kHalf = std::int64_t{1} << 28;
  constexpr std::int64_t kMargin = 8;
  const auto dropped =
      static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(nearest) & ((1ull << 29) - 1));
  if (dropped > kHalf - kMargin && dropped < kHalf + kMargin) return false;
  const auto rounded = static_cast<float>(nearest);
  value = negative ? -rounded : rounded;
  return true;
}

}  // namespace kandelor
