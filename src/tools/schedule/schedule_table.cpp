#include "tools/schedule/schedule_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <vector>

#include "calc/workplane/room_notes.h"
#include "tools/schedule/schedule_fields.h"

namespace kandelor::schedule {

namespace {

// The columns of the text table: the room's, its light's, then those of the checks
// asked for.
std::vector<const ScheduleColumn*> tableColumns(const Schedule& schedule) {
  std::vector<const ScheduleColumn*> columns;
  for (const ColumnGroup group : {ColumnGroup::Room, ColumnGroup::Light, ColumnGroup::Limit,
                                  ColumnGroup::SpaceType, ColumnGroup::Targets}) {
    if (!groupShown(schedule, group)) continue;
    forEachColumn(group, kText, [&](const ScheduleColumn& c) { columns.push_back(&c); });
  }
  return columns;
}

void appendPadded(std::string& line, const std::string& text, std::size_t width, bool right) {
  const std::string padding(width - std::min(width, characterCount(text)), ' ');
  if (right) line += padding;
  line += text;
  if (!right) line += padding;
}

void appendLine(std::string& out, const std::vector<std::string>& cells,
                const std::vector<std::size_t>& widths, const std::vector<bool>& rightAligned) {
  std::string line;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    if (c > 0) line += "  ";
    appendPadded(line, cells[c], widths[c], rightAligned[c]);
  }
  line.erase(line.find_last_not_of(' ') + 1);
  out += line;
  out += '\n';
}

// Lines of cells under their headings, each column as wide as its widest cell.
std::string alignedTable(const std::vector<std::string>& headings,
                         const std::vector<std::vector<std::string>>& lines,
                         const std::vector<bool>& rightAligned) {
  std::vector<std::size_t> widths;
  for (const std::string& heading : headings) widths.push_back(characterCount(heading));
  for (const auto& cells : lines) {
    for (std::size_t c = 0; c < widths.size(); ++c) {
      widths[c] = std::max(widths[c], characterCount(cells[c]));
    }
  }
  std::string out;
  appendLine(out, headings, widths, rightAligned);
  for (const auto& cells : lines) appendLine(out, cells, widths, rightAligned);
  return out;
}

constexpr std::array<LuminaireColumn, 7> kLuminaireColumns{{{"No.", true},
                                                            {"Fixture", false},
                                                            {"Lamps each", true},
                                                            {"Rooms", true},
                                                            {"Fixtures", true},
                                                            {"Lamps", true},
                                                            {"Watts", true}}};

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
  if (groupShown(schedule, ColumnGroup::Targets)) {
    text += targetsTotalText(schedule);
    text += '\n';
  }
  return text;
}

std::string formatTable(const Schedule& schedule) {
  const Units units = schedule.options.units;
  const std::vector<const ScheduleColumn*> columns = tableColumns(schedule);
  std::vector<std::string> headings;
  std::vector<bool> rightAligned;
  for (const ScheduleColumn* column : columns) {
    headings.emplace_back(column->headingIn(units));
    rightAligned.push_back(column->rightAligned);
  }
  std::vector<std::vector<std::string>> lines;
  for (const ScheduleRow& row : schedule.rows) {
    std::vector<std::string>& cells = lines.emplace_back();
    for (const ScheduleColumn* column : columns) cells.push_back(column->cellIn(row, units));
  }

  std::string out = "Lighting schedule of ";
  out += schedule.projectName;
  out += "\nReflectances: ";
  out += reflectanceText(schedule);
  if (schedule.options.spaceTypes) {
    out += "\nSpace types: ";
    out += schedule.options.spaceTypes->from;
  }
  out += "\n\n";
  out += alignedTable(headings, lines, rightAligned);
  std::string reasons;
  for (const ScheduleRow& row : schedule.rows) {
    if (row.light.reason.empty()) continue;
    reasons +=
        "  room " + std::to_string(row.room) + " " + row.name + ": " + row.light.reason + "\n";
  }
  if (!reasons.empty()) out += "\nNo point-by-point light for\n" + reasons;
  std::string notes;
  for (const ScheduleRow& row : schedule.rows) {
    for (const std::string& note : roomNotes(row, units)) {
      notes += "  room " + std::to_string(row.room) + " " + row.name + ": " + note + "\n";
    }
  }
  if (!notes.empty()) out += "\nNotes\n" + notes;
  if (groupShown(schedule, ColumnGroup::Targets)) out += targetsText(schedule);
  out += '\n';
  out += totalsText(schedule);
  out += luminaireText(schedule);
  return out;
}

std::span<const LuminaireColumn> luminaireColumns() {
  return kLuminaireColumns;
}

std::vector<std::string> luminaireCells(const LuminaireLine& line) {
  return {std::to_string(line.fixtureNumber),
          line.description,
          std::to_string(line.lampsPerFixture),
          std::to_string(line.rooms),
          std::to_string(line.fixtures),
          std::to_string(line.lamps),
          std::to_string(line.watts)};
}

std::string luminaireText(const Schedule& schedule) {
  if (schedule.luminaires.empty()) return {};
  std::vector<std::string> headings;
  std::vector<bool> rightAligned;
  for (const LuminaireColumn& column : kLuminaireColumns) {
    headings.emplace_back(column.heading);
    rightAligned.push_back(column.rightAligned);
  }
  std::vector<std::vector<std::string>> lines;
  for (const LuminaireLine& line : schedule.luminaires) lines.push_back(luminaireCells(line));
  return "\nLuminaire schedule\n" + alignedTable(headings, lines, rightAligned);
}

std::vector<std::string> roomNotes(const ScheduleRow& row, Units units) {
  std::vector<std::string> notes;
  if (row.result.roomCavityRatio > 10) {
    notes.push_back(std::string(workplane::kRcrBeyondTables) +
                    (row.light.light ? workplane::kPointFiguresHold : ""));
  }
  if (row.light.light && row.light.light->overlap) {
    notes.push_back(workplane::overlapText(*row.light.light, units));
  }
  return notes;
}

std::string targetsText(const Schedule& schedule) {
  std::string text = "\nLight targets by space type\n";
  for (const ScheduleRow& row : schedule.rows) {
    if (!row.spaceType) continue;
    text +=
        "  room " + std::to_string(row.room) + " " + row.name + " (" + row.spaceType->name + "): ";
    if (row.targets.empty()) text += "no targets";
    for (std::size_t t = 0; t < row.targets.size(); ++t) {
      if (t > 0) text += "; ";
      text += row.targets[t].says;
    }
    text += '\n';
  }
  return text;
}

std::string targetsTotalText(const Schedule& schedule) {
  const ScheduleTotals& totals = schedule.totals;
  const auto rooms = [](int count, const char* one, const char* more) {
    return std::to_string(count) +
           (count == 1 ? " room " + std::string(one) : " rooms " + std::string(more));
  };
  std::string text = "Light targets: ";
  text += rooms(totals.meetingTargets, "meets", "meet") + " every one, ";
  text += rooms(totals.missingTargets, "misses", "miss") + " one or more";
  if (totals.missingTargets > 0) text += " (MISSED)";
  text += ", " + rooms(totals.targetsNotChecked, "was", "were") + " not fully checked";
  return text;
}

}  // namespace kandelor::schedule
