#include "tools/schedule/schedule_fields.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "tools/schedule/schedule_table.h"

namespace kandelor::schedule {

namespace {

FieldValue text(std::string value) {
  return {FieldValue::Kind::Text, std::move(value), 0};
}
FieldValue number(std::int32_t value) {
  return {FieldValue::Kind::Number, std::to_string(value), static_cast<double>(value)};
}
FieldValue number(float value) {
  return {FieldValue::Kind::Number, formatReal(value), static_cast<double>(value)};
}
FieldValue number(double value) {
  return {FieldValue::Kind::Number, formatReal(value), value};
}
FieldValue number(const std::optional<double>& value) {
  return value ? number(*value) : FieldValue{};
}
FieldValue boolean(bool value) {
  return {FieldValue::Kind::Boolean, value ? "true" : "false", 0};
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

using L = workplane::RoomLight;

Verdict footcandleVerdict(const ScheduleRow& row) {
  return row.verdict;
}

Verdict spacingVerdict(const ScheduleRow& row) {
  using workplane::SpacingVerdict;
  if (!row.light.light) return Verdict::None;
  switch (row.light.light->spacing) {
    case SpacingVerdict::Within:
      return Verdict::Meets;
    case SpacingVerdict::TooWideAlong:
    case SpacingVerdict::TooWideAcross:
    case SpacingVerdict::TooWideBoth:
      return Verdict::Low;
    case SpacingVerdict::OneFixture:
    case SpacingVerdict::NotRated:
      break;
  }
  return Verdict::None;
}

Verdict allowanceVerdict(const ScheduleRow& row) {
  if (!row.spaceType) return Verdict::None;
  return row.overAllowance ? Verdict::High : Verdict::Meets;
}

FieldValue spacingOk(const L& l) {
  using workplane::SpacingVerdict;
  if (l.spacing == SpacingVerdict::OneFixture || l.spacing == SpacingVerdict::NotRated) return {};
  return boolean(l.spacing == SpacingVerdict::Within);
}

// The room's glare rating to one decimal, as it is judged; null where no fixture counts.
FieldValue ugrValue(const L& l) {
  if (!l.ugr) return {};
  return {FieldValue::Kind::Number, formatFixed(*l.ugr, 1), *l.ugr};
}

std::string layoutCell(const ScheduleRow& row, Units) {
  if (!row.light.light) return "-";
  const workplane::Layout& layout = row.light.light->layout;
  return std::to_string(layout.rows) + "\u00d7" + std::to_string(layout.columns);
}

std::string spacingCell(const ScheduleRow& row, Units) {
  return row.light.light ? workplane::spacingVerdictText(row.light.light->spacing) : "-";
}

// The target the room's space type sets, its Uo part (walls and ceiling) and the verdict.
template <TargetKind kind>
FieldValue targetLimit(const ScheduleRow& row) {
  const TargetCheck* check = findCheck(row.targets, kind);
  return check ? number(check->limit) : FieldValue{};
}
template <TargetKind kind>
FieldValue targetUniformityLimit(const ScheduleRow& row) {
  const TargetCheck* check = findCheck(row.targets, kind);
  return check ? number(check->uniformityLimit) : FieldValue{};
}
template <TargetKind kind>
FieldValue targetVerdict(const ScheduleRow& row) {
  const TargetCheck* check = findCheck(row.targets, kind);
  return check ? text(targetVerdictName(check->verdict)) : FieldValue{};
}
template <TargetKind kind>
Verdict targetTint(const ScheduleRow& row) {
  const TargetCheck* check = findCheck(row.targets, kind);
  if (check == nullptr || check->verdict == TargetVerdict::NotChecked) return Verdict::None;
  return check->verdict == TargetVerdict::Meets ? Verdict::Meets : Verdict::Low;
}

// A target's verdict, in the CSV and in the window under `heading`.
template <TargetKind kind>
constexpr ScheduleColumn targetVerdictColumn(const char* name, const char* heading) {
  return {.group = ColumnGroup::Targets,
          .shown = kCsv | kWindow,
          .name = name,
          .siName = name,
          .heading = heading,
          .siHeading = heading,
          .value = targetVerdict<kind>,
          .verdict = targetTint<kind>};
}

// The value of a figure of the room's light, or null where it has none.
template <auto figure>
FieldValue lightValue(const ScheduleRow& row) {
  return row.light.light ? figure(*row.light.light) : FieldValue{};
}

using G = ColumnGroup;
using Q = Quantity;
using R = const ScheduleRow&;
using Value = FieldValue (*)(const ScheduleRow&);

// A column of the files alone.
constexpr ScheduleColumn inFiles(G group, const char* name, const char* siName, Q quantity,
                                 Value value, unsigned shown = kFiles) {
  return {.group = group,
          .shown = shown,
          .name = name,
          .siName = siName,
          .quantity = quantity,
          .value = value};
}

// A column of the CSV alone, named alike in both units.
constexpr ScheduleColumn inCsv(const char* name, Value value) {
  return inFiles(G::Targets, name, name, Q::None, value, kCsv);
}

// A figure of the room's light in the files alone.
template <auto figure>
constexpr ScheduleColumn lightInFiles(const char* name, const char* siName, Q quantity = Q::None,
                                      unsigned shown = kFiles) {
  return inFiles(G::Light, name, siName, quantity, lightValue<figure>, shown);
}

constexpr unsigned kFilesAndText = kFiles | kText | kWindow;
constexpr unsigned kSurface = kCsv | kJsonNested;

// A surface's average illuminance in the files and the window.
template <auto figure>
constexpr ScheduleColumn surfaceAverage(const char* name, const char* siName, const char* heading,
                                        const char* siHeading) {
  return {.group = ColumnGroup::Light,
          .shown = kSurface | kWindow,
          .name = name,
          .siName = siName,
          .heading = heading,
          .siHeading = siHeading,
          .rightAligned = true,
          .quantity = Quantity::Illuminance,
          .decimals = 1,
          .siDecimals = 0,
          .nullCell = "-",
          .value = lightValue<figure>};
}

// Each output shows, group by group, the columns of this table it shows, in this order.
// The PDF's widths are shares of its table's width.
constexpr std::array kColumns{
    // The room's entered values and the lumen method's results.
    ScheduleColumn{.name = "page",
                   .siName = "page",
                   .heading = "Page",
                   .siHeading = "Page",
                   .pdfWidth = 22,
                   .siPdfWidth = 22,
                   .rightAligned = true,
                   .decimals = 0,
                   .siDecimals = 0,
                   .value = [](R r) { return number(r.page); }},
    ScheduleColumn{.shown = kFiles | kWindow,
                   .name = "row",
                   .siName = "row",
                   .heading = "Row",
                   .siHeading = "Row",
                   .rightAligned = true,
                   .decimals = 0,
                   .siDecimals = 0,
                   .value = [](R r) { return number(r.row); }},
    ScheduleColumn{.name = "room",
                   .siName = "room",
                   .heading = "Room",
                   .siHeading = "Room",
                   .pdfWidth = 24,
                   .siPdfWidth = 26,
                   .rightAligned = true,
                   .decimals = 0,
                   .siDecimals = 0,
                   .value = [](R r) { return number(r.room); }},
    ScheduleColumn{.name = "name",
                   .siName = "name",
                   .heading = "Name",
                   .siHeading = "Name",
                   .pdfWidth = 48,
                   .siPdfWidth = 40,
                   .value = [](R r) { return text(r.name); }},
    ScheduleColumn{.name = "number",
                   .siName = "number",
                   .heading = "Number",
                   .siHeading = "Number",
                   .pdfWidth = 32,
                   .siPdfWidth = 34,
                   .value = [](R r) { return text(r.number); }},
    ScheduleColumn{.shown = kTables | kWindow,
                   .heading = "Size LxWxH ft",
                   .siHeading = "Size LxWxH m",
                   .pdfWidth = 52,
                   .siPdfWidth = 74,
                   .cell = [](R r, Units u) { return sizeText(r, u); }},
    inFiles(G::Room, "length", "length_m", Q::Length, [](R r) { return number(r.length); }),
    inFiles(G::Room, "width", "width_m", Q::Length, [](R r) { return number(r.width); }),
    inFiles(G::Room, "height", "height_m", Q::Length, [](R r) { return number(r.height); }),
    ScheduleColumn{.name = "rcr",
                   .siName = "rcr",
                   .heading = "RCR",
                   .siHeading = "RCR",
                   .pdfWidth = 20,
                   .siPdfWidth = 20,
                   .rightAligned = true,
                   .decimals = 0,
                   .siDecimals = 0,
                   .value = [](R r) { return number(r.result.roomCavityRatio); }},
    ScheduleColumn{.name = "design_fc",
                   .siName = "design_lx",
                   .heading = "Design",
                   .siHeading = "Design lx",
                   .pdfWidth = 29,
                   .siPdfWidth = 40,
                   .rightAligned = true,
                   .quantity = Q::Illuminance,
                   .decimals = 0,
                   .siDecimals = 0,
                   .value = [](R r) { return number(r.designFootcandles); }},
    ScheduleColumn{.name = "calc_fc",
                   .siName = "calc_lx",
                   .heading = "Calc'd",
                   .siHeading = "Calc'd lx",
                   .pdfWidth = 28,
                   .siPdfWidth = 37,
                   .rightAligned = true,
                   .quantity = Q::Illuminance,
                   .decimals = 0,
                   .siDecimals = 0,
                   .value = [](R r) { return number(r.result.calculatedFootcandles); },
                   .verdict = footcandleVerdict},
    ScheduleColumn{.name = "verdict",
                   .siName = "verdict",
                   .heading = "Verdict",
                   .siHeading = "Verdict",
                   .pdfWidth = 30,
                   .siPdfWidth = 30,
                   .value = verdictValue,
                   .verdict = footcandleVerdict},
    ScheduleColumn{.name = "fixtures_needed",
                   .siName = "fixtures_needed",
                   .heading = "Needed",
                   .siHeading = "Needed",
                   .pdfWidth = 32,
                   .siPdfWidth = 32,
                   .rightAligned = true,
                   .decimals = 0,
                   .siDecimals = 0,
                   .value = neededValue},
    ScheduleColumn{.name = "fixture",
                   .siName = "fixture",
                   .heading = "No.",
                   .siHeading = "No.",
                   .pdfWidth = 17,
                   .siPdfWidth = 17,
                   .rightAligned = true,
                   .decimals = 0,
                   .siDecimals = 0,
                   .value = [](R r) { return number(r.fixtureNumber); }},
    ScheduleColumn{.name = "description",
                   .siName = "description",
                   .heading = "Fixture",
                   .siHeading = "Fixture",
                   .pdfWidth = 40,
                   .siPdfWidth = 38,
                   .value = [](R r) { return text(r.description()); }},
    ScheduleColumn{.name = "quantity",
                   .siName = "quantity",
                   .heading = "Qty",
                   .siHeading = "Qty",
                   .pdfWidth = 18,
                   .siPdfWidth = 17,
                   .rightAligned = true,
                   .decimals = 0,
                   .siDecimals = 0,
                   .value = [](R r) { return number(r.quantity); }},
    ScheduleColumn{.shown = kFiles | kPdf | kWindow,
                   .name = "watts",
                   .siName = "watts",
                   .heading = "Watts",
                   .siHeading = "Watts",
                   .pdfWidth = 26,
                   .siPdfWidth = 25,
                   .rightAligned = true,
                   .decimals = 0,
                   .siDecimals = 0,
                   .value = [](R r) { return number(r.watts); }},
    ScheduleColumn{.name = "watts_per_sqft",
                   .siName = "watts_per_sqm",
                   .heading = "W/sqft",
                   .siHeading = "W/m\u00b2",
                   .pdfWidth = 28,
                   .siPdfWidth = 28,
                   .rightAligned = true,
                   .quantity = Q::PowerDensity,
                   .decimals = 2,
                   .siDecimals = 2,
                   .value = [](R r) { return number(r.result.wattsPerSquareFoot); }},
    // The point-by-point light, null (a dash in the tables) where the room has none.
    ScheduleColumn{.group = G::Light,
                   .shown = kText | kWindow,
                   .heading = "Layout",
                   .siHeading = "Layout",
                   .cell = layoutCell},
    lightInFiles<[](const L& l) { return number(l.layout.rows); }>("rows", "rows"),
    lightInFiles<[](const L& l) { return number(l.layout.columns); }>("columns", "columns"),
    lightInFiles<[](const L& l) { return number(l.layout.spacingAlong()); }>(
        "spacing_length_ft", "spacing_length_m", Q::Length),
    lightInFiles<[](const L& l) { return number(l.layout.spacingAcross()); }>(
        "spacing_width_ft", "spacing_width_m", Q::Length),
    lightInFiles<[](const L& l) { return number(l.criterion.alongLength); }>("sc_length",
                                                                             "sc_length"),
    lightInFiles<[](const L& l) { return number(l.criterion.across); }>("sc_width", "sc_width"),
    lightInFiles<[](const L& l) { return number(l.criterion.diagonal); }>("sc_diagonal",
                                                                          "sc_diagonal"),
    lightInFiles<spacingOk>("spacing_ok", "spacing_ok"),
    ScheduleColumn{.group = G::Light,
                   .shown = kText | kWindow,
                   .heading = "Spacing",
                   .siHeading = "Spacing",
                   .cell = spacingCell,
                   .verdict = spacingVerdict},
    ScheduleColumn{.group = G::Light,
                   .shown = kFilesAndText,
                   .name = "avg_fc",
                   .siName = "avg_lx",
                   .heading = "Avg fc",
                   .siHeading = "Avg lx",
                   .rightAligned = true,
                   .quantity = Q::Illuminance,
                   .decimals = 1,
                   .siDecimals = 0,
                   .nullCell = "-",
                   .value = lightValue<[](const L& l) { return number(l.figures.average); }>},
    ScheduleColumn{.group = G::Light,
                   .shown = kFilesAndText,
                   .name = "min_fc",
                   .siName = "min_lx",
                   .heading = "Min fc",
                   .siHeading = "Min lx",
                   .rightAligned = true,
                   .quantity = Q::Illuminance,
                   .decimals = 1,
                   .siDecimals = 0,
                   .nullCell = "-",
                   .value = lightValue<[](const L& l) { return number(l.figures.minimum); }>},
    lightInFiles<[](const L& l) { return number(l.figures.maximum); }>("max_fc", "max_lx",
                                                                       Q::Illuminance),
    ScheduleColumn{
        .group = G::Light,
        .shown = kFilesAndText,
        .name = "avg_min",
        .siName = "avg_min",
        .heading = "Avg/min",
        .siHeading = "Avg/min",
        .rightAligned = true,
        .decimals = 2,
        .siDecimals = 2,
        .nullCell = "-",
        .value = lightValue<[](const L& l) { return number(l.figures.averageToMinimum); }>},
    lightInFiles<[](const L& l) { return number(l.figures.maximumToMinimum); }>("max_min",
                                                                                "max_min"),
    lightInFiles<[](const L& l) { return number(l.figures.directAverage); }>(
        "direct_avg_fc", "direct_avg_lx", Q::Illuminance),
    ScheduleColumn{.group = G::Light,
                   .name = "uo",
                   .siName = "uo",
                   .heading = "Uo",
                   .siHeading = "Uo",
                   .pdfWidth = 20,
                   .siPdfWidth = 20,
                   .rightAligned = true,
                   .decimals = 2,
                   .siDecimals = 2,
                   .nullCell = "-",
                   .value = lightValue<[](const L& l) { return number(l.figures.uniformity); }>},
    surfaceAverage<[](const L& l) { return number(l.walls.average); }>(
        "walls_avg_fc", "walls_avg_lx", "Walls fc", "Walls lx"),
    lightInFiles<[](const L& l) { return number(l.walls.uniformity); }>("walls_uo", "walls_uo",
                                                                        Q::None, kSurface),
    surfaceAverage<[](const L& l) { return number(l.ceiling.average); }>(
        "ceiling_avg_fc", "ceiling_avg_lx", "Ceiling fc", "Ceiling lx"),
    lightInFiles<[](const L& l) { return number(l.ceiling.uniformity); }>(
        "ceiling_uo", "ceiling_uo", Q::None, kSurface),
    ScheduleColumn{.group = G::Light,
                   .name = "ugr",
                   .siName = "ugr",
                   .heading = "UGR",
                   .siHeading = "UGR",
                   .pdfWidth = 20,
                   .siPdfWidth = 20,
                   .rightAligned = true,
                   .decimals = 1,
                   .siDecimals = 1,
                   .nullCell = "-",
                   .value = lightValue<ugrValue>},
    // The LPD limit's mark.
    ScheduleColumn{.group = G::Limit,
                   .name = "over_lpd",
                   .siName = "over_lpd",
                   .heading = "LPD",
                   .siHeading = "LPD",
                   .pdfWidth = 24,
                   .siPdfWidth = 24,
                   .value = [](R r) { return boolean(r.overLpdLimit); },
                   .cell = [](R r, Units) { return std::string(r.overLpdLimit ? "over" : ""); }},
    // The space-by-space check, null for a room the list leaves out.
    ScheduleColumn{
        .group = G::SpaceType,
        .shown = kFilesAndText,
        .name = "space_type",
        .siName = "space_type",
        .heading = "Space type",
        .siHeading = "Space type",
        .nullCell = "-",
        .value = [](R r) { return r.spaceType ? text(r.spaceType->name) : FieldValue{}; }},
    ScheduleColumn{
        .group = G::SpaceType,
        .shown = kFilesAndText,
        .name = "allowed_watts_per_sqft",
        .siName = "allowed_watts_per_sqm",
        .heading = "Allowed W/sqft",
        .siHeading = "Allowed W/m\u00b2",
        .rightAligned = true,
        .quantity = Q::PowerDensity,
        .decimals = 2,
        .siDecimals = 2,
        .nullCell = "-",
        .value =
            [](R r) { return r.spaceType ? number(r.spaceType->wattsPerSqft) : FieldValue{}; }},
    ScheduleColumn{
        .group = G::SpaceType,
        .shown = kFilesAndText,
        .name = "over_allowance",
        .siName = "over_allowance",
        .heading = "Allowance",
        .siHeading = "Allowance",
        .value = [](R r) { return r.spaceType ? boolean(r.overAllowance) : FieldValue{}; },
        .cell =
            [](R r, Units) {
              return std::string(!r.spaceType ? "" : r.overAllowance ? "over" : "within");
            },
        .verdict = allowanceVerdict},
    // The space type's light targets: each one's value and the room's verdict, empty where
    // the type sets none.
    ScheduleColumn{
        .group = G::Targets,
        .shown = kText,
        .heading = "Targets",
        .siHeading = "Targets",
        .cell = [](R r, Units) { return r.spaceType ? targetsSummary(r.targets) : std::string(); }},
    inCsv("em_target_lx", targetLimit<TargetKind::Illuminance>),
    targetVerdictColumn<TargetKind::Illuminance>("em_verdict", "Em target"),
    inCsv("uo_target", targetLimit<TargetKind::Uniformity>),
    targetVerdictColumn<TargetKind::Uniformity>("uo_verdict", "Uo target"),
    inCsv("ugr_target", targetLimit<TargetKind::Glare>),
    targetVerdictColumn<TargetKind::Glare>("ugr_verdict", "UGR target"),
    inCsv("walls_target_lx", targetLimit<TargetKind::Walls>),
    inCsv("walls_target_uo", targetUniformityLimit<TargetKind::Walls>),
    targetVerdictColumn<TargetKind::Walls>("walls_verdict", "Walls target"),
    inCsv("ceiling_target_lx", targetLimit<TargetKind::Ceiling>),
    inCsv("ceiling_target_uo", targetUniformityLimit<TargetKind::Ceiling>),
    targetVerdictColumn<TargetKind::Ceiling>("ceiling_verdict", "Ceiling target"),
};

// Every column a file shows has a name in both units, every column a table shows a
// heading, and every column the PDF shows a width.
constexpr bool wellFormed() {
  for (const ScheduleColumn& c : kColumns) {
    if ((c.shown & (kFiles | kJsonNested)) != 0 && (c.name == nullptr || c.siName == nullptr)) {
      return false;
    }
    if ((c.shown & (kTables | kWindow)) != 0 && (c.heading == nullptr || c.siHeading == nullptr)) {
      return false;
    }
    if ((c.shown & kPdf) != 0 && !(c.pdfWidth > 0 && c.siPdfWidth > 0)) return false;
  }
  return true;
}
static_assert(wellFormed());

}  // namespace

FieldValue ScheduleColumn::valueIn(const ScheduleRow& row, Units units) const {
  FieldValue shown = value(row);
  if (units == Units::Imperial || quantity == Quantity::None ||
      shown.kind != FieldValue::Kind::Number) {
    return shown;
  }
  // Converted from the decimal the imperial file shows, so that the two files agree.
  double number = 0;
  std::from_chars(shown.text.data(), shown.text.data() + shown.text.size(), number);
  shown.number = shownIn(shown.number, quantity, units);
  shown.text = formatReal(shownIn(number, quantity, units));
  return shown;
}

std::string ScheduleColumn::cellIn(const ScheduleRow& row, Units units) const {
  if (cell != nullptr) return cell(row, units);
  const FieldValue shown = value(row);
  switch (shown.kind) {
    case FieldValue::Kind::Null:
      return nullCell;
    case FieldValue::Kind::Number: {
      const int places = units == Units::Si ? siDecimals : decimals;
      if (places >= 0) return formatFixed(shownIn(shown.number, quantity, units), places);
      return valueIn(row, units).text;
    }
    case FieldValue::Kind::Text:
    case FieldValue::Kind::Boolean:
      break;
  }
  return shown.text;
}

std::span<const ScheduleColumn> scheduleColumns() {
  return kColumns;
}

bool groupShown(const Schedule& schedule, ColumnGroup group) {
  switch (group) {
    case ColumnGroup::Room:
    case ColumnGroup::Light:
      return true;
    case ColumnGroup::Limit:
      return schedule.options.lpdLimit.has_value();
    case ColumnGroup::SpaceType:
      return schedule.options.spaceTypes.has_value();
    case ColumnGroup::Targets:
      break;
  }
  // Only a table of space types that sets targets adds their columns.
  const auto& list = schedule.options.spaceTypes;
  return list && std::any_of(list->table.begin(), list->table.end(),
                             [](const SpaceType& type) { return type.targets.any(); });
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
