#pragma once

#include <array>

namespace kandelor::photometry {

// The luminous opening of a luminaire in its own frame (metres): the bottom face, length
// along C 0 and width along C 90, and the lit sides that stand up from its edges.
struct LuminousOpening {
  double length = 0;  // the diameter where round
  double width = 0;
  bool round = false;
  // Heights of the lit sides facing C 0, 90, 180 and 270 (all the same where round).
  std::array<double, 4> sideHeights{};

  double bottomArea() const;
  bool hasArea() const { return bottomArea() > 0; }

  // The area seen from the direction (c, gamma), degrees, gamma from the nadir: the
  // bottom face foreshortened by cos gamma, and each side that faces that way by
  // sin gamma and the cosine between its normal and the direction across.
  double projectedArea(double c, double gamma) const;
};

}  // namespace kandelor::photometry
