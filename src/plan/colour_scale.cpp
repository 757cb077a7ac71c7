#include "plan/colour_scale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kandelor::plan {

namespace {

// Viridis at nine evenly spaced places; between them the colour is interpolated.
constexpr std::array<Rgb, 9> kViridis{{
    {0x44, 0x01, 0x54},
    {0x47, 0x2c, 0x7a},
    {0x3b, 0x51, 0x8b},
    {0x2c, 0x71, 0x8e},
    {0x21, 0x90, 0x8d},
    {0x27, 0xad, 0x81},
    {0x5c, 0xc8, 0x63},
    {0xaa, 0xdc, 0x32},
    {0xfd, 0xe7, 0x25},
}};

std::uint8_t mix(std::uint8_t a, std::uint8_t b, double t) {
  return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
}

}  // namespace

Rgb viridis(double t) {
  if (!(t > 0)) return kViridis.front();
  if (t >= 1) return kViridis.back();
  const double at = t * (kViridis.size() - 1);
  const auto low = static_cast<std::size_t>(at);
  const double f = at - static_cast<double>(low);
  const Rgb& a = kViridis[low];
  const Rgb& b = kViridis[low + 1];
  return {mix(a.red, b.red, f), mix(a.green, b.green, f), mix(a.blue, b.blue, f)};
}

}  // namespace kandelor::plan
