#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The form toolkit: one main window with a menu bar, a form of numbered fields as its
// client area and a status bar; a message queue; file dialog, help viewer, printing.
// Program code reaches the screen, keyboard and printer only through these calls.
// Every call that names a field the form lacks, or comes before the window has its
// form, does nothing (a get returns its empty value).

namespace toolkit {

// Message types the program uses.
inline constexpr int kMenuSelection = 2;  // value[0] = menu id, value[1] = -1
inline constexpr int kCloseRequest = 9;   // value[0] = value[1] = -1
inline constexpr int kFieldChanged = 10;  // focus moved to another field, or a list changed
inline constexpr int kFieldPasted = 11;   // a paste or drop put several characters into a field

// The record of a message: the values its type gives (see above).
struct Message {
  std::array<int, 4> value{};
};

// Window flags of windowopen2.
inline constexpr int kSystemMenu = 1, kMinimiseBox = 2, kMaximiseBox = 4, kOpenMaximised = 8,
                     kStatusBar = 32, kFixedFrame = 64;

// File dialog flags of wselectfile2.
inline constexpr int kSaveDialog = 1, kAskOverwrite = 2, kPathNeedNotExist = 4, kKeepDirectory = 8,
                     kMultipleFiles = 16, kAppendExtension = 32, kMustExist = 128;

// Empty numeric fields read as these.
inline constexpr std::int32_t kEmptyInteger = -999;
inline constexpr float kEmptyReal = kEmptyInteger;

// A fixed-point real format: `width` characters, `decimals` after the point.
struct RealFormat {
  int width = 0;
  int decimals = 0;
};

void winitialise();
// Opens the main window with menu `menuId` and form `formId` (both registered first,
// see resource.h). No position and size: placed by the toolkit; a child-style form
// sizes the window to the form plus the status bar, with a fixed frame.
void windowopen2(int flags, int menuId, int formId, std::string_view title);
void windowclose();
// Widths in window units (0..9999 across the client width); -1 extends to the right edge.
void windowstatusbarparts(std::span<const int> widths);
// Shows the text without its trailing blanks; a leading tab centres it in its part.
void windowoutstatusbar(int part, std::string_view text);

void wmessageenable(int type, int on);
// Queues a message of `type` with value[0] = `value` from any thread: the event loop's
// thread takes it as it takes the toolkit's own. Dropped once the program has no
// application object.
void wmessagepost(int type, int value);
// Blocks (running the event loop) until the next message.
void wmessage(int& type, Message& message);

// Field transfer. A numeric field holds the number last put or typed: a real is shown in
// its field format, and the gets return that number, not the shown digits. A value put
// from outside the field's range is shown too (an overflow mark of '*' where its digits do
// not fit; an empty field for the empty value), tinted and explained in a tooltip, and may
// be left unchanged; once edited, the range applies to the typed text.
void wdialogputstring(int id, std::string_view text);
void wdialogputinteger(int id, std::int32_t value);
void wdialogputreal(int id, float value, std::optional<RealFormat> format = std::nullopt);
std::string wdialoggetstring(int id);    // the field's whole text
std::int32_t wdialoggetinteger(int id);  // kEmptyInteger when empty
float wdialoggetreal(int id);            // kEmptyReal when empty
void wdialograngeinteger(int id, std::int32_t min, std::int32_t max);
void wdialograngereal(int id, float min, float max);
// 1-based item of a list; typed text equal to an item counts as that item; other
// text gives 0; no selection and no text gives -999.
int wdialoggetmenu1(int id);

// A numeric field cannot be left holding text that is not a number within its range, nor
// a list holding text that is none of its items. Each refusal beeps and shows at the field
// what it accepts, named as its Control's `name` ("Ballast Factor: from 0.85 to 1.5"),
// until the field is left with an accepted text. This refuses the field's text in the same
// way when it is one that may not be left (for a command that cannot use it), giving the
// field the focus; returns whether it did.
bool holdRefusedText(int id);
// As holdRefusedText, for the field of the form that has the focus (or had it last, while
// a menu or dialog has it): a command about to read the form calls it first.
bool holdRefusedFocus();
// The id of the field of the form that has the focus, or had it last while a menu, a
// dialog or another window of the program has it; 0 for none.
int wdialogfocus();
// Brings the main window to the front and gives the field the focus.
void wdialogsetfocus(int id);
// Shows a note at the field, as a refusal does but without a beep, until the focus moves
// on from a field (or the next note).
void showFieldNote(int id, std::string_view text);
// The field's name and what it accepts, as its refusals say: "Ballast Factor: from 0.85
// to 1.5"; empty for a field the form lacks.
std::string acceptedText(int id);
// Selects the 1-based item of a list; other numbers do nothing. Reports no field change.
void wdialogputoption(int id, int item);

// Shows a file dialog. `filter` is pairs "description|pattern|". On OK `fileName`
// becomes the chosen full path and the result is true; on Cancel it is unchanged.
bool wselectfile2(std::string_view filter, int flags, std::string& fileName,
                  std::string_view title);

// Opens the help viewer on the file's contents (HTML or plain text).
void whelpfile1(std::string_view helpFile);

// Printing options of igrhardcopyoptions: the page orientation and its two values.
inline constexpr int kPageOrientation = 5;
inline constexpr int kLandscape = 1, kPortrait = 2;

void igrhardcopyoptions(int option, int value);
void whardcopyoptionstext();
// What igrhardcopytextfile did; true when the pages were printed.
struct HardcopyResult {
  std::string printer;  // the printer meant; empty for the PDF or when none is known
  std::string failure;  // why nothing was printed, e.g. "the printer is stopped"; empty if printed
  std::string pdfFile = {};  // the PDF written where there is no printer ("out.pdf"), else empty
  explicit operator bool() const { return failure.empty(); }
};

// Prints the file's lines in a fixed-pitch font on the default printer (through CUPS),
// or, only where the machine has no printer at all, into a PDF beside the file (out.dat
// gives out.pdf). Shows nothing. A printer that is set up but cannot print (stopped,
// refusing jobs, its server unreachable) is a failure, never a PDF.
[[nodiscard]] HardcopyResult igrhardcopytextfile(std::string_view fileName);

// A modal message box with an OK button, for errors the program reports.
void wmessagebox(std::string_view title, std::string_view text);

// A modal question with its buttons, given with '&' before each underlined letter.
// Returns the index of the button chosen: `defaultButton` is Enter's, `escapeButton` is
// Esc's and the close box's. Without a window to show it on, the default is taken.
int wquestion(std::string_view title, std::string_view text,
              std::span<const std::string_view> buttons, int defaultButton, int escapeButton);

// Marks of the program's own on a field: a background tint (none gives the field its
// plain look) and a tooltip (empty for none). Fields keep them until changed.
struct Tint {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Tint&) const = default;
};
void setFieldTint(int id, std::optional<Tint> tint);
void setFieldToolTip(int id, std::string_view text);

}  // namespace toolkit
