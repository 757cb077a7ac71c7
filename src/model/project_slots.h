#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

#include "model/project.h"

namespace kandelor {

// The order of a page's values in the project file: three texts per row, then 186
// integer slots, then 188 real slots. Each slot is a field of the page defaults, a
// field of one row, or one of the page's reserved values.

inline constexpr int kTextsPerRow = 3;
inline constexpr int kIntegerSlotCount = 186;
inline constexpr int kRealSlotCount = 188;
inline constexpr int kValuesPerPage = kRowCount * kTextsPerRow + kIntegerSlotCount + kRealSlotCount;

// Where one slot of a page lives.
template <class T>
struct SlotPlace {
  T PageDefaults::*defaultsField = nullptr;
  T RoomRow::*rowField = nullptr;
  int row = 0;        // 1 to 19, for a row field
  int reserved = -1;  // index into the page's reserved values
  const char* label = "reserved value";
};

namespace slot_detail {

template <class T>
struct DefaultsAt {
  int slot;
  T PageDefaults::*field;
  const char* label;
};

// A row field sits in slot 10 * row + offset.
template <class T>
struct RowFieldAt {
  int offset;
  T RoomRow::*field;
  const char* label;
};

template <class T, std::size_t N, std::size_t ND, std::size_t NR>
constexpr std::array<SlotPlace<T>, N> buildSlots(const std::array<DefaultsAt<T>, ND>& defaults,
                                                 const std::array<RowFieldAt<T>, NR>& rowFields) {
  std::array<SlotPlace<T>, N> places{};
  for (const auto& d : defaults) {
    places[static_cast<std::size_t>(d.slot - 1)] = {d.field, nullptr, 0, -1, d.label};
  }
  for (int r = 1; r <= kRowCount; ++r) {
    for (const auto& f : rowFields) {
      places[static_cast<std::size_t>(10 * r + f.offset - 1)] = {nullptr, f.field, r, -1, f.label};
    }
  }
  int reserved = 0;
  for (auto& place : places) {
    if (place.defaultsField == nullptr && place.rowField == nullptr) place.reserved = reserved++;
  }
  return places;
}

template <class T, std::size_t N>
constexpr int reservedCount(const std::array<SlotPlace<T>, N>& places) {
  int count = 0;
  for (const auto& place : places) count += place.reserved >= 0 ? 1 : 0;
  return count;
}

}  // namespace slot_detail

inline constexpr auto kIntegerSlots = slot_detail::buildSlots<std::int32_t, kIntegerSlotCount>(
    std::array<slot_detail::DefaultsAt<std::int32_t>, 2>{{
        {1, &PageDefaults::lampWatts, "watts per lamp"},
        {7, &PageDefaults::lampLumens, "lumens per lamp"},
    }},
    std::array<slot_detail::RowFieldAt<std::int32_t>, 5>{{
        {-8, &RoomRow::roomCavityRatio, "room cavity ratio"},
        {-7, &RoomRow::designFootcandles, "design footcandles"},
        {-6, &RoomRow::calculatedFootcandles, "calculated footcandles"},
        {-5, &RoomRow::fixtureNumber, "fixture number"},
        {-4, &RoomRow::quantity, "fixture quantity"},
    }});

inline constexpr auto kRealSlots = slot_detail::buildSlots<float, kRealSlotCount>(
    std::array<slot_detail::DefaultsAt<float>, 3>{{
        {1, &PageDefaults::ballastFactor, "ballast factor"},
        {2, &PageDefaults::lampLumenDepreciation, "lamp lumen depreciation factor"},
        {3, &PageDefaults::lampDirtDepreciation, "lamp dirt depreciation factor"},
    }},
    std::array<slot_detail::RowFieldAt<float>, 4>{{
        {-5, &RoomRow::length, "length"},
        {-4, &RoomRow::width, "width"},
        {-3, &RoomRow::height, "height"},
        {-2, &RoomRow::wattsPerSquareFoot, "watts per square foot"},
    }});

static_assert(slot_detail::reservedCount(kIntegerSlots) == kReservedIntegerCount);
static_assert(slot_detail::reservedCount(kRealSlots) == kReservedRealCount);

// The value of one slot of a page (const or not).
template <class Page, class T>
auto& slotValue(Page& page, const SlotPlace<T>& place) {
  if (place.defaultsField != nullptr) return page.defaults.*place.defaultsField;
  if (place.rowField != nullptr)
    return page.rows[static_cast<std::size_t>(place.row - 1)].*place.rowField;
  if constexpr (std::is_same_v<T, float>) {
    return page.reservedReals[static_cast<std::size_t>(place.reserved)];
  } else {
    return page.reservedIntegers[static_cast<std::size_t>(place.reserved)];
  }
}

// Calls visit with the name, number and description of a row, in file order.
template <class Row, class Visitor>
void visitRowTexts(Row& row, Visitor&& visit) {
  visit(row.name);
  visit(row.number);
  visit(row.description);
}

// Calls visit with every value of page a and the same value of page b, in file order:
// name, number and description of rows 1 to 19, then the integer slots, then the real
// slots. The one place that fixes the order, for reading, writing and comparing alike.
template <class PageA, class PageB, class Visitor>
void visitPageValuePairs(PageA& a, PageB& b, Visitor&& visit) {
  for (std::size_t r = 0; r < a.rows.size(); ++r) {
    visit(a.rows[r].name, b.rows[r].name);
    visit(a.rows[r].number, b.rows[r].number);
    visit(a.rows[r].description, b.rows[r].description);
  }
  for (const auto& place : kIntegerSlots) visit(slotValue(a, place), slotValue(b, place));
  for (const auto& place : kRealSlots) visit(slotValue(a, place), slotValue(b, place));
}

// Calls visit with every value of a page in file order.
template <class Page, class Visitor>
void visitPageValues(Page& page, Visitor&& visit) {
  visitPageValuePairs(page, page, [&](auto& value, auto&) { visit(value); });
}

// What line `line` (1-based) of a project file holds, e.g. "the length of row 2 on
// page 1", for error messages.
std::string describeProjectLine(int line);

}  // namespace kandelor
