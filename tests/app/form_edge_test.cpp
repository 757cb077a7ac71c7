#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <chrono>
#include <filesystem>
#include <string>

#include "app/program.h"
#include "app/recovery.h"
#include "app_driver.h"
#include "form/field_ids.h"
#include "model/project_file.h"
#include "support/qt_helpers.h"
#include "toolkit/qt_access.h"
#include "toolkit/test_hooks.h"
#include "toolkit/toolkit.h"
#include "work_folder.h"

using namespace kandelor;
using kandelor::testing::choose;
using kandelor::testing::joined;
using kandelor::testing::loadProject;
using kandelor::testing::showActiveMainWindow;
using kandelor::testing::textOf;
using kandelor::testing::typeInto;

namespace {

// The template with values no one could type on page 2: a huge length, a negative
// height, a lamp beyond the Lumens range and an empty ballast factor.
Project outOfRangeProject(const WorkFolder& folder) {
  Project project = loadProject(folder.path("xxx.dat"));
  RoomPage& page = project.page(2);
  page.row(3).name.assign("Hangar");
  page.row(3).length = 1e6f;
  page.row(4).height = -1.0f;
  page.defaults.lampLumens = 24000;
  page.defaults.ballastFactor = -999.0f;
  project.reflectances = ReflectanceChoices{3, 2};  // as the lists show them
  return project;
}

}  // namespace

class FormEdgeTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { kandelor::testing::answerDialogsInAdvance(); }
  void cleanup() { kandelor::testing::closeWindowAndForgetAnswers(); }

  // Values outside the form's ranges survive page switches, Print and Save bit for bit,
  // also when another project with other values on that page was shown before.
  void outOfRangeValuesSurviveEveryCommand() {
    WorkFolder folder;
    const Project wanted = outOfRangeProject(folder);
    QVERIFY(savedata(*std::make_unique<Project>(wanted), folder.path("bad.prj")));
    Project good = loadProject(folder.path("xxx.dat"));
    good.page(2).row(3).length = 45.0f;
    QVERIFY(savedata(good, folder.path("good.prj")));

    AppState state;
    QVERIFY(startUp(state));
    toolkit::testing::setNextFileName("good.prj");
    QVERIFY(choose(state, "actionFileOpen"));
    QVERIFY(choose(state, "actionZonePage2"));
    QCOMPARE(textOf(fieldId(3, Column::Length)), QStringLiteral("45.0"));
    toolkit::testing::setNextFileName("bad.prj");
    QVERIFY(choose(state, "actionFileOpen"));
    QCOMPARE(state.currentPage, 2);
    QVERIFY(textOf(fieldId(3, Column::Length)) != QStringLiteral("45.0"));
    QCOMPARE(toolkit::qt::fieldWidget(fieldId(3, Column::Length))->toolTip(),
             QStringLiteral("Length 1000000.0 lies outside 0 to 500"));

    toolkit::testing::setPrintToPdf(true);
    QVERIFY(choose(state, "actionPrint"));
    const QByteArray report = folder.read("out.dat");
    QVERIFY2(report.contains("Hangar        .      *****") && report.contains("24000"),
             report.constData());
    QVERIFY(choose(state, "actionZonePage1"));
    QVERIFY(choose(state, "actionZonePage2"));
    QVERIFY(choose(state, "actionFileSave"));
    QCOMPARE(QString::fromStdString(formatProject(loadProject(folder.path("bad.prj")))),
             QString::fromStdString(formatProject(wanted)));

    // Calculate computes nothing with an empty ballast factor, and says so at the field.
    const RoomPage before = state.page();
    QVERIFY(choose(state, "actionCalculate"));
    QVERIFY(state.page() == before);
    QCOMPARE(toolkit::qt::refusalNote(),
             QStringLiteral("Calculate needs a Ballast Factor: from 0.85 to 1.5."));
    QVERIFY(toolkit::qt::fieldWidget(fieldId(3, Column::Calculated))->styleSheet().isEmpty() ||
            !toolkit::qt::fieldWidget(fieldId(3, Column::Calculated))->styleSheet().contains('#'));

    // With a usable factor the room of negative height gets no result, and says why.
    QVERIFY(showActiveMainWindow());
    QVERIFY(typeInto(kBallastFactorField, "1"));
    QVERIFY(choose(state, "actionCalculate"));
    QCOMPARE(state.page().row(4).calculatedFootcandles, 0);
    QCOMPARE(toolkit::qt::fieldWidget(fieldId(4, Column::Calculated))->toolTip(),
             QStringLiteral("Not calculated: Height is negative."));
    QCOMPARE(state.page().row(3).length, 1e6f);
  }

  // A command chosen while the focused field holds text it refuses does not run: the file
  // and the results stay, the field keeps the focus and says what it takes.
  void commandsDoNotRunOnRefusedText() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(showActiveMainWindow());
    const QByteArray saved = folder.read("new.dat");
    const struct {
      int field;
      const char* text;
      const char* note;
    } cases[] = {
        {kBallastFactorField, "", "Ballast Factor: from 0.85 to 1.5"},
        {fieldId(2, Column::Length), "-5", "Length: from 0 to 500"},
        {fieldId(2, Column::Quantity), "+", "Qty.: from 0 to 100"},
    };
    for (const auto& c : cases) {
      QVERIFY(typeInto(c.field, c.text));
      if (QString(c.text).isEmpty())
        QTest::keyClick(toolkit::qt::fieldWidget(c.field), Qt::Key_Delete);
      for (const char* action : {"actionCalculate", "actionFileSave", "actionPrint",
                                 "actionZonePage2", "actionFileSaveAs"}) {
        const RoomPage before = state.page();
        const int beeps = toolkit::qt::beepCount();
        QVERIFY(choose(state, action));
        QVERIFY2(state.page() == before,
                 qPrintable(QString(action) + " " + toolkit::qt::refusalNote() + " " +
                            QString::number(state.page().defaults.ballastFactor)));
        QCOMPARE(state.currentPage, 1);
        QCOMPARE(folder.read("new.dat"), saved);
        QCOMPARE(toolkit::qt::beepCount(), beeps + 1);
        QVERIFY2(toolkit::qt::refusalNote().startsWith(c.note),
                 qPrintable(toolkit::qt::refusalNote()));
        QCOMPARE(QApplication::focusWidget(), toolkit::qt::fieldWidget(c.field));
      }
      QVERIFY(!folder.exists("out.dat"));
      // Exit: Save is held back and the program stays; Don't Save ends it unread.
      bool quit = true;
      toolkit::testing::setNextQuestionAnswer("Save");
      QVERIFY(choose(state, "actionExit", &quit));
      QVERIFY(!quit);
      QCOMPARE(folder.read("new.dat"), saved);
      QVERIFY(typeInto(c.field, "1"));
      QTest::keyClick(toolkit::qt::fieldWidget(c.field), Qt::Key_Tab);
    }
    toolkit::testing::setNextQuestionAnswer("Don't Save");
    QVERIFY(typeInto(fieldId(2, Column::Length), "-5"));
    bool quit = false;
    QVERIFY(choose(state, "actionExit", &quit));
    QVERIFY(quit);
    QCOMPARE(folder.read("new.dat"), saved);
  }

  // At start-up the recovery copies of every project in the folder are offered, newest
  // first; Restore opens that project with its changes, and its rows show no stale tint.
  void everyRecoveryCopyIsOfferedAtStartUp() {
    WorkFolder folder;
    Project school = loadProject(folder.path("xxx.dat"));
    school.page(1).row(1).name.assign("Gym");
    QVERIFY(savedata(school, folder.path("school.prj")));
    Project changed = school;
    changed.page(1).row(1).name.assign("Gym changed");
    changed.page(1).row(1).quantity = 14;  // results still of the quantity before
    QVERIFY(savedata(changed, recoveryFileName(folder.path("school.prj"))));
    Project office = loadProject(folder.path("new.dat"));
    QVERIFY(savedata(office, recoveryFileName(folder.path("office.prj"))));
    std::filesystem::last_write_time(
        recoveryFileName(folder.path("office.prj")),
        std::filesystem::last_write_time(recoveryFileName(folder.path("school.prj"))) -
            std::chrono::minutes(1));

    {
      AppState state;
      toolkit::testing::setNextQuestionAnswer("Later");
      toolkit::testing::setNextQuestionAnswer("Later");
      QVERIFY(startUp(state));
      const QString asked = joined(toolkit::testing::takeQuestionTexts());
      QVERIFY2(asked.contains("\"school.prj\"") && asked.contains("\"office.prj\""),
               qPrintable(asked));
      QCOMPARE(state.currentFileName, std::string("new.dat"));
      toolkit::windowclose();
    }
    AppState state;
    toolkit::testing::setNextQuestionAnswer("Restore");
    QVERIFY(startUp(state));
    const auto asked = toolkit::testing::takeQuestionTexts();
    QCOMPARE(asked.size(), std::size_t{1});
    QVERIFY2(QString::fromStdString(asked[0]).contains("school.prj"), asked[0].c_str());
    QVERIFY(QString::fromStdString(state.currentFileName).endsWith("school.prj"));
    QCOMPARE(textOf(fieldId(1, Column::Name)), QStringLiteral("Gym changed"));
    for (int r = 1; r <= kRowCount; ++r) {
      const QWidget* calculated = toolkit::qt::fieldWidget(fieldId(r, Column::Calculated));
      QVERIFY(!calculated->styleSheet().contains('#'));
      const QString tip = calculated->toolTip();
      QVERIFY2(tip.isEmpty() || tip == "Calculate to update." || tip.startsWith("Not calculated"),
               qPrintable(tip));
    }
    QVERIFY(folder.exists(".office.prj.recovery"));  // kept for later
  }

  // The No. field names the type its number stands for once the field is left.
  void fixtureNumberNamesItsType() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(showActiveMainWindow());
    const int number = fieldId(3, Column::FixtureNumber);
    QVERIFY(typeInto(number, "7"));
    QTest::keyClick(toolkit::qt::fieldWidget(number), Qt::Key_Tab);
    kandelor::testing::pumpMessages(state);
    const FixtureType* strip = state.catalogue.find(7);
    QVERIFY(strip != nullptr);
    QCOMPARE(toolkit::qt::fieldWidget(number)->toolTip(),
             QStringLiteral("7: %1, %2 lamps")
                 .arg(QString::fromStdString(std::string(strip->description.trimmed())))
                 .arg(strip->lampsPerFixture));
    QVERIFY(typeInto(number, "0"));
    QTest::keyClick(toolkit::qt::fieldWidget(number), Qt::Key_Tab);
    kandelor::testing::pumpMessages(state);
    QCOMPARE(toolkit::qt::fieldWidget(number)->toolTip(), QStringLiteral("0: no fixture"));
  }
};

QTEST_MAIN(FormEdgeTest)
#include "form_edge_test.moc"
