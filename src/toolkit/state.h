#pragma once

#include <QMainWindow>
#include <QPointer>

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <variant>

#include "toolkit/resource.h"
#include "toolkit/toolkit.h"

class QEventLoop;
class QTextBrowser;
class QLabel;
class QStatusBar;
class QWidget;

namespace toolkit::detail {

struct Range {
  double min = 0.0;
  double max = 0.0;
};

// One numbered field of the open form.
struct Field {
  ControlKind kind = ControlKind::Label;
  QWidget* widget = nullptr;
  std::optional<Range> range;
  std::optional<RealFormat> format;  // real fields: the field format
  std::optional<float> held;         // real fields: the number last put or typed
  bool edited = false;               // the text was changed since the last put or commit
  bool shownValue = false;           // the field has shown a non-empty text
};

struct FileAnswer {
  bool ok = false;
  std::string name;  // empty with ok: the name the dialog proposes
};

struct State {
  QPointer<QMainWindow> mainWindow;
  std::map<int, Field> fields;
  QPointer<QStatusBar> statusBar;
  std::vector<QPointer<QLabel>> statusParts;
  std::vector<int> statusWidths;

  std::deque<std::pair<int, Message>> queue;  // message type and record
  std::set<int> enabledTypes;
  QEventLoop* waiting = nullptr;

  QPointer<QTextBrowser> helpViewer;
  bool landscape = false;
  int beeps = 0;

  // Answers given in advance by tests.
  std::deque<FileAnswer> fileAnswers;
  bool answerMessageBoxes = false;
  std::vector<std::string> messageBoxTexts;
  bool printToPdf = false;

  // Set while the toolkit itself changes a field's text, so that no edit is recorded.
  bool programmatic = false;
};

State& state();

// The field with this id, or nullptr when the open form lacks it.
Field* findField(int id);
// The id of the field that owns this widget (or one of its children), 0 if none.
int fieldIdOf(const QWidget* widget);

void beep();
void enqueue(int type, int value0, int value1);

const FormResource* findForm(int id);
const MenuResource* findMenu(int id);

}  // namespace toolkit::detail
