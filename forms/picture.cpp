#include "forms/picture.h"

#include <algorithm>

#include "forms/byte_reader.h"
#include "forms/picture_codecs.h"

namespace forms {
namespace {

bool StartsWith(std::span<const uint8_t> block, std::initializer_list<uint8_t> prefix) {
  return block.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), block.begin());
}

// ICO and CUR headers: reserved 0, the type word, then a non-zero image count.
bool IsIconDirectory(std::span<const uint8_t> block, uint8_t type) {
  return StartsWith(block, {0x00, 0x00, type, 0x00}) && block.size() >= 6 &&
         LoadU16(&block[4]) != 0;
}

// PCX header: manufacturer 0x0A, version, encoding, bits per pixel.
bool IsPcx(std::span<const uint8_t> block, uint8_t bits_per_pixel) {
  if (block.size() < 4 || block[0] != 0x0A || block[2] != 1 || block[3] != bits_per_pixel) {
    return false;
  }
  const uint8_t version = block[1];
  return bits_per_pixel == 1 ? version == 3 : version <= 5;
}

}  // namespace

PictureFormat RecognisePicture(std::span<const uint8_t> block) {
  if (StartsWith(block, {0xFF, 0xD8})) return PictureFormat::kJpeg;
  if (StartsWith(block, {'B', 'M'})) return PictureFormat::kBmp;
  if (IsIconDirectory(block, 1)) return PictureFormat::kIco;
  if (IsIconDirectory(block, 2)) return PictureFormat::kCur;
  if (StartsWith(block, {'G', 'I', 'F', '8', '7', 'a'}) ||
      StartsWith(block, {'G', 'I', 'F', '8', '9', 'a'})) {
    return PictureFormat::kGif;
  }
  if (IsPcx(block, 8)) return PictureFormat::kPcx256;
  if (IsPcx(block, 1)) return PictureFormat::kPcxMonochrome;
  return PictureFormat::kNone;
}

std::optional<Image> DecodePicture(std::span<const uint8_t> block) {
  switch (RecognisePicture(block)) {
    case PictureFormat::kJpeg: return detail::DecodeJpeg(block);
    case PictureFormat::kBmp: return detail::DecodeBmp(block);
    case PictureFormat::kIco:
    case PictureFormat::kCur: return detail::DecodeIcon(block);
    // GIF and PCX are recognised so that such a block counts as a picture, but they are
    // not decoded: the window carries only JPEG diagrams and an ICO icon and the program
    // never changes a picture, so a further decoder would be attack surface without use.
    // Such a block fails to decode and the control paints as without a picture.
    case PictureFormat::kGif:
    case PictureFormat::kPcx256:
    case PictureFormat::kPcxMonochrome:
    case PictureFormat::kNone: break;
  }
  return std::nullopt;
}

namespace detail {

bool DimensionsAcceptable(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

Image BlankImage(int width, int height) {
  Image image;
  image.width = width;
  image.height = height;
  image.rgba.assign(static_cast<size_t>(width) * height * 4, 0);
  return image;
}

}  // namespace detail
}  // namespace forms
