#include "tests/gui/main_window_fixture.h"

#include <X11/keysym.h>

#include <filesystem>

namespace gui {

using namespace ids;

namespace {

std::vector<std::string> ProgramWith(const std::vector<std::string>& environment,
                                     const std::vector<std::string>& arguments = {}) {
  std::vector<std::string> command = {"env"};
  command.insert(command.end(), environment.begin(), environment.end());
  command.push_back(CAPCALC_PROGRAM);
  command.insert(command.end(), arguments.begin(), arguments.end());
  return command;
}

}  // namespace

MainWindowGuiTest::MainWindowGuiTest(const std::vector<std::string>& environment)
    : program_(environment.empty() ? Child::Program(server_, CAPCALC_PROGRAM)
                                   : Child::Command(server_, ProgramWith(environment))) {}

MainWindowGuiTest::MainWindowGuiTest(const std::vector<std::string>& environment,
                                     const std::vector<std::string>& arguments)
    : program_(Child::Command(server_, ProgramWith(environment, arguments))) {}

void MainWindowGuiTest::ClickOnComboText(uint32_t combo) {
  ClientRect r = ControlRect(combo);
  ClickAt(r.x + 10, r.centre_y());
}

std::string MainWindowGuiTest::TypeInto(uint32_t box, const std::string& keys) {
  ClickOn(box);
  TypeText(display(), keys);
  Settle();
  return CopyFocusedText(display());
}

std::string MainWindowGuiTest::TidiedAfterTyping(uint32_t box, const std::string& keys) {
  ClickOn(box);
  TypeText(display(), keys);
  PressKey(display(), XK_Tab);
  Settle();
  return TextOf(box);
}

std::string MainWindowGuiTest::TextOf(uint32_t box) {
  ClickOn(box);
  return CopyFocusedText(display());
}

void MainWindowGuiTest::CopyToClipboard(const std::string& ascii) {
  ClickOnComboText(组合框_接线方式);
  PressKey(display(), XK_a, ControlMask);
  TypeText(display(), ascii);
  PressKey(display(), XK_a, ControlMask);
  PressKey(display(), XK_c, ControlMask);
  Settle();
}

void MainWindowGuiTest::CalculateFirstPage() {
  const std::pair<uint32_t, const char*> inputs[] = {
      {编辑框_电容电压, "6.35"}, {编辑框_电容容量, "1000"}, {编辑框_电抗率, "6"},
      {编辑框_系统电压, "10.5"}, {编辑框_COS1, "0.8"},      {编辑框_COS2, "0.95"},
      {编辑框_P, "1000"},        {编辑框_CT变比, "30"},
  };
  for (const auto& [box, text] : inputs) {
    ClickOn(box);
    TypeText(display(), text);
  }
  ClickOn(按钮_电容器计算);
  Settle(300ms);
}

std::string MainWindowGuiTest::Screenshot(const std::string& name) {
  std::filesystem::create_directories(CAPCALC_SCREENSHOT_DIR);
  std::string path = std::string(CAPCALC_SCREENSHOT_DIR) + "/" + name + ".png";
  SaveScreenshot(display(), window_, path);
  return path;
}

Window MainWindowGuiTest::Popup() const {
  std::vector<Window> popups = PopupWindows(display());
  return popups.empty() ? 0 : popups.front();
}

std::vector<MenuRow> MainWindowGuiTest::OpenMenu(uint32_t box) {
  ClickOn(box, 3);
  WaitUntil([this] { return Popup() != 0; }, 2s);
  Settle();
  menu_ = Popup();
  return menu_ ? MenuRows(display(), menu_) : std::vector<MenuRow>{};
}

void MainWindowGuiTest::Pick(const MenuRow& row) {
  Click(display(), WindowGeometry(display(), menu_).x + 20, row.centre_y);
  WaitUntil([this] { return Popup() == 0; }, 2s);
  Settle();
}

Window MainWindowGuiTest::OpenSheetWindow(uint32_t box) {
  std::vector<MenuRow> rows = OpenMenu(box);
  if (rows.empty()) return 0;
  Pick(rows.back());
  const Window sheet = WaitForWindow(display(), Utf8(u8"计算书："));
  Settle();
  return sheet;
}

void MainWindowGuiTest::CloseMenu() {
  PressKey(display(), XK_Escape);
  WaitUntil([this] { return Popup() == 0; }, 2s);
  Settle();
}

}  // namespace gui
