#pragma once

#include <array>
#include <cstdint>

#include "form/field_ids.h"
#include "model/project.h"

namespace kandelor {

// The input ranges of the form, with the value each field holds: RangeData declares
// them, and the shipped files are checked against them.

// A page-wide field.
template <class T>
struct DefaultsRange {
  int field;
  T PageDefaults::*member;
  T min;
  T max;
};

// A column of the room grid, the same for all 19 rows.
template <class T>
struct ColumnRange {
  Column column;
  T RoomRow::*member;
  T min;
  T max;
};

inline constexpr std::array<DefaultsRange<std::int32_t>, 2> kLampRanges{{
    {kLampWattsField, &PageDefaults::lampWatts, 10, 200},
    {kLampLumensField, &PageDefaults::lampLumens, 850, 5000},
}};

inline constexpr std::array<DefaultsRange<float>, 3> kFactorRanges{{
    {kBallastFactorField, &PageDefaults::ballastFactor, 0.85f, 1.5f},
    {kLampLumenDepreciationField, &PageDefaults::lampLumenDepreciation, 0.85f, 1.5f},
    {kLampDirtDepreciationField, &PageDefaults::lampDirtDepreciation, 0.85f, 1.5f},
}};

inline constexpr std::array<ColumnRange<std::int32_t>, 2> kRowIntegerRanges{{
    {Column::FixtureNumber, &RoomRow::fixtureNumber, 0, 50},
    {Column::Quantity, &RoomRow::quantity, 0, 100},
}};

inline constexpr std::array<ColumnRange<float>, 3> kRowRealRanges{{
    {Column::Length, &RoomRow::length, 0.0f, 500.0f},
    {Column::Width, &RoomRow::width, 0.0f, 500.0f},
    {Column::Height, &RoomRow::height, 0.0f, 35.0f},
}};

}  // namespace kandelor
