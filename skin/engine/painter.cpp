#include "skin/engine/painter.h"

#include <algorithm>
#include <cmath>

#include "skin/engine/host_toolkit.h"

namespace skin {
namespace {

uint8_t Blend(uint8_t from, uint8_t to, float amount) {
  return static_cast<uint8_t>(std::lround(from + (to - from) * amount));
}

float Coverage(float radius, float distance) {
  return std::clamp(radius - distance + 0.5f, 0.0f, 1.0f);
}

void FillInside(const RoundedBox& box, int radius, const RowColours& fill) {
  const int right = box.x + box.w - 1, bottom = box.y + box.h - 1;
  for (int y = box.y + 1; y < bottom; ++y) {
    const bool in_corner_band = y < box.y + radius || y > bottom - radius;
    const int from = in_corner_band ? box.x + radius : box.x + 1;
    const int to = in_corner_band ? right - radius : right - 1;
    if (from > to) continue;
    UseColour(fill(y));
    Toolkit().xyline(from, y, to);
  }
}

void PaintStraightEdges(const RoundedBox& box, int radius) {
  const int right = box.x + box.w - 1, bottom = box.y + box.h - 1;
  if (box.x + radius <= right - radius) {
    Toolkit().xyline(box.x + radius, box.y, right - radius);
    Toolkit().xyline(box.x + radius, bottom, right - radius);
  }
  if (box.y + radius <= bottom - radius) {
    Toolkit().yxline(box.x, box.y + radius, bottom - radius);
    Toolkit().yxline(right, box.y + radius, bottom - radius);
  }
}

// Each corner square is radius x radius pixels. A pixel takes the border colour as far
// as it lies inside the outer circle and the fill as far as it lies inside the inner one.
void PaintCorners(const RoundedBox& box, int radius, Rgb border, const RowColours* fill,
                  const RowColours& behind) {
  const int right = box.x + box.w - 1, bottom = box.y + box.h - 1;
  for (int j = 0; j < radius; ++j) {
    for (int i = 0; i < radius; ++i) {
      const float distance = std::hypot(radius - i - 0.5f, radius - j - 0.5f);
      const float outer = Coverage(static_cast<float>(radius), distance);
      const float inner = Coverage(static_cast<float>(radius - 1), distance);
      for (const int y : {box.y + j, bottom - j}) {
        const Rgb around = behind(y);
        const Rgb colour = Mix(Mix(around, border, outer), fill ? (*fill)(y) : around, inner);
        UseColour(colour);
        Toolkit().point(box.x + i, y);
        Toolkit().point(right - i, y);
      }
    }
  }
}

}  // namespace

Rgb Mix(Rgb from, Rgb to, float amount) {
  return {Blend(from.r, to.r, amount), Blend(from.g, to.g, amount), Blend(from.b, to.b, amount)};
}

Rgb RgbOf(Fl_Color colour) {
  Rgb rgb;
  Toolkit().get_color(colour, rgb.r, rgb.g, rgb.b);
  return rgb;
}

void UseColour(Rgb colour) { Toolkit().color(colour.r, colour.g, colour.b); }

RowColours Solid(Rgb colour) {
  return [colour](int) { return colour; };
}

Rgb GradientAt(int row, int y, int h, Rgb top, Rgb bottom) {
  const float span = static_cast<float>(std::max(h - 1, 1));
  return Mix(top, bottom, std::clamp((row - y) / span, 0.0f, 1.0f));
}

RowColours Gradient(int y, int h, Rgb top, Rgb bottom) {
  return [=](int row) { return GradientAt(row, y, h, top, bottom); };
}

RowColours Tint(RowColours base, int first, int rows, Rgb toward, float strength, float fade) {
  return [=](int row) {
    const int k = row - first;
    if (k < 0 || k >= rows) return base(row);
    return Mix(base(row), toward, strength * (1.0f - fade * static_cast<float>(k) / rows));
  };
}

void PaintRoundedBox(const RoundedBox& box, Rgb border, const RowColours* fill,
                     const RowColours& behind) {
  if (box.w <= 0 || box.h <= 0) return;
  const int radius = std::clamp(box.radius, 0, std::min(box.w, box.h) / 2);
  if (fill) FillInside(box, radius, *fill);
  UseColour(border);
  PaintStraightEdges(box, radius);
  PaintCorners(box, radius, border, fill, behind);
}

}  // namespace skin
