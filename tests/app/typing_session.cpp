// A run of the program that types a room name, leaves the field and then waits in the
// event loop, for tests that end it as a crash or a power cut would (SIGKILL).
// Usage: typing_session FOLDER NAME
#include <QApplication>
#include <QDir>

#include <cstdio>

#include "app/program.h"
#include "form/field_ids.h"
#include "support/qt_helpers.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  QApplication app(argc, argv);
  if (!QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) return 2;
  kandelor::AppState state;
  if (!kandelor::startUp(state)) return 1;
  if (!kandelor::testing::typeInto(kandelor::fieldId(1, kandelor::Column::Name), argv[2])) return 1;
  // Leaving the field, as the toolkit reports it.
  bool quit = false;
  kandelor::dispatchMessage(state, toolkit::kFieldChanged, toolkit::Message{}, quit);
  std::puts("typed");
  std::fflush(stdout);
  kandelor::runEventLoop(state);
  return 0;
}
