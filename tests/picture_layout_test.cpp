#include <gtest/gtest.h>

#include <array>

#include "forms/picture_cache.h"
#include "forms/picture_layout.h"
#include "tests/resource_files.h"

namespace {

using forms::FitRectangle;
using forms::Image;
using forms::PictureMode;
using forms::Rect;
using forms::ScaleImage;

Image Filled(int width, int height, std::array<uint8_t, 4> rgba) {
  Image image{width, height, {}};
  for (int i = 0; i < width * height; ++i)
    image.rgba.insert(image.rgba.end(), rgba.begin(), rgba.end());
  return image;
}

std::array<uint8_t, 4> At(const Image& image, int x, int y) {
  const uint8_t* p = image.Pixel(x, y);
  return {p[0], p[1], p[2], p[3]};
}

TEST(FitRectangleTest, PanelLargerThanImageShowsItAtNaturalSizeCentred) {
  EXPECT_EQ(FitRectangle(200, 168, 100, 51), (Rect{50, 58, 100, 51}));
  EXPECT_EQ(FitRectangle(200, 168, 200, 168), (Rect{0, 0, 200, 168}));
}

TEST(FitRectangleTest, LargerInOneDirectionIsCentredThenShrunk) {
  // Wide enough but too tall: the width first shrinks to the image's, then both scale.
  EXPECT_EQ(FitRectangle(300, 100, 200, 200), (Rect{100, 0, 100, 100}));
  EXPECT_EQ(FitRectangle(100, 300, 200, 50), (Rect{0, 137, 100, 25}));
}

TEST(FitRectangleTest, NothingToShowGivesAnEmptyRectangle) {
  EXPECT_EQ(FitRectangle(0, 168, 480, 577), Rect{});
  EXPECT_EQ(FitRectangle(200, -1, 480, 577), Rect{});
  EXPECT_EQ(FitRectangle(200, 168, 0, 577), Rect{});
  EXPECT_EQ(FitRectangle(1, 1, 480, 5000), Rect{});  // would shrink to zero width
}

TEST(ScaleImageTest, ThinLinesSurviveAsGreyNotDropped) {
  Image image = Filled(8, 8, {255, 255, 255, 255});
  for (int y = 0; y < 8; ++y) {
    uint8_t* p = image.Pixel(3, y);
    p[0] = p[1] = p[2] = 0;
  }
  const Image scaled = ScaleImage(image, 2, 2);
  ASSERT_EQ(scaled.width, 2);
  ASSERT_EQ(scaled.height, 2);
  // The line is one of the four columns each left pixel covers.
  EXPECT_EQ(At(scaled, 0, 1), (std::array<uint8_t, 4>{191, 191, 191, 255}));
  EXPECT_EQ(At(scaled, 1, 0), (std::array<uint8_t, 4>{255, 255, 255, 255}));
}

TEST(ScaleImageTest, FractionalFootprintsWeighByCoverage) {
  // Three columns into two: each output pixel covers one and a half inputs.
  Image image = Filled(3, 1, {0, 0, 0, 255});
  image.Pixel(0, 0)[0] = 240;
  image.Pixel(1, 0)[0] = 60;
  const Image scaled = ScaleImage(image, 2, 1);
  EXPECT_EQ(scaled.Pixel(0, 0)[0], 180);  // (240 + 60 / 2) / 1.5
  EXPECT_EQ(scaled.Pixel(1, 0)[0], 20);   // (60 / 2 + 0) / 1.5
}

TEST(ScaleImageTest, TransparentPixelsDoNotDarkenTheColour) {
  Image image = Filled(2, 1, {0, 0, 0, 0});
  uint8_t* red = image.Pixel(1, 0);
  red[0] = 255, red[3] = 255;
  EXPECT_EQ(At(ScaleImage(image, 1, 1), 0, 0), (std::array<uint8_t, 4>{255, 0, 0, 128}));
  EXPECT_EQ(At(ScaleImage(Filled(4, 4, {9, 9, 9, 0}), 1, 1), 0, 0),
            (std::array<uint8_t, 4>{0, 0, 0, 0}));
}

TEST(LayoutPictureTest, EachModePlacesTheImage) {
  Image tile = Filled(3, 2, {10, 20, 30, 255});
  tile.Pixel(2, 1)[0] = 99;

  const forms::PictureDrawing natural = LayoutPicture(tile, 10, 10, PictureMode::kNaturalSize);
  EXPECT_EQ(natural.destination, (Rect{0, 0, 3, 2}));
  EXPECT_EQ(natural.image.rgba, tile.rgba);

  const forms::PictureDrawing tiled = LayoutPicture(tile, 7, 5, PictureMode::kTiled);
  EXPECT_EQ(tiled.destination, (Rect{0, 0, 7, 5}));
  ASSERT_EQ(tiled.image.width, 7);
  ASSERT_EQ(tiled.image.height, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) EXPECT_EQ(At(tiled.image, x, y), At(tile, x % 3, y % 2));
  }

  const forms::PictureDrawing fit = LayoutPicture(tile, 2, 2, PictureMode::kFit);
  EXPECT_EQ(fit.destination, (Rect{0, 0, 2, 1}));
  EXPECT_EQ(fit.image.width, 2);

  EXPECT_TRUE(LayoutPicture(tile, 0, 5, PictureMode::kTiled).image.rgba.empty());
}

TEST(PictureCacheTest, DecodesOnceAndFollowsTheArea) {
  forms::PictureCache cache;
  EXPECT_EQ(cache.Drawing(200, 168, PictureMode::kFit), nullptr);

  cache.Assign(picture_test::ReadResource("star_connection.jpg"));
  const forms::PictureDrawing* drawing = cache.Drawing(200, 168, PictureMode::kFit);
  ASSERT_NE(drawing, nullptr);
  EXPECT_EQ(drawing->destination, (Rect{30, 0, 139, 168}));
  EXPECT_EQ(drawing->image.width, 139);

  drawing = cache.Drawing(100, 84, PictureMode::kFit);
  ASSERT_NE(drawing, nullptr);
  EXPECT_EQ(drawing->image.height, 84);
}

TEST(PictureCacheTest, FailingFileIsDroppedAndANewOneTakesItsPlace) {
  forms::PictureCache cache;
  picture_test::Bytes jpeg = picture_test::ReadResource("star_connection.jpg");
  jpeg.resize(jpeg.size() / 2);
  cache.Assign(jpeg);
  EXPECT_EQ(cache.Drawing(200, 168, PictureMode::kFit), nullptr);
  EXPECT_TRUE(cache.File().empty());

  cache.Assign({'n', 'o', 'n', 'e'});  // unrecognised: no picture, dropped likewise
  EXPECT_EQ(cache.Drawing(200, 168, PictureMode::kFit), nullptr);

  cache.Assign(picture_test::ReadResource("main_window.ico"));
  const forms::PictureDrawing* drawing = cache.Drawing(100, 100, PictureMode::kFit);
  ASSERT_NE(drawing, nullptr);
  EXPECT_EQ(drawing->destination, (Rect{14, 14, 72, 72}));
}

}  // namespace
