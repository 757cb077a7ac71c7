#pragma once

namespace kandelor {

// The units results are shown in. Rooms are computed in feet and footcandles either
// way; metric only converts what is shown.
enum class Units { Imperial, Si };

// What a shown number measures.
enum class Quantity { None, Length, Area, Illuminance, PowerDensity };

inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kSquareMetresPerSquareFoot = kMetresPerFoot * kMetresPerFoot;
// A footcandle is a lumen per square foot, a lux a lumen per square metre.
inline constexpr double kLuxPerFootcandle = 1 / kSquareMetresPerSquareFoot;

// A value in feet, square feet, footcandles or W/sqft, in `units`.
inline double shownIn(double value, Quantity quantity, Units units) {
  if (units == Units::Imperial) return value;
  switch (quantity) {
    case Quantity::Length:
      return value * kMetresPerFoot;
    case Quantity::Area:
      return value * kSquareMetresPerSquareFoot;
    case Quantity::Illuminance:
    case Quantity::PowerDensity:
      return value / kSquareMetresPerSquareFoot;
    case Quantity::None:
      break;
  }
  return value;
}

// The unit's symbol as headings show it: "ft" or "m", "sqft" or "m²", "fc" or "lx",
// "W/sqft" or "W/m²".
inline const char* unitSymbol(Quantity quantity, Units units) {
  const bool si = units == Units::Si;
  switch (quantity) {
    case Quantity::Length:
      return si ? "m" : "ft";
    case Quantity::Area:
      return si ? "m\u00b2" : "sqft";
    case Quantity::Illuminance:
      return si ? "lx" : "fc";
    case Quantity::PowerDensity:
      return si ? "W/m\u00b2" : "W/sqft";
    case Quantity::None:
      break;
  }
  return "";
}

}  // namespace kandelor
