// Pictures carried in picture properties: complete image files as byte blocks. Recognises
// the format from the first bytes and decodes it into a plain RGBA image. No toolkit here:
// the draw panel hands the result to whatever draws it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace forms {

enum class PictureFormat {
  kNone,  // empty, too short or unrecognised: the control paints as without a picture
  kJpeg,
  kBmp,
  kIco,
  kCur,
  kGif,
  kPcx256,
  kPcxMonochrome,
};

// Top-down rows of 8-bit R, G, B, A; alpha is straight (not premultiplied).
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // width * height * 4 bytes

  uint8_t* Pixel(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  const uint8_t* Pixel(int x, int y) const {
    return &rgba[(static_cast<size_t>(y) * width + x) * 4];
  }
};

// Decoders refuse anything larger, whatever the file claims, so that a damaged or hostile
// block cannot make the program allocate absurd amounts.
constexpr int kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = 4096 * 4096;

PictureFormat RecognisePicture(std::span<const uint8_t> block);

// nullopt when the block holds no picture or cannot be decoded. JPEG, BMP, ICO and CUR are
// decoded; GIF and PCX are recognised but not decoded (see picture.cpp).
std::optional<Image> DecodePicture(std::span<const uint8_t> block);

}  // namespace forms
