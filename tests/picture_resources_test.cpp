// The committed picture files: their sizes, the format the window expects, and where each
// lands in its panel.
#include <gtest/gtest.h>

#include "forms/picture.h"
#include "forms/picture_layout.h"
#include "tests/resource_files.h"

namespace {

using forms::Rect;
using picture_test::Bytes;

struct Diagram {
  const char* file;
  int panel_width, panel_height;
  int image_width, image_height;
  Rect drawn;
};

// Panel sizes and where each diagram is drawn, as the window shows them.
const Diagram kDiagrams[] = {
    {"star_connection.jpg", 200, 168, 480, 577, {30, 0, 139, 168}},
    {"delta_connection.jpg", 200, 168, 370, 486, {36, 0, 127, 168}},
    {"open_delta_voltage.jpg", 256, 134, 317, 177, {8, 0, 239, 134}},
    {"voltage_differential.jpg", 184, 134, 311, 265, {13, 0, 157, 134}},
    {"neutral_line_current.jpg", 256, 134, 395, 182, {0, 8, 256, 117}},
    {"bridge_differential.jpg", 256, 134, 378, 296, {42, 0, 171, 134}},
};

uint16_t BigEndian16(const Bytes& bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

// JFIF 1.01 at 96 dots per inch, then a baseline frame of three components with only
// the luminance sampled 2 x 2; no progressive frame anywhere before the scan.
void ExpectBaselineJfif(const Bytes& jpeg) {
  ASSERT_GE(jpeg.size(), 20u);
  EXPECT_EQ(Bytes(jpeg.begin(), jpeg.begin() + 11),
            (Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0}));
  EXPECT_EQ(Bytes(jpeg.begin() + 11, jpeg.begin() + 18), (Bytes{1, 1, 1, 0, 96, 0, 96}));
  int quantisation_tables = 0;
  bool baseline_frame = false;
  for (size_t at = 2; at + 4 <= jpeg.size() && jpeg[at + 1] != 0xDA;
       at += 2 + BigEndian16(jpeg, at + 2)) {
    ASSERT_EQ(jpeg[at], 0xFF);
    const uint8_t marker = jpeg[at + 1];
    EXPECT_TRUE(marker != 0xC1 && marker != 0xC2) << "not baseline";
    if (marker == 0xDB) quantisation_tables += (BigEndian16(jpeg, at + 2) - 2) / 65;
    if (marker == 0xC0) {
      baseline_frame = true;
      EXPECT_EQ(jpeg[at + 9], 3);
      EXPECT_EQ(jpeg[at + 11], 0x22);
      EXPECT_EQ(jpeg[at + 14], 0x11);
      EXPECT_EQ(jpeg[at + 17], 0x11);
    }
  }
  EXPECT_TRUE(baseline_frame);
  EXPECT_EQ(quantisation_tables, 2);
}

TEST(PictureResourcesTest, DiagramsDecodeToTheirSizeAndFitTheirPanels) {
  for (const Diagram& diagram : kDiagrams) {
    SCOPED_TRACE(diagram.file);
    const Bytes jpeg = picture_test::ReadResource(diagram.file);
    ExpectBaselineJfif(jpeg);
    const std::optional<forms::Image> image = forms::DecodePicture(jpeg);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, diagram.image_width);
    EXPECT_EQ(image->height, diagram.image_height);
    EXPECT_EQ(
        forms::FitRectangle(diagram.panel_width, diagram.panel_height, image->width, image->height),
        diagram.drawn);
  }
}

TEST(PictureResourcesTest, IconIsOne72PixelImageWithAlphaAndMask) {
  const Bytes icon = picture_test::ReadResource("main_window.ico");
  // Directory, one entry, info header, 32-bit colour, then the 1-bit mask in 12-byte rows.
  EXPECT_EQ(icon.size(), 6u + 16 + 40 + 72 * 72 * 4 + 72 * 12);
  EXPECT_EQ(forms::RecognisePicture(icon), forms::PictureFormat::kIco);
  EXPECT_EQ(icon[4], 1);
  EXPECT_EQ(icon[6 + 16 + 14], 32);  // bits per pixel
  const std::optional<forms::Image> image = forms::DecodePicture(icon);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 72);
  EXPECT_EQ(image->height, 72);
  EXPECT_EQ(image->Pixel(0, 0)[3], 0);      // transparent corner
  EXPECT_EQ(image->Pixel(20, 60)[3], 255);  // the front unit's face
}

}  // namespace
