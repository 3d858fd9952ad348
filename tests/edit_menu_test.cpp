// Entries the program adds to the edit menus: only edit boxes of loaded windows have one.
#include <gtest/gtest.h>

#include "runtime/ui/editing/edit_menu.h"
#include "tests/headless_window.h"

namespace {

using namespace calc;

TEST(EditMenuTest, EntriesGoOnlyToEditBoxesInTheOrderAdded) {
  testing_support::StartHeadless();
  EXPECT_TRUE(rt::AddEditMenuEntry(kMainWindowId, 编辑框_Udz, {"A", {}, {}}));
  EXPECT_TRUE(rt::AddEditMenuEntry(kMainWindowId, 编辑框_Udz, {"B", {}, {}}));
  EXPECT_FALSE(rt::AddEditMenuEntry(kMainWindowId, 按钮_开口无熔丝, {"C", {}, {}}));
  EXPECT_FALSE(rt::AddEditMenuEntry(kMainWindowId + 1, 编辑框_Udz, {"D", {}, {}}));
  std::span<const rt::EditMenuEntry> added = rt::AddedEditMenuEntries(kMainWindowId, 编辑框_Udz);
  ASSERT_EQ(added.size(), 2u);
  EXPECT_EQ(added[0].caption, "A");
  EXPECT_EQ(added[1].caption, "B");
  EXPECT_TRUE(rt::AddedEditMenuEntries(kMainWindowId, 编辑框_Idz).empty());
}

}  // namespace
