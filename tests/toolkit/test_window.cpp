#include "test_window.h"

#include <QApplication>
#include <QMainWindow>
#include <QTest>

#include "toolkit/qt_access.h"
#include "toolkit/resource.h"
#include "toolkit/toolkit.h"

namespace toolkit::test {
namespace {

Control control(int id, ControlKind kind, int x, int y, int width, std::string text = {}) {
  return makeControl(id, kind, x, y, width, 8, std::move(text));
}

void registerTestResources() {
  FormResource form;
  form.id = kFormId;
  form.width = 200;
  form.height = 120;
  form.fontFamily = "MS Sans Serif";
  form.controls = {
      control(kCaption, ControlKind::Label, 50, 6, 0, "Factor"),
      control(kFactor, ControlKind::Real, 10, 6, 30, "1.0000"),
      control(kLength, ControlKind::Real, 10, 20, 30),
      control(kWatts, ControlKind::Integer, 10, 34, 30, "34"),
      control(kDesign, ControlKind::Integer, 10, 48, 30),
      control(kName, ControlKind::Text, 10, 62, 50),
      control(kCeiling, ControlKind::List, 100, 6, 30),
      control(kComputed, ControlKind::Integer, 10, 76, 30, "7"),
      control(kLumens, ControlKind::Integer, 10, 90, 30, "2800"),
  };
  form.controls[1].name = "Factor";
  form.controls[3].name = "Watts";
  form.controls[5].characters = 8;
  form.controls[6].name = "Ceiling";
  form.controls[6].height = 72;
  form.controls[6].items = {"30", "50", "70", "80"};
  form.controls[6].selectedItem = 3;
  form.controls[7].enabled = false;
  form.controls[8].tabStop = false;
  registerForm(form);

  MenuItem open{kOpenItem, "&Open", "actionOpen", {}};
  MenuItem plan{kPlanItem, "Room &Plan", "actionPlan", {}, CommandKey::None, "Ctrl+R"};
  MenuItem schedule{kScheduleItem, "&Schedule", "actionSchedule", {}, CommandKey::None, "Ctrl+J"};
  MenuItem file{300, "&File", "menuFile", {open, plan, schedule}};
  MenuItem calculate{kCalculateItem, "&Calculate", "actionCalculate", {}};
  registerMenu(MenuResource{kMenuId, {file, calculate}});
}

}  // namespace

bool openTestWindow() {
  winitialise();
  registerTestResources();
  windowopen2(kSystemMenu | kMinimiseBox | kMaximiseBox | kStatusBar, kMenuId, kFormId,
              "Test window");
  QMainWindow* window = qt::mainWindow();
  return window != nullptr && QTest::qWaitForWindowActive(window);
}

void closeTestWindow() {
  windowclose();
  wmessageenable(kFieldChanged, 0);
  qt::clearMessages();
}

QWidget* field(int id) {
  return qt::fieldWidget(id);
}

bool pressTab() {
  QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr) return false;
  QTest::keyClick(focused, Qt::Key_Tab);
  // A refused leave returns the focus from a queued call.
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  return true;
}

}  // namespace toolkit::test
