#include "plan/room_plan_scene.h"

#include <cstdio>

namespace kandelor::plan {

namespace {

std::string fixed(double value, int decimals) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

std::string footcandles(double value) {
  return fixed(value, value < 10 ? 1 : 0) + " fc";
}

// "10.0 ft (SC x MH 11.2 ft)", or "not rated" where the type has no criterion that way.
std::string spacingText(double spacing, const std::optional<double>& criterion,
                        double mountingHeight) {
  std::string text = fixed(spacing, 1) + " ft";
  if (!criterion) return text + ", SC not rated";
  return text + " (SC \u00d7 MH " + fixed(*criterion * mountingHeight, 1) + " ft)";
}

}  // namespace

std::string roomTitle(std::string name, std::string number, int page, int row) {
  // A saved project holds "." for a blank text.
  if (name == ".") name.clear();
  if (number == ".") number.clear();
  std::string title = name;
  if (!number.empty()) title += title.empty() ? number : " (" + number + ")";
  if (title.empty()) title = "Page " + std::to_string(page) + ", row " + std::to_string(row);
  return title;
}

PlanScene roomPlanScene(const workplane::RoomLight& light, std::string title) {
  PlanScene scene;
  scene.title = std::move(title);
  scene.length = light.length;
  scene.width = light.width;
  scene.nx = light.grid.nx;
  scene.ny = light.grid.ny;
  scene.footcandles = light.total;
  for (const workplane::PlanPoint& at : light.layout.fixtures) {
    scene.fixtures.push_back(
        {at.x, at.y, light.fixtureLength, light.fixtureWidth, light.roundFixture});
  }

  const workplane::PointFigures& f = light.figures;
  const auto ratio = [](const std::optional<double>& r) { return r ? fixed(*r, 2) : "-"; };
  const workplane::Layout& layout = light.layout;
  std::string arrangement =
      std::to_string(layout.rows) + " \u00d7 " + std::to_string(layout.columns) + ", " +
      fixed(layout.spacingAlong(), 1) + " \u00d7 " + fixed(layout.spacingAcross(), 1) + " ft";
  if (layout.lastRow != layout.columns) {
    arrangement += ", last row " + std::to_string(layout.lastRow);
  }
  const double along = std::max(layout.spacingAlong(), layout.lastRowSpacing());
  const bool within = light.spacing == workplane::SpacingVerdict::Within ||
                      light.spacing == workplane::SpacingVerdict::OneFixture;
  const bool unrated = light.spacing == workplane::SpacingVerdict::NotRated;
  scene.figures = {
      {"Average", footcandles(f.average)},
      {"Minimum", footcandles(f.minimum)},
      {"Maximum", footcandles(f.maximum)},
      {"Average/minimum", ratio(f.averageToMinimum)},
      {"Maximum/minimum", ratio(f.maximumToMinimum)},
      {"Direct share", f.average > 0 ? fixed(100 * f.directAverage / f.average, 0) + " %" : "-"},
      {"Lumen method", std::to_string(light.lumenFootcandles) + " fc"},
      {"Layout", arrangement},
      {"Mounting height", fixed(light.mountingHeight, 1) + " ft above the work plane"},
      {"Spacing along", spacingText(along, light.criterion.alongLength, light.mountingHeight)},
      {"Spacing across",
       spacingText(layout.spacingAcross(), light.criterion.across, light.mountingHeight)},
      {"Spacing", workplane::spacingVerdictText(light.spacing),
       within ? Tone::Good : (unrated ? Tone::Plain : Tone::Poor)},
  };
  return scene;
}

}  // namespace kandelor::plan
