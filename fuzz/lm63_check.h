#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/photometry/cu_table.h"
#include "calc/photometry/eulumdat.h"
#include "calc/photometry/lm63.h"
#include "calc/reflectances.h"

namespace kandelor::fuzz {

// Why `angles` are not `count` ascending angles within [low, high], or nothing.
inline std::optional<std::string> angleFault(const std::vector<double>& angles, const char* what,
                                             double low, double high) {
  if (angles.empty()) return std::string("no ") + what + " angles";
  for (std::size_t i = 0; i < angles.size(); ++i) {
    if (!(angles[i] >= low && angles[i] <= high)) return std::string(what) + " angle out of range";
    if (i > 0 && !(angles[i] > angles[i - 1])) return std::string(what) + " angles not ascending";
  }
  return std::nullopt;
}

// What is wrong with the photometry that a photometric file's reader accepts, and with the CU
// table that kandelor-catalog derives from it, or nothing. The reader promises
// ascending angles in the type's range, one finite, non-negative candela value per
// plane and angle with some light, and sane lamp data; the catalogue stores each CU
// as a whole percentage, so every CU of a luminaire that the tool takes (one giving
// at most kMaxLightOutputRatio times its lamps' light) must be finite and fit a 32-bit
// integer.
inline std::optional<std::string> photometryFault(const Result<photometry::Photometry>& result) {
  using namespace photometry;
  if (!result) {
    if (result.error().what.empty()) return "an error without a description";
    return std::nullopt;
  }
  const Photometry& p = *result;
  const bool typeC = p.type == PhotometricType::C;
  if (auto fault = angleFault(p.verticalAngles, "vertical", typeC ? 0 : -90, typeC ? 180 : 90)) {
    return fault;
  }
  if (auto fault =
          angleFault(p.horizontalAngles, "horizontal", typeC ? 0 : -90, typeC ? 360 : 90)) {
    return fault;
  }
  if (p.candela.size() != p.horizontalAngles.size()) return "one candela plane per angle expected";
  bool anyLight = false;
  for (const auto& plane : p.candela) {
    if (plane.size() != p.verticalAngles.size()) return "a candela plane of the wrong size";
    for (const double cd : plane) {
      if (!std::isfinite(cd) || cd < 0) return "a candela value that is negative or not finite";
      anyLight = anyLight || cd > 0;
    }
  }
  if (!anyLight) return "no candela value above 0";
  if (p.lampCount < 1) return "a lamp count below 1";
  if (!(p.lumensPerLamp > 0 || p.lumensPerLamp == -1)) return "lumens per lamp of 0 or below";
  if (!(p.candelaMultiplier > 0) || !std::isfinite(p.candelaMultiplier)) return "a bad multiplier";
  if (!typeC) return std::nullopt;  // kandelor-catalog takes type C only

  const ZonalFlux flux = zonalFlux(p);
  for (const double lumens : flux.lumens) {
    if (!std::isfinite(lumens) || lumens < 0) return "zonal lumens that are negative or not finite";
  }
  if (!std::isfinite(flux.downFraction) || !std::isfinite(flux.upFraction)) {
    return "a light fraction that is not finite";
  }
  if (lightOutputRatio(flux) > kMaxLightOutputRatio) return std::nullopt;  // the tool rejects it
  for (int column = 1; column <= kReflectanceColumnCount; ++column) {
    const auto [ceiling, wall] = kCatalogueColumns[static_cast<std::size_t>(column - 1)];
    for (int rcr = 1; rcr <= kRcrCount; ++rcr) {
      const double cu = coefficientOfUtilization(flux, {ceiling / 100.0, wall / 100.0, 0.2}, rcr);
      if (!std::isfinite(cu) || cu < 0 || cu * 100 >= 2147483647.0) {
        return "a CU of " + std::to_string(cu) + " for column " + std::to_string(column) +
               " at RCR " + std::to_string(rcr);
      }
    }
  }
  cuPercentTable(flux);
  return std::nullopt;
}

inline std::optional<std::string> lm63Fault(std::string_view input) {
  return photometryFault(photometry::readLm63(input, "input.ies"));
}

// EULUMDAT files promise the same as LM-63 ones, and always type C.
inline std::optional<std::string> eulumdatFault(std::string_view input) {
  const auto result = photometry::readEulumdat(input, "input.ldt");
  if (result && result->type != photometry::PhotometricType::C) return "a type other than C";
  return photometryFault(result);
}

}  // namespace kandelor::fuzz
