#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "calc/workplane/parallel_for.h"
#include "calc/workplane/room_light.h"

namespace kandelor::workplane {
namespace {

const std::string kDataDir = KANDELOR_DATA_DIR;

struct Shipped {
  FixtureCatalogue catalogue;
  CataloguePhotometry photometry;

  Shipped() : photometry(loadCataloguePhotometry(kDataDir)) {
    if (!rawdata(catalogue, kDataDir + "/light.dat", kDataDir + "/Type.dat")) std::abort();
  }
};

const Shipped& shipped() {
  static const Shipped data;
  return data;
}

constexpr PageDefaults kDefaults{1.0f, 0.9f, 0.9f, 34, 2800};

RoomRow room(float length, float width, float height, int type, int quantity) {
  RoomRow row;
  row.length = length;
  row.width = width;
  row.height = height;
  row.fixtureNumber = type;
  row.quantity = quantity;
  return row;
}

// 95 rooms from 8 x 8 to 100 x 60 ft, 8 to 30 ft high, with every fixture type: sizes
// and heights spread independently, one fixture per 60 sqft (1 to 100), and the
// extremes among them: the largest room at the lowest and the highest ceiling.
std::vector<RoomRow> fullProject() {
  std::vector<RoomRow> rooms = {room(100, 60, 8, 1, 100), room(100, 60, 30, 9, 100),
                                room(8, 8, 8, 12, 1)};
  for (int k = 3; k < kPageCount * kRowCount; ++k) {
    const float length = 8 + 92 * static_cast<float>((k * 37) % 95) / 94;
    const float width = 8 + 52 * static_cast<float>((k * 53) % 95) / 94;
    const float height = 8 + 22 * static_cast<float>((k * 71) % 95) / 94;
    const int quantity = std::clamp(static_cast<int>(std::lround(length * width / 60)), 1, 100);
    rooms.push_back(room(length, width, height, k % kFixtureTypeCount + 1, quantity));
  }
  return rooms;
}

void timeOneRoom(benchmark::State& state, const RoomRow& row, ReflectancePair reflectances) {
  for (auto _ : state) {
    auto light = computeRoomLight(row, kDefaults, shipped().catalogue, shipped().photometry,
                                  reflectances, 0);
    benchmark::DoNotOptimize(light);
  }
}

void BM_Office(benchmark::State& state) {
  timeOneRoom(state, room(30, 20, 9, 1, 8), {70, 50});
}
BENCHMARK(BM_Office)->Unit(benchmark::kMillisecond);

// Every room at 80 / 70 %, where the light takes the most bounces, on all cores.
void BM_FullProject(benchmark::State& state) {
  const std::vector<RoomRow> rooms = fullProject();
  std::vector<RoomLightResult> results(rooms.size());
  for (auto _ : state) {
    parallelFor(rooms.size(), [&](std::size_t i) {
      results[i] = computeRoomLight(rooms[i], kDefaults, shipped().catalogue, shipped().photometry,
                                    {80, 70}, 0);
    });
    benchmark::DoNotOptimize(results);
  }
}
BENCHMARK(BM_FullProject)->Unit(benchmark::kMillisecond)->UseRealTime();

// The largest room at the lowest ceiling alone: the most patches and points.
void BM_LargeLowRoom(benchmark::State& state) {
  timeOneRoom(state, room(100, 60, 8, 1, 100), {80, 70});
}
BENCHMARK(BM_LargeLowRoom)->Unit(benchmark::kMillisecond);

// Big rooms: a warehouse bay and an arena, 100 high bays each, on one core.
void BM_WarehouseBay(benchmark::State& state) {
  timeOneRoom(state, room(200, 150, 20, 9, 100), {50, 30});
}
BENCHMARK(BM_WarehouseBay)->Unit(benchmark::kMillisecond);

void BM_Arena(benchmark::State& state) {
  timeOneRoom(state, room(500, 500, 35, 9, 100), {50, 30});
}
BENCHMARK(BM_Arena)->Unit(benchmark::kMillisecond);

// 95 copies of one room on all cores, as a project of offices or of warehouse bays.
void timeProjectOf(benchmark::State& state, const RoomRow& row, ReflectancePair reflectances) {
  std::vector<RoomLightResult> results(kPageCount * kRowCount);
  for (auto _ : state) {
    parallelFor(results.size(), [&](std::size_t i) {
      results[i] = computeRoomLight(row, kDefaults, shipped().catalogue, shipped().photometry,
                                    reflectances, 0);
    });
    benchmark::DoNotOptimize(results);
  }
}

void BM_NinetyFiveOffices(benchmark::State& state) {
  timeProjectOf(state, room(30, 20, 9, 1, 12), {70, 50});
}
BENCHMARK(BM_NinetyFiveOffices)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NinetyFiveWarehouseBays(benchmark::State& state) {
  timeProjectOf(state, room(200, 150, 20, 9, 100), {50, 30});
}
BENCHMARK(BM_NinetyFiveWarehouseBays)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NinetyFiveArenas(benchmark::State& state) {
  timeProjectOf(state, room(500, 500, 35, 9, 100), {50, 30});
}
BENCHMARK(BM_NinetyFiveArenas)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kandelor::workplane

BENCHMARK_MAIN();
