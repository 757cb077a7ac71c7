#include "tools/schedule/schedule_fields.h"

#include <array>
#include <charconv>

namespace kandelor::schedule {

namespace {

FieldValue text(std::string value) {
  return {FieldValue::Kind::Text, std::move(value)};
}
FieldValue number(std::int32_t value) {
  return {FieldValue::Kind::Number, std::to_string(value)};
}
FieldValue number(float value) {
  return {FieldValue::Kind::Number, formatReal(value)};
}
FieldValue number(double value) {
  return {FieldValue::Kind::Number, formatReal(value)};
}
FieldValue number(const std::optional<double>& value) {
  return value ? number(*value) : FieldValue{};
}

FieldValue verdictValue(const ScheduleRow& row) {
  if (row.verdict == Verdict::None) return {};
  return text(verdictName(row.verdict));
}

FieldValue neededValue(const ScheduleRow& row) {
  switch (row.needed.kind) {
    case NeededFixtures::Kind::Count:
      return number(row.needed.count);
    case NeededFixtures::Kind::None:
      return text(neededText(row.needed));
    case NeededFixtures::Kind::NoDesign:
      break;
  }
  return {};
}

constexpr std::array<RoomField, 18> kRoomFields{{
    {"page", "page", Quantity::None, [](const ScheduleRow& r) { return number(r.page); }},
    {"row", "row", Quantity::None, [](const ScheduleRow& r) { return number(r.row); }},
    {"room", "room", Quantity::None, [](const ScheduleRow& r) { return number(r.room); }},
    {"name", "name", Quantity::None, [](const ScheduleRow& r) { return text(r.name); }},
    {"number", "number", Quantity::None, [](const ScheduleRow& r) { return text(r.number); }},
    {"length", "length_m", Quantity::Length, [](const ScheduleRow& r) { return number(r.length); }},
    {"width", "width_m", Quantity::Length, [](const ScheduleRow& r) { return number(r.width); }},
    {"height", "height_m", Quantity::Length, [](const ScheduleRow& r) { return number(r.height); }},
    {"rcr", "rcr", Quantity::None,
     [](const ScheduleRow& r) { return number(r.result.roomCavityRatio); }},
    {"design_fc", "design_lx", Quantity::Illuminance,
     [](const ScheduleRow& r) { return number(r.designFootcandles); }},
    {"calc_fc", "calc_lx", Quantity::Illuminance,
     [](const ScheduleRow& r) { return number(r.result.calculatedFootcandles); }},
    {"verdict", "verdict", Quantity::None, verdictValue},
    {"fixtures_needed", "fixtures_needed", Quantity::None, neededValue},
    {"fixture", "fixture", Quantity::None,
     [](const ScheduleRow& r) { return number(r.fixtureNumber); }},
    {"description", "description", Quantity::None,
     [](const ScheduleRow& r) { return text(r.description()); }},
    {"quantity", "quantity", Quantity::None,
     [](const ScheduleRow& r) { return number(r.quantity); }},
    {"watts", "watts", Quantity::None, [](const ScheduleRow& r) { return number(r.watts); }},
    {"watts_per_sqft", "watts_per_sqm", Quantity::PowerDensity,
     [](const ScheduleRow& r) { return number(r.result.wattsPerSquareFoot); }},
}};

// A light figure of the room, or null where it has none.
template <class Figure>
FieldValue light(const ScheduleRow& row, Figure figure) {
  return row.light.light ? figure(*row.light.light) : FieldValue{};
}

FieldValue spacingOk(const workplane::RoomLight& l) {
  using workplane::SpacingVerdict;
  if (l.spacing == SpacingVerdict::OneFixture || l.spacing == SpacingVerdict::NotRated) return {};
  return {FieldValue::Kind::Boolean, l.spacing == SpacingVerdict::Within ? "true" : "false"};
}

using L = workplane::RoomLight;
constexpr std::array<RoomField, 14> kLightFields{{
    {"rows", "rows", Quantity::None,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.layout.rows); });
     }},
    {"columns", "columns", Quantity::None,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.layout.columns); });
     }},
    {"spacing_length_ft", "spacing_length_m", Quantity::Length,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.layout.spacingAlong()); });
     }},
    {"spacing_width_ft", "spacing_width_m", Quantity::Length,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.layout.spacingAcross()); });
     }},
    {"sc_length", "sc_length", Quantity::None,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.criterion.alongLength); });
     }},
    {"sc_width", "sc_width", Quantity::None,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.criterion.across); });
     }},
    {"sc_diagonal", "sc_diagonal", Quantity::None,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.criterion.diagonal); });
     }},
    {"spacing_ok", "spacing_ok", Quantity::None,
     [](const ScheduleRow& r) { return light(r, spacingOk); }},
    {"avg_fc", "avg_lx", Quantity::Illuminance,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.average); });
     }},
    {"min_fc", "min_lx", Quantity::Illuminance,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.minimum); });
     }},
    {"max_fc", "max_lx", Quantity::Illuminance,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.maximum); });
     }},
    {"avg_min", "avg_min", Quantity::None,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.averageToMinimum); });
     }},
    {"max_min", "max_min", Quantity::None,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.maximumToMinimum); });
     }},
    {"direct_avg_fc", "direct_avg_lx", Quantity::Illuminance,
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.directAverage); });
     }},
}};

FieldValue boolean(bool value) {
  return {FieldValue::Kind::Boolean, value ? "true" : "false"};
}

constexpr std::array<RoomField, 3> kSpaceTypeFields{{
    {"space_type", "space_type", Quantity::None,
     [](const ScheduleRow& r) { return r.spaceType ? text(r.spaceType->name) : FieldValue{}; }},
    {"allowed_watts_per_sqft", "allowed_watts_per_sqm", Quantity::PowerDensity,
     [](const ScheduleRow& r) {
       return r.spaceType ? number(r.spaceType->wattsPerSqft) : FieldValue{};
     }},
    {"over_allowance", "over_allowance", Quantity::None,
     [](const ScheduleRow& r) { return r.spaceType ? boolean(r.overAllowance) : FieldValue{}; }},
}};

}  // namespace

FieldValue RoomField::valueIn(const ScheduleRow& row, Units units) const {
  FieldValue shown = value(row);
  if (units == Units::Imperial || quantity == Quantity::None ||
      shown.kind != FieldValue::Kind::Number) {
    return shown;
  }
  double number = 0;
  std::from_chars(shown.text.data(), shown.text.data() + shown.text.size(), number);
  shown.text = formatReal(shownIn(number, quantity, units));
  return shown;
}

std::span<const RoomField> spaceTypeFields() {
  return kSpaceTypeFields;
}

std::span<const RoomField> lightFields() {
  return kLightFields;
}

std::span<const RoomField> roomFields() {
  return kRoomFields;
}

std::string neededText(const NeededFixtures& needed) {
  switch (needed.kind) {
    case NeededFixtures::Kind::Count:
      return std::to_string(needed.count);
    case NeededFixtures::Kind::None:
      return "none";
    case NeededFixtures::Kind::NoDesign:
      break;
  }
  return "";
}

}  // namespace kandelor::schedule
