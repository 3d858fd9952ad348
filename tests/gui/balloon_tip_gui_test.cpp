// The input hints' balloon on a real X server: when it appears and goes, where it stands,
// what it looks like, and that the boxes keep their own handling of the pointer.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <filesystem>
#include <thread>

#include "tests/gui/x_harness.h"

namespace {

using namespace gui;
using Clock = std::chrono::steady_clock;

const std::string kCaption = reinterpret_cast<const char*>(u8"电容器相关计算");

// Client-area places on the first page: 编辑框_电容电压 has a hint, 编辑框_CT变比 none,
// and the blank spot lies over no control with a hint.
constexpr Geometry kVoltageBox{126, 64, 56, 24};
constexpr Geometry kRatioBox{311, 66, 56, 24};
constexpr int kBlankX = 600, kBlankY = 270;

constexpr uint32_t kBalloonYellow = 0xFFFFE1;

class BalloonTipGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = WaitForWindow(display(), kCaption);
    ASSERT_NE(window_, 0u) << "the main window did not appear";
    origin_ = WindowGeometry(display(), window_);
    MoveTo(kBlankX, kBlankY);
    Settle();
  }

  Display* display() const { return server_.display(); }

  void MoveTo(int x, int y) { MovePointer(display(), origin_.x + x, origin_.y + y); }

  // Comes onto the box as a hand does, in a few moves: the first only enters it, and the
  // program coalesces moves that come in one burst. Returns when the pointer came to rest.
  Clock::time_point RestOn(const Geometry& box) {
    for (int step = 2; step >= 0; --step) {
      MoveTo(box.x + box.width / 2 - 3 * step, box.y + box.height / 2 - step);
      if (step > 0) Settle(40ms);
    }
    return Clock::now();
  }

  Window Balloon() const {
    std::vector<Window> popups = PopupWindows(display());
    return popups.empty() ? 0 : popups.front();
  }
  bool BalloonShown() const { return Balloon() != 0; }
  bool BalloonGone() const { return Balloon() == 0; }

  bool StaysGone(std::chrono::milliseconds time) const {
    return !WaitUntil([this] { return BalloonShown(); }, time);
  }

  XServer server_;
  Child program_ = Child::Program(server_, CAPCALC_PROGRAM);
  Window window_ = 0;
  Geometry origin_;
};

TEST_F(BalloonTipGuiTest, AppearsAfterTheInitialDelayAndGoesAfterTheDisplayTime) {
  // The very first move over the box attaches its hint: the balloon needs no second hover.
  Clock::time_point rest = RestOn(kVoltageBox);
  std::this_thread::sleep_until(rest + 300ms);
  EXPECT_TRUE(BalloonGone()) << "shown before the initial delay";
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(rest + 1200ms - Clock::now());
  ASSERT_TRUE(WaitUntil([this] { return BalloonShown(); }, left)) << "not shown by 1200 ms";
  Clock::time_point appeared = Clock::now();

  // Moving within the box keeps the balloon where it is.
  Window shown = Balloon();
  Geometry place = WindowGeometry(display(), shown);
  for (int dx = -20; dx <= 20; dx += 10) {
    MoveTo(kVoltageBox.x + kVoltageBox.width / 2 + dx, kVoltageBox.y + 8);
    Settle(50ms);
  }
  std::this_thread::sleep_until(appeared + 2000ms);
  ASSERT_EQ(Balloon(), shown) << "gone long before the display time";
  Geometry now = WindowGeometry(display(), shown);
  EXPECT_EQ(now.x, place.x);
  EXPECT_EQ(now.y, place.y);

  EXPECT_TRUE(WaitUntil([this] { return BalloonGone(); }, 3000ms));
  // Still on the box: it does not come back by itself.
  EXPECT_TRUE(StaysGone(1500ms));
}

TEST_F(BalloonTipGuiTest, LeavingOrPressingHidesItAtOnceUntilThePointerComesBack) {
  auto come_back = [this] {
    MoveTo(kBlankX, kBlankY);
    Settle();
    RestOn(kVoltageBox);
    return WaitUntil([this] { return BalloonShown(); }, 2s);
  };
  RestOn(kVoltageBox);
  ASSERT_TRUE(WaitUntil([this] { return BalloonShown(); }, 2s));
  MoveTo(kBlankX, kBlankY);
  EXPECT_TRUE(WaitUntil([this] { return BalloonGone(); }, 500ms)) << "left the box";

  ASSERT_TRUE(come_back());
  Click(display(), origin_.x + kVoltageBox.x + kVoltageBox.width / 2,
        origin_.y + kVoltageBox.y + kVoltageBox.height / 2);
  EXPECT_TRUE(WaitUntil([this] { return BalloonGone(); }, 500ms)) << "pressed a button";
  EXPECT_TRUE(StaysGone(1500ms));
  EXPECT_TRUE(come_back());
}

TEST_F(BalloonTipGuiTest, BoxWithoutAHintShowsNothing) {
  RestOn(kRatioBox);
  EXPECT_TRUE(StaysGone(1500ms));
}

TEST_F(BalloonTipGuiTest, DraggingOverAWatchedBoxStillSelectsItsText) {
  const int y = origin_.y + kVoltageBox.y + kVoltageBox.height / 2;
  Click(display(), origin_.x + kVoltageBox.x + kVoltageBox.width / 2, y);
  TypeText(display(), "6.35");
  Settle(600ms);  // no double click
  Drag(display(), origin_.x + kVoltageBox.x + kVoltageBox.width - 3, y,
       origin_.x + kVoltageBox.x + 1, y);
  PressKey(display(), XK_c, ControlMask);
  std::string copied;
  WaitUntil([&] { return (copied = ClipboardText(display())) == "6.35"; }, 3s);
  EXPECT_EQ(copied, "6.35");
}

// The balloon hangs below the pointer with its stem pointing up at it, pale yellow inside
// a rounded outline through which the window beneath shows at the corners.
TEST_F(BalloonTipGuiTest, LooksLikeABalloonPointingAtThePointer) {
  RestOn(kVoltageBox);
  ASSERT_TRUE(WaitUntil([this] { return BalloonShown(); }, 2s));
  Settle();
  Geometry balloon = WindowGeometry(display(), Balloon());
  const int pointer_x = origin_.x + kVoltageBox.x + kVoltageBox.width / 2;
  const int pointer_y = origin_.y + kVoltageBox.y + kVoltageBox.height / 2;

  EXPECT_GT(balloon.y, pointer_y);
  EXPECT_LT(balloon.y, pointer_y + 8);
  EXPECT_LT(balloon.x, pointer_x);
  EXPECT_GT(balloon.x + balloon.width, pointer_x);
  EXPECT_LE(balloon.width, 340) << "the long hint is wrapped";
  EXPECT_GE(balloon.height, 40) << "into more than one line";

  const int bottom = balloon.y + balloon.height - 1;
  EXPECT_EQ(ScreenColour(display(), balloon.x + balloon.width / 2, bottom - 2), kBalloonYellow);
  EXPECT_NE(ScreenColour(display(), balloon.x, bottom), kBalloonYellow) << "a square corner";
  EXPECT_NE(ScreenColour(display(), balloon.x + balloon.width - 1, balloon.y), kBalloonYellow)
      << "no stem there";

  std::filesystem::create_directories(CAPCALC_SCREENSHOT_DIR);
  SaveScreenRegion(display(),
                   {origin_.x + kVoltageBox.x - 60, origin_.y + kVoltageBox.y - 40, 440, 160},
                   std::string(CAPCALC_SCREENSHOT_DIR) + "/tip.png");
}

}  // namespace
