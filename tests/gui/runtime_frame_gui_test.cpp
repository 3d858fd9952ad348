// The life of the program on screen: the message loop and its idle routines, the end of
// the program by the window's close and by another thread, and the runtime error report.
#include <X11/keysym.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "runtime/core/error_report.h"
#include "tests/gui/test_program.h"

namespace {

using namespace gui;
using namespace ids;

using RuntimeFrameGuiTest = TestProgramGuiTest;

void ReportEnd() { Report("end"); }

TEST_F(RuntimeFrameGuiTest, EscapeEndsTheProgramAndTheEndRoutineRunsOnce) {
  Start({.end_routine = ReportEnd});
  PressKey(display(), XK_Escape);
  EXPECT_EQ(child_->WaitForExit(5s), 0);
  EXPECT_EQ(reports_.Collect(1s), std::vector<std::string>{"end"});
}

TEST_F(RuntimeFrameGuiTest, TheCloseButtonEndsTheProgram) {
  Start({.end_routine = ReportEnd});
  RequestClose(display(), window_);
  EXPECT_EQ(child_->WaitForExit(5s), 0);
  EXPECT_EQ(reports_.Collect(1s), std::vector<std::string>{"end"});
}

std::thread::id g_user_interface_thread;

void EndFromAnotherThread() {
  g_user_interface_thread = std::this_thread::get_id();
  std::thread([] {
    std::this_thread::sleep_for(300ms);
    rt::EndProgram(3);
  }).detach();
}

void ReportEndThread() {
  Report(std::this_thread::get_id() == g_user_interface_thread ? "end on the user-interface thread"
                                                               : "end elsewhere");
}

TEST_F(RuntimeFrameGuiTest, AnotherThreadsEndIsCarriedOutOnTheUserInterfaceThread) {
  Start({.end_routine = ReportEndThread, .before_loop = EndFromAnotherThread});
  EXPECT_EQ(child_->WaitForExit(5s), 3);
  EXPECT_EQ(reports_.Collect(1s), std::vector<std::string>{"end on the user-interface thread"});
}

void ReportIdle(void*) { Report("idle"); }

// The routine runs when the loop has nothing to do, not over and over while it waits: with
// the timer ticking every 15 ms, about once a tick.
TEST_F(RuntimeFrameGuiTest, IdleRoutinesRunWhenTheLoopHasNothingToDo) {
  Start({.bindings = {{时钟1, 0}},
         .before_loop = [] { rt::AddIdleRoutine(kMainWindowId, ReportIdle, nullptr); }});
  // However long a loaded machine takes to start the program, the routine comes.
  ASSERT_TRUE(reports_.WaitFor("idle", 5s));
  std::vector<std::string> lines = reports_.Collect(500ms);
  size_t idle = std::count(lines.begin(), lines.end(), "idle");
  size_t ticks = lines.size() - idle;
  EXPECT_LE(idle, 4 * ticks + 4);
}

// The button's handler fails; the report shows while the timer keeps ticking, and no
// handler runs until the process has ended with -1; the end routine never runs.
class RuntimeErrorGuiTest : public TestProgramGuiTest {
 protected:
  void SetUp() override {
    Start({.bindings = {{时钟1, 0}, {按钮_电容器计算, 0, std::nullopt, [] { rt::RaiseError(6); }}},
           .end_routine = ReportEnd});
    ASSERT_TRUE(reports_.WaitFor(Utf8(u8"时钟1 0"), 2s));
    ClickOn(按钮_电容器计算);
    ASSERT_TRUE(reports_.WaitFor(Utf8(u8"按钮_电容器计算 0"), 2s));
    box_ = WaitForWindow(display(), Utf8(u8"错误"));
    ASSERT_NE(box_, 0u) << "no message box";
    EXPECT_EQ(WindowTitle(display(), box_), Utf8(u8"错误"));
    EXPECT_EQ(reports_.Collect(300ms), std::vector<std::string>{});
  }

  void ExpectEndWithoutHandlers() {
    EXPECT_EQ(child_->WaitForExit(5s), 255);
    EXPECT_EQ(reports_.Collect(1s), std::vector<std::string>{});
  }

  Window box_ = 0;
};

TEST_F(RuntimeErrorGuiTest, EnterConfirmsTheReport) {
  std::filesystem::create_directories(CAPCALC_SCREENSHOT_DIR);
  SaveScreenshot(display(), box_, std::string(CAPCALC_SCREENSHOT_DIR) + "/runtime_error.png");
  PressKey(display(), XK_Return);
  ExpectEndWithoutHandlers();
}

TEST_F(RuntimeErrorGuiTest, ClickOnOkConfirmsTheReport) {
  Geometry g = WindowGeometry(display(), box_);
  Click(display(), g.x + g.width / 2, g.y + g.height - 14 - 11);  // the OK button
  ExpectEndWithoutHandlers();
}

}  // namespace
