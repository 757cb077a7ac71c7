#include "tools/schedule/schedule_csv.h"

#include <vector>

#include "tools/schedule/schedule_fields.h"

namespace kandelor::schedule {

std::string csvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string formatCsv(const Schedule& schedule) {
  const Units units = schedule.options.units;
  // The room's columns, the limit's mark, the light's, then the space-by-space check's.
  std::vector<const ScheduleColumn*> columns;
  for (const ColumnGroup group : {ColumnGroup::Room, ColumnGroup::Limit, ColumnGroup::Light,
                                  ColumnGroup::SpaceType, ColumnGroup::Targets}) {
    if (!groupShown(schedule, group)) continue;
    forEachColumn(group, kCsv, [&](const ScheduleColumn& c) { columns.push_back(&c); });
  }
  std::string csv;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (c > 0) csv += ',';
    csv += columns[c]->nameIn(units);
  }
  csv += "\r\n";
  for (const ScheduleRow& row : schedule.rows) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (c > 0) csv += ',';
      csv += csvField(columns[c]->valueIn(row, units).text);
    }
    csv += "\r\n";
  }
  return csv;
}

}  // namespace kandelor::schedule
