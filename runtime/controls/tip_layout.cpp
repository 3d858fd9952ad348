#include "runtime/controls/tip_layout.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace rt {
namespace {

struct Character {
  std::string_view bytes;
  char32_t code;
};

// The character at the start of `text`; a byte that does not start a well-formed UTF-8
// sequence counts as a character of its own.
Character NextCharacter(std::string_view text) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(0);
  size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
  if (length > text.size()) length = 1;
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {text.substr(0, 1), lead};
    code = (code << 6) | (byte(i) & 0x3F);
  }
  return {text.substr(0, length), code};
}

std::vector<Character> Characters(std::string_view text) {
  std::vector<Character> characters;
  while (!text.empty()) {
    characters.push_back(NextCharacter(text));
    text.remove_prefix(characters.back().bytes.size());
  }
  return characters;
}

// CJK radicals, ideographs, kana, Hangul and the full-width forms: text in which a line
// may break between any two characters.
bool IsWide(char32_t c) { return c >= 0x2E80; }

bool IsClosing(char32_t c) {
  return std::u32string_view(U"，。、：；！？）」』》】”,.:;!?)").find(c) != std::u32string_view::npos;
}

bool IsOpening(char32_t c) { return std::u32string_view(U"（「『《【“(").find(c) != std::u32string_view::npos; }

bool BreakAllowed(char32_t before, char32_t after) {
  if (before == U' ') return true;
  if (IsClosing(after) || IsOpening(before)) return false;
  return IsWide(before) || IsWide(after);
}

// The pieces of a paragraph that no line break may split, each split further into its
// characters when it is too wide for a line on its own.
std::vector<std::string_view> Pieces(std::string_view paragraph, int max_width, const TextWidth& width) {
  std::vector<Character> characters = Characters(paragraph);
  std::vector<std::string_view> pieces;
  auto add = [&](size_t first, size_t end) {
    const char* start = characters[first].bytes.data();
    std::string_view piece(start, static_cast<size_t>(characters[end - 1].bytes.data() +
                                                      characters[end - 1].bytes.size() - start));
    if (end - first == 1 || width(piece) <= max_width) {
      pieces.push_back(piece);
      return;
    }
    for (size_t i = first; i < end; ++i) pieces.push_back(characters[i].bytes);
  };
  size_t first = 0;
  for (size_t i = 1; i <= characters.size(); ++i) {
    if (i == characters.size() || BreakAllowed(characters[i - 1].code, characters[i].code)) {
      add(first, i);
      first = i;
    }
  }
  return pieces;
}

void WrapParagraph(std::string_view paragraph, int max_width, const TextWidth& width,
                   std::vector<std::string>& lines) {
  std::string line;
  for (std::string_view piece : Pieces(paragraph, max_width, width)) {
    std::string longer = line + std::string(piece);
    if (!line.empty() && width(longer) > max_width) {
      lines.push_back(std::move(line));
      line = std::string(piece);
    } else {
      line = std::move(longer);
    }
  }
  lines.push_back(std::move(line));
}

// How far the outline of a rounded corner lies inside the body's edge `row` rows from the
// top or bottom edge: the circle of the corner, sampled at the middle of the row.
int CornerInset(int row) {
  if (row >= kCornerRadius) return 0;
  double from_centre = kCornerRadius - row - 0.5;
  return kCornerRadius -
         static_cast<int>(std::lround(std::sqrt(kCornerRadius * kCornerRadius - from_centre * from_centre)));
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

std::vector<std::string> WrapTipText(std::string_view utf8, int max_width, const TextWidth& width) {
  std::vector<std::string> lines;
  if (utf8.empty()) return lines;
  size_t start = 0;
  while (true) {
    size_t end = utf8.find('\n', start);
    std::string_view paragraph = utf8.substr(start, end == std::string_view::npos ? end : end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    WrapParagraph(paragraph, max_width, width, lines);
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

Balloon PlaceBalloon(int body_width, int body_height, TipPoint pointer, TipBox screen) {
  body_width = std::max(body_width, 2 * kCornerRadius + kStemBase);
  body_height = std::max(body_height, 2 * kCornerRadius);
  const int height = body_height + kStemHeight;
  const int screen_bottom = screen.y + screen.height;
  const bool below = pointer.y + kStemGap + height <= screen_bottom || pointer.y - kStemGap - height < screen.y;

  Balloon balloon;
  int left = std::min(pointer.x - kApexInset, screen.x + screen.width - body_width);
  balloon.window = {std::max(left, screen.x), below ? pointer.y + kStemGap : pointer.y - kStemGap - height + 1,
                    body_width, height};
  balloon.body = {0, below ? kStemHeight : 0, body_width, body_height};

  const int apex_x = std::clamp(pointer.x - balloon.window.x, 0, body_width - 1);
  // The base runs to the right of the apex, or to its left where the body ends too soon,
  // and always between the rounded corners.
  int base_left = apex_x + kStemBase <= body_width - kCornerRadius ? apex_x : apex_x - kStemBase;
  base_left = std::clamp(base_left, kCornerRadius, body_width - kCornerRadius - kStemBase);

  for (int y = 0; y < height; ++y) {
    bool in_body = y >= balloon.body.y && y < balloon.body.y + body_height;
    int distance = below ? y : height - 1 - y;
    balloon.rows.push_back(in_body ? BodyRow(balloon.body, y) : StemRow(apex_x, base_left, distance));
  }
  return balloon;
}

std::vector<Span> OutlineRuns(const std::vector<Span>& rows, int y) {
  const Span& row = rows[static_cast<size_t>(y)];
  const Span* above = y > 0 ? &rows[static_cast<size_t>(y) - 1] : nullptr;
  const Span* below = static_cast<size_t>(y) + 1 < rows.size() ? &rows[static_cast<size_t>(y) + 1] : nullptr;
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
