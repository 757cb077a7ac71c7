#include "tools/schedule/schedule_json.h"

#include "tools/schedule/schedule_fields.h"
#include "tools/schedule/schedule_table.h"

namespace kandelor::schedule {

namespace {

std::string jsonValue(const FieldValue& value) {
  switch (value.kind) {
    case FieldValue::Kind::Text:
      return jsonString(value.text);
    case FieldValue::Kind::Number:
    case FieldValue::Kind::Boolean:
      return value.text;
    case FieldValue::Kind::Null:
      break;
  }
  return "null";
}

void appendMember(std::string& json, const char* name, const std::string& value, bool last) {
  json += "    \"";
  json += name;
  json += "\": ";
  json += value;
  json += last ? "\n" : ",\n";
}

void appendNumbers(std::string& json, int count, auto number) {
  json += '[';
  for (int i = 0; i < count; ++i) {
    if (i > 0) json += ", ";
    json += formatReal(number(i));
  }
  json += ']';
}

// The footcandles of every point, one array per row of points across the width.
void appendPointRows(std::string& json, const workplane::RoomLight& l,
                     double (workplane::RoomLight::*at)(int, int) const, double factor) {
  json += '[';
  for (int j = 0; j < l.grid.ny; ++j) {
    if (j > 0) json += ", ";
    appendNumbers(json, l.grid.nx, [&](int i) { return (l.*at)(i, j) * factor; });
  }
  json += ']';
}

// "light": the layout, the spacing check and the point figures (with every point when
// asked), or null and the reason where the room has none.
void appendLight(std::string& json, const ScheduleRow& row, bool points, Units units) {
  const auto length = [units](double feet) {
    return formatReal(shownIn(feet, Quantity::Length, units));
  };
  const bool si = units == Units::Si;
  json += ", \"light\": ";
  if (!row.light.light) {
    json += "null";
    if (!row.light.reason.empty()) {
      json += ", \"light_reason\": ";
      json += jsonString(row.light.reason);
    }
    return;
  }
  const workplane::RoomLight& l = *row.light.light;
  json += '{';
  for (const RoomField& field : lightFields()) {
    json += '"';
    json += field.nameIn(units);
    json += "\": ";
    json += jsonValue(field.valueIn(row, units));
    json += ", ";
  }
  json += "\"spacing\": ";
  json += jsonString(workplane::spacingVerdictText(l.spacing));
  json += si ? ", \"mounting_height_m\": " : ", \"mounting_height_ft\": ";
  json += length(l.mountingHeight);
  json += si ? ", \"lumen_lx\": " : ", \"lumen_fc\": ";
  json += si ? formatReal(shownIn(l.lumenFootcandles, Quantity::Illuminance, units))
             : std::to_string(l.lumenFootcandles);
  json += ", \"fixtures\": [";
  for (std::size_t f = 0; f < l.layout.fixtures.size(); ++f) {
    if (f > 0) json += ", ";
    json += '[';
    json += length(l.layout.fixtures[f].x);
    json += ", ";
    json += length(l.layout.fixtures[f].y);
    json += ']';
  }
  json += ']';
  if (points) {
    const double lx = shownIn(1, Quantity::Illuminance, units);
    const double m = shownIn(1, Quantity::Length, units);
    json += ", \"points\": {\"x\": ";
    appendNumbers(json, l.grid.nx, [&](int i) { return l.grid.x(i) * m; });
    json += ", \"y\": ";
    appendNumbers(json, l.grid.ny, [&](int j) { return l.grid.y(j) * m; });
    json += si ? ", \"direct_lx\": " : ", \"direct_fc\": ";
    appendPointRows(json, l, &workplane::RoomLight::directAt, lx);
    json += si ? ", \"total_lx\": " : ", \"total_fc\": ";
    appendPointRows(json, l, &workplane::RoomLight::totalAt, lx);
    json += '}';
  }
  json += '}';
}

}  // namespace

std::string jsonString(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7f) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xf];
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::string formatJson(const Schedule& schedule) {
  const bool withLimit = schedule.options.lpdLimit.has_value();
  const Units units = schedule.options.units;
  const bool si = units == Units::Si;
  std::string json = "{\n  \"project\": ";
  json += jsonString(schedule.projectName);
  json += ",\n  \"ceiling\": ";
  json += std::to_string(schedule.ceilingPercent);
  json += ",\n  \"wall\": ";
  json += std::to_string(schedule.wallPercent);
  if (withLimit) {
    json += si ? ",\n  \"lpd_limit_w_per_sqm\": " : ",\n  \"lpd_limit\": ";
    json += limitText(*schedule.options.lpdLimit, units);
    json += ",\n  \"within_limit\": ";
    json += schedule.withinLpdLimit() ? "true" : "false";
  }
  json += ",\n  \"rooms\": [";

  const char* separator = "\n";
  for (const ScheduleRow& row : schedule.rows) {
    json += separator;
    json += "    {";
    const char* fieldSeparator = "";
    for (const RoomField& field : roomFields()) {
      json += fieldSeparator;
      json += '"';
      json += field.nameIn(units);
      json += "\": ";
      json += jsonValue(field.valueIn(row, units));
      fieldSeparator = ", ";
    }
    if (withLimit) {
      json += ", \"";
      json += kOverLpdField;
      json += row.overLpdLimit ? "\": true" : "\": false";
    }
    if (schedule.options.spaceTypes) {
      for (const RoomField& field : spaceTypeFields()) {
        json += ", \"";
        json += field.nameIn(units);
        json += "\": ";
        json += jsonValue(field.valueIn(row, units));
      }
    }
    appendLight(json, row, schedule.options.points, units);
    json += '}';
    separator = ",\n";
  }
  json += schedule.rows.empty() ? "],\n" : "\n  ],\n";

  const ScheduleTotals& totals = schedule.totals;
  json += "  \"totals\": {\n";
  appendMember(json, "rooms", std::to_string(totals.rooms), false);
  appendMember(json, si ? "area_sqm" : "area_sqft",
               formatReal(shownIn(totals.areaSqft, Quantity::Area, units)), false);
  appendMember(json, "watts", std::to_string(totals.watts), false);
  appendMember(json, si ? "watts_per_sqm" : "watts_per_sqft",
               formatReal(shownIn(totals.wattsPerSqft, Quantity::PowerDensity, units)), false);
  appendMember(json, "low", std::to_string(totals.low), false);
  appendMember(json, "meets", std::to_string(totals.meets), false);
  appendMember(json, "high", std::to_string(totals.high), !withLimit);
  if (withLimit) appendMember(json, "over_lpd", std::to_string(totals.overLpdLimit), true);
  if (const auto& list = schedule.options.spaceTypes) {
    // The space-by-space check over the rooms the list names.
    json += "  },\n  \"space_by_space\": {\n";
    appendMember(json, "list", jsonString(list->file), false);
    appendMember(json, "rooms", std::to_string(totals.spaceTypedRooms), false);
    appendMember(json, "allowed_watts", formatReal(totals.allowedWatts), false);
    appendMember(json, "installed_watts", std::to_string(totals.spaceTypedWatts), false);
    appendMember(json, "within", schedule.withinSpaceAllowance() ? "true" : "false", false);
    appendMember(json, "over_allowance", std::to_string(totals.overAllowance), true);
  }
  json += "  }\n}\n";
  return json;
}

}  // namespace kandelor::schedule
