#pragma once

#include <string_view>

#include "calc/calculation.h"
#include "calc/catalogue.h"
#include "model/project.h"

namespace kandelor::testing {

enum class Aim { Meets, Low, High };

// A design that gives the room the verdict aimed at with the catalogue column given.
inline std::int32_t designFor(const RoomRow& room, const PageDefaults& defaults,
                              const FixtureCatalogue& catalogue, int column, Aim aim) {
  const std::int32_t calculated =
      calculateRoom(room, defaults, catalogue, column).calculatedFootcandles;
  switch (aim) {
    case Aim::Meets:
      return calculated;
    case Aim::Low:
      return 2 * calculated + 10;
    case Aim::High:
      break;
  }
  return calculated / 2;
}

// Gives the room its name, size, fixture type and count.
inline RoomRow& enterRoom(RoomRow& row, std::string_view name, float length, float width,
                          float height, std::int32_t fixture, std::int32_t quantity) {
  row.name.assign(name);
  row.length = length;
  row.width = width;
  row.height = height;
  row.fixtureNumber = fixture;
  row.quantity = quantity;
  return row;
}

// Five pages with rooms of every kind: blank rows between rooms, a room no higher than
// the work plane and one below it, one whose RCR is above 10, quantity 0, fixture
// numbers 0 and 23, no design, a design no quantity reaches, rows with only a length or
// a negative one (not in use), texts that CSV and JSON must quote, a page with no room
// and the last room of all. Each page has defaults of its own.
inline Project craftedProject(const FixtureCatalogue& catalogue, int column) {
  Project project;
  const PageDefaults defaults[kPageCount] = {{1.0f, 0.9f, 0.9f, 34, 2800},
                                             {0.95f, 0.85f, 0.9f, 32, 3000},
                                             {1.1f, 0.88f, 0.92f, 54, 4400},
                                             {1.0f, 1.0f, 1.0f, 10, 850},
                                             {0.88f, 0.9f, 0.95f, 28, 2600}};
  for (int p = 1; p <= kPageCount; ++p) project.page(p).defaults = defaults[p - 1];

  auto room = [&](int p, int r, std::string_view name, float length, float width, float height,
                  std::int32_t fixture, std::int32_t quantity) -> RoomRow& {
    RoomRow& row =
        enterRoom(project.page(p).row(r), name, length, width, height, fixture, quantity);
    row.number.assign(std::to_string(100 * p + r));
    // Stale results, as a file may hold them: the schedule must not use them.
    row.roomCavityRatio = 99;
    row.calculatedFootcandles = 9999;
    row.wattsPerSquareFoot = 99.5f;
    return row;
  };
  auto aim = [&](int p, RoomRow& row, Aim wanted) {
    row.designFootcandles = designFor(row, project.page(p).defaults, catalogue, column, wanted);
  };

  aim(1, room(1, 1, "Lobby", 40, 30, 12, 12, 16), Aim::Low);
  // row 2 blank
  room(1, 3, "Plenum", 20, 10, 2.5f, 1, 4).designFootcandles = 30;    // no room cavity
  room(1, 4, "Crawl", 4, 4, 2, 1, 4).designFootcandles = 30;          // RCR below 0
  aim(1, room(1, 5, "Shaft", 3, 3, 20, 1, 2), Aim::High);             // RCR 58
  room(1, 6, "Unlit", 20, 15, 9, 1, 0).designFootcandles = 50;        // quantity 0
  room(1, 7, "NoType", 10, 10, 9, 0, 3).designFootcandles = 20;       // fixture 0
  room(1, 8, "Type23", 10, 10, 9, 23, 3).designFootcandles = 20;      // outside the catalogue
  room(1, 9, "Hall", 30, 12, 10, 6, 5).designFootcandles = 0;         // no design
  room(1, 10, "Half", 10, 0, 9, 1, 4).designFootcandles = 30;         // not in use
  room(1, 11, "Minus", -5, 10, 9, 1, 4).designFootcandles = 30;       // not in use
  room(1, 12, "Arena", 400, 300, 30, 8, 1).designFootcandles = 5000;  // unreachable
  aim(1, room(1, 13, "Lab,\"A\"", 12.25f, 10.1f, 9.5f, 2, 4), Aim::Meets);
  aim(1, room(1, 19, "Büro", 15, 12, 9, 3, 6), Aim::High);

  aim(2, room(2, 1, "Office", 15, 12, 9, 2, 4), Aim::Meets);
  aim(2, room(2, 7, "Workshop", 40, 30, 12, 7, 10), Aim::Low);
  aim(3, room(3, 19, "Store", 60, 60, 8, 10, 4), Aim::Meets);  // RCR 0
  // page 4 has no room
  aim(5, room(5, 1, "Gym", 80, 50, 24, 9, 12), Aim::High);
  aim(5, room(5, 19, "Last", 20, 20, 9, 22, 6), Aim::Meets);
  return project;
}

// Every room of all five pages in use, for the layout of long schedules.
inline Project fullProject() {
  Project project;
  for (int p = 1; p <= kPageCount; ++p) {
    RoomPage& page = project.page(p);
    page.defaults = {1.0f, 0.9f, 0.9f, 34, 2800};
    for (int r = 1; r <= kRowCount; ++r) {
      RoomRow& row = page.row(r);
      row.name.assign("Room-" + std::to_string(roomNumber(p, r)));
      row.number.assign(std::to_string(roomNumber(p, r)));
      row.length = 10.0f + static_cast<float>(r);
      row.width = 10.0f + static_cast<float>(p);
      row.height = 9.0f;
      row.fixtureNumber = r;
      row.quantity = 2 + r % 5;
      row.designFootcandles = 10 * (1 + r % 6);
    }
  }
  return project;
}

}  // namespace kandelor::testing
