#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

// The project schedule window: one per program, beside the main window and not modal like
// the room plan. It lists the rooms of the project in a table whose columns sort by a click
// on their heading, with a space-type chooser in each room's row, the project's totals
// under it, a luminaire schedule, a progress bar for the light still being computed, the
// units switch it shares with the room plan, and export buttons.

namespace toolkit {

// Message: a room's row was double-clicked (or Enter pressed on it); value[0] = the
// room's number as the content gave it.
inline constexpr int kScheduleRoomChosen = 14;
// Message: a space type was chosen in a room's row; value[0] = the room's number,
// value[1] = the 0-based index of the choice among `spaceTypeChoices`.
inline constexpr int kScheduleSpaceTypeChosen = 15;
// Message: an export button was pressed; value[0] = a ScheduleExport.
inline constexpr int kScheduleExport = 16;
// Messages the program posts itself (wmessagepost) from the thread that computes the
// rooms' light: progress, and a result ready; value[0] = the program's request number.
inline constexpr int kScheduleProgress = 17;
inline constexpr int kScheduleComputed = 18;
// Message: the units switch of the plan or the schedule changed; value[0] = 1 for
// metres and lux, 0 for feet and footcandles.
inline constexpr int kUnitsChanged = 19;

enum ScheduleExport { kExportCsv = 1, kExportJson = 2, kExportPdf = 3, kExportPdfWithPlans = 4 };

// One cell of a table: its text, the number it sorts by (text cells sort by their text,
// case-blind; cells without a number sort after those with one), its tint and tooltip.
struct TableCell {
  std::string text;
  std::optional<double> number = std::nullopt;
  std::optional<Tint> tint = std::nullopt;
  std::string toolTip = {};
};

struct TableColumn {
  std::string heading;
  bool rightAligned = false;
  std::string toolTip = {};
};

struct Table {
  std::vector<TableColumn> columns;
  std::vector<std::vector<TableCell>> rows;  // each as many cells as there are columns
};

// What the window shows in one system of units.
struct ScheduleSheet {
  Table rooms;                      // one row per room, in room order
  std::vector<std::string> totals;  // lines under the rooms
  Table luminaires;                 // one row per fixture type in use
};

struct ScheduleContent {
  std::string title;  // the window's title
  ScheduleSheet imperial;
  ScheduleSheet metric;
  // The room's number of each row of `rooms` (the same in both sheets).
  std::vector<int> roomNumbers;
  // The column of `rooms` whose cells are space-type choosers (-1: none), the choices in
  // the order their indexes count (the first may be the choice of none), and each row's
  // chosen index.
  int spaceTypeColumn = -1;
  std::vector<std::string> spaceTypeChoices;
  std::vector<int> spaceTypeChosen;
  // A line over the table, such as "Computing the light on the work plane of 95
  // rooms…"; empty for none.
  std::string status;
  // Whether the export buttons can be pressed; when not, `status` is their tooltip.
  bool exportable = true;
};

// Shows the content, keeping the sort order, the current room and the scroll position of
// what was shown; opens the window when `open` (and brings it to the front), else a closed
// window stays closed.
void wscheduleshow(const ScheduleContent& content, bool open);
// The progress bar: `done` of `total` rooms; a total of 0 hides it.
void wscheduleprogress(int done, int total);
bool wscheduleisopen();
void wscheduleclose();

// Whether the plan and the schedule show metres and lux (the units switch both share).
bool wmetricchosen();

}  // namespace toolkit
