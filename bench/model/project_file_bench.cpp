#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <iomanip>
#include <sstream>

#include "model/project_file.h"
#include "model/project_slots.h"

namespace kandelor {
namespace {

// A project with every room filled and non-trivial numbers in every slot.
Project fullProject() {
  Project project;
  for (int p = 1; p <= kPageCount; ++p) {
    RoomPage& page = project.page(p);
    page.defaults = {0.95f, 0.88f, 0.9f, 32, 2850};
    for (int r = 1; r <= kRowCount; ++r) {
      RoomRow& row = page.row(r);
      row.name.assign("Office " + std::to_string(roomNumber(p, r)));
      row.number.assign(std::to_string(100 + r));
      row.description.assign("2x4 troffer");
      row.length = 12.5f + static_cast<float>(r);
      row.width = 10.25f + 0.1f * static_cast<float>(r);
      row.height = 9.0f;
      row.roomCavityRatio = 3;
      row.designFootcandles = 50;
      row.calculatedFootcandles = 58;
      row.fixtureNumber = r % 22 + 1;
      row.quantity = 4 + r;
      row.wattsPerSquareFoot = 1.36f / static_cast<float>(r);
    }
    for (std::size_t i = 0; i < page.reservedReals.size(); ++i) {
      page.reservedReals[i] = 1e-3f * static_cast<float>(i);
    }
  }
  return project;
}

void formatAndParseInMemory(benchmark::State& state) {
  const Project project = fullProject();
  Project loaded;
  for (auto _ : state) {
    const std::string text = formatProject(project);
    auto parsed = parseProject(text, "bench.prj", loaded);
    benchmark::DoNotOptimize(parsed);
    benchmark::DoNotOptimize(loaded);
  }
}
BENCHMARK(formatAndParseInMemory)->Unit(benchmark::kMicrosecond);

// A save as savedata makes it (format, then the self-check's read-back) and the load
// that follows it in a page switch, without the disk.
void saveVerifiedAndLoadInMemory(benchmark::State& state) {
  const Project project = fullProject();
  Project loaded;
  for (auto _ : state) {
    const std::string text = formatProject(project);
    auto verified = verifyReadsBack(text, project, "bench.prj");
    auto parsed = parseProject(text, "bench.prj", loaded);
    if (!verified || !parsed) state.SkipWithError("the project did not read back");
    benchmark::DoNotOptimize(loaded);
  }
}
BENCHMARK(saveVerifiedAndLoadInMemory)->Unit(benchmark::kMicrosecond);

// For scale: the same file saved and loaded the straightforward way, with formatted
// streams (setw and setprecision out, operator>> in).
void streamSaveAndLoadInMemory(benchmark::State& state) {
  const Project project = fullProject();
  Project loaded;
  for (auto _ : state) {
    std::ostringstream out;
    for (const auto& page : project.pages) {
      visitPageValues(page, [&](const auto& value) {
        using Value = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, std::int32_t>) {
          out << ' ' << std::setw(11) << value << '\n';
        } else if constexpr (std::is_same_v<Value, float>) {
          out << ' ' << std::setw(16) << std::setprecision(9) << value << '\n';
        } else {
          out << ' ' << value.view() << '\n';
        }
      });
    }
    std::istringstream in(out.str());
    for (auto& page : loaded.pages) {
      visitPageValues(page, [&](auto& value) {
        using Value = std::decay_t<decltype(value)>;
        if constexpr (std::is_arithmetic_v<Value>) {
          in >> value;
        } else {
          std::string text;
          in >> text;
          value.assign(text);
        }
      });
    }
    benchmark::DoNotOptimize(loaded);
  }
}
BENCHMARK(streamSaveAndLoadInMemory)->Unit(benchmark::kMicrosecond);

void formatOnly(benchmark::State& state) {
  const Project project = fullProject();
  for (auto _ : state) benchmark::DoNotOptimize(formatProject(project));
}
BENCHMARK(formatOnly)->Unit(benchmark::kMicrosecond);

void parseOnly(benchmark::State& state) {
  const std::string text = formatProject(fullProject());
  Project loaded;
  for (auto _ : state) {
    auto parsed = parseProject(text, "bench.prj", loaded);
    benchmark::DoNotOptimize(parsed);
    benchmark::DoNotOptimize(loaded);
  }
}
BENCHMARK(parseOnly)->Unit(benchmark::kMicrosecond);

// The real save and load of a page switch, through a file in a temporary folder
// (the save includes its fsync).
void saveAndLoadThroughFile(benchmark::State& state) {
  std::string folder = (std::filesystem::temp_directory_path() / "kandelor-bench-XXXXXX");
  if (::mkdtemp(folder.data()) == nullptr) {
    state.SkipWithError("cannot create a temporary folder");
    return;
  }
  const std::string name = folder + "/bench.prj";
  Project project = fullProject();
  Project loaded;
  for (auto _ : state) {
    auto saved = savedata(project, name);
    auto read = loaddata(loaded, name);
    if (!saved || !read) state.SkipWithError("save or load failed");
    benchmark::DoNotOptimize(loaded);
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(saveAndLoadThroughFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kandelor

BENCHMARK_MAIN();
