// The list file of kandelor-catalog: every entry it accepts must be one the tool can
// write into Type.dat and read back.
#include <cstddef>
#include <cstdint>

#include "catalogue_check.h"
#include "fuzz_main.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  kandelor::fuzz::stopOnFault(kandelor::fuzz::catalogueListFault(input));
  return 0;
}
