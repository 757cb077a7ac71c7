#include "app/schedule/schedule_json.h"

#include "app/schedule/schedule_fields.h"

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
                     double (workplane::RoomLight::*at)(int, int) const) {
  json += '[';
  for (int j = 0; j < l.grid.ny; ++j) {
    if (j > 0) json += ", ";
    appendNumbers(json, l.grid.nx, [&](int i) { return (l.*at)(i, j); });
  }
  json += ']';
}

// "light": the layout, the spacing check and the point figures (with every point when
// asked), or null and the reason where the room has none.
void appendLight(std::string& json, const ScheduleRow& row, bool points) {
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
    json += field.name;
    json += "\": ";
    json += jsonValue(field.value(row));
    json += ", ";
  }
  json += "\"spacing\": ";
  json += jsonString(workplane::spacingVerdictText(l.spacing));
  json += ", \"mounting_height_ft\": ";
  json += formatReal(l.mountingHeight);
  json += ", \"lumen_fc\": ";
  json += std::to_string(l.lumenFootcandles);
  json += ", \"fixtures\": [";
  for (std::size_t f = 0; f < l.layout.fixtures.size(); ++f) {
    if (f > 0) json += ", ";
    json += '[';
    json += formatReal(l.layout.fixtures[f].x);
    json += ", ";
    json += formatReal(l.layout.fixtures[f].y);
    json += ']';
  }
  json += ']';
  if (points) {
    json += ", \"points\": {\"x\": ";
    appendNumbers(json, l.grid.nx, [&](int i) { return l.grid.x(i); });
    json += ", \"y\": ";
    appendNumbers(json, l.grid.ny, [&](int j) { return l.grid.y(j); });
    json += ", \"direct_fc\": ";
    appendPointRows(json, l, &workplane::RoomLight::directAt);
    json += ", \"total_fc\": ";
    appendPointRows(json, l, &workplane::RoomLight::totalAt);
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
  std::string json = "{\n  \"project\": ";
  json += jsonString(schedule.projectName);
  json += ",\n  \"ceiling\": ";
  json += std::to_string(schedule.ceilingPercent);
  json += ",\n  \"wall\": ";
  json += std::to_string(schedule.wallPercent);
  if (withLimit) {
    json += ",\n  \"lpd_limit\": ";
    json += formatReal(*schedule.options.lpdLimit);
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
      json += field.name;
      json += "\": ";
      json += jsonValue(field.value(row));
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
        json += field.name;
        json += "\": ";
        json += jsonValue(field.value(row));
      }
    }
    appendLight(json, row, schedule.options.points);
    json += '}';
    separator = ",\n";
  }
  json += schedule.rows.empty() ? "],\n" : "\n  ],\n";

  const ScheduleTotals& totals = schedule.totals;
  json += "  \"totals\": {\n";
  appendMember(json, "rooms", std::to_string(totals.rooms), false);
  appendMember(json, "area_sqft", formatReal(totals.areaSqft), false);
  appendMember(json, "watts", std::to_string(totals.watts), false);
  appendMember(json, "watts_per_sqft", formatReal(totals.wattsPerSqft), false);
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
