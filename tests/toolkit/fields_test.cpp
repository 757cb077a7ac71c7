// Field transfer, typing filter, ranges and number formats, driven through the widgets.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "test_window.h"
#include "toolkit/qt_access.h"
#include "toolkit/toolkit.h"

using namespace toolkit;
using namespace toolkit::test;

namespace {

QString textOf(int id) {
  return qobject_cast<QLineEdit*>(field(id))->text();
}

// The focus went back to the field and its whole text is selected.
void expectRefused(int id, const QString& text) {
  QTRY_COMPARE(QApplication::focusWidget(), field(id));
  QCoreApplication::processEvents();
  QCOMPARE(QApplication::focusWidget(), field(id));
  auto* edit = qobject_cast<QLineEdit*>(field(id));
  QCOMPARE(edit->text(), text);
  QCOMPARE(edit->selectedText(), text);
}

void expectLeft(int id) {
  QCoreApplication::processEvents();
  QVERIFY(QApplication::focusWidget() != field(id));
}

}  // namespace

class FieldsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    openTestWindow();
    wdialograngereal(kFactor, 0.85f, 1.5f);
    wdialograngereal(kLength, 0.0f, 500.0f);
    wdialograngeinteger(kWatts, 10, 200);
  }
  void cleanup() { closeTestWindow(); }

  void putOutsideRangeKeepsText() {
    wdialogputinteger(kWatts, 5);
    wdialogputinteger(kWatts, 201);
    QCOMPARE(textOf(kWatts), QString("34"));
    wdialogputinteger(kWatts, 200);
    QCOMPARE(textOf(kWatts), QString("200"));
    wdialogputinteger(kWatts, 10);
    QCOMPARE(wdialoggetinteger(kWatts), 10);

    wdialogputreal(kFactor, 1.5f, RealFormat{4, 2});
    QCOMPARE(textOf(kFactor), QString("1.50"));
    wdialogputreal(kFactor, 0.84f, RealFormat{4, 2});
    wdialogputreal(kFactor, 1.51f, RealFormat{4, 2});
    QCOMPARE(textOf(kFactor), QString("1.50"));
    QCOMPARE(wdialoggetreal(kFactor), 1.5f);
    wdialogputreal(kFactor, 0.85f);
    QCOMPARE(textOf(kFactor), QString("0.85"));
    QCOMPARE(wdialoggetreal(kFactor), 0.85f);
  }

  void leavingChecksTheRange() {
    const int beeps = qt::beepCount();
    for (const char* accepted : {"0.85", "1.5"}) {
      typeInto(kFactor, accepted);
      pressTab();
      expectLeft(kFactor);
    }
    QCOMPARE(qt::beepCount(), beeps);
    QCOMPARE(wdialoggetreal(kFactor), 1.5f);

    for (const char* refused : {"0.84", "1.51", "-", "1E99"}) {
      typeInto(kFactor, refused);
      pressTab();
      expectRefused(kFactor, refused);
    }
    QVERIFY(qt::beepCount() > beeps);

    // A ranged field that has shown a value cannot be emptied...
    typeInto(kFactor, "");
    QTest::keyClick(field(kFactor), Qt::Key_Backspace);
    pressTab();
    expectRefused(kFactor, "");
    // ...one that never has may stay empty.
    typeInto(kFactor, "1");
    pressTab();
    field(kLength)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), field(kLength));
    pressTab();
    expectLeft(kLength);

    // Integers: the range, and without one the 32-bit limit.
    typeInto(kWatts, "201");
    pressTab();
    expectRefused(kWatts, "201");
    typeInto(kWatts, "200");
    pressTab();
    expectLeft(kWatts);
    typeInto(kDesign, "99999999999");
    pressTab();
    expectRefused(kDesign, "99999999999");
    typeInto(kDesign, "-2147483648");
    pressTab();
    expectLeft(kDesign);
    QCOMPARE(wdialoggetinteger(kDesign), -2147483647 - 1);
  }

  void readsWhatIsTypedBeforeLeaving() {
    // A command chosen while typing sees the typed text, even out of range.
    typeInto(kFactor, "9");
    QCOMPARE(wdialoggetreal(kFactor), 9.0f);
    typeInto(kWatts, "999");
    QCOMPARE(wdialoggetinteger(kWatts), 999);
  }

  void emptyAndUnreadableFields() {
    QCOMPARE(wdialoggetinteger(kDesign), kEmptyInteger);
    QCOMPARE(wdialoggetreal(kLength), kEmptyReal);
    wdialogputstring(kDesign, "12.7");
    QCOMPARE(wdialoggetinteger(kDesign), 12);
    wdialogputstring(kDesign, "-12.7");
    QCOMPARE(wdialoggetinteger(kDesign), -12);
    wdialogputstring(kDesign, "1+2");
    QCOMPARE(wdialoggetinteger(kDesign), kEmptyInteger);
    wdialogputstring(kLength, "--");
    QCOMPARE(wdialoggetreal(kLength), kEmptyReal);
    // Too large for 32 bits: the nearest limit, never undefined.
    typeInto(kDesign, "99999999999");
    QCOMPARE(wdialoggetinteger(kDesign), 2147483647);
    // A field the form lacks.
    QCOMPARE(wdialoggetinteger(4242), kEmptyInteger);
    QCOMPARE(wdialoggetstring(4242), std::string());
  }

  void typingFilterKeepsNumberCharacters() {
    const int beeps = qt::beepCount();
    typeInto(kDesign, "1a2 x-");
    QCOMPARE(textOf(kDesign), QString("12-"));
    QCOMPARE(qt::beepCount(), beeps + 3);
    typeInto(kDesign, "12.5E");
    QCOMPARE(textOf(kDesign), QString("125"));
    typeInto(kDesign, "123456789012345");
    QCOMPARE(textOf(kDesign), QString("12345678901"));

    typeInto(kLength, "1e2");
    QCOMPARE(textOf(kLength), QString("1E2"));
    pressTab();
    QCOMPARE(wdialoggetreal(kLength), 100.0f);
    typeInto(kLength, "+.5");
    QCOMPARE(textOf(kLength), QString("+.5"));

    // Ctrl+A selects all, Backspace edits, a paste with letters is refused.
    typeInto(kDesign, "77");
    QTest::keyClick(field(kDesign), Qt::Key_Backspace);
    QCOMPARE(textOf(kDesign), QString("7"));
    QApplication::clipboard()->setText("8x");
    QTest::keyClick(field(kDesign), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(textOf(kDesign), QString("7"));
    QApplication::clipboard()->setText("89");
    QTest::keyClick(field(kDesign), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(textOf(kDesign), QString("789"));
  }

  void realsShowTheirFormatAndHoldTheirValue() {
    wdialogputreal(kFactor, 0.875f, RealFormat{4, 2});
    QCOMPARE(textOf(kFactor), QString("0.88"));
    QCOMPARE(wdialoggetreal(kFactor), 0.875f);

    // A typed number is shown again in the field format, the value kept in full.
    typeInto(kFactor, "1");
    pressTab();
    QCOMPARE(textOf(kFactor), QString("1.00"));
    typeInto(kFactor, "1.125");
    pressTab();
    QCOMPARE(textOf(kFactor), QString("1.13"));
    QCOMPARE(wdialoggetreal(kFactor), 1.125f);

    wdialogputreal(kLength, 3.0f, RealFormat{5, 1});
    typeInto(kLength, "12");
    pressTab();
    QCOMPARE(textOf(kLength), QString("12.0"));
    // Wider than the format: shown in full, left-justified.
    wdialogputreal(kLength, 499.25f, RealFormat{3, 2});
    QCOMPARE(textOf(kLength), QString("499.25"));
    // No format given: the field format stays.
    wdialogputreal(kLength, 7.0f);
    QCOMPARE(textOf(kLength), QString("7.00"));

    // A field that never had a format shows the shortest digits.
    closeTestWindow();
    openTestWindow();
    wdialogputreal(kLength, 0.1f);
    QCOMPARE(textOf(kLength), QString("0.1"));
    wdialogputreal(kLength, 1e20f);
    QCOMPARE(textOf(kLength), QString("1E+20"));
  }

  void textsDropTrailingBlanks() {
    wdialogputstring(kName, "Office   ");
    QCOMPARE(textOf(kName), QString("Office"));
    wdialogputstring(kName, "     ");
    QCOMPARE(textOf(kName), QString());
    typeInto(kName, " a b ");
    QCOMPARE(wdialoggetstring(kName), std::string(" a b "));
    wdialogputinteger(kComputed, 42);
    QCOMPARE(wdialoggetinteger(kComputed), 42);
  }

  // Whatever brings a text in, the field keeps one line of at most its width in
  // characters (8 here), never splitting one.
  void textFieldsHoldOneLineOfTheirWidth() {
    wdialogputstring(kName, "Hall\nOst");
    QCOMPARE(textOf(kName), QString("Hall Ost"));
    wdialogputstring(kName, std::string("a\tb\r") + '\0' + "\x01\x7f" + "c");
    QCOMPARE(wdialoggetstring(kName), std::string("a b    c"));
    wdialogputstring(kName, "Büro Südflügel");
    QCOMPARE(wdialoggetstring(kName), std::string("Büro Süd"));
    const QString faces = QString("Licht") + QChar(0xD83D) + QChar(0xDE00);  // Licht😀
    wdialogputstring(kName, (faces + faces).toStdString());
    QCOMPARE(textOf(kName), faces + "Li");
    wdialogputstring(kName, "Licht12" + faces.mid(5).toStdString());
    QCOMPARE(textOf(kName), "Licht12" + faces.mid(5));
    wdialogputstring(kName, "Licht123" + faces.mid(5).toStdString());
    QCOMPARE(textOf(kName), QString("Licht123"));

    // A paste keeps what fits of its head; typing into a full field changes nothing.
    typeInto(kName, "ab");
    QApplication::clipboard()->setText("1\r\n2\t3456789");
    QTest::keyClick(field(kName), Qt::Key_Home);
    QTest::keyClick(field(kName), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(textOf(kName), QString("1  2 3ab"));
    QTest::keyClick(field(kName), Qt::Key_Left);
    QTest::keyClicks(field(kName), "x");
    QCOMPARE(textOf(kName), QString("1  2 3ab"));
    QCOMPARE(qobject_cast<QLineEdit*>(field(kName))->cursorPosition(), 5);
  }

  // A put refused by the range still sets the field format.
  void refusedPutKeepsItsFormat() {
    wdialogputreal(kFactor, 0.0f, RealFormat{4, 2});
    QCOMPARE(textOf(kFactor), QString("1.0000"));
    typeInto(kFactor, "1");
    pressTab();
    QCOMPARE(textOf(kFactor), QString("1.00"));
  }

  void listItemsCountFromOne() {
    auto* list = qobject_cast<QComboBox*>(field(kCeiling));
    QCOMPARE(wdialoggetmenu1(kCeiling), 3);
    list->setCurrentIndex(0);
    QCOMPARE(wdialoggetmenu1(kCeiling), 1);
    typeInto(kCeiling, "50");
    QCOMPARE(wdialoggetmenu1(kCeiling), 2);
    typeInto(kCeiling, "55");
    QCOMPARE(wdialoggetmenu1(kCeiling), 0);
    typeInto(kCeiling, "5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QCOMPARE(list->currentText(), QString());
    QCOMPARE(wdialoggetmenu1(kCeiling), -999);
    // The items stay those of the form whatever is typed.
    typeInto(kCeiling, "55");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(list->count(), 4);
    QCOMPARE(wdialoggetmenu1(kName), -999);
  }
};

QTEST_MAIN(FieldsTest)
#include "fields_test.moc"
