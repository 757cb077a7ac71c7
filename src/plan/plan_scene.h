#pragma once

#include <string>
#include <vector>

namespace kandelor::plan {

// A fixture seen from above, in feet: its centre, and the size of its luminous opening
// (length along the room's length); a size of 0 draws it as a small mark.
struct FixtureMark {
  double x = 0;
  double y = 0;
  double length = 0;
  double width = 0;
  bool round = false;
};

// A seated observer of the glare rating: where the eye stands, which way it looks (a unit
// direction on the plan) and the rating it sees ("UGR 18.3", or "-" where nothing counts).
struct ObserverMark {
  double x = 0;
  double y = 0;
  double lookX = 0;
  double lookY = 0;
  std::string value;
};

// One line of the figures beside the plan; `tone` colours its value.
enum class Tone { Plain, Good, Poor };
struct Figure {
  std::string label;
  std::string value;
  Tone tone = Tone::Plain;
};

// What a room's plan shows, as plain values in the units it is shown in (feet and
// footcandles, or metres and lux): the room, the light at the centres of nx x ny equal
// cells (x along the length, y across the width, index j * nx + i), the fixtures and the
// figures. The drawing and the window work from this alone.
struct PlanScene {
  std::string title;
  std::string lengthUnit = "ft";
  std::string lightUnit = "fc";
  double length = 0;
  double width = 0;
  int nx = 0;
  int ny = 0;
  std::vector<double> footcandles;
  std::vector<FixtureMark> fixtures;
  std::vector<ObserverMark> observers;
  std::vector<Figure> figures;

  double at(int i, int j) const { return footcandles[static_cast<std::size_t>(j * nx + i)]; }
  double pointX(int i) const { return (i + 0.5) * length / nx; }
  double pointY(int j) const { return (j + 0.5) * width / ny; }
  double minimum() const;
  double maximum() const;
  // The light at (x, y), interpolated between the four nearest points (held flat beyond
  // the outermost ones).
  double valueAt(double x, double y) const;
};

}  // namespace kandelor::plan
