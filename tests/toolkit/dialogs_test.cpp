// File selection, help viewer, message boxes and printing a text file.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>

#include "test_window.h"
#include "toolkit/qt_access.h"
#include "toolkit/test_hooks.h"
#include "toolkit/toolkit.h"

using namespace toolkit;
using namespace toolkit::test;

namespace {

constexpr std::string_view kProjectFilter = "Project files|*.prj|";
constexpr int kNewFlags = kAppendExtension;
constexpr int kOpenFlags = kMustExist | kAppendExtension;
constexpr int kSaveAsFlags = kSaveDialog | kAppendExtension;

bool writeFile(const QString& path, const QByteArray& contents) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

// Output of a poppler tool, or a null string when the tool is missing.
QString runTool(const QString& tool, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(tool).isEmpty()) return {};
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(20000)) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString startDirectory_;

  QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    startDirectory_ = QDir::currentPath();
    QVERIFY(openTestWindow());
  }
  void init() {
    testing::reset();
    QDir::setCurrent(dir_.path());
  }
  void cleanupTestCase() {
    QDir::setCurrent(startDirectory_);
    closeTestWindow();
  }

  void answeredFileDialogs() {
    // A name without a folder is taken in the dialog's folder; the extension is added.
    std::string name = "new.dat";
    testing::setNextFileName("office");
    QVERIFY(wselectfile2(kProjectFilter, kNewFlags, name, "Open New Project"));
    QCOMPARE(QString::fromStdString(name), path("office.prj"));
    QCOMPARE(QDir::currentPath(), dir_.path());

    // The dialog opens on the folder of the given name.
    QVERIFY(QDir(dir_.path()).mkdir("sub"));
    name = path("sub/x.prj").toStdString();
    testing::setNextFileName("plan.txt");
    QVERIFY(wselectfile2(kProjectFilter, kSaveAsFlags, name, "Save as..."));
    QCOMPARE(QString::fromStdString(name), path("sub/plan.txt"));
    QCOMPARE(QDir::currentPath(), dir_.path());

    // Cancel, a missing file that must exist, and a missing folder leave the name.
    const std::string before = name;
    testing::setNextFileCancel();
    QVERIFY(!wselectfile2(kProjectFilter, kSaveAsFlags, name, "Save as..."));
    testing::setNextFileName("missing");
    QVERIFY(!wselectfile2(kProjectFilter, kOpenFlags, name, "Open Existing Project"));
    testing::setNextFileName("nowhere/a.prj");
    QVERIFY(!wselectfile2(kProjectFilter, kNewFlags, name, "Open New Project"));
    QCOMPARE(name, before);

    QVERIFY(writeFile(path("sub/there.prj"), "x"));
    testing::setNextFileName("there");
    QVERIFY(wselectfile2(kProjectFilter, kOpenFlags, name, "Open Existing Project"));
    QCOMPARE(QString::fromStdString(name), path("sub/there.prj"));

    // Asked to keep the folder, the working directory follows the choice.
    testing::setNextFileName("kept.prj");
    QVERIFY(wselectfile2(kProjectFilter, kNewFlags | kKeepDirectory, name, "Open"));
    QCOMPARE(QDir::currentPath(), path("sub"));
  }

  void realFileDialogReturnsTheTypedName() {
    std::string name = "new.dat";
    // What the dialog showed, checked once it is closed.
    QString folder;
    bool saving = false, typed = false;
    QTimer::singleShot(100, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      folder = dialog->directory().absolutePath();
      saving = dialog->acceptMode() == QFileDialog::AcceptSave;
      auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
      if (edit == nullptr) return dialog->reject();
      edit->setText("typed");
      typed = true;
      QMetaObject::invokeMethod(dialog, "accept");
    });
    QVERIFY(wselectfile2(kProjectFilter, kSaveAsFlags, name, "Save as..."));
    QCOMPARE(folder, QDir::currentPath());
    QVERIFY(saving);
    QVERIFY(typed);
    QCOMPARE(QString::fromStdString(name), path("typed.prj"));

    QTimer::singleShot(100, [] {
      if (QWidget* dialog = QApplication::activeModalWidget())
        qobject_cast<QDialog*>(dialog)->reject();
    });
    QVERIFY(!wselectfile2(kProjectFilter, kOpenFlags, name, "Open Existing Project"));
    QCOMPARE(QString::fromStdString(name), path("typed.prj"));
    QCOMPARE(QDir::currentPath(), dir_.path());
  }

  // A question that can discard work takes a deliberate answer: keys sent as it shows
  // and a plain letter answer nothing; Alt+letter, Enter and Esc do.
  void questionsTakeOnlyDeliberateAnswers() {
    constexpr std::array<std::string_view, 3> kButtons{"&Save", "&Don't Save", "Cancel"};
    const auto ask = [&](std::function<void(QWidget*)> keys) {
      QTimer::singleShot(0, [keys] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr) return;
        QTest::keyClick(box, Qt::Key_D);  // typed ahead: dropped
        QTest::keyClick(box, Qt::Key_Return);
        QTimer::singleShot(800, [box = QPointer<QWidget>(box), keys] {
          if (!box) return;  // answered already, by keys that should have answered nothing
          // Shortcuts reach only the active window.
          if (!QTest::qWaitForWindowActive(box)) qWarning("the question never became active");
          keys(box);
          // Whatever was not answered ends with Esc, once a button's click (animated for
          // 100 ms) would have ended it.
          QTimer::singleShot(600, [box = QPointer<QWidget>(box)] {
            if (box && QApplication::activeModalWidget() == box)
              QTest::keyClick(box, Qt::Key_Escape);
          });
        });
      });
      return wquestion("Kandelor 2.0", "Save the changes?", kButtons, 0, 2);
    };
    QCOMPARE(ask([](QWidget* box) { QTest::keyClick(box, Qt::Key_D); }), 2);
    QCOMPARE(ask([](QWidget* box) { QTest::keyClick(box, Qt::Key_D, Qt::AltModifier); }), 1);
    QCOMPARE(ask([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }), 0);
  }

  void helpViewerShowsTheFile() {
    QVERIFY(writeFile(path("HELP.HLP"), "Zonal cavity help\nSecond line\n"));
    whelpfile1("HELP.HLP");
    QVERIFY(qt::isHelpViewerVisible());
    QVERIFY(qt::helpViewerText().contains("Second line"));

    QVERIFY(
        writeFile(path("help.html"), "  <html><body><h1>Title</h1><p>Body text</p></body></html>"));
    whelpfile1("help.html");
    QVERIFY(qt::helpViewerText().contains("Body text"));
    QVERIFY(!qt::helpViewerText().contains("<p>"));

    whelpfile1("absent.hlp");
    QVERIFY(qt::helpViewerText().contains("absent.hlp"));
    QVERIFY(qt::isHelpViewerVisible());
  }

  void answeredMessageBoxesAreRecorded() {
    testing::answerMessageBoxes(true);
    wmessagebox("Error", "new.dat, line 3: a number was expected");
    wmessagebox("Error", "second");
    const auto texts = testing::takeMessageBoxTexts();
    QCOMPARE(texts.size(), std::size_t{2});
    QCOMPARE(texts[0], std::string("new.dat, line 3: a number was expected"));
    QVERIFY(testing::takeMessageBoxTexts().empty());
  }

  void printsEveryLineIntoAPdfBesideTheFile() {
    testing::setPrintToPdf(true);
    QByteArray text;
    constexpr int kLines = 150;
    for (int i = 1; i <= kLines; ++i)
      text += QString("line %1").arg(i, 3, 10, QChar('0')).toUtf8() + '\n';
    QVERIFY(writeFile(path("out.dat"), text));
    igrhardcopyoptions(kPageOrientation, kPortrait);
    whardcopyoptionstext();
    const HardcopyResult printed = igrhardcopytextfile((path("out.dat") + "      ").toStdString());
    QVERIFY(printed);
    QCOMPARE(printed.pdfFile, std::string("out.pdf"));
    QVERIFY(QFile::exists(path("out.pdf")));

    const QString info = runTool("pdfinfo", {path("out.pdf")});
    const QString firstPage =
        runTool("pdftotext", {"-layout", "-f", "1", "-l", "1", path("out.pdf"), "-"});
    const QString all = runTool("pdftotext", {"-layout", path("out.pdf"), "-"});
    if (info.isNull() || all.isNull()) QSKIP("pdfinfo/pdftotext not installed");
    // Every line once, in order.
    int last = 0;
    for (const QString& line : all.split('\n')) {
      if (!line.trimmed().startsWith("line ")) continue;
      QCOMPARE(line.trimmed().mid(5).toInt(), last + 1);
      last = line.trimmed().mid(5).toInt();
    }
    QCOMPARE(last, kLines);
    // Full pages before the last one.
    const int perPage = static_cast<int>(firstPage.count("line "));
    QVERIFY(perPage > 20 && perPage < kLines);
    const int pages = (kLines + perPage - 1) / perPage;
    QVERIFY2(info.contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(pages))),
             qPrintable(info));
    QVERIFY(info.contains(QRegularExpression("Page size:\\s+[0-9.]+ x [0-9.]+")));
    const auto size = QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+)").match(info);
    QVERIFY(size.captured(1).toDouble() < size.captured(2).toDouble());  // portrait
  }

  void printingFailuresAreReported() {
    testing::setPrintToPdf(true);
    QVERIFY(!igrhardcopytextfile(path("no-such.dat").toStdString()));
    // The PDF cannot be written where a folder of that name stands.
    QVERIFY(writeFile(path("blocked.dat"), "text\n"));
    QVERIFY(QDir(dir_.path()).mkdir("blocked.pdf"));
    const HardcopyResult blocked = igrhardcopytextfile(path("blocked.dat").toStdString());
    QVERIFY(!blocked);
    QVERIFY(blocked.pdfFile.empty());
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
