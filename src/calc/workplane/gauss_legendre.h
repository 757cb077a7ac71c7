#pragma once

#include <span>

namespace kandelor::workplane {

inline constexpr int kMaxGaussPoints = 16;

// The n-point Gauss-Legendre rule on [0, 1] (n = 1..16): nodes and weights (summing to 1).
struct GaussRule {
  std::span<const double> nodes;
  std::span<const double> weights;
};

GaussRule gaussRule(int n);

}  // namespace kandelor::workplane
