// Helpers for tests that take skin images apart: finding a record and damaging it while
// keeping the length and checksum right, so that the check under test is the one that
// has to catch the damage.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "skin/engine/skin_format.h"
#include "skin/skin_data.h"

namespace skin_images {

inline std::vector<uint8_t> Embedded(int number) {
  const std::span<const uint8_t> bytes = skin::EmbeddedSkin(number);
  return {bytes.begin(), bytes.end()};
}

// Offset of the payload of the first record with `tag`, or 0 when there is none.
inline size_t PayloadOffset(const std::vector<uint8_t>& image, skin::RecordTag tag) {
  for (size_t at = skin::kHeaderSize; at + 4 <= image.size();) {
    const size_t length = image[at + 2] | image[at + 3] << 8;
    if (image[at] == static_cast<uint16_t>(tag) && image[at + 1] == 0) return at + 4;
    at += 4 + length;
  }
  return 0;
}

inline std::vector<uint8_t> Resealed(std::vector<uint8_t> image) {
  skin::Seal(image);
  return image;
}

inline std::vector<uint8_t> WithByte(std::vector<uint8_t> image, size_t at, uint8_t value) {
  image.at(at) = value;
  return Resealed(std::move(image));
}

}  // namespace skin_images
