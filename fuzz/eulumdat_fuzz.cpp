// EULUMDAT photometric files: what the reader accepts must hold what it promises, and
// the CU table built from it must be finite whole percentages.
#include <cstddef>
#include <cstdint>

#include "fuzz_main.h"
#include "lm63_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  kandelor::fuzz::stopOnFault(kandelor::fuzz::eulumdatFault(input));
  return 0;
}
