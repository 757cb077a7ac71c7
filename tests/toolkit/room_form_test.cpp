// The program's room form as the toolkit builds it: layout, tab order, ranges.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QTest>

#include "form/field_ids.h"
#include "form/form_transfer.h"
#include "form/resource.h"
#include "support/qt_helpers.h"
#include "toolkit/qt_access.h"
#include "toolkit/toolkit.h"

using namespace toolkit;
using kandelor::testing::typeInto;

namespace {

// Where a click on a field lands in the main window's native window, which real clicks
// and wheel turns reach before any widget: a field's centre, a list's arrow.
QPoint centreOf(int id) {
  QWidget* widget = qt::fieldWidget(id);
  QPoint at = widget->rect().center();
  if (qobject_cast<QComboBox*>(widget)) at.setX(widget->rect().right() - 3);
  return widget->mapTo(qt::mainWindow(), at);
}

void click(int id) {
  QTest::mouseClick(qt::mainWindow()->windowHandle(), Qt::LeftButton, {}, centreOf(id));
}

void turnWheel(int id) {
  const QPoint at = centreOf(id);
  QWheelEvent wheel(at, qt::mainWindow()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(qt::mainWindow()->windowHandle(), &wheel);
}

}  // namespace

class RoomFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    winitialise();
    kandelor::registerResources();
    windowopen2(kandelor::kMainWindowFlags, kandelor::kMainMenu, kandelor::kRoomForm,
                "Kandelor 2.0");
    QVERIFY(QTest::qWaitForWindowActive(qt::mainWindow()));
  }
  void cleanupTestCase() { windowclose(); }

  void everyControlLiesInsideTheForm() {
    const FormResource form = kandelor::roomForm();
    const QRect client = qt::mainWindow()->centralWidget()->rect();
    int fields = 0;
    for (const Control& control : form.controls) {
      if (control.kind == ControlKind::Label) continue;
      QWidget* widget = qt::fieldWidget(control.id);
      QVERIFY2(widget != nullptr, qPrintable(QString::number(control.id)));
      QVERIFY2(client.contains(widget->geometry()), qPrintable(QString::number(control.id)));
      QCOMPARE(widget->isEnabled(), control.enabled);
      ++fields;
    }
    QVERIFY(fields >= 233);
    QCOMPARE(qt::mainWindow()->minimumSize(), qt::mainWindow()->maximumSize());
  }

  // Each item's action, found by its object name, reports the item's own id.
  void menuActionsReportTheirIds() {
    for (const MenuItem& top : kandelor::mainMenu().items) {
      const std::vector<MenuItem> items = top.popup.empty() ? std::vector{top} : top.popup;
      if (!top.popup.empty())
        QVERIFY(qt::mainWindow()->findChild<QMenu*>(QString::fromStdString(top.name)));
      for (const MenuItem& item : items) {
        auto* action = qt::mainWindow()->findChild<QAction*>(QString::fromStdString(item.name));
        QVERIFY2(action != nullptr, item.name.c_str());
        action->trigger();
        int type = 0;
        Message message;
        wmessage(type, message);
        QCOMPARE(type, kMenuSelection);
        QCOMPARE(message.value[0], item.id);
      }
    }
  }

  void tabRunsThroughDefaultsThenRows() {
    qt::fieldWidget(1017)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), qt::fieldWidget(1017));
    for (int id :
         {1018, 1025, 1026, 1259, 1028, 1030, 1031, 1032, 1033, 1034, 1037, 1039, 1041, 1042}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focused = QApplication::focusWidget();
      QVERIFY2(focused == qt::fieldWidget(id) || qt::fieldWidget(id)->isAncestorOf(focused),
               qPrintable(QString("expected %1").arg(id)));
    }
  }

  void ballastFactorBounds() {
    wdialograngereal(1017, 0.85f, 1.5f);
    auto* edit = qobject_cast<QLineEdit*>(qt::fieldWidget(1017));
    QVERIFY(typeInto(1017, "1.51"));
    QTest::keyClick(edit, Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(edit->selectedText(), QString("1.51"));
    // Named by its label, the field says what it takes.
    QCOMPARE(qt::refusalNote(), QString("Ballast Factor: from 0.85 to 1.5"));
    QTest::keyClicks(edit, "1.5");
    QTest::keyClick(edit, Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), qt::fieldWidget(1018));
    QCOMPARE(wdialoggetreal(1017), 1.5f);
    QCOMPARE(qt::refusalNote(), QString());
  }

  // While Length holds 600 (beyond 500), nothing gets into another field or list.
  void refusedLengthHoldsTheFocus() {
    kandelor::RangeData();
    constexpr int kLength = 1032, kNextName = 1042, kWidth = 1033;
    auto* length = qobject_cast<QLineEdit*>(qt::fieldWidget(kLength));
    QVERIFY(typeInto(kLength, "600"));
    int beeps = qt::beepCount();
    // Length keeps the focus with all of its text selected, and a beep was sounded.
    const auto held = [&] {
      QCoreApplication::processEvents();
      const bool beeped = qt::beepCount() > beeps;
      beeps = qt::beepCount();
      return QApplication::focusWidget() == length && length->selectedText() == "600" && beeped;
    };
    QTest::keyClick(length, Qt::Key_Tab);
    QVERIFY2(held(), "Tab");
    QCOMPARE(qt::refusalNote(), QString("Length: from 0 to 500"));
    QTest::keyClick(length, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY2(held(), "Shift+Tab");
    click(kNextName);
    QVERIFY2(held(), "click on a field");
    for (int id : {1259, 1028}) {
      auto* list = qobject_cast<QComboBox*>(qt::fieldWidget(id));
      const int selected = list->currentIndex();
      click(id);
      QVERIFY2(held(), "click on a list");
      QVERIFY(!list->view()->isVisible());
      turnWheel(id);
      QVERIFY2(held(), "wheel over a list");
      QCOMPARE(list->currentIndex(), selected);
    }

    // Another window comes and goes; the check still comes first.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    click(kNextName);
    other.hide();
    qt::mainWindow()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(qt::mainWindow()));
    QVERIFY2(held(), "click after another window");

    // Once valid, the field is left and the lists work again.
    QTest::keyClicks(length, "60");
    QTest::keyClick(length, Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), qt::fieldWidget(kWidth));
    QCOMPARE(wdialoggetreal(kLength), 60.0f);
    auto* wall = qobject_cast<QComboBox*>(qt::fieldWidget(1028));
    click(1028);
    QTRY_VERIFY(wall->view()->isVisible());
    wall->hidePopup();
    QCOMPARE(qt::beepCount(), beeps);
  }

  // 75 typed into the ceiling list is held back with what the list takes; its own
  // drop-down stays open to put it right.
  void reflectanceListTakesOnlyItsItems() {
    constexpr int kCeiling = 1259, kNextName = 1042;
    auto* ceiling = qobject_cast<QComboBox*>(qt::fieldWidget(kCeiling));
    QCOMPARE(wdialoggetmenu1(kCeiling), 3);
    QVERIFY(typeInto(kCeiling, "75"));
    const int beeps = qt::beepCount();
    click(kNextName);
    QCoreApplication::processEvents();
    QVERIFY(ceiling->isAncestorOf(QApplication::focusWidget()));
    QCOMPARE(ceiling->currentText(), QString("75"));
    QCOMPARE(ceiling->lineEdit()->selectedText(), QString("75"));
    QCOMPARE(qt::beepCount(), beeps + 1);
    QCOMPARE(qt::refusalNote(), QString("Ceiling Reflectance: 30, 50, 70 or 80"));
    QCOMPARE(qt::refusalNoteField(), ceiling);

    // Choosing the item that was selected before puts its text back.
    click(kCeiling);
    QTRY_VERIFY(ceiling->view()->isVisible());
    ceiling->view()->setCurrentIndex(ceiling->model()->index(2, 0));
    QTest::keyClick(ceiling->view(), Qt::Key_Return);
    QTRY_VERIFY(!ceiling->view()->isVisible());
    QCOMPARE(ceiling->currentText(), QString("70"));
    QCOMPARE(wdialoggetmenu1(kCeiling), 3);
    click(kNextName);
    QTRY_COMPARE(QApplication::focusWidget(), qt::fieldWidget(kNextName));
    QCOMPARE(qt::refusalNote(), QString());
    QCOMPARE(qt::beepCount(), beeps + 1);
  }
};

QTEST_MAIN(RoomFormTest)
#include "room_form_test.moc"
