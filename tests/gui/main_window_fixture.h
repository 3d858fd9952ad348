// The calculator's own program on a private X server, driven with real input as a user
// drives it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/gui/test_program.h"
#include "tests/gui/x_harness.h"

namespace gui {

class MainWindowGuiTest : public WindowGuiTest {
 protected:
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

  Child program_ = Child::Program(server_, CAPCALC_PROGRAM);
};

// The twelve result boxes of the first page.
extern const uint32_t kFirstPageResults[12];

}  // namespace gui
