// Drawing primitives of the skin engine: colour blending and rounded boxes with smooth
// corners, drawn with the toolkit's plain pixel and line calls (which do no antialiasing).
#pragma once

#include <FL/Enumerations.H>

#include <functional>

#include "skin/engine/skin_format.h"

namespace skin {

// `amount` 0 gives `from`, 1 gives `to`.
Rgb Mix(Rgb from, Rgb to, float amount);
Rgb RgbOf(Fl_Color colour);
void UseColour(Rgb colour);

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

// The colour of a row of pixels, by its window y.
using RowColours = std::function<Rgb(int y)>;

RowColours Solid(Rgb colour);
// From `top` on row `y` to `bottom` on row y + h - 1, and level beyond.
Rgb GradientAt(int row, int y, int h, Rgb top, Rgb bottom);
RowColours Gradient(int y, int h, Rgb top, Rgb bottom);
// `base` drawn toward `toward` over `rows` rows from `first`: by `strength` on the first
// row, easing off by the `fade` fraction of it toward the last.
RowColours Tint(RowColours base, int first, int rows, Rgb toward, float strength, float fade);

struct RoundedBox {
  int x, y, w, h;
  int radius;
};

// A one-pixel outline in `border`, the inside filled row by row when `fill` is given.
// Corner pixels are blended with `behind`, what shows around the box, so that curves
// look smooth.
void PaintRoundedBox(const RoundedBox& box, Rgb border, const RowColours* fill,
                     const RowColours& behind);

}  // namespace skin
