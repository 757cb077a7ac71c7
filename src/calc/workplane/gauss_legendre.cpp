#include "calc/workplane/gauss_legendre.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace kandelor::workplane {

namespace {

struct Rules {
  std::array<std::array<double, kMaxGaussPoints>, kMaxGaussPoints + 1> nodes{};
  std::array<std::array<double, kMaxGaussPoints>, kMaxGaussPoints + 1> weights{};

  // The roots of the Legendre polynomials by Newton's method from Chebyshev guesses.
  Rules() {
    for (int n = 1; n <= kMaxGaussPoints; ++n) {
      for (int i = 0; i < n; ++i) {
        double x = std::cos(std::numbers::pi * (i + 0.75) / (n + 0.5));
        double derivative = 1;
        for (int iteration = 0; iteration < 100; ++iteration) {
          double p0 = 1, p1 = x;
          for (int k = 2; k <= n; ++k) {
            const double p2 = ((2 * k - 1) * x * p1 - (k - 1) * p0) / k;
            p0 = p1;
            p1 = p2;
          }
          derivative = n * (x * p1 - p0) / (x * x - 1);
          const double step = p1 / derivative;
          x -= step;
          if (std::abs(step) < 1e-15) break;
        }
        const auto k = static_cast<std::size_t>(i);
        nodes[n][k] = (1 - x) / 2;
        weights[n][k] = 1 / ((1 - x * x) * derivative * derivative);
      }
    }
  }
};

}  // namespace

GaussRule gaussRule(int n) {
  static const Rules rules;
  n = std::clamp(n, 1, kMaxGaussPoints);
  const auto size = static_cast<std::size_t>(n);
  return {std::span<const double>(rules.nodes[static_cast<std::size_t>(n)].data(), size),
          std::span<const double>(rules.weights[static_cast<std::size_t>(n)].data(), size)};
}

}  // namespace kandelor::workplane
