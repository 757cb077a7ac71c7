// The catalogue files: each input is read both as light.dat and as Type.dat, and what
// either reader accepts must write and read back unchanged.
#include <cstddef>
#include <cstdint>

#include "catalogue_check.h"
#include "fuzz_main.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  kandelor::fuzz::stopOnFault(kandelor::fuzz::lightDatRoundTripFault(input));
  kandelor::fuzz::stopOnFault(kandelor::fuzz::typeDatRoundTripFault(input));
  return 0;
}
