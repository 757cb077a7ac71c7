#pragma once

#include <cstdint>
#include <string>

#include "model/project.h"

namespace kandelor {

// The ceiling and wall reflectance percentages printed in the report. They are kept
// from one Print to the next for the life of the program and start at 0.
struct ReportPercentages {
  std::int32_t ceiling = 0;
  std::int32_t wall = 0;

  // Takes the 1-based item numbers selected in the two reflectance lists; an item
  // number outside 1..4 (typed text matching no item, an empty list) keeps the
  // percentage printed last.
  void update(int ceilingChoice, int wallChoice);
};

// The report of one page: 47 lines, each ended by '\n'. `pageNumber` is the page the
// rows come from (1..5), printed on the last line.
std::string formatReport(const RoomPage& page, const ReportPercentages& percentages,
                         int pageNumber);

// A fixed-point field of `width` characters with `decimals` (0..9) digits after the
// point, right-aligned: the value rounded half away from zero, a "0" before the point
// for magnitudes below 1 when it fits, a minus sign only when the rounded value is not
// zero. A value that does not fit, NaN and infinities fill the field with '*'.
std::string formatFixed(float value, int width, int decimals);

// An integer right-aligned in `width` characters, '*' all over when it does not fit.
std::string formatInteger(std::int32_t value, int width);

}  // namespace kandelor
