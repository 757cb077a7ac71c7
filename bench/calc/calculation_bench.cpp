#include <benchmark/benchmark.h>

#include "calc/calculation.h"

namespace kandelor {
namespace {

// A full page: 19 rooms of different sizes and fixture types, every one lit.
RoomPage fullPage() {
  RoomPage page;
  page.defaults = {1.0f, 0.9f, 0.9f, 34, 2800};
  for (int r = 1; r <= kRowCount; ++r) {
    RoomRow& row = page.row(r);
    row.length = 10.0f + 3.0f * static_cast<float>(r);
    row.width = 8.0f + 2.0f * static_cast<float>(r);
    row.height = 8.0f + 0.5f * static_cast<float>(r % 5);
    row.fixtureNumber = r;
    row.quantity = 2 + r;
  }
  return page;
}

FixtureCatalogue filledCatalogue() {
  FixtureCatalogue catalogue;
  for (FixtureType& type : catalogue.types) {
    type.description.assign("Troffer");
    type.lampsPerFixture = 2;
    for (auto& column : type.cuPercent) {
      for (std::size_t r = 0; r < column.size(); ++r) column[r] = 80 - 5 * static_cast<int>(r);
    }
  }
  return catalogue;
}

void BM_CalculatePage(benchmark::State& state) {
  const RoomPage page = fullPage();
  const FixtureCatalogue catalogue = filledCatalogue();
  for (auto _ : state) {
    PageResults results = calculatePage(page, catalogue, 3, 2);
    benchmark::DoNotOptimize(results);
  }
}
BENCHMARK(BM_CalculatePage);

}  // namespace
}  // namespace kandelor

BENCHMARK_MAIN();
