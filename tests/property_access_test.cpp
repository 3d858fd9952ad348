// Property access on the main window: the common properties with their clamping, the
// type properties the calculator uses, and the failures, each with its exact message.
#include <FL/Fl_Widget.H>
#include <gtest/gtest.h>

#include "runtime/core/heap.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/core/property_access.h"
#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/controls/toolkit_control.h"
#include "runtime/ui/loop/posted_calls.h"
#include "runtime/ui/loop/window_builder.h"
#include "tests/headless_window.h"

namespace {

using namespace calc;

int32_t Read(uint32_t control, int32_t property) {
  return static_cast<int32_t>(rt::GetProperty(kMainWindowId, control, property, -1));
}

void Write(uint32_t control, int32_t property, int32_t value) {
  rt::SetProperty(kMainWindowId, control, property, -1, static_cast<uint32_t>(value), 0);
}

class PropertyAccessTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::StartHeadless(); }
};

TEST_F(PropertyAccessTest, GeometryIsRelativeToTheContainer) {
  EXPECT_EQ(Read(编辑框_电容电压, rt::kLeft), 110);  // inside 分组框1
  EXPECT_EQ(Read(编辑框_电容电压, rt::kTop), 32);
  EXPECT_EQ(Read(分组框1, rt::kLeft), 16);  // on the first page of the tab control
  EXPECT_EQ(Read(标签12, rt::kTop), 441);   // directly in the window
  EXPECT_EQ(Read(标签12, rt::kWidth), 830);
  EXPECT_EQ(Read(时钟1, rt::kLeft), 608);  // no widget: the stored value
}

TEST_F(PropertyAccessTest, CoordinatesAndSizesAreClamped) {
  Write(标签1, rt::kLeft, -40000);
  EXPECT_EQ(Read(标签1, rt::kLeft), -32627);
  Write(标签1, rt::kTop, 40000);
  EXPECT_EQ(Read(标签1, rt::kTop), 32627);
  Write(标签1, rt::kWidth, -5);
  EXPECT_EQ(Read(标签1, rt::kWidth), 0);
  Write(标签1, rt::kHeight, 100000);
  EXPECT_EQ(Read(标签1, rt::kHeight), 32627);
  rt::LoadedWindow* window = rt::FindLoadedWindow(kMainWindowId);
  const forms::ControlRecord& stored = rt::FindControl(*window, 标签1)->record;
  EXPECT_EQ(stored.left, -32627);
  EXPECT_EQ(stored.width, 0);
}

TEST_F(PropertyAccessTest, ControlOnAnotherPageShowsOnlyWithItsPage) {
  EXPECT_EQ(Read(画板_星接, rt::kVisibleProperty), 1);
  EXPECT_EQ(Read(画板_角接, rt::kVisibleProperty), 0);
  EXPECT_EQ(Read(画板1, rt::kVisibleProperty), 0);  // page 2 is not selected
  Write(画板1, rt::kVisibleProperty, 0);
  Write(画板1, rt::kVisibleProperty, 1);
  EXPECT_EQ(Read(画板1, rt::kVisibleProperty), 0);
  rt::LoadedWindow* window = rt::FindLoadedWindow(kMainWindowId);
  rt::FindControl(*window, 选择夹1)->live->UserSelectPage(1);
  EXPECT_EQ(Read(画板1, rt::kVisibleProperty), 1);
  EXPECT_EQ(Read(画板_星接, rt::kVisibleProperty), 0);
}

TEST_F(PropertyAccessTest, DisabledFollowsTheWidget) {
  EXPECT_EQ(Read(按钮_电容器计算, rt::kDisabledProperty), 0);
  Write(按钮_电容器计算, rt::kDisabledProperty, 1);
  EXPECT_EQ(Read(按钮_电容器计算, rt::kDisabledProperty), 1);
}

TEST_F(PropertyAccessTest, TagIsANewTextBlock) {
  uint64_t bits = rt::GetProperty(kMainWindowId, 0x06010000, rt::kTag, -1);
  const rt::HeapText tag(reinterpret_cast<char*>(static_cast<uintptr_t>(bits)));
  ASSERT_NE(tag.get(), nullptr);
  EXPECT_STREQ(tag.get(), "请输入电容器额定电压值，比如11/√3，则输入其值：6.35");
}

TEST_F(PropertyAccessTest, EmptyBoxReadsAsNull) {
  testing_support::SetContent(编辑框_P, "");
  EXPECT_EQ(rt::GetProperty(kMainWindowId, 编辑框_P, kContentProperty, -1), 0u);
  rt::SetProperty(kMainWindowId, 编辑框_P, kContentProperty, -1, 0, 0);  // null text: empty
  EXPECT_EQ(testing_support::Content(编辑框_P), "");
}

TEST_F(PropertyAccessTest, ComboSelectionIsClampedAndRaisesNothing) {
  Write(组合框_接线方式, kSelectionProperty, 1);
  rt::RunPostedCalls();
  // The connection handler did not run: the delta diagram is still hidden.
  EXPECT_EQ(Read(画板_角接, rt::kVisibleProperty), 0);
  EXPECT_EQ(Read(组合框_接线方式, kSelectionProperty), 1);
  Write(组合框_接线方式, kSelectionProperty, 7);
  EXPECT_EQ(Read(组合框_接线方式, kSelectionProperty), 1);
  Write(组合框_接线方式, kSelectionProperty, -9);
  EXPECT_EQ(Read(组合框_接线方式, kSelectionProperty), -1);
}

// The combo box's own properties by index: sorted 13, the items as lines 17.
constexpr int32_t kSortedProperty = 13;
constexpr int32_t kItemsProperty = 17;

std::string ReadText(uint32_t control, int32_t property) {
  const uint64_t bits = rt::GetProperty(kMainWindowId, control, property, -1);
  return rt::HeapText(reinterpret_cast<char*>(static_cast<uintptr_t>(bits))).c_str();
}

void WriteText(uint32_t control, int32_t property, const char* text) {
  const rt::Value value = rt::MakeText(text);
  rt::SetProperty(kMainWindowId, control, property, -1, value.lo, value.hi);
}

TEST_F(PropertyAccessTest, SortedComboBoxSortsTheItemsItIsGiven) {
  WriteText(组合框_接线方式, kItemsProperty, "c\r\na\r\nb");
  EXPECT_EQ(ReadText(组合框_接线方式, kItemsProperty), "c\r\na\r\nb");
  Write(组合框_接线方式, kSortedProperty, 1);
  WriteText(组合框_接线方式, kItemsProperty, "c\r\na\r\nb");
  EXPECT_EQ(ReadText(组合框_接线方式, kItemsProperty), "a\r\nb\r\nc");
}

// A combo box the template marks as sorted shows its items sorted from the start.
TEST_F(PropertyAccessTest, SortedComboBoxFromTheTemplate) {
  rt::LoadedWindow& window = *rt::FindLoadedWindow(kMainWindowId);
  rt::ControlState state(rt::FindControl(window, 组合框_接线方式)->record);
  auto unit = std::get<forms::ComboBoxUnit>(
      *forms::ParseUnitData(state.record.type_code, state.record.unit_data));
  ASSERT_EQ(unit.items, (std::vector<std::string>{"星形接线", "角形接线"}));
  unit.sorted = 1;
  state.record.unit_data =
      forms::SerializeUnitData(unit, forms::HighestUnitDataVersion(state.record.type_code));
  std::unique_ptr<rt::LiveControl> sorted = rt::CreateLiveControl(window, state);
  // Outside the window nothing takes its widget: it goes with the test, before the control.
  std::unique_ptr<Fl_Widget> widget(static_cast<rt::ToolkitControl&>(*sorted).widget());
  EXPECT_EQ(sorted->ReadProperty(kItemsProperty - rt::kFirstTypeProperty).text,
            "角形接线\r\n星形接线");
}

TEST_F(PropertyAccessTest, LabelTextColour) {
  Write(标签18, kTextColourProperty, 0x00FF0000);
  EXPECT_EQ(Read(标签18, kTextColourProperty), 0x00FF0000);
}

using PropertyAccessDeathTest = PropertyAccessTest;

// The report goes to standard error in UTF-8 when there is no display.
std::string Reported(const char* gbk_message) { return rt::GbkToUtf8(gbk_message); }

TEST_F(PropertyAccessDeathTest, FailuresEndTheProgramWithTheirMessage) {
  const auto kFatal = ::testing::ExitedWithCode(testing_support::kRuntimeErrorStatus);
  EXPECT_EXIT(rt::GetProperty(0x52010002, 编辑框_P, 0, -1), kFatal,
              Reported("错误信息：未载入欲访问窗口组件所在的窗口"));
  EXPECT_EXIT(rt::GetProperty(kMainWindowId, 0x16010FFF, 0, -1), kFatal,
              Reported("指定窗口或窗口组件不存在或尚未载入"));
  EXPECT_EXIT(rt::GetProperty(kMainWindowId, 编辑框_P, 200, -1), kFatal,
              Reported("窗口组件不具有所指定的属性"));
  EXPECT_EXIT(rt::LookupLiveStrict(rt::MakeControlReference(kMainWindowId, 0x16010FFF, 0)), kFatal,
              Reported("指定窗口或窗口组件不存在或尚未载入"));
}

TEST_F(PropertyAccessDeathTest, TypePropertiesNeedALiveControl) {
  EXPECT_EXIT(
      {
        rt::CloseLiveWindow(*rt::FindLoadedWindow(kMainWindowId));
        rt::DestroyClosedWindows();
        EXPECT_EQ(rt::GetProperty(kMainWindowId, 编辑框_P, rt::kLeft, -1), 278u);  // stored
        rt::GetProperty(kMainWindowId, 编辑框_P, kContentProperty, -1);
      },
      ::testing::ExitedWithCode(testing_support::kRuntimeErrorStatus),
      Reported("错误信息：指定窗口尚未载入"));
}

}  // namespace
