#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace kandelor::fuzz {

// Stops the fuzzer on a fault, so that it keeps the input that caused it.
inline void stopOnFault(const std::optional<std::string>& fault) {
  if (!fault) return;
  std::fprintf(stderr, "FAULT: %s\n", fault->c_str());
  std::abort();
}

}  // namespace kandelor::fuzz
