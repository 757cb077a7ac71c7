#include "tools/schedule/schedule_json.h"

#include <cmath>
#include <optional>

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

void appendField(std::string& json, std::string_view name, const FieldValue& value) {
  json += '"';
  json += name;
  json += "\": ";
  json += jsonValue(value);
}

// The line of sight as the axis it runs along: "+x", "-x", "+y" or "-y".
std::string lookingText(const workplane::PlanPoint& direction) {
  if (std::abs(direction.x) >= std::abs(direction.y)) return direction.x < 0 ? "-x" : "+x";
  return direction.y < 0 ? "-y" : "+y";
}

// The room's light targets, each with its limit, the room's figure, the verdict and the
// words that say it.
void appendTargets(std::string& json, const ScheduleRow& row) {
  json += ", \"targets\": {";
  for (std::size_t t = 0; t < row.targets.size(); ++t) {
    const TargetCheck& check = row.targets[t];
    const bool surface = check.kind == TargetKind::Walls || check.kind == TargetKind::Ceiling;
    const bool lux = surface || check.kind == TargetKind::Illuminance;
    const auto number = [](const std::optional<double>& value) {
      return value ? formatReal(*value) : std::string("null");
    };
    if (t > 0) json += ", ";
    json += '"';
    json += targetKey(check.kind);
    json += "\": {";
    json += check.kind == TargetKind::Glare ? "\"max\": " : lux ? "\"min_lx\": " : "\"min\": ";
    json += number(check.limit);
    if (surface) json += ", \"min_uo\": " + number(check.uniformityLimit);
    json += check.kind == TargetKind::Glare ? ", \"ugr\": " : lux ? ", \"lx\": " : ", \"uo\": ";
    json += number(check.figure);
    if (surface) json += ", \"uo\": " + number(check.figureUniformity);
    json += ", \"verdict\": ";
    json += jsonString(targetVerdictName(check.verdict));
    json += ", \"says\": ";
    json += jsonString(check.says);
    json += '}';
  }
  json += '}';
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
  forEachColumn(ColumnGroup::Light, kJson, [&](const ScheduleColumn& column) {
    appendField(json, column.nameIn(units), column.valueIn(row, units));
    json += ", ";
  });
  // The walls' and the ceiling's figures, each an object of its own.
  std::string object;
  forEachColumn(ColumnGroup::Light, kJsonNested, [&](const ScheduleColumn& column) {
    const std::string_view name = column.nameIn(units);
    const auto split = name.find('_');
    const std::string_view outer = name.substr(0, split);
    if (outer != object) {
      if (!object.empty()) json += "}, ";
      object = outer;
      json += '"';
      json += object;
      json += "\": {";
    } else {
      json += ", ";
    }
    appendField(json, name.substr(split + 1), column.valueIn(row, units));
  });
  if (!object.empty()) json += "}, ";
  if (!l.ugr) {
    json += "\"ugr_reason\": ";
    json += jsonString(l.ugrReason.empty() ? "no fixture counts in view" : l.ugrReason);
    json += ", ";
  }
  json += "\"ugr_observers\": [";
  for (std::size_t o = 0; o < l.observers.size(); ++o) {
    const workplane::ObserverGlare& observer = l.observers[o];
    if (o > 0) json += ", ";
    json += si ? "{\"x_m\": " : "{\"x_ft\": ";
    json += length(observer.eye.x);
    json += si ? ", \"y_m\": " : ", \"y_ft\": ";
    json += length(observer.eye.y);
    json += ", \"looking\": ";
    json += jsonString(lookingText(observer.looking));
    json += ", \"ugr\": ";
    json += observer.ugr ? formatFixed(*observer.ugr, 1) : "null";
    json += '}';
  }
  json += "], \"overlap\": ";
  json += l.overlap ? "true" : "false";
  json += ", \"spacing\": ";
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
  std::string json;
  // Every point's two figures take some 40 characters (48 are allowed), a room's other
  // members well under 2 KB: the text is reserved at once, not copied each time it grows
  // (the points of 95 big rooms come to over 100 MB).
  std::size_t reserve = 65536;
  for (const ScheduleRow& row : schedule.rows) {
    if (schedule.options.points && row.light.light) {
      const workplane::PointGrid& grid = row.light.light->grid;
      reserve += 48 * static_cast<std::size_t>(grid.nx) * static_cast<std::size_t>(grid.ny);
    }
    reserve += 2048;
  }
  json.reserve(reserve);
  json += "{\n  \"project\": ";
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
    for (const ColumnGroup group :
         {ColumnGroup::Room, ColumnGroup::Limit, ColumnGroup::SpaceType}) {
      if (!groupShown(schedule, group)) continue;
      forEachColumn(group, kJson, [&](const ScheduleColumn& column) {
        json += fieldSeparator;
        appendField(json, column.nameIn(units), column.valueIn(row, units));
        fieldSeparator = ", ";
      });
    }
    appendLight(json, row, schedule.options.points, units);
    if (row.spaceType && groupShown(schedule, ColumnGroup::Targets)) appendTargets(json, row);
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
    appendMember(json, "from", jsonString(list->from), false);
    appendMember(json, "rooms", std::to_string(totals.spaceTypedRooms), false);
    appendMember(json, "allowed_watts", formatReal(totals.allowedWatts), false);
    appendMember(json, "installed_watts", std::to_string(totals.spaceTypedWatts), false);
    appendMember(json, "within", schedule.withinSpaceAllowance() ? "true" : "false", false);
    const bool targets = groupShown(schedule, ColumnGroup::Targets);
    appendMember(json, "over_allowance", std::to_string(totals.overAllowance), !targets);
    if (targets) {
      appendMember(json, "meeting_targets", std::to_string(totals.meetingTargets), false);
      appendMember(json, "missing_targets", std::to_string(totals.missingTargets), false);
      appendMember(json, "targets_not_checked", std::to_string(totals.targetsNotChecked), true);
    }
  }
  json += "  },\n  \"luminaires\": [";
  separator = "\n";
  for (const LuminaireLine& line : schedule.luminaires) {
    json += separator;
    json += "    {\"fixture\": " + std::to_string(line.fixtureNumber) +
            ", \"description\": " + jsonString(line.description) +
            ", \"lamps_per_fixture\": " + std::to_string(line.lampsPerFixture) +
            ", \"rooms\": " + std::to_string(line.rooms) +
            ", \"fixtures\": " + std::to_string(line.fixtures) +
            ", \"lamps\": " + std::to_string(line.lamps) +
            ", \"watts\": " + std::to_string(line.watts) + "}";
    separator = ",\n";
  }
  json += schedule.luminaires.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return json;
}

}  // namespace kandelor::schedule
