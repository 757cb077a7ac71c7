#pragma once

#include <array>

#include "model/project.h"

namespace kandelor {

// Ids of form 101 (the room form) and menu 30001.
inline constexpr int kRoomForm = 101;
inline constexpr int kMainMenu = 30001;

// The page-wide fields.
inline constexpr int kBallastFactorField = 1017;
inline constexpr int kLampLumenDepreciationField = 1018;
inline constexpr int kLampDirtDepreciationField = 1025;
inline constexpr int kLampWattsField = 1026;
inline constexpr int kLampLumensField = 1004;
inline constexpr int kCeilingReflectanceList = 1259;
inline constexpr int kWallReflectanceList = 1028;

// The columns of the room grid, in the form's left-to-right order.
enum class Column {
  Name,
  Number,
  Length,
  Width,
  Height,
  RoomCavityRatio,
  Design,
  Calculated,
  FixtureNumber,
  Description,
  Quantity,
  WattsPerSquareFoot,
};
inline constexpr int kColumnCount = 12;

// The field id of a grid cell; rows are numbered 1 to 19.
int fieldId(int row, Column column);

}  // namespace kandelor
