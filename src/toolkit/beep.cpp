#include "toolkit/beep.h"

#include <QApplication>

namespace toolkit::detail {
namespace {
int sounded = 0;
}  // namespace

void beep() {
  ++sounded;
  QApplication::beep();
}

int beepsSounded() {
  return sounded;
}

}  // namespace toolkit::detail
