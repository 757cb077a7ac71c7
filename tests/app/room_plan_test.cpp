// The room plan window opened from the real form, following its row.

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>

#include "app/program.h"
#include "app_driver.h"
#include "form/field_ids.h"
#include "support/qt_helpers.h"
#include "toolkit/plan_window.h"
#include "toolkit/qt_access.h"
#include "toolkit/room_plan.h"
#include "toolkit/test_hooks.h"
#include "work_folder.h"

using namespace kandelor;

namespace {

using kandelor::testing::choose;
using kandelor::testing::pumpMessages;
using kandelor::testing::showActiveMainWindow;
using kandelor::testing::typeInto;

// The shipped files with the types' photometry; `withoutType` drops one type's line from
// photometry.dat.
void addPhotometry(const WorkFolder& folder, int withoutType = 0) {
  namespace fs = std::filesystem;
  const fs::path data = KANDELOR_DATA_DIR;
  fs::copy(data / "photometry", folder.path("photometry"), fs::copy_options::recursive);
  QByteArray index;
  QFile shipped(QString::fromStdString((data / "photometry.dat").string()));
  if (!shipped.open(QIODevice::ReadOnly)) return;
  for (const QByteArray& line : shipped.readAll().split('\n')) {
    if (!line.startsWith(QByteArray::number(withoutType) + ' ')) index += line + '\n';
  }
  folder.write("photometry.dat", index);
}

// The sample with the types' photometry, started in the window and calculated.
bool startCalculated(const WorkFolder& folder, AppState& state) {
  addPhotometry(folder);
  return startUp(state) && showActiveMainWindow() && choose(state, "actionCalculate");
}

toolkit::detail::PlanWindow* planWindow() {
  return dynamic_cast<toolkit::detail::PlanWindow*>(toolkit::qt::planWindow());
}

QString planTitle() {
  return planWindow() != nullptr ? planWindow()->windowTitle() : QString();
}

// Fixtures drawn, -1 while the window shows a note instead.
int planFixtures() {
  const auto* window = planWindow();
  if (window == nullptr || !window->canvas()->scene()) return -1;
  return static_cast<int>(window->canvas()->scene()->fixtures.size());
}

QString planNote() {
  return planWindow() != nullptr ? planWindow()->canvas()->note() : QString();
}

// Opens the field's context menu as a right click does and chooses "Room Plan...".
bool chooseRoomPlanFromMenu(AppState& state, int id) {
  QWidget* field = toolkit::qt::fieldWidget(id);
  if (field == nullptr) return false;
  bool chosen = false;
  QTimer::singleShot(0, [&chosen] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    if (auto* action = menu->findChild<QAction*>(QStringLiteral("roomPlanAction"))) {
      action->trigger();
      chosen = true;
    }
    menu->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), field->mapToGlobal(QPoint(4, 4)));
  QApplication::sendEvent(field, &event);
  pumpMessages(state);
  return chosen;
}

void doubleClick(AppState& state, int id) {
  QTest::mouseDClick(toolkit::qt::fieldWidget(id), Qt::LeftButton);
  pumpMessages(state);
}

void pressPlanKey(AppState& state, int id) {
  QTest::keyClick(toolkit::qt::fieldWidget(id), Qt::Key_R, Qt::ControlModifier);
  pumpMessages(state);
}

// Back in the form, as a click on it does once the plan window took the focus.
bool backToForm() {
  return showActiveMainWindow();
}

// Leaves a field as Tab would: the focus moves to another one.
void leaveFor(AppState& state, int id) {
  toolkit::qt::fieldWidget(id)->setFocus();
  pumpMessages(state);
}

}  // namespace

class RoomPlanTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { kandelor::testing::answerDialogsInAdvance(); }
  void cleanup() { kandelor::testing::closeWindowAndForgetAnswers(); }

  void opensFromAnyFieldOfARowByMenuDoubleClickAndKey() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startCalculated(folder, state));
    QVERIFY(!toolkit::wplanisopen());

    QVERIFY(chooseRoomPlanFromMenu(state, fieldId(1, Column::Name)));
    QVERIFY(toolkit::wplanisopen());
    QCOMPARE(planTitle(), QStringLiteral("Room Plan: Lobby (101)"));
    QCOMPARE(planFixtures(), 16);
    // The disabled fields of a row offer it too.
    QVERIFY(chooseRoomPlanFromMenu(state, fieldId(3, Column::Description)));
    QCOMPARE(planTitle(), QStringLiteral("Room Plan: Office-103 (103)"));

    // A double-click asks on Calc'd only; the key in any field of the row.
    doubleClick(state, fieldId(4, Column::Design));
    QCOMPARE(planTitle(), QStringLiteral("Room Plan: Office-103 (103)"));
    doubleClick(state, fieldId(5, Column::Calculated));
    QCOMPARE(planTitle(), QStringLiteral("Room Plan: Corridor (105)"));
    QCOMPARE(planFixtures(), 6);
    pressPlanKey(state, fieldId(2, Column::Length));
    QCOMPARE(planTitle(), QStringLiteral("Room Plan: Office-102 (102)"));
    QCOMPARE(planFixtures(), 4);
    // Fields outside the grid do not.
    pressPlanKey(state, kBallastFactorField);
    QCOMPARE(planTitle(), QStringLiteral("Room Plan: Office-102 (102)"));

    QTest::keyClick(planWindow(), Qt::Key_Escape);
    QVERIFY(!toolkit::wplanisopen());
    // Closed, it stays closed while the form works on.
    QVERIFY(choose(state, "actionCalculate"));
    QVERIFY(!toolkit::wplanisopen());
    QVERIFY(toolkit::testing::takeMessageBoxTexts().empty());
  }

  void followsItsRowThroughCalculationsPageSwitchesNewAndOpen() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startCalculated(folder, state));
    doubleClick(state, fieldId(5, Column::Calculated));
    QCOMPARE(planFixtures(), 6);

    // Typed, not yet calculated: the plan shows the last results.
    QVERIFY(backToForm());
    QVERIFY(typeInto(fieldId(5, Column::Quantity), "9"));
    leaveFor(state, fieldId(5, Column::Name));
    QCOMPARE(planFixtures(), 6);
    QVERIFY(choose(state, "actionCalculate"));
    QCOMPARE(planFixtures(), 9);

    QVERIFY(choose(state, "actionSpreadsheetOn"));
    QVERIFY(typeInto(fieldId(5, Column::Quantity), "4"));
    leaveFor(state, fieldId(5, Column::Name));
    QCOMPARE(planFixtures(), 4);
    QCOMPARE(planTitle(), QStringLiteral("Room Plan: Corridor (105)"));

    // The same row of the next page: row 5 of page 2 is not in use, row 1 is.
    QVERIFY(choose(state, "actionZonePage2"));
    QCOMPARE(planFixtures(), -1);
    QCOMPARE(planNote(), QStringLiteral("No plan: not in use."));
    QVERIFY(toolkit::wplanisopen());
    QVERIFY(chooseRoomPlanFromMenu(state, fieldId(1, Column::Number)));
    QCOMPARE(planTitle(), QStringLiteral("Room Plan: Laboratory (201)"));
    QVERIFY(choose(state, "actionZonePage1"));
    QCOMPARE(planTitle(), QStringLiteral("Room Plan: Lobby (101)"));
    QCOMPARE(planFixtures(), 16);

    // New shows the blank template's row, Open the opened project's.
    folder.write("sample.prj", folder.read("new.dat"));
    toolkit::testing::setNextQuestionAnswer("Don't Save");
    toolkit::testing::setNextFileName("fresh");
    QVERIFY(choose(state, "actionFileNew"));
    QCOMPARE(planNote(), QStringLiteral("No plan: not in use."));
    toolkit::testing::setNextQuestionAnswer("Don't Save");
    toolkit::testing::setNextFileName("sample.prj");
    QVERIFY(choose(state, "actionFileOpen"));
    QCOMPARE(planTitle(), QStringLiteral("Room Plan: Lobby (101)"));
    QCOMPARE(planFixtures(), 16);
  }

  void roomsWithoutAPlanSayWhy() {
    WorkFolder folder;
    addPhotometry(folder, 14);
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(showActiveMainWindow());
    QVERIFY(choose(state, "actionSpreadsheetOn"));
    pressPlanKey(state, fieldId(1, Column::Name));
    QCOMPARE(planFixtures(), 16);
    QVERIFY(backToForm());

    const auto after = [&](Column column, const char* text) {
      typeInto(fieldId(1, column), QString::fromLatin1(text));
      leaveFor(state, fieldId(1, Column::Name));
      return planNote();
    };
    QCOMPARE(after(Column::Quantity, "0"), QStringLiteral("No plan: no fixtures."));
    QVERIFY(!planWindow()->findChild<QPushButton*>(QStringLiteral("roomPlanSave"))->isEnabled());
    QCOMPARE(after(Column::Quantity, "16"), QString());
    QCOMPARE(after(Column::Height, "2.5"), QStringLiteral("No plan: height 2.5 ft or less."));
    QCOMPARE(after(Column::Height, "12"), QString());
    QCOMPARE(after(Column::FixtureNumber, "14"),
             QStringLiteral("No plan: no photometric data for type 14."));
    QCOMPARE(after(Column::FixtureNumber, "11"), QString());
    QCOMPARE(planFixtures(), 16);
  }

  void savesTheImageAsPngOrPdfNamedAfterTheRoom() {
    WorkFolder folder;
    addPhotometry(folder);
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(showActiveMainWindow());
    doubleClick(state, fieldId(1, Column::Calculated));
    auto* save = planWindow()->findChild<QPushButton*>(QStringLiteral("roomPlanSave"));
    QVERIFY(save != nullptr);

    toolkit::testing::setNextFileAccept();
    save->click();
    const QImage image(QString::fromStdString(folder.path("Lobby_101.png")));
    QCOMPARE(image.size(), QSize(1800, 1200));

    toolkit::testing::setNextFileName("lobby.pdf");
    save->click();
    QCOMPARE(folder.read("lobby.pdf").left(5), QByteArray("%PDF-"));
    QVERIFY(toolkit::testing::takeMessageBoxTexts().empty());
  }

  // The units switch shows the same plan in metres and lux, and keeps the choice for the
  // next room.
  void showsMetresAndLuxOnceSwitched() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startCalculated(folder, state));
    doubleClick(state, fieldId(1, Column::Calculated));
    auto* units = planWindow()->findChild<QComboBox*>(QStringLiteral("roomPlanUnits"));
    QVERIFY(units != nullptr);
    units->setCurrentIndex(0);
    const plan::PlanScene feet = *planWindow()->canvas()->scene();
    units->setCurrentIndex(1);
    const plan::PlanScene metres = *planWindow()->canvas()->scene();
    QCOMPARE(feet.lightUnit, std::string("fc"));
    QCOMPARE(metres.lightUnit, std::string("lx"));
    QCOMPARE(metres.lengthUnit, std::string("m"));
    QVERIFY(qFuzzyCompare(metres.length, feet.length * 0.3048));
    QVERIFY(qFuzzyCompare(metres.fixtures[5].x, feet.fixtures[5].x * 0.3048));
    QVERIFY(qFuzzyCompare(metres.maximum(), feet.maximum() / (0.3048 * 0.3048)));
    QVERIFY(QString::fromStdString(metres.figures[0].value).endsWith(QStringLiteral(" lx")));

    doubleClick(state, fieldId(5, Column::Calculated));
    QCOMPARE(planWindow()->canvas()->scene()->lightUnit, std::string("lx"));
    units = planWindow()->findChild<QComboBox*>(QStringLiteral("roomPlanUnits"));
    QCOMPARE(units->currentIndex(), 1);
    units->setCurrentIndex(0);  // as the other tests expect
  }

  // The light is computed off the event loop: the window says so over the old picture, a
  // result whose row has changed since is dropped for the new one, and neither closing
  // the plan nor ending the program waits for a computation under way.
  void computesOffTheEventLoopAndDropsStaleResults() {
    WorkFolder folder;
    auto state = std::make_unique<AppState>();
    QVERIFY(startCalculated(folder, *state));
    const int row = 1;
    // A big room, so that its light takes a while.
    QVERIFY(typeInto(fieldId(row, Column::Length), "100") &&
            typeInto(fieldId(row, Column::Width), "60") &&
            typeInto(fieldId(row, Column::Quantity), "40"));
    QVERIFY(choose(*state, "actionCalculate"));
    bool quit = false;
    dispatchMessage(*state, toolkit::kPlanRequest, {{fieldId(row, Column::Name)}}, quit);
    QVERIFY(state->planWorker && state->planWorker->busy());
    QCOMPARE(planWindow()->canvas()->busy(), QStringLiteral("Computing the light\u2026"));
    // The row changes while its light is computed: only the new light is drawn.
    QVERIFY(typeInto(fieldId(row, Column::Quantity), "12"));
    QVERIFY(choose(*state, "actionCalculate"));
    QCOMPARE(planFixtures(), 12);
    QVERIFY(planWindow()->canvas()->busy().isEmpty());

    // Closing the plan mid-computation keeps it closed; ending waits no more than a moment.
    QVERIFY(typeInto(fieldId(row, Column::Quantity), "30"));
    QVERIFY(choose(*state, "actionCalculate"));
    dispatchMessage(*state, toolkit::kPlanRequest, {{fieldId(row, Column::Name)}}, quit);
    QVERIFY(state->planWorker->busy());
    toolkit::wplanclose();
    pumpMessages(*state);
    QVERIFY(!toolkit::wplanisopen());
    dispatchMessage(*state, toolkit::kPlanRequest, {{fieldId(row, Column::Name)}}, quit);
    QVERIFY(state->planWorker->busy());
    toolkit::wplanclose();
    QElapsedTimer ending;
    ending.start();
    state.reset();
    QVERIFY2(ending.elapsed() < 1000, qPrintable(QString::number(ending.elapsed())));
    QVERIFY(!toolkit::wplanisopen());
  }
};

QTEST_MAIN(RoomPlanTest)
#include "room_plan_test.moc"
