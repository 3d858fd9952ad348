#include "forms/picture_layout.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "forms/picture_codecs.h"

namespace forms {
namespace {

// The source pixels one destination pixel covers along an axis, and each one's share.
struct Footprint {
  int first = 0;
  std::vector<float> weights;
};

std::vector<Footprint> Footprints(int source_size, int destination_size) {
  const double ratio = static_cast<double>(source_size) / destination_size;
  std::vector<Footprint> footprints(destination_size);
  for (int d = 0; d < destination_size; ++d) {
    const double begin = d * ratio;
    const double end = (d + 1) * ratio;
    Footprint& footprint = footprints[d];
    // Clamped against rounding: every destination pixel covers at least one source pixel.
    footprint.first = std::min(static_cast<int>(begin), source_size - 1);
    for (int s = footprint.first; s < source_size && s < end; ++s) {
      const double overlap = std::min(end, s + 1.0) - std::max(begin, static_cast<double>(s));
      footprint.weights.push_back(static_cast<float>(overlap / ratio));
    }
  }
  return footprints;
}

// Horizontal pass: each source row reduced to the destination width, premultiplied
// (colour channels hold colour x alpha). Sums stay in locals: the compiler cannot keep
// them in registers through stores that might alias the source bytes.
std::vector<float> ScaleRows(const Image& source, const std::vector<Footprint>& columns) {
  const size_t width = columns.size();
  std::vector<float> rows(static_cast<size_t>(source.height) * width * 4);
  for (int y = 0; y < source.height; ++y) {
    float* out = &rows[static_cast<size_t>(y) * width * 4];
    for (size_t x = 0; x < width; ++x, out += 4) {
      const Footprint& footprint = columns[x];
      const uint8_t* pixel = source.Pixel(footprint.first, y);
      float red = 0, green = 0, blue = 0, alpha = 0;
      for (float weight : footprint.weights) {
        const float weighted_alpha = weight * pixel[3];
        red += weighted_alpha * pixel[0];
        green += weighted_alpha * pixel[1];
        blue += weighted_alpha * pixel[2];
        alpha += weighted_alpha;
        pixel += 4;
      }
      out[0] = red;
      out[1] = green;
      out[2] = blue;
      out[3] = alpha;
    }
  }
  return rows;
}

// Sums of non-negative weights: never below zero, at most a rounding error above 255.
uint8_t ToByte(float value) { return static_cast<uint8_t>(std::min(value, 255.0f) + 0.5f); }

// Vertical pass: combines the reduced rows and returns to straight alpha.
void ScaleColumns(const std::vector<float>& rows, const std::vector<Footprint>& lines,
                  Image& destination) {
  const size_t stride = static_cast<size_t>(destination.width) * 4;
  for (int y = 0; y < destination.height; ++y) {
    const Footprint& footprint = lines[y];
    const float* column = &rows[footprint.first * stride];
    for (int x = 0; x < destination.width; ++x, column += 4) {
      float sum[4] = {0, 0, 0, 0};
      const float* pixel = column;
      for (float weight : footprint.weights) {
        for (int c = 0; c < 4; ++c) sum[c] += weight * pixel[c];
        pixel += stride;
      }
      uint8_t* out = destination.Pixel(x, y);
      for (int c = 0; c < 3; ++c) out[c] = sum[3] > 0.0f ? ToByte(sum[c] / sum[3]) : 0;
      out[3] = ToByte(sum[3]);
    }
  }
}

// The tiles laid out once into one image of the area's size: one blit per paint, and its
// size is bounded by the area however small the tile.
Image TileImage(const Image& tile, int area_width, int area_height) {
  Image tiled = detail::BlankImage(area_width, area_height);
  for (int y = 0; y < area_height; ++y) {
    const uint8_t* source_row = tile.Pixel(0, y % tile.height);
    for (int x = 0; x < area_width; x += tile.width) {
      const int columns = std::min(tile.width, area_width - x);
      std::memcpy(tiled.Pixel(x, y), source_row, static_cast<size_t>(columns) * 4);
    }
  }
  return tiled;
}

}  // namespace

Rect FitRectangle(int area_width, int area_height, int image_width, int image_height) {
  if (area_width <= 0 || area_height <= 0 || image_width <= 0 || image_height <= 0) return {};
  Rect fit{0, 0, area_width, area_height};
  if (fit.width >= image_width) {
    fit.x += (fit.width - image_width) / 2;
    fit.width = image_width;
  }
  if (fit.height >= image_height) {
    fit.y += (fit.height - image_height) / 2;
    fit.height = image_height;
  }
  if (image_width > fit.width || image_height > fit.height) {
    const double scale = std::min(static_cast<double>(fit.width) / image_width,
                                  static_cast<double>(fit.height) / image_height);
    const int drawn_width = static_cast<int>(image_width * scale);
    const int drawn_height = static_cast<int>(image_height * scale);
    fit.x += (fit.width - drawn_width) / 2;
    fit.y += (fit.height - drawn_height) / 2;
    fit.width = drawn_width;
    fit.height = drawn_height;
  }
  if (fit.width == 0 || fit.height == 0) return {};
  return fit;
}

Image ScaleImage(const Image& source, int width, int height) {
  if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) return {};
  if (width == source.width && height == source.height) return source;
  Image destination = detail::BlankImage(width, height);
  const std::vector<float> rows = ScaleRows(source, Footprints(source.width, width));
  ScaleColumns(rows, Footprints(source.height, height), destination);
  return destination;
}

PictureDrawing LayoutPicture(const Image& decoded, int area_width, int area_height,
                             PictureMode mode) {
  if (area_width <= 0 || area_height <= 0 || decoded.width <= 0 || decoded.height <= 0) {
    return {};
  }
  switch (mode) {
    case PictureMode::kFit: {
      const Rect fit = FitRectangle(area_width, area_height, decoded.width, decoded.height);
      if (fit.width == 0) return {};
      return {ScaleImage(decoded, fit.width, fit.height), fit};
    }
    case PictureMode::kTiled:
      return {TileImage(decoded, area_width, area_height), {0, 0, area_width, area_height}};
    case PictureMode::kNaturalSize: break;
  }
  return {decoded, {0, 0, decoded.width, decoded.height}};
}

std::vector<uint8_t> RgbOnWhite(const Image& image) {
  std::vector<uint8_t> rgb;
  rgb.reserve(image.rgba.size() / 4 * 3);
  for (size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
    const int alpha = image.rgba[i + 3];
    for (size_t c = 0; c < 3; ++c)
      rgb.push_back(static_cast<uint8_t>((image.rgba[i + c] * alpha + 255 * (255 - alpha)) / 255));
  }
  return rgb;
}

}  // namespace forms
