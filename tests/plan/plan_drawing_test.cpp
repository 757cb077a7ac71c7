// The plan of a shipped room rendered offscreen: what is drawn where.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "calc/catalogue.h"
#include "calc/workplane/room_light.h"
#include "calc/workplane/type_photometry.h"
#include "drawing/plan_drawing.h"
#include "plan/colour_scale.h"
#include "plan/room_plan_scene.h"

namespace kandelor::plan {
namespace {

bool isWhite(QRgb pixel) {
  return qRed(pixel) > 245 && qGreen(pixel) > 245 && qBlue(pixel) > 245;
}

struct Rendered {
  workplane::RoomLight light;
  PlanScene scene;
  QImage image;
  DrawnPlan drawn;
};

// A 15 x 12 x 9 ft office with four 2 x 4 ft parabolic troffers (type 2 of the shipped
// catalogue, whose file gives the luminous opening as 2 ft wide and 4 ft long).
Rendered renderOffice(QSize size) {
  FixtureCatalogue catalogue;
  const std::string dir = KANDELOR_DATA_DIR;
  EXPECT_TRUE(rawdata(catalogue, dir + "/light.dat", dir + "/Type.dat"));
  const workplane::CataloguePhotometry photometry = workplane::loadCataloguePhotometry(dir);
  RoomRow room;
  room.length = 15;
  room.width = 12;
  room.height = 9;
  room.fixtureNumber = 2;
  room.quantity = 4;
  const PageDefaults defaults{1.0f, 0.9f, 0.9f, 34, 2800};
  auto result = workplane::computeRoomLight(room, defaults, catalogue, photometry, {70, 30}, 71);
  EXPECT_TRUE(result.light) << result.reason;
  Rendered r;
  r.light = *result.light;
  r.scene = roomPlanScene(r.light, "Office (102)");
  r.image = QImage(size, QImage::Format_RGB32);
  r.image.fill(Qt::white);
  QPainter painter(&r.image);
  r.drawn = drawPlan(painter, r.scene, QRectF(QPointF(0, 0), QSizeF(size)));
  return r;
}

class PlanDrawing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "plan_drawing_test";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() == nullptr) new QGuiApplication(argc, argv);
  }
};

TEST_F(PlanDrawing, FixturesAreRectanglesOfTheirLuminousSizeAtTheirLayoutPlaces) {
  // The same room in a window's size and in a half page's.
  for (const QSize size : {QSize(900, 600), QSize(540, 330)}) {
    const Rendered r = renderOffice(size);
    const PlanLayout& layout = r.drawn.layout;
    ASSERT_EQ(r.light.layout.fixtures.size(), 4u);
    ASSERT_DOUBLE_EQ(r.light.fixtureLength, 4);
    ASSERT_DOUBLE_EQ(r.light.fixtureWidth, 2);
    for (const workplane::PlanPoint& at : r.light.layout.fixtures) {
      const auto pixel = [&](double dx, double dy) {
        const QPointF p = layout.toArea(at.x + dx, at.y + dy);
        return r.image.pixel(static_cast<int>(p.x()), static_cast<int>(p.y()));
      };
      // White inside the 4 x 2 ft opening, the false colour just beyond it.
      for (const auto& [dx, dy] :
           {std::pair{0.0, 0.0}, {1.6, 0.0}, {-1.6, 0.0}, {0.0, 0.7}, {0.0, -0.7}, {1.6, 0.7}}) {
        EXPECT_TRUE(isWhite(pixel(dx, dy))) << at.x << "," << at.y << " + " << dx << "," << dy;
      }
      // An isoline may pass right there: one of three points close by shows the colour.
      for (const auto& [dx, dy] : {std::pair{2.4, 0.0}, {-2.4, 0.0}, {0.0, 1.4}, {0.0, -1.4}}) {
        const bool coloured = !isWhite(pixel(dx, dy)) || !isWhite(pixel(dx + 0.2, dy + 0.2)) ||
                              !isWhite(pixel(dx - 0.2, dy - 0.2));
        EXPECT_TRUE(coloured) << at.x << "," << at.y << " + " << dx << "," << dy;
      }
    }
  }
}

TEST_F(PlanDrawing, LegendSpansThePointsAndValuesStayInsideTheRoom) {
  const Rendered r = renderOffice(QSize(900, 600));
  EXPECT_DOUBLE_EQ(r.drawn.legendLow, r.light.figures.minimum);
  EXPECT_DOUBLE_EQ(r.drawn.legendHigh, r.light.figures.maximum);
  // The bar runs from the scale's first colour at the bottom to its last at the top.
  const QRectF bar = r.drawn.layout.legendBar;
  const auto near = [](QRgb pixel, Rgb expected) {
    return std::abs(qRed(pixel) - expected.red) <= 8 &&
           std::abs(qGreen(pixel) - expected.green) <= 8 &&
           std::abs(qBlue(pixel) - expected.blue) <= 8;
  };
  const int x = static_cast<int>(bar.center().x());
  EXPECT_TRUE(near(r.image.pixel(x, static_cast<int>(bar.top() + 3)), viridis(1)));
  EXPECT_TRUE(near(r.image.pixel(x, static_cast<int>(bar.bottom() - 3)), viridis(0)));
  // The darkest point of the room not under an isoline's label takes the scale's colour of
  // its value, close to the scale's first.
  std::vector<int> order(r.light.total.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    return r.light.total[static_cast<std::size_t>(a)] < r.light.total[static_cast<std::size_t>(b)];
  });
  bool checked = false;
  for (const int index : order) {
    const QPointF at = r.drawn.layout.toArea(r.light.grid.x(index % r.light.grid.nx),
                                             r.light.grid.y(index / r.light.grid.nx));
    const bool labelled =
        std::any_of(r.drawn.isolineLabels.begin(), r.drawn.isolineLabels.end(),
                    [&](const QRectF& label) { return label.adjusted(-3, -3, 3, 3).contains(at); });
    if (labelled) continue;
    const double share = (r.light.total[static_cast<std::size_t>(index)] - r.drawn.legendLow) /
                         (r.drawn.legendHigh - r.drawn.legendLow);
    EXPECT_LT(share, 0.1);
    EXPECT_TRUE(near(r.image.pixel(at.toPoint()), viridis(share))) << at.x() << "," << at.y();
    checked = true;
    break;
  }
  EXPECT_TRUE(checked);

  ASSERT_GE(r.drawn.isolineLabels.size(), 2u);
  const double perFoot = r.drawn.layout.perFoot;
  for (const QRectF& label : r.drawn.isolineLabels) {
    for (const workplane::PlanPoint& at : r.light.layout.fixtures) {
      const QPointF centre = r.drawn.layout.toArea(at.x, at.y);
      const QRectF fixture(centre.x() - 2 * perFoot, centre.y() - perFoot, 4 * perFoot,
                           2 * perFoot);
      EXPECT_FALSE(label.intersects(fixture)) << "a value covers the fixture at " << at.x;
    }
    EXPECT_TRUE(r.drawn.layout.room.contains(label))
        << label.x() << "," << label.y() << " " << label.width() << "x" << label.height();
    for (const QRectF& other : r.drawn.isolineLabels) {
      if (&other != &label) {
        EXPECT_FALSE(label.intersects(other));
      }
    }
  }
}

TEST_F(PlanDrawing, FiguresNameTheLayoutAndTheSpacingVerdict) {
  const Rendered r = renderOffice(QSize(900, 600));
  const auto value = [&](const std::string& label) -> const Figure* {
    for (const Figure& f : r.scene.figures) {
      if (f.label == label) return &f;
    }
    return nullptr;
  };
  ASSERT_NE(value("Layout"), nullptr);
  EXPECT_EQ(value("Layout")->value, "2 \u00d7 2, 7.5 \u00d7 6.0 ft");
  ASSERT_NE(value("Spacing"), nullptr);
  EXPECT_EQ(value("Spacing")->value, "within SC");
  EXPECT_EQ(value("Spacing")->tone, Tone::Good);
  EXPECT_EQ(value("Lumen method")->value, "71 fc");
  for (const char* label : {"Average", "Minimum", "Maximum", "Average/minimum", "Maximum/minimum",
                            "Direct share", "Spacing along", "Spacing across"}) {
    EXPECT_NE(value(label), nullptr) << label;
  }
}

// The spacing figures say what was checked: one row is not checked across, a shorter last
// row gives its own spacing; overlapping strips and a room beyond RCR 10 are said in
// orange; each observer is marked with its rating and the highest is the room's.
TEST_F(PlanDrawing, FiguresSayWhatWasCheckedAndWhatIsWrong) {
  FixtureCatalogue catalogue;
  const std::string dir = KANDELOR_DATA_DIR;
  ASSERT_TRUE(rawdata(catalogue, dir + "/light.dat", dir + "/Type.dat"));
  const auto photometry = workplane::loadCataloguePhotometry(dir);
  const auto figuresOf = [&](float length, float width, float height, int type, int quantity) {
    RoomRow room;
    room.length = length, room.width = width, room.height = height;
    room.fixtureNumber = type, room.quantity = quantity;
    const auto result = workplane::computeRoomLight(room, {1.0f, 0.9f, 0.9f, 34, 2800}, catalogue,
                                                    photometry, {70, 30}, 0);
    EXPECT_TRUE(result.light) << result.reason;
    return roomPlanScene(*result.light, "Room");
  };
  const auto value = [](const PlanScene& scene, const std::string& label) -> const Figure* {
    for (const Figure& f : scene.figures) {
      if (f.label == label) return &f;
    }
    return nullptr;
  };
  const PlanScene corridor = figuresOf(60, 8, 9, 6, 6);
  EXPECT_EQ(value(corridor, "Spacing across")->value, "one row: across not checked");
  const PlanScene office = figuresOf(30, 20, 9, 1, 7);  // 2 rows: 4 and a last row of 3
  ASSERT_NE(value(office, "Spacing along"), nullptr);
  EXPECT_NE(value(office, "Spacing along")->value.find("last row of 3: 10.0 ft along"),
            std::string::npos)
      << value(office, "Spacing along")->value;
  EXPECT_EQ(value(office, "Fixtures"), nullptr);
  ASSERT_EQ(office.observers.size(), 4u);
  EXPECT_NE(value(office, "Glare UGR")->value.find("the highest of 4 seated observers"),
            std::string::npos);

  const PlanScene strips = figuresOf(30, 10, 12, 7, 8);  // 8 ft strips in rows of 4 at 7.5 ft
  ASSERT_NE(value(strips, "Fixtures"), nullptr);
  EXPECT_EQ(value(strips, "Fixtures")->value,
            "the fixtures overlap: 8.0 ft long at 7.5 ft spacing");
  EXPECT_EQ(value(strips, "Fixtures")->tone, Tone::Poor);
  const PlanScene shaft = figuresOf(4, 4, 20, 1, 1);
  ASSERT_NE(value(shaft, "RCR"), nullptr);
  EXPECT_EQ(value(office, "RCR"), nullptr);
}

}  // namespace
}  // namespace kandelor::plan
