#include "model/project_slots.h"

namespace kandelor {
namespace {

template <class T>
std::string describeSlot(const SlotPlace<T>& place, int slot, int page, const char* kind) {
  const std::string pageText = "page " + std::to_string(page);
  if (place.rowField != nullptr) {
    return std::string("the ") + place.label + " of row " + std::to_string(place.row) + " on " +
           pageText;
  }
  if (place.defaultsField != nullptr) return std::string("the ") + place.label + " of " + pageText;
  return std::string("reserved ") + kind + " slot " + std::to_string(slot) + " of " + pageText;
}

}  // namespace

std::string describeProjectLine(int line) {
  if (line < 1 || line > kPageCount * kValuesPerPage) return "a line past the end of the project";
  const int page = (line - 1) / kValuesPerPage + 1;
  int index = (line - 1) % kValuesPerPage;
  constexpr int kTextLines = kRowCount * kTextsPerRow;
  if (index < kTextLines) {
    static constexpr const char* kTexts[] = {"room name", "room number", "description"};
    return std::string("the ") + kTexts[index % kTextsPerRow] + " of row " +
           std::to_string(index / kTextsPerRow + 1) + " on page " + std::to_string(page);
  }
  index -= kTextLines;
  if (index < kIntegerSlotCount) {
    return describeSlot(kIntegerSlots[static_cast<std::size_t>(index)], index + 1, page, "integer");
  }
  index -= kIntegerSlotCount;
  return describeSlot(kRealSlots[static_cast<std::size_t>(index)], index + 1, page, "real");
}

}  // namespace kandelor
