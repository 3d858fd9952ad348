// The calculator's own program on a private X server, driven with real input as a user
// drives it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gui/test_program.h"
#include "tests/gui/x_harness.h"

namespace gui {

class MainWindowGuiTest : public WindowGuiTest {
 protected:
  MainWindowGuiTest() : MainWindowGuiTest(std::vector<std::string>{}) {}
  // The program with these settings ("NAME=VALUE") in its environment besides the test's.
  explicit MainWindowGuiTest(const std::vector<std::string>& environment);
  // The program with these settings in its environment and these arguments.
  MainWindowGuiTest(const std::vector<std::string>& environment,
                    const std::vector<std::string>& arguments);

  void SetUp() override { FindMainWindow(); }

  // The text field of a combo box, left of its drop-down button.
  void ClickOnComboText(uint32_t combo);

  // Types into the box as it is, then reads it back.
  std::string TypeInto(uint32_t box, const std::string& keys);
  // Types into the box, leaves it with Tab, and reads what it shows then.
  std::string TidiedAfterTyping(uint32_t box, const std::string& keys);
  // The whole text of the box, as a user copies it.
  std::string TextOf(uint32_t box);
  // Puts the text on the clipboard as a user would: typed into the combo box's text
  // field, which takes anything, and copied from there.
  void CopyToClipboard(const std::string& ascii);

  // Fills in the first page with a bank whose results have many digits and calculates.
  void CalculateFirstPage();

  std::string Screenshot(const std::string& name);

  // The popup the program shows, the menu or a tip; 0 when none is up.
  Window Popup() const;
  // Opens the box's edit menu with the right button and reads its entries.
  std::vector<MenuRow> OpenMenu(uint32_t box);
  // Keys and clicks that follow wait until the menu has let go of them, as a hand does.
  void Pick(const MenuRow& row);
  void CloseMenu();
  // Picks "计算书…", the box's menu's last entry, and waits for the sheet window; 0 when
  // none came.
  Window OpenSheetWindow(uint32_t box);

  Window menu_ = 0;  // the menu last opened

  Child program_;
};

}  // namespace gui
