#include "app/report.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "app/program_title.h"
#include "calc/reflectances.h"
#include "model/records.h"

namespace kandelor {

namespace {

constexpr std::string_view kColumnHeading =
    "Room Name     Number  L     W      H   RCR  FC  Calc  #   Type    Qty  W/sqft.";
constexpr std::string_view kReportFileName = "out.dat";
constexpr std::size_t kFileNameWidth = 225;
constexpr int kMaxDecimals = 9;

// A report line of labels and numbers. Labels are written as they are, blanks and
// slashes included: the report is read by people, not parsed back.
void labelRecord(std::string& out, std::string_view label = {}) {
  if (label.empty()) {
    writeRecord(out, {});
  } else {
    writeRecord(out, {Label{label}});
  }
}

template <typename Number>
void labelRecord(std::string& out, std::string_view label, Number value) {
  writeRecord(out, {Label{label}, value});
}

std::string padLeft(std::string_view text, int width) {
  std::string field(static_cast<std::size_t>(width) - text.size(), ' ');
  field += text;
  return field;
}

// One room as a fixed 76-character line, no leading blank.
void roomRecord(std::string& out, const RoomRow& row) {
  out += row.name.view();
  out += ' ';
  out += row.number.view();
  out += ' ';
  out += formatFixed(row.length, 5, 1);
  out += ' ';
  out += formatFixed(row.width, 5, 1);
  out += ' ';
  out += formatFixed(row.height, 5, 1);
  out += ' ';
  out += formatInteger(row.roomCavityRatio, 3);
  out += ' ';
  out += formatInteger(row.designFootcandles, 4);
  out += ' ';
  out += formatInteger(row.calculatedFootcandles, 4);
  out += ' ';
  out += formatInteger(row.fixtureNumber, 3);
  out += ' ';
  out += row.description.firstCharacters(9);
  out += ' ';
  out += formatInteger(row.quantity, 3);
  out += ' ';
  out += formatFixed(row.wattsPerSquareFoot, 5, 2);
  out += '\n';
}

}  // namespace

void ReportPercentages::update(int ceilingChoice, int wallChoice) {
  ceiling = percentOfChoice(kCeilingPercents, ceilingChoice).value_or(ceiling);
  wall = percentOfChoice(kWallPercents, wallChoice).value_or(wall);
}

std::string formatFixed(float value, int width, int decimals) {
  if (width <= 0) return {};
  const std::string stars(static_cast<std::size_t>(width), '*');
  if (decimals < 0 || decimals > kMaxDecimals || !std::isfinite(value)) return stars;

  // A float has a 24-bit significand and 10^9 = 2^9 * 5^9 adds 21 bits, so the product
  // is exact in double and std::round (half away from zero) sees the float's exact
  // value, as a printed fixed-point field should.
  double scale = 1.0;
  for (int i = 0; i < decimals; ++i) scale *= 10.0;
  const double scaled = std::round(std::fabs(static_cast<double>(value)) * scale);

  // The rounded value is a whole number; its digits, then the point put in place.
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), scaled,
                                    std::chars_format::fixed, 0);
  if (result.ec != std::errc{}) return stars;
  const std::string_view digits(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
  const auto fractionWidth = static_cast<std::size_t>(decimals);
  const std::size_t integerWidth =
      digits.size() > fractionWidth ? digits.size() - fractionWidth : 0;

  std::string text = scaled != 0.0 && value < 0.0f ? "-" : "";
  if (integerWidth > 0) text += digits.substr(0, integerWidth);
  const std::string_view fraction = digits.substr(integerWidth);
  text += '.';
  text.append(fractionWidth - fraction.size(), '0');
  text += fraction;

  const auto fieldWidth = static_cast<std::size_t>(width);
  if (integerWidth == 0 && text.size() < fieldWidth) {
    // Below 1 in magnitude: "0.5" where the width leaves room, ".5" where it does not.
    text.insert(text.front() == '-' ? 1 : 0, 1, '0');
  }
  if (text.size() > fieldWidth) return stars;
  return padLeft(text, width);
}

std::string formatInteger(std::int32_t value, int width) {
  if (width <= 0) return {};
  std::array<char, 12> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  const std::string_view digits(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
  if (digits.size() > static_cast<std::size_t>(width)) {
    return std::string(static_cast<std::size_t>(width), '*');
  }
  return padLeft(digits, width);
}

std::string formatReport(const RoomPage& page, const ReportPercentages& percentages,
                         int pageNumber) {
  const PageDefaults& defaults = page.defaults;
  std::string out;
  out.reserve(4096);

  labelRecord(out, kProgramTitle);
  labelRecord(out, "Zonal Cavity Lighting");
  labelRecord(out);
  labelRecord(out, ">>> Global Defaults");
  labelRecord(out);
  labelRecord(out, "Ballast Factor ", defaults.ballastFactor);
  labelRecord(out, "LLD ", defaults.lampLumenDepreciation);
  labelRecord(out, "LDD ", defaults.lampDirtDepreciation);
  labelRecord(out);
  labelRecord(out, ">>>Lamp Data");
  labelRecord(out);
  labelRecord(out, "Watts/lamp ", defaults.lampWatts);
  labelRecord(out, "Lumens/lamp ", defaults.lampLumens);
  labelRecord(out);
  labelRecord(out, ">>>Room Data");
  labelRecord(out);
  labelRecord(out, "Ceiling Reflectance ", percentages.ceiling);
  labelRecord(out, "Wall Reflectance ", percentages.wall);
  labelRecord(out, "Floor Reflectance ", kFloorPercent);
  labelRecord(out, "Work Surface Height  2.5 Ft.");
  labelRecord(out);
  labelRecord(out, ">>>Calculations");
  labelRecord(out);
  labelRecord(out, kColumnHeading);
  labelRecord(out);
  for (const RoomRow& row : page.rows) roomRecord(out, row);
  labelRecord(out);
  std::string fileName(kReportFileName);
  fileName.resize(kFileNameWidth, ' ');
  labelRecord(out, fileName);
  labelRecord(out, "Page ", static_cast<std::int32_t>(pageNumber));
  return out;
}

}  // namespace kandelor
