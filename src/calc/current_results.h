#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "model/project.h"

namespace kandelor {

// Which rooms show results computed from the inputs they show now. A room's results are
// current from the calculation of its page (or the load of a file that says with which
// reflectances its results were computed) until any of its inputs, its page's defaults or
// the reflectance choices differ from those they were computed with.
class CurrentResults {
 public:
  // Every room of a project just loaded: current when the file gave the reflectance
  // choices of its results, otherwise none is.
  void loaded(const Project& project);

  // No room's results are current: they come from a copy of unknown state.
  void forget();

  // The rooms of page `page` (1..5) were just computed with these choices; `computed`
  // holds their inputs and results.
  void calculated(int page, const RoomPage& computed, ReflectanceChoices choices);

  // Whether row `row` (1..19) of page `page`, with the inputs and results of `shown` and
  // the list choices `choices`, shows results computed from exactly these inputs.
  bool isCurrent(int page, int row, const RoomPage& shown, ReflectanceChoices choices) const;

 private:
  // Everything a room's results depend on, and the results.
  struct Basis {
    std::int32_t fixtureNumber = 0;
    std::int32_t quantity = 0;
    float length = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    PageDefaults defaults;
    ReflectanceChoices choices;
    std::int32_t roomCavityRatio = 0;
    std::int32_t calculatedFootcandles = 0;
    float wattsPerSquareFoot = 0.0f;

    bool operator==(const Basis&) const = default;
  };
  static Basis basisOf(const RoomPage& page, int row, ReflectanceChoices choices);
  static std::size_t slot(int page, int row);

  std::array<std::optional<Basis>, kPageCount * kRowCount> computedFrom_{};
};

}  // namespace kandelor
