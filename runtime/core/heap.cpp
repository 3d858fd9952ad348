#include "runtime/core/heap.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/core/error_report.h"
#include "runtime/core/runtime_state.h"

namespace rt {
namespace {

// Without a runtime there are no constant ranges: every block is a heap block.
const ConstantRange* FindRange(const void* p) {
  const RuntimeState* state = RuntimeIfAny();
  if (!state) return nullptr;
  auto* byte = static_cast<const uint8_t*>(p);
  for (const ConstantRange& r : state->constant_ranges) {
    auto* start = static_cast<const uint8_t*>(r.start);
    if (byte >= start && byte < start + r.size) return &r;
  }
  return nullptr;
}

[[noreturn]] void ReportAllocationFailure(size_t size) {
  ReportError(("分配 " + std::to_string(size) + " 字节内存失败!").c_str(), 0);
}

}  // namespace

void RegisterConstantRange(const void* start, size_t size) {
  Runtime().constant_ranges.push_back({start, size});
}

void ClearConstantRanges() { Runtime().constant_ranges.clear(); }

void* AllocMem(size_t size) {
  // A zero-byte request still yields a distinct block the receiver can free.
  void* block = std::malloc(size ? size : 1);
  if (!block) ReportAllocationFailure(size);
  return block;
}

void* ReallocMem(void* block, size_t size) {
  if (!block) return AllocMem(size);
  if (const ConstantRange* range = FindRange(block)) {
    auto* from = static_cast<const uint8_t*>(block);
    size_t available =
        static_cast<size_t>(static_cast<const uint8_t*>(range->start) + range->size - from);
    void* copy = AllocMem(size);
    std::memcpy(copy, from, available < size ? available : size);
    return copy;
  }
  void* resized = std::realloc(block, size ? size : 1);
  if (!resized) ReportAllocationFailure(size);
  return resized;
}

void FreeMem(void* block) {
  if (!block || FindRange(block)) return;
  std::free(block);
}

char* NewText(std::string_view text) {
  if (text.empty()) return nullptr;
  auto* copy = static_cast<char*>(AllocMem(text.size() + 1));
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
}

void* NewBytes(const void* data, uint32_t count) {
  auto* block = static_cast<uint8_t*>(AllocMem(8 + size_t{count}));
  const uint32_t header[2] = {1, count};
  std::memcpy(block, header, sizeof header);
  if (count) std::memcpy(block + 8, data, count);
  return block;
}

uint32_t BytesCount(const void* block) {
  if (!block) return 0;
  uint32_t count;
  std::memcpy(&count, static_cast<const uint8_t*>(block) + 4, sizeof count);
  return count;
}

const uint8_t* BytesData(const void* block) {
  return block ? static_cast<const uint8_t*>(block) + 8 : nullptr;
}

}  // namespace rt
