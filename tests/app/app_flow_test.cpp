#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include "app/program.h"
#include "app/report.h"
#include "app_driver.h"
#include "calc/catalogue.h"
#include "form/field_ids.h"
#include "model/project_file.h"
#include "model/text_file.h"
#include "support/qt_helpers.h"
#include "toolkit/qt_access.h"
#include "toolkit/qt_text.h"
#include "toolkit/test_hooks.h"
#include "toolkit/toolkit.h"
#include "work_folder.h"

using namespace kandelor;

namespace {

using kandelor::testing::choose;
using kandelor::testing::joined;
using kandelor::testing::loadProject;
using kandelor::testing::pumpMessages;
using kandelor::testing::showActiveMainWindow;
using kandelor::testing::textOf;
using kandelor::testing::typeInto;

QLineEdit* edit(int id) {
  return qobject_cast<QLineEdit*>(toolkit::qt::fieldWidget(id));
}

// Row 1: the worked example's room, 20 x 15 x 9 ft with 6 fixtures of type 1.
bool typeExampleRoom() {
  return typeInto(fieldId(1, Column::Length), "20") && typeInto(fieldId(1, Column::Width), "15") &&
         typeInto(fieldId(1, Column::Height), "9") &&
         typeInto(fieldId(1, Column::FixtureNumber), "1") &&
         typeInto(fieldId(1, Column::Quantity), "6");
}

// A catalogue whose type 1 has 2 lamps and a CU of 65 at RCR 3 in every column.
void writeExampleCatalogue(const WorkFolder& folder) {
  FixtureCatalogue catalogue;
  for (int n = 1; n <= kFixtureTypeCount; ++n) {
    FixtureType& fixture = catalogue.types[static_cast<std::size_t>(n - 1)];
    fixture.description.assign("Type" + std::to_string(n));
    fixture.lampsPerFixture = 2;
    for (auto& column : fixture.cuPercent) column = {80, 72, 65, 58, 52, 47, 42, 38, 34, 31};
  }
  folder.write("light.dat", QByteArray::fromStdString(formatLightDat(catalogue)));
  folder.write("Type.dat", QByteArray::fromStdString(formatTypeDat(catalogue)));
}

// Output of a poppler tool; null when it is missing or fails.
QString popplerOutput(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(20000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The test printers of scripts/cups-printer.sh; the folder where cups-pdf writes is empty
// when they are not set up.
QString printerOutputFolder() {
  return qEnvironmentVariable("KANDELOR_TEST_PRINTER_OUTPUT");
}
constexpr const char* kNoPrinters =
    "needs the CUPS test printers: run 'eval \"$(bash scripts/cups-printer.sh start)\"' as root";

// The first complete PDF that cups-pdf writes for a job of that title, other than those
// already there; empty when none comes within a minute.
QString awaitPrintedPdf(const QString& title, const QStringList& before) {
  const QDir folder(printerOutputFolder());
  const QDeadlineTimer deadline(60000);
  do {
    for (const QString& name : folder.entryList({title + "*.pdf"}, QDir::Files)) {
      const QString file = folder.filePath(name);
      if (!before.contains(name) && popplerOutput("pdfinfo", {file}).contains("Pages:")) {
        return file;
      }
    }
    QTest::qWait(200);
  } while (!deadline.hasExpired());
  return {};
}

// Sets environment variables for the life of the object.
class EnvironmentOverride {
 public:
  void set(const char* name, const QString& value) {
    saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
    qputenv(name, value.toUtf8());
  }
  ~EnvironmentOverride() {
    for (const auto& [name, value, wasSet] : saved_) {
      if (wasSet)
        qputenv(name, value);
      else
        qunsetenv(name);
    }
  }

 private:
  struct Saved {
    const char* name;
    QByteArray value;
    bool wasSet;
  };
  std::vector<Saved> saved_;
};

}  // namespace

class AppFlowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { kandelor::testing::answerDialogsInAdvance(); }
  void cleanup() { kandelor::testing::closeWindowAndForgetAnswers(); }

  void startUpShowsPageOneOfNewDat() {
    WorkFolder folder;
    const QByteArray before = folder.read("new.dat");
    AppState state;
    QVERIFY(startUp(state));
    const Project shipped = loadProject(folder.path("new.dat"));
    QVERIFY(state.project == shipped);
    QCOMPARE(textOf(fieldId(1, Column::Name)),
             toolkit::detail::toQString(shipped.page(1).row(1).name.trimmed()));
    QCOMPARE(toolkit::wdialoggetmenu1(kCeilingReflectanceList), 3);
    QCOMPARE(toolkit::wdialoggetmenu1(kWallReflectanceList), 2);
    QVERIFY(toolkit::qt::statusBarText(1).contains("Seattle"));
    QVERIFY(toolkit::qt::statusBarText(2).contains("Kandelor"));
    QVERIFY(toolkit::testing::takeMessageBoxTexts().empty());
    QCOMPARE(folder.read("new.dat"), before);
  }

  // A missing start-up project leaves an empty one to work in; one that cannot be read
  // whole, or a broken catalogue, stops the program without writing anything.
  void startUpReportsBrokenFiles() {
    {
      WorkFolder folder;
      folder.remove("new.dat");
      AppState state;
      QVERIFY(startUp(state));
      QVERIFY(joined(toolkit::testing::takeMessageBoxTexts()).contains("new.dat"));
      QVERIFY(state.project == Project{});
      QVERIFY(!folder.exists("new.dat"));
      toolkit::windowclose();
    }
    {
      WorkFolder folder;
      const QByteArray cut = folder.read("new.dat").left(500);
      folder.write("new.dat", cut);
      AppState state;
      QVERIFY(!startUp(state));
      const QString message = joined(toolkit::testing::takeMessageBoxTexts());
      QVERIFY2(message.contains("new.dat") && message.contains("line"), qPrintable(message));
      QCOMPARE(folder.read("new.dat"), cut);
      toolkit::windowclose();
    }
    {
      WorkFolder folder;
      folder.write("light.dat", folder.read("light.dat").left(300));
      AppState state;
      QVERIFY(!startUp(state));
      QVERIFY(joined(toolkit::testing::takeMessageBoxTexts()).contains("light.dat"));
    }
  }

  void saveRightAfterStartUpWritesNewDat() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(typeInto(fieldId(1, Column::Name), "Atrium"));
    QVERIFY(choose(state, "actionFileSave"));
    QCOMPARE(std::string(loadProject(folder.path("new.dat")).page(1).row(1).name.trimmed()),
             std::string("Atrium"));
  }

  // Edits reach the file at the switch; coming back shows them, with "." for blanks.
  void pageSwitchSavesAndShowsThePage() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(choose(state, "actionZonePage2"));
    QCOMPARE(state.currentPage, 2);
    QCOMPARE(toolkit::qt::statusBarText(1), QStringLiteral(" Page 2"));
    QVERIFY(typeInto(fieldId(2, Column::Length), "12.25"));
    QVERIFY(typeInto(fieldId(2, Column::Name), "Lab"));
    QVERIFY(choose(state, "actionZonePage4"));
    QCOMPARE(state.currentPage, 4);
    QCOMPARE(toolkit::qt::statusBarText(1), QStringLiteral(" Page 4"));
    QCOMPARE(toolkit::qt::statusBarText(3), QStringLiteral(" Room #s 58 -> 76"));

    const Project saved = loadProject(folder.path("new.dat"));
    QCOMPARE(std::string(saved.page(2).row(2).name.trimmed()), std::string("Lab"));
    QCOMPARE(saved.page(2).row(2).length, 12.25f);

    QVERIFY(choose(state, "actionZonePage2"));
    QCOMPARE(textOf(fieldId(2, Column::Name)), QStringLiteral("Lab"));
    QCOMPARE(textOf(fieldId(2, Column::Length)), QStringLiteral("12.3"));
    QCOMPARE(state.page().row(2).length, 12.25f);
    QCOMPARE(textOf(fieldId(19, Column::Number)), QStringLiteral("."));
    QVERIFY(toolkit::testing::takeMessageBoxTexts().empty());
  }

  // A switch whose save fails stays on its page with the edits still on the form.
  void failedSaveStopsThePageSwitch() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    state.currentFileName = folder.path("missing-folder/project.prj");
    QVERIFY(typeInto(fieldId(1, Column::Name), "Kept"));
    QVERIFY(choose(state, "actionZonePage3"));
    QCOMPARE(state.currentPage, 1);
    QCOMPARE(textOf(fieldId(1, Column::Name)), QStringLiteral("Kept"));
    QVERIFY(joined(toolkit::testing::takeMessageBoxTexts()).contains("project.prj"));
    // Save As onto a name that cannot be written (here a folder) keeps the old name.
    QVERIFY(QDir().mkdir(QString::fromStdString(folder.path("taken.prj"))));
    toolkit::testing::setNextFileName("taken.prj");
    toolkit::testing::setNextQuestionAnswer("Replace");
    QVERIFY(choose(state, "actionFileSaveAs"));
    QVERIFY(joined(toolkit::testing::takeMessageBoxTexts()).contains("taken.prj"));
    QCOMPARE(state.currentFileName, folder.path("missing-folder/project.prj"));
    QVERIFY(toolkit::qt::statusBarText(1) != QStringLiteral(" Project Name"));
  }

  // Cancel changes nothing; OK takes the template and the chosen name, writing no file
  // until the next save.
  void newProjectAsksFirst() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(typeInto(fieldId(1, Column::Name), "Edited"));
    toolkit::testing::setNextQuestionAnswer("Don't Save");
    toolkit::testing::setNextFileCancel();
    QVERIFY(choose(state, "actionFileNew"));
    QCOMPARE(state.currentFileName, std::string("new.dat"));
    QCOMPARE(textOf(fieldId(1, Column::Name)), QStringLiteral("Edited"));

    QVERIFY(
        choose(state, "actionZonePage5"));  // page 5, so the status bar must name page 5 after New
    toolkit::testing::setNextFileName("fresh");
    QVERIFY(choose(state, "actionFileNew"));
    QVERIFY(QString::fromStdString(state.currentFileName).endsWith("fresh.prj"));
    QVERIFY(!folder.exists("fresh.prj"));
    QVERIFY(state.project == loadProject(folder.path("xxx.dat")));
    QCOMPARE(state.currentPage, 5);
    QCOMPARE(toolkit::qt::statusBarText(1), QStringLiteral(" Page 5"));
    QCOMPARE(toolkit::qt::statusBarText(3), QStringLiteral(" Room #s 77 -> 95"));
    QVERIFY(toolkit::qt::statusBarText(2).endsWith("fresh.prj"));

    QVERIFY(typeInto(fieldId(3, Column::Name), "Hall"));
    QVERIFY(choose(state, "actionFileSave"));
    QVERIFY(folder.exists("fresh.prj"));
    QCOMPARE(std::string(loadProject(folder.path("fresh.prj")).page(5).row(3).name.trimmed()),
             std::string("Hall"));
    QVERIFY(state.project.page(1) == loadProject(folder.path("xxx.dat")).page(1));
  }

  // New proposes Untitled.prj, then Untitled2.prj, beside the current file; the template
  // itself, under any name that reaches it, is refused and changes nothing.
  void newProposesUntitledAndNeverWritesTheTemplate() {
    WorkFolder folder;
    const QByteArray templateBytes = folder.read("xxx.dat");
    const QString templatePath = QString::fromStdString(folder.path("xxx.dat"));
    const QDateTime templateTime = QFileInfo(templatePath).lastModified();
    AppState state;
    QVERIFY(startUp(state));
    toolkit::testing::setNextFileAccept();
    QVERIFY(choose(state, "actionFileNew"));
    QCOMPARE(state.currentFileName, folder.path("Untitled.prj"));
    QVERIFY(typeInto(fieldId(1, Column::Name), "Fresh"));
    QVERIFY(choose(state, "actionFileSave"));
    QCOMPARE(std::string(loadProject(folder.path("Untitled.prj")).page(1).row(1).name.trimmed()),
             std::string("Fresh"));
    toolkit::testing::setNextFileAccept();
    QVERIFY(choose(state, "actionFileNew"));
    QCOMPARE(state.currentFileName, folder.path("Untitled2.prj"));
    QVERIFY(choose(state, "actionZonePage2"));
    QVERIFY(folder.exists("Untitled2.prj"));

    QVERIFY(QFile::link(templatePath, QString::fromStdString(folder.path("link.dat"))));
    QVERIFY(typeInto(fieldId(1, Column::Name), "Kept"));
    const Project before = state.project;
    for (const char* name : {"xxx.dat", "link.dat"}) {
      toolkit::testing::setNextQuestionAnswer("Don't Save");
      toolkit::testing::setNextFileName(name);
      QVERIFY(choose(state, "actionFileNew"));
      QVERIFY(joined(toolkit::testing::takeMessageBoxTexts()).contains("xxx.dat"));
      QCOMPARE(state.currentFileName, folder.path("Untitled2.prj"));
      QVERIFY(state.project == before);
      QCOMPARE(textOf(fieldId(1, Column::Name)), QStringLiteral("Kept"));
    }
    QCOMPARE(folder.read("xxx.dat"), templateBytes);
    QCOMPARE(QFileInfo(templatePath).lastModified(), templateTime);
  }

  // Line breaks and tabs pasted into a text field become blanks, so the file keeps its
  // 2,155 lines and reads back to what the form shows.
  void pastedLineBreaksStayOutOfTheFile() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QLineEdit* name = edit(fieldId(1, Column::Name));
    QLineEdit* number = edit(fieldId(1, Column::Number));
    QVERIFY(typeInto(fieldId(1, Column::Name), ""));
    QApplication::clipboard()->setText("Hall\nEast\t1\r\n");
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(typeInto(fieldId(1, Column::Number), ""));
    QApplication::clipboard()->setText("A\r\nB\x7f\x01");
    QTest::keyClick(number, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(name->text(), QStringLiteral("Hall East 1  "));
    QCOMPARE(number->text(), QStringLiteral("A  B  "));
    QVERIFY(choose(state, "actionZonePage2"));
    QVERIFY(choose(state, "actionZonePage1"));
    QCOMPARE(folder.read("new.dat").count('\n'), 2156);  // the layout and the reflectances
    const RoomRow saved = loadProject(folder.path("new.dat")).page(1).row(1);
    QCOMPARE(std::string(saved.name.trimmed()), std::string("Hall East 1"));
    QCOMPARE(std::string(saved.number.trimmed()), std::string("A  B"));
    QCOMPARE(name->text(), QStringLiteral("Hall East 1"));
  }

  // Texts of several-byte characters, at and beyond their widths, are cut by characters
  // and come back unchanged from two page switches.
  void utf8TextsSurvivePageSwitches() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    const QString mask = QString("Foyer ") + QChar(0xD83C) + QChar(0xDFAD);  // Foyer 🎭
    const struct {
      int row;
      Column column;
      QString typed;
      QString kept;
    } texts[] = {
        {1, Column::Name, "Büro Südflügel", "Büro Südflüge"},
        {2, Column::Name, "Lüftungsräume", "Lüftungsräume"},
        {3, Column::Name, mask + " Süd-Ost", mask + " Süd-O"},
        {1, Column::Number, "Räum 12", "Räum 1"},
        {2, Column::Number, "Nº 12ä", "Nº 12ä"},
        {3, Column::Number, "ü" + mask.mid(6) + "12ßxy", "ü" + mask.mid(6) + "12ßx"},
    };
    for (const auto& t : texts) {
      QLineEdit* field = edit(fieldId(t.row, t.column));
      field->setFocus();
      field->selectAll();
      field->insert(t.typed);
      QCOMPARE(field->text(), t.kept);
    }
    QVERIFY(choose(state, "actionZonePage2"));
    QVERIFY(choose(state, "actionZonePage1"));
    for (const auto& t : texts) {
      QCOMPARE(textOf(fieldId(t.row, t.column)), t.kept);
      const RoomRow& row = state.page().row(t.row);
      const std::string_view stored =
          t.column == Column::Name ? row.name.trimmed() : row.number.trimmed();
      QCOMPARE(toolkit::detail::toQString(stored), t.kept);
    }
  }

  // Open: Cancel keeps the form's edits; a file that cannot be read changes nothing.
  void openKeepsEverythingOnCancelAndOnBadFiles() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(typeInto(fieldId(1, Column::Name), "Unsaved"));
    toolkit::testing::setNextQuestionAnswer("Don't Save");
    toolkit::testing::setNextFileCancel();
    QVERIFY(choose(state, "actionFileOpen"));
    QCOMPARE(textOf(fieldId(1, Column::Name)), QStringLiteral("Unsaved"));

    folder.write("bad.prj", folder.read("new.dat").left(2000) + "not-a-number\n");
    const Project before = state.project;
    toolkit::testing::setNextQuestionAnswer("Don't Save");
    toolkit::testing::setNextFileName("bad.prj");
    QVERIFY(choose(state, "actionFileOpen"));
    const QString message = joined(toolkit::testing::takeMessageBoxTexts());
    QVERIFY2(message.contains("bad.prj") && message.contains("line"), qPrintable(message));
    QVERIFY(state.project == before);
    QCOMPARE(state.currentFileName, std::string("new.dat"));
    QCOMPARE(textOf(fieldId(1, Column::Name)), QStringLiteral("Unsaved"));

    folder.write("good.prj",
                 QByteArray::fromStdString(formatProject(loadProject(folder.path("xxx.dat")))));
    toolkit::testing::setNextQuestionAnswer("Don't Save");
    toolkit::testing::setNextFileName("good.prj");
    QVERIFY(choose(state, "actionFileOpen"));
    QVERIFY(QString::fromStdString(state.currentFileName).endsWith("good.prj"));
    QCOMPARE(textOf(fieldId(1, Column::Name)), QStringLiteral("."));
  }

  // Save As: Cancel saves nothing; OK (and Replace) replaces an existing file.
  void saveAsReplacesOnlyOnOk() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    const QByteArray newDat = folder.read("new.dat");
    QVERIFY(typeInto(fieldId(1, Column::Name), "Renamed"));
    toolkit::testing::setNextFileCancel();
    QVERIFY(choose(state, "actionFileSaveAs"));
    QCOMPARE(folder.read("new.dat"), newDat);

    folder.write("other.prj", "old contents\n");
    toolkit::testing::setNextFileName("other.prj");
    toolkit::testing::setNextQuestionAnswer("Replace");
    QVERIFY(choose(state, "actionFileSaveAs"));
    QCOMPARE(std::string(loadProject(folder.path("other.prj")).page(1).row(1).name.trimmed()),
             std::string("Renamed"));
    QCOMPARE(folder.read("new.dat"), newDat);
    QCOMPARE(toolkit::qt::statusBarText(1), QStringLiteral(" Project Name"));
    QVERIFY(toolkit::qt::statusBarText(2).endsWith("other.prj"));
    QCOMPARE(toolkit::qt::statusBarText(3), QStringLiteral(" Room #s 1 -> 19"));
  }

  // The worked example typed into the form: RCR 3, 58 footcandles, 1.4 W/sqft shown
  // while the model keeps 1.36.
  void calculateShowsTheWorkedExample() {
    WorkFolder folder;
    writeExampleCatalogue(folder);
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(typeInto(kBallastFactorField, "1"));
    QVERIFY(typeInto(kLampLumenDepreciationField, "0.9"));
    QVERIFY(typeInto(kLampDirtDepreciationField, "0.9"));
    QVERIFY(typeInto(kLampWattsField, "34"));
    QVERIFY(typeExampleRoom());
    toolkit::wdialogputinteger(kLampLumensField, 2800);
    QVERIFY(choose(state, "actionCalculate"));
    QCOMPARE(textOf(fieldId(1, Column::RoomCavityRatio)), QStringLiteral("3"));
    QCOMPARE(textOf(fieldId(1, Column::Calculated)), QStringLiteral("58"));
    QCOMPARE(textOf(fieldId(1, Column::WattsPerSquareFoot)), QStringLiteral("1.4"));
    QCOMPARE(textOf(fieldId(1, Column::Description)), QStringLiteral("Type1"));
    QCOMPARE(state.page().row(1).wattsPerSquareFoot, static_cast<float>(408.0 / 300.0));
  }

  // The Calc'd field judges the footcandles against the design after Calculate and after
  // the design is edited: tint, and a tooltip with the fixtures the design needs (the
  // fewest that meet it, and those that reach it where they are more).
  void calculatedFieldShowsItsVerdict() {
    WorkFolder folder;
    writeExampleCatalogue(folder);
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(showActiveMainWindow());
    QVERIFY(typeExampleRoom());  // 58 fc with the shipped page 1 defaults
    const int design = fieldId(1, Column::Design);
    QWidget* calculated = toolkit::qt::fieldWidget(fieldId(1, Column::Calculated));
    struct Case {
      const char* design;
      const char* tint;  // in the field's style sheet; nullptr for none
      QString toolTip;
    };
    const Case cases[] = {
        {"50", "#c8f0c8",
         "Design 50 fc: meets. 5 fixtures give 49 fc; 6 give 58 fc, the full design."},
        {"70", "#ffd8a8",
         "Design 70 fc: low. 7 fixtures give 68 fc; 8 give 78 fc, the full design."},
        {"46", "#c8dcff", "Design 46 fc: high. 5 fixtures give 49 fc (4 give 39)."},
        {"6000", "#ffd8a8", "Design 6000 fc: low. No quantity up to 100 reaches 6000 fc."},
        {"0", nullptr, ""},
    };
    QVERIFY(typeInto(design, cases[0].design));
    QVERIFY(choose(state, "actionCalculate"));
    for (const Case& c : cases) {
      QVERIFY(typeInto(design, c.design));
      QVERIFY(typeInto(fieldId(2, Column::Name), "x"));  // leaving the design field
      pumpMessages(state);
      QCOMPARE(textOf(fieldId(1, Column::Calculated)), QStringLiteral("58"));
      QCOMPARE(calculated->toolTip(), c.toolTip);
      if (c.tint != nullptr) {
        QVERIFY2(calculated->styleSheet().contains(c.tint), qPrintable(calculated->styleSheet()));
      } else {
        QVERIFY(!calculated->styleSheet().contains("#"));
      }
    }
    QCOMPARE(toolkit::qt::fieldWidget(fieldId(1, Column::WattsPerSquareFoot))->toolTip(),
             QStringLiteral("408 W on 300 sqft."));
    QVERIFY(!calculated->isEnabled());  // a result: shown, not for typing
  }

  // A Calc'd field is tinted only while its results come from the inputs its row shows:
  // not after a load without the file's reflectances, not after a row input, a page
  // default or a list changed, until Calculate (or the lists back as they were).
  void tintsOnlyForCurrentResults() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(showActiveMainWindow());
    const auto calculated = [](int row) {
      return toolkit::qt::fieldWidget(fieldId(row, Column::Calculated));
    };
    // The sample rooms 1 to 8 have floor areas and designs; the other rows are blank.
    const auto tintedRows = [&] {
      QList<int> rows;
      for (int r = 1; r <= kRowCount; ++r) {
        if (calculated(r)->styleSheet().contains('#')) rows << r;
      }
      return rows;
    };
    const QList<int> rooms{1, 2, 3, 4, 5, 6, 7, 8};
    const auto stale = [&](int row) {
      return calculated(row)->toolTip() == "Calculate to update." &&
             toolkit::qt::fieldWidget(fieldId(row, Column::WattsPerSquareFoot))->toolTip() ==
                 "Calculate to update.";
    };
    // new.dat does not say with which reflectances its results were computed.
    QCOMPARE(tintedRows(), QList<int>());
    QVERIFY(stale(4));
    QCOMPARE(calculated(12)->toolTip(), QString());

    // Conference, ceiling 80 and wall 50, 5 fixtures: 36 fc, exactly 90 % of 40.
    auto* ceiling = qobject_cast<QComboBox*>(toolkit::qt::fieldWidget(kCeilingReflectanceList));
    auto* wall = qobject_cast<QComboBox*>(toolkit::qt::fieldWidget(kWallReflectanceList));
    ceiling->setCurrentIndex(3);
    wall->setCurrentIndex(2);
    QVERIFY(typeInto(fieldId(4, Column::Quantity), "5"));
    QVERIFY(choose(state, "actionCalculate"));
    QCOMPARE(tintedRows(), rooms);
    QCOMPARE(textOf(fieldId(4, Column::Calculated)), QStringLiteral("36"));
    QVERIFY(calculated(4)->styleSheet().contains("#c8f0c8"));
    QCOMPARE(calculated(4)->toolTip(),
             QStringLiteral(
                 "Design 40 fc: meets. 5 fixtures give 36 fc; 6 give 43 fc, the full design."));

    // A quantity typed takes that row's tint; the design is no input of the result.
    QVERIFY(typeInto(fieldId(4, Column::Quantity), "7"));
    QVERIFY(typeInto(fieldId(3, Column::Design), "45"));
    QVERIFY(typeInto(fieldId(5, Column::Name), "x"));
    pumpMessages(state);
    QCOMPARE(tintedRows(), (QList<int>{1, 2, 3, 5, 6, 7, 8}));
    QVERIFY(stale(4));
    QVERIFY(calculated(3)->toolTip().startsWith("Design 45 fc:"));
    QVERIFY(typeInto(fieldId(4, Column::Quantity), "6"));
    QVERIFY(choose(state, "actionCalculate"));
    QCOMPARE(tintedRows(), rooms);
    QCOMPARE(textOf(fieldId(4, Column::Calculated)), QStringLiteral("43"));
    // Page 2 was never calculated; page 1 comes back from the file as it was.
    QVERIFY(choose(state, "actionZonePage2"));
    QCOMPARE(tintedRows(), QList<int>());
    QVERIFY(choose(state, "actionZonePage1"));
    QCOMPARE(tintedRows(), rooms);

    // A page default concerns every row.
    QVERIFY(typeInto(kBallastFactorField, "0.95"));
    QVERIFY(typeInto(fieldId(5, Column::Name), "z"));
    pumpMessages(state);
    QCOMPARE(tintedRows(), QList<int>());
    QVERIFY(choose(state, "actionCalculate"));
    QCOMPARE(tintedRows(), rooms);

    // Saved with its reflectances, the project opens with its results judged until a list
    // differs from them; a file without them judges none.
    QVERIFY(choose(state, "actionFileSave"));
    toolkit::testing::setNextFileName("new.dat");
    QVERIFY(choose(state, "actionFileOpen"));
    QCOMPARE(tintedRows(), rooms);
    ceiling->setCurrentIndex(2);
    pumpMessages(state);
    QCOMPARE(tintedRows(), QList<int>());
    ceiling->setCurrentIndex(3);
    pumpMessages(state);
    QCOMPARE(tintedRows(), rooms);
    Project plain = state.project;
    plain.reflectances.reset();
    folder.write("plain.prj", QByteArray::fromStdString(formatProject(plain)));
    toolkit::testing::setNextFileName("plain.prj");
    QVERIFY(choose(state, "actionFileOpen"));
    QVERIFY(QString::fromStdString(state.currentFileName).endsWith("plain.prj"));
    QCOMPARE(tintedRows(), QList<int>());
  }

  // The calculation never runs with a reflectance that is none of a list's items: the
  // list holding 75 refuses it, and every result stays as it was.
  void calculateRefusesAListHoldingOtherText() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(showActiveMainWindow());
    QVERIFY(choose(state, "actionCalculate"));
    const RoomPage before = state.page();
    const QString shown = textOf(fieldId(4, Column::Calculated));
    QVERIFY(typeInto(kCeilingReflectanceList, "75"));
    const int beeps = toolkit::qt::beepCount();
    QVERIFY(choose(state, "actionCalculate"));
    QVERIFY(state.page() == before);
    QCOMPARE(textOf(fieldId(4, Column::Calculated)), shown);
    QCOMPARE(toolkit::qt::beepCount(), beeps + 1);
    QCOMPARE(toolkit::qt::refusalNote(), QStringLiteral("Ceiling Reflectance: 30, 50, 70 or 80"));
    QVERIFY(toolkit::qt::fieldWidget(kCeilingReflectanceList)
                ->isAncestorOf(QApplication::focusWidget()));
    QVERIFY(typeInto(kCeilingReflectanceList, "80"));
    QVERIFY(choose(state, "actionCalculate"));
    QVERIFY(state.page() != before);
  }

  // Field changes recalculate only while spreadsheet mode is on.
  void spreadsheetModeRecalculatesOnLeavingAField() {
    WorkFolder folder;
    writeExampleCatalogue(folder);
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(showActiveMainWindow());
    QVERIFY(typeExampleRoom());
    edit(fieldId(1, Column::Length))->setFocus();
    pumpMessages(state);
    QCOMPARE(textOf(fieldId(1, Column::RoomCavityRatio)), QStringLiteral("0"));

    QVERIFY(choose(state, "actionSpreadsheetOn"));
    QVERIFY(state.spreadsheetMode);
    QCOMPARE(textOf(fieldId(1, Column::RoomCavityRatio)), QStringLiteral("0"));
    QVERIFY(typeInto(fieldId(1, Column::Length), "20"));
    edit(fieldId(1, Column::Width))->setFocus();
    pumpMessages(state);
    QCOMPARE(textOf(fieldId(1, Column::RoomCavityRatio)), QStringLiteral("3"));

    QVERIFY(choose(state, "actionSpreadsheetOff"));
    QVERIFY(typeInto(fieldId(1, Column::Length), "40"));
    edit(fieldId(1, Column::Width))->setFocus();
    pumpMessages(state);
    QCOMPARE(textOf(fieldId(1, Column::RoomCavityRatio)), QStringLiteral("3"));
  }

  // Print writes the page's report to out.dat and, printing into a PDF, out.pdf beside it.
  void printWritesTheReportAndAPdf() {
    toolkit::testing::setPrintToPdf(true);
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(choose(state, "actionZonePage3"));
    QVERIFY(choose(state, "actionPrint"));
    ReportPercentages expected;
    expected.update(3, 2);
    QCOMPARE(folder.read("out.dat"),
             QByteArray::fromStdString(formatReport(state.project.page(3), expected, 3)));
    QVERIFY(folder.exists("out.pdf"));
    // Once per print, the user is told where the copy went.
    QCOMPARE(joined(toolkit::testing::takeMessageBoxTexts()),
             QStringLiteral("No printer is set up: the report was written to out.pdf.\n"));
    QVERIFY(choose(state, "actionPrint"));
    QCOMPARE(toolkit::testing::takeMessageBoxTexts().size(), std::size_t{1});

    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed");
    QProcess process;
    process.start(pdftotext, {"-layout", QString::fromStdString(folder.path("out.pdf")), "-"});
    QVERIFY(process.waitForFinished());
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY(text.contains("Zonal Cavity Lighting"));
    QVERIFY(text.contains("Page"));
    QVERIFY(text.contains("W/sqft."));
  }

  // The report prints what the form shows, names and descriptions included, and Print
  // saves nothing.
  void printShowsTheFormAndSavesNothing() {
    toolkit::testing::setPrintToPdf(true);
    WorkFolder folder;
    const QByteArray before = folder.read("new.dat");
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(typeInto(fieldId(2, Column::Name), "Janitor"));
    QVERIFY(typeInto(fieldId(2, Column::FixtureNumber), "3"));
    QVERIFY(choose(state, "actionCalculate"));
    const QString description = textOf(fieldId(2, Column::Description));
    QVERIFY(!description.isEmpty() && description != ".");
    QVERIFY(choose(state, "actionPrint"));
    const QByteArray report = folder.read("out.dat");
    QVERIFY(report.contains("Janitor"));
    QVERIFY(report.contains(description.toUtf8()));
    QCOMPARE(folder.read("new.dat"), before);
  }

  // The reflectances chosen travel with the project: saved, they come back at the next
  // start; a file without them leaves the lists as they are.
  void reflectancesTravelWithTheProject() {
    WorkFolder folder;
    {
      AppState state;
      QVERIFY(startUp(state));
      QVERIFY(typeInto(kCeilingReflectanceList, "80"));
      QVERIFY(typeInto(kWallReflectanceList, "50"));
      QVERIFY(choose(state, "actionFileSave"));
      toolkit::windowclose();
    }
    AppState state;
    QVERIFY(startUp(state));
    QCOMPARE(toolkit::wdialoggetmenu1(kCeilingReflectanceList), 4);
    QCOMPARE(toolkit::wdialoggetmenu1(kWallReflectanceList), 3);
    folder.write("plain.prj", folder.read("xxx.dat"));
    toolkit::testing::setNextFileName("plain.prj");
    QVERIFY(choose(state, "actionFileOpen"));
    QVERIFY(QString::fromStdString(state.currentFileName).endsWith("plain.prj"));
    QCOMPARE(toolkit::wdialoggetmenu1(kCeilingReflectanceList), 4);
    QCOMPARE(toolkit::wdialoggetmenu1(kWallReflectanceList), 3);
  }

  // Print sends the report to the default printer (cups-pdf): one portrait page with
  // every line of the report, in a fixed-pitch font; no PDF beside out.dat.
  void printSendsTheReportToTheDefaultPrinter() {
    if (printerOutputFolder().isEmpty()) QSKIP(kNoPrinters);
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(choose(state, "actionZonePage3"));
    const QStringList before = QDir(printerOutputFolder()).entryList(QDir::Files);
    QVERIFY(choose(state, "actionPrint"));
    QCOMPARE(joined(toolkit::testing::takeMessageBoxTexts()), QString());
    QVERIFY(!folder.exists("out.pdf"));

    const QString pdf = awaitPrintedPdf("out.dat", before);
    QVERIFY2(!pdf.isEmpty(), "cups-pdf wrote no PDF of the report within a minute");
    const QString info = popplerOutput("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
    const auto size = QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+)").match(info);
    QVERIFY2(size.hasMatch() && size.captured(1).toDouble() < size.captured(2).toDouble(),
             qPrintable(info));

    QStringList printed;
    for (const QString& line : popplerOutput("pdftotext", {"-layout", pdf, "-"}).split('\n'))
      printed << line.simplified();
    const QString report = QString::fromUtf8(folder.read("out.dat"));
    for (const QString& line : report.split('\n', Qt::SkipEmptyParts)) {
      if (!line.simplified().isEmpty())
        QVERIFY2(printed.contains(line.simplified()), qPrintable(line));
    }
    // ...and it is the report of page 3.
    QVERIFY(printed.contains("Zonal Cavity Lighting") && printed.contains("Page 3"));

    // Fixed pitch: every word is as wide as its number of letters, whatever the letters.
    const QString boxes = popplerOutput("pdftotext", {"-bbox", pdf, "-"});
    const QRegularExpression word(
        R"re(xMin="([0-9.]+)"[^>]*xMax="([0-9.]+)"[^>]*>([^<&]{3,})</word>)re");
    double narrowest = 1e9, widest = 0;
    for (const auto& match : word.globalMatch(boxes)) {
      const double perLetter =
          (match.captured(2).toDouble() - match.captured(1).toDouble()) / match.captured(3).size();
      narrowest = std::min(narrowest, perLetter);
      widest = std::max(widest, perLetter);
    }
    QVERIFY2(widest > 0 && widest < narrowest * 1.03,
             qPrintable(QString("letters %1 to %2 wide").arg(narrowest).arg(widest)));
  }

  // A printer that is set but cannot print: the message names it and the reason, the
  // report stays in out.dat and no PDF stands in for the printer.
  void printFailuresNameThePrinterAndTheReason_data() {
    QTest::addColumn<QString>("printer");  // PRINTER
    QTest::addColumn<QString>("server");   // CUPS_SERVER, unless empty
    QTest::addColumn<QString>("reason");
    const QString stopped = qEnvironmentVariable("KANDELOR_TEST_STOPPED_PRINTER");
    const QString refusing = qEnvironmentVariable("KANDELOR_TEST_REJECTING_PRINTER");
    const QString socket = QDir::temp().filePath("kandelor-no-cupsd.sock");
    QTest::newRow("stopped") << stopped << ""
                             << "the printer is stopped";
    QTest::newRow("refusing jobs") << refusing << ""
                                   << "the printer is not accepting jobs";
    QTest::newRow("no such printer") << "kandelor-no-such-printer"
                                     << ""
                                     << "there is no such printer";
    QTest::newRow("scheduler unreachable")
        << qEnvironmentVariable("KANDELOR_TEST_PRINTER") << socket
        << "the print server (" + socket + ") cannot be reached";
  }
  void printFailuresNameThePrinterAndTheReason() {
    if (printerOutputFolder().isEmpty()) QSKIP(kNoPrinters);
    QFETCH(QString, printer);
    QFETCH(QString, server);
    QFETCH(QString, reason);
    EnvironmentOverride environment;
    environment.set("PRINTER", printer);
    if (!server.isEmpty()) environment.set("CUPS_SERVER", server);
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(choose(state, "actionPrint"));
    QCOMPARE(joined(toolkit::testing::takeMessageBoxTexts()),
             "The report was written to \"out.dat\" but could not be printed on \"" + printer +
                 "\": " + reason + ".\n");
    QVERIFY(folder.read("out.dat").contains("Zonal Cavity Lighting"));
    QVERIFY(!folder.exists("out.pdf"));
  }

  // Exit and the close box end the loop once Don't Save is chosen; neither writes a file.
  void exitAndCloseEndTheProgramWithoutSaving() {
    WorkFolder folder;
    const QByteArray before = folder.read("new.dat");
    for (bool useExit : {true, false}) {
      AppState state;
      QVERIFY(startUp(state));
      QVERIFY(typeInto(fieldId(1, Column::Name), "Discarded"));
      toolkit::testing::setNextQuestionAnswer("Don't Save");
      if (useExit) {
        QAction* exitAction = toolkit::qt::mainWindow()->findChild<QAction*>("actionExit");
        QVERIFY(exitAction);
        exitAction->trigger();
      } else {
        toolkit::qt::mainWindow()->close();
      }
      runEventLoop(state);
      QCOMPARE(folder.read("new.dat"), before);
      QVERIFY(!folder.exists("out.dat"));
    }
  }
};

QTEST_MAIN(AppFlowTest)
#include "app_flow_test.moc"
