#include "calc/photometry/ugr_background.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace kandelor::photometry {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kPowers = 4;            // I = cos^n gamma, n = 0..3
constexpr int kMaxRoom = 12;          // the largest room side, in H
constexpr int kCells = 2 * kMaxRoom;  // half-H cells along each side

// Solves a x = b in place by Gaussian elimination with partial pivoting.
template <std::size_t N>
std::array<double, N> solve(std::array<std::array<double, N>, N> a, std::array<double, N> b) {
  for (std::size_t col = 0; col < N; ++col) {
    std::size_t pivot = col;
    for (std::size_t row = col + 1; row < N; ++row) {
      if (std::abs(a[row][col]) > std::abs(a[pivot][col])) pivot = row;
    }
    std::swap(a[col], a[pivot]);
    std::swap(b[col], b[pivot]);
    for (std::size_t row = 0; row < N; ++row) {
      if (row == col) continue;
      const double f = a[row][col] / a[col][col];
      for (std::size_t k = col; k < N; ++k) a[row][k] -= f * a[col][k];
      b[row] -= f * b[col];
    }
  }
  for (std::size_t i = 0; i < N; ++i) b[i] /= a[i][i];
  return b;
}

// corner[n][i][j]: the flux that a luminaire of intensity cos^n gamma, 1 above the
// corner of the plane's rectangle [0, i/2] x [0, j/2], sends onto it: the integral of
// cos^(n+3) gamma. Gauss-Legendre, four points on every tenth of H.
using CornerTable = std::array<std::array<std::array<double, kCells + 1>, kCells + 1>, kPowers>;

CornerTable cornerTable() {
  constexpr double kNodes[4] = {-0.8611363115940526, -0.3399810435848563, 0.3399810435848563,
                                0.8611363115940526};
  constexpr double kWeights[4] = {0.3478548451374538, 0.6521451548625461, 0.6521451548625461,
                                  0.3478548451374538};
  constexpr int kSteps = 5 * kCells;  // tenths of H
  constexpr double kStep = 0.1;
  std::array<double, 4 * kSteps> points{}, weights{};
  for (int s = 0; s < kSteps; ++s) {
    for (int q = 0; q < 4; ++q) {
      points[static_cast<std::size_t>(4 * s + q)] = kStep * (s + 0.5 + 0.5 * kNodes[q]);
      weights[static_cast<std::size_t>(4 * s + q)] = 0.5 * kStep * kWeights[q];
    }
  }
  CornerTable table{};
  // Cell sums first, then running sums over both sides.
  for (std::size_t i = 0; i < points.size(); ++i) {
    for (std::size_t j = 0; j < points.size(); ++j) {
      const double c = 1 / std::sqrt(1 + points[i] * points[i] + points[j] * points[j]);
      double power = c * c * c * weights[i] * weights[j];
      const std::size_t ci = i / 20 + 1, cj = j / 20 + 1;  // 20 points a half H
      for (auto& byPower : table) {
        byPower[ci][cj] += power;
        power *= c;
      }
    }
  }
  for (auto& byPower : table) {
    for (std::size_t i = 1; i <= kCells; ++i) {
      for (std::size_t j = 1; j <= kCells; ++j) {
        byPower[i][j] += byPower[i - 1][j] + byPower[i][j - 1] - byPower[i - 1][j - 1];
      }
    }
  }
  return table;
}

// Directly opposed parallel rectangles a x b at distance 1 (Howell C-11).
double opposedRectangles(double a, double b) {
  const double sa = std::sqrt(1 + a * a), sb = std::sqrt(1 + b * b);
  return 2 / (kPi * a * b) *
         (std::log(sa * sb / std::sqrt(1 + a * a + b * b)) + a * sb * std::atan(a / sb) +
          b * sa * std::atan(b / sa) - a * std::atan(a) - b * std::atan(b));
}

}  // namespace

std::array<double, 4> directFloorMultipliers(int x, int y) {
  static const CornerTable corner = cornerTable();
  x = std::clamp(x, 1, kMaxRoom);
  y = std::clamp(y, 1, kMaxRoom);
  std::array<std::array<double, 4>, 4> fractions{};
  std::array<double, 4> direct{};
  for (std::size_t n = 0; n < kPowers; ++n) {
    const double down = 2 * kPi / static_cast<double>(n + 1);
    for (std::size_t k = 0; k < kCumulativeCosines.size(); ++k) {
      fractions[n][k] = down * (1 - std::pow(kCumulativeCosines[k], static_cast<double>(n + 1)));
    }
    // Each luminaire of the grid stands at a corner of four rectangles of the plane.
    const auto& g = corner[n];
    double sum = 0;
    for (int i = 0; i < x; ++i) {
      for (int j = 0; j < y; ++j) {
        const auto left = static_cast<std::size_t>(2 * i + 1),
                   right = static_cast<std::size_t>(2 * (x - i) - 1);
        const auto near = static_cast<std::size_t>(2 * j + 1),
                   far = static_cast<std::size_t>(2 * (y - j) - 1);
        sum += g[left][near] + g[right][near] + g[left][far] + g[right][far];
      }
    }
    direct[n] = sum / (x * y);
  }
  return solve(fractions, direct);
}

WallTransfer wallTransfer(double x, double y, double ceiling, double walls, double floor) {
  const double planeArea = x * y, wallArea = 2 * (x + y);
  const double planeToPlane = opposedRectangles(x, y);
  const double planeToWalls = 1 - planeToPlane;
  const double wallsToPlane = planeArea * planeToWalls / wallArea;
  const double wallsToWalls = 1 - 2 * wallsToPlane;
  // Light first falling on surface i is reflected and goes on to j: m[i][j] = rho_i F_ij.
  // What reaches the walls per lumen first falling on each is the walls' column of
  // (1 - m)^-1.
  const std::array<double, 3> rho = {floor, walls, ceiling};
  const std::array<std::array<double, 3>, 3> f = {{{0, planeToWalls, planeToPlane},
                                                   {wallsToPlane, wallsToWalls, wallsToPlane},
                                                   {planeToPlane, planeToWalls, 0}}};
  std::array<std::array<double, 3>, 3> m{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) m[i][j] = (i == j ? 1 : 0) - rho[i] * f[i][j];
  }
  const auto t = solve(m, std::array<double, 3>{0, 1, 0});
  return {t[0], t[1], t[2]};
}

std::array<double, 4> cumulativeDownwardFractions(const CandelaDistribution& distribution) {
  std::array<double, 4> fractions{};
  const double lamps = distribution.lampLumens();
  if (!(lamps > 0)) return fractions;
  for (std::size_t k = 0; k < kCumulativeCosines.size(); ++k) {
    fractions[k] = distribution.flux(0, std::acos(kCumulativeCosines[k]) * 180 / kPi) / lamps;
  }
  return fractions;
}

DirectShares directShares(const std::array<double, 4>& multipliers,
                          const std::array<double, 4>& cumulative, double downFraction,
                          double upFraction) {
  DirectShares shares;
  for (std::size_t k = 0; k < multipliers.size(); ++k)
    shares.floor += multipliers[k] * cumulative[k];
  shares.walls = downFraction - shares.floor;
  shares.ceiling = upFraction;
  return shares;
}

double backgroundLuminance(const DirectShares& shares, const WallTransfer& transfer, double count,
                           double lumens, double wallArea) {
  const double indirect =
      count * lumens / wallArea *
      (shares.floor * transfer.fromFloor + shares.walls * (transfer.fromWalls - 1) +
       shares.ceiling * transfer.fromCeiling);
  return indirect / kPi;
}

}  // namespace kandelor::photometry
