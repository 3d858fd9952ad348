// Builds small bitmap, icon and cursor files in code for the picture tests and the fuzz
// target.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace picture_test {

using Bytes = std::vector<uint8_t>;

inline void PutLittleEndian(Bytes& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A device-independent bitmap to build. `value(x, y)` gives the stored pixel for row y
// counted from the top: a palette index, or the packed value at 16 and 32 bits, or
// 0xRRGGBB at 24 bits.
struct DibDescription {
  DibDescription(int width, int height, int bits, std::function<uint32_t(int, int)> value)
      : width(width), height(height), bits(bits), value(std::move(value)) {}

  int width = 0;
  int height = 0;
  int bits = 24;
  bool top_down = false;
  std::vector<uint32_t> palette;  // 0xRRGGBB entries
  uint32_t compression = 0;
  std::vector<uint32_t> masks;  // stored after a 40-byte header (bit-field compression)
  std::function<uint32_t(int, int)> value;
  std::function<bool(int, int)> transparent;  // icons: the AND mask; none when empty
};

inline size_t Stride(int width, int bits) {
  return (static_cast<size_t>(width) * bits + 31) / 32 * 4;
}

// Rows bottom-up unless top-down; each padded to 32 bits.
inline Bytes PackRows(int width, int height, int bits, bool top_down,
                      const std::function<uint32_t(int, int)>& value) {
  Bytes out;
  for (int stored = 0; stored < height; ++stored) {
    const int y = top_down ? stored : height - 1 - stored;
    Bytes row(Stride(width, bits), 0);
    for (int x = 0; x < width; ++x) {
      const uint32_t v = value(x, y);
      if (bits < 8) {
        const size_t bit = static_cast<size_t>(x) * bits;
        row[bit / 8] |= static_cast<uint8_t>(v << (8 - bits - bit % 8));
      } else {
        for (int i = 0; i < bits / 8; ++i)
          row[x * bits / 8 + i] = static_cast<uint8_t>(v >> (8 * i));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// Info header, masks, palette, colour bits and, for icons, the AND mask. Icons store
// twice the height.
inline Bytes BuildDib(const DibDescription& bitmap, bool icon) {
  Bytes dib;
  const int stored_height = (icon ? 2 : 1) * bitmap.height * (bitmap.top_down ? -1 : 1);
  PutLittleEndian(dib, 40, 4);
  PutLittleEndian(dib, static_cast<uint32_t>(bitmap.width), 4);
  PutLittleEndian(dib, static_cast<uint32_t>(stored_height), 4);
  PutLittleEndian(dib, 1, 2);
  PutLittleEndian(dib, static_cast<uint32_t>(bitmap.bits), 2);
  PutLittleEndian(dib, bitmap.compression, 4);
  for (int i = 0; i < 3; ++i) PutLittleEndian(dib, 0, 4);  // image size, resolution
  PutLittleEndian(dib, static_cast<uint32_t>(bitmap.palette.size()), 4);
  PutLittleEndian(dib, 0, 4);
  for (uint32_t mask : bitmap.masks) PutLittleEndian(dib, mask, 4);
  for (uint32_t colour : bitmap.palette) PutLittleEndian(dib, colour, 4);  // B, G, R, 0
  const Bytes colour =
      PackRows(bitmap.width, bitmap.height, bitmap.bits, bitmap.top_down, bitmap.value);
  dib.insert(dib.end(), colour.begin(), colour.end());
  if (bitmap.transparent) {
    const Bytes mask = PackRows(bitmap.width, bitmap.height, 1, bitmap.top_down,
                                [&](int x, int y) { return bitmap.transparent(x, y) ? 1u : 0u; });
    dib.insert(dib.end(), mask.begin(), mask.end());
  }
  return dib;
}

inline Bytes BuildBmp(const DibDescription& bitmap) {
  const Bytes dib = BuildDib(bitmap, false);
  const uint32_t bits_offset =
      14 + 40 + static_cast<uint32_t>(4 * (bitmap.masks.size() + bitmap.palette.size()));
  Bytes file{'B', 'M'};
  PutLittleEndian(file, static_cast<uint32_t>(14 + dib.size()), 4);
  PutLittleEndian(file, 0, 4);
  PutLittleEndian(file, bits_offset, 4);
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

// An icon (type 1) or cursor (type 2) file holding the given images, stored as DIBs, or
// as the raw bytes given in `raw_images` (e.g. a PNG) appended after them.
inline Bytes BuildIcon(uint16_t type, const std::vector<DibDescription>& images,
                       const std::vector<Bytes>& raw_images = {}) {
  std::vector<Bytes> stored;
  for (const DibDescription& bitmap : images) stored.push_back(BuildDib(bitmap, true));
  stored.insert(stored.end(), raw_images.begin(), raw_images.end());
  Bytes file;
  PutLittleEndian(file, 0, 2);
  PutLittleEndian(file, type, 2);
  PutLittleEndian(file, static_cast<uint32_t>(stored.size()), 2);
  uint32_t offset = static_cast<uint32_t>(6 + 16 * stored.size());
  for (size_t i = 0; i < stored.size(); ++i) {
    const int size = i < images.size() ? images[i].width : 0;
    file.push_back(static_cast<uint8_t>(size));
    file.push_back(static_cast<uint8_t>(i < images.size() ? images[i].height : 0));
    PutLittleEndian(file, 0, 2);
    PutLittleEndian(file, 1, 2);
    PutLittleEndian(file, i < images.size() ? static_cast<uint32_t>(images[i].bits) : 32, 2);
    PutLittleEndian(file, static_cast<uint32_t>(stored[i].size()), 4);
    PutLittleEndian(file, offset, 4);
    offset += static_cast<uint32_t>(stored[i].size());
  }
  for (const Bytes& image : stored) file.insert(file.end(), image.begin(), image.end());
  return file;
}

}  // namespace picture_test
