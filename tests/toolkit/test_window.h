#pragma once

class QWidget;

// A small form and menu of their own for the toolkit's tests.
namespace toolkit::test {

inline constexpr int kFormId = 900;
inline constexpr int kMenuId = 901;
inline constexpr int kOpenItem = 401;
inline constexpr int kCalculateItem = 402;
inline constexpr int kPlanItem = 403;      // in File, shortcut Ctrl+R
inline constexpr int kScheduleItem = 404;  // in File, shortcut Ctrl+J

// Field ids of the test form.
inline constexpr int kFactor = 10;    // real, initial "1.0000", named "Factor"
inline constexpr int kLength = 11;    // real, empty
inline constexpr int kWatts = 12;     // integer, initial "34", named "Watts"
inline constexpr int kDesign = 13;    // integer, empty
inline constexpr int kName = 14;      // text, 8 characters
inline constexpr int kCeiling = 15;   // list "30" "50" "70" "80", item 3 selected, "Ceiling"
inline constexpr int kComputed = 16;  // integer, disabled
inline constexpr int kLumens = 17;    // integer, not a tab stop
inline constexpr int kCaption = 5;    // label

// Registers the test form and menu and opens the main window on them; false when the
// window does not open or does not become active.
bool openTestWindow();
// Closes the window and drops any messages left.
void closeTestWindow();

QWidget* field(int id);
// Presses Tab in the focused field and lets the focus settle; false when no field has
// the focus.
bool pressTab();

}  // namespace toolkit::test
