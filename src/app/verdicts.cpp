#include "app/commands.h"
#include "form/calc_data.h"
#include "form/field_ids.h"
#include "form/form_transfer.h"
#include "form/verdict_view.h"

namespace kandelor {

// The verdicts follow the numbers as the form shows them, typed or calculated, without
// touching the project; only results computed from the inputs shown are judged.
void showVerdicts(AppState& state) {
  RoomPage shown = state.page();
  GetNumbers(shown);
  const ReflectanceChoices choices = ReadReflectanceChoices();
  std::array<bool, kRowCount> current{};
  for (int r = 1; r <= kRowCount; ++r) {
    current[static_cast<std::size_t>(r - 1)] =
        state.currentResults.isCurrent(state.currentPage, r, shown, choices);
  }
  ShowVerdicts(shown, state.catalogue, choices, current);
}

void showLoadedResults(AppState& state) {
  state.currentResults.loaded(state.project);
  showVerdicts(state);
}

}  // namespace kandelor
