// The edit boxes as an engineer uses them: results read from their first digit, result
// boxes that only the program changes, pastes taken whole or not at all, the edit menu,
// and the whole text of a box that does not fit it.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <filesystem>

#include "tests/gui/main_window_fixture.h"

namespace {

using namespace gui;
using namespace ids;

constexpr uint32_t kBalloonYellow = 0xFFFFE1;

class EditBoxesGuiTest : public MainWindowGuiTest {
 protected:
  std::vector<uint32_t> BoxPixels(uint32_t box) {
    ClientRect r = ControlRect(box);
    return WindowPixels(display(), window_, {r.x, r.y, r.width, r.height});
  }

  static std::vector<bool> States(const std::vector<MenuRow>& rows) {
    std::vector<bool> states;
    for (const MenuRow& row : rows) states.push_back(row.enabled);
    return states;
  }
  static std::vector<bool> Separators(const std::vector<MenuRow>& rows) {
    std::vector<bool> separators;
    for (const MenuRow& row : rows) separators.push_back(row.after_separator);
    return separators;
  }

  void RestOn(uint32_t box) {
    ClientRect r = ControlRect(box);
    MovePointer(display(), origin_.x + r.centre_x() - 6, origin_.y + r.centre_y());
    Settle(40ms);
    MovePointer(display(), origin_.x + r.centre_x(), origin_.y + r.centre_y());
  }
  void MoveAway() {
    MovePointer(display(), origin_.x + 600, origin_.y + 270);
    Settle();
  }
};

// The entries of the menu, top to bottom.
enum Entry { kUndo, kCut, kCopy, kPaste, kDelete, kSelectAll };

// Right after 计算 every result box shows its number from the first digit: just as the
// user sees it after going to the start of the text with Home.
TEST_F(EditBoxesGuiTest, ResultsShowFromTheirFirstDigit) {
  CalculateFirstPage();
  std::vector<std::vector<uint32_t>> calculated;
  for (uint32_t box : kFirstPageResults) calculated.push_back(BoxPixels(box));
  Screenshot("results");
  for (size_t i = 0; i < std::size(kFirstPageResults); ++i) {
    ClickOn(kFirstPageResults[i]);
    PressKey(display(), XK_End);
    PressKey(display(), XK_Home);
    ClickOn(编辑框_P);  // away, so that no caret is drawn
    Settle();
    EXPECT_EQ(BoxPixels(kFirstPageResults[i]), calculated[i]) << "result box " << i;
  }
  EXPECT_GT(TextOf(编辑框_电容电流2).size(), 9u) << "a result longer than its box shows";
}

// Nothing the keyboard does changes a result; selecting and copying still work.
TEST_F(EditBoxesGuiTest, ResultsChangeOnlyWhenTheProgramWritesThem) {
  CalculateFirstPage();
  const std::string result = TextOf(编辑框_电容电流);
  ASSERT_GT(result.size(), 3u);
  const std::pair<KeySym, unsigned> changing_keys[] = {
      {XK_BackSpace, 0},           {XK_Delete, 0},
      {XK_Delete, ShiftMask},      {XK_x, ControlMask},
      {XK_BackSpace, ControlMask}, {XK_Delete, ControlMask},
      {XK_v, ControlMask},         {XK_Insert, ShiftMask},
      {XK_z, ControlMask},
  };
  CopyToClipboard("5");
  for (const auto& [key, modifiers] : changing_keys) {
    for (bool selected : {false, true}) {
      ClickOn(编辑框_电容电流);
      PressKey(display(), selected ? XK_a : XK_End, selected ? ControlMask : 0);
      PressKey(display(), key, modifiers);
      TypeText(display(), "7");
      EXPECT_EQ(CopyFocusedText(display()), result) << XKeysymToString(key) << " " << modifiers;
    }
  }
  ClickOn(编辑框_电容电流);
  PressKey(display(), XK_Home);
  for (int i = 0; i < 3; ++i) PressKey(display(), XK_Right, ShiftMask);
  ClearClipboard(display());
  PressKey(display(), XK_Insert, ControlMask);
  Settle();
  EXPECT_EQ(ClipboardText(display()), result.substr(0, 3));
}

// A paste with a character the box refuses changes nothing and rings the bell, by the
// keys, the middle button and the menu alike; one the box accepts goes in as it stands.
TEST_F(EditBoxesGuiTest, PastesGoInWholeOrNotAtAll) {
  ClickOn(编辑框_CT变比);
  TypeText(display(), "12");
  BellWatch bells(display());
  CopyToClipboard("3.7");
  ClickOn(编辑框_CT变比);
  PressKey(display(), XK_v, ControlMask);
  EXPECT_EQ(CopyFocusedText(display()), "12") << "3.7 in an integer box";
  EXPECT_EQ(bells.Rings(), 1);

  CopyToClipboard("-7e3");
  ClickOn(编辑框_电容容量);
  PressKey(display(), XK_Insert, ShiftMask);
  Pick(OpenMenu(编辑框_电容容量).at(kPaste));
  EXPECT_EQ(TextOf(编辑框_电容容量), "") << "-7e3 in a decimal box";
  EXPECT_EQ(bells.Rings(), 2);

  // Three clicks select the combo box's line, "-7e3", for the middle button.
  for (int click = 0; click < 3; ++click) ClickOnComboText(组合框_接线方式);
  ClickOn(编辑框_CT变比, 2);
  EXPECT_EQ(TextOf(编辑框_CT变比), "12");
  EXPECT_EQ(bells.Rings(), 1);

  CopyToClipboard("-120");
  ClickOn(编辑框_CT变比);
  PressKey(display(), XK_a, ControlMask);
  PressKey(display(), XK_v, ControlMask);
  EXPECT_EQ(CopyFocusedText(display()), "-120");
  EXPECT_EQ(bells.Rings(), 0);
}

// An input box offers what the platform's edit control offers, as its text and the
// clipboard allow, and each entry does its work.
TEST_F(EditBoxesGuiTest, TheEditMenuOfAnInputBox) {
  ClearClipboard(display());
  std::vector<MenuRow> rows = OpenMenu(编辑框_电容电压);
  ASSERT_EQ(rows.size(), 6u) << Utf8(u8"撤销 剪切 复制 粘贴 删除 | 全选");
  EXPECT_EQ(States(rows), std::vector<bool>(6, false)) << "an empty box, an empty clipboard";
  EXPECT_EQ(Separators(rows), (std::vector<bool>{false, false, false, false, false, true}));
  std::filesystem::create_directories(CAPCALC_SCREENSHOT_DIR);
  SaveScreenshot(display(), menu_, std::string(CAPCALC_SCREENSHOT_DIR) + "/edit-menu-empty.png");
  CloseMenu();

  TypeText(display(), "6.35");
  PressKey(display(), XK_Home);
  PressKey(display(), XK_Right, ShiftMask);
  PressKey(display(), XK_Right, ShiftMask);
  rows = OpenMenu(编辑框_电容电压);
  SaveScreenshot(display(), menu_, std::string(CAPCALC_SCREENSHOT_DIR) + "/edit-menu.png");
  EXPECT_EQ(States(rows), (std::vector<bool>{true, true, true, false, true, true}));
  Pick(rows.at(kCut));
  EXPECT_EQ(ClipboardText(display()), "6.");

  rows = OpenMenu(编辑框_电容电压);
  EXPECT_EQ(States(rows), (std::vector<bool>{true, false, false, true, false, true}));
  Pick(rows.at(kUndo));
  Pick(OpenMenu(编辑框_电容电压).at(kSelectAll));
  rows = OpenMenu(编辑框_电容电压);
  EXPECT_FALSE(rows.at(kSelectAll).enabled) << "all is selected";
  Pick(rows.at(kDelete));
  Pick(OpenMenu(编辑框_电容电压).at(kPaste));
  EXPECT_EQ(CopyFocusedText(display()), "6.");
  Pick(OpenMenu(编辑框_电容电压).at(kUndo));
  EXPECT_EQ(CopyFocusedText(display()), "");
}

// A result box offers only to copy and to select, and below them its calculation sheet.
TEST_F(EditBoxesGuiTest, TheEditMenuOfAResultBox) {
  CalculateFirstPage();
  CopyToClipboard("5");
  std::vector<MenuRow> rows = OpenMenu(编辑框_XC);
  EXPECT_EQ(States(rows), (std::vector<bool>{false, false, false, false, false, true, true}));
  Pick(rows.at(kSelectAll));
  rows = OpenMenu(编辑框_XC);
  EXPECT_EQ(States(rows), (std::vector<bool>{false, false, true, false, false, false, true}));
  ClearClipboard(display());
  Pick(rows.at(kCopy));
  const std::string copied = ClipboardText(display());
  EXPECT_EQ(copied, TextOf(编辑框_XC));
  EXPECT_GT(copied.size(), 9u);

  // From the keyboard too: the menu key, or Shift+F10.
  PressKey(display(), XK_F10, ShiftMask);
  EXPECT_TRUE(WaitUntil([this] { return Popup() != 0; }, 2s));
  CloseMenu();
  EXPECT_EQ(Popup(), 0u);
  EXPECT_EQ(program_.WaitForExit(0ms), std::nullopt) << "Escape closed the menu, not the window";
}

// Resting on a box whose text does not fit shows the whole text in a plain tooltip; a
// box whose text fits shows none, and a box with a hint shows its balloon alone.
TEST_F(EditBoxesGuiTest, TheWholeTextOfABoxThatDoesNotFitIt) {
  CalculateFirstPage();
  MoveAway();
  RestOn(编辑框_电容电流2);
  ASSERT_TRUE(WaitUntil([this] { return Popup() != 0; }, 5s)) << "no tooltip";
  Settle();
  Geometry tip = WindowGeometry(display(), Popup());
  EXPECT_GT(tip.width, ControlRect(编辑框_电容电流2).width) << "the whole number";
  EXPECT_NE(ScreenColour(display(), tip.x + tip.width / 2, tip.y + 2), kBalloonYellow);
  SaveScreenRegion(display(), {tip.x - 80, tip.y - 40, tip.width + 160, tip.height + 60},
                   std::string(CAPCALC_SCREENSHOT_DIR) + "/whole-text.png");

  MoveAway();
  RestOn(编辑框_频率);
  EXPECT_FALSE(WaitUntil([this] { return Popup() != 0; }, 2s)) << "\"50\" fits its box";

  ClickOn(编辑框_电容电压);
  TypeText(display(), "1234567890123");  // stays as typed while the box has the focus
  MoveAway();
  RestOn(编辑框_电容电压);
  size_t most = 0;
  WaitUntil(
      [&] {
        most = std::max(most, PopupWindows(display()).size());
        return false;
      },
      2500ms);
  EXPECT_EQ(most, 1u) << "the balloon and a tooltip at once";
  ASSERT_NE(Popup(), 0u);
  Geometry balloon = WindowGeometry(display(), Popup());
  EXPECT_EQ(ScreenColour(display(), balloon.x + balloon.width / 2, balloon.y + balloon.height - 4),
            kBalloonYellow);
}

}  // namespace
