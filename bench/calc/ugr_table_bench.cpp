#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "calc/photometry/catalogue_list.h"
#include "calc/photometry/photometric_file.h"
#include "calc/photometry/ugr_table.h"
#include "model/text_file.h"

namespace kandelor::photometry {
namespace {

// The distributions of the shipped list's 22 types.
const std::vector<CandelaDistribution>& shippedDistributions() {
  static const std::vector<CandelaDistribution> distributions = [] {
    const std::string folder = std::string(KANDELOR_DATA_DIR) + "/photometry/";
    const auto list = readWholeFile(folder + "catalog.list");
    const auto entries = list ? parseCatalogueList(*list, "catalog.list")
                              : Result<std::vector<CatalogueEntry>>(list.error());
    if (!entries) std::abort();
    std::vector<CandelaDistribution> out;
    for (const CatalogueEntry& entry : *entries) {
      const auto read = readPhotometryFile(folder + entry.file);
      if (!read) std::abort();
      out.push_back(CandelaDistribution::fromPhotometry(*read));
    }
    return out;
  }();
  return distributions;
}

// Both tables (1 H and 0.25 H) of all 22 types, as kandelor-catalog --ugr computes them.
void BM_UgrTablesOfTheShippedTypes(benchmark::State& state) {
  const auto& distributions = shippedDistributions();
  for (auto _ : state) {
    for (const CandelaDistribution& d : distributions) {
      if (!ugrTableMissing(d).empty()) continue;
      benchmark::DoNotOptimize(ugrTables(d));
    }
  }
}
BENCHMARK(BM_UgrTablesOfTheShippedTypes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kandelor::photometry

BENCHMARK_MAIN();
