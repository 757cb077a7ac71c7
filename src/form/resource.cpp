#include "form/resource.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/reflectances.h"
#include "form/field_ids.h"

namespace kandelor {
namespace {

using toolkit::Control;
using toolkit::ControlKind;

// One column of the room grid: its heading label and its fields.
struct GridColumn {
  Column column;
  int headingId;
  int headingX;
  const char* heading;
  ControlKind kind;
  int x;
  int width;
  bool editable;
  const char* placeholder;  // the text shown until a page is put into the form
  int characters = 0;       // text columns: as many characters as the model's text holds
};

constexpr int kNameCharacters = decltype(RoomRow::name)::width;
constexpr int kNumberCharacters = decltype(RoomRow::number)::width;
constexpr int kDescriptionCharacters = decltype(RoomRow::description)::width;

constexpr GridColumn kGridColumns[] = {
    {Column::Name, 1009, 20, "Room Name", ControlKind::Text, 20, 52, true, "", kNameCharacters},
    {Column::Number, 1010, 82, "Number", ControlKind::Text, 80, 26, true, "", kNumberCharacters},
    {Column::Length, 1011, 120, "Length", ControlKind::Real, 120, 30, true, "0.0"},
    {Column::Width, 1012, 160, "Width", ControlKind::Real, 160, 30, true, "0.0"},
    {Column::Height, 1013, 200, "Height", ControlKind::Real, 200, 30, true, "0.0"},
    {Column::RoomCavityRatio, 1019, 239, "RCR", ControlKind::Integer, 240, 20, false, "0"},
    {Column::Design, 1020, 281, "Design", ControlKind::Integer, 280, 20, true, "0"},
    {Column::Calculated, 1023, 315, "Calc'd", ControlKind::Integer, 320, 20, false, "0"},
    {Column::FixtureNumber, 1015, 360, "No.", ControlKind::Integer, 360, 15, true, "0"},
    {Column::Description, 1016, 380, "Description", ControlKind::Text, 380, 54, false, "",
     kDescriptionCharacters},
    {Column::Quantity, 1027, 440, "Qty.", ControlKind::Integer, 440, 15, true, "0"},
    {Column::WattsPerSquareFoot, 1024, 468, "Watts/Sqft", ControlKind::Real, 473, 30, false, "0.0"},
};

// The page-wide fields and the labels beside them, which also name the fields when they
// refuse what was typed.
struct FieldLabel {
  int field;
  int id;
  int x;
  int y;
  const char* text;
};

constexpr FieldLabel kFieldLabels[] = {
    {kBallastFactorField, 1006, 120, 6, "Ballast Factor"},
    {kLampLumenDepreciationField, 1007, 120, 20, "Lamp Lumen Depreciation Factor"},
    {kLampDirtDepreciationField, 1008, 120, 35, "Lamp Dirt Depreciation Factor"},
    {kLampWattsField, 1029, 120, 49, "Watts"},
    {kLampLumensField, 1258, 200, 49, "Lumens"},
    {kCeilingReflectanceList, 1002, 378, 14, "Ceiling Reflectance"},
    {kWallReflectanceList, 1003, 378, 30, "Wall Reflectance"},
};

// The label of a page-wide field.
std::string labelOf(int field) {
  for (const FieldLabel& label : kFieldLabels) {
    if (label.field == field) return label.text;
  }
  return {};
}

constexpr int kGridTop = 88;
constexpr int kRowPitch = 12;
constexpr int kHeadingY = 72;
constexpr int kLineHeight = 8;

// A label; one of two lines is wrapped to `width` (otherwise it is as wide as its text).
Control label(int id, int x, int y, const char* text, int lines = 1, int width = 0) {
  return toolkit::makeControl(id, ControlKind::Label, x, y, width, kLineHeight * lines, text);
}

Control field(int id, ControlKind kind, int x, int y, int width, const char* text) {
  return toolkit::makeControl(id, kind, x, y, width, kLineHeight, text);
}

Control list(int id, int x, int y, int droppedHeight, std::vector<std::string> items,
             int selected) {
  Control c = field(id, ControlKind::List, x, y, 30, "");
  c.height = droppedHeight;
  c.items = std::move(items);
  c.selectedItem = selected;
  return c;
}

// The items of a reflectance list: its percentages as texts.
template <std::size_t N>
std::vector<std::string> percentItems(const std::array<std::int32_t, N>& percents) {
  std::vector<std::string> items;
  for (const std::int32_t percent : percents) items.push_back(std::to_string(percent));
  return items;
}

}  // namespace

toolkit::FormResource roomForm() {
  toolkit::FormResource form;
  form.id = kRoomForm;
  form.width = 532;
  form.height = 323;
  form.fontFamily = "MS Sans Serif";
  form.pointSize = 8;
  form.childStyle = true;

  // Controls in tab order; disabled fields and Lumens are not tab stops.
  auto& c = form.controls;
  c.push_back(field(kBallastFactorField, ControlKind::Real, 80, 6, 30, "1.0000"));
  c.push_back(field(kLampLumenDepreciationField, ControlKind::Real, 80, 20, 30, "1.0000"));
  c.push_back(field(kLampDirtDepreciationField, ControlKind::Real, 80, 36, 30, "1.0000"));
  c.push_back(field(kLampWattsField, ControlKind::Integer, 80, 49, 30, "34"));
  c.push_back(list(kCeilingReflectanceList, 342, 12, 72, percentItems(kCeilingPercents), 3));
  c.push_back(list(kWallReflectanceList, 342, 29, 67, percentItems(kWallPercents), 2));
  for (int row = 1; row <= kRowCount; ++row) {
    const int y = kGridTop + kRowPitch * (row - 1);
    for (const GridColumn& col : kGridColumns) {
      Control f = field(fieldId(row, col.column), col.kind, col.x, y, col.width, col.placeholder);
      f.enabled = col.editable;
      f.tabStop = col.editable;
      f.characters = col.characters;
      f.name = col.heading;
      c.push_back(f);
    }
  }
  Control lumens = field(kLampLumensField, ControlKind::Integer, 154, 49, 40, "2800");
  lumens.tabStop = false;  // reached with the mouse
  c.push_back(lumens);

  for (Control& control : c) {
    if (control.name.empty()) control.name = labelOf(control.id);
  }

  for (const FieldLabel& l : kFieldLabels) c.push_back(label(l.id, l.x, l.y, l.text));
  c.push_back(label(1005, 20, 16, "Luminaire Defaults", 2, 56));
  c.push_back(label(1021, 20, 49, "Lamp Data"));
  c.push_back(label(1001, 290, 22, "Room Defaults", 2, 48));
  c.push_back(label(1022, 289, 56, "Footcandles"));
  c.push_back(label(1014, 360, 56, "______Fixture Data_________"));
  for (const GridColumn& col : kGridColumns) {
    c.push_back(label(col.headingId, col.headingX, kHeadingY, col.heading));
  }
  return form;
}

toolkit::MenuResource mainMenu() {
  toolkit::MenuResource menu;
  menu.id = kMainMenu;
  menu.items = {
      {kMenuZonesPopup,
       "&Zones",
       "menuZones",
       {{kMenuZonePage1, "#'s   1 -> 19", "actionZonePage1", {}},
        {kMenuZonePage2, "#'s 20 -> 38", "actionZonePage2", {}},
        {kMenuZonePage3, "#'s 39 -> 57", "actionZonePage3", {}},
        {kMenuZonePage4, "#'s 58 -> 76", "actionZonePage4", {}},
        {kMenuZonePage5, "#'s 77 -> 95", "actionZonePage5", {}}}},
      {kMenuSpreadsheetPopup,
       "&Spreadsheet",
       "menuSpreadsheet",
       {{kMenuSpreadsheetOn, "&On", "actionSpreadsheetOn", {}},
        {kMenuSpreadsheetOff, "O&ff", "actionSpreadsheetOff", {}}}},
      {kMenuCalculate, "&Calculate", "actionCalculate", {}},
      {kMenuViewPopup,
       "&View",
       "menuView",
       {{kMenuRoomPlan,
         "Room &Plan",
         "actionViewRoomPlan",
         {},
         toolkit::CommandKey::None,
         "Ctrl+R"},
        {kMenuProjectSchedule,
         "Project &Schedule",
         "actionViewProjectSchedule",
         {},
         toolkit::CommandKey::None,
         "Ctrl+J"}}},
      {kMenuFilePopup,
       "&File",
       "menuFile",
       {{kMenuNew, "&New", "actionFileNew", {}, toolkit::CommandKey::New},
        {kMenuOpen, "&Open", "actionFileOpen", {}, toolkit::CommandKey::Open},
        {kMenuSave, "&Save", "actionFileSave", {}, toolkit::CommandKey::Save},
        {kMenuSaveAs, "Save &As", "actionFileSaveAs", {}}}},
      {kMenuHelp, "&Help", "actionHelp", {}},
      {kMenuPrint, "&Print", "actionPrint", {}},
      {kMenuExit, "&Exit", "actionExit", {}, toolkit::CommandKey::Quit},
  };
  return menu;
}

void registerResources() {
  toolkit::registerForm(roomForm());
  toolkit::registerMenu(mainMenu());
}

}  // namespace kandelor
