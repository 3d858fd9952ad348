// The balloon's text lines and outline: where lines may break, where the balloon goes
// near the screen's edges, and which pixels the outline covers.
#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/core/text_wrap.h"
#include "runtime/ui/tips/tip_layout.h"

namespace {

using rt::Balloon;
using rt::Span;
using rt::TipBox;

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// A stand-in for the font: 12 pixels for a character of more than one byte, 6 for one byte.
int FakeWidth(std::string_view utf8) {
  int width = 0;
  for (unsigned char c : utf8) {
    if (c < 0x80) width += 6;
    if (c >= 0xC0) width += 12;
  }
  return width;
}

std::vector<std::string> Wrap(const char8_t* text, int max_width) {
  return rt::WrapText(Utf8(text), max_width, FakeWidth);
}

using Lines = std::vector<std::string>;

TEST(WrapTextTest, BreaksNextToCjkCharactersAndAfterSpacesOnly) {
  EXPECT_EQ(Wrap(u8"输入电容组的额定电压值", 60),
            (Lines{Utf8(u8"输入电容组"), Utf8(u8"的额定电压"), Utf8(u8"值")}));
  // "，" may not begin a line: it goes down with the character before it.
  EXPECT_EQ(Wrap(u8"电压值，如", 36), (Lines{Utf8(u8"电压"), Utf8(u8"值，如")}));
  // "6.35,6.6/√3," is one piece: it moves to the next line whole.
  EXPECT_EQ(Wrap(u8"比值：6.35,6.6/√3,则", 90),
            (Lines{Utf8(u8"比值："), Utf8(u8"6.35,6.6/√3,则")}));
  EXPECT_EQ(Wrap(u8"two words", 40), (Lines{"two ", "words"}));
}

TEST(WrapTextTest, LineFeedsAndPiecesTooWideForAnyLine) {
  EXPECT_EQ(Wrap(u8"1234567890", 30), (Lines{"12345", "67890"}));
  EXPECT_EQ(Wrap(u8"一\r\n\n二", 300), (Lines{Utf8(u8"一"), "", Utf8(u8"二")}));
  EXPECT_TRUE(Wrap(u8"", 300).empty());
  // A byte that starts no well-formed character is kept as it is.
  EXPECT_EQ(rt::WrapText("\xE4\xB8 abc", 300, FakeWidth), (Lines{"\xE4\xB8 abc"}));
}

const TipBox kScreen{0, 0, 1024, 768};

// The balloon's pixel at the apex row: the stem's tip.
Span ApexRow(const Balloon& balloon, bool below) {
  return balloon.rows[below ? 0 : balloon.rows.size() - 1];
}

void ExpectOnScreen(const Balloon& balloon) {
  EXPECT_GE(balloon.window.x, kScreen.x);
  EXPECT_GE(balloon.window.y, kScreen.y);
  EXPECT_LE(balloon.window.x + balloon.window.width, kScreen.x + kScreen.width);
  EXPECT_LE(balloon.window.y + balloon.window.height, kScreen.y + kScreen.height);
}

TEST(PlaceBalloonTest, HangsBelowThePointerWithTheStemPointingUpAtIt) {
  Balloon balloon = rt::PlaceBalloon(200, 40, {300, 200}, kScreen);
  EXPECT_EQ(balloon.window.y, 200 + rt::kStemGap);
  EXPECT_EQ(balloon.window.height, 40 + rt::kStemHeight);
  EXPECT_EQ(balloon.body.y, rt::kStemHeight);
  EXPECT_EQ(balloon.rows.size(), static_cast<size_t>(balloon.window.height));
  Span apex = ApexRow(balloon, true);
  EXPECT_EQ(apex, (Span{300 - balloon.window.x, 300 - balloon.window.x + 1}));
  // The body reaches further right of the pointer than left of it.
  EXPECT_LT(300 - balloon.window.x, balloon.window.width / 2);
}

TEST(PlaceBalloonTest, StaysOnScreenNearItsEdges) {
  struct Case {
    rt::TipPoint pointer;
    bool below;
  } cases[] = {{{1020, 100}, true}, {{3, 100}, true}, {{500, 760}, false}, {{1023, 767}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pointer.x << "," << c.pointer.y);
    Balloon balloon = rt::PlaceBalloon(300, 50, c.pointer, kScreen);
    ExpectOnScreen(balloon);
    EXPECT_EQ(balloon.window.y == c.pointer.y + rt::kStemGap, c.below);
    if (!c.below) {
      EXPECT_EQ(balloon.window.y + balloon.window.height - 1, c.pointer.y - rt::kStemGap);
    }
    // Wherever the body went, the stem still ends at the pointer.
    Span apex = ApexRow(balloon, c.below);
    EXPECT_EQ(apex.left, c.pointer.x - balloon.window.x);
    EXPECT_EQ(apex.right - apex.left, 1);
  }
}

TEST(PlaceBalloonTest, StemLeansAwayFromTheNearEdge) {
  // Near the right edge the stem's base lies to the left of the apex, and on the body's
  // straight top edge rather than beside the rounded corner.
  Balloon balloon = rt::PlaceBalloon(300, 50, {1020, 100}, kScreen);
  int apex_x = 1020 - balloon.window.x;
  const Span& base = balloon.rows[rt::kStemHeight - 1];
  const Span& body_top = balloon.rows[rt::kStemHeight];
  EXPECT_LT(base.left, apex_x - rt::kStemBase / 2);
  EXPECT_GE(base.left, body_top.left);
  EXPECT_LE(base.right, body_top.right);
}

TEST(PlaceBalloonTest, TinyBodyGrowsToHoldCornersAndStem) {
  Balloon balloon = rt::PlaceBalloon(1, 1, {300, 200}, kScreen);
  EXPECT_EQ(balloon.window.width, 2 * rt::kCornerRadius + rt::kStemBase);
  for (const Span& row : balloon.rows) {
    EXPECT_GE(row.left, 0);
    EXPECT_LE(row.right, balloon.window.width);
    EXPECT_LT(row.left, row.right);
  }
}

TEST(BalloonOutlineTest, RoundsTheCornersAndFollowsTheStem) {
  Balloon balloon = rt::PlaceBalloon(100, 40, {300, 200}, kScreen);
  const int top = balloon.body.y;
  const int bottom = top + balloon.body.height - 1;
  // The corners are cut, the middle rows run the full width.
  EXPECT_GT(balloon.rows[static_cast<size_t>(top)].left, 0);
  EXPECT_EQ(balloon.rows[static_cast<size_t>(bottom)], balloon.rows[static_cast<size_t>(top)]);
  const int middle = (top + bottom) / 2;
  EXPECT_EQ(balloon.rows[static_cast<size_t>(middle)], (Span{0, 100}));
  // A middle row is outline only at its two ends; the bottom row is outline throughout.
  EXPECT_EQ(rt::OutlineRuns(balloon.rows, middle), (std::vector<Span>{{0, 1}, {99, 100}}));
  EXPECT_EQ(rt::OutlineRuns(balloon.rows, bottom),
            (std::vector<Span>{balloon.rows[static_cast<size_t>(bottom)]}));
  // The top row of the body is open where the stem joins it.
  std::vector<Span> joint = rt::OutlineRuns(balloon.rows, top);
  const Span& stem_base = balloon.rows[static_cast<size_t>(top) - 1];
  ASSERT_EQ(joint.size(), 2u);
  EXPECT_EQ(joint[0].right, stem_base.left);
  EXPECT_EQ(joint[1].left, stem_base.right);
}

}  // namespace
