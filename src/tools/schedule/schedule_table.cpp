#include "tools/schedule/schedule_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <vector>

#include "tools/schedule/schedule_fields.h"

namespace kandelor::schedule {

namespace {

struct Column {
  const char* heading;
  bool rightAligned;
};

constexpr std::array<Column, 19> kColumns{{
    {"Page", true},
    {"Room", true},
    {"Name", false},
    {"Number", false},
    {"Size LxWxH ft", false},
    {"RCR", true},
    {"Design", true},
    {"Calc'd", true},
    {"Verdict", false},
    {"Needed", true},
    {"No.", true},
    {"Fixture", false},
    {"Qty", true},
    {"W/sqft", true},
    {"Layout", false},
    {"Spacing", false},
    {"Avg fc", true},
    {"Min fc", true},
    {"Avg/min", true},
}};

// The fixed columns, their headings naming the units shown.
std::vector<Column> mainColumns(Units units) {
  std::vector<Column> columns(kColumns.begin(), kColumns.end());
  if (units == Units::Si) {
    for (Column& column : columns) {
      const std::string_view heading = column.heading;
      if (heading == "Size LxWxH ft") column.heading = "Size LxWxH m";
      if (heading == "Design") column.heading = "Design lx";
      if (heading == "Calc'd") column.heading = "Calc'd lx";
      if (heading == "W/sqft") column.heading = "W/m\u00b2";
      if (heading == "Avg fc") column.heading = "Avg lx";
      if (heading == "Min fc") column.heading = "Min lx";
    }
  }
  return columns;
}

// Footcandles as shown: whole lux, or the value given.
std::string illuminanceText(double footcandles, int decimals, Units units) {
  if (units == Units::Imperial) return formatFixed(footcandles, decimals);
  return formatFixed(shownIn(footcandles, Quantity::Illuminance, units), 0);
}

std::string footcandleText(std::int32_t footcandles, Units units) {
  if (units == Units::Imperial) return std::to_string(footcandles);
  return illuminanceText(footcandles, 0, units);
}

// The layout as rows x columns, the spacing verdict and the point figures; dashes where
// the room has no point-by-point light.
std::vector<std::string> lightCells(const ScheduleRow& row, Units units) {
  if (!row.light.light) return {"-", "-", "-", "-", "-"};
  const workplane::RoomLight& l = *row.light.light;
  const auto& ratio = l.figures.averageToMinimum;
  return {std::to_string(l.layout.rows) + "\u00d7" + std::to_string(l.layout.columns),
          workplane::spacingVerdictText(l.spacing), illuminanceText(l.figures.average, 1, units),
          illuminanceText(l.figures.minimum, 1, units), ratio ? formatFixed(*ratio, 2) : "-"};
}

std::vector<std::string> cellsOf(const ScheduleRow& row, Units units) {
  std::vector<std::string> cells{
      std::to_string(row.page),
      std::to_string(row.room),
      row.name,
      row.number,
      sizeText(row, units),
      std::to_string(row.result.roomCavityRatio),
      footcandleText(row.designFootcandles, units),
      footcandleText(row.result.calculatedFootcandles, units),
      verdictName(row.verdict),
      neededText(row.needed),
      std::to_string(row.fixtureNumber),
      row.description(),
      std::to_string(row.quantity),
      formatFixed(shownIn(row.result.wattsPerSquareFoot, Quantity::PowerDensity, units), 2)};
  for (std::string& cell : lightCells(row, units)) cells.push_back(std::move(cell));
  return cells;
}

void appendPadded(std::string& line, const std::string& text, std::size_t width, bool right) {
  const std::string padding(width - std::min(width, characterCount(text)), ' ');
  if (right) line += padding;
  line += text;
  if (!right) line += padding;
}

// The columns after the fixed ones: the LPD limit's mark and the space-by-space check's
// type, allowance and mark, where they were asked for.
std::vector<Column> checkColumns(const Schedule& schedule) {
  std::vector<Column> columns;
  if (schedule.options.lpdLimit) columns.push_back({"LPD", false});
  if (schedule.options.spaceTypes) {
    const char* allowed =
        schedule.options.units == Units::Si ? "Allowed W/m\u00b2" : "Allowed W/sqft";
    columns.insert(columns.end(), {{"Space type", false}, {allowed, true}, {"Allowance", false}});
  }
  return columns;
}

std::vector<std::string> checkCells(const Schedule& schedule, const ScheduleRow& row) {
  std::vector<std::string> cells;
  if (schedule.options.lpdLimit) cells.emplace_back(row.overLpdLimit ? "over" : "");
  if (schedule.options.spaceTypes) {
    if (row.spaceType) {
      const double allowed =
          shownIn(row.spaceType->wattsPerSqft, Quantity::PowerDensity, schedule.options.units);
      cells.insert(cells.end(), {row.spaceType->name, formatFixed(allowed, 2),
                                 row.overAllowance ? "over" : "within"});
    } else {
      cells.insert(cells.end(), {"-", "-", ""});
    }
  }
  return cells;
}

void appendLine(std::string& out, const std::vector<std::string>& cells,
                const std::vector<std::size_t>& widths, const std::vector<Column>& columns) {
  std::string line;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    if (c > 0) line += "  ";
    appendPadded(line, cells[c], widths[c], columns[c].rightAligned);
  }
  line.erase(line.find_last_not_of(' ') + 1);
  out += line;
  out += '\n';
}

}  // namespace

std::string limitText(double wattsPerSqft, Units units) {
  if (units == Units::Imperial) return formatReal(wattsPerSqft);
  char buffer[64];
  const double shown = shownIn(wattsPerSqft, Quantity::PowerDensity, units);
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, shown, std::chars_format::general, 10).ptr;
  return std::string(buffer, end);
}

std::size_t characterCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string formatFixed(double value, int decimals) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  return std::string(buffer, end);
}

std::string sizeText(const ScheduleRow& row, Units units) {
  const auto side = [units](float feet) {
    if (units == Units::Imperial) return formatReal(feet);
    return formatFixed(shownIn(feet, Quantity::Length, units), 2);
  };
  std::string text = side(row.length);
  text += " x ";
  text += side(row.width);
  text += " x ";
  text += side(row.height);
  return text;
}

std::string spaceBySpaceText(const Schedule& schedule) {
  const ScheduleTotals& totals = schedule.totals;
  std::string text = "Space by space (ASHRAE 90.1-2019), ";
  text += std::to_string(totals.spaceTypedRooms);
  text += totals.spaceTypedRooms == 1 ? " room listed" : " rooms listed";
  text += ": allowed ";
  text += formatFixed(totals.allowedWatts, 0);
  text += " W, installed ";
  text += std::to_string(totals.spaceTypedWatts);
  text += " W: ";
  text += schedule.withinSpaceAllowance() ? "within" : "OVER";
  text += "; ";
  text += std::to_string(totals.overAllowance);
  text += totals.overAllowance == 1 ? " room over its allowance" : " rooms over their allowance";
  return text;
}

std::string totalsText(const Schedule& schedule) {
  const ScheduleTotals& totals = schedule.totals;
  const Units units = schedule.options.units;
  std::string text = "Rooms in use: ";
  text += std::to_string(totals.rooms);
  text += "   Floor area: ";
  text += formatFixed(shownIn(totals.areaSqft, Quantity::Area, units), 1);
  text += ' ';
  text += unitSymbol(Quantity::Area, units);
  text += "   Installed: ";
  text += std::to_string(totals.watts);
  text += " W   Average: ";
  text += formatFixed(shownIn(totals.wattsPerSqft, Quantity::PowerDensity, units), 3);
  text += ' ';
  text += unitSymbol(Quantity::PowerDensity, units);
  text += "\nVerdicts: ";
  text += std::to_string(totals.low);
  text += " low, ";
  text += std::to_string(totals.meets);
  text += " meets, ";
  text += std::to_string(totals.high);
  text += " high\n";
  if (schedule.options.lpdLimit) {
    text += "LPD limit ";
    text += limitText(*schedule.options.lpdLimit, units);
    text += ' ';
    text += unitSymbol(Quantity::PowerDensity, units);
    text += ": the average is ";
    text += schedule.withinLpdLimit() ? "within it" : "OVER it";
    text += "; ";
    text += std::to_string(totals.overLpdLimit);
    text += totals.overLpdLimit == 1 ? " room" : " rooms";
    text += " over the limit\n";
  }
  if (schedule.options.spaceTypes) {
    text += spaceBySpaceText(schedule);
    text += '\n';
  }
  return text;
}

std::string formatTable(const Schedule& schedule) {
  const Units units = schedule.options.units;
  std::vector<Column> columns = mainColumns(units);
  for (const Column& column : checkColumns(schedule)) columns.push_back(column);
  std::vector<std::string> headings;
  std::vector<std::size_t> widths;
  for (const Column& column : columns) {
    headings.emplace_back(column.heading);
    widths.push_back(characterCount(column.heading));
  }
  std::vector<std::vector<std::string>> lines;
  for (const ScheduleRow& row : schedule.rows) {
    lines.push_back(cellsOf(row, units));
    for (std::string& cell : checkCells(schedule, row)) lines.back().push_back(std::move(cell));
    for (std::size_t c = 0; c < widths.size(); ++c) {
      widths[c] = std::max(widths[c], characterCount(lines.back()[c]));
    }
  }

  std::string out = "Lighting schedule of ";
  out += schedule.projectName;
  out += "\nReflectances: ";
  out += reflectanceText(schedule);
  out += "\n\n";
  appendLine(out, headings, widths, columns);
  for (const auto& line : lines) appendLine(out, line, widths, columns);
  std::string reasons;
  for (const ScheduleRow& row : schedule.rows) {
    if (row.light.reason.empty()) continue;
    reasons +=
        "  room " + std::to_string(row.room) + " " + row.name + ": " + row.light.reason + "\n";
  }
  if (!reasons.empty()) out += "\nNo point-by-point light for\n" + reasons;
  out += '\n';
  out += totalsText(schedule);
  return out;
}

}  // namespace kandelor::schedule
