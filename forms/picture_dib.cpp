// Device-independent bitmaps: the BMP file and the images inside ICO and CUR files.
// Uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up or top-down, with or
// without bit-field masks. Run-length compressed bitmaps are refused (treated as a
// failed decode): nothing this program carries uses them.
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <vector>

#include "forms/byte_reader.h"
#include "forms/picture_codecs.h"

namespace forms::detail {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;  // the oldest header: 16-bit sizes, 3-byte palette
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kIconDirectorySize = 6;
constexpr size_t kIconEntrySize = 16;

enum Compression : uint32_t { kUncompressed = 0, kBitFields = 3, kAlphaBitFields = 6 };

// One colour channel of a 16- or 32-bit pixel, widened to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;  // the channel's largest value after shifting

  static Channel FromMask(uint32_t mask) {
    if (mask == 0) return {};
    const int shift = std::countr_zero(mask);
    return {mask, shift, mask >> shift};
  }
  uint8_t Extract(uint32_t pixel) const {
    if (max == 0) return 0;
    return static_cast<uint8_t>(uint64_t{(pixel & mask) >> shift} * 255 / max);
  }
};

struct DibLayout {
  int width = 0;
  int height = 0;  // rows of the colour image (for icons: half the stored height)
  bool top_down = false;
  int bits = 0;
  Channel red, green, blue, alpha;  // 16 and 32 bits per pixel only
  std::span<const uint8_t> palette;
  size_t palette_entry_size = 4;
  size_t end_of_palette = 0;  // offset in the DIB where the colour bits follow by default
};

size_t RowStride(int width, int bits) { return (static_cast<size_t>(width) * bits + 31) / 32 * 4; }

bool IsSupportedDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

void SetDefaultMasks(DibLayout& layout) {
  if (layout.bits == 16) {
    layout.red = Channel::FromMask(0x7C00);
    layout.green = Channel::FromMask(0x03E0);
    layout.blue = Channel::FromMask(0x001F);
  } else {
    layout.red = Channel::FromMask(0x00FF0000);
    layout.green = Channel::FromMask(0x0000FF00);
    layout.blue = Channel::FromMask(0x000000FF);
  }
}

// The fields of either header kind that decoding needs.
struct DibHeader {
  size_t size = 0;
  int width = 0;
  int64_t stored_height = 0;  // negative: top-down
  int bits = 0;
  uint32_t compression = kUncompressed;
  size_t colours_used = 0;  // 0: as many as the depth allows
  size_t palette_entry_size = 4;
};

// After the size: width, height, planes and bits in 16-bit fields for the core header,
// then in the info header width and height in 32 bits, planes and bits, compression, the
// image size and resolution (not needed) and the colours used.
std::optional<DibHeader> ReadHeader(std::span<const uint8_t> dib) {
  ByteReader reader(dib);
  DibHeader header;
  header.size = reader.U32();
  if (!reader.ok() || dib.size() < header.size) return std::nullopt;
  if (header.size == kCoreHeaderSize) {
    header.width = reader.U16();
    header.stored_height = reader.U16();
    reader.Skip(2);
    header.bits = reader.U16();
    header.palette_entry_size = 3;
  } else if (header.size >= kInfoHeaderSize) {
    header.width = reader.I32();
    header.stored_height = reader.I32();
    reader.Skip(2);
    header.bits = reader.U16();
    header.compression = reader.U32();
    reader.Skip(12);
    header.colours_used = reader.U32();
  } else {
    return std::nullopt;
  }
  return header;
}

// Sets the channel masks of 16- and 32-bit pixels; `offset` moves past masks stored after
// the header. False for a compression this decoder does not handle.
bool ReadMasks(std::span<const uint8_t> dib, const DibHeader& header, DibLayout& layout,
               size_t& offset) {
  if (header.compression == kUncompressed) {
    SetDefaultMasks(layout);
    return true;
  }
  const bool bit_fields = header.compression == kBitFields || header.compression == kAlphaBitFields;
  if (!bit_fields || (layout.bits != 16 && layout.bits != 32)) return false;
  // Masks sit at the same place whether the header holds them (52 bytes and longer
  // headers) or they follow the 40-byte one.
  const bool with_alpha = header.compression == kAlphaBitFields || header.size >= 56;
  const size_t count = with_alpha ? 4 : 3;
  ByteReader masks(dib.subspan(kInfoHeaderSize));
  layout.red = Channel::FromMask(masks.U32());
  layout.green = Channel::FromMask(masks.U32());
  layout.blue = Channel::FromMask(masks.U32());
  if (with_alpha) layout.alpha = Channel::FromMask(masks.U32());
  if (!masks.ok()) return false;
  if (header.size < 52) offset += count * 4;
  return true;
}

bool ReadPalette(std::span<const uint8_t> dib, const DibHeader& header, DibLayout& layout,
                 size_t& offset) {
  if (layout.bits > 8) return true;
  const size_t entries = header.colours_used == 0 ? size_t{1} << layout.bits : header.colours_used;
  if (entries > 256) return false;
  const size_t palette_bytes = entries * header.palette_entry_size;
  if (dib.size() < offset + palette_bytes) return false;
  layout.palette = dib.subspan(offset, palette_bytes);
  layout.palette_entry_size = header.palette_entry_size;
  offset += palette_bytes;
  return true;
}

// The header, masks and palette of a DIB starting at its info header. The stored height
// is the colour image's times `height_divisor`: 2 for icons, whose AND mask counts in it.
std::optional<DibLayout> ParseDib(std::span<const uint8_t> dib, int height_divisor) {
  const std::optional<DibHeader> header = ReadHeader(dib);
  if (!header) return std::nullopt;
  const int64_t height = std::abs(header->stored_height) / height_divisor;
  if (!IsSupportedDepth(header->bits) || !DimensionsAcceptable(header->width, height)) {
    return std::nullopt;
  }
  DibLayout layout;
  layout.width = header->width;
  layout.height = static_cast<int>(height);
  layout.top_down = header->stored_height < 0;
  layout.bits = header->bits;
  size_t offset = header->size;
  if (!ReadMasks(dib, *header, layout, offset) || !ReadPalette(dib, *header, layout, offset)) {
    return std::nullopt;
  }
  layout.end_of_palette = offset;
  return layout;
}

// Colour of an index into the palette; indices past its end (a damaged file) are black.
void PaletteColour(const DibLayout& layout, size_t index, uint8_t* out) {
  const size_t offset = index * layout.palette_entry_size;
  if (offset + 3 > layout.palette.size()) {
    out[0] = out[1] = out[2] = 0;
    return;
  }
  out[0] = layout.palette[offset + 2];
  out[1] = layout.palette[offset + 1];
  out[2] = layout.palette[offset];
}

// Writes R, G, B of pixel `x` of `row`; returns the pixel's own alpha (255 without one).
uint8_t DecodePixel(const DibLayout& layout, const uint8_t* row, int x, uint8_t* out) {
  switch (layout.bits) {
    case 1:
    case 4:
    case 8: {
      const size_t bit = static_cast<size_t>(x) * layout.bits;
      const int shift = 8 - layout.bits - static_cast<int>(bit % 8);
      const size_t index = (row[bit / 8] >> shift) & ((1u << layout.bits) - 1);
      PaletteColour(layout, index, out);
      return 255;
    }
    case 24: {
      const uint8_t* p = row + static_cast<size_t>(x) * 3;
      out[0] = p[2];
      out[1] = p[1];
      out[2] = p[0];
      return 255;
    }
    default: {
      const uint32_t pixel = layout.bits == 16 ? LoadU16(row + static_cast<size_t>(x) * 2)
                                               : LoadU32(row + static_cast<size_t>(x) * 4);
      out[0] = layout.red.Extract(pixel);
      out[1] = layout.green.Extract(pixel);
      out[2] = layout.blue.Extract(pixel);
      return layout.alpha.max == 0 ? 255 : layout.alpha.Extract(pixel);
    }
  }
}

int DestinationRow(const DibLayout& layout, int stored_row) {
  return layout.top_down ? stored_row : layout.height - 1 - stored_row;
}

// Decodes the colour bits starting at `bits` of `dib`; nullopt when they do not fit.
std::optional<Image> DecodeColourBits(const DibLayout& layout, std::span<const uint8_t> dib,
                                      size_t bits) {
  const size_t stride = RowStride(layout.width, layout.bits);
  if (bits > dib.size() || (dib.size() - bits) / stride < static_cast<size_t>(layout.height)) {
    return std::nullopt;
  }
  Image image = BlankImage(layout.width, layout.height);
  for (int stored_row = 0; stored_row < layout.height; ++stored_row) {
    const uint8_t* row = &dib[bits + stride * stored_row];
    const int y = DestinationRow(layout, stored_row);
    for (int x = 0; x < layout.width; ++x) {
      uint8_t* out = image.Pixel(x, y);
      out[3] = DecodePixel(layout, row, x, out);
    }
  }
  return image;
}

bool AllTransparent(const Image& image) {
  for (size_t i = 3; i < image.rgba.size(); i += 4) {
    if (image.rgba[i] != 0) return false;
  }
  return true;
}

// Clears the alpha of every pixel whose bit is set in the icon's 1-bit AND mask. An icon
// whose mask is cut off is kept opaque rather than dropped.
void ApplyAndMask(const DibLayout& layout, std::span<const uint8_t> dib, size_t mask,
                  Image& image) {
  const size_t stride = RowStride(layout.width, 1);
  if (mask > dib.size() || (dib.size() - mask) / stride < static_cast<size_t>(layout.height)) {
    return;
  }
  for (int stored_row = 0; stored_row < layout.height; ++stored_row) {
    const uint8_t* row = &dib[mask + stride * stored_row];
    const int y = DestinationRow(layout, stored_row);
    for (int x = 0; x < layout.width; ++x) {
      if (row[x / 8] & (0x80 >> (x % 8))) image.Pixel(x, y)[3] = 0;
    }
  }
}

struct IconCandidate {
  std::span<const uint8_t> dib;
  DibLayout layout;
};

std::optional<Image> DecodeIconImage(IconCandidate candidate) {
  DibLayout& layout = candidate.layout;
  // In icons a 32-bit image without masks still carries alpha in its fourth byte.
  if (layout.bits == 32 && layout.alpha.max == 0) layout.alpha = Channel::FromMask(0xFF000000);
  std::optional<Image> image = DecodeColourBits(layout, candidate.dib, layout.end_of_palette);
  if (!image) return std::nullopt;
  // Old 32-bit icons leave the alpha bytes at zero and rely on the mask alone.
  const bool alpha_meaningful = layout.bits == 32 && !AllTransparent(*image);
  if (!alpha_meaningful) {
    for (size_t i = 3; i < image->rgba.size(); i += 4) image->rgba[i] = 255;
    const size_t colour_bytes = RowStride(layout.width, layout.bits) * layout.height;
    ApplyAndMask(layout, candidate.dib, layout.end_of_palette + colour_bytes, *image);
  }
  return image;
}

int64_t Area(const DibLayout& layout) { return int64_t{layout.width} * layout.height; }

// The images of an icon file that can be told apart by their headers, best first: the
// largest, then the deepest colour.
std::vector<IconCandidate> IconCandidates(std::span<const uint8_t> file) {
  ByteReader directory(file);
  directory.Skip(4);
  const size_t count = directory.U16();
  std::vector<IconCandidate> candidates;
  for (size_t i = 0; i < count; ++i) {
    ByteReader entry(directory.Take(kIconEntrySize));
    if (!directory.ok()) break;
    // The stated size of the image is not trusted: the rest of the file is its bound.
    entry.Skip(12);
    const size_t offset = entry.U32();
    if (offset >= file.size()) continue;
    const std::span<const uint8_t> dib = file.subspan(offset);
    const std::optional<DibLayout> layout = ParseDib(dib, 2);
    if (!layout) continue;  // also images stored as PNG, which are not decoded
    candidates.push_back({dib, *layout});
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const IconCandidate& a, const IconCandidate& b) {
                     if (Area(a.layout) != Area(b.layout)) return Area(a.layout) > Area(b.layout);
                     return a.layout.bits > b.layout.bits;
                   });
  return candidates;
}

}  // namespace

std::optional<Image> DecodeBmp(std::span<const uint8_t> file) {
  if (file.size() < kFileHeaderSize) return std::nullopt;
  ByteReader header(file);
  header.Skip(10);
  const size_t bits_offset = header.U32();
  const std::span<const uint8_t> dib = file.subspan(kFileHeaderSize);
  std::optional<DibLayout> layout = ParseDib(dib, 1);
  if (!layout || bits_offset < kFileHeaderSize) return std::nullopt;
  return DecodeColourBits(*layout, dib, bits_offset - kFileHeaderSize);
}

std::optional<Image> DecodeIcon(std::span<const uint8_t> file) {
  if (file.size() < kIconDirectorySize) return std::nullopt;
  for (const IconCandidate& candidate : IconCandidates(file)) {
    if (std::optional<Image> image = DecodeIconImage(candidate)) return image;
  }
  return std::nullopt;
}

}  // namespace forms::detail
