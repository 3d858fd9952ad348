#include "tests/headless_window.h"

#include <gtest/gtest.h>

#include "calc/pages/program.h"
#include "runtime/core/frame.h"
#include "runtime/core/heap.h"
#include "runtime/core/live_control.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/core/property_access.h"
#include "runtime/core/runtime_state.h"
#include "runtime/ui/loop/posted_calls.h"

namespace testing_support {
namespace {

// After every test the runtime it started goes, in the order the end of the program
// takes it down.
class RuntimePerTest : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { rt::DestroyRuntime(); }
};

const bool kRegistered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new RuntimePerTest);
  return true;
}();

}  // namespace

void StartHeadless() {
  if (!rt::RuntimeIfAny()) calc::StartProgram(rt::DisplayMode::kHeadless);
}

void StartCoreAlone() {
  if (!rt::RuntimeIfAny()) rt::InitRuntime({}, nullptr);
}

std::string Content(uint32_t control_id) {
  uint64_t bits = rt::GetProperty(calc::kMainWindowId, control_id, calc::kContentProperty, -1);
  return rt::HeapText(reinterpret_cast<char*>(static_cast<uintptr_t>(bits))).c_str();
}

void SetContent(uint32_t control_id, const std::string& gbk) {
  rt::Value text = rt::MakeText(gbk.c_str());
  rt::SetProperty(calc::kMainWindowId, control_id, calc::kContentProperty, -1, text.lo, text.hi);
}

void Click(uint32_t control_id) {
  rt::LoadedWindow* window = rt::FindLoadedWindow(calc::kMainWindowId);
  rt::FindControl(*window, control_id)->live->UserClick();
  rt::RunPostedCalls();
}

}  // namespace testing_support
