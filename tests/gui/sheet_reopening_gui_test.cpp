// A saved sheet named on the command line, as the desktop's "open with" passes it: the
// window opens on the sheet's page with every input back as typed and nothing calculated
// until 计算 is clicked; a file that is no sheet gets a message box and the window stays
// as it starts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <X11/keysym.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "tests/child_process.h"
#include "tests/gui/file_drag.h"
#include "tests/gui/main_window_fixture.h"

namespace {

using namespace gui;
using namespace ids;

namespace fs = std::filesystem;

// A calculation as the driver made it: the boxes' texts, the button, the result box.
struct SavedCalculation {
  const char* file;  // the sheet's file name: .json or .html
  int page;          // 0-based
  std::vector<std::pair<uint32_t, std::string>> inputs;
  uint32_t button;
  uint32_t result;
  std::string extra = "";  // more driver lines before the click (UTF-8)
};

const SavedCalculation kCalculations[] = {
    {"page1.html",
     0,
     {{编辑框_电容电压, "11"},
      {编辑框_电容容量, "334"},
      {编辑框_电抗率, "6"},
      {编辑框_系统电压, "10.50"},
      {编辑框_频率, "50"},
      {编辑框_CT变比, "200"},
      {编辑框_COS1, "0.8"},
      {编辑框_COS2, "0.95"},
      {编辑框_P, "5000"}},
     按钮_电容器计算,
     编辑框_电容电流,
     Utf8(u8"select 组合框_接线方式 1\n")},
    {"open-delta.json",
     1,
     {{编辑框_电容电压1, "6.35"},
      {编辑框_线圈一次, "6.35"},
      {编辑框_线圈二次, "0.1"},
      {编辑框_M1, "10"},
      {编辑框_N1, "1"},
      {编辑框_Kv1, "1.15"},
      {编辑框_Klm1, "1.25"}},
     按钮_开口外熔丝,
     编辑框_Udz},
    {"differential.html",
     2,
     {{编辑框_电容电压2, "11"},
      {编辑框_线圈一次1, "11"},
      {编辑框_线圈二次1, "0.1"},
      {编辑框_M3, "8"},
      {编辑框_N3, "2"},
      {编辑框_Kv4, "1.1"},
      {编辑框_Klm6, "1.3"},
      {编辑框_M4, "12"},
      {编辑框_N4, "6"}},
     按钮_差动内熔丝,
     编辑框_Udz1},
    {"neutral.json",
     3,
     {{编辑框_电容相电流, "100"},
      {编辑框_零序CT比, "40"},
      {编辑框_M5, "4"},
      {编辑框_N5, "3"},
      {编辑框_B2, "0.6"},
      {编辑框_Klm7, "1.2"}},
     按钮_中性线电流无熔丝,
     编辑框_Idz},
    {"bridge.html",
     4,
     {{编辑框_电容相电流1, "288.7"},
      {编辑框_零序CT比1, "40"},
      {编辑框_M7, "8"},
      {编辑框_N7, "2"},
      {编辑框_Kv7, "1.1"},
      {编辑框_Klm11, "1.3"}},
     按钮_桥式差电流外熔丝,
     编辑框_Idz1},
};

std::string NameOf(uint32_t control) { return ControlName(control); }

const fs::path& SheetFolder() {
  // One of each test process's own: ctest runs each case as a process, several at once.
  static const fs::path folder =
      fs::temp_directory_path() / ("capcalc reopening gui " + std::to_string(getpid()));
  return folder;
}

// Has the driver calculate and save the sheet; the setting it showed.
std::string SaveWithTheDriver(const SavedCalculation& calculation) {
  fs::create_directories(SheetFolder());
  std::string script;
  for (const auto& [box, text] : calculation.inputs)
    script += "set " + NameOf(box) + " " + text + "\n";
  script += calculation.extra;
  script += "click " + NameOf(calculation.button) + "\n";
  script += "sheet " + NameOf(calculation.result) + " " +
            (SheetFolder() / calculation.file).string() + "\nget " + NameOf(calculation.result) +
            "\n";
  const fs::path script_file = SheetFolder() / "make.script";
  std::ofstream(script_file, std::ios::binary) << script;
  testing_support::ChildOutcome made =
      testing_support::RunCommand("'" CAPCALC_SCRIPT_PROGRAM "' '" + script_file.string() + "'");
  EXPECT_EQ(made.status, 0) << made.err;
  const std::string prefix = NameOf(calculation.result) + "=";
  if (made.out.size() <= prefix.size()) return {};
  return made.out.substr(prefix.size(), made.out.size() - prefix.size() - 1);
}

class SheetReopeningGuiTest : public MainWindowGuiTest,
                              public ::testing::WithParamInterface<SavedCalculation> {
 protected:
  SheetReopeningGuiTest() : MainWindowGuiTest({}, {(SheetFolder() / GetParam().file).string()}) {}

  // The sheet is made before the program starts, which reads it at its start.
  static void SetUpTestSuite() {
    for (const SavedCalculation& calculation : kCalculations)
      settings()[calculation.file] = SaveWithTheDriver(calculation);
  }
  static void TearDownTestSuite() { fs::remove_all(SheetFolder()); }
  static std::map<std::string, std::string>& settings() {
    static std::map<std::string, std::string> shown;
    return shown;
  }
};

TEST_P(SheetReopeningGuiTest, ThePageAndItsInputsComeBackUncalculated) {
  const SavedCalculation& calculation = GetParam();
  // The inputs come back once the program has read the file, however loaded the machine.
  WaitUntil(
      [&] { return TextOf(calculation.inputs.back().first) == calculation.inputs.back().second; },
      5s);
  Settle(300ms);
  Screenshot(std::string("reopened-") + fs::path(calculation.file).stem().string());
  for (const auto& [box, text] : calculation.inputs) EXPECT_EQ(TextOf(box), text) << NameOf(box);
  EXPECT_EQ(TextOf(calculation.result), "");
  if (calculation.page == 0) {
    ClickOnComboText(组合框_接线方式);
    EXPECT_EQ(CopyFocusedText(display()), Utf8(u8"角形接线"));
  }
  ClickOn(calculation.button);
  WaitUntil([&] { return TextOf(calculation.result) == settings()[calculation.file]; }, 5s);
  EXPECT_EQ(TextOf(calculation.result), settings()[calculation.file]);
}

INSTANTIATE_TEST_SUITE_P(EachPage, SheetReopeningGuiTest, ::testing::ValuesIn(kCalculations),
                         [](const ::testing::TestParamInfo<SavedCalculation>& info) {
                           std::string name = fs::path(info.param.file).stem().string();
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// A URI of the file, as a file manager offers it: its spaces escaped.
// The bridge page's sheet dragged from a file manager and dropped onto a box of page 1.
TEST_F(MainWindowGuiTest, ASheetDroppedOntoTheWindowComesBack) {
  const SavedCalculation& bridge = kCalculations[4];
  const fs::path saved = SheetFolder() / "dropped bridge.html";
  SavedCalculation dropped = bridge;
  dropped.file = "dropped bridge.html";
  SaveWithTheDriver(dropped);
  const ClientRect box = ControlRect(编辑框_电容电压);
  ASSERT_TRUE(DropUriList(display(), window_, origin_.x + box.centre_x(),
                          origin_.y + box.centre_y(), FileUri(saved) + "\r\n"));
  Settle(300ms);
  Screenshot("dropped-sheet");
  for (const auto& [control, text] : bridge.inputs)
    EXPECT_EQ(TextOf(control), text) << NameOf(control);
  EXPECT_EQ(TextOf(bridge.result), "");
  fs::remove_all(SheetFolder());
}

const fs::path& NotASheet() {
  static const fs::path file = fs::temp_directory_path() / "capcalc not a sheet.json";
  return file;
}

class NotASheetGuiTest : public MainWindowGuiTest {
 protected:
  NotASheetGuiTest() : MainWindowGuiTest({}, {MadeNotASheet().string()}) {}
  ~NotASheetGuiTest() override { fs::remove(NotASheet()); }
  static const fs::path& MadeNotASheet() {
    std::ofstream(NotASheet(), std::ios::binary) << "{\"name\": \"bank 7\", \"M\": 8}\n";
    return NotASheet();
  }
};

TEST_F(NotASheetGuiTest, AMessageBoxSaysWhyAndNothingChanges) {
  const Window box = WaitForWindow(display(), Utf8(u8"错误"));
  ASSERT_NE(box, 0u) << "no message box";
  std::filesystem::create_directories(CAPCALC_SCREENSHOT_DIR);
  SaveScreenshot(display(), box, std::string(CAPCALC_SCREENSHOT_DIR) + "/reopen-not-a-sheet.png");
  PressKey(display(), XK_Return);
  Settle();
  EXPECT_EQ(TextOf(编辑框_电容电压), "");
  EXPECT_EQ(TextOf(编辑框_频率), "50");
  EXPECT_FALSE(program_.WaitForExit(200ms)) << "the program ended";
}

}  // namespace
