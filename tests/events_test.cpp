// Raising events: the lookups and their failures, and suppression.
#include <gtest/gtest.h>

#include "runtime/core/events.h"
#include "runtime/core/frame.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/platform/gbk.h"
#include "tests/headless_window.h"

namespace {

using namespace calc;

class EventsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::StartHeadless(); }
};

TEST_F(EventsTest, AnEventWithoutBindingRunsNothing) {
  EXPECT_FALSE(rt::RaiseEvent(kMainWindowId, 标签1, 0).has_value());
  EXPECT_FALSE(rt::RaiseEvent(kMainWindowId, 按钮_电容器计算, rt::kMouseMoved).has_value());
}

TEST_F(EventsTest, SuppressedEventsReachNoHandler) {
  testing_support::SetContent(编辑框_电容输出, "kept");
  rt::RaiseSuppression();
  rt::RaiseEvent(kMainWindowId, 按钮_电容器计算, 0);
  rt::LowerSuppression();
  EXPECT_EQ(testing_support::Content(编辑框_电容输出), "kept");
  rt::RaiseEvent(kMainWindowId, 按钮_电容器计算, 0);
  EXPECT_NE(testing_support::Content(编辑框_电容输出), "kept");
}

using EventsDeathTest = EventsTest;

TEST_F(EventsDeathTest, UnknownWindowOrControlIsFatal) {
  EXPECT_EXIT(rt::RaiseEvent(0x52010009, 按钮_电容器计算, 0), ::testing::ExitedWithCode(255),
              rt::GbkToUtf8("错误信息：未找到引发事件的窗口\r"));
  EXPECT_EXIT(rt::RaiseEvent(kMainWindowId, 0x16010FFF, 0), ::testing::ExitedWithCode(255),
              rt::GbkToUtf8("错误信息：未找到引发事件的窗口组件\r"));
  EXPECT_EXIT(
      {
        rt::LoadedWindow* window = rt::FindLoadedWindow(kMainWindowId);
        rt::FindControl(*window, 标签1)->record.type_code = 0x00017777;
        rt::RaiseEvent(kMainWindowId, 标签1, 0);
      },
      ::testing::ExitedWithCode(255), rt::GbkToUtf8("错误信息：引发事件的窗口组件无效"));
}

}  // namespace
