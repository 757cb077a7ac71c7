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
  json += "  }\n}\n";
  return json;
}

}  // namespace kandelor::schedule
