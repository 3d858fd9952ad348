// A Windows toolkit program under Wine on a real X server: the toolkit probe
// (tests/windows/toolkit_probe.h) maps its window with its Chinese caption, draws Chinese
// text in an installed CJK font, is themed by the skin engine beside it, takes real
// clicks and keys, and its exit code comes back as Wine reports it.
//
// This native program runs the Windows build's probe; the Windows build's tests name it
// in the environment: CAPCALC_WINE_RUN (tools/wine-run), CAPCALC_WINE_PREFIX,
// CAPCALC_PROBE_PROGRAM, CAPCALC_SCREENSHOT_DIR.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "skin/engine/skin_format.h"
#include "skin/skin_data.h"
#include "tests/gui/x_harness.h"
#include "tests/windows/toolkit_probe.h"

namespace {

using namespace gui;
using namespace std::chrono_literals;

std::string Setting(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

uint32_t Packed(skin::Rgb colour) {
  return static_cast<uint32_t>(colour.r) << 16 | static_cast<uint32_t>(colour.g) << 8 | colour.b;
}

int Darkness(uint32_t colour) {
  return 3 * 255 - static_cast<int>((colour >> 16 & 0xFF) + (colour >> 8 & 0xFF) + (colour & 0xFF));
}

class ProbeGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Setting("CAPCALC_PROBE_PROGRAM").empty())
      GTEST_SKIP() << "run by the Windows build's tests";
    // Wine's first start in a new prefix takes seconds; later ones well under one.
    child_.emplace(
        Child::Command(server_, {Setting("CAPCALC_WINE_RUN"), Setting("CAPCALC_WINE_PREFIX"),
                                 Setting("CAPCALC_PROBE_PROGRAM")}));
    window_ = WaitForWindow(display(), Utf8(toolkit_probe::kCaption), 60s);
    ASSERT_NE(window_, 0u) << "no window; the probe ended with "
                           << child_->WaitForExit(0ms).value_or(-1);
    Settle(500ms);  // the first paint
    origin_ = WindowGeometry(display(), window_);
  }

  Display* display() const { return server_.display(); }

  std::vector<uint32_t> Pixels(int x, int y, int width, int height) const {
    return ScreenColours(display(), {origin_.x + x, origin_.y + y, width, height});
  }

  void Screenshot(const std::string& name) const {
    const std::filesystem::path folder = Setting("CAPCALC_SCREENSHOT_DIR");
    std::filesystem::create_directories(folder);
    SaveScreenshot(display(), window_, (folder / name).string());
  }

  // Clicks into the input box, types `text` with real keys, and closes the window with
  // `close`; the probe's exit status as Wine reports it.
  std::optional<int> TypeAndClose(const std::string& text, void (*close)(Display*, Window)) {
    using namespace toolkit_probe;
    Click(display(), origin_.x + kInputLeft + kControlWidth / 2,
          origin_.y + kControlTop + kControlHeight / 2);
    Settle();
    TypeText(display(), text);
    Settle();
    close(display(), window_);
    return child_->WaitForExit(20s);
  }

  XServer server_;
  std::optional<Child> child_;
  Window window_ = 0;
  Geometry origin_;
};

void PressEscape(Display* display, Window) { PressKey(display, XK_Escape); }

TEST_F(ProbeGuiTest, WindowMapsWithItsChineseCaptionAtItsSize) {
  EXPECT_EQ(WindowTitle(display(), window_), Utf8(toolkit_probe::kCaption));
  EXPECT_EQ(origin_.width, toolkit_probe::kWidth);
  EXPECT_EQ(origin_.height, toolkit_probe::kHeight);
  Screenshot("wine_toolkit_probe.png");
}

// Ink in both boxes, and not the same ink: two real glyphs, not two boxes for missing ones.
TEST_F(ProbeGuiTest, ChineseTextIsDrawnInAnInstalledCjkFont) {
  using namespace toolkit_probe;
  std::vector<uint32_t> glyphs[2];
  for (int i = 0; i < 2; ++i) {
    glyphs[i] = Pixels(kGlyphLeft[i], kGlyphTop, kGlyphSize, kGlyphSize);
    const auto inked = std::count_if(glyphs[i].begin(), glyphs[i].end(),
                                     [](uint32_t colour) { return Darkness(colour) > 300; });
    EXPECT_GT(inked, 40) << "glyph " << i;
  }
  EXPECT_NE(glyphs[0], glyphs[1]);
}

// The skin engine drew the window's background: skin 19's aero gradient starts at its top
// colour on the first row.
TEST_F(ProbeGuiTest, SkinEngineBesideTheProgramThemesItsToolkit) {
  const skin::Skin expected = *skin::Decode(skin::EmbeddedSkin(19));
  EXPECT_EQ(Pixels(toolkit_probe::kWidth - 2, 0, 1, 1)[0], Packed(expected[skin::Role::kAeroTop]));
}

TEST_F(ProbeGuiTest, RealClicksAndKeysReachItAndItsExitCodeComesBack) {
  EXPECT_EQ(TypeAndClose("42", PressEscape), 42);
}

// Windows' exit code -1 (0xFFFFFFFF) reaches the parent as its low byte.
TEST_F(ProbeGuiTest, ExitCodeMinusOneIsReportedAs255) {
  EXPECT_EQ(TypeAndClose("-1", RequestClose), 255);
}

// A crash on a display ends the run with the exception code's low byte (0xC0000005), with
// no crash dialog waiting for a click.
TEST_F(ProbeGuiTest, ACrashEndsTheRunWithoutADialog) {
  EXPECT_EQ(TypeAndClose(toolkit_probe::kCrashRequest, PressEscape), 5);
}

}  // namespace
