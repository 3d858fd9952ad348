// The PDF's text cut into runs of one font: ASCII in the Latin font, GBK in the CID font,
// what GBK lacks as something the Latin font has; widths from the fonts' own tables.
#include "calc/sheet/pdf_fonts.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace calc {
namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class PdfFontsTest : public testing::Test {
 protected:
  std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, decltype(&HPDF_Free)> pdf_{
      HPDF_New(nullptr, nullptr), &HPDF_Free};
  PdfFonts fonts_{pdf_.get()};
};

TEST_F(PdfFontsTest, RunsByFont) {
  const std::vector<PdfRun> runs = fonts_.Runs(U8(u8"Udz = 16.48 V（外熔丝）"), TextStyle::kBody);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].bytes, "Udz = 16.48 V");
  EXPECT_EQ(runs[1].bytes, "（外熔丝）") << "GBK as it is inside";
  EXPECT_NE(runs[0].font, runs[1].font);
  EXPECT_STREQ(HPDF_Font_GetEncodingName(runs[1].font), "GBK-EUC-H");
  EXPECT_STREQ(HPDF_Font_GetFontName(runs[1].font), "SimSun");
  EXPECT_STREQ(HPDF_Font_GetFontName(fonts_.Runs(U8(u8"计算书"), TextStyle::kTitle)[0].font),
               "SimHei");
}

// Characters of GBK beyond GB2312 (镕) stay characters; the bullet has the Latin font's
// own; a character GBK lacks reads "?" rather than something else or nothing.
TEST_F(PdfFontsTest, CharactersBeyondGb2312) {
  const std::vector<PdfRun> runs = fonts_.Runs(U8(u8"•镕😀"), TextStyle::kBody);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].bytes, "\x95");
  EXPECT_EQ(runs[1].bytes, "\xE9\x46");
  EXPECT_EQ(runs[2].bytes, "?");
  EXPECT_EQ(runs[0].font, runs[2].font);
}

// The CID fonts' ideographs are a full em, Helvetica's digits a little over half of one.
TEST_F(PdfFontsTest, Widths) {
  EXPECT_EQ(fonts_.Width(U8(u8"计算"), TextStyle::kBody), 24);
  EXPECT_EQ(fonts_.Width("10", TextStyle::kBody), 14);  // 2 x 556 / 1000 x 12, rounded up
  EXPECT_EQ(fonts_.Width("", TextStyle::kBody), 0);
  EXPECT_GT(fonts_.LineHeight(TextStyle::kTitle), fonts_.LineHeight(TextStyle::kBody));
}

}  // namespace
}  // namespace calc
