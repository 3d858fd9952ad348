// capcalc.exe under Wine on a real X server, driven with real input: its window with its
// caption and its five pages, the first worked example typed key by key, result boxes the
// Tab keys pass through, the skin engine library written hidden beside it at the first
// start and left alone at the next, Escape ending it with status 0, and a runtime error
// shown in the system's message box, and a saved sheet dropped onto the window.
//
// The Windows build's tests name the programs in the environment: CAPCALC_WINE_RUN,
// CAPCALC_WINE_PREFIX, CAPCALC_CALCULATOR_PROGRAM, CAPCALC_ATTRIBUTES_PROGRAM,
// CAPCALC_WINE_WORK (a folder for the programs' copies), CAPCALC_SCREENSHOT_DIR.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "forms/control_ids.h"
#include "tests/child_process.h"
#include "tests/gui/file_drag.h"
#include "tests/gui/test_program.h"
#include "tests/gui/x_harness.h"

namespace {

using namespace gui;
using namespace ids;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::string Setting(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

const std::string kCaption = Utf8(u8"电容器相关计算  （并联电容器组计算）");

// Hidden, and marked for archiving, as Wine marks every file.
const std::string kHiddenAlone = "0x22";

// The middle of each page's tab in the strip along the top of the client area.
constexpr int kTabCentresX[] = {42, 138, 234, 322, 419};
constexpr int kTabCentreY = 10;

std::string Content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CalculatorWineTest : public WindowGuiTest {
 protected:
  void SetUp() override {
    if (Setting("CAPCALC_CALCULATOR_PROGRAM").empty())
      GTEST_SKIP() << "run by the Windows build's tests";
    folder_ = fs::path(Setting("CAPCALC_WINE_WORK")) /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::copy_file(Setting("CAPCALC_CALCULATOR_PROGRAM"), program());
  }

  fs::path program() const { return folder_ / "capcalc.exe"; }
  fs::path engine() const { return folder_ / "SkinEngine.dll"; }

  // Starts the program and waits for the window with `caption`; false when none came.
  bool Start(const std::string& caption = kCaption) {
    const auto started = std::chrono::steady_clock::now();
    child_.emplace(Child::Command(server_, {Setting("CAPCALC_WINE_RUN"),
                                            Setting("CAPCALC_WINE_PREFIX"), program().string()}));
    window_ = WaitForWindow(display(), caption, 60s);
    if (window_ == 0) return false;
    mapped_after_ = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    Settle(500ms);  // the first paint
    origin_ = WindowGeometry(display(), window_);
    return true;
  }

  // Replaces the box's text with keys typed as a user types them.
  void TypeInto(uint32_t box, const std::string& keys) {
    ClickOn(box);
    PressKey(display(), XK_a, ControlMask);
    TypeText(display(), keys);
  }
  // Wine's clipboard thread answers the clearing of the clipboard by emptying the Windows
  // clipboard; on a loaded machine it can still be late. No box read here is empty, so an
  // empty read is a copy undone that way, and it is taken again.
  std::string TextOf(uint32_t box) {
    ClickOn(box);
    std::string text;
    for (int attempt = 0; attempt < 3 && text.empty(); ++attempt)
      text = CopyFocusedText(display(), 300ms);
    return text;
  }

  void Screenshot(const std::string& name) const {
    const fs::path screenshots = Setting("CAPCALC_SCREENSHOT_DIR");
    fs::create_directories(screenshots);
    SaveScreenshot(display(), window_, (screenshots / (name + ".png")).string());
  }

  // The attributes Windows keeps for the file, read back by a Windows program.
  std::string AttributesOf(const fs::path& file) const {
    const auto outcome = testing_support::RunCommand(
        "'" + Setting("CAPCALC_WINE_RUN") + "' '" + Setting("CAPCALC_WINE_PREFIX") + "' '" +
        Setting("CAPCALC_ATTRIBUTES_PROGRAM") + "' '" + file.string() + "'");
    if (outcome.status != 0) return "status " + std::to_string(outcome.status);
    return outcome.out.substr(0, outcome.out.find_first_of("\r\n"));
  }

  // The star bank of the capacitor parameter page's first worked example, typed key by
  // key, and 计算.
  void CalculateFirstWorkedExample() {
    const std::pair<uint32_t, const char*> inputs[] = {
        {编辑框_电容电压, "6.35"}, {编辑框_电容容量, "3000"}, {编辑框_电抗率, "5"},
        {编辑框_系统电压, "10"},   {编辑框_CT变比, "300"},    {编辑框_COS1, "0.8"},
        {编辑框_COS2, "0.95"},     {编辑框_P, "5000"},
    };
    for (const auto& [box, keys] : inputs) TypeInto(box, keys);
    ClickOn(按钮_电容器计算);
    Settle(300ms);
  }

  std::optional<int> EndWithEscape() {
    PressKey(display(), XK_Escape);
    return child_->WaitForExit(20s);
  }

  fs::path folder_;
  std::optional<Child> child_;
  std::chrono::milliseconds mapped_after_{0};
};

// The first start writes the engine beside the program and hides it; the second finds it
// there and leaves it exactly as it is. Each page is shot on the way.
TEST_F(CalculatorWineTest, FirstStartWritesTheEngineHiddenASecondLeavesItAndEscapeEndsWithZero) {
  ASSERT_TRUE(Start()) << "no window with the caption";
  std::cout << "capcalc.exe under Wine, fresh folder: start to mapped window "
            << mapped_after_.count() << " ms\n";
  EXPECT_EQ(WindowTitle(display(), window_), kCaption);
  EXPECT_EQ(EndWithEscape(), 0);
  ASSERT_TRUE(fs::is_regular_file(engine()));
  EXPECT_EQ(AttributesOf(engine()), kHiddenAlone);
  const std::string written = Content(engine());
  const auto written_at = fs::last_write_time(engine());

  ASSERT_TRUE(Start()) << "no window at the second start";
  std::cout << "capcalc.exe under Wine, engine present: start to mapped window "
            << mapped_after_.count() << " ms\n";
  for (int page = 0; page < 5; ++page) {
    ClickAt(kTabCentresX[page], kTabCentreY);
    Settle(300ms);
    Screenshot("wine_page" + std::to_string(page + 1));
  }
  EXPECT_EQ(EndWithEscape(), 0);
  EXPECT_EQ(Content(engine()), written);
  EXPECT_EQ(fs::last_write_time(engine()), written_at);
  EXPECT_EQ(AttributesOf(engine()), kHiddenAlone);
}

// The star bank of the capacitor parameter page's first worked example.
TEST_F(CalculatorWineTest, TheFirstWorkedExampleTypedWithRealKeysShowsItsDigits) {
  ASSERT_TRUE(Start());
  CalculateFirstWorkedExample();
  Screenshot("wine_first_worked_example");
  EXPECT_EQ(TextOf(编辑框_电容电流), "157.4803173257");
  EXPECT_EQ(TextOf(编辑框_XC), "40.32249878883");
  EXPECT_EQ(TextOf(编辑框_调谐频率), "223.60679775");
  EXPECT_EQ(TextOf(编辑框_补偿容量), "2106.579107375");
  EXPECT_EQ(EndWithEscape(), 0);
}

// The result boxes the Tab keys pass through show their first digits afterwards, as on
// Linux: on the first page after the worked example, on the second after its
// internal-fuse 计算.
TEST_F(CalculatorWineTest, ResultsTheFocusPassesThroughShowTheirFirstDigit) {
  ASSERT_TRUE(Start());
  CalculateFirstWorkedExample();
  ExpectFirstTwoPagesShownFromTheStartAfterTabbing(
      [this](const std::string& name) { Screenshot("wine_" + name); });
  EXPECT_EQ(TextOf(编辑框_Udz), "0.3081031142053");
  EXPECT_EQ(EndWithEscape(), 0);
}

// An open-delta sheet saved by the driver, dragged from a file manager and dropped onto
// page 1 of the window: Wine hands it over as a Windows file drop, and the window turns to
// the sheet's page with its inputs as they stood, nothing calculated.
TEST_F(CalculatorWineTest, ASheetDroppedOntoTheWindowComesBack) {
  const std::pair<uint32_t, const char*> inputs[] = {
      {编辑框_电容电压1, "6.35"}, {编辑框_线圈一次, "6.35"}, {编辑框_线圈二次, "0.1"},
      {编辑框_M1, "10"},          {编辑框_N1, "1"},          {编辑框_Kv1, "1.15"},
      {编辑框_Klm1, "1.25"},
  };
  const fs::path sheet = folder_ / "dropped sheet.json";
  std::string script;
  for (const auto& [box, text] : inputs) script += "set " + ControlName(box) + " " + text + "\n";
  script += "click " + ControlName(按钮_开口外熔丝) + "\nsheet " + ControlName(编辑框_Udz) + " " +
            sheet.string() + "\n";
  std::ofstream(folder_ / "save.script", std::ios::binary) << script;
  const auto saved = testing_support::RunCommand("'" CAPCALC_SCRIPT_PROGRAM "' '" +
                                                 (folder_ / "save.script").string() + "'");
  ASSERT_EQ(saved.status, 0) << saved.err;

  ASSERT_TRUE(Start());
  const ClientRect box = ControlRect(编辑框_电容电压);
  ASSERT_TRUE(DropUriList(display(), window_, origin_.x + box.centre_x(),
                          origin_.y + box.centre_y(), FileUri(sheet) + "\r\n"));
  Settle(1s);
  Screenshot("wine_dropped_sheet");
  for (const auto& [box, text] : inputs) EXPECT_EQ(TextOf(box), text) << ControlName(box);
  EXPECT_EQ(EndWithEscape(), 0);
}

// A folder in the engine's place: nothing is written, the engine cannot be bound, and the
// runtime error report ends the program with -1 once the box is confirmed.
TEST_F(CalculatorWineTest, ARuntimeErrorShowsTheMessageBoxAndEndsWithMinusOne) {
  fs::create_directory(engine());
  ASSERT_TRUE(Start(Utf8(u8"错误"))) << "no message box";
  Screenshot("wine_runtime_error");
  PressKey(display(), XK_Return);
  EXPECT_EQ(child_->WaitForExit(20s), 255);  // -1, 0xFFFFFFFF, as Wine reports it
  EXPECT_TRUE(fs::is_directory(engine()));
}

}  // namespace
