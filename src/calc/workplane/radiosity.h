#pragma once

#include <span>
#include <vector>

#include "calc/workplane/direct_light.h"
#include "calc/workplane/form_factors.h"
#include "calc/workplane/point_grid.h"

namespace kandelor::workplane {

// A room as a closed box: floor at z = 0, ceiling at z = height.
struct RoomBox {
  double length = 0;
  double width = 0;
  double height = 0;
};

// Reflectances as fractions (0.7 for 70 %).
struct SurfaceReflectances {
  double ceiling = 0;
  double wall = 0;
  double floor = 0;
};

// How finely the surfaces are divided: patches of at most `patchSize` feet, and at
// most `maxAlong` patches along any side of a surface. For the points' gather, the
// wall patches above the work plane are split further into parts of at most
// `gatherPartSize` feet (at least in halves), each with its own direct light.
struct Patching {
  double patchSize = 1;
  int maxAlong = 24;
  double gatherPartSize = 1.5;
};

// One surface of the room divided into count1 x count2 equal patches. Walls are split
// at the work plane into a lower and an upper band, so every patch lies wholly above
// or below it.
struct PatchGrid {
  AxisRect rect;
  int count1 = 1;
  int count2 = 1;
  double reflectance = 0;
  bool aboveWorkPlane = false;
  int first = 0;  // the index of its patch (0, 0) among all the room's patches

  double step1() const { return rect.length1 / count1; }
  double step2() const { return rect.length2 / count2; }
  int size() const { return count1 * count2; }
  int indexOf(int i1, int i2) const { return first + i1 * count2 + i2; }
  AxisRect patch(int i1, int i2) const;
};

// The light on every patch once the surfaces have exchanged it until it settled.
struct Interreflection {
  std::vector<PatchGrid> surfaces;
  std::vector<double> area;
  std::vector<double> reflectance;
  std::vector<double> direct;      // irradiance from the sources, lm/ft2
  std::vector<double> exitance;    // light leaving the patch, lm/ft2
  std::vector<double> irradiance;  // all light arriving, lm/ft2
  int iterations = 0;

  // The walls above the work plane as the points near them see them: each patch split
  // into parts, each with its own direct light and its share of its patch's reflected
  // light. The direct light varies fastest along a wall, and a point near the wall sees
  // mostly the part nearest to it; points farther than `gatherNearWithin` from a wall
  // see its patches.
  std::vector<PatchGrid> gatherSurfaces;
  std::vector<double> gatherExitance;
  double gatherNearWithin = 0;

  double directFlux() const;    // lumens arriving straight from the sources
  double absorbedFlux() const;  // lumens the patches absorb, after every bounce
};

// The patches of the box: floor, ceiling and four walls each split at the work plane.
std::vector<PatchGrid> patchRoom(const RoomBox& room, const SurfaceReflectances& rho,
                                 const Patching& patching);

// Lights the patches from the sources (each patch's mean irradiance, integrated by
// Gauss-Legendre rules fine enough for its distance) and solves the exchange between
// them with exact form factors.
Interreflection interreflect(const RoomBox& room, const SurfaceReflectances& rho,
                             const Patching& patching, std::span<const PointSource> sources);

// Which points of the grid gather their reflected light exactly: those where a line of
// points along the room meets one across it. The lines are every line within `nearWall`
// feet of a wall (the light changes fastest across a wall) and, between those, lines at
// most `step` feet apart; the other points take the light by cubic interpolation along
// the lines. A step of 0 gathers at every point.
//
// Within the bands near the walls the lines stand at most `nearStep` feet apart, the
// line nearest the wall always among them (0: every line of the band).
struct GatherLattice {
  double nearWall = 0;
  double step = 0;
  double nearStep = 0;
};

// The light from the patches above the work plane on each point of the grid facing up
// (index j * nx + i), by closed-form point-to-rectangle factors.
std::vector<double> reflectedOnWorkPlane(const Interreflection& solution, const PointGrid& grid,
                                         const GatherLattice& lattice = {});

}  // namespace kandelor::workplane
