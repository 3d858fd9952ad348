// The measured bank's window as an engineer uses it at commissioning: opened from the
// sheet window, values typed with real keys and pasted as a block from a spreadsheet, the
// check following them, a CSV imported, 配平 and the files exported.
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>

#include "tests/gui/main_window_fixture.h"

namespace {

using namespace gui;
using namespace ids;

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class MeasuredWindowGuiTest : public MainWindowGuiTest {
 protected:
  MeasuredWindowGuiTest() : MainWindowGuiTest(ProgramEnvironment()) {}
  ~MeasuredWindowGuiTest() override { std::filesystem::remove_all(Home()); }

  // A home of the test's own whose settings ask for the toolkit's own file chooser.
  static std::vector<std::string> ProgramEnvironment() {
    const std::filesystem::path settings = Home() / ".fltk" / "fltk.org";
    std::filesystem::create_directories(settings);
    std::ofstream(settings / "fltk.prefs")
        << "; FLTK preferences file format 1.0\n; vendor: fltk.org\n"
           "; application: fltk\n\n[.]\n\n[./options]\n\nFNFCUsesGTK:0\n";
    return {"HOME=" + Home().string(), "PATH=/nonexistent"};
  }
  static const std::filesystem::path& Home() {
    static const std::filesystem::path home = [] {
      std::string pattern =
          (std::filesystem::temp_directory_path() / "capcalc-measured-XXXXXX").string();
      return std::filesystem::path(mkdtemp(pattern.data()) ? pattern : "");
    }();
    return home;
  }

  // Turns `pages` tabs on, types the inputs, clicks the button, and opens the sheet of the
  // result box through its menu.
  void OpenSheetOf(int pages, std::span<const std::pair<uint32_t, const char*>> inputs,
                   uint32_t button, uint32_t result) {
    for (int page = 0; page < pages; ++page) PressKey(display(), XK_Tab, ControlMask);
    for (const auto& [box, text] : inputs) {
      ClickOn(box);
      TypeText(display(), text);
    }
    ClickOn(button);
    Settle();
    sheet_ = OpenSheetWindow(result);
    ASSERT_NE(sheet_, 0u);
  }

  // 实测电容…, at the bottom left of the sheet window.
  void ClickMeasuredButton() {
    const Geometry g = WindowGeometry(display(), sheet_);
    Click(display(), g.x + 10 + 48, g.y + g.height - 24);
  }

  // The open-delta page, external fuses, with a bank of two groups of four units a phase.
  void OpenMeasuredWindow() {
    const std::pair<uint32_t, const char*> inputs[] = {
        {编辑框_电容电压1, "6.35"}, {编辑框_线圈一次, "6.35"}, {编辑框_线圈二次, "0.1"},
        {编辑框_M1, "4"},           {编辑框_N1, "2"},
    };
    ASSERT_NO_FATAL_FAILURE(OpenSheetOf(1, inputs, 按钮_开口外熔丝, 编辑框_Udz));
    ClickMeasuredButton();
    window_of_bank_ = WaitForWindow(display(), Utf8(u8"实测电容："));
    ASSERT_NE(window_of_bank_, 0u);
    Settle();
  }

  Geometry Bank() const { return WindowGeometry(display(), window_of_bank_); }
  // The grid's cell of the tab shown: below the tab row, right of the group numbers.
  void ClickCell(int row, int col) {
    const Geometry g = Bank();
    Click(display(), g.x + 12 + 2 + 56 + col * 72 + 36, g.y + 10 + 26 + 2 + 22 + row * 22 + 11);
  }
  void ClickTab(int index) {
    const Geometry g = Bank();
    Click(display(), g.x + 10 + 16 + index * 33, g.y + 10 + 13);
  }
  // The buttons along the bottom: 导入…, 导出…, 配平, 导出配平….
  void ClickButton(int index) {
    const Geometry g = Bank();
    Click(display(), g.x + 10 + index * 106 + 48, g.y + g.height - 24);
  }
  // The check below the grid, as a user copies it.
  std::string Check() {
    const Geometry g = Bank();
    Click(display(), g.x + g.width / 2, g.y + 10 + 300 + 10 + 40);
    return CopyFocusedText(display());
  }
  // Types the name into the toolkit's chooser, which offers the home folder, in place of
  // the name it proposes: a hand's keys, since the chooser turns a name typed on its own
  // into one in its folder at each key.
  void Choose(const std::string& title, const std::string& name) {
    ASSERT_NE(WaitForWindow(display(), title), 0u) << title;
    Settle();
    const std::string proposed = CopyFocusedText(display());
    PressKey(display(), XK_End);
    const size_t slash = proposed.rfind('/');
    for (unsigned char c : proposed.substr(slash == std::string::npos ? 0 : slash + 1))
      if ((c & 0xC0) != 0x80) PressKey(display(), XK_BackSpace);  // one per character
    TypeText(display(), name);
    PressKey(display(), XK_Return);
    Settle(300ms);
  }

  Window sheet_ = 0, window_of_bank_ = 0;
};

// Phase A typed with Tab and Enter, phase B pasted as a block with a bad cell, marked and
// named; the check follows and 配平 lists its exchanges; both exports written.
TEST_F(MeasuredWindowGuiTest, TypedPastedCheckedAndRebalanced) {
  OpenMeasuredWindow();
  EXPECT_TRUE(Has(Check(), Utf8(u8"尚缺 24 台的电容"))) << "an empty bank";

  ClickCell(0, 0);
  TypeText(display(), "3.30");
  PressKey(display(), XK_Tab);
  TypeText(display(), "3.31");
  PressKey(display(), XK_Tab);
  TypeText(display(), "3.32");
  PressKey(display(), XK_Tab);
  TypeText(display(), "3.33");
  PressKey(display(), XK_Tab);  // on to the next group's first unit
  for (const char* value : {"3.34", "3.35", "3.36"}) {
    TypeText(display(), value);
    PressKey(display(), XK_Tab);
  }
  TypeText(display(), "3.37");
  PressKey(display(), XK_Return);
  Settle();
  std::string check = Check();
  EXPECT_TRUE(Has(check, Utf8(u8"尚缺 16 台的电容：B相1串1号"))) << check;

  ClickTab(1);
  Settle();
  ClickCell(0, 0);
  {
    const ClipboardOffer offer(server_.name(), "3.40\t3.41\t3.42\t3.43\r\n3.44\tx\t3.46\t3.47\r\n");
    PressKey(display(), XK_v, ControlMask);
    Settle(300ms);
  }
  check = Check();
  EXPECT_TRUE(Has(check, Utf8(u8"尚缺 8 台"))) << check;
  EXPECT_TRUE(Has(check, Utf8(u8"不是正数（µF，0.000001 到 1000000）：B相2串2号"))) << check;
  SaveScreenshot(display(), window_of_bank_,
                 std::string(CAPCALC_SCREENSHOT_DIR) + "/measured-window-marked.png");

  ClickTab(1);
  ClickCell(1, 1);
  TypeText(display(), "3.45");
  ClickTab(2);
  Settle();
  ClickCell(0, 0);
  {
    const ClipboardOffer offer(server_.name(), "3.50\t3.20\t3.51\t3.52\n3.53\t3.54\t3.55\t3.56\n");
    PressKey(display(), XK_v, ControlMask);
    Settle(300ms);
  }
  ClickCell(0, 3);
  PressKey(display(), XK_Return);  // down the column
  TypeText(display(), "3.60");
  check = Check();
  EXPECT_FALSE(Has(check, Utf8(u8"尚缺"))) << check;
  EXPECT_TRUE(Has(check, Utf8(u8"初始不平衡信号 S0 = "))) << check;
  EXPECT_TRUE(Has(check, Utf8(u8"单台电容器最高电压 "))) << check;

  ClickButton(2);  // 配平
  Settle(300ms);
  check = Check();
  EXPECT_TRUE(Has(check, Utf8(u8"配平：S0 由 "))) << check;
  EXPECT_TRUE(Has(check, Utf8(u8" ←→ "))) << "an arrow the CJK faces draw: " << check;
  SaveScreenshot(display(), window_of_bank_,
                 std::string(CAPCALC_SCREENSHOT_DIR) + "/measured-window-rebalanced.png");

  ClickButton(1);  // 导出…
  Choose(Utf8(u8"导出实测电容"), "measured.csv");
  WaitUntil([] { return Has(Contents(Home() / "measured.csv"), "C,1,2,4,3.6\r\n"); }, 5s);
  const std::string measured = Contents(Home() / "measured.csv");
  EXPECT_TRUE(Has(measured, "phase,branch,group,unit,uF\r\n")) << measured;
  EXPECT_TRUE(Has(measured, "A,1,2,1,3.34")) << "typed after Tab at the row's end";
  EXPECT_TRUE(Has(measured, "B,1,2,2,3.45")) << "the bad cell mended";
  EXPECT_TRUE(Has(measured, "C,1,1,2,3.2")) << "pasted";
  EXPECT_TRUE(Has(measured, "C,1,2,4,3.6\r\n")) << "typed after Enter";

  ClickButton(3);  // 导出配平…
  Choose(Utf8(u8"导出配平"), "rebalanced.csv");
  EXPECT_TRUE(Has(Contents(Home() / "rebalanced.csv"), "phase,branch,group,unit,uF,was"));
}

// A CSV imported fills the grid and the check; a refused one names its line and changes
// nothing.
TEST_F(MeasuredWindowGuiTest, ImportedFromCsv) {
  std::string csv = "phase,branch,group,unit,uF\n";
  for (char phase : {'A', 'B', 'C'})
    for (int group = 1; group <= 2; ++group)
      for (int unit = 1; unit <= 4; ++unit)
        csv += std::string(1, phase) + ",1," + std::to_string(group) + "," + std::to_string(unit) +
               (phase == 'A' && unit == 1 ? ",3.1\n" : ",3.3\n");
  std::ofstream(Home() / "bank.csv") << csv;
  std::ofstream(Home() / "bad.csv") << "phase,branch,group,unit,uF\nA,1,3,1,3.3\n";
  OpenMeasuredWindow();

  ClickButton(0);
  Choose(Utf8(u8"导入实测电容"), "bank.csv");
  std::string check = Check();
  EXPECT_TRUE(Has(check, Utf8(u8"初始不平衡信号 S0 = "))) << check;
  EXPECT_FALSE(Has(check, Utf8(u8"尚缺"))) << check;

  ClickButton(0);
  Choose(Utf8(u8"导入实测电容"), "bad.csv");
  EXPECT_NE(WaitForWindow(display(), ""), 0u);
  PressKey(display(), XK_Return);  // the message's button
  Settle();
  EXPECT_EQ(Check(), check) << "a refused file changes nothing";

  // The open sheet follows the bank: saved now, it has the check.
  const Geometry g = WindowGeometry(display(), sheet_);
  Click(display(), g.x + g.width - 3 * 98 + 44, g.y + g.height - 24);  // 保存…
  Choose(Utf8(u8"保存计算书"), "sheet.html");
  ASSERT_TRUE(WaitUntil([] { return Has(Contents(Home() / "sheet.html"), "</html>"); }, 5s));
  EXPECT_TRUE(Has(Contents(Home() / "sheet.html"), Utf8(u8"实测电容校核")));
  SaveScreenshot(display(), sheet_, std::string(CAPCALC_SCREENSHOT_DIR) + "/measured-sheet.png");
}

// M and N that the page's arrangement cannot take open no window and say so.
TEST_F(MeasuredWindowGuiTest, AnImpossibleArrangementIsSaid) {
  // The voltage-differential page, whose N must be even.
  const std::pair<uint32_t, const char*> inputs[] = {
      {编辑框_电容电压2, "6.35"}, {编辑框_线圈一次1, "6.35"}, {编辑框_线圈二次1, "0.1"},
      {编辑框_M3, "4"},           {编辑框_N3, "3"},
  };
  ASSERT_NO_FATAL_FAILURE(OpenSheetOf(2, inputs, 按钮_差动外熔丝, 编辑框_Udz1));
  const size_t before = MappedTopLevels(display()).size();
  ClickMeasuredButton();
  EXPECT_TRUE(WaitUntil([&] { return MappedTopLevels(display()).size() > before; }, 3s))
      << "a message";
  EXPECT_EQ(WaitForWindow(display(), Utf8(u8"实测电容："), 1s), 0u);
  PressKey(display(), XK_Return);
  EXPECT_EQ(program_.WaitForExit(300ms), std::nullopt) << "still running";
}

}  // namespace
