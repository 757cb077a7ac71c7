#pragma once

#include <cmath>
#include <functional>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace kandelor::photometry::testing {

// Describes an LM-63 file to write from a candela function, so tests can write the
// same distribution in different editions, layouts and symmetries.
struct Lm63Layout {
  std::string header = "IESNA:LM-63-2002\n[TEST] T-1\n[MANUFAC] Test\n";
  std::string tilt = "TILT=NONE\n";
  int lamps = 1;
  double lumensPerLamp = 1000;
  double multiplier = 1;
  std::vector<double> vertical;
  std::vector<double> horizontal = {0};
  std::function<double(double theta, double psi)> candela;
  std::string separator = " ";
  int perLine = 10;  // numbers per line of the angle and candela blocks
};

inline std::vector<double> angleSteps(double first, double last, double step) {
  std::vector<double> out;
  for (double a = first; a <= last + 1e-9; a += step) out.push_back(a);
  return out;
}

inline std::string lm63Text(const Lm63Layout& s) {
  std::ostringstream out;
  out.precision(10);
  out << s.header << s.tilt;
  out << s.lamps << ' ' << s.lumensPerLamp << ' ' << s.multiplier << ' ' << s.vertical.size() << ' '
      << s.horizontal.size() << " 1 1 2 4 0\n1 1 50\n";
  const auto block = [&](const std::vector<double>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      out << values[i] << ((i + 1) % static_cast<std::size_t>(s.perLine) == 0 ? "\n" : s.separator);
    }
    out << '\n';
  };
  block(s.vertical);
  block(s.horizontal);
  for (const double psi : s.horizontal) {
    std::vector<double> plane;
    for (const double theta : s.vertical) plane.push_back(s.candela(theta, psi) / s.multiplier);
    block(plane);
  }
  return out.str();
}

// I0 cos(theta) below the horizontal, scaled to send `efficiency` of 1000 lm down.
inline double diffuseDownlight(double theta, double efficiency = 0.75) {
  if (theta >= 90) return 0;
  return efficiency * 1000 / std::numbers::pi * std::cos(theta * std::numbers::pi / 180);
}

}  // namespace kandelor::photometry::testing
