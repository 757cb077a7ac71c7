#include "plan/room_plan_scene.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "calc/workplane/room_notes.h"

namespace kandelor::plan {

namespace {

std::string fixed(double value, int decimals) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

// Lengths and light as shown in `units`.
struct Shown {
  Units units;

  double length(double feet) const { return shownIn(feet, Quantity::Length, units); }
  // To the centimetre in metres unless `decimals` says otherwise.
  std::string lengthText(double feet, int decimals = 0) const {
    if (decimals == 0) decimals = units == Units::Si ? 2 : 1;
    return fixed(length(feet), decimals) + " " + unitSymbol(Quantity::Length, units);
  }
  std::string lightText(double footcandles) const {
    const double value = shownIn(footcandles, Quantity::Illuminance, units);
    return fixed(value, value < 10 ? 1 : 0) + " " + unitSymbol(Quantity::Illuminance, units);
  }
  // "10.0 ft (SC x MH 11.2 ft)", or "not rated" where the type has no criterion that way.
  std::string spacingText(double spacing, const std::optional<double>& criterion,
                          double mountingHeight) const {
    std::string text = lengthText(spacing);
    if (!criterion) return text + ", SC not rated";
    return text + " (SC \u00d7 MH " + lengthText(*criterion * mountingHeight) + ")";
  }
};

std::string ratioText(const std::optional<double>& r) {
  return r ? fixed(*r, 2) : "-";
}

// "10.0 ft (SC x MH 8.8 ft)" for the spacing along, with the shorter last row's own.
std::string alongText(const workplane::RoomLight& light, const Shown& shown) {
  const workplane::Layout& layout = light.layout;
  if (layout.columns < 2 && layout.lastRow < 2) return "one column: along not checked";
  std::string text = layout.columns >= 2
                         ? shown.spacingText(layout.spacingAlong(), light.criterion.alongLength,
                                             light.mountingHeight)
                         : std::string();
  if (layout.lastRow != layout.columns && layout.lastRow >= 2) {
    if (!text.empty()) text += "; ";
    text += "last row of " + std::to_string(layout.lastRow) + ": " +
            shown.lengthText(layout.lastRowSpacing()) + " along";
  }
  return text;
}

std::string acrossText(const workplane::RoomLight& light, const Shown& shown) {
  const workplane::Layout& layout = light.layout;
  if (layout.rows < 2) return "one row: across not checked";
  return shown.spacingText(layout.spacingAcross(), light.criterion.across, light.mountingHeight);
}

// "62 fc, Uo 0.31".
std::string surfaceText(const workplane::SurfaceFigures& s, const Shown& shown) {
  return shown.lightText(s.average) + ", Uo " + fixed(s.uniformity, 2);
}

// The room cavity ratio of the lumen method's tables, from the room's size.
double roomCavityRatio(const workplane::RoomLight& light) {
  return 5 * light.mountingHeight * (light.length + light.width) / (light.length * light.width);
}

std::vector<Figure> roomFigures(const workplane::RoomLight& light, const Shown& shown) {
  const workplane::PointFigures& f = light.figures;
  const workplane::Layout& layout = light.layout;
  const int decimals = shown.units == Units::Si ? 2 : 1;
  std::string arrangement = std::to_string(layout.rows) + " \u00d7 " +
                            std::to_string(layout.columns) + ", " +
                            fixed(shown.length(layout.spacingAlong()), decimals) + " \u00d7 " +
                            shown.lengthText(layout.spacingAcross());
  if (layout.lastRow != layout.columns) {
    arrangement += ", last row " + std::to_string(layout.lastRow);
  }
  const bool within = light.spacing == workplane::SpacingVerdict::Within ||
                      light.spacing == workplane::SpacingVerdict::OneFixture;
  const bool unrated = light.spacing == workplane::SpacingVerdict::NotRated;
  std::vector<Figure> figures = {
      {"Average", shown.lightText(f.average)},
      {"Minimum", shown.lightText(f.minimum)},
      {"Maximum", shown.lightText(f.maximum)},
      {"Uniformity Uo", f.average > 0 ? fixed(f.uniformity, 2) : "-"},
      {"Average/minimum", ratioText(f.averageToMinimum)},
      {"Maximum/minimum", ratioText(f.maximumToMinimum)},
      {"Direct share", f.average > 0 ? fixed(100 * f.directAverage / f.average, 0) + " %" : "-"},
      {"Lumen method", shown.units == Units::Si ? shown.lightText(light.lumenFootcandles)
                                                : std::to_string(light.lumenFootcandles) + " fc"},
      {"Glare UGR",
       light.ugr ? fixed(*light.ugr, 1) + ", the highest of 4 seated observers" : light.ugrReason},
      {"Walls", surfaceText(light.walls, shown)},
      {"Ceiling", surfaceText(light.ceiling, shown)},
      {"Layout", arrangement},
      {"Mounting height", shown.lengthText(light.mountingHeight, 1) + " above the work plane"},
      {"Spacing along", alongText(light, shown)},
      {"Spacing across", acrossText(light, shown)},
      {"Spacing", workplane::spacingVerdictText(light.spacing),
       within ? Tone::Good : (unrated ? Tone::Plain : Tone::Poor)},
  };
  if (light.overlap) {
    figures.push_back({"Fixtures", workplane::overlapText(light, shown.units), Tone::Poor});
  }
  if (roomCavityRatio(light) > 10) {
    figures.push_back({"RCR",
                       std::string(workplane::kRcrBeyondTables) + workplane::kPointFiguresHold,
                       Tone::Poor});
  }
  return figures;
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

PlanScene roomPlanScene(const workplane::RoomLight& light, std::string title, Units units) {
  const Shown shown{units};
  PlanScene scene;
  scene.title = std::move(title);
  scene.lengthUnit = unitSymbol(Quantity::Length, units);
  scene.lightUnit = unitSymbol(Quantity::Illuminance, units);
  scene.length = shown.length(light.length);
  scene.width = shown.length(light.width);
  scene.nx = light.grid.nx;
  scene.ny = light.grid.ny;
  for (const double footcandles : light.total) {
    scene.footcandles.push_back(shownIn(footcandles, Quantity::Illuminance, units));
  }
  for (const workplane::PlanPoint& at : light.layout.fixtures) {
    scene.fixtures.push_back({shown.length(at.x), shown.length(at.y),
                              shown.length(light.fixtureLength), shown.length(light.fixtureWidth),
                              light.roundFixture});
  }

  for (const workplane::ObserverGlare& o : light.observers) {
    scene.observers.push_back({shown.length(o.eye.x), shown.length(o.eye.y), o.looking.x,
                               o.looking.y, o.ugr ? fixed(*o.ugr, 1) : "-"});
  }
  scene.figures = roomFigures(light, shown);
  return scene;
}

}  // namespace kandelor::plan
