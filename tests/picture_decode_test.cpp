#include <gtest/gtest.h>

#include <array>

#include "forms/picture.h"
#include "tests/bitmap_builder.h"
#include "tests/resource_files.h"

namespace {

using forms::DecodePicture;
using forms::Image;
using forms::PictureFormat;
using forms::RecognisePicture;
using picture_test::Bytes;
using picture_test::DibDescription;

std::array<uint8_t, 4> At(const Image& image, int x, int y) {
  const uint8_t* p = image.Pixel(x, y);
  return {p[0], p[1], p[2], p[3]};
}

std::array<uint8_t, 4> Opaque(uint32_t rgb) {
  return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
          static_cast<uint8_t>(rgb), 255};
}

// A colour that differs in every channel from pixel to pixel, so that a mirrored,
// shifted or channel-swapped decode shows.
uint32_t Gradient(int x, int y) {
  return static_cast<uint32_t>((x * 40 + 10) << 16 | (y * 50 + 20) << 8 | (x * 7 + y * 11 + 3));
}

void ExpectGradient(const std::optional<Image>& image, int width, int height) {
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, width);
  ASSERT_EQ(image->height, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      EXPECT_EQ(At(*image, x, y), Opaque(Gradient(x, y))) << x << "," << y;
  }
}

TEST(PictureRecognitionTest, EachSignatureOfTheTable) {
  const std::vector<std::pair<Bytes, PictureFormat>> cases = {
      {{0xFF, 0xD8}, PictureFormat::kJpeg},
      {{'B', 'M'}, PictureFormat::kBmp},
      {{0, 0, 1, 0, 1, 0}, PictureFormat::kIco},
      {{0, 0, 2, 0, 0, 1}, PictureFormat::kCur},  // count 256
      {{'G', 'I', 'F', '8', '7', 'a'}, PictureFormat::kGif},
      {{'G', 'I', 'F', '8', '9', 'a'}, PictureFormat::kGif},
      {{0x0A, 0, 1, 8}, PictureFormat::kPcx256},
      {{0x0A, 5, 1, 8}, PictureFormat::kPcx256},
      {{0x0A, 3, 1, 1}, PictureFormat::kPcxMonochrome},
  };
  for (const auto& [block, format] : cases) EXPECT_EQ(RecognisePicture(block), format);
}

TEST(PictureRecognitionTest, EmptyShortAndNearMissBlocksAreNoPicture) {
  const std::vector<Bytes> blocks = {
      {},
      {0xFF},
      {'B'},
      {0xD8, 0xFF},
      {0, 0, 1, 0},        // icon header cut before its count
      {0, 0, 1, 0, 0, 0},  // icon with no image
      {'G', 'I', 'F', '9', '0', 'a'},
      {0x0A, 6, 1, 8},  // PCX version past 5
      {0x0A, 5, 1, 1},  // monochrome PCX only in version 3
      {0x0A, 3, 0, 8},  // not run-length encoded
  };
  for (const Bytes& block : blocks) {
    EXPECT_EQ(RecognisePicture(block), PictureFormat::kNone) << ::testing::PrintToString(block);
    EXPECT_FALSE(DecodePicture(block));
  }
}

TEST(PictureDecodeTest, GifAndPcxAreRecognisedButDrawnAsNoPicture) {
  EXPECT_FALSE(DecodePicture(Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, ';'}));
  Bytes pcx(128 + 4, 0);
  pcx[0] = 0x0A, pcx[1] = 5, pcx[2] = 1, pcx[3] = 8;
  EXPECT_FALSE(DecodePicture(pcx));
}

TEST(BmpDecodeTest, TrueColourBottomUpAndTopDown) {
  DibDescription bitmap(5, 3, 24, Gradient);  // rows padded
  ExpectGradient(DecodePicture(picture_test::BuildBmp(bitmap)), 5, 3);
  bitmap.top_down = true;
  ExpectGradient(DecodePicture(picture_test::BuildBmp(bitmap)), 5, 3);
  bitmap.bits = 32;  // the fourth byte of a plain 32-bit bitmap is not alpha
  ExpectGradient(DecodePicture(picture_test::BuildBmp(bitmap)), 5, 3);
}

TEST(BmpDecodeTest, PaletteDepthsWithOddWidths) {
  for (int bits : {1, 4, 8}) {
    const int colours = 1 << bits;
    DibDescription bitmap(13, 3, bits, [colours](int x, int y) {
      return static_cast<uint32_t>((x + 3 * y) % colours);
    });
    for (int i = 0; i < colours; ++i) bitmap.palette.push_back(Gradient(i % 7, i / 7));
    const std::optional<Image> image = DecodePicture(picture_test::BuildBmp(bitmap));
    ASSERT_TRUE(image) << bits;
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 13; ++x) {
        const int index = (x + 3 * y) % colours;
        EXPECT_EQ(At(*image, x, y), Opaque(Gradient(index % 7, index / 7))) << bits;
      }
    }
  }
}

TEST(BmpDecodeTest, IndexPastAShortPaletteIsBlack) {
  DibDescription bitmap(2, 1, 8, [](int x, int) { return x == 0 ? 1u : 200u; });
  bitmap.palette = {0x112233, 0x445566};
  const std::optional<Image> image = DecodePicture(picture_test::BuildBmp(bitmap));
  ASSERT_TRUE(image);
  EXPECT_EQ(At(*image, 0, 0), Opaque(0x445566));
  EXPECT_EQ(At(*image, 1, 0), Opaque(0x000000));
}

TEST(BmpDecodeTest, SixteenBitsDefaultAndBitFieldMasks) {
  // 5-5-5 by default: full red, half green, no blue.
  DibDescription bitmap(2, 1, 16, [](int, int) { return 0x7E00u; });
  const std::optional<Image> plain = DecodePicture(picture_test::BuildBmp(bitmap));
  ASSERT_TRUE(plain);
  EXPECT_EQ(At(*plain, 1, 0), (std::array<uint8_t, 4>{255, 131, 0, 255}));

  bitmap.compression = 3;  // 5-6-5 through masks
  bitmap.masks = {0xF800, 0x07E0, 0x001F};
  bitmap.value = [](int, int) { return 0x001Fu | 0x07E0u; };
  const std::optional<Image> masked = DecodePicture(picture_test::BuildBmp(bitmap));
  ASSERT_TRUE(masked);
  EXPECT_EQ(At(*masked, 0, 0), (std::array<uint8_t, 4>{0, 255, 255, 255}));
}

TEST(BmpDecodeTest, DamagedFilesFailWithoutReadingPastTheEnd) {
  const DibDescription bitmap(4, 4, 24, Gradient);
  const Bytes good = picture_test::BuildBmp(bitmap);
  for (size_t cut = 0; cut < good.size(); ++cut) {
    EXPECT_FALSE(DecodePicture(Bytes(good.begin(), good.begin() + cut))) << cut;
  }

  Bytes huge = good;  // claims 100000 x 100000 pixels over a few bytes
  huge[18] = 0xA0, huge[19] = 0x86, huge[20] = 0x01;
  huge[22] = 0xA0, huge[23] = 0x86, huge[24] = 0x01;
  EXPECT_FALSE(DecodePicture(huge));

  Bytes run_length = good;  // compressed bitmaps are not decoded
  run_length[30] = 1;
  EXPECT_FALSE(DecodePicture(run_length));
}

// A 32-bit icon image whose alpha falls across the image.
DibDescription AlphaIcon(int size) {
  DibDescription bitmap(size, size, 32, [](int x, int y) {
    return static_cast<uint32_t>(x * 60) << 24 | Gradient(x, y);
  });
  bitmap.transparent = [](int, int) { return false; };
  return bitmap;
}

TEST(IconDecodeTest, ThirtyTwoBitsKeepTheirAlpha) {
  const std::optional<Image> image = DecodePicture(picture_test::BuildIcon(1, {AlphaIcon(4)}));
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, 4);
  ASSERT_EQ(image->height, 4);
  for (int x = 0; x < 4; ++x) {
    std::array<uint8_t, 4> expected = Opaque(Gradient(x, 2));
    expected[3] = static_cast<uint8_t>(x * 60);
    EXPECT_EQ(At(*image, x, 2), expected);
  }
}

TEST(IconDecodeTest, ThirtyTwoBitsWithoutAlphaFallBackToTheMask) {
  DibDescription bitmap(3, 2, 32, Gradient);
  bitmap.transparent = [](int x, int y) { return x == 1 && y == 0; };
  const std::optional<Image> image = DecodePicture(picture_test::BuildIcon(1, {bitmap}));
  ASSERT_TRUE(image);
  EXPECT_EQ(At(*image, 1, 0)[3], 0);
  EXPECT_EQ(At(*image, 0, 0), Opaque(Gradient(0, 0)));
  EXPECT_EQ(At(*image, 1, 1), Opaque(Gradient(1, 1)));
}

TEST(IconDecodeTest, PaletteImagesTakeTransparencyFromTheMask) {
  DibDescription bitmap(9, 2, 4, [](int x, int) { return static_cast<uint32_t>(x % 2); });
  bitmap.palette = {0xFF0000, 0x00FF00};
  bitmap.transparent = [](int x, int y) { return x == 8 && y == 1; };
  const std::optional<Image> image = DecodePicture(picture_test::BuildIcon(2, {bitmap}));  // cursor
  ASSERT_TRUE(image);
  EXPECT_EQ(At(*image, 7, 1), Opaque(0x00FF00));
  EXPECT_EQ(At(*image, 8, 1)[3], 0);
  EXPECT_EQ(At(*image, 8, 0), Opaque(0xFF0000));
}

TEST(IconDecodeTest, LargestThenDeepestImageIsChosen) {
  DibDescription small_deep = AlphaIcon(2);
  DibDescription large_shallow(4, 4, 8, [](int, int) { return 0u; });
  large_shallow.palette = {0x0000FF};
  large_shallow.transparent = [](int, int) { return false; };
  DibDescription large_deep = AlphaIcon(4);
  large_deep.value = [](int, int) { return 0xFF00FF00u; };
  const std::optional<Image> image =
      DecodePicture(picture_test::BuildIcon(1, {small_deep, large_shallow, large_deep}));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 4);
  EXPECT_EQ(At(*image, 0, 0), Opaque(0x00FF00));
}

TEST(IconDecodeTest, PngImagesAreSkipped) {
  const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  EXPECT_FALSE(DecodePicture(picture_test::BuildIcon(1, {}, {png})));
  const std::optional<Image> fallback =
      DecodePicture(picture_test::BuildIcon(1, {AlphaIcon(2)}, {png}));
  ASSERT_TRUE(fallback);
  EXPECT_EQ(fallback->width, 2);
}

TEST(IconDecodeTest, CutOffFilesNeverReadPastTheEnd) {
  const Bytes good = picture_test::BuildIcon(1, {AlphaIcon(3)});
  const size_t mask_bytes = 3 * 4;
  for (size_t cut = 0; cut < good.size(); ++cut) {
    const std::optional<Image> image = DecodePicture(Bytes(good.begin(), good.begin() + cut));
    // Only the AND mask may be missing: the alpha channel carries the transparency.
    EXPECT_EQ(image.has_value(), cut >= good.size() - mask_bytes) << cut;
  }
}

TEST(JpegDecodeTest, TruncatedDiagramIsDroppedWholeDiagramDecodes) {
  const Bytes jpeg = picture_test::ReadResource("bridge_differential.jpg");
  ASSERT_GT(jpeg.size(), 1000u);
  ASSERT_TRUE(DecodePicture(jpeg));
  // Every cut, down to the missing end marker, is a damaged picture: never half a diagram.
  for (size_t cut = 0; cut < jpeg.size(); cut += 211) {
    EXPECT_FALSE(DecodePicture(Bytes(jpeg.begin(), jpeg.begin() + cut))) << cut;
  }
  EXPECT_FALSE(DecodePicture(Bytes(jpeg.begin(), jpeg.end() - 2)));
}

TEST(JpegDecodeTest, CorruptHeaderFailsWithoutEndingTheProgram) {
  Bytes jpeg = picture_test::ReadResource("open_delta_voltage.jpg");
  ASSERT_GT(jpeg.size(), 200u);
  for (size_t i = 20; i < 200; ++i) jpeg[i] = 0xFF;
  EXPECT_FALSE(DecodePicture(jpeg));
}

}  // namespace
