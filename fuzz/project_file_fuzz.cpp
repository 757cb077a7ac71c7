// Project files: whatever the reader accepts must save and read back unchanged.
#include <cstddef>
#include <cstdint>

#include "fuzz_main.h"
#include "project_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  kandelor::fuzz::stopOnFault(kandelor::fuzz::projectRoundTripFault(input));
  return 0;
}
