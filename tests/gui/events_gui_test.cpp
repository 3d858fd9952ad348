// Events from real input reach the handlers bound to them, with their arguments, and the
// handlers' answers steer the controls.
#include <X11/keysym.h>

#include "runtime/ui/editing/edit_menu.h"
#include "tests/gui/test_program.h"

namespace {

using namespace gui;
using namespace ids;

using EventsGuiTest = TestProgramGuiTest;

// The middle of each page's tab in the strip along the top.
constexpr int kTabCentresX[] = {42, 138, 234, 322, 419};
constexpr int kTabCentreY = 10;

TEST_F(EventsGuiTest, PageTabsSwitchOnAClickAndTheFocusLandsOnThePage) {
  Start({.bindings = {{选择夹1, 0},
                      {按钮_电容器计算, rt::kGotFocus},
                      {画板1, rt::kGotFocus},
                      {画板2, rt::kGotFocus},
                      {画板3, rt::kGotFocus},
                      {画板4, rt::kGotFocus}}});
  const std::string landing[] = {Utf8(u8"按钮_电容器计算"), Utf8(u8"画板1"), Utf8(u8"画板2"),
                                 Utf8(u8"画板3"), Utf8(u8"画板4")};
  EXPECT_EQ(reports_.Next(2s), landing[0] + " -7") << "the focus at start";
  for (int page : {1, 2, 3, 4, 0}) {
    ClickAt(kTabCentresX[page], kTabCentreY);
    EXPECT_EQ(reports_.Next(2s), Utf8(u8"选择夹1 0")) << "page " << page + 1;
    EXPECT_EQ(reports_.Next(2s), landing[page] + " -7") << "page " << page + 1;
  }
}

// Tab visits the controls with a tab stop in the window's order and stays on the page
// that shows; Shift+Tab goes back.
TEST_F(EventsGuiTest, TabKeyFollowsTheRecordsOfTheShownPage) {
  Start({.bindings = {{编辑框_电容电压, rt::kGotFocus},
                      {编辑框_CT变比, rt::kGotFocus},
                      {编辑框_电容电流9, rt::kGotFocus},
                      {编辑框_电容电压1, rt::kGotFocus}}});
  ClickOn(编辑框_电容电流9);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电流9 -7"));
  PressKey(display(), XK_Tab);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -7"));
  PressKey(display(), XK_Tab);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_CT变比 -7"));
  PressKey(display(), XK_Tab, ShiftMask);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -7"));
  PressKey(display(), XK_Tab, ShiftMask);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电流9 -7"));
}

TEST_F(EventsGuiTest, MouseEventsCarryThePlaceInTheControlAndTheKeys) {
  Start({.bindings = {{编辑框_电容电压, rt::kLeftButtonDown},
                      {编辑框_电容电压, rt::kLeftButtonUp},
                      {编辑框_电容电压, rt::kDoubleClick},
                      {编辑框_电容电压, rt::kRightButtonDown},
                      {编辑框_电容电压, rt::kRightButtonUp},
                      {编辑框_电容电压, rt::kMouseWheel}}});
  ClientRect box = ControlRect(编辑框_电容电压);
  ClickAt(box.x + 5, box.y + 7);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -1 5 7 0"));
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -2 5 7 0"));
  ClickAt(box.x + 5, box.y + 7);  // soon enough after the first: a double click
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -3 5 7 0"));
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -2 5 7 0"));
  ClickAt(box.x + 5, box.y + 7, 1, ShiftMask);  // a third press starts over
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -1 5 7 2"));
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -2 5 7 2"));
  ClickAt(box.x + 20, box.y + 3, 3, ControlMask);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -4 20 3 1"));
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -5 20 3 1"));
  EXPECT_TRUE(WaitUntil([this] { return !PopupWindows(display()).empty(); }, 2s))
      << "the edit menu";
  PressKey(display(), XK_Escape);  // closes the menu, not the window
  WaitUntil([this] { return PopupWindows(display()).empty(); }, 2s);
  ClickAt(box.x + 20, box.y + 3, 4);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -12 1 0"));
  ClickAt(box.x + 20, box.y + 3, 5, ShiftMask | ControlMask);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -12 -1 3"));
  EXPECT_EQ(reports_.Next(300ms), std::nullopt);
}

TEST_F(EventsGuiTest, MouseMovesReportEveryPosition) {
  Start({.bindings = {{编辑框_电容电压, rt::kMouseMoved}}});
  ClientRect box = ControlRect(编辑框_电容电压);
  MovePointer(display(), origin_.x + box.x + 10, origin_.y + box.y + 4);
  EXPECT_TRUE(reports_.WaitFor(Utf8(u8"编辑框_电容电压 -6 10 4 0"), 2s));
  MovePointer(display(), origin_.x + box.x + 11, origin_.y + box.y + 6);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -6 11 6 0"));
}

TEST_F(EventsGuiTest, KeysReportTheirCodesInOrder) {
  Start({.bindings = {{编辑框_电容电压, rt::kKeyDown},
                      {编辑框_电容电压, rt::kKeyUp},
                      {编辑框_电容电压, rt::kCharacter}}});
  ClickOn(编辑框_电容电压);
  PressKey(display(), XK_a, ShiftMask);
  EXPECT_TRUE(reports_.WaitFor(Utf8(u8"编辑框_电容电压 -9 65 2"), 2s));
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -11 65"));
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"编辑框_电容电压 -10 65 2"));
}

// A character answer replaces the typed character and 0 swallows it; the box's own input
// mode still applies to what the handler gives.
TEST_F(EventsGuiTest, CharacterAnswersReplaceOrSwallow) {
  Start({.bindings = {{编辑框_电容电压, rt::kCharacter, '7'}, {编辑框_CT变比, rt::kCharacter, 0}}});
  ClickOn(编辑框_电容电压);
  TypeText(display(), "x-");
  Settle();
  EXPECT_EQ(CopyFocusedText(display()), "77");
  ClickOn(编辑框_CT变比);
  TypeText(display(), "12");
  Settle();
  EXPECT_EQ(CopyFocusedText(display()), "");
}

// A press answered with false is not the control's: the box is not focused by it.
TEST_F(EventsGuiTest, FalseAnswerStopsTheClick) {
  Start({.bindings = {{编辑框_CT变比, rt::kLeftButtonDown, 0}, {编辑框_CT变比, rt::kGotFocus}}});
  ClickOn(编辑框_电容电压);
  ClickOn(编辑框_CT变比);
  EXPECT_EQ(reports_.Next(1s), Utf8(u8"编辑框_CT变比 -1 28 12 0"));
  EXPECT_EQ(reports_.Next(500ms), std::nullopt);
  TypeText(display(), "5");  // into the box that kept the focus
  Settle();
  ClickOn(编辑框_电容电压);
  EXPECT_EQ(CopyFocusedText(display()), "5");
}

// Space clicks the focused button; Enter does nothing in this window.
TEST_F(EventsGuiTest, ButtonsReportClicksFromMouseAndSpaceButNotEnter) {
  Start({.bindings = {{按钮_电容器计算, 0}}});
  ClickOn(按钮_电容器计算);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"按钮_电容器计算 0"));
  PressKey(display(), XK_Return);
  EXPECT_EQ(reports_.Next(500ms), std::nullopt);
  PressKey(display(), XK_space);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"按钮_电容器计算 0"));
}

// The list drops down at least 160 pixels high; a pick is reported once, after the list
// has closed.
TEST_F(EventsGuiTest, ComboBoxPickIsReportedAfterTheListCloses) {
  Start({.bindings = {{组合框_接线方式, 0}, {组合框_接线方式, 2}, {组合框_接线方式, 3}}});
  ClientRect combo = ControlRect(组合框_接线方式);
  ClickAt(combo.x + combo.width - 8, combo.centre_y());  // the drop-down button
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"组合框_接线方式 2"));
  Settle();
  std::vector<Window> shown = MappedTopLevels(display());
  ASSERT_EQ(shown.size(), 2u) << "the main window and the list";
  Window list = shown[0] == window_ ? shown[1] : shown[0];
  Geometry g = WindowGeometry(display(), list);
  EXPECT_GE(g.height, 160);
  EXPECT_EQ(g.width, combo.width);
  EXPECT_EQ(g.y, origin_.y + combo.y + combo.height);
  Click(display(), g.x + 10, g.y + 25);  // the second item
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"组合框_接线方式 3"));
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"组合框_接线方式 0"));
  EXPECT_EQ(reports_.Next(500ms), std::nullopt);
  EXPECT_EQ(MappedTopLevels(display()).size(), 1u);
}

// The window starts with the focus where selecting the first page puts it, straight there:
// no other control hears of the focus on the way.
TEST_F(EventsGuiTest, TheFocusStartsOnTheFirstPagesButton) {
  Start({.bindings = {{按钮_电容器计算, rt::kGotFocus},
                      {按钮_电容器计算, 0},
                      {编辑框_电容电压, rt::kGotFocus},
                      {编辑框_电容电流9, rt::kGotFocus}}});
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"按钮_电容器计算 -7"));
  MovePointer(display(), origin_.x + 600, origin_.y + 270);
  PressKey(display(), XK_space);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"按钮_电容器计算 0"));
  EXPECT_EQ(reports_.Next(300ms), std::nullopt);
}

bool g_entry_enabled = false;

void AddSheetEntry() {
  rt::AddEditMenuEntry(kMainWindowId, 编辑框_电容电流,
                       {"计算书…", [] { return g_entry_enabled; }, [] { Report("sheet"); }});
}

// An entry the program adds to a box's menu comes after the standard ones, greyed while
// the program says so, and runs the program's action.
TEST_F(EventsGuiTest, AnAddedMenuEntryIsTheProgramsOwn) {
  Start({.bindings = {{按钮_电容器计算, 0, std::nullopt, [] { g_entry_enabled = true; }}},
         .before_loop = AddSheetEntry});
  auto open_menu = [this] {
    ClickOn(编辑框_电容电流, 3);
    WaitUntil([this] { return !PopupWindows(display()).empty(); }, 2s);
    Settle();
    return PopupWindows(display()).empty() ? std::vector<MenuRow>{}
                                           : MenuRows(display(), PopupWindows(display()).front());
  };
  std::vector<MenuRow> rows = open_menu();
  ASSERT_EQ(rows.size(), 7u);
  for (const MenuRow& row : rows)
    EXPECT_FALSE(row.enabled) << "an empty box, an entry not yet offered";
  EXPECT_TRUE(rows[5].after_separator && rows[6].after_separator) << "全选, then the program's own";
  PressKey(display(), XK_Escape);
  WaitUntil([this] { return PopupWindows(display()).empty(); }, 2s);
  ClickOn(按钮_电容器计算);
  EXPECT_EQ(reports_.Next(2s), Utf8(u8"按钮_电容器计算 0"));
  rows = open_menu();
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_TRUE(rows.back().enabled);
  Click(display(), WindowGeometry(display(), PopupWindows(display()).front()).x + 20,
        rows.back().centre_y);
  EXPECT_EQ(reports_.Next(2s), "sheet");
}

TEST_F(EventsGuiTest, TimerTicksEveryFifteenMilliseconds) {
  Start({.bindings = {{时钟1, 0}}});
  reports_.Collect(100ms);
  size_t ticks = reports_.Collect(600ms).size();
  EXPECT_GE(ticks, 10u);  // 40 when nothing else runs; the machine may be busy
  EXPECT_LE(ticks, 45u);
}

}  // namespace
