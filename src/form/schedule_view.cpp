#include "form/schedule_view.h"

#include <algorithm>
#include <sstream>

#include "tools/schedule/schedule_fields.h"
#include "tools/schedule/schedule_table.h"

namespace kandelor {

namespace {

using schedule::ColumnGroup;
using schedule::ScheduleColumn;

constexpr const char* kNoSpaceType = "(none)";

std::vector<const ScheduleColumn*> windowColumns() {
  std::vector<const ScheduleColumn*> columns;
  for (const ColumnGroup group :
       {ColumnGroup::Room, ColumnGroup::Light, ColumnGroup::SpaceType, ColumnGroup::Targets}) {
    schedule::forEachColumn(group, schedule::kWindow,
                            [&](const ScheduleColumn& c) { columns.push_back(&c); });
  }
  return columns;
}

bool isSpaceTypeColumn(const ScheduleColumn& column) {
  return column.group == ColumnGroup::SpaceType && column.name != nullptr &&
         std::string_view(column.name) == "space_type";
}

std::optional<toolkit::Tint> tintOf(Verdict verdict) {
  const auto tint = verdictTint(verdict);
  if (!tint) return std::nullopt;
  return toolkit::Tint{tint->red, tint->green, tint->blue};
}

toolkit::TableCell roomCell(const ScheduleColumn& column, const schedule::ScheduleRow& row,
                            Units units, bool pending, bool firstLight) {
  if (pending && column.group == ColumnGroup::Light) {
    return {firstLight ? kLightPending : "", std::nullopt, std::nullopt,
            firstLight ? "The light of this room is still being computed." : ""};
  }
  toolkit::TableCell cell{column.cellIn(row, units)};
  if (column.value != nullptr) {
    const schedule::FieldValue value = column.valueIn(row, units);
    if (value.kind == schedule::FieldValue::Kind::Number) cell.number = value.number;
  }
  if (column.verdict != nullptr) cell.tint = tintOf(column.verdict(row));
  if (column.group == ColumnGroup::Light && !row.light.light) cell.toolTip = row.light.reason;
  return cell;
}

std::vector<std::string> totalsLines(const schedule::Schedule& listed) {
  std::vector<std::string> lines;
  std::istringstream in(schedule::totalsText(listed));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

toolkit::ScheduleSheet sheetOf(const schedule::Schedule& shown, const Project& project,
                               const std::set<int>& pending) {
  const Units units = shown.options.units;
  toolkit::ScheduleSheet sheet;
  const std::vector<const ScheduleColumn*> columns = windowColumns();
  for (const ScheduleColumn* column : columns) {
    sheet.rooms.columns.push_back({column->headingIn(units), column->rightAligned});
  }
  for (const schedule::ScheduleRow& row : shown.rows) {
    const bool waiting = pending.count(row.room) != 0;
    bool firstLight = true;
    std::vector<toolkit::TableCell>& cells = sheet.rooms.rows.emplace_back();
    for (const ScheduleColumn* column : columns) {
      if (isSpaceTypeColumn(*column)) {
        const std::string& name = project.spaceType(row.room);
        cells.push_back({name.empty() ? kNoSpaceType : name});
        continue;
      }
      cells.push_back(roomCell(*column, row, units, waiting, firstLight));
      if (column->group == ColumnGroup::Light) firstLight = false;
    }
  }
  sheet.totals = totalsLines(shown);
  for (const schedule::LuminaireColumn& column : schedule::luminaireColumns()) {
    sheet.luminaires.columns.push_back({column.heading, column.rightAligned});
  }
  for (const schedule::LuminaireLine& line : shown.luminaires) {
    std::vector<toolkit::TableCell>& cells = sheet.luminaires.rows.emplace_back();
    const auto columns = schedule::luminaireColumns();
    std::vector<std::string> texts = schedule::luminaireCells(line);
    for (std::size_t c = 0; c < texts.size(); ++c) {
      toolkit::TableCell cell{std::move(texts[c])};
      if (columns[c].rightAligned) cell.number = std::stod(cell.text);  // the counts
      cells.push_back(std::move(cell));
    }
  }
  return sheet;
}

}  // namespace

int SpaceTypeChoices::indexOf(const std::string& name) const {
  const auto found = std::find(names.begin(), names.end(), name);
  return found == names.end() ? 0 : static_cast<int>(found - names.begin());
}

SpaceTypeChoices spaceTypeChoices(const SpaceTypeTable& table, const Project& project) {
  SpaceTypeChoices choices;
  choices.names.emplace_back();
  for (const SpaceType& type : table) choices.names.push_back(type.name);
  for (const std::string& kept : project.spaceTypes) {
    if (!kept.empty() && choices.indexOf(kept) == 0) choices.names.push_back(kept);
  }
  return choices;
}

toolkit::ScheduleContent scheduleContent(const schedule::Schedule& listed, const Project& project,
                                         const SpaceTypeChoices& choices,
                                         const std::set<int>& pending) {
  toolkit::ScheduleContent content;
  content.title = "Project Schedule: " + listed.projectName;
  schedule::Schedule shown = listed;
  shown.options.units = Units::Imperial;
  content.imperial = sheetOf(shown, project, pending);
  shown.options.units = Units::Si;
  content.metric = sheetOf(shown, project, pending);

  const std::vector<const ScheduleColumn*> columns = windowColumns();
  const auto chooser = std::find_if(columns.begin(), columns.end(),
                                    [](const ScheduleColumn* c) { return isSpaceTypeColumn(*c); });
  content.spaceTypeColumn = static_cast<int>(chooser - columns.begin());
  content.spaceTypeChoices = choices.names;
  content.spaceTypeChoices[0] = kNoSpaceType;
  for (const schedule::ScheduleRow& row : listed.rows) {
    content.roomNumbers.push_back(row.room);
    content.spaceTypeChosen.push_back(choices.indexOf(project.spaceType(row.room)));
  }
  if (!pending.empty()) {
    content.status = "Computing the light on the work plane of " + std::to_string(pending.size()) +
                     (pending.size() == 1 ? " room\u2026" : " rooms\u2026");
    content.exportable = false;
  }
  return content;
}

}  // namespace kandelor
