#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "calc/photometry/lm63_text.h"
#include "calc/workplane/radiosity.h"
#include "calc/workplane/room_surfaces.h"

namespace kandelor::workplane {
namespace {

TEST(FormFactors, ClosedFormsMatchTheCatalogueValues) {
  // A unit square 1 above its centre (four corners) and above a corner.
  EXPECT_NEAR(4 * pointToParallelCorner(0.5, 0.5, 1), 0.23946, 5e-6);
  EXPECT_NEAR(pointToParallelCorner(1, 1, 1), 0.13853, 5e-6);
  EXPECT_NEAR(pointToParallelCorner(-1, 1, 1), -0.13853, 5e-6);
  // A point facing up beside a wall: the whole wall above it is half its view.
  EXPECT_NEAR(2 * pointToPerpendicularCorner(1e9, 1e9, 2), 0.5, 1e-6);

  // The same from a point by brute force: the wall [0, 1.3] x [0, 0.7] at 0.9.
  double sum = 0;
  const int n = 400;
  for (int i = 0; i < n; ++i) {
    for (int k = 0; k < n; ++k) {
      const double x = (i + 0.5) * 1.3 / n, z = (k + 0.5) * 0.7 / n, r2 = x * x + 0.81 + z * z;
      sum += z * 0.9 / (std::numbers::pi * r2 * r2) * (1.3 / n) * (0.7 / n);
    }
  }
  EXPECT_NEAR(pointToPerpendicularCorner(1.3, 0.7, 0.9), sum, 1e-6);

  // Unit squares facing each other 1 apart, and at right angles along a shared edge.
  const AxisRect floor{{0, 0, 0}, 0, 1, 1, 1};
  EXPECT_NEAR(exchangeArea(floor, {{0, 0, 1}, 1, 1, 0, 1}), 0.19982, 5e-6);
  EXPECT_NEAR(exchangeArea(floor, {{0, 0, 0}, 2, 1, 0, 1}), 0.20004, 5e-6);
  // Reciprocity for offset rectangles of different sizes.
  const AxisRect a{{0.3, 0.2, 0}, 0, 1.5, 1, 0.7}, b{{1, 2, 0}, 2, 2.2, 0, 0.4};
  EXPECT_NEAR(exchangeArea(a, b), exchangeArea(b, a), 1e-12);
}

TEST(Interreflection, EveryPatchSeesTheWholeRoomAndReciprocityHolds) {
  const RoomBox box{13, 7, 9};
  const std::vector<PatchGrid> grids = patchRoom(box, {0.7, 0.5, 0.2}, {1.4, 24});
  std::vector<AxisRect> patches;
  for (const PatchGrid& g : grids) {
    for (int i1 = 0; i1 < g.count1; ++i1) {
      for (int i2 = 0; i2 < g.count2; ++i2) patches.push_back(g.patch(i1, i2));
    }
  }
  // A few patches on different surfaces: their form factors to all others add up to 1.
  for (const std::size_t p :
       {std::size_t{0}, patches.size() / 3, patches.size() / 2, patches.size() - 1}) {
    double sum = 0;
    for (const AxisRect& q : patches) {
      if (&q != &patches[p]) sum += exchangeArea(patches[p], q);
    }
    EXPECT_NEAR(sum / patches[p].area(), 1, 1e-9) << p;
  }
}

// A closed box lit from its centre with one reflectance everywhere behaves as an
// integrating sphere: mean irradiance flux / (S (1 - rho)), and every lumen is absorbed.
TEST(Interreflection, ClosedCubeIsAnIntegratingSphere) {
  photometry::testing::Lm63Layout layout;
  layout.vertical = photometry::testing::angleSteps(0, 180, 5);
  layout.candela = [](double, double) { return 10000 / (4 * std::numbers::pi); };
  const auto read = photometry::readLm63(photometry::testing::lm63Text(layout), "cube.ies");
  ASSERT_TRUE(read);
  const IntensityTable isotropic = IntensityTable::fromPhotometry(*read);
  const std::vector<PointSource> source = {{{2, 2, 2}, &isotropic, 1}};
  const RoomBox cube{4, 4, 4};
  for (const double rho : {0.2, 0.5, 0.8}) {
    const Interreflection solution = interreflect(cube, {rho, rho, rho}, {0.5, 24}, source);
    double irradiance = 0;
    for (std::size_t p = 0; p < solution.area.size(); ++p) {
      irradiance += solution.area[p] * solution.irradiance[p];
    }
    const double expected = 10000 / (96 * (1 - rho));  // 130.21, 208.33, 520.83
    EXPECT_NEAR(irradiance / 96, expected, 0.01 * expected) << rho;
    EXPECT_NEAR(solution.directFlux(), 10000, 10) << rho;
    EXPECT_NEAR(solution.absorbedFlux(), 10000, 10) << rho;
    // The walls' and the ceiling's figures meet the same relation, each on its own (the
    // source at the centre lights every face alike), and with the floor's add up to all.
    const SurfaceFigures walls = wallFigures(solution);
    const SurfaceFigures ceiling = ceilingFigures(solution, {}, 0);
    EXPECT_NEAR(walls.average, expected, 0.01 * expected) << rho;
    EXPECT_NEAR(ceiling.average, expected, 0.01 * expected) << rho;
    EXPECT_GT(walls.uniformity, 0.3);
    EXPECT_LE(walls.uniformity, 1);
    const double floorFlux = irradiance - walls.average * 64 - ceiling.average * 16;
    EXPECT_NEAR(floorFlux / 16, expected, 0.01 * expected) << rho;
  }
  // The up-light lands on the ceiling: its flux grows by exactly what the fixtures send up.
  const Interreflection dark = interreflect(cube, {0, 0, 0}, {0.5, 24}, source);
  const std::vector<PlanPoint> fixtures = {{1, 1}, {3, 3}};
  EXPECT_NEAR(
      (ceilingFigures(dark, fixtures, 50).average - ceilingFigures(dark, {}, 0).average) * 16, 100,
      1e-9);
}

// The exact factor from a point to a patch whose face it sees, as the signed sum of the
// patch's corners: heights on a wall measured away from the point's horizontal plane.
double exactFactor(Vec3 p, const AxisRect& r) {
  Vec3 low = r.origin, high = r.origin;
  high[r.axis1] += r.length1;
  high[r.axis2] += r.length2;
  double factor = 0;
  if (r.axis1 != 2 && r.axis2 != 2) {  // the ceiling or the floor
    const double h = std::abs(r.origin.z - p.z);
    for (const auto& [a, sa] : {std::pair{low.x, -1}, {high.x, 1}}) {
      for (const auto& [b, sb] : {std::pair{low.y, -1}, {high.y, 1}}) {
        factor += sa * sb * pointToParallelCorner(a - p.x, b - p.y, h);
      }
    }
    return factor;
  }
  const int along = r.axis1 == 2 ? r.axis2 : r.axis1;
  const double d = std::abs(r.origin[1 - along] - p[1 - along]);
  const double away = low.z + high.z > 2 * p.z ? 1 : -1;
  for (const auto& [a, sa] : {std::pair{low[along], -1}, {high[along], 1}}) {
    for (const auto& [b, sb] : {std::pair{low.z, -1}, {high.z, 1}}) {
      factor += sa * sb * away * pointToPerpendicularCorner(a - p[along], away * (b - p.z), d);
    }
  }
  return factor;
}

// A Lambertian source facing down gives a surface the irradiance I0 pi times the
// point's form factor density, so a patch's exact mean is I0 pi F / A with F from the
// corner closed forms: the patches' Gauss rules stay within 1e-4 of it everywhere, on
// the patches beside a source just below the ceiling and a foot from two walls too.
TEST(Interreflection, PatchesTakeTheExactMeanOfTheDirectLight) {
  const RoomBox box{40, 30, 12};
  const std::vector<PointSource> sources = {
      {{7, 5, 12}, nullptr, 1000}, {{1, 29, 12}, nullptr, 500}, {{20, 15, 12}, nullptr, 700}};
  const Interreflection solution = interreflect(box, {0, 0, 0}, {2, 24}, sources);
  const double largest = *std::max_element(solution.direct.begin(), solution.direct.end());
  double worst = 0;
  for (const PatchGrid& g : solution.surfaces) {
    for (int i1 = 0; i1 < g.count1; ++i1) {
      for (int i2 = 0; i2 < g.count2; ++i2) {
        const AxisRect r = g.patch(i1, i2);
        double expected = 0;
        for (const PointSource& s : sources) {
          // The ceiling, in the sources' plane, gets no direct light.
          if (r.axis1 != 2 && r.axis2 != 2 && r.origin.z >= s.position.z) continue;
          const double factor = exactFactor(s.position, r);
          expected += s.scale * std::numbers::pi * factor / r.area();
        }
        const double got = solution.direct[static_cast<std::size_t>(g.indexOf(i1, i2))];
        worst = std::max(worst, std::abs(got - expected) / std::max(expected, 1e-3 * largest));
      }
    }
  }
  EXPECT_LT(worst, 1e-4);
}

// Solves the room with `sources` and again with a faint off-centre source added, which
// breaks every symmetry the solver could use: both give the same light, and every lumen
// is absorbed.
void expectSameAsUnsymmetric(const RoomBox& box, const SurfaceReflectances& rho,
                             const std::vector<PointSource>& sources, Vec3 breaker) {
  std::vector<PointSource> broken = sources;
  broken.push_back({breaker, nullptr, 1e-4});
  const Interreflection symmetric = interreflect(box, rho, {1.4, 24}, sources);
  const Interreflection plain = interreflect(box, rho, {1.4, 24}, broken);
  ASSERT_EQ(symmetric.exitance.size(), plain.exitance.size());
  const double largest = *std::max_element(plain.irradiance.begin(), plain.irradiance.end());
  double worstExitance = 0, worstIrradiance = 0;
  for (std::size_t p = 0; p < plain.exitance.size(); ++p) {
    worstExitance = std::max(worstExitance, std::abs(symmetric.exitance[p] - plain.exitance[p]));
    worstIrradiance =
        std::max(worstIrradiance, std::abs(symmetric.irradiance[p] - plain.irradiance[p]));
  }
  EXPECT_LT(worstExitance / largest, 1e-5);
  EXPECT_LT(worstIrradiance / largest, 1e-5);
  for (const Interreflection* s : {&symmetric, &plain}) {
    EXPECT_NEAR(s->absorbedFlux(), s->directFlux(), 1e-5 * s->directFlux());
  }
}

// Sources placed symmetrically about both centre lines give the same light on every
// patch as the same room with a faint source off the centre lines, which breaks the
// symmetry the solver can use; and every lumen is absorbed either way. Patch counts odd
// along the width (patches on a centre line are their own images) and even along it.
TEST(Interreflection, SymmetricRoomSolvesAsTheUnsymmetricOne) {
  const RoomBox box{13, 7, 9};
  std::vector<PointSource> sources;
  for (const double x : {3.25, 9.75}) {
    for (const double y : {2.0, 5.0}) sources.push_back({{x, y, 9}, nullptr, 100});
  }
  expectSameAsUnsymmetric(box, {0.7, 0.5, 0.2}, sources, {2, 1.5, 8.5});
}

// Sources mirrored about one centre line only, or only about the room's centre (each
// source's image through it), leave the solver one symmetry: it too gives the light of
// the room with that symmetry broken.
TEST(Interreflection, RoomSymmetricOneWaySolvesAsTheUnsymmetricOne) {
  const RoomBox box{13, 7, 9};
  const std::vector<std::vector<PointSource>> layouts = {
      // across x: (x, y) and (13 - x, y)
      {{{3.25, 2.0, 9}, nullptr, 100},
       {{9.75, 2.0, 9}, nullptr, 100},
       {{4.0, 5.5, 9}, nullptr, 60},
       {{9.0, 5.5, 9}, nullptr, 60}},
      // across y: (x, y) and (x, 7 - y)
      {{{2.0, 1.5, 9}, nullptr, 100},
       {{2.0, 5.5, 9}, nullptr, 100},
       {{10.0, 3.0, 9}, nullptr, 40},
       {{10.0, 4.0, 9}, nullptr, 40}},
      // through the centre: (x, y) and (13 - x, 7 - y)
      {{{3.0, 2.0, 9}, nullptr, 100},
       {{10.0, 5.0, 9}, nullptr, 100},
       {{5.0, 6.0, 9}, nullptr, 70},
       {{8.0, 1.0, 9}, nullptr, 70}}};
  const SurfaceReflectances rho{0.8, 0.7, 0.2};
  for (std::size_t k = 0; k < layouts.size(); ++k) {
    SCOPED_TRACE(k);
    expectSameAsUnsymmetric(box, rho, layouts[k], {2, 1.25, 8.5});
  }
}

// The light a point of the work plane gathers from the ceiling and the walls is each
// patch's exitance times the point's factor to it, the signed sum of its corners' closed
// forms: checked at every point out of reach of the walls' parts, and so at the mirror
// images that share their factors.
TEST(Interreflection, PointsGatherEachPatchByItsCorners) {
  const RoomBox box{13, 7, 9};
  std::vector<PointSource> sources;
  for (const double x : {3.25, 9.75}) {
    for (const double y : {2.0, 5.0}) sources.push_back({{x, y, 9}, nullptr, 100});
  }
  const Interreflection solution = interreflect(box, {0.7, 0.5, 0.2}, {1.4, 24}, sources);
  const PointGrid grid = PointGrid::of(box.length, box.width);
  const std::vector<double> light = reflectedOnWorkPlane(solution, grid);
  int checked = 0;
  double worst = 0;
  for (int j = 0; j < grid.ny; ++j) {
    for (int i = 0; i < grid.nx; ++i) {
      const Vec3 point{grid.x(i), grid.y(j), kWorkPlaneHeight};
      const double near = solution.gatherNearWithin;
      if (std::min({point.x, box.length - point.x, point.y, box.width - point.y}) < near) continue;
      double expected = 0;
      for (const PatchGrid& g : solution.surfaces) {
        if (!g.aboveWorkPlane) continue;
        for (int i1 = 0; i1 < g.count1; ++i1) {
          for (int i2 = 0; i2 < g.count2; ++i2) {
            const AxisRect r = g.patch(i1, i2);
            const double factor = exactFactor(point, r);
            expected += factor * solution.exitance[static_cast<std::size_t>(g.indexOf(i1, i2))];
          }
        }
      }
      const double got = light[static_cast<std::size_t>(j * grid.nx + i)];
      worst = std::max(worst, std::abs(got - expected) / expected);
      ++checked;
    }
  }
  EXPECT_GT(checked, grid.size() / 3);
  EXPECT_LT(worst, 1e-10);
}

}  // namespace
}  // namespace kandelor::workplane
