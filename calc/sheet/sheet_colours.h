// The colours of a sheet's styles and shades, one set for the screen, the printer and the
// PDF file, so that they look alike.
#pragma once

#include <cstdint>

#include "calc/sheet/sheet_layout.h"

namespace calc {

struct Rgb {
  uint8_t red = 0, green = 0, blue = 0;
};

// The setting in the blue of the result boxes, the headings in navy.
constexpr Rgb TextColour(TextStyle style) {
  switch (style) {
    case TextStyle::kHeading: return {0, 0, 128};
    case TextStyle::kSetting: return {0, 0, 255};
    case TextStyle::kTitle:
    case TextStyle::kBody:
    case TextStyle::kNote: break;
  }
  return {0, 0, 0};
}

constexpr Rgb ShadeColour(Shade shade) {
  switch (shade) {
    case Shade::kCellFrame: return {153, 153, 153};
    case Shade::kHeadingCell: return {238, 238, 238};
    case Shade::kMarkedRow: return {238, 243, 255};
  }
  return {255, 255, 255};
}

}  // namespace calc
