// The main window: menu, form layout, tab order, status bar and the message queue.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <array>

#include "support/qt_helpers.h"
#include "test_window.h"
#include "toolkit/qt_access.h"
#include "toolkit/toolkit.h"

using namespace toolkit;
using namespace toolkit::test;
using kandelor::testing::typeInto;

namespace {

QAction* menuAction(const QString& text) {
  for (QAction* top : qt::mainWindow()->menuBar()->actions()) {
    if (top->text() == text) return top;
    if (QMenu* popup = top->menu()) {
      for (QAction* item : popup->actions()) {
        if (item->text() == text) return item;
      }
    }
  }
  return nullptr;
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(openTestWindow()); }
  void cleanup() { closeTestWindow(); }

  void buildsWindowFromResources() {
    QMainWindow* window = qt::mainWindow();
    QCOMPARE(window->windowTitle(), QString("Test window"));
    // The program's icon in every size of the icon theme, and the desktop entry's name.
    QCOMPARE(window->windowIcon().availableSizes().size(), 7);
    QVERIFY(!window->windowIcon().pixmap(256).isNull());
    QCOMPARE(QGuiApplication::desktopFileName(), QString("kandelor"));
    // A child-style form fixes the window's size and drops the maximise box.
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window->centralWidget()->width() > 200);

    QStringList bar;
    for (QAction* action : window->menuBar()->actions()) bar << action->text();
    QCOMPARE(bar, QStringList({"&File", "&Calculate"}));
    QVERIFY(menuAction("&File")->menu() != nullptr);
    QVERIFY(menuAction("&Open") != nullptr);
    QVERIFY(!menuAction("&Open")->isCheckable());
    QCOMPARE(window->findChild<QAction*>("actionOpen"), menuAction("&Open"));
    QCOMPARE(window->findChild<QMenu*>("menuFile"), menuAction("&File")->menu());

    QVERIFY(qobject_cast<QLineEdit*>(field(kFactor)) != nullptr);
    QCOMPARE(qobject_cast<QLineEdit*>(field(kFactor))->text(), QString("1.0000"));
    auto* list = qobject_cast<QComboBox*>(field(kCeiling));
    QVERIFY(list != nullptr && list->isEditable());
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->currentText(), QString("70"));
    QCOMPARE(qobject_cast<QLabel*>(field(kCaption))->text(), QString("Factor"));
    QVERIFY(!field(kComputed)->isEnabled());
    // Fields lie where their dialog units put them: later rows lower down.
    QVERIFY(field(kWatts)->y() > field(kLength)->y());
    QVERIFY(field(kLength)->y() > field(kFactor)->y());
    QVERIFY(field(kCaption)->x() > field(kFactor)->x() + field(kFactor)->width() / 2);

    // A second open while the window is up changes nothing.
    windowopen2(kStatusBar, kMenuId, kFormId, "Other");
    QCOMPARE(qt::mainWindow(), window);
    QCOMPARE(window->windowTitle(), QString("Test window"));
  }

  void tabFollowsControlOrderSkippingDisabledAndNonStops() {
    field(kFactor)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), field(kFactor));
    const std::array<int, 6> order{kLength, kWatts, kDesign, kName, kCeiling, kFactor};
    for (int id : order) {
      QVERIFY(pressTab());
      QVERIFY2(field(id)->hasFocus() || field(id)->isAncestorOf(QApplication::focusWidget()),
               qPrintable(QString("expected field %1").arg(id)));
    }
    // Not a tab stop, but the mouse reaches it.
    QTest::mouseClick(field(kLumens), Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), field(kLumens));
  }

  void menuSelectionsQueueTheirIds() {
    menuAction("&Open")->trigger();
    menuAction("&Calculate")->trigger();
    int type = 0;
    Message message;
    wmessage(type, message);
    QCOMPARE(type, kMenuSelection);
    QCOMPARE(message.value[0], kOpenItem);
    QCOMPARE(message.value[1], -1);
    wmessage(type, message);
    QCOMPARE(type, kMenuSelection);
    QCOMPARE(message.value[0], kCalculateItem);
    QCOMPARE(qt::pendingMessages(), 0);
  }

  void wmessageWaitsForTheEventLoop() {
    // Nothing is queued yet: the selection arrives while wmessage runs the loop.
    QTimer::singleShot(20, [] { menuAction("&Calculate")->trigger(); });
    int type = 0;
    Message message;
    wmessage(type, message);
    QCOMPARE(type, kMenuSelection);
    QCOMPARE(message.value[0], kCalculateItem);
  }

  void closeRequestLeavesTheWindowOpen() {
    QMainWindow* window = qt::mainWindow();
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QCOMPARE(qt::mainWindow(), window);
    int type = 0;
    Message message;
    wmessage(type, message);
    QCOMPARE(type, kCloseRequest);
    QCOMPARE(message.value[0], -1);
    QCOMPARE(message.value[1], -1);
  }

  void fieldChangesAreReportedOnlyWhenEnabled() {
    field(kFactor)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), field(kFactor));
    QVERIFY(pressTab());
    QCOMPARE(qt::pendingMessages(), 0);

    wmessageenable(kFieldChanged, 1);
    QVERIFY(pressTab());  // length -> watts
    QCOMPARE(qt::pendingMessages(), 1);
    field(kWatts)->setFocus();  // the same field again
    QCoreApplication::processEvents();
    QCOMPARE(qt::pendingMessages(), 1);
    int type = 0;
    Message message;
    wmessage(type, message);
    QCOMPARE(type, kFieldChanged);

    // One message per list change.
    qobject_cast<QComboBox*>(field(kCeiling))->setCurrentIndex(0);
    QCOMPARE(qt::pendingMessages(), 1);
    qt::clearMessages();

    // A refused leave keeps the focus and reports nothing, also on the way back.
    wdialograngeinteger(kWatts, 10, 200);
    QVERIFY(typeInto(kWatts, "5"));
    QVERIFY(pressTab());
    QTRY_COMPARE(QApplication::focusWidget(), field(kWatts));
    QCOMPARE(qt::pendingMessages(), 0);

    wmessageenable(kFieldChanged, 0);
    QVERIFY(typeInto(kWatts, "50"));
    QVERIFY(pressTab());
    QCOMPARE(qt::pendingMessages(), 0);
  }

  void statusBarPartsShowTrimmedText() {
    const std::array<int, 3> widths{3333, 3333, -1};
    windowstatusbarparts(widths);
    windowoutstatusbar(1, "\tCentred   ");
    windowoutstatusbar(2, "Left text   ");
    windowoutstatusbar(3, "    ");
    windowoutstatusbar(4, "ignored");
    windowoutstatusbar(0, "ignored");
    QCOMPARE(qt::statusBarText(1), QString("Centred"));
    QVERIFY(qt::statusBarPart(1)->alignment() & Qt::AlignHCenter);
    QCOMPARE(qt::statusBarText(2), QString("Left text"));
    QVERIFY(qt::statusBarPart(2)->alignment() & Qt::AlignLeft);
    QCOMPARE(qt::statusBarText(3), QString());
    QVERIFY(qt::statusBarPart(4) == nullptr);
    const int client = qt::mainWindow()->width();
    QCOMPARE(qt::statusBarPart(1)->width(), 3333 * client / 10000);
    QVERIFY(qt::statusBarPart(1)->isVisible());
  }

  void closedWindowCanBeOpenedAgain() {
    windowclose();
    QVERIFY(qt::mainWindow() == nullptr);
    // Calls without a form do nothing.
    wdialogputinteger(kWatts, 5);
    QCOMPARE(wdialoggetinteger(kWatts), kEmptyInteger);
    QCOMPARE(wdialoggetreal(kFactor), kEmptyReal);
    QVERIFY(openTestWindow());
    QCOMPARE(wdialoggetinteger(kWatts), 34);
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
