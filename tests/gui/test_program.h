// The runtime on screen in a forked child with a program of the test's own: the real
// window template with the test's bindings in place of the calculator's, and handlers that
// report every call on a pipe, so that a test sees which handler ran, with which
// arguments, and when.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "forms/control_ids.h"
#include "forms/template.h"
#include "runtime/core/frame.h"
#include "runtime/core/frame_for_tests.h"
#include "tests/gui/x_harness.h"

namespace gui {

// Lines written by the child and read by the test, in order.
class Reports {
 public:
  Reports();
  ~Reports();
  Reports(const Reports&) = delete;
  Reports& operator=(const Reports&) = delete;

  // In the child.
  void Write(const std::string& line) const;
  // In the test, once the child has started: the child's end then ends the stream.
  void CloseWriter();

  // The next line; nullopt when none came within `timeout` or the child has ended.
  std::optional<std::string> Next(std::chrono::milliseconds timeout);
  // Skips lines until `line` arrives; false when it does not come within `timeout`.
  bool WaitFor(const std::string& line, std::chrono::milliseconds timeout);
  // Every line that arrives within `time`.
  std::vector<std::string> Collect(std::chrono::milliseconds time);

 private:
  std::optional<std::string> NextBefore(std::chrono::steady_clock::time_point deadline);

  int read_ = -1;
  int write_ = -1;
  std::string buffered_;
};

// One binding of the test program. The handler reports "NAME EVENT ARG...", NAME being the
// control's name (UTF-8; "window" for the window's own record), then runs `action`, if
// any, and gives `answer`.
struct TestBinding {
  uint32_t control_id;
  int32_t event;
  rt::HandlerResult answer = std::nullopt;
  void (*action)() = nullptr;
};

struct TestProgram {
  std::vector<TestBinding> bindings = {};
  rt::EndRoutine end_routine = nullptr;
  // Runs once the window is shown, just before the message loop.
  void (*before_loop)() = nullptr;
};

// The body of a Child::Function: initialises the runtime on screen with the test program,
// shows the main window and waits for the end, as the calculator's own start does.
int RunTestProgram(const Reports& reports, TestProgram program);

// Reports a line from inside the child: from end routines, idle routines, other threads.
void Report(const std::string& line);

// A control's place in the main window's client area, from the window template.
struct ClientRect {
  int x = 0, y = 0, width = 0, height = 0;
  int centre_x() const { return x + width / 2; }
  int centre_y() const { return y + height / 2; }
};
ClientRect ControlRect(uint32_t control_id);

// The control's name in the window template, UTF-8.
std::string ControlName(uint32_t control_id);
// The page (1 to 5) on which a control shows; 0 for those outside the pages.
int PageOf(uint32_t control_id);
// The edit boxes of the main window, in template order.
std::vector<uint32_t> EditBoxes();
// The main window's record in the template, with its icon.
const forms::ControlRecord& MainWindowRecord();

// The twelve result boxes of the first page.
extern const uint32_t kFirstPageResults[12];

// UTF-8 literals as the plain strings the reports and the X server use.
inline std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// A test of the main window on its own X server: real input at points of the client area.
class WindowGuiTest : public ::testing::Test {
 protected:
  Display* display() const { return server_.display(); }
  // Waits for the main window and notes where its client area lies on the screen.
  void FindMainWindow();
  // Real clicks at a point of the client area, and on the middle of a control.
  void ClickAt(int x, int y, unsigned button = 1, unsigned modifiers = 0);
  void ClickOn(uint32_t control_id, unsigned button = 1);
  // What the window shows of a control, 0xRRGGBB row by row.
  std::vector<uint32_t> ControlPixels(uint32_t control_id);
  // With the first page calculated: after the focus has gone round the page with Tab, and
  // then with Shift+Tab, and a click has taken it into a box elsewhere, each result box
  // looks as it looks after Home. The same on the second page, once it is filled in with a
  // bank whose internal-fuse setting is longer than its box and that 计算 is clicked
  // (编辑框_Udz shows "0.3081031142053"). `shoot` takes a picture of each page afterwards,
  // by the name given.
  void ExpectFirstTwoPagesShownFromTheStartAfterTabbing(
      const std::function<void(const std::string&)>& shoot);

  XServer server_;
  Window window_ = 0;
  Geometry origin_;  // of the client area, on the screen

 private:
  // Tab (Shift+Tab with ShiftMask) as often as the page has boxes, and a few times more
  // for its other stops (the combo box, the buttons, a picture): the focus goes round the
  // whole page, through every box on it.
  void TabRound(int page, unsigned modifiers);
  void ExpectShownFromTheStartAfterTabbing(int page, std::span<const uint32_t> boxes,
                                           uint32_t away);
};

// A test that runs a test program on its own X server and drives it with real input.
class TestProgramGuiTest : public WindowGuiTest {
 protected:
  // Starts the program and waits for its main window.
  void Start(TestProgram program);

  Reports reports_;
  std::optional<Child> child_;
};

}  // namespace gui
