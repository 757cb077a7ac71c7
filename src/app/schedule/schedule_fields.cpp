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

}  // namespace

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
