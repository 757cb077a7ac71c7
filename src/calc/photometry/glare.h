#pragma once

#include <optional>

#include "calc/photometry/candela_distribution.h"

namespace kandelor::photometry {

// The pieces of the Unified Glare Rating (CIE 117):
//   UGR = 8 log10(0.25 / Lb * sum of L^2 omega / p^2)
// over the luminaires an observer sees. Lengths in metres, luminances in cd/m2.

// Guth's position index by Levin's closed form, for a luminaire `above` the eye, `ahead`
// of it along the line of sight and `aside` of it (either side); empty where the index's
// table stops and the luminaire does not count: behind the eye or not above it,
// H/R > 1.9 or T/R > 3.
std::optional<double> positionIndex(double ahead, double aside, double above);

// One luminaire's share of the sum: luminance L toward the eye, solid angle omega at the
// eye and position index p.
inline double glareTerm(double luminance, double solidAngle, double positionIndex) {
  return luminance * luminance * solidAngle / (positionIndex * positionIndex);
}

// The rating of a sum of glare terms against the background luminance `lb`; empty where
// no luminaire counts (a sum of 0) or there is no background.
std::optional<double> unifiedGlareRating(double lb, double termSum);

// Where a luminaire hangs as the eye sees it (metres): ahead along the horizontal line of
// sight, aside across it (positive to the line of sight's left), above the eye; its
// length lies `lengthAngle` degrees from the line of sight, turned toward the left (0:
// endwise, 90: crosswise).
struct LuminaireInView {
  double ahead = 0;
  double aside = 0;
  double above = 0;
  double lengthAngle = 0;
};

// The luminaire's glare term: its distribution's intensity toward the eye times
// `candelaScale`, over its opening's area projected that way; 0 where it does not count
// or shows no luminous area toward the eye.
double luminaireGlareTerm(const CandelaDistribution& distribution, const LuminaireInView& view,
                          double candelaScale = 1);

}  // namespace kandelor::photometry
