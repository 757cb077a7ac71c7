#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace kandelor::workplane {

// Runs body(i) for i = 0..count-1 on every core: each thread takes the next index from
// a shared counter, so long and short jobs even out. Returns when all are done.
template <class Body>
void parallelFor(std::size_t count, Body&& body) {
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i = next++; i < count; i = next++) body(i);
  };
  const std::size_t threads =
      std::min<std::size_t>(count, std::max(1u, std::thread::hardware_concurrency()));
  if (threads <= 1) {
    work();
    return;
  }
  std::vector<std::jthread> helpers;
  for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
  work();
}

}  // namespace kandelor::workplane
