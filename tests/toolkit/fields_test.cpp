// Field transfer, typing filter, ranges and number formats, driven through the widgets.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include "support/qt_helpers.h"
#include "test_window.h"
#include "toolkit/qt_access.h"
#include "toolkit/toolkit.h"

using namespace toolkit;
using namespace toolkit::test;

namespace {

using kandelor::testing::textOf;
using kandelor::testing::typeInto;

// The focus went back to the field, which holds the text, all of it selected.
bool refusedLeaving(int id, const QString& text) {
  if (!QTest::qWaitFor([id] { return QApplication::focusWidget() == field(id); })) return false;
  QCoreApplication::processEvents();
  auto* edit = qobject_cast<QLineEdit*>(field(id));
  return QApplication::focusWidget() == field(id) && edit->text() == text &&
         edit->selectedText() == text;
}

bool focusLeft(int id) {
  QCoreApplication::processEvents();
  return QApplication::focusWidget() != field(id);
}

}  // namespace

class FieldsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(openTestWindow());
    wdialograngereal(kFactor, 0.85f, 1.5f);
    wdialograngereal(kLength, 0.0f, 500.0f);
    wdialograngeinteger(kWatts, 10, 200);
  }
  void cleanup() { closeTestWindow(); }

  // A value put from outside the range is shown (or the overflow mark where its digits
  // do not fit), tinted, explained and read back exactly; it may be left unedited, and an
  // edit brings the range back. A put within the range takes the marks away.
  void outOfRangePutsAreShownMarkedAndKept() {
    wdialogputinteger(kWatts, 201);
    QCOMPARE(textOf(kWatts), QString("201"));
    QCOMPARE(wdialoggetinteger(kWatts), 201);
    QCOMPARE(field(kWatts)->toolTip(), QString("Watts 201 lies outside 10 to 200"));
    QVERIFY(qobject_cast<QLineEdit*>(field(kWatts))->styleSheet().contains("#ffc8c8"));
    wdialogputinteger(kWatts, 200);
    QCOMPARE(textOf(kWatts), QString("200"));
    QCOMPARE(field(kWatts)->toolTip(), QString());
    QVERIFY(!qobject_cast<QLineEdit*>(field(kWatts))->styleSheet().contains('#'));

    wdialogputreal(kLength, 1e6f, RealFormat{5, 1});
    const QString shown = textOf(kLength);
    QVERIFY2(shown == "1000000.0" || shown.count(u'*') == shown.size(), qPrintable(shown));
    QCOMPARE(wdialoggetreal(kLength), 1e6f);
    QCOMPARE(field(kLength)->toolTip(), QString("The value 1000000.0 lies outside 0 to 500"));
    wdialogputreal(kFactor, -999.0f, RealFormat{4, 2});  // an empty value shows empty
    QCOMPARE(textOf(kFactor), QString());
    QCOMPARE(wdialoggetreal(kFactor), -999.0f);
    QCOMPARE(field(kFactor)->toolTip(), QString("Factor is empty; it takes from 0.85 to 1.5"));

    // Left unedited, the value stays; edited, the range applies again.
    const int beeps = qt::beepCount();
    field(kLength)->setFocus();
    QVERIFY(pressTab());
    QCOMPARE(qt::beepCount(), beeps);
    QCOMPARE(wdialoggetreal(kLength), 1e6f);
    QVERIFY(typeInto(kLength, "600"));
    QVERIFY(pressTab());
    QCOMPARE(qt::beepCount(), beeps + 1);
    QVERIFY(typeInto(kLength, "60"));
    QVERIFY(pressTab());
    QCOMPARE(wdialoggetreal(kLength), 60.0f);
    QCOMPARE(field(kLength)->toolTip(), QString());
  }

  void leavingChecksTheRange() {
    const int beeps = qt::beepCount();
    for (const char* accepted : {"0.85", "1.5"}) {
      QVERIFY(typeInto(kFactor, accepted));
      QVERIFY(pressTab());
      QVERIFY(focusLeft(kFactor));
    }
    QCOMPARE(qt::beepCount(), beeps);
    QCOMPARE(wdialoggetreal(kFactor), 1.5f);

    for (const char* refused : {"0.84", "1.51", "-", "1E99"}) {
      QVERIFY(typeInto(kFactor, refused));
      QVERIFY(pressTab());
      QVERIFY(refusedLeaving(kFactor, refused));
    }
    QVERIFY(qt::beepCount() > beeps);

    // A ranged field that has shown a value cannot be emptied...
    QVERIFY(typeInto(kFactor, ""));
    QTest::keyClick(field(kFactor), Qt::Key_Backspace);
    QVERIFY(pressTab());
    QVERIFY(refusedLeaving(kFactor, ""));
    // ...one that never has may stay empty.
    QVERIFY(typeInto(kFactor, "1"));
    QVERIFY(pressTab());
    field(kLength)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), field(kLength));
    QVERIFY(pressTab());
    QVERIFY(focusLeft(kLength));

    // Integers: the range, and without one the 32-bit limit.
    const struct {
      int id;
      const char* typed;
      bool accepted;
    } integers[] = {{kWatts, "201", false},
                    {kWatts, "200", true},
                    {kDesign, "99999999999", false},
                    {kDesign, "-2147483648", true}};
    for (const auto& c : integers) {
      QVERIFY(typeInto(c.id, c.typed));
      QVERIFY(pressTab());
      QVERIFY2(c.accepted ? focusLeft(c.id) : refusedLeaving(c.id, c.typed), c.typed);
    }
    QCOMPARE(wdialoggetinteger(kDesign), -2147483647 - 1);
  }

  void readsWhatIsTypedBeforeLeaving() {
    // A command chosen while typing sees the typed text, even out of range.
    QVERIFY(typeInto(kFactor, "9"));
    QCOMPARE(wdialoggetreal(kFactor), 9.0f);
    QVERIFY(typeInto(kWatts, "999"));
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
    QVERIFY(typeInto(kDesign, "99999999999"));
    QCOMPARE(wdialoggetinteger(kDesign), 2147483647);
    // A field the form lacks.
    QCOMPARE(wdialoggetinteger(4242), kEmptyInteger);
    QCOMPARE(wdialoggetstring(4242), std::string());
  }

  void typingFilterKeepsNumberCharacters() {
    const int beeps = qt::beepCount();
    QVERIFY(typeInto(kDesign, "1a2 x-"));
    QCOMPARE(textOf(kDesign), QString("12-"));
    QCOMPARE(qt::beepCount(), beeps + 3);
    QVERIFY(typeInto(kDesign, "12.5E"));
    QCOMPARE(textOf(kDesign), QString("125"));
    QVERIFY(typeInto(kDesign, "123456789012345"));
    QCOMPARE(textOf(kDesign), QString("12345678901"));

    QVERIFY(typeInto(kLength, "1e2"));
    QCOMPARE(textOf(kLength), QString("1E2"));
    QVERIFY(pressTab());
    QCOMPARE(wdialoggetreal(kLength), 100.0f);
    QVERIFY(typeInto(kLength, "+.5"));
    QCOMPARE(textOf(kLength), QString("+.5"));

    // Ctrl+A selects all, Backspace edits, a paste with letters is refused.
    QVERIFY(typeInto(kDesign, "77"));
    QTest::keyClick(field(kDesign), Qt::Key_Backspace);
    QCOMPARE(textOf(kDesign), QString("7"));
    QApplication::clipboard()->setText("8x");
    QTest::keyClick(field(kDesign), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(textOf(kDesign), QString("7"));
    QApplication::clipboard()->setText("89");
    QTest::keyClick(field(kDesign), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(textOf(kDesign), QString("789"));
  }

  // A comma is the decimal point only where the locale writes decimals with one; a paste
  // that is not exactly one number is refused whole, with a note, never stripped.
  void commasAndPastesAreTakenAsPeopleMeanThem() {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(typeInto(kLength, "3,5"));
    QCOMPARE(textOf(kLength), QString("35"));
    QCOMPARE(qt::refusalNote(), QString("Type decimals with a point: 3.5"));
    const auto paste = [](int id, const QString& text) {
      QApplication::clipboard()->setText(text);
      QTest::keyClick(field(id), Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(field(id), Qt::Key_V, Qt::ControlModifier);
      QApplication::processEvents();
    };
    for (const QString& refused : {QString("1\n2\n3"), QString("12 ft"), QString("3,5")}) {
      const int beeps = qt::beepCount();
      paste(kLength, refused);
      QCOMPARE(textOf(kLength), QString("35"));
      QCOMPARE(qt::beepCount(), beeps + 1);
      QVERIFY2(!qt::refusalNote().isEmpty(), qPrintable(refused));
    }
    paste(kLength, " 12.5\n");  // one number, as a spreadsheet's cell copies
    QCOMPARE(textOf(kLength), QString("12.5"));

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QVERIFY(typeInto(kLength, "3,5"));
    QCOMPARE(textOf(kLength), QString("3.5"));
    paste(kLength, "4,25");
    QCOMPARE(textOf(kLength), QString("4.25"));
    QVERIFY(pressTab());
    QCOMPARE(wdialoggetreal(kLength), 4.25f);
    QLocale::setDefault(before);
  }

  // A result shows its text in the normal colour on the form's background, in the form's
  // font; a tint taken away leaves it as it was.
  void resultLooksAsBeforeOnceItsTintIsGone() {
    auto* computed = qobject_cast<QLineEdit*>(field(kComputed));
    QVERIFY(computed != nullptr && !computed->isEnabled());
    const QPalette palette = computed->palette();
    QCOMPARE(palette.color(QPalette::Disabled, QPalette::Text),
             palette.color(QPalette::Active, QPalette::Text));
    QCOMPARE(palette.color(QPalette::Disabled, QPalette::Base),
             palette.color(QPalette::Active, QPalette::Window));
    QCOMPARE(computed->font(), computed->parentWidget()->font());
    const QImage untinted = computed->grab().toImage();

    setFieldTint(kComputed, Tint{200, 240, 200});
    QVERIFY(computed->styleSheet().contains("#c8f0c8"));
    QVERIFY(computed->grab().toImage() != untinted);
    setFieldTint(kComputed, std::nullopt);
    QVERIFY(!computed->styleSheet().contains('#'));
    QCOMPARE(computed->font(), computed->parentWidget()->font());
    QCOMPARE(computed->grab().toImage(), untinted);
  }

  void realsShowTheirFormatAndHoldTheirValue() {
    wdialogputreal(kFactor, 0.875f, RealFormat{4, 2});
    QCOMPARE(textOf(kFactor), QString("0.88"));
    QCOMPARE(wdialoggetreal(kFactor), 0.875f);

    // A typed number is shown again in the field format, the value kept in full.
    QVERIFY(typeInto(kFactor, "1"));
    QVERIFY(pressTab());
    QCOMPARE(textOf(kFactor), QString("1.00"));
    QVERIFY(typeInto(kFactor, "1.125"));
    QVERIFY(pressTab());
    QCOMPARE(textOf(kFactor), QString("1.13"));
    QCOMPARE(wdialoggetreal(kFactor), 1.125f);

    wdialogputreal(kLength, 3.0f, RealFormat{5, 1});
    QVERIFY(typeInto(kLength, "12"));
    QVERIFY(pressTab());
    QCOMPARE(textOf(kLength), QString("12.0"));
    // Wider than the format: shown in full, left-justified.
    wdialogputreal(kLength, 499.25f, RealFormat{3, 2});
    QCOMPARE(textOf(kLength), QString("499.25"));
    // No format given: the field format stays.
    wdialogputreal(kLength, 7.0f);
    QCOMPARE(textOf(kLength), QString("7.00"));

    // A field that never had a format shows the shortest digits.
    closeTestWindow();
    QVERIFY(openTestWindow());
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
    QVERIFY(typeInto(kName, " a b "));
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
    QVERIFY(typeInto(kName, "ab"));
    QApplication::clipboard()->setText("1\r\n2\t3456789");
    QTest::keyClick(field(kName), Qt::Key_Home);
    QTest::keyClick(field(kName), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(textOf(kName), QString("1  2 3ab"));
    QTest::keyClick(field(kName), Qt::Key_Left);
    QTest::keyClicks(field(kName), "x");
    QCOMPARE(textOf(kName), QString("1  2 3ab"));
    QCOMPARE(qobject_cast<QLineEdit*>(field(kName))->cursorPosition(), 5);
  }

  // A put from outside the range sets the field format too.
  void outOfRangePutSetsItsFormat() {
    wdialogputreal(kFactor, 0.0f, RealFormat{4, 2});
    QCOMPARE(textOf(kFactor), QString("0.00"));
    QVERIFY(typeInto(kFactor, "1"));
    QVERIFY(pressTab());
    QCOMPARE(textOf(kFactor), QString("1.00"));
  }

  // A refusal says, at the field, its name and what it takes, until the field is left
  // with an accepted text.
  void refusalsSayWhatTheFieldTakes() {
    QCOMPARE(qt::refusalNote(), QString());
    QVERIFY(typeInto(kFactor, "0.84"));
    QVERIFY(pressTab());
    QVERIFY(refusedLeaving(kFactor, "0.84"));
    QCOMPARE(qt::refusalNote(), QString("Factor: from 0.85 to 1.5"));
    QCOMPARE(qt::refusalNoteField(), field(kFactor));
    // A text still refused keeps it; one accepted but not yet left too.
    QTest::keyClicks(field(kFactor), "2");
    QVERIFY(pressTab());
    QVERIFY(refusedLeaving(kFactor, "2"));
    QTest::keyClicks(field(kFactor), "1");
    QCOMPARE(qt::refusalNote(), QString("Factor: from 0.85 to 1.5"));
    QVERIFY(pressTab());
    QVERIFY(focusLeft(kFactor));
    QCOMPARE(qt::refusalNote(), QString());

    const struct {
      int id;
      const char* typed;
      const char* note;
    } cases[] = {{kWatts, "201", "Watts: from 10 to 200"},
                 {kLength, "-1", "from 0 to 500"},  // a field without a name
                 {kDesign, "99999999999", "a whole number from -2147483648 to 2147483647"}};
    for (const auto& c : cases) {
      QVERIFY(typeInto(c.id, c.typed));
      QVERIFY(pressTab());
      QVERIFY2(refusedLeaving(c.id, c.typed), c.typed);
      QCOMPARE(qt::refusalNote(), QString(c.note));
      QVERIFY(typeInto(c.id, "20"));
      QVERIFY(pressTab());
      QVERIFY(focusLeft(c.id));
      QCOMPARE(qt::refusalNote(), QString());
    }

    // A key the field refuses says so too; a put that makes the text good takes it away.
    QVERIFY(typeInto(kWatts, "x"));
    QCOMPARE(qt::refusalNote(), QString("Watts: from 10 to 200"));
    QVERIFY(typeInto(kWatts, "5"));
    wdialogputinteger(kWatts, 300);
    QCOMPARE(qt::refusalNote(), QString("Watts: from 10 to 200"));
    wdialogputinteger(kWatts, 30);
    QCOMPARE(qt::refusalNote(), QString());
  }

  // Text that is none of a list's items cannot stay in it; an item's text selects it.
  void listsTakeOnlyTheirItems() {
    auto* list = qobject_cast<QComboBox*>(field(kCeiling));
    const auto heldInList = [&] {
      QCoreApplication::processEvents();
      QCoreApplication::processEvents();
      QWidget* focus = QApplication::focusWidget();
      return focus != nullptr && (focus == list || list->isAncestorOf(focus));
    };
    const int beeps = qt::beepCount();
    for (const char* refused : {"75", "", "50 "}) {
      QVERIFY(typeInto(kCeiling, refused));
      if (QString(refused).isEmpty()) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
      QVERIFY(pressTab());
      QVERIFY2(heldInList(), refused);
      QCOMPARE(list->currentText(), QString(refused));
      QCOMPARE(list->lineEdit()->selectedText(), QString(refused));
      QCOMPARE(qt::refusalNote(), QString("Ceiling: 30, 50, 70 or 80"));
    }
    QCOMPARE(qt::beepCount(), beeps + 3);
    // A command that cannot use the text refuses it the same way.
    QVERIFY(holdRefusedText(kCeiling));
    QVERIFY(heldInList());
    QCOMPARE(qt::beepCount(), beeps + 4);
    QVERIFY(!holdRefusedText(kFactor));

    QVERIFY(typeInto(kCeiling, "50"));
    QVERIFY(pressTab());
    QVERIFY(!heldInList());
    QCOMPARE(qt::refusalNote(), QString());
    QCOMPARE(list->currentIndex(), 1);
    QCOMPARE(wdialoggetmenu1(kCeiling), 2);
    QVERIFY(!holdRefusedText(kCeiling));
  }

  void listItemsCountFromOne() {
    auto* list = qobject_cast<QComboBox*>(field(kCeiling));
    QCOMPARE(wdialoggetmenu1(kCeiling), 3);
    list->setCurrentIndex(0);
    QCOMPARE(wdialoggetmenu1(kCeiling), 1);
    QVERIFY(typeInto(kCeiling, "50"));
    QCOMPARE(wdialoggetmenu1(kCeiling), 2);
    QVERIFY(typeInto(kCeiling, "55"));
    QCOMPARE(wdialoggetmenu1(kCeiling), 0);
    QVERIFY(typeInto(kCeiling, "5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QCOMPARE(list->currentText(), QString());
    QCOMPARE(wdialoggetmenu1(kCeiling), -999);
    // The items stay those of the form whatever is typed.
    QVERIFY(typeInto(kCeiling, "55"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(list->count(), 4);
    QCOMPARE(wdialoggetmenu1(kName), -999);
  }
};

QTEST_MAIN(FieldsTest)
#include "fields_test.moc"
