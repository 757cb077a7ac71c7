#include "app/program.h"

int main() {
  return kandelor::runProgram();
}
