// The balloon of a tip, worked out without the toolkit: the text broken into lines, and
// the outline (a rounded rectangle with a stem pointing at the pointer) placed on the
// screen. The tip window draws and shapes itself from these rows alone, so what is
// drawn and what is cut out always agree.
#pragma once

#include <vector>

namespace rt {

struct TipPoint {
  int x = 0, y = 0;
};

struct TipBox {
  int x = 0, y = 0, width = 0, height = 0;
};

// The pixels [left, right) of one row.
struct Span {
  int left = 0, right = 0;
  bool operator==(const Span&) const = default;
};

struct Balloon {
  TipBox window;           // on the screen
  TipBox body;             // the rounded rectangle, in the window's coordinates
  std::vector<Span> rows;  // what is inside the outline, one span per window row
};

// Balloon proportions, in pixels.
constexpr int kCornerRadius = 6;
constexpr int kStemHeight = 14;
constexpr int kStemBase = 14;
// Between the pointer's hot spot and the tip of the stem, so that the balloon never lies
// under the hot spot itself.
constexpr int kStemGap = 2;

// Places a balloon whose body has (at least) the given size with its stem pointing at
// `pointer`: below the pointer with the stem going up, or above it with the stem going
// down when there is no room below; shifted sideways to stay on `screen`, the stem moving
// along the body to keep pointing at the pointer.
Balloon PlaceBalloon(int body_width, int body_height, TipPoint pointer, TipBox screen);

// The pixels of row `y` that lie on the outline: those inside with a neighbour (left,
// right, above or below) outside.
std::vector<Span> OutlineRuns(const std::vector<Span>& rows, int y);

}  // namespace rt
