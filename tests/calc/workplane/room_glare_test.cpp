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

// The position index at a luminaire straight ahead at 45 degrees up is Levin's value; the
// index does not count luminaires behind, below, too high or too far aside; and the
// rating of one luminaire of known luminance and solid angle is the formula's.
TEST(RoomGlare, OneLuminaireByHand) {
  // tau 0, sigma 45: ln p = (35.2 - 1.22) 0.045 + 21e-5 45^2.
  EXPECT_NEAR(*positionIndex(2, 2, 0), std::exp(33.98 * 0.045 + 21e-5 * 2025), 1e-9);
  EXPECT_FALSE(positionIndex(1, -1, 0));    // behind
  EXPECT_FALSE(positionIndex(-0.5, 3, 0));  // below the eye
  EXPECT_FALSE(positionIndex(2, 1, 0));     // H/R 2 > 1.9
  EXPECT_FALSE(positionIndex(1, 1, 3.5));   // T/R 3.5 > 3
  EXPECT_TRUE(positionIndex(1.9, 1, 3));    // both limits belong to the table

  // L 1000 cd/m2, omega 0.01 sr, p 1.5, Lb 10 cd/m2.
  EXPECT_NEAR(*unifiedGlareRating(10, 1000.0 * 1000 * 0.01 / (1.5 * 1.5)),
              8 * std::log10(0.25 / 10 * 1e4 / 2.25), 1e-9);
  EXPECT_FALSE(unifiedGlareRating(0, 1));
  EXPECT_FALSE(unifiedGlareRating(10, 0));

  const LuminousOpening disc{2, 0, true};
  EXPECT_NEAR(disc.projectedArea(0.5), std::numbers::pi * 0.5, 1e-12);
  EXPECT_EQ((LuminousOpening{4, 2, false}).projectedArea(-0.1), 0.0);
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
