// The runtime heap: every text and byte array that the runtime hands to the program is a
// block of this heap, owned by the receiver and given back with FreeMem.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

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

}  // namespace rt
