#pragma once

#include <cstdint>

#include "form/field_ids.h"
#include "model/project.h"

namespace kandelor {

// The numeric grid columns bound to a RoomRow field, in the order in which the page
// moves between the form and the model.
struct IntegerColumn {
  Column column;
  std::int32_t RoomRow::*member;
};
struct RealColumn {
  Column column;
  float RoomRow::*member;
};

inline constexpr IntegerColumn kIntegerColumns[] = {
    {Column::RoomCavityRatio, &RoomRow::roomCavityRatio},
    {Column::Design, &RoomRow::designFootcandles},
    {Column::Calculated, &RoomRow::calculatedFootcandles},
    {Column::FixtureNumber, &RoomRow::fixtureNumber},
    {Column::Quantity, &RoomRow::quantity},
};

inline constexpr RealColumn kRealColumns[] = {
    {Column::Length, &RoomRow::length},
    {Column::Width, &RoomRow::width},
    {Column::Height, &RoomRow::height},
    {Column::WattsPerSquareFoot, &RoomRow::wattsPerSquareFoot},
};

}  // namespace kandelor
