#include "calc/photometry/ugr_csv.h"

#include <cstdio>

namespace kandelor::photometry {

std::string formatUgrCsv(const std::vector<Datasheet>& sheets) {
  std::string out = std::string(kUgrCsvHeader) + "\n";
  char line[160];
  for (const Datasheet& sheet : sheets) {
    if (!sheet.ugr) continue;
    for (const UgrTable* table : {&sheet.ugr->standard, &sheet.ugr->quarter}) {
      for (std::size_t r = 0; r < kUgrRooms.size(); ++r) {
        for (const UgrView view : kUgrViews) {
          for (std::size_t k = 0; k < kUgrReflectances.size(); ++k) {
            const UgrReflectances rho = kUgrReflectances[k];
            std::snprintf(line, sizeof line, "%d,%s,%g,%d,%d,%s,%d,%d,%d,", sheet.typeNumber,
                          sheet.description.c_str(), table->spacing, kUgrRooms[r].x, kUgrRooms[r].y,
                          view == UgrView::Crosswise ? "crosswise" : "endwise", rho.ceiling,
                          rho.walls, rho.floor);
            out += line;
            if (const auto ugr = table->at(r, k, view)) {
              std::snprintf(line, sizeof line, "%.1f", *ugr);
              out += line;
            }
            out += '\n';
          }
        }
      }
    }
  }
  return out;
}

}  // namespace kandelor::photometry
