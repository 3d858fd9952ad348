// The balloon tip's set-tip method on the main window: how its two controls are looked
// up, which area a call gives, and when a tip replaces another or joins it.
#include <gtest/gtest.h>

#include <string>

#include "forms/template.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/core/property_access.h"
#include "runtime/platform/gbk.h"
#include "runtime/ui/tips/balloon_tip.h"
#include "runtime/ui/tips/balloon_tip_for_tests.h"
#include "tests/headless_window.h"

namespace {

using namespace calc;

rt::Value Component() {
  return rt::MakeControlReference(kMainWindowId, 气球提示框1, forms::kBalloonTipType);
}
rt::Value Box(uint32_t box) {
  return rt::MakeControlReference(kMainWindowId, box, forms::kEditBoxType);
}

rt::Value SetTip(uint32_t box, const char* text) {
  const rt::Value args[] = {Component(), Box(box), rt::MakeText(text), rt::MakeInt(-1)};
  return rt::CallMethod(rt::SetTip, 4, args);
}

rt::Value SetAreaTip(uint32_t box, const char* text, int left, int top, int width, int height) {
  const rt::Value args[] = {Component(),        Box(box),           rt::MakeText(text),
                            rt::MakeInt(-1),    rt::MakeInt(left),  rt::MakeInt(top),
                            rt::MakeInt(width), rt::MakeInt(height)};
  return rt::CallMethod(rt::SetTip, 8, args);
}

rt::LiveControl& BalloonTip() {
  return *rt::FindControl(*rt::FindLoadedWindow(kMainWindowId), 气球提示框1)->live;
}

std::string TipAt(uint32_t box, int x, int y) {
  return rt::TipTextAt(BalloonTip(), kMainWindowId, box, x, y).value_or("(none)");
}

class BalloonTipTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::StartHeadless(); }
};

TEST_F(BalloonTipTest, AnswersWhetherTheTipWasStored) {
  rt::Value stored = SetTip(编辑框_P, "有功功率");
  EXPECT_EQ(stored.type, rt::kBool);
  EXPECT_EQ(stored.lo, 1u);
  EXPECT_EQ(rt::WholeControlTip(BalloonTip(), kMainWindowId, 编辑框_P), "有功功率");

  // A target without a live control, in this window or in one that is not loaded.
  rt::Value missing = SetTip(0x16010FFF, "无");
  EXPECT_EQ(missing.type, rt::kBool);
  EXPECT_EQ(missing.lo, 0u);
  const rt::Value other_window[] = {Component(), rt::MakeControlReference(0x52010002, 编辑框_P, 0),
                                    rt::MakeText("无")};
  EXPECT_EQ(rt::CallMethod(rt::SetTip, 3, other_window).lo, 0u);
}

TEST_F(BalloonTipTest, KeepsItsOwnCopyOfTheText) {
  std::string text = "第一";
  SetTip(编辑框_CT变比, text.c_str());
  text.assign("第二");
  EXPECT_EQ(TipAt(编辑框_CT变比, 1, 1), "第一");
}

TEST_F(BalloonTipTest, EqualAreasReplaceAndOthersJoin) {
  SetAreaTip(编辑框_电抗率, "左上", 0, 0, 10, 10);
  SetTip(编辑框_电抗率, "整个");
  EXPECT_EQ(TipAt(编辑框_电抗率, 5, 5), "左上");  // the first tip whose area holds the point
  EXPECT_EQ(TipAt(编辑框_电抗率, 10, 5), "整个");

  SetAreaTip(编辑框_电抗率, "新左上", 0, 0, 10, 10);
  SetTip(编辑框_电抗率, "新整个");
  EXPECT_EQ(TipAt(编辑框_电抗率, 5, 5), "新左上");
  EXPECT_EQ(TipAt(编辑框_电抗率, 10, 5), "新整个");
}

TEST_F(BalloonTipTest, AnAreaNeedsAllFourArguments) {
  const rt::Value args[] = {Component(),     Box(编辑框_系统电压), rt::MakeText("三个"),
                            rt::MakeInt(-1), rt::MakeInt(0),       rt::MakeInt(0),
                            rt::MakeInt(10)};
  rt::CallMethod(rt::SetTip, 7, args);
  EXPECT_EQ(rt::WholeControlTip(BalloonTip(), kMainWindowId, 编辑框_系统电压), "三个");
  EXPECT_EQ(TipAt(编辑框_系统电压, 40, 20), "三个");
}

TEST_F(BalloonTipTest, AreaOfHugeSizeDoesNotWrapAround) {
  SetAreaTip(编辑框_频率, "远", 100, 100, 0x7FFFFFFF, 0x7FFFFFFF);
  EXPECT_EQ(TipAt(编辑框_频率, 5, 5), "(none)");
  EXPECT_EQ(TipAt(编辑框_频率, 200, 200), "远");
}

using BalloonTipDeathTest = BalloonTipTest;

TEST_F(BalloonTipDeathTest, TheComponentItselfIsLookedUpStrictly) {
  const auto kFatal = ::testing::ExitedWithCode(testing_support::kRuntimeErrorStatus);
  const rt::Value missing[] = {
      rt::MakeControlReference(kMainWindowId, 0x16010FFF, forms::kBalloonTipType), Box(编辑框_P),
      rt::MakeText("无")};
  EXPECT_EXIT(rt::CallMethod(rt::SetTip, 3, missing), kFatal,
              rt::GbkToUtf8("错误信息：指定窗口或窗口组件不存在或尚未载入"));
  const rt::Value not_a_tip[] = {Box(编辑框_P), Box(编辑框_P), rt::MakeText("无")};
  EXPECT_EXIT(rt::CallMethod(rt::SetTip, 3, not_a_tip), kFatal,
              rt::GbkToUtf8("错误信息：所提供参数的数据类型不符合要求"));
}

}  // namespace
