// The runtime heap and the error report.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "runtime/core/conversions.h"
#include "runtime/core/error_report.h"
#include "runtime/core/heap.h"
#include "runtime/platform/gbk.h"
#include "tests/headless_window.h"

namespace {

TEST(HeapTest, ConstantDataIsNeverFreedAndIsCopiedOnResize) {
  testing_support::StartCoreAlone();
  static const char kConstant[] = "constant data";
  rt::RegisterConstantRange(kConstant, sizeof kConstant);
  rt::FreeMem(const_cast<char*>(kConstant));
  rt::FreeMem(nullptr);
  auto* copy = static_cast<char*>(rt::ReallocMem(const_cast<char*>(kConstant + 9), 32));
  EXPECT_NE(copy, kConstant + 9);
  EXPECT_STREQ(copy, "data");  // up to the end of the range, terminator included
  EXPECT_STREQ(kConstant, "constant data");
  rt::FreeMem(copy);
  auto* small = static_cast<char*>(rt::ReallocMem(const_cast<char*>(kConstant), 3));
  EXPECT_EQ(std::memcmp(small, "con", 3), 0);
  rt::FreeMem(small);
  rt::ClearConstantRanges();
}

TEST(HeapTest, TextsAndByteArrays) {
  EXPECT_EQ(rt::NewText(""), nullptr);
  char* text = rt::NewText("abc");
  EXPECT_STREQ(text, "abc");
  rt::FreeMem(text);
  const uint8_t bytes[] = {1, 2, 3};
  void* block = rt::NewBytes(bytes, 3);
  EXPECT_EQ(rt::BytesCount(block), 3u);
  EXPECT_EQ(rt::BytesData(block)[2], 3);
  rt::FreeMem(block);
  EXPECT_EQ(rt::BytesCount(nullptr), 0u);
}

// Each block goes back to the heap once, from its last owner: the sanitizers' build would
// report a block freed twice or never.
TEST(HeapTest, HeldBlocksAreFreedByTheirLastHolder) {
  rt::HeapText text(rt::NewText("abc"));
  rt::HeapText holder = std::move(text);
  EXPECT_EQ(text.get(), nullptr);
  EXPECT_EQ(holder.view(), "abc");
  holder = rt::HeapText(rt::CallCommand(rt::ToText, 1, std::array{rt::MakeInt(42)}.data()));
  EXPECT_STREQ(holder.c_str(), "42");
  EXPECT_STREQ(rt::HeapText().c_str(), "");  // null is the empty text
  rt::FreeMem(holder.release());

  const uint8_t bytes[] = {1, 2, 3};
  const rt::HeapBlock block(rt::MakeBytes(rt::NewBytes(bytes, 3)));
  EXPECT_EQ(std::vector<uint8_t>(block.bytes().begin(), block.bytes().end()),
            (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_TRUE(rt::HeapBlock().bytes().empty());
}

TEST(ErrorReportTest, TextHasCodeAndMessageOnlyWhenGiven) {
  EXPECT_EQ(rt::BuildErrorText("", 0), "运行时出错!\r\n\r\n");
  EXPECT_EQ(rt::BuildErrorText("载入启动窗口失败", 0),
            "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(rt::BuildErrorText("", 6), "运行时出错!\r\n\r\n错误代码：6\r\n\r\n");
}

TEST(ErrorReportDeathTest, NumberedErrorSixLineByLine) {
  EXPECT_EXIT(
      rt::RaiseError(6), ::testing::ExitedWithCode(testing_support::kRuntimeErrorStatus),
      rt::GbkToUtf8(
          "^运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n$"));
}

TEST(ErrorReportDeathTest, AllocationFailureNamesTheSize) {
  EXPECT_EXIT(rt::AllocMem(SIZE_MAX / 2),
              ::testing::ExitedWithCode(testing_support::kRuntimeErrorStatus),
              rt::GbkToUtf8("分配 " + std::to_string(SIZE_MAX / 2) + " 字节内存失败!"));
}

}  // namespace
