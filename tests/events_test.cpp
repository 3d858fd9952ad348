// Raising events: the lookups and their failures, and suppression.
#include <gtest/gtest.h>

#include "runtime/core/events.h"
#include "runtime/core/frame.h"
#include "runtime/core/frame_for_tests.h"
#include "runtime/core/live_control.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/platform/gbk.h"
#include "runtime/ui/tips/balloon_tip.h"
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

// Makes `control` use the bindings of `owner`.
void LinkEvents(uint32_t control, uint32_t owner) {
  rt::FindControl(*rt::FindLoadedWindow(kMainWindowId), control)->record.event_owner = owner;
}

bool MovesBound(uint32_t control) {
  return rt::HandlerBound(kMainWindowId, control, rt::kMouseMoved);
}

// The capacitor voltage box binds pointer moves (its hint); the result boxes bind nothing.
TEST_F(EventsTest, EventOwnerChainLeadsToTheBindings) {
  ASSERT_TRUE(MovesBound(编辑框_电容电压));
  ASSERT_FALSE(MovesBound(编辑框_电容输出));
  LinkEvents(编辑框_XC, 编辑框_电容输出);
  LinkEvents(编辑框_电容输出, 编辑框_电容电压);
  EXPECT_TRUE(MovesBound(编辑框_电容输出));
  EXPECT_TRUE(MovesBound(编辑框_XC));  // two links on
  // Raised on the first box of the chain, the event runs the owner's handler: the hint
  // goes on the capacitor voltage box.
  rt::RaiseEvent(kMainWindowId, 编辑框_XC, rt::kMouseMoved);
  rt::LiveControl& tips = *rt::FindControl(*rt::FindLoadedWindow(kMainWindowId), 气球提示框1)->live;
  EXPECT_TRUE(rt::WholeControlTip(tips, kMainWindowId, 编辑框_电容电压).has_value());
}

TEST_F(EventsTest, EventOwnerChainStopsAtAnotherTypeAMissingControlOrALoop) {
  LinkEvents(编辑框_XL, 标签1);  // a label's bindings are not an edit box's
  LinkEvents(标签1, 编辑框_电容电压);
  EXPECT_FALSE(MovesBound(编辑框_XL));
  LinkEvents(编辑框_XL, 0x1601FFFF);
  EXPECT_FALSE(MovesBound(编辑框_XL));
  LinkEvents(编辑框_XL, 编辑框_补偿容量);
  LinkEvents(编辑框_补偿容量, 编辑框_XL);
  EXPECT_FALSE(MovesBound(编辑框_XL));
  EXPECT_FALSE(rt::RaiseEvent(kMainWindowId, 编辑框_XL, rt::kMouseMoved).has_value());
}

using EventsDeathTest = EventsTest;

TEST_F(EventsDeathTest, UnknownWindowOrControlIsFatal) {
  EXPECT_EXIT(rt::RaiseEvent(0x52010009, 按钮_电容器计算, 0),
              ::testing::ExitedWithCode(testing_support::kRuntimeErrorStatus),
              rt::GbkToUtf8("错误信息：未找到引发事件的窗口\r"));
  EXPECT_EXIT(rt::RaiseEvent(kMainWindowId, 0x16010FFF, 0),
              ::testing::ExitedWithCode(testing_support::kRuntimeErrorStatus),
              rt::GbkToUtf8("错误信息：未找到引发事件的窗口组件\r"));
  EXPECT_EXIT(
      {
        rt::LoadedWindow* window = rt::FindLoadedWindow(kMainWindowId);
        rt::FindControl(*window, 标签1)->record.type_code = 0x00017777;
        rt::RaiseEvent(kMainWindowId, 标签1, 0);
      },
      ::testing::ExitedWithCode(testing_support::kRuntimeErrorStatus),
      rt::GbkToUtf8("错误信息：引发事件的窗口组件无效"));
}

}  // namespace
