#pragma once

#include <cstdint>

namespace kandelor::plan {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// The false colours of the plan: viridis, from dark blue-violet (0) through teal to yellow
// (1). Its lightness rises evenly and it never sets red against green, so the order of
// the colours reads for colour-blind eyes and in grey. Values outside 0..1 are clamped.
Rgb viridis(double t);

}  // namespace kandelor::plan
