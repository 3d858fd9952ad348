// Picture recognition and decoding on arbitrary bytes. The first byte chooses between the
// raw input and small valid bitmaps and icons patched by the rest of it, so that the
// fuzzer reaches the pixel and mask decoding behind the headers within seconds.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "forms/picture.h"
#include "forms/picture_layout.h"
#include "tests/bitmap_builder.h"

namespace {

using picture_test::Bytes;
using picture_test::DibDescription;

uint32_t Pattern(int x, int y) { return static_cast<uint32_t>(x * 0x1F3D5B79u ^ y * 0x9E3779B9u); }

DibDescription PaletteImage(int bits) {
  DibDescription bitmap(5, 3, bits, [bits](int x, int y) { return Pattern(x, y) % (1u << bits); });
  for (uint32_t i = 0; i < (1u << bits) && i < 16; ++i) bitmap.palette.push_back(Pattern(i, 7));
  bitmap.transparent = [](int x, int y) { return (x + y) % 3 == 0; };
  return bitmap;
}

DibDescription TrueColourImage(int bits) {
  DibDescription bitmap(4, 4, bits, Pattern);
  bitmap.transparent = [](int x, int) { return x == 2; };
  return bitmap;
}

const std::vector<Bytes>& Templates() {
  static const std::vector<Bytes> templates = {
      picture_test::BuildBmp(PaletteImage(8)),
      picture_test::BuildBmp(TrueColourImage(24)),
      picture_test::BuildIcon(1, {TrueColourImage(32), PaletteImage(4)}),
      picture_test::BuildIcon(2, {PaletteImage(1)}),
  };
  return templates;
}

// Triples of (position low, position high, byte) overwrite the template; a remaining
// byte cuts the file to that many 256ths of its length.
Bytes Patched(Bytes file, std::span<const uint8_t> edits) {
  size_t at = 0;
  for (; at + 3 <= edits.size(); at += 3) {
    file[(edits[at] | edits[at + 1] << 8) % file.size()] = edits[at + 2];
  }
  if (at < edits.size()) file.resize(file.size() * edits[at] / 256);
  return file;
}

void Exercise(std::span<const uint8_t> block) {
  forms::RecognisePicture(block);
  const std::optional<forms::Image> image = forms::DecodePicture(block);
  if (!image) return;
  const size_t expected = static_cast<size_t>(image->width) * image->height * 4;
  if (image->width <= 0 || image->height <= 0 || image->rgba.size() != expected) std::abort();
  forms::LayoutPicture(*image, 40, 30, forms::PictureMode::kFit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> rest(data + 1, size - 1);
  const size_t choice = data[0] % (Templates().size() + 1);
  if (choice == 0) {
    Exercise(rest);
  } else {
    Exercise(Patched(Templates()[choice - 1], rest));
  }
  return 0;
}
