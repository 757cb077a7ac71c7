#pragma once

#include <array>
#include <optional>
#include <string>

#include "calc/photometry/candela_distribution.h"

namespace kandelor::photometry {

// The UGR table of a luminaire type by the tabular method (CIE 190): standard rooms,
// reflectances and a square grid of luminaires, the observer at the middle of one wall
// looking along the room, crosswise and endwise, corrected to the type's lamp flux.

// Rooms X x Y in multiples of H (X across the line of sight, Y along it).
struct UgrRoom {
  int x = 0;
  int y = 0;
};
inline constexpr std::array<UgrRoom, 19> kUgrRooms = {{{2, 2},
                                                       {2, 3},
                                                       {2, 4},
                                                       {2, 6},
                                                       {2, 8},
                                                       {2, 12},
                                                       {4, 2},
                                                       {4, 3},
                                                       {4, 4},
                                                       {4, 6},
                                                       {4, 8},
                                                       {4, 12},
                                                       {8, 4},
                                                       {8, 6},
                                                       {8, 8},
                                                       {8, 12},
                                                       {12, 4},
                                                       {12, 6},
                                                       {12, 8}}};

// Ceiling, walls and the reference plane, per cent.
struct UgrReflectances {
  int ceiling = 0;
  int walls = 0;
  int floor = 0;
};
inline constexpr std::array<UgrReflectances, 5> kUgrReflectances = {
    {{70, 50, 20}, {70, 30, 20}, {50, 50, 20}, {50, 30, 20}, {30, 30, 20}}};

// Crosswise: the luminaires' length across the line of sight; endwise: along it.
enum class UgrView { Crosswise, Endwise };
inline constexpr std::array<UgrView, 2> kUgrViews = {UgrView::Crosswise, UgrView::Endwise};

inline constexpr double kUgrHeight = 2;           // H: eye to luminaires, metres
inline constexpr double kUgrStandardSpacing = 1;  // the standard-condition table, in H
inline constexpr double kUgrQuarterSpacing = 0.25;

struct UgrTable {
  double spacing = kUgrStandardSpacing;  // of the grid, in H
  // ugr[room][reflectances][view]; empty where no luminaire counts.
  std::array<std::array<std::array<std::optional<double>, 2>, kUgrReflectances.size()>,
             kUgrRooms.size()>
      ugr{};

  std::optional<double> at(std::size_t room, std::size_t reflectances, UgrView view) const {
    return ugr[room][reflectances][view == UgrView::Crosswise ? 0 : 1];
  }
};

struct UgrTables {
  double lampLumens = 0;
  double fluxCorrection = 0;  // 8 log10(lamp lumens / 1000), included in every value
  UgrTable standard;          // 1 H
  UgrTable quarter;           // 0.25 H

  // The type's reference value: 4H x 8H at 70/50/20 in the standard table.
  std::optional<double> reference(UgrView view) const;
};

// The correction of a table computed for 1000 lm to the lamp flux `lumens`.
double ugrFluxCorrection(double lumens);

// Why the distribution can have no UGR table (no luminous area, no lamp lumens), or
// empty where it can.
std::string ugrTableMissing(const CandelaDistribution& distribution);

// The table at one grid spacing (in H), uncorrected: for 1000 lm of lamp flux.
UgrTable ugrTableFor1000Lumens(const CandelaDistribution& distribution, double spacing);

// Both tables, corrected to the lamp flux; for a distribution that ugrTableMissing passes.
UgrTables ugrTables(const CandelaDistribution& distribution);

}  // namespace kandelor::photometry
