// The project schedule window opened from the View menu of the real window.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <filesystem>

#include "app/program.h"
#include "app/recovery.h"
#include "app/unsaved_work.h"
#include "app_driver.h"
#include "form/field_ids.h"
#include "support/qt_helpers.h"
#include "toolkit/project_schedule.h"
#include "toolkit/qt_access.h"
#include "toolkit/test_hooks.h"
#include "work_folder.h"

using namespace kandelor;

namespace {

using kandelor::testing::choose;
using kandelor::testing::loadProject;
using kandelor::testing::pumpMessages;
using kandelor::testing::showActiveMainWindow;
using kandelor::testing::typeInto;

// The sample with the types' photometry and the space types beside it.
bool startWithSchedule(const WorkFolder& folder, AppState& state) {
  namespace fs = std::filesystem;
  const fs::path data = KANDELOR_DATA_DIR;
  fs::copy(data / "photometry", folder.path("photometry"), fs::copy_options::recursive);
  for (const char* name : {"photometry.dat", "space_types.csv"}) {
    fs::copy_file(data / name, folder.path(name));
  }
  return startUp(state) && showActiveMainWindow() && choose(state, "actionViewProjectSchedule");
}

QWidget* scheduleWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == QStringLiteral("projectScheduleWindow") && widget->isVisible())
      return widget;
  }
  return nullptr;
}

QTableWidget* rooms() {
  QWidget* window = scheduleWindow();
  return window ? window->findChild<QTableWidget*>(QStringLiteral("scheduleRooms")) : nullptr;
}

int columnOf(const QString& heading) {
  for (int c = 0; c < rooms()->columnCount(); ++c) {
    if (rooms()->horizontalHeaderItem(c)->text() == heading) return c;
  }
  return -1;
}

// The row of the table that shows the room, as sorted now.
int rowOfRoom(int room) {
  const int column = columnOf(QStringLiteral("Room"));
  for (int r = 0; r < rooms()->rowCount(); ++r) {
    if (rooms()->item(r, column)->text() == QString::number(room)) return r;
  }
  return -1;
}

QString cell(int room, const char* heading) {
  const int row = rowOfRoom(room);
  const int column = columnOf(QString::fromUtf8(heading));
  if (row < 0 || column < 0 || rooms()->item(row, column) == nullptr) return {};
  return rooms()->item(row, column)->text();
}

QComboBox* spaceTypeChooser(int room) {
  return qobject_cast<QComboBox*>(
      rooms()->cellWidget(rowOfRoom(room), columnOf(QStringLiteral("Space type"))));
}

// What the command writes for the file, run in the folder.
QByteArray commandCsv(const WorkFolder& folder, const char* project) {
  QProcess command;
  command.setWorkingDirectory(QString::fromStdString(folder.path(".")));
  command.start(QStringLiteral(KANDELOR_SCHEDULE),
                {QString::fromUtf8(project), QStringLiteral("--csv"), QStringLiteral("-")});
  if (!command.waitForFinished(60000)) return {};
  return command.readAllStandardOutput();
}

bool exportCsv(AppState& state, const char* name) {
  QPushButton* button =
      scheduleWindow()->findChild<QPushButton*>(QStringLiteral("scheduleExportCsv"));
  if (button == nullptr || !button->isEnabled()) return false;
  toolkit::testing::setNextFileName(name);
  button->click();
  pumpMessages(state);
  return true;
}

}  // namespace

class ProjectScheduleTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { kandelor::testing::answerDialogsInAdvance(); }
  void cleanup() { kandelor::testing::closeWindowAndForgetAnswers(); }

  void listsFollowsAndExportsWhatTheCommandWrites() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startWithSchedule(folder, state));
    QVERIFY(scheduleWindow() != nullptr);
    // Every room in use of the five pages, with its light once computed.
    QCOMPARE(rooms()->rowCount(), 10);
    QCOMPARE(cell(5, "Verdict"), QStringLiteral("high"));
    QCOMPARE(cell(5, "Spacing"), QStringLiteral("too wide along"));
    QCOMPARE(cell(5, "Avg fc"), QStringLiteral("19.8"));

    QVERIFY(exportCsv(state, "window.csv"));
    const QByteArray command = commandCsv(folder, "new.dat");
    QVERIFY(!command.isEmpty());
    QCOMPARE(folder.read("window.csv"), command);

    // Typed and calculated: the room's row follows, its light computed anew.
    QVERIFY(showActiveMainWindow());
    QVERIFY(typeInto(fieldId(5, Column::Quantity), "3"));
    QVERIFY(choose(state, "actionCalculate"));
    QCOMPARE(cell(5, "Qty"), QStringLiteral("3"));
    QCOMPARE(cell(5, "Layout"), QStringLiteral("1\u00d73"));

    // A double-click shows the room's page with the focus in its row.
    const int row = rowOfRoom(21);
    QVERIFY(row >= 0);
    const QPoint at = rooms()->visualItemRect(rooms()->item(row, 0)).center();
    QTest::mouseClick(rooms()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(rooms()->viewport(), Qt::LeftButton, {}, at);
    pumpMessages(state);
    QCOMPARE(state.currentPage, 2);
    QCOMPARE(toolkit::wdialogfocus(), fieldId(2, Column::Name));
    QVERIFY(toolkit::testing::takeMessageBoxTexts().empty());
  }

  void aChosenSpaceTypeIsUnsavedWorkSavedRecoveredAndChecked() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startWithSchedule(folder, state));
    QCOMPARE(cell(3, "Allowance"), QString());
    QComboBox* chooser = spaceTypeChooser(3);
    QVERIFY(chooser != nullptr);
    const int choice = chooser->findText(QStringLiteral("office-enclosed"));
    chooser->setCurrentIndex(choice);
    emit chooser->activated(choice);  // as a choice by the user reports it
    pumpMessages(state);
    QVERIFY(hasUnsavedWork(state));
    QVERIFY(!cell(3, "Allowance").isEmpty());
    QVERIFY(!cell(3, "Em target").isEmpty());
    // The recovery copy holds the choice, as a start after a crash would restore it.
    QCOMPARE(loadProject(recoveryFileName(folder.path("new.dat"))).spaceType(3),
             std::string("office-enclosed"));

    QVERIFY(choose(state, "actionFileSave"));
    QVERIFY(!hasUnsavedWork(state));
    QCOMPARE(loadProject(folder.path("new.dat")).spaceType(3), std::string("office-enclosed"));
    // The command reads the choice from the file as the window shows it.
    QVERIFY(exportCsv(state, "window.csv"));
    QCOMPARE(folder.read("window.csv"), commandCsv(folder, "new.dat"));
    QVERIFY(folder.read("window.csv").contains("office-enclosed"));
  }
};

QTEST_MAIN(ProjectScheduleTest)
#include "project_schedule_test.moc"
