#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "calc/photometry/lm63.h"

namespace kandelor::workplane {

// A type C candela distribution over the whole sphere: the file's planes expanded by
// its symmetry to C 0..360 (one plane for a distribution that is the same all round),
// looked up linearly in C and in the vertical angle.
class IntensityTable {
 public:
  IntensityTable() = default;

  // The distribution of a type C file. Its horizontal angles tell the symmetry: a last
  // angle of 0 is the same in every plane, 90 is mirrored into the other quadrants, 180
  // about the 0-180 plane, 360 is given whole; 90..270 is mirrored about the 90-270 plane.
  static IntensityTable fromPhotometry(const photometry::Photometry& photometry);

  // Candela at vertical angle `theta` (degrees from the nadir) in the plane C (degrees
  // from the luminaire's length toward its width); 0 outside the measured vertical range.
  double at(double c, double theta) const;

  // Lumens sent between vertical angles theta0 and theta1 (degrees) all round: the
  // exact integral of the interpolated distribution.
  double flux(double theta0, double theta1) const;

  double downwardFlux() const { return flux(0, 90); }
  double upwardFlux() const { return flux(90, 180); }

  const std::vector<double>& planes() const { return planes_; }
  // The same in every vertical plane: the plane does not matter.
  bool isRound() const { return planes_.size() == 1; }
  const std::vector<double>& verticalAngles() const { return vertical_; }

 private:
  double inPlane(std::size_t plane, double theta) const;

  std::vector<double> vertical_;  // ascending, degrees
  std::vector<double> planes_;    // ascending C from 0; the last is 360 unless only one
  std::vector<double> candela_;   // candela_[plane * vertical_.size() + v]
  double verticalStep_ = 0;       // > 0 when the vertical angles are evenly spaced
  double planeStep_ = 0;          // > 0 when the planes are evenly spaced
  std::vector<std::uint16_t> verticalByDegree_;  // segment lookups for uneven angles
  std::vector<std::uint16_t> planeByDegree_;
};

}  // namespace kandelor::workplane
