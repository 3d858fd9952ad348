// Replaces the global operator new of the test program to watch allocation sizes.
#include "tests/allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_watching{false};
std::atomic<size_t> g_largest{0};

}  // namespace

void* operator new(size_t size) {
  if (g_watching.load(std::memory_order_relaxed)) {
    size_t seen = g_largest.load(std::memory_order_relaxed);
    while (size > seen && !g_largest.compare_exchange_weak(seen, size)) {
    }
  }
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }

namespace testing_support {

size_t LargestAllocationDuring(const std::function<void()>& run) {
  g_largest = 0;
  g_watching = true;
  run();
  g_watching = false;
  return g_largest;
}

}  // namespace testing_support
