#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <tuple>
#include <utility>
#include <vector>

#include "calc/photometry/lm63_text.h"
#include "calc/workplane/offset_sum.h"
#include "calc/workplane/point_gather.h"

namespace kandelor::workplane {
namespace {

// The shipped catalogue and its photometry, read once for all the rooms.
class ShippedRooms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string data = KANDELOR_DATA_DIR;
    catalogue_ = new FixtureCatalogue;
    ASSERT_TRUE(rawdata(*catalogue_, data + "/light.dat", data + "/Type.dat"));
    photometry_ = new CataloguePhotometry(loadCataloguePhotometry(data));
  }
  static void TearDownTestSuite() {
    delete catalogue_;
    delete photometry_;
  }

  struct Size {
    float length, width, height;
    int type, quantity;
  };

  static RoomLightResult lightOf(const Size& size, PointGather gather = PointGather::Lattice) {
    RoomRow row;
    row.length = size.length;
    row.width = size.width;
    row.height = size.height;
    row.fixtureNumber = size.type;
    row.quantity = size.quantity;
    return computeRoomLight(row, kDefaults, *catalogue_, *photometry_, {80, 70}, 0, {}, gather);
  }

  static constexpr PageDefaults kDefaults{1.0f, 0.9f, 0.9f, 34, 2800};

  static inline FixtureCatalogue* catalogue_ = nullptr;
  static inline CataloguePhotometry* photometry_ = nullptr;
};

double relative(double a, double b) {
  return std::abs(a - b) / std::max(std::abs(b), 1e-12);
}

IntensityTable tableOf(std::vector<double> planes, std::function<double(double, double)> candela) {
  photometry::testing::Lm63Layout layout;
  layout.vertical = photometry::testing::angleSteps(0, 180, 5);
  layout.horizontal = std::move(planes);
  layout.candela = std::move(candela);
  const auto read = photometry::readLm63(photometry::testing::lm63Text(layout), "test.ies");
  EXPECT_TRUE(read) << read.error().message();
  return IntensityTable::fromPhotometry(*read);
}

// The light summed once per distinct offset is the plain sum over every source at every
// receiver, on the work plane and on a wall, for distributions mirrored both ways, about
// their length only, across it only, and for the Lambertian return of the ceiling; and
// where the layout repeats, far fewer offsets are looked up than there are pairs.
TEST(DirectLight, SummedByDistinctOffsetsIsThePlainSum) {
  constexpr double kDegree = std::numbers::pi / 180;
  using photometry::testing::angleSteps;
  struct Case {
    IntensityTable table;
    bool mirrorsX, mirrorsY;
  };
  const std::vector<Case> cases = {
      {tableOf(angleSteps(0, 90, 15),
               [&](double t, double c) {
                 return 500 + 300 * std::cos(t * kDegree) * (1 + 0.5 * std::cos(2 * c * kDegree));
               }),
       true, true},
      {tableOf(angleSteps(0, 180, 15),
               [&](double t, double c) {
                 return 500 + 200 * std::sin(t * kDegree) * std::cos(c * kDegree);
               }),
       false, true},
      {tableOf(angleSteps(0, 360, 15),
               [&](double t, double c) {
                 return 500 + 200 * std::sin(t * kDegree) * std::sin(c * kDegree);
               }),
       true, false},
  };
  const Layout layout = layoutFixtures(12, 40, 30);
  const PointGrid grid = PointGrid::of(40, 30);
  ReceiverLattice plane{1, {}, 0, {}, kWorkPlaneHeight};
  for (int j = 0; j < grid.ny; ++j) plane.along1.push_back(grid.y(j));
  for (int i = 0; i < grid.nx; ++i) plane.along2.push_back(grid.x(i));
  ReceiverLattice wall{1, plane.along1, 2, {}, 0};
  for (int k = 0; k < 12; ++k) wall.along2.push_back(0.25 + 0.75 * k);

  for (const Case& c : cases) {
    std::vector<PointSource> sources;
    for (const PlanPoint& at : layout.fixtures) sources.push_back({{at.x, at.y, 9}, &c.table, 1.3});
    EXPECT_EQ(sources.front().mirrorsAlong(0), c.mirrorsX);
    EXPECT_EQ(sources.front().mirrorsAlong(1), c.mirrorsY);
    for (const PlanPoint& at : layout.fixtures) sources.push_back({{at.x, at.y, 9}, nullptr, 40});
    for (const auto& [lattice, normal] : {std::pair{plane, Vec3{0, 0, 1}}, {wall, Vec3{1, 0, 0}}}) {
      const std::size_t n2 = lattice.along2.size();
      int looked = 0;
      const std::vector<double> sums =
          sumOverSources(lattice, sources, [&](const PointSource& s, Vec3 p) {
            ++looked;
            return illuminance(s, p, normal);
          });
      double worst = 0;
      for (std::size_t i1 = 0; i1 < lattice.along1.size(); ++i1) {
        for (std::size_t i2 = 0; i2 < n2; ++i2) {
          double plain = 0;
          for (const PointSource& s : sources) plain += illuminance(s, lattice.at(i1, i2), normal);
          worst = std::max(worst, relative(sums[i1 * n2 + i2], plain));
        }
      }
      EXPECT_LT(worst, 1e-12) << c.mirrorsX << c.mirrorsY << " normal " << normal.x;
      EXPECT_LT(2 * looked, static_cast<int>(sources.size() * sums.size()));
    }
  }
}

// Coarse-gather accuracy: at 80 / 70 %, where the light bounces most, the points that
// take their reflected light from the lattice stay within 1 % of the room's average of
// the gather at every point, and the room's figures within 0.5 %; the direct light, the
// walls, the ceiling and the glare, which the gather does not touch, stay as they are.
// An office, a corridor, a low wide room with a short last row, a tall hall, a warehouse
// bay and a long hall whose points stand 2 ft apart along it.
TEST_F(ShippedRooms, CoarseGatherMatchesTheGatherAtEveryPointAt8070) {
  const Size rooms[] = {{30, 20, 9, 1, 12},  {60, 8, 9, 6, 6},    {100, 60, 8, 1, 100},
                        {60, 40, 25, 9, 12}, {45, 33, 12, 5, 11}, {200, 150, 20, 9, 100},
                        {400, 60, 30, 9, 20}};
  for (const Size& size : rooms) {
    const RoomLightResult lattice = lightOf(size, PointGather::Lattice);
    const RoomLightResult every = lightOf(size, PointGather::EveryPoint);
    ASSERT_TRUE(lattice.light && every.light);
    const RoomLight& a = *lattice.light;
    const RoomLight& b = *every.light;
    const std::string name = std::to_string(size.length) + " x " + std::to_string(size.width) +
                             " x " + std::to_string(size.height);
    ASSERT_EQ(a.total.size(), b.total.size()) << name;
    double worst = 0;
    for (std::size_t k = 0; k < a.total.size(); ++k) {
      worst = std::max(worst, std::abs(a.total[k] - b.total[k]));
    }
    EXPECT_LT(worst / b.figures.average, 0.01) << name;
    for (const auto& [x, y, what] : {std::tuple{a.figures.average, b.figures.average, "average"},
                                     {a.figures.minimum, b.figures.minimum, "minimum"},
                                     {a.figures.maximum, b.figures.maximum, "maximum"},
                                     {a.figures.uniformity, b.figures.uniformity, "Uo"}}) {
      EXPECT_LT(relative(x, y), 0.005) << name << " " << what << ": " << x << " vs " << y;
    }
    EXPECT_EQ(a.direct, b.direct) << name;
    EXPECT_EQ(a.walls.average, b.walls.average) << name;
    EXPECT_EQ(a.ceiling.average, b.ceiling.average) << name;
    EXPECT_EQ(a.ugr, b.ugr) << name;
  }
}

// The direct light at every point is the plain sum over the fixtures, whether the layout
// mirrors onto itself both ways (a 4 x 3 layout) or only along the length (a short last
// row), for round, long and wide distributions.
TEST_F(ShippedRooms, DirectLightIsThePlainSumOverTheFixtures) {
  for (const Size& size : {Size{30, 20, 9, 1, 12}, Size{45, 33, 12, 5, 11}, Size{60, 8, 9, 6, 7},
                           Size{100, 60, 8, 7, 100}, Size{60, 40, 25, 9, 12}}) {
    const RoomLightResult result = lightOf(size);
    ASSERT_TRUE(result.light) << result.reason;
    const RoomLight& light = *result.light;
    const TypePhotometry& type = *photometry_->find(size.type);
    const double lamps =
        static_cast<double>(catalogue_->find(size.type)->lampsPerFixture) * kDefaults.lampLumens;
    const double scale = lamps / type.lampLumens * static_cast<double>(kDefaults.ballastFactor) *
                         static_cast<double>(kDefaults.lampLumenDepreciation) *
                         static_cast<double>(kDefaults.lampDirtDepreciation);
    double worst = 0;
    for (int j = 0; j < light.grid.ny; ++j) {
      for (int i = 0; i < light.grid.nx; ++i) {
        const Vec3 point{light.grid.x(i), light.grid.y(j), kWorkPlaneHeight};
        double plain = 0;
        for (const PlanPoint& at : light.layout.fixtures) {
          plain += illuminanceFacingUp({{at.x, at.y, light.height}, &type.intensity, scale}, point);
        }
        worst = std::max(worst, relative(light.directAt(i, j), plain));
      }
    }
    EXPECT_LT(worst, 1e-12) << size.length << " x " << size.width << " type " << size.type;
  }
}

}  // namespace
}  // namespace kandelor::workplane
