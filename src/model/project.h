#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "model/fixed_text.h"

namespace kandelor {

inline constexpr int kPageCount = 5;
inline constexpr int kRowCount = 19;
inline constexpr int kRoomCount = kPageCount * kRowCount;
// What an empty numeric field of the form stores, and so what a file holds for it.
inline constexpr std::int32_t kEmptyInteger = -999;
inline constexpr float kEmptyReal = -999.0f;
inline constexpr int kReservedIntegerCount = 89;
inline constexpr int kReservedRealCount = 109;

// Luminaire and lamp data that apply to every room of one page.
struct PageDefaults {
  float ballastFactor = 0.0f;
  float lampLumenDepreciation = 0.0f;
  float lampDirtDepreciation = 0.0f;
  std::int32_t lampWatts = 0;
  std::int32_t lampLumens = 0;

  bool operator==(const PageDefaults&) const = default;
};

// One room. Lengths in feet.
struct RoomRow {
  FixedText<13> name;
  FixedText<6> number;
  float length = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
  std::int32_t roomCavityRatio = 0;
  std::int32_t designFootcandles = 0;
  std::int32_t calculatedFootcandles = 0;
  std::int32_t fixtureNumber = 0;
  FixedText<14> description;
  std::int32_t quantity = 0;
  float wattsPerSquareFoot = 0.0f;

  bool operator==(const RoomRow&) const = default;
};

// One page of 19 rooms. The reserved slots belong to no field; they are kept so that a
// save writes back exactly what the last load read (in ascending slot order).
struct RoomPage {
  PageDefaults defaults;
  std::array<RoomRow, kRowCount> rows;
  std::array<std::int32_t, kReservedIntegerCount> reservedIntegers{};
  std::array<float, kReservedRealCount> reservedReals{};

  // Rows are numbered 1 to 19.
  RoomRow& row(int r) { return rows.at(static_cast<std::size_t>(r - 1)); }
  const RoomRow& row(int r) const { return rows.at(static_cast<std::size_t>(r - 1)); }

  bool operator==(const RoomPage&) const = default;
};

// The ceiling and wall reflectance choices the project's results were computed with:
// the 1-based items of the form's two lists (1 to 4 each).
struct ReflectanceChoices {
  std::int32_t ceiling = 0;
  std::int32_t wall = 0;

  bool operator==(const ReflectanceChoices&) const = default;
};
inline constexpr std::int32_t kReflectanceChoiceCount = 4;

// A room's space type is the name of a type of the space-type table (space_types.csv),
// without blanks around it, of at most this many characters; empty for none.
inline constexpr std::size_t kSpaceTypeMaxCharacters = 64;

// The whole project: five pages, numbered 1 to 5, the reflectance choices when the file
// held them (files of the plain layout do not) and each room's space type.
struct Project {
  std::array<RoomPage, kPageCount> pages;
  std::optional<ReflectanceChoices> reflectances;
  std::array<std::string, kRoomCount> spaceTypes{};  // room 1 first

  RoomPage& page(int p) { return pages.at(static_cast<std::size_t>(p - 1)); }
  const RoomPage& page(int p) const { return pages.at(static_cast<std::size_t>(p - 1)); }
  // Rooms are numbered 1 to 95.
  std::string& spaceType(int room) { return spaceTypes.at(static_cast<std::size_t>(room - 1)); }
  const std::string& spaceType(int room) const {
    return spaceTypes.at(static_cast<std::size_t>(room - 1));
  }
  bool hasSpaceTypes() const {
    for (const std::string& type : spaceTypes) {
      if (!type.empty()) return true;
    }
    return false;
  }

  bool operator==(const Project&) const = default;
};

// Row r of page p is room 19 * (p - 1) + r.
constexpr int roomNumber(int page, int row) {
  return kRowCount * (page - 1) + row;
}

}  // namespace kandelor
