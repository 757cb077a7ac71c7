#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "calc/photometry/lm63.h"
#include "calc/photometry/luminous_opening.h"

namespace kandelor::photometry {

// A type C candela distribution over the whole sphere in the luminaire's own frame
// (C 0 along its length, C 90 across it): the file's planes expanded by their symmetry,
// looked up linearly in C and in the vertical angle, with the lamp lumens the candela
// values refer to and the luminous opening they come from.
//
// Each format keeps its own orientation: an LM-63 file gives the length along its
// 0-180 plane, a EULUMDAT file along its C 90-270 plane (its C 0-180 plane runs across
// the lamps), so the frame's C is the file's C less `lengthPlane()`.
//
// The file's horizontal angles tell the symmetry: one plane (or a last angle of 0) is
// the same all round, 0..90 is mirrored into the other quadrants, 0..180 about the
// 0-180 plane, 90..270 about the 90-270 plane, 0..360 is given whole. Any other span is
// taken as measured, and across the planes it leaves out the light is interpolated
// around the circle from its last plane to its first.
class CandelaDistribution {
 public:
  CandelaDistribution() = default;

  static CandelaDistribution fromPhotometry(const Photometry& photometry);

  // Candela at vertical angle `theta` (degrees from the nadir) in the luminaire's plane
  // `c` (degrees from its length toward its width); 0 outside the measured vertical range.
  double at(double c, double theta) const;

  // The same in the file's own C angles, as its datasheet prints them.
  double atFilePlane(double c, double theta) const { return at(c - lengthPlane_, theta); }

  // The mean intensity all round at `theta`.
  double meanAt(double theta) const;

  // Lumens sent between vertical angles theta0 and theta1 (degrees) all round: the
  // exact integral of the interpolated distribution.
  double flux(double theta0, double theta1) const;
  double downwardFlux() const { return flux(0, 90); }
  double upwardFlux() const { return flux(90, 180); }

  // The lumens of ten-degree zone n (1..18) from the mean intensity at its mid angle,
  // as zonal lumen summaries and CU tables count them.
  double zoneLumens(int n) const;

  // Lamps x lumens per lamp; for absolute photometry the luminaire's own zonal total.
  double lampLumens() const { return lampLumens_; }
  bool absolute() const { return absolute_; }

  const LuminousOpening& opening() const { return opening_; }

  // Luminance (cd/m2) of the luminous opening seen from the direction (c, gamma) in the
  // luminaire's frame; 0 where the opening shows no area that way.
  double luminance(double c, double gamma) const;

  // The file's C angle of the luminaire's length: 0 for LM-63, 90 for EULUMDAT.
  double lengthPlane() const { return lengthPlane_; }

  const std::vector<double>& planes() const { return planes_; }
  // The same in every vertical plane: the plane does not matter.
  bool isRound() const { return planes_.size() == 1; }
  const std::vector<double>& verticalAngles() const { return vertical_; }

 private:
  double inPlane(std::size_t plane, double theta) const;
  double searchedAt(double c, double theta) const;
  void resample();

  std::vector<double> vertical_;  // ascending, degrees
  std::vector<double> planes_;    // ascending C from 0; the last is 360 unless only one
  std::vector<double> candela_;   // candela_[plane * vertical_.size() + v]
  double verticalStep_ = 0;       // > 0 when the vertical angles are evenly spaced
  double planeStep_ = 0;          // > 0 when the planes are evenly spaced
  std::vector<std::uint16_t> verticalByDegree_;  // segment lookups for uneven angles
  std::vector<std::uint16_t> planeByDegree_;
  // The same light on a regular grid of angles that holds every measured one (and every
  // plane of the expansion), where such a grid is small enough: between its nodes the
  // light is bilinear just as between the measured angles, so a lookup on it gives the
  // same value, found by an index instead of a search. Empty where there is none.
  std::vector<double> regular_;      // regular_[plane * regularVertical_ + v]
  std::size_t regularVertical_ = 0;  // nodes along the vertical angle (>= 2)
  std::size_t regularPlanes_ = 0;    // nodes along C (1 for a round distribution)
  double verticalScale_ = 0;         // nodes per degree of vertical angle
  double planeScale_ = 0;            // nodes per degree of C
  // The measured planes of a standard symmetry, whose trapezoid mean is the mean all
  // round; empty for other spans, whose mean is taken over the expanded circle.
  std::vector<double> measuredPlanes_;
  std::vector<std::vector<double>> measuredCandela_;
  double lengthPlane_ = 0;
  double lampLumens_ = 0;
  bool absolute_ = false;
  LuminousOpening opening_;
};

// Inline: the light on the work plane looks up millions of values per room.
inline double CandelaDistribution::at(double c, double theta) const {
  if (regular_.empty()) {
    return planes_.size() == 1 ? inPlane(0, theta) : searchedAt(c, theta);
  }
  if (!(theta >= vertical_.front() && theta <= vertical_.back())) return 0;
  const std::size_t lastV = regularVertical_ - 2;
  const double fv = (theta - vertical_.front()) * verticalScale_;
  const std::size_t v = std::min(static_cast<std::size_t>(fv), lastV);
  const double s = fv - static_cast<double>(v);
  const double* low = &regular_[v];
  if (regularPlanes_ == 1) return low[0] + s * (low[1] - low[0]);
  if (c < 0 || c >= 360) {
    c = std::fmod(c, 360);
    if (c < 0) c += 360;
  }
  const double fc = c * planeScale_;
  const std::size_t i = std::min(static_cast<std::size_t>(fc), regularPlanes_ - 2);
  const double t = fc - static_cast<double>(i);
  low += i * regularVertical_;
  const double* high = low + regularVertical_;
  const double inLow = low[0] + s * (low[1] - low[0]);
  const double inHigh = high[0] + s * (high[1] - high[0]);
  return inLow + t * (inHigh - inLow);
}

}  // namespace kandelor::photometry
