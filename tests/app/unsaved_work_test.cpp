#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QKeySequence>
#include <QMainWindow>
#include <QProcess>
#include <QTest>

#include <filesystem>

#include "app/program.h"
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
using kandelor::testing::pumpMessages;
using kandelor::testing::textOf;
using kandelor::testing::typeInto;

namespace {

const int kRoom1Name = fieldId(1, Column::Name);

std::string room1Name(const std::string& fileName) {
  return std::string(loadProject(fileName).page(1).row(1).name.trimmed());
}

// Leaving a field, as the toolkit reports it when the focus moves on.
bool leaveField(AppState& state) {
  bool quit = false;
  dispatchMessage(state, toolkit::kFieldChanged, toolkit::Message{}, quit);
  return quit;
}

// Ends the program with Exit, or with the window's close box.
bool endProgram(AppState& state, bool useExit) {
  if (useExit) {
    bool quit = false;
    return choose(state, "actionExit", &quit) && quit;
  }
  toolkit::qt::mainWindow()->close();
  return pumpMessages(state);
}

// How many Calc'd fields of the page shown are tinted with a verdict.
int tintedResults() {
  int tinted = 0;
  for (int r = 1; r <= kRowCount; ++r) {
    tinted += toolkit::qt::fieldWidget(fieldId(r, Column::Calculated))->styleSheet().contains('#');
  }
  return tinted;
}

// Starts typing_session in `folder`, which types `name` into room 1 and waits; then
// kills it as a crash would.
bool typeAndKill(const WorkFolder& folder, const QString& name) {
  QProcess session;
  session.start(
      KANDELOR_TYPING_SESSION,
      {QString::fromStdString(std::filesystem::path(folder.path("new.dat")).parent_path()), name});
  if (!session.waitForReadyRead(30000) || !session.readAll().contains("typed")) return false;
  session.kill();  // SIGKILL: nothing of the program runs after it
  return session.waitForFinished(10000);
}

}  // namespace

class UnsavedWorkTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { kandelor::testing::answerDialogsInAdvance(); }
  void cleanup() { kandelor::testing::closeWindowAndForgetAnswers(); }

  // Nothing is asked without unsaved work: right after start-up, after typing a value
  // and its old value back, after a page switch saved the edits.
  void nothingIsAskedWithoutUnsavedWork() {
    WorkFolder folder;
    const QByteArray before = folder.read("new.dat");
    for (int step = 0; step < 3; ++step) {
      AppState state;
      QVERIFY(startUp(state));
      const QString original = textOf(kRoom1Name);
      if (step >= 1) {
        QVERIFY(typeInto(kRoom1Name, "Changed"));
        leaveField(state);
        QVERIFY(typeInto(kRoom1Name, original));
        leaveField(state);
      }
      if (step == 2) {
        QVERIFY(typeInto(fieldId(2, Column::Length), "31.5"));
        QVERIFY(choose(state, "actionZonePage2"));
      }
      QVERIFY(endProgram(state, true));
      QVERIFY2(toolkit::testing::takeQuestionTexts().empty(), qPrintable(QString::number(step)));
      if (step < 2) QCOMPARE(folder.read("new.dat"), before);
      QVERIFY(!folder.exists(".new.dat.recovery"));
      toolkit::windowclose();
    }
  }

  // Exit and the close box ask about a typed room: Cancel keeps the program with the
  // room, Don't Save ends it with the file untouched, Save ends it with the room saved.
  void exitAndCloseAskAboutUnsavedWork() {
    for (const bool useExit : {true, false}) {
      toolkit::testing::takeQuestionTexts();
      WorkFolder folder;
      const QByteArray before = folder.read("new.dat");
      AppState state;
      QVERIFY(startUp(state));
      QVERIFY(typeInto(kRoom1Name, "Atrium"));

      toolkit::testing::setNextQuestionAnswer("Cancel");
      QVERIFY(!endProgram(state, useExit));
      QCOMPARE(joined(toolkit::testing::takeQuestionTexts()),
               QStringLiteral("Save the changes to \"new.dat\" before closing?\n"));
      QCOMPARE(textOf(kRoom1Name), QStringLiteral("Atrium"));

      toolkit::testing::setNextQuestionAnswer("Don't Save");
      QVERIFY(endProgram(state, useExit));
      QCOMPARE(folder.read("new.dat"), before);
      toolkit::windowclose();

      AppState again;
      QVERIFY(startUp(again));
      QVERIFY(typeInto(kRoom1Name, "Atrium"));
      toolkit::testing::setNextQuestionAnswer("Save");
      QVERIFY(endProgram(again, useExit));
      QCOMPARE(room1Name(folder.path("new.dat")), std::string("Atrium"));
      toolkit::windowclose();
    }
  }

  // New and Open ask before their file dialog; a save that fails cancels the command.
  void newAndOpenAskFirst() {
    WorkFolder folder;
    folder.write("other.prj", folder.read("xxx.dat"));
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(typeInto(kRoom1Name, "Atrium"));

    toolkit::testing::setNextQuestionAnswer("Cancel");
    QVERIFY(choose(state, "actionFileNew"));
    QCOMPARE(joined(toolkit::testing::takeQuestionTexts()),
             QStringLiteral("Save the changes to \"new.dat\" before starting a new project?\n"));
    QCOMPARE(state.currentFileName, std::string("new.dat"));
    QCOMPARE(textOf(kRoom1Name), QStringLiteral("Atrium"));

    // The owner may not write new.dat: the save fails, says so, and nothing is opened.
    std::filesystem::permissions(folder.path("new.dat"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    toolkit::testing::setNextQuestionAnswer("Save");
    toolkit::testing::setNextFileName("other.prj");
    QVERIFY(choose(state, "actionFileOpen"));
    QVERIFY(joined(toolkit::testing::takeMessageBoxTexts()).contains("new.dat"));
    QCOMPARE(state.currentFileName, std::string("new.dat"));
    QCOMPARE(textOf(kRoom1Name), QStringLiteral("Atrium"));

    toolkit::testing::reset();
    toolkit::testing::answerMessageBoxes(true);
    toolkit::testing::setNextQuestionAnswer("Don't Save");
    toolkit::testing::setNextFileName("other.prj");
    QVERIFY(choose(state, "actionFileOpen"));
    QCOMPARE(joined(toolkit::testing::takeQuestionTexts()),
             QStringLiteral("Save the changes to \"new.dat\" before opening another project?\n"));
    QVERIFY(QString::fromStdString(state.currentFileName).endsWith("other.prj"));
  }

  // New on an existing name and Save As onto an existing file ask; Cancel leaves the file
  // byte for byte, and the project keeps its name.
  void existingFilesAreNotTakenUnasked() {
    WorkFolder folder;
    folder.write("other.prj", folder.read("xxx.dat") + "\n");
    const QByteArray other = folder.read("other.prj");
    AppState state;
    QVERIFY(startUp(state));

    toolkit::testing::setNextFileName("other.prj");
    QVERIFY(choose(state, "actionFileNew"));
    QCOMPARE(joined(toolkit::testing::takeQuestionTexts()),
             QStringLiteral("other.prj already exists. A new project under this name replaces "
                            "it at the next save. Use this name?\n"));
    QCOMPARE(state.currentFileName, std::string("new.dat"));
    QVERIFY(choose(state, "actionZonePage1"));
    QCOMPARE(folder.read("other.prj"), other);

    QVERIFY(typeInto(kRoom1Name, "Atrium"));
    toolkit::testing::setNextFileName("other.prj");
    QVERIFY(choose(state, "actionFileSaveAs"));
    QVERIFY(joined(toolkit::testing::takeQuestionTexts()).startsWith("other.prj already exists."));
    QCOMPARE(folder.read("other.prj"), other);
    QCOMPARE(state.currentFileName, std::string("new.dat"));

    toolkit::testing::setNextFileName("other.prj");
    toolkit::testing::setNextQuestionAnswer("Replace");
    QVERIFY(choose(state, "actionFileSaveAs"));
    QCOMPARE(room1Name(folder.path("other.prj")), std::string("Atrium"));
  }

  // The recovery copy follows the unsaved work: written after a field change or
  // Calculate, not rewritten while nothing changed, gone once the work is saved; one that
  // cannot be written is told once.
  void recoveryCopyFollowsUnsavedWork() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(typeInto(kRoom1Name, "Atrium"));
    leaveField(state);
    QCOMPARE(room1Name(folder.path(".new.dat.recovery")), std::string("Atrium"));

    folder.remove(".new.dat.recovery");
    leaveField(state);
    QVERIFY(!folder.exists(".new.dat.recovery"));
    QVERIFY(typeInto(kRoom1Name, "Atrium 2"));
    QVERIFY(choose(state, "actionCalculate"));
    QCOMPARE(room1Name(folder.path(".new.dat.recovery")), std::string("Atrium 2"));

    QVERIFY(choose(state, "actionFileSave"));
    QVERIFY(!folder.exists(".new.dat.recovery"));

    // A paste is kept before the field is left; a typed key waits for leaving.
    QVERIFY(typeInto(kRoom1Name, ""));
    QTest::keyClick(toolkit::qt::fieldWidget(kRoom1Name), Qt::Key_X);
    pumpMessages(state);
    QVERIFY(!folder.exists(".new.dat.recovery"));
    QApplication::clipboard()->setText("Pasted");
    QTest::keyClick(toolkit::qt::fieldWidget(kRoom1Name), Qt::Key_V, Qt::ControlModifier);
    pumpMessages(state);
    QCOMPARE(room1Name(folder.path(".new.dat.recovery")), std::string("xPasted"));
    QVERIFY(choose(state, "actionFileSave"));

    std::filesystem::create_directory(folder.path(".new.dat.recovery"));
    for (const char* name : {"Atrium 3", "Atrium 4"}) {
      QVERIFY(typeInto(kRoom1Name, name));
      leaveField(state);
    }
    const QString told = joined(toolkit::testing::takeMessageBoxTexts());
    QCOMPARE(told.count("recovery copy"), 1);
    QCOMPARE(textOf(kRoom1Name), QStringLiteral("Atrium 4"));
  }

  // A run killed after typing leaves its work in the recovery copy: the next start
  // offers it, Restore brings it back unsaved, Discard removes it; a copy that does not
  // read whole is set aside and named.
  void killedRunOffersItsWorkBack() {
    WorkFolder folder;
    const QByteArray before = folder.read("new.dat");
    QVERIFY(typeAndKill(folder, "Atrium"));
    QVERIFY(folder.exists(".new.dat.recovery"));
    {
      AppState state;
      toolkit::testing::setNextQuestionAnswer("Restore");
      QVERIFY(startUp(state));
      const QString asked = joined(toolkit::testing::takeQuestionTexts());
      QVERIFY2(asked.startsWith("Kandelor did not close normally. Restore the unsaved changes to "
                                "\"new.dat\" from 20"),
               qPrintable(asked));
      QCOMPARE(textOf(kRoom1Name), QStringLiteral("Atrium"));
      QCOMPARE(folder.read("new.dat"), before);
      // The copy's results may be of inputs before the crash: none is judged until
      // calculated.
      QCOMPARE(tintedResults(), 0);
      QCOMPARE(toolkit::qt::fieldWidget(fieldId(1, Column::Calculated))->toolTip(),
               QStringLiteral("Calculate to update."));
      QVERIFY(choose(state, "actionCalculate"));
      QVERIFY(tintedResults() > 0);
      toolkit::testing::setNextQuestionAnswer("Cancel");
      QVERIFY(!endProgram(state, true));
      QCOMPARE(toolkit::testing::takeQuestionTexts().size(), std::size_t{1});
      toolkit::windowclose();
    }
    {
      AppState state;
      toolkit::testing::setNextQuestionAnswer("Discard");
      QVERIFY(startUp(state));
      QCOMPARE(textOf(kRoom1Name), QStringLiteral("Lobby"));
      QVERIFY(!folder.exists(".new.dat.recovery"));
      QCOMPARE(toolkit::testing::takeQuestionTexts().size(), std::size_t{1});
      toolkit::windowclose();
    }
    QVERIFY(typeAndKill(folder, "Atrium"));
    const QByteArray cut = folder.read(".new.dat.recovery").left(4000);
    folder.write(".new.dat.recovery", cut);
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(toolkit::testing::takeQuestionTexts().empty());
    const QString told = joined(toolkit::testing::takeMessageBoxTexts());
    QVERIFY2(told.contains(".new.dat.recovery.unreadable"), qPrintable(told));
    QCOMPARE(folder.read(".new.dat.recovery.unreadable"), cut);
    QCOMPARE(textOf(kRoom1Name), QStringLiteral("Lobby"));
  }

  // Ctrl+S saves from the window; New, Open and Exit have their usual keys too.
  void usualKeysReachTheFileCommands() {
    WorkFolder folder;
    AppState state;
    QVERIFY(startUp(state));
    QVERIFY(kandelor::testing::showActiveMainWindow());
    QVERIFY(typeInto(kRoom1Name, "Atrium"));
    QTest::keyClick(toolkit::qt::mainWindow(), Qt::Key_S, Qt::ControlModifier);
    pumpMessages(state);
    QCOMPARE(room1Name(folder.path("new.dat")), std::string("Atrium"));
    for (const auto& [action, key] : {std::pair{"actionFileNew", "Ctrl+N"},
                                      {"actionFileOpen", "Ctrl+O"},
                                      {"actionExit", "Ctrl+Q"}}) {
      const auto* item = toolkit::qt::mainWindow()->findChild<QAction*>(action);
      QVERIFY(item != nullptr && item->shortcuts().contains(QKeySequence(key)));
    }
  }
};

QTEST_MAIN(UnsavedWorkTest)
#include "unsaved_work_test.moc"
