#pragma once

#include <string>
#include <utility>
#include <vector>

namespace toolkit {

// Descriptions of a form and a menu, from which the toolkit builds its widgets.
// Positions and sizes of a form are in dialog units: x in quarters of the form
// font's average character width, y in eighths of its height.

enum class ControlKind { Label, Text, Integer, Real, List };

struct Control {
  int id = 0;
  ControlKind kind = ControlKind::Label;
  int x = 0, y = 0, width = 0, height = 0;
  std::string text;                // initial text (a label's caption)
  bool enabled = true;             // disabled: shown greyed, not editable, no tab stop
  bool tabStop = true;             // ignored for labels and disabled controls
  std::vector<std::string> items;  // list items
  int selectedItem = 0;            // 1-based selected list item, 0 for none
  int characters = 0;              // text fields: the most characters held, 0 for any
  std::string name;                // what a refusal calls the field: the label beside it
};

// A control at a place, with its initial text; the other members keep their defaults.
inline Control makeControl(int id, ControlKind kind, int x, int y, int width, int height,
                           std::string text = {}) {
  Control c;
  c.id = id;
  c.kind = kind;
  c.x = x;
  c.y = y;
  c.width = width;
  c.height = height;
  c.text = std::move(text);
  return c;
}

struct FormResource {
  int id = 0;
  int width = 0, height = 0;  // dialog units
  std::string fontFamily;
  int pointSize = 8;
  bool childStyle = true;         // fills the main window's client area
  std::vector<Control> controls;  // in tab order
};

// The desktop's usual keys for a command: its standard keys where the desktop has
// them, and Ctrl with the command's letter everywhere.
enum class CommandKey { None, New, Open, Save, Quit };

struct MenuItem {
  int id = 0;        // the id reported by a selection (a popup's own id is never reported)
  std::string text;  // with '&' before the mnemonic letter
  std::string name;  // the object name of the item's QAction (a popup's: of its QMenu)
  std::vector<MenuItem> popup;  // non-empty: this item opens a popup
  CommandKey key = CommandKey::None;
  std::string shortcut = {};  // a further key in portable text, such as "Ctrl+R"; empty for none
};

struct MenuResource {
  int id = 0;
  std::vector<MenuItem> items;  // in menu-bar order
};

// Makes a form or menu known to the toolkit, for windowopen2 to find by id.
void registerForm(FormResource form);
void registerMenu(MenuResource menu);

namespace detail {
// The registered form or menu of that id, or nullptr.
const FormResource* findForm(int id);
const MenuResource* findMenu(int id);
}  // namespace detail

}  // namespace toolkit
