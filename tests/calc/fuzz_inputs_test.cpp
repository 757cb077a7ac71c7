#include <gtest/gtest.h>

#include "catalogue_check.h"
#include "lm63_check.h"
#include "support/fuzz_inputs.h"

namespace kandelor {
namespace {

// Inputs that once made a fuzzer fail, by folder: catalogue files (each read both as
// light.dat and as Type.dat), LM-63 and EULUMDAT files and catalogue lists. Each must now be
// rejected, or hold what its reader promises.
TEST(CatalogueInputs, EachIsRejectedOrReadsAsItsReaderPromises) {
  const std::filesystem::path root = KANDELOR_FUZZ_INPUTS;
  std::size_t count = 0;
  for (const auto& file : testing::inputFiles(root / "catalogue")) {
    const std::string bytes = testing::readFile(file);
    EXPECT_EQ(fuzz::lightDatRoundTripFault(bytes), std::nullopt) << file.filename();
    EXPECT_EQ(fuzz::typeDatRoundTripFault(bytes), std::nullopt) << file.filename();
    ++count;
  }
  for (const auto& file : testing::inputFiles(root / "lm63")) {
    EXPECT_EQ(fuzz::lm63Fault(testing::readFile(file)), std::nullopt) << file.filename();
    ++count;
  }
  for (const auto& file : testing::inputFiles(root / "eulumdat")) {
    EXPECT_EQ(fuzz::eulumdatFault(testing::readFile(file)), std::nullopt) << file.filename();
    ++count;
  }
  for (const auto& file : testing::inputFiles(root / "catalogue_list")) {
    EXPECT_EQ(fuzz::catalogueListFault(testing::readFile(file)), std::nullopt) << file.filename();
    ++count;
  }
  EXPECT_GT(count, 0u) << root;
}

}  // namespace
}  // namespace kandelor
