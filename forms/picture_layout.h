// Where and how big a picture is drawn in a control: the three picture display modes, and
// the downscaling that "fit" needs.
#pragma once

#include <cstdint>

#include "forms/picture.h"

namespace forms {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const Rect&) const = default;
};

// The picture display mode as stored in a control's unit data.
enum class PictureMode : uint32_t { kNaturalSize = 0, kTiled = 1, kFit = 2 };

// "fit": where an image of image_width x image_height lands in an area of
// area_width x area_height (origin at the area's top-left). Centred; shrunk, keeping its
// aspect ratio, only when larger than the area; never enlarged. Empty when nothing of it
// would show.
Rect FitRectangle(int area_width, int area_height, int image_width, int image_height);

// Resamples by area averaging on premultiplied alpha, so one-pixel lines survive a
// reduction as grey rather than vanishing, and transparent pixels do not darken edges.
// An empty image when either size is not positive.
Image ScaleImage(const Image& source, int width, int height);

// The image on white, rows of 8-bit R, G, B: what a printer or a document draws of it.
std::vector<uint8_t> RgbOnWhite(const Image& image);

// What a control draws over its background: `image` at `destination`, which is of the
// image's size, relative to the client area, and may reach past it (the caller clips).
// "fit" gives the scaled image, "tiled" one image already tiled to the area's size,
// natural size the image itself at the top-left corner.
struct PictureDrawing {
  Image image;
  Rect destination;
};

// Mode values other than the three known ones draw at natural size.
PictureDrawing LayoutPicture(const Image& decoded, int area_width, int area_height,
                             PictureMode mode);

}  // namespace forms
