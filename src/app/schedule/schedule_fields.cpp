#include "app/schedule/schedule_fields.h"

#include <array>

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
    {"page", [](const ScheduleRow& r) { return number(r.page); }},
    {"row", [](const ScheduleRow& r) { return number(r.row); }},
    {"room", [](const ScheduleRow& r) { return number(r.room); }},
    {"name", [](const ScheduleRow& r) { return text(r.name); }},
    {"number", [](const ScheduleRow& r) { return text(r.number); }},
    {"length", [](const ScheduleRow& r) { return number(r.length); }},
    {"width", [](const ScheduleRow& r) { return number(r.width); }},
    {"height", [](const ScheduleRow& r) { return number(r.height); }},
    {"rcr", [](const ScheduleRow& r) { return number(r.result.roomCavityRatio); }},
    {"design_fc", [](const ScheduleRow& r) { return number(r.designFootcandles); }},
    {"calc_fc", [](const ScheduleRow& r) { return number(r.result.calculatedFootcandles); }},
    {"verdict", verdictValue},
    {"fixtures_needed", neededValue},
    {"fixture", [](const ScheduleRow& r) { return number(r.fixtureNumber); }},
    {"description", [](const ScheduleRow& r) { return text(r.description()); }},
    {"quantity", [](const ScheduleRow& r) { return number(r.quantity); }},
    {"watts", [](const ScheduleRow& r) { return number(r.watts); }},
    {"watts_per_sqft", [](const ScheduleRow& r) { return number(r.result.wattsPerSquareFoot); }},
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
    {"rows",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.layout.rows); });
     }},
    {"columns",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.layout.columns); });
     }},
    {"spacing_length_ft",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.layout.spacingAlong()); });
     }},
    {"spacing_width_ft",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.layout.spacingAcross()); });
     }},
    {"sc_length",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.criterion.alongLength); });
     }},
    {"sc_width",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.criterion.across); });
     }},
    {"sc_diagonal",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.criterion.diagonal); });
     }},
    {"spacing_ok", [](const ScheduleRow& r) { return light(r, spacingOk); }},
    {"avg_fc",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.average); });
     }},
    {"min_fc",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.minimum); });
     }},
    {"max_fc",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.maximum); });
     }},
    {"avg_min",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.averageToMinimum); });
     }},
    {"max_min",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.maximumToMinimum); });
     }},
    {"direct_avg_fc",
     [](const ScheduleRow& r) {
       return light(r, [](const L& l) { return number(l.figures.directAverage); });
     }},
}};

FieldValue boolean(bool value) {
  return {FieldValue::Kind::Boolean, value ? "true" : "false"};
}

constexpr std::array<RoomField, 3> kSpaceTypeFields{{
    {"space_type",
     [](const ScheduleRow& r) { return r.spaceType ? text(r.spaceType->name) : FieldValue{}; }},
    {"allowed_watts_per_sqft",
     [](const ScheduleRow& r) {
       return r.spaceType ? number(r.spaceType->wattsPerSqft) : FieldValue{};
     }},
    {"over_allowance",
     [](const ScheduleRow& r) { return r.spaceType ? boolean(r.overAllowance) : FieldValue{}; }},
}};

}  // namespace

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
