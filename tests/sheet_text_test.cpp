// The sheet as plain text for the clipboard: sections parted by an empty line, a table a
// row a line, its cells parted by tabs, and no tab or line end inside a cell to break them.
#include <gtest/gtest.h>

#include "calc/sheet/sheet_text.h"

namespace {

using namespace calc;

TEST(SheetTextTest, TablesAsTabSeparatedRows) {
  SheetDocument document{"计算书：x", "计算时间：2026-12-09 14:00:00", {}, "注：参考。"};
  DocumentTable table{{"参数", "单位"}, {}};
  table.rows.push_back({{{"a\tb", false}, {"", false}}});
  table.rows.push_back({{{"c\r\nd", false}, {"kV", false}}});
  document.sections.push_back({"输入参数", table, true, {}, {}});
  document.sections.push_back({"提示", {}, false, DocumentParagraph{"无。"}, {{"一条"}, {"两条"}}});
  EXPECT_EQ(SheetPlainText(document),
            "计算书：x\n计算时间：2026-12-09 14:00:00\n"
            "\n输入参数\n参数\t单位\na b\t\nc  d\tkV\n"
            "\n提示\n无。\n· 一条\n· 两条\n"
            "\n注：参考。\n");
}

}  // namespace
