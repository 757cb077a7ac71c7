#include "app/report.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "model/records.h"

namespace kandelor {

namespace {

constexpr std::string_view kColumnHeading =
    "Room Name     Number  L     W      H   RCR  FC  Calc  #   Type    Qty  W/sqft.";
constexpr std::string_view kReportFileName = "out.dat";
constexpr std::size_t kFileNameWidth = 225;
constexpr std::int32_t kFloorReflectance = 20;
constexpr int kMaxDecimals = 9;

// Report records follow the free-form record rules (a leading blank, one blank between a
// label and the number after it, 11-wide integers, 16-wide reals) but write their labels
// exactly as they are: the report is read by people, not parsed back, so labels such as
// "Watts/lamp " are not quoted the way project-file texts with blanks or slashes are.
void textRecord(std::string& out, std::string_view text = {}) {
  out += ' ';
  out += text;
  out += '\n';
}

void numberRecord(std::string& out, std::string_view label, std::int32_t value) {
  out += ' ';
  out += label;
  out += ' ';
  appendInteger(out, value);
  out += '\n';
}

void numberRecord(std::string& out, std::string_view label, float value) {
  out += ' ';
  out += label;
  out += ' ';
  appendReal(out, value);
  out += '\n';
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
  out += row.description.view().substr(0, 9);
  out += ' ';
  out += formatInteger(row.quantity, 3);
  out += ' ';
  out += formatFixed(row.wattsPerSquareFoot, 5, 2);
  out += '\n';
}

}  // namespace

void ReportPercentages::update(int ceilingChoice, int wallChoice) {
  static constexpr std::array<std::int32_t, 4> kCeiling{30, 50, 70, 80};
  static constexpr std::array<std::int32_t, 4> kWall{10, 30, 50, 70};
  if (ceilingChoice >= 1 && ceilingChoice <= 4) {
    ceiling = kCeiling[static_cast<std::size_t>(ceilingChoice - 1)];
  }
  if (wallChoice >= 1 && wallChoice <= 4) {
    wall = kWall[static_cast<std::size_t>(wallChoice - 1)];
  }
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

  textRecord(out, "Kandelor 2.0");
  textRecord(out, "Zonal Cavity Lighting");
  textRecord(out);
  textRecord(out, ">>> Global Defaults");
  textRecord(out);
  numberRecord(out, "Ballast Factor ", defaults.ballastFactor);
  numberRecord(out, "LLD ", defaults.lampLumenDepreciation);
  numberRecord(out, "LDD ", defaults.lampDirtDepreciation);
  textRecord(out);
  textRecord(out, ">>>Lamp Data");
  textRecord(out);
  numberRecord(out, "Watts/lamp ", defaults.lampWatts);
  numberRecord(out, "Lumens/lamp ", defaults.lampLumens);
  textRecord(out);
  textRecord(out, ">>>Room Data");
  textRecord(out);
  numberRecord(out, "Ceiling Reflectance ", percentages.ceiling);
  numberRecord(out, "Wall Reflectance ", percentages.wall);
  numberRecord(out, "Floor Reflectance ", kFloorReflectance);
  textRecord(out, "Work Surface Height  2.5 Ft.");
  textRecord(out);
  textRecord(out, ">>>Calculations");
  textRecord(out);
  textRecord(out, kColumnHeading);
  textRecord(out);
  for (const RoomRow& row : page.rows) roomRecord(out, row);
  textRecord(out);
  std::string fileName(kReportFileName);
  fileName.resize(kFileNameWidth, ' ');
  textRecord(out, fileName);
  numberRecord(out, "Page ", static_cast<std::int32_t>(pageNumber));
  return out;
}

}  // namespace kandelor
