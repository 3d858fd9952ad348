// The calculator's main window on a real X server, driven with real input.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <filesystem>

#include "tests/gui/test_program.h"
#include "tests/gui/x_harness.h"

namespace {

using namespace gui;
using namespace ids;

class MainWindowGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = WaitForWindow(display(), Utf8(u8"电容器相关计算"));
    ASSERT_NE(window_, 0u) << "the main window did not appear";
    origin_ = WindowGeometry(display(), window_);
    Settle();
  }

  Display* display() const { return server_.display(); }

  void ClickAt(int x, int y) { Click(display(), origin_.x + x, origin_.y + y); }
  void ClickOn(uint32_t control) {
    ClientRect r = ControlRect(control);
    ClickAt(r.centre_x(), r.centre_y());
  }
  // The text field of a combo box, left of its drop-down button.
  void ClickOnComboText(uint32_t combo) {
    ClientRect r = ControlRect(combo);
    ClickAt(r.x + 10, r.centre_y());
  }

  // Types into the box as it is, then reads it back.
  std::string TypeInto(uint32_t box, const std::string& keys) {
    ClickOn(box);
    TypeText(display(), keys);
    Settle();
    return CopyFocusedText(display());
  }

  // Types into the box, leaves it with Tab, and reads what it shows then.
  std::string TidiedAfterTyping(uint32_t box, const std::string& keys) {
    ClickOn(box);
    TypeText(display(), keys);
    PressKey(display(), XK_Tab);
    Settle();
    ClickOn(box);
    return CopyFocusedText(display());
  }

  std::string Screenshot(const std::string& name) {
    std::filesystem::create_directories(CAPCALC_SCREENSHOT_DIR);
    std::string path = std::string(CAPCALC_SCREENSHOT_DIR) + "/" + name + ".png";
    SaveScreenshot(display(), window_, path);
    return path;
  }

  XServer server_;
  Child program_ = Child::Program(server_, CAPCALC_PROGRAM);
  Window window_ = 0;
  Geometry origin_;
};

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
                               &items, &after, &data), Success);
  ASSERT_EQ(items, 5u);
  const long* words = reinterpret_cast<const long*>(data);
  EXPECT_EQ(words[1], 4 | 32);       // functions: move, close
  EXPECT_EQ(words[2], 2 | 8 | 16);   // decorations: border, title, menu
  XFree(data);
}

TEST_F(MainWindowGuiTest, EveryPageScreenshot) {
  for (int page = 1; page <= 5; ++page) {
    Settle(300ms);
    Screenshot("page" + std::to_string(page));
    PressKey(display(), XK_Tab, ControlMask);
  }
}

TEST_F(MainWindowGuiTest, TypingKeepsWhatTheInputModeAccepts) {
  EXPECT_EQ(TypeInto(编辑框_电容电压, "abcXYZ"), "");
  EXPECT_EQ(TypeInto(编辑框_电容电压, "a1-b.5e"), "1-.5");
  EXPECT_EQ(TypeInto(编辑框_CT变比, "-1.5e3"), "-153");
  // A result box takes no typing but can be focused, selected and copied.
  EXPECT_EQ(TypeInto(编辑框_电容电流1, "12"), "0");
}

// What the clipboard brings is filtered as if it were typed.
TEST_F(MainWindowGuiTest, PastingKeepsWhatTheInputModeAccepts) {
  ClickOnComboText(组合框_接线方式);
  PressKey(display(), XK_a, ControlMask);
  TypeText(display(), "ab1.5-x");  // the combo box's text field takes anything
  EXPECT_EQ(CopyFocusedText(display()), "ab1.5-x");
  ClickOn(编辑框_电容容量);
  PressKey(display(), XK_v, ControlMask);
  Settle();
  EXPECT_EQ(CopyFocusedText(display()), "1.5-");
  ClickOn(编辑框_CT变比);
  PressKey(display(), XK_v, ControlMask);
  Settle();
  EXPECT_EQ(CopyFocusedText(display()), "15-");
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
