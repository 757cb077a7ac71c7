// The program's room form as the toolkit builds it: layout, tab order, ranges.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>

#include "form/resource.h"
#include "toolkit/qt_access.h"
#include "toolkit/toolkit.h"

using namespace toolkit;

class RoomFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    winitialise();
    kandelor::registerResources();
    windowopen2(39, 30001, 101, "Kandelor 2.0");
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
    edit->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, "1.51");
    QTest::keyClick(edit, Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(edit->selectedText(), QString("1.51"));
    QTest::keyClicks(edit, "1.5");
    QTest::keyClick(edit, Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), qt::fieldWidget(1018));
    QCOMPARE(wdialoggetreal(1017), 1.5f);
  }
};

QTEST_MAIN(RoomFormTest)
#include "room_form_test.moc"
