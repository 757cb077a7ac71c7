// Start-up to the first shown form, the page calculation through the Qt toolkit, and a
// page switch, in a working folder seeded with the shipped data files.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/commands.h"
#include "app/program.h"
#include "app/recovery.h"
#include "form/calc_data.h"
#include "form/field_ids.h"
#include "form/form_transfer.h"
#include "toolkit/project_schedule.h"
#include "toolkit/toolkit.h"

using namespace kandelor;

namespace {

// A page with every row filled, so the calculation does all its work.
void fillPage() {
  for (int r = 1; r <= kRowCount; ++r) {
    toolkit::wdialogputreal(fieldId(r, Column::Length), 10.0f + static_cast<float>(r));
    toolkit::wdialogputreal(fieldId(r, Column::Width), 8.0f + static_cast<float>(r));
    toolkit::wdialogputreal(fieldId(r, Column::Height), 9.0f);
    toolkit::wdialogputinteger(fieldId(r, Column::FixtureNumber), 1 + r % 22);
    toolkit::wdialogputinteger(fieldId(r, Column::Quantity), 4 + r);
  }
}

void BM_StartUpToFirstForm(benchmark::State& bench) {
  for (auto _ : bench) {
    AppState state;
    if (!startUp(state)) bench.SkipWithError("start-up failed");
    QApplication::processEvents();  // lays out and paints the window
    bench.PauseTiming();
    toolkit::windowclose();
    bench.ResumeTiming();
  }
}

void BM_CalcDataThroughToolkit(benchmark::State& bench) {
  AppState state;
  if (!startUp(state)) bench.SkipWithError("start-up failed");
  fillPage();
  for (auto _ : bench) CalcData(state.page(), state.catalogue);
  toolkit::windowclose();
}

void BM_PageSwitch(benchmark::State& bench) {
  AppState state;
  if (!startUp(state)) bench.SkipWithError("start-up failed");
  int page = 1;
  for (auto _ : bench) {
    page = page % kPageCount + 1;
    switchPage(state, page);
  }
  toolkit::windowclose();
}

// Leaving a field after an edit: the verdicts and the recovery copy written (the name
// alternates, so every change is new work to keep).
void BM_FieldChangeWithRecoveryWrite(benchmark::State& bench) {
  AppState state;
  if (!startUp(state)) bench.SkipWithError("start-up failed");
  bool quit = false;
  int n = 0;
  for (auto _ : bench) {
    toolkit::wdialogputstring(fieldId(1, Column::Name), (++n % 2) ? "Atrium" : "Lobby 2");
    dispatchMessage(state, toolkit::kFieldChanged, toolkit::Message{}, quit);
  }
  discardRecoveryCopy(state);  // the next start would offer it
  toolkit::windowclose();
}

// Leaving a field with nothing new to keep: the copy is not written again.
void BM_FieldChangeWithoutNewWork(benchmark::State& bench) {
  AppState state;
  if (!startUp(state)) bench.SkipWithError("start-up failed");
  bool quit = false;
  toolkit::wdialogputstring(fieldId(1, Column::Name), "Atrium");
  for (auto _ : bench) dispatchMessage(state, toolkit::kFieldChanged, toolkit::Message{}, quit);
  discardRecoveryCopy(state);
  toolkit::windowclose();
}

// Leaving a field with the project schedule open on 95 rooms: the rooms listed again and
// shown, their light (computed once before timing) reused.
void BM_FieldChangeWithScheduleOpen(benchmark::State& bench) {
  const QString previous = QDir::currentPath();
  QTemporaryDir dir;
  for (const char* name : {"new.dat", "xxx.dat", "light.dat", "Type.dat", "HELP.HLP",
                           "photometry.dat", "space_types.csv"}) {
    QFile::copy(QStringLiteral(KANDELOR_DATA_DIR "/") + name, dir.filePath(name));
  }
  QDir(dir.path()).mkdir(QStringLiteral("photometry"));
  const QDir photometry(QStringLiteral(KANDELOR_DATA_DIR "/photometry"));
  for (const QString& file : photometry.entryList(QDir::Files)) {
    QFile::copy(photometry.filePath(file), dir.filePath(QStringLiteral("photometry/") + file));
  }
  QDir::setCurrent(dir.path());
  {
    AppState state;
    if (!startUp(state)) bench.SkipWithError("start-up failed");
    // All 95 rooms in use: the sample's first room, each a little larger.
    for (int room = 1; room <= kRoomCount; ++room) {
      RoomRow& row = state.project.page((room - 1) / kRowCount + 1).row((room - 1) % kRowCount + 1);
      row = state.project.page(1).row(1);
      row.length += static_cast<float>(room);
      if (room > kRowCount)
        state.project.page((room - 1) / kRowCount + 1).defaults = state.page().defaults;
    }
    PutData(state.page());
    bool quit = false;
    processmenu(kMenuProjectSchedule, quit, state);
    while (state.scheduleWindow.worker && state.scheduleWindow.worker->busy()) {
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    toolkit::Message computed;
    computed.value[0] = state.scheduleWindow.request;
    dispatchMessage(state, toolkit::kScheduleComputed, computed, quit);
    if (!state.scheduleWindow.pending.empty()) bench.SkipWithError("the light was not listed");
    int n = 0;
    for (auto _ : bench) {
      toolkit::wdialogputstring(fieldId(1, Column::Name), (++n % 2) ? "Atrium" : "Lobby 2");
      dispatchMessage(state, toolkit::kFieldChanged, toolkit::Message{}, quit);
    }
    discardRecoveryCopy(state);
    toolkit::windowclose();
  }
  QDir::setCurrent(previous);
}

BENCHMARK(BM_StartUpToFirstForm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcDataThroughToolkit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageSwitch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FieldChangeWithRecoveryWrite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FieldChangeWithoutNewWork)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FieldChangeWithScheduleOpen)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  for (const char* name : {"new.dat", "xxx.dat", "light.dat", "Type.dat", "HELP.HLP"}) {
    QFile::copy(QStringLiteral(KANDELOR_DATA_DIR "/") + name, dir.filePath(name));
  }
  QDir::setCurrent(dir.path());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
