#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QSet>
#include <QTest>

#include "form/field_ids.h"
#include "form/form_transfer.h"
#include "form/resource.h"
#include "form/verdict_view.h"
#include "support/qt_helpers.h"
#include "toolkit/qt_access.h"
#include "toolkit/toolkit.h"

using namespace kandelor;

namespace {

using kandelor::testing::textOf;

// A page with a different value in every field, all inside the form's ranges.
RoomPage samplePage() {
  RoomPage page;
  page.defaults = {0.875f, 0.9f, 1.5f, 34, 2800};
  for (int r = 1; r <= kRowCount; ++r) {
    RoomRow& row = page.row(r);
    row.name.assign("Room " + std::to_string(r));
    row.number.assign(std::to_string(100 + r));
    row.description.assign("Type-" + std::to_string(r));
    row.length = 10.3f + static_cast<float>(r);
    row.width = 0.1f * static_cast<float>(r);
    row.height = 8.0f + static_cast<float>(r) / 3.0f;
    row.roomCavityRatio = r;
    row.designFootcandles = 30 + r;
    row.calculatedFootcandles = 40 + r;
    row.fixtureNumber = r;
    row.quantity = 100 - r;
    row.wattsPerSquareFoot = 1.36f + static_cast<float>(r);
  }
  return page;
}

}  // namespace

class FormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    toolkit::winitialise();
    registerResources();
    toolkit::windowopen2(kMainWindowFlags, kMainMenu, kRoomForm, "Kandelor 2.0");
    RangeData();
  }

  void cleanupTestCase() { toolkit::windowclose(); }

  // Every grid cell has its own field, and the regular rows follow the form's numbering.
  void gridIdsAreUniqueAndPresent() {
    QSet<int> seen;
    for (int r = 1; r <= kRowCount; ++r) {
      for (int c = 0; c < kColumnCount; ++c) {
        const int id = fieldId(r, static_cast<Column>(c));
        QVERIFY2(!seen.contains(id), qPrintable(QString("id %1 used twice").arg(id)));
        seen.insert(id);
        QVERIFY2(toolkit::qt::fieldWidget(id) != nullptr, qPrintable(QString::number(id)));
        if (r == 2 || r >= 5) QCOMPARE(id, 1018 + 12 * r + c);
      }
    }
    QCOMPARE(seen.size(), kRowCount * kColumnCount);
    QCOMPARE(fieldId(1, Column::Description), 1035);
    QCOMPARE(fieldId(3, Column::Quantity), 1066);
    QCOMPARE(fieldId(4, Column::Name), 1064);
  }

  // What PutData shows, GetData reads back unchanged, each row from its own fields,
  // and reals are not rounded to the digits shown.
  void putThenGetKeepsThePage() {
    const RoomPage page = samplePage();
    PutData(page);
    RoomPage back;
    GetData(back);
    for (int r = 1; r <= kRowCount; ++r) {
      QCOMPARE(back.row(r), page.row(r));
    }
    QCOMPARE(back.defaults, page.defaults);
    QCOMPARE(textOf(kBallastFactorField), QStringLiteral("0.88"));
    QCOMPARE(textOf(fieldId(1, Column::WattsPerSquareFoot)), QStringLiteral("2.4"));
    QCOMPARE(textOf(fieldId(19, Column::Name)), QStringLiteral("Room 19"));
  }

  // Every value reaches the form, in its range or not, and GetData gives each back exactly:
  // nothing of the page shown before stays behind.
  void outOfRangeValuesAreShownAndReadBack() {
    PutData(samplePage());
    RoomPage page = samplePage();
    page.defaults.lampLumens = 24000;
    page.defaults.ballastFactor = -999.0f;  // empty in the file
    page.row(3).length = 1e6f;
    page.row(4).height = -1.0f;
    page.row(7).fixtureNumber = 51;
    page.row(9).quantity = -1;
    page.row(2).designFootcandles = -999;  // no range: shown as it is
    PutData(page);
    QCOMPARE(textOf(kLampLumensField), QStringLiteral("24000"));
    QCOMPARE(textOf(kBallastFactorField), QString());
    QCOMPARE(textOf(fieldId(4, Column::Height)), QStringLiteral("-1.0"));
    QCOMPARE(toolkit::qt::fieldWidget(fieldId(4, Column::Height))->toolTip(),
             QStringLiteral("Height -1.0 lies outside 0 to 35"));

    RoomPage back;
    GetData(back);
    for (int r = 1; r <= kRowCount; ++r) QCOMPARE(back.row(r), page.row(r));
    QCOMPARE(back.defaults, page.defaults);
  }

  // Texts longer than the model's widths are cut; blank texts show as empty fields.
  void textsAreCutToTheirWidths() {
    RoomPage page = samplePage();
    page.row(5).name.assign("");
    PutData(page);
    QCOMPARE(textOf(fieldId(5, Column::Name)), QString());
    toolkit::wdialogputstring(fieldId(5, Column::Name), "A very long room name");
    toolkit::wdialogputstring(fieldId(5, Column::Number), "1234567890");
    RoomPage back;
    GetData(back);
    QCOMPARE(std::string(back.row(5).name.view()), std::string("A very long r"));
    QCOMPARE(std::string(back.row(5).number.view()), std::string("123456"));
  }

  // The advice names the fewest fixtures that meet the design and, where more are needed
  // to reach it, those too.
  void verdictToolTipsNameTheFixturesNeeded() {
    using C = FixtureCount;
    const struct {
      Verdict verdict;
      FixturesNeeded needed;
      const char* text;
    } cases[] = {
        {Verdict::Meets,
         {C{5, 39}, C{6, 47}, 31},
         "Design 40 fc: meets. 5 fixtures give 39 fc; 6 give 47 fc, the full design."},
        {Verdict::Low,
         {C{6, 47}, C{6, 47}, 39},
         "Design 40 fc: low. 6 fixtures give 47 fc (5 give 39)."},
        {Verdict::High, {std::nullopt, C{1, 52}, 0}, "Design 40 fc: high. 1 fixture gives 52 fc."},
        {Verdict::Low,
         {C{2, 37}, std::nullopt, 18},
         "Design 40 fc: low. 2 fixtures give 37 fc; no quantity up to 100 gives the full design."},
        {Verdict::Low, {}, "Design 40 fc: low. No quantity up to 100 reaches 40 fc."},
        {Verdict::None, {C{5, 39}, C{6, 47}, 31}, ""},
    };
    for (const auto& c : cases)
      QCOMPARE(verdictToolTip(c.verdict, 40, c.needed), std::string(c.text));
  }

  // Tab walks the page defaults, the two lists and then each row's editable fields.
  void tabOrderFollowsTheForm() {
    QMainWindow* window = toolkit::qt::mainWindow();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    const int expected[] = {kBallastFactorField,
                            kLampLumenDepreciationField,
                            kLampDirtDepreciationField,
                            kLampWattsField,
                            kCeilingReflectanceList,
                            kWallReflectanceList,
                            fieldId(1, Column::Name),
                            fieldId(1, Column::Number),
                            fieldId(1, Column::Length),
                            fieldId(1, Column::Width),
                            fieldId(1, Column::Height),
                            fieldId(1, Column::Design),
                            fieldId(1, Column::FixtureNumber),
                            fieldId(1, Column::Quantity),
                            fieldId(2, Column::Name)};
    toolkit::qt::fieldWidget(expected[0])->setFocus();
    for (int id : expected) {
      QWidget* focus = QApplication::focusWidget();
      QWidget* field = toolkit::qt::fieldWidget(id);
      QVERIFY2(focus == field || (focus && field->isAncestorOf(focus)),
               qPrintable(QString("focus is not on field %1").arg(id)));
      QTest::keyClick(focus, Qt::Key_Tab);
    }
  }
};

QTEST_MAIN(FormTest)
#include "form_test.moc"
