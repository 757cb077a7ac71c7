#include "app/status_texts.h"

#include "model/project.h"
#include "toolkit/toolkit.h"

namespace kandelor {

std::string pageStatusText(int page) {
  return " Page " + std::to_string(page);
}

std::string roomsStatusText(int page) {
  return " Room #s " + std::to_string(roomNumber(page, 1)) + " -> " +
         std::to_string(roomNumber(page, kRowCount)) + " ";
}

void showPageInStatusBar(int page) {
  toolkit::windowoutstatusbar(1, pageStatusText(page));
  toolkit::windowoutstatusbar(3, roomsStatusText(page));
}

}  // namespace kandelor
