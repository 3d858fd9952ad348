// The calculator's main window on a real X server, driven with real input.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <set>

#include "tests/gui/main_window_fixture.h"

namespace {

using namespace gui;
using namespace ids;

TEST_F(MainWindowGuiTest, OpensCentredAtItsFixedSize) {
  // 650 × 488 outside, less a 3-pixel frame and a 19-pixel caption.
  EXPECT_EQ(origin_.width, 644);
  EXPECT_EQ(origin_.height, 463);
  EXPECT_EQ(origin_.x, (1024 - 650) / 2 + 3);
  EXPECT_EQ(origin_.y, (768 - 488) / 2 + 3 + 19);
  EXPECT_EQ(WindowTitle(display(), window_), Utf8(u8"电容器相关计算  （并联电容器组计算）"));
}

// The window manager is asked for a fixed size, a move and a close function, a border,
// a caption and a system menu: no minimise or maximise button.
TEST_F(MainWindowGuiTest, AsksForAFixedFrameWithACloseButtonOnly) {
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(display(), window_, &hints, &supplied));
  EXPECT_EQ(hints.min_width, 644);
  EXPECT_EQ(hints.max_width, 644);
  EXPECT_EQ(hints.min_height, 463);
  EXPECT_EQ(hints.max_height, 463);

  Atom motif = XInternAtom(display(), "_MOTIF_WM_HINTS", False);
  Atom type;
  int format;
  unsigned long items, after;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(display(), window_, motif, 0, 5, False, motif, &type, &format,
                               &items, &after, &data),
            Success);
  ASSERT_EQ(items, 5u);
  const long* words = reinterpret_cast<const long*>(data);
  EXPECT_EQ(words[1], 4 | 32);      // functions: move, close
  EXPECT_EQ(words[2], 2 | 8 | 16);  // decorations: border, title, menu
  XFree(data);
}

// Each page shows its own controls: every edit box of the page is drawn, white inside its
// border, and no two pages look alike.
TEST_F(MainWindowGuiTest, EveryPageShowsItsOwnBoxes) {
  std::set<std::vector<uint32_t>> pages;
  for (int page = 1; page <= 5; ++page) {
    Settle(300ms);
    Screenshot("page" + std::to_string(page));
    std::vector<uint32_t> shown =
        WindowPixels(display(), window_, {0, 0, origin_.width, origin_.height});
    pages.insert(shown);
    for (uint32_t box : EditBoxes()) {
      if (PageOf(box) != page) continue;
      ClientRect r = ControlRect(box);
      size_t inside = static_cast<size_t>(r.y + 4) * static_cast<size_t>(origin_.width) +
                      static_cast<size_t>(r.x + 4);
      EXPECT_EQ(shown[inside], 0xFFFFFFu) << "box at " << r.x << ", " << r.y << " on page " << page;
    }
    PressKey(display(), XK_Tab, ControlMask);
  }
  EXPECT_EQ(pages.size(), 5u);
}

TEST_F(MainWindowGuiTest, TypingKeepsWhatTheInputModeAccepts) {
  EXPECT_EQ(TypeInto(编辑框_电容电压, "abcXYZ"), "");
  EXPECT_EQ(TypeInto(编辑框_电容电压, "a1-b.5e"), "1-.5");
  EXPECT_EQ(TypeInto(编辑框_CT变比, "-1.5e3"), "-153");
  // A result box takes no typing but can be focused, selected and copied.
  EXPECT_EQ(TypeInto(编辑框_电容电流1, "12"), "0");
}

TEST_F(MainWindowGuiTest, LeavingABoxTidiesItsNumber) {
  EXPECT_EQ(TidiedAfterTyping(编辑框_电容电压, "1.50"), "1.5");
  EXPECT_EQ(TidiedAfterTyping(编辑框_COS1, "1.2.3"), "1.2");
  EXPECT_EQ(TidiedAfterTyping(编辑框_P, "0.0"), "");
  EXPECT_EQ(TidiedAfterTyping(编辑框_系统电压, "-"), "");
  EXPECT_EQ(TidiedAfterTyping(编辑框_CT变比, "-0"), "");
  EXPECT_EQ(TidiedAfterTyping(编辑框_CT变比, "0042"), "42");
  EXPECT_EQ(TidiedAfterTyping(编辑框_频率, "99999999999"), "2147483647");  // after its "50"
}

TEST_F(MainWindowGuiTest, EscapeEndsTheProgram) {
  PressKey(display(), XK_Escape);
  EXPECT_EQ(program_.WaitForExit(5s), 0);
}

TEST_F(MainWindowGuiTest, EscapeInAnEditBoxEndsTheProgram) {
  ClickOn(编辑框_电容电压);
  TypeText(display(), "1");
  PressKey(display(), XK_Escape);
  EXPECT_EQ(program_.WaitForExit(5s), 0);
}

TEST_F(MainWindowGuiTest, EscapeInTheComboBoxEndsTheProgram) {
  ClickOnComboText(组合框_接线方式);
  PressKey(display(), XK_Escape);
  EXPECT_EQ(program_.WaitForExit(5s), 0);
}

}  // namespace
