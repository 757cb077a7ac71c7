#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

#include "calc/catalogue.h"
#include "calc/workplane/room_glare.h"
#include "calc/workplane/room_light.h"

namespace kandelor::workplane {
namespace {

const std::string kDataDir = KANDELOR_DATA_DIR;
constexpr PageDefaults kDefaults{1.0f, 0.9f, 0.9f, 34, 2800};

struct Shipped {
  FixtureCatalogue catalogue;
  CataloguePhotometry photometry = loadCataloguePhotometry(kDataDir);
  Shipped() { EXPECT_TRUE(rawdata(catalogue, kDataDir + "/light.dat", kDataDir + "/Type.dat")); }
};

const Shipped& shipped() {
  static const Shipped data;
  return data;
}

RoomRow room(float length, float width, float height, int type, int quantity) {
  RoomRow row;
  std::tie(row.length, row.width, row.height, row.fixtureNumber, row.quantity) =
      std::tuple(length, width, height, type, quantity);
  return row;
}

// Opposite observers of a symmetric layout see the same glare; the room's rating is the
// highest observer's, and a parabolic louvre glares less than a lensed troffer.
TEST(RoomGlare, SymmetricRoomsGiveOppositeObserversTheSameRating) {
  const auto rated = [](int type) {
    const auto result = computeRoomLight(room(30, 20, 9, type, 12), kDefaults, shipped().catalogue,
                                         shipped().photometry, {70, 50}, 0);
    EXPECT_TRUE(result.light) << result.reason;
    return *result.light;
  };
  const RoomLight lensed = rated(1), parabolic = rated(2);
  ASSERT_EQ(lensed.observers.size(), 4u);
  EXPECT_NEAR(*lensed.observers[0].ugr, *lensed.observers[1].ugr, 1e-6);
  EXPECT_NEAR(*lensed.observers[2].ugr, *lensed.observers[3].ugr, 1e-6);
  double highest = 0;
  for (const auto& o : lensed.observers) highest = std::max(highest, *o.ugr);
  EXPECT_EQ(*lensed.ugr, highest);
  EXPECT_GT(*lensed.ugr, 10);
  EXPECT_LT(*lensed.ugr, 28);
  EXPECT_LT(*parabolic.ugr, *lensed.ugr - 2);
}

// Inside a box whose every patch sends out the same light, any small plane receives just
// that much, whichever way it faces: the background at the eye gathers every patch once.
TEST(RoomGlare, UniformlyBrightBoxLightsTheEyeWithItsExitance) {
  const RoomBox box{30, 20, 9};
  Interreflection uniform;
  uniform.surfaces = patchRoom(box, {0.5, 0.5, 0.5}, {3, 24, 1.5});
  const auto& last = uniform.surfaces.back();
  uniform.exitance.assign(static_cast<std::size_t>(last.first + last.size()), 10.0);
  for (const Vec3& looking : {Vec3{1, 0, 0}, Vec3{0, -1, 0}}) {
    for (const Vec3& eye : {Vec3{0.01, 10, 3.94}, Vec3{15, 10, 3.94}, Vec3{15, 19.9, 3.94}}) {
      EXPECT_NEAR(indirectIlluminance(uniform, {}, eye, looking), 10.0, 1e-6)
          << eye.x << "," << eye.y;
    }
  }
}

}  // namespace
}  // namespace kandelor::workplane
