#pragma once

#include <algorithm>
#include <cmath>

namespace kandelor::workplane {

// The height of the work plane above the floor, in feet.
inline constexpr double kWorkPlaneHeight = 2.5;

// The points where the light on the work plane is computed: the centres of nx x ny
// equal cells of at most 1 ft (at most 200 along either side).
struct PointGrid {
  static constexpr int kMaxPoints = 200;

  int nx = 0;
  int ny = 0;
  double length = 0;
  double width = 0;

  static PointGrid of(double length, double width) {
    auto count = [](double side) {
      return std::clamp(static_cast<int>(std::ceil(side)), 1, kMaxPoints);
    };
    return {count(length), count(width), length, width};
  }

  // Points are numbered i = 0..nx-1 along the length and j = 0..ny-1 across.
  double x(int i) const { return (i + 0.5) * length / nx; }
  double y(int j) const { return (j + 0.5) * width / ny; }
  int size() const { return nx * ny; }
};

}  // namespace kandelor::workplane
