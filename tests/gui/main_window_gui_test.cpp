// The main window on a real X server, driven with real input.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <filesystem>

#include "tests/gui/x_harness.h"

namespace {

using namespace gui;

const std::string kCaption = reinterpret_cast<const char*>(u8"电容器相关计算");

class MainWindowGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = WaitForWindow(display(), kCaption);
    ASSERT_NE(window_, 0u) << "the main window did not appear";
    origin_ = WindowGeometry(display(), window_);
  }

  Display* display() const { return server_.display(); }

  // A point of the window's client area on the screen.
  void ClickAt(int x, int y) { Click(display(), origin_.x + x, origin_.y + y); }

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
}

TEST_F(MainWindowGuiTest, EveryPageScreenshot) {
  for (int page = 1; page <= 5; ++page) {
    Settle(300ms);
    Screenshot("page" + std::to_string(page));
    PressKey(display(), XK_Tab, ControlMask);
  }
}

TEST_F(MainWindowGuiTest, EscapeEndsTheProgram) {
  PressKey(display(), XK_Escape);
  EXPECT_EQ(program_.WaitForExit(5s), 0);
}

}  // namespace
