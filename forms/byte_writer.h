// Little-endian writing of a byte block, the counterpart of ByteReader. Refuses what the
// reader could not read back as written: a block longer than a 32-bit size can state, and a
// zero byte inside a zero-terminated string.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace forms {

class ByteWriter {
 public:
  void U8(uint8_t value) { bytes_.push_back(value); }
  void U16(uint16_t value) { Little(value, 2); }
  void U32(uint32_t value) { Little(value, 4); }
  void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
  void Zeros(size_t n) { bytes_.insert(bytes_.end(), n, 0); }

  void Append(std::span<const uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  }
  void Append(std::string_view text) { Append(AsBytes(text)); }

  // A 32-bit byte count followed by the bytes.
  void SizedBlock(std::span<const uint8_t> bytes) {
    U32(CheckedSize(bytes.size()));
    Append(bytes);
  }
  void Text(std::string_view text) { SizedBlock(AsBytes(text)); }

  void CString(std::string_view text) {
    if (text.find('\0') != std::string_view::npos)
      throw std::invalid_argument("zero byte inside a zero-terminated string");
    Append(text);
    U8(0);
  }

  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::vector<uint8_t> Release() { return std::move(bytes_); }

  static uint32_t CheckedSize(size_t size) {
    if (size > UINT32_MAX) throw std::length_error("block too long for a 32-bit size");
    return static_cast<uint32_t>(size);
  }

 private:
  static std::span<const uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
  }

  void Little(uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }

  std::vector<uint8_t> bytes_;
};

}  // namespace forms
