#include "calc/current_results.h"

#include "calc/reflectances.h"

namespace kandelor {

CurrentResults::Basis CurrentResults::basisOf(const RoomPage& page, int row,
                                              ReflectanceChoices choices) {
  const RoomRow& room = page.row(row);
  return {room.fixtureNumber,
          room.quantity,
          room.length,
          room.width,
          room.height,
          page.defaults,
          choices,
          room.roomCavityRatio,
          room.calculatedFootcandles,
          room.wattsPerSquareFoot};
}

std::size_t CurrentResults::slot(int page, int row) {
  return static_cast<std::size_t>(roomNumber(page, row) - 1);
}

void CurrentResults::loaded(const Project& project) {
  for (int p = 1; p <= kPageCount; ++p) {
    for (int r = 1; r <= kRowCount; ++r) {
      auto& basis = computedFrom_.at(slot(p, r));
      basis.reset();
      if (project.reflectances) basis = basisOf(project.page(p), r, *project.reflectances);
    }
  }
}

void CurrentResults::forget() {
  for (auto& basis : computedFrom_) basis.reset();
}

void CurrentResults::calculated(int page, const RoomPage& computed, ReflectanceChoices choices) {
  for (int r = 1; r <= kRowCount; ++r)
    computedFrom_.at(slot(page, r)) = basisOf(computed, r, choices);
}

bool CurrentResults::isCurrent(int page, int row, const RoomPage& shown,
                               ReflectanceChoices choices) const {
  // No result is computed from a choice that is none of the lists' items.
  if (catalogueColumnOfChoices(choices.ceiling, choices.wall) == 0) return false;
  const auto& basis = computedFrom_.at(slot(page, row));
  return basis && *basis == basisOf(shown, row, choices);
}

}  // namespace kandelor
