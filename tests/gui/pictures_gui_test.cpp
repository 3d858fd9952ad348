// The diagrams on screen: decoded only when first painted, and the delta diagram shown
// when the user picks the delta connection.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <X11/keysym.h>

#include <thread>

#include "calc/pages/main_window.h"
#include "calc/pages/program.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/ui/controls/toolkit_control.h"
#include "runtime/ui/loop/posted_calls.h"
#include "tests/gui/x_harness.h"

namespace {

using namespace gui;

const std::string kCaption = reinterpret_cast<const char*>(u8"电容器相关计算");

bool Decoded(uint32_t panel) {
  rt::LoadedWindow* window = rt::FindLoadedWindow(calc::kMainWindowId);
  return rt::FindControl(*window, panel)->live->HoldsDecodedPicture();
}

void RunLoopFor(std::chrono::milliseconds time) {
  auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) Fl::wait(0.02);
}

// Runs in the child: the window is shown and painted, then the hidden delta panel is
// checked, then the user's pick of the delta connection paints it.
int DecodesOnFirstPaint() {
  calc::StartProgram(rt::DisplayMode::kOnScreen);
  RunLoopFor(800ms);
  if (!Decoded(calc::画板_星接)) return 10;
  if (Decoded(calc::画板_角接)) return 11;
  rt::LoadedWindow* window = rt::FindLoadedWindow(calc::kMainWindowId);
  rt::FindControl(*window, calc::组合框_接线方式)->live->UserPickItem(1);
  RunLoopFor(800ms);
  if (!Decoded(calc::画板_角接)) return 12;
  return 0;
}

TEST(PicturesGuiTest, HiddenDiagramIsNotDecodedBeforeItIsShown) {
  XServer server;
  Child child = Child::Function(server, DecodesOnFirstPaint);
  EXPECT_EQ(child.WaitForExit(20s), 0);
}

TEST(PicturesGuiTest, PickingDeltaShowsItsDiagram) {
  XServer server;
  Child program = Child::Program(server, CAPCALC_PROGRAM);
  Display* display = server.display();
  Window window = WaitForWindow(display, kCaption);
  ASSERT_NE(window, 0u);
  Geometry origin = WindowGeometry(display, window);
  // The combo box sits at (126, 107) in its group box, which sits at (16, 32) on the page;
  // its drop button is the last 17 pixels.
  const int combo_x = origin.x + 16 + 126, combo_y = origin.y + 32 + 107;
  // A loaded machine may take its time over each step: the test waits for the list to
  // open and to close again, as a hand does.
  Click(display, combo_x + 74 - 8, combo_y + 10);
  ASSERT_TRUE(WaitUntil([&] { return !PopupWindows(display).empty(); }, 5s))
      << "the list did not open";
  Settle(300ms);
  Click(display, combo_x + 20, combo_y + 20 + 28);  // the second item of the list
  ASSERT_TRUE(WaitUntil([&] { return PopupWindows(display).empty(); }, 5s))
      << "the list did not close";
  Settle(500ms);
  SaveScreenshot(display, window, std::string(CAPCALC_SCREENSHOT_DIR) + "/page1-delta.png");
  Click(display, combo_x + 20, combo_y + 10);
  PressKey(display, XK_a, ControlMask);
  PressKey(display, XK_c, ControlMask);
  Settle();
  EXPECT_EQ(ClipboardText(display), reinterpret_cast<const char*>(u8"角形接线"));
}

}  // namespace
