#pragma once

#include <array>

#include "model/project.h"

namespace kandelor {

// Ids of form 101 (the room form) and menu 30001.
inline constexpr int kRoomForm = 101;
inline constexpr int kMainMenu = 30001;

// The items of the menu bar, by the id a selection reports. The popups' own ids
// (File, Zones, Spreadsheet) are never reported.
enum MenuId : int {
  kMenuPrint = 40001,
  kMenuExit = 40002,
  kMenuFilePopup = 40003,
  kMenuHelp = 40004,
  kMenuNew = 40005,
  kMenuOpen = 40006,
  kMenuSave = 40007,
  kMenuSaveAs = 40008,
  kMenuZonesPopup = 40009,
  kMenuZonePage1 = 40010,  // pages 1 to 5 in order
  kMenuZonePage2 = 40011,
  kMenuZonePage3 = 40012,
  kMenuZonePage4 = 40013,
  kMenuZonePage5 = 40014,
  kMenuCalculate = 40015,
  kMenuSpreadsheetPopup = 40016,
  kMenuSpreadsheetOn = 40017,
  kMenuSpreadsheetOff = 40018,
  kMenuViewPopup = 40019,
  kMenuRoomPlan = 40020,
  kMenuProjectSchedule = 40021,
};
static_assert(kMenuZonePage5 - kMenuZonePage1 + 1 == kPageCount);

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
// The row (1 to 19) of a grid field; 0 for any other id.
int rowOfField(int id);

}  // namespace kandelor
