// The script driver's line format and its errors.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/headless_window.h"
#include "tools/capcalc-script/script.h"

namespace {

using script::SplitLine;

TEST(ScriptLineTest, TextIsTheRestOfTheLineAsItStands) {
  auto line = SplitLine("set 编辑框_P  12 kW ");
  ASSERT_TRUE(line);
  EXPECT_EQ(line->command, "set");
  EXPECT_EQ(line->name, "编辑框_P");
  EXPECT_EQ(line->rest, " 12 kW ");
  line = SplitLine("set 编辑框_P");
  EXPECT_TRUE(line->has_name);
  EXPECT_EQ(line->rest, "");
  line = SplitLine("set 编辑框_P ");
  EXPECT_EQ(line->rest, "");
  line = SplitLine("click\r");
  EXPECT_EQ(line->command, "click");
  EXPECT_FALSE(line->has_name);
}

TEST(ScriptLineTest, BlankAndCommentLinesAreSkipped) {
  EXPECT_FALSE(SplitLine(""));
  EXPECT_FALSE(SplitLine("\r"));
  EXPECT_FALSE(SplitLine("# set 编辑框_P 1"));
  EXPECT_TRUE(SplitLine(" # not a comment"));
}

// Scripts and their output are UTF-8.
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

int RunLines(const std::string& text, std::string* out, std::string* err) {
  testing_support::StartHeadless();
  std::istringstream in(text);
  std::ostringstream out_stream, err_stream;
  int status = script::RunScript(in, out_stream, err_stream);
  *out = out_stream.str();
  *err = err_stream.str();
  return status;
}

TEST(ScriptRunTest, StopsAtTheFirstBadLine) {
  std::string out, err;
  EXPECT_EQ(RunLines(U8(u8"get 编辑框_频率\n\nfrobnicate x\nget 编辑框_频率\n"), &out, &err), 2);
  EXPECT_EQ(out, U8(u8"编辑框_频率=50\n"));
  EXPECT_EQ(err, "line 3: unknown command \"frobnicate\"\n");
  EXPECT_EQ(RunLines(U8(u8"get 编辑框_没有\n"), &out, &err), 2);
  EXPECT_EQ(err, U8(u8"line 1: unknown control \"编辑框_没有\"\n"));
  EXPECT_EQ(RunLines(U8(u8"prop 编辑框_P x\n"), &out, &err), 2);
  EXPECT_EQ(err, "line 1: property index expected, got \"x\"\n");
  EXPECT_EQ(RunLines(U8(u8"select 组合框_接线方式 2\n"), &out, &err), 2);
  EXPECT_EQ(RunLines(U8(u8"click 编辑框_P\n"), &out, &err), 2);
  EXPECT_EQ(err, U8(u8"line 1: \"click\" does not apply to 编辑框_P\n"));
  EXPECT_EQ(RunLines(U8(u8"set 按钮_电容器计算 1\n"), &out, &err), 2);
}

TEST(ScriptRunTest, PropertiesPrintByTheirForm) {
  std::string out, err;
  EXPECT_EQ(RunLines(U8(u8"prop 标签12 0\nprop 标签12 8\nprop 组合框_接线方式 19\nprop 标签1 7\n"), &out, &err), 0)
      << err;
  EXPECT_EQ(out,
            U8(u8"标签12.0=0\n"
               u8"标签12.8=本软件根据根据电力行业电力电容器标准化技术文员会的“并联电容器装置技术及应用”编制，"
               u8"另有专业的电力滤波设计仿真软件，有需要的可以联系作者。\n"
               u8"组合框_接线方式.19=0\n"
               u8"标签1.7=00000000\n"));
}

}  // namespace
