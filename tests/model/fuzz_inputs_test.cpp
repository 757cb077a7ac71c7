#include <gtest/gtest.h>

#include "project_check.h"
#include "support/fuzz_inputs.h"

namespace kandelor {
namespace {

// Inputs that once made the project file fuzzer fail: each must now be rejected, or
// save and read back unchanged.
TEST(ProjectFileInputs, EachIsRejectedOrSavesAndReadsBackUnchanged) {
  const auto files = testing::inputFiles(KANDELOR_FUZZ_INPUTS);
  ASSERT_FALSE(files.empty()) << KANDELOR_FUZZ_INPUTS;
  for (const auto& file : files) {
    EXPECT_EQ(fuzz::projectRoundTripFault(testing::readFile(file)), std::nullopt)
        << file.filename();
  }
}

}  // namespace
}  // namespace kandelor
