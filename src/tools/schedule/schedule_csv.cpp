#include "tools/schedule/schedule_csv.h"

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
  const bool withLimit = schedule.options.lpdLimit.has_value();
  std::string csv;
  const char* separator = "";
  for (const RoomField& field : roomFields()) {
    csv += separator;
    csv += field.nameIn(units);
    separator = ",";
  }
  if (withLimit) {
    csv += ',';
    csv += kOverLpdField;
  }
  const bool withSpaceTypes = schedule.options.spaceTypes.has_value();
  for (const RoomField& field : lightFields()) {
    csv += ',';
    csv += field.nameIn(units);
  }
  for (const RoomField& field : withSpaceTypes ? spaceTypeFields() : std::span<const RoomField>{}) {
    csv += ',';
    csv += field.nameIn(units);
  }
  csv += "\r\n";

  for (const ScheduleRow& row : schedule.rows) {
    separator = "";
    for (const RoomField& field : roomFields()) {
      csv += separator;
      csv += csvField(field.valueIn(row, units).text);
      separator = ",";
    }
    if (withLimit) csv += row.overLpdLimit ? ",true" : ",false";
    for (const RoomField& field : lightFields()) {
      csv += ',';
      csv += csvField(field.valueIn(row, units).text);
    }
    for (const RoomField& field :
         withSpaceTypes ? spaceTypeFields() : std::span<const RoomField>{}) {
      csv += ',';
      csv += csvField(field.valueIn(row, units).text);
    }
    csv += "\r\n";
  }
  return csv;
}

}  // namespace kandelor::schedule
