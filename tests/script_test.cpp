// The script driver's line format and its errors.
#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

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
  EXPECT_EQ(RunLines(U8(u8"prop 标签12 0\nprop 标签12 8\nprop 组合框_接线方式 19\nprop 标签1 7\n"),
                     &out, &err),
            0)
      << err;
  EXPECT_EQ(
      out, U8(u8"标签12.0=0\n"
              u8"标签12.8="
              u8"本软件根据根据电力行业电力电容器标准化技术文员会的“并联电容器装置技术及应用”编制，"
              u8"另有专业的电力滤波设计仿真软件，有需要的可以联系作者。\n"
              u8"组合框_接线方式.19=0\n"
              u8"标签1.7=00000000\n"));
}

// Numbers that no item, page or count can be, however the digits would wrap.
TEST(ScriptRunTest, NumbersOutOfRangeAreBadLines) {
  std::string out, err;
  EXPECT_EQ(RunLines(U8(u8"select 组合框_接线方式 4294967296\n"), &out, &err), 2);
  EXPECT_EQ(err, U8(u8"line 1: no item 4294967296 in 组合框_接线方式\n"));
  EXPECT_EQ(RunLines(U8(u8"select 组合框_接线方式 -4294967295\n"), &out, &err), 2);
  EXPECT_EQ(RunLines(U8(u8"select 组合框_接线方式 +1\n"), &out, &err), 2);
  EXPECT_EQ(err, "line 1: item index expected, got \"+1\"\n");
  EXPECT_EQ(RunLines("page 4294967298\n", &out, &err), 2);
  EXPECT_EQ(err, "line 1: no page 4294967298\n");
  EXPECT_EQ(RunLines(U8(u8"prop 标签12 4294967296\n"), &out, &err), 2);
  EXPECT_EQ(RunLines(U8(u8"tick 时钟1 10000001\n"), &out, &err), 2);
  EXPECT_EQ(err, "line 1: at most 10000000 ticks at once, got 10000001\n");
  EXPECT_EQ(RunLines(U8(u8"tick 时钟1 99999999999999999999\n"), &out, &err), 2);
  EXPECT_EQ(RunLines(U8(u8"tick 时钟1 -1\n"), &out, &err), 2);
  EXPECT_EQ(RunLines(U8(u8"page 2\nselect 组合框_接线方式 1\ntick 时钟1 3\n"), &out, &err), 0)
      << err;
}

TEST(ScriptRunTest, LongLinesAreRefusedAndMessagesQuoteLittle) {
  std::string out, err;
  const std::string name(5000, 'x');
  EXPECT_EQ(RunLines("get " + name + "\n", &out, &err), 2);
  EXPECT_EQ(err, "line 1: unknown control \"" + name.substr(0, 80) + U8(u8"…\"\n"));
  EXPECT_EQ(RunLines(U8(u8"sheet 编辑框_Idz1 ") + name + "\n", &out, &err), 2);
  EXPECT_EQ(err, "line 1: a sheet is written as .html, .json or .pdf, not \"" + name.substr(0, 80) +
                     U8(u8"…\"\n"));
  EXPECT_EQ(RunLines(U8(u8"frobnicate 编辑框\n"), &out, &err), 2);
  EXPECT_EQ(err, "line 1: unknown command \"frobnicate\"\n");

  const std::string longest = "# " + std::string(script::kMaxLineBytes - 2, 'a');
  EXPECT_EQ(RunLines(longest + "\n" + longest + "a\nget x\n", &out, &err), 2);
  EXPECT_EQ(err, "line 2: longer than 1048576 bytes\n");
}

// Typed text goes through the box's filter and up to its length limit, whatever its length.
TEST(ScriptRunTest, TypingALongTextFillsTheBoxAsFarAsItTakes) {
  std::string out, err;
  std::string text;
  for (int i = 0; i < 25000; ++i) text += "1x";
  EXPECT_EQ(RunLines(U8(u8"set 编辑框_电容电压\ntype 编辑框_电容电压 ") + text +
                         U8(u8"\nget 编辑框_电容电压\n"),
                     &out, &err),
            0)
      << err;
  EXPECT_EQ(out, U8(u8"编辑框_电容电压=") + std::string(25000, '1') + "\n");
}

// A stream buffer that takes nothing, as a full disk or a closed descriptor does.
class RefusingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(ScriptRunTest, OutputThatCannotBeWrittenEndsWithStatusOne) {
  testing_support::StartHeadless();
  RefusingBuffer refusing;
  std::ostream out(&refusing);
  std::istringstream in(U8(u8"get 编辑框_频率\nget 编辑框_频率\n"));
  std::ostringstream err;
  EXPECT_EQ(script::RunScript(in, out, err), 1);
  EXPECT_EQ(err.str(), "capcalc-script: cannot write the output\n");
}

}  // namespace
