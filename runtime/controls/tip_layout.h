// The balloon of a tip, worked out without the toolkit: the text broken into lines, and
// the outline (a rounded rectangle with a stem pointing at the pointer) placed on the
// screen. The tip window draws and shapes itself from these rows alone, so what is
// drawn and what is cut out always agree.
#pragma once

#include <functional>
#include <string>
#include <string_view>
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

// The width in pixels of a piece of UTF-8 text in the tip's font.
using TextWidth = std::function<int(std::string_view utf8)>;

// Breaks UTF-8 text into lines no wider than `max_width` where that can be done: a line
// may break next to a CJK character (but not before closing punctuation such as "，"),
// after a space, and at every line feed. Runs of other characters (numbers such as
// "6.6/√3") stay together unless one alone is wider than a line.
std::vector<std::string> WrapTipText(std::string_view utf8, int max_width, const TextWidth& width);

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
