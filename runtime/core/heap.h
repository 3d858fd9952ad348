// The runtime heap: every text and byte array that the runtime hands to the program is a
// block of this heap, owned by the receiver and given back with FreeMem.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

#include "runtime/core/value.h"

namespace rt {

// Registers a range of the program's constant data. FreeMem ignores pointers into such
// ranges and ReallocMem copies out of them instead of resizing.
void RegisterConstantRange(const void* start, size_t size);
void ClearConstantRanges();

// A new block; failure is the fatal runtime error "分配 %d 字节内存失败!".
void* AllocMem(size_t size);
// Null: as AllocMem. A pointer into a constant range: a new block holding the bytes from
// the pointer to the end of its range, cut to `size`. Otherwise the block resized.
void* ReallocMem(void* block, size_t size);
// Nothing for null or a pointer into a constant range.
void FreeMem(void* block);

// A new zero-terminated copy of `text` on the runtime heap, or null for the empty text.
char* NewText(std::string_view text);

// Byte-array block: a 32-bit dimension count (always 1), a 32-bit element count, then the
// bytes. Null counts as the empty byte array.
void* NewBytes(const void* data, uint32_t count);
uint32_t BytesCount(const void* block);
const uint8_t* BytesData(const void* block);

namespace detail {

// Holds one block of the runtime heap and frees it with FreeMem when it goes, so that no
// way out of the receiver's code can forget to. Move-only: a block has one owner.
template <class Block>
class HeapHolder {
 public:
  HeapHolder() = default;
  explicit HeapHolder(Block* block) : block_(block) {}
  HeapHolder(HeapHolder&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
  HeapHolder& operator=(HeapHolder&& other) noexcept {
    if (this != &other) {
      FreeMem(block_);
      block_ = std::exchange(other.block_, nullptr);
    }
    return *this;
  }
  ~HeapHolder() { FreeMem(block_); }

  Block* get() const { return block_; }
  // Hands the block on; its new owner frees it.
  Block* release() { return std::exchange(block_, nullptr); }

 private:
  Block* block_ = nullptr;
};

}  // namespace detail

// A text the runtime handed out (a command's `Text` result, a text property read).
class HeapText : public detail::HeapHolder<char> {
 public:
  using HeapHolder::HeapHolder;
  explicit HeapText(const Value& text) : HeapHolder(static_cast<char*>(AddressOf(text))) {}

  // Null is the empty text.
  const char* c_str() const { return get() ? get() : ""; }
  std::string_view view() const { return c_str(); }
};

// Any other block the runtime handed out; a byte array among them.
class HeapBlock : public detail::HeapHolder<void> {
 public:
  using HeapHolder::HeapHolder;
  explicit HeapBlock(const Value& bytes) : HeapHolder(AddressOf(bytes)) {}

  // The elements of a byte-array block; none for null.
  std::span<const uint8_t> bytes() const { return {BytesData(get()), BytesCount(get())}; }
};

}  // namespace rt
