// Bounds-checked little-endian reading of a byte block. The first read that would pass the
// end fails the reader for good and every later read yields zeros or nothing, so a parser can
// read a whole structure field by field and check ok() once at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace forms {

// Little-endian values at `p`, which the caller has checked to hold them.
inline uint16_t LoadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t LoadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  bool AtEnd() const { return ok_ && pos_ == bytes_.size(); }
  size_t remaining() const { return ok_ ? bytes_.size() - pos_ : 0; }
  void Fail() { ok_ = false; }
  void Skip(size_t n) { Take(n); }

  // The next n bytes, or an empty span (and a failed reader) when fewer are left.
  std::span<const uint8_t> Take(size_t n) {
    if (n > remaining()) {
      ok_ = false;
      return {};
    }
    auto taken = bytes_.subspan(pos_, n);
    pos_ += n;
    return taken;
  }

  uint8_t U8() { return static_cast<uint8_t>(Little<1>()); }
  uint16_t U16() { return static_cast<uint16_t>(Little<2>()); }
  uint32_t U32() { return Little<4>(); }
  int32_t I32() { return static_cast<int32_t>(U32()); }

  // A 32-bit byte count followed by that many bytes.
  std::span<const uint8_t> SizedBlock() { return Take(U32()); }
  std::string Text() {
    auto bytes = SizedBlock();
    return {bytes.begin(), bytes.end()};
  }

  // Bytes up to a zero byte, which is consumed; fails when no zero byte is left.
  std::string CString() {
    const size_t left = remaining();
    const void* zero = left ? std::memchr(bytes_.data() + pos_, 0, left) : nullptr;
    if (!zero) {
      ok_ = false;
      return {};
    }
    const char* start = reinterpret_cast<const char*>(bytes_.data() + pos_);
    std::string text(start, static_cast<const char*>(zero));
    pos_ += text.size() + 1;
    return text;
  }

  // `count` itself when the bytes left can hold that many elements of at least
  // `min_element_size` bytes each, so that a caller may allocate for it; otherwise 0 and a
  // failed reader. This is what stops a forged count from asking for gigabytes.
  uint32_t Checked(uint32_t count, size_t min_element_size) {
    if (count > remaining() / min_element_size) {
      ok_ = false;
      return 0;
    }
    return count;
  }

 private:
  template <size_t kWidth>
  uint32_t Little() {
    if (kWidth > remaining()) {
      ok_ = false;
      return 0;
    }
    uint32_t value = 0;
    for (size_t i = 0; i < kWidth; ++i) value |= uint32_t{bytes_[pos_ + i]} << (8 * i);
    pos_ += kWidth;
    return value;
  }

  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace forms
