#include "runtime/ui/tips/tip_layout.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace rt {
namespace {

// How far the outline of a rounded corner lies inside the body's edge `row` rows from the
// top or bottom edge: the circle of the corner, sampled at the middle of the row.
int CornerInset(int row) {
  if (row >= kCornerRadius) return 0;
  double from_centre = kCornerRadius - row - 0.5;
  return kCornerRadius - static_cast<int>(std::lround(
                             std::sqrt(kCornerRadius * kCornerRadius - from_centre * from_centre)));
}

Span BodyRow(const TipBox& body, int y) {
  int row = y - body.y;
  int inset = CornerInset(std::min(row, body.height - 1 - row));
  return {body.x + inset, body.x + body.width - inset};
}

// The stem narrows from its base on the body's edge to a single pixel at `apex_x`;
// `distance` counts the rows from the apex.
Span StemRow(int apex_x, int base_left, int distance) {
  int left = apex_x + (base_left - apex_x) * distance / kStemHeight;
  int right = apex_x + 1 + (base_left + kStemBase - apex_x - 1) * distance / kStemHeight;
  return {left, std::max(right, left + 1)};
}

// Where nothing is in the way, the apex lies this far in from the body's left edge,
// clear of the rounded corner.
constexpr int kApexInset = kCornerRadius + 8;

bool Covers(const Span* span, int x) { return span && x >= span->left && x < span->right; }

}  // namespace

Balloon PlaceBalloon(int body_width, int body_height, TipPoint pointer, TipBox screen) {
  body_width = std::max(body_width, 2 * kCornerRadius + kStemBase);
  body_height = std::max(body_height, 2 * kCornerRadius);
  const int height = body_height + kStemHeight;
  const int screen_bottom = screen.y + screen.height;
  const bool below =
      pointer.y + kStemGap + height <= screen_bottom || pointer.y - kStemGap - height < screen.y;

  Balloon balloon;
  int left = std::min(pointer.x - kApexInset, screen.x + screen.width - body_width);
  balloon.window = {std::max(left, screen.x),
                    below ? pointer.y + kStemGap : pointer.y - kStemGap - height + 1, body_width,
                    height};
  balloon.body = {0, below ? kStemHeight : 0, body_width, body_height};

  const int apex_x = std::clamp(pointer.x - balloon.window.x, 0, body_width - 1);
  // The base runs to the right of the apex, or to its left where the body ends too soon,
  // and always between the rounded corners.
  int base_left = apex_x + kStemBase <= body_width - kCornerRadius ? apex_x : apex_x - kStemBase;
  base_left = std::clamp(base_left, kCornerRadius, body_width - kCornerRadius - kStemBase);

  for (int y = 0; y < height; ++y) {
    bool in_body = y >= balloon.body.y && y < balloon.body.y + body_height;
    int distance = below ? y : height - 1 - y;
    balloon.rows.push_back(in_body ? BodyRow(balloon.body, y)
                                   : StemRow(apex_x, base_left, distance));
  }
  return balloon;
}

std::vector<Span> OutlineRuns(const std::vector<Span>& rows, int y) {
  const Span& row = rows[static_cast<size_t>(y)];
  const Span* above = y > 0 ? &rows[static_cast<size_t>(y) - 1] : nullptr;
  const Span* below =
      static_cast<size_t>(y) + 1 < rows.size() ? &rows[static_cast<size_t>(y) + 1] : nullptr;
  std::vector<Span> runs;
  for (int x = row.left; x < row.right; ++x) {
    bool on_outline = x == row.left || x == row.right - 1 || !Covers(above, x) || !Covers(below, x);
    if (!on_outline) continue;
    if (!runs.empty() && runs.back().right == x) {
      ++runs.back().right;
    } else {
      runs.push_back({x, x + 1});
    }
  }
  return runs;
}

}  // namespace rt
