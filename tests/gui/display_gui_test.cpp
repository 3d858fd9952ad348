// The program without a display, and with one that goes away while it runs: a message
// that names the display and status 1, and no report of memory misuse on the way out.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <optional>

#include "tests/child_process.h"
#include "tests/gui/test_program.h"
#include "tests/gui/x_harness.h"

namespace {

using namespace gui;
using testing_support::ChildOutcome;
using testing_support::RunCommand;

const std::string kProgram = CAPCALC_PROGRAM;

// A display that no server answers. Not one whose server was just ended: servers started
// with -displayfd (as by parallel tests) take the lowest free number, so that one is soon
// taken again. A number far above those, with no server's socket or lock file.
std::string UnansweredDisplay() {
  for (int number = 59999;; --number) {
    const std::string n = std::to_string(number);
    if (!std::filesystem::exists("/tmp/.X11-unix/X" + n) &&
        !std::filesystem::exists("/tmp/.X" + n + "-lock"))
      return ":" + n;
  }
}

void ExpectEndedWith(const ChildOutcome& outcome, const std::string& message) {
  EXPECT_EQ(outcome.status, 1) << outcome.err;
  EXPECT_EQ(outcome.err, "capcalc: " + message + "\n");
}

TEST(DisplayGuiTest, WithoutADisplayTheProgramSaysSo) {
  ExpectEndedWith(RunCommand("unset DISPLAY; exec " + kProgram),
                  "no display to show the window on: DISPLAY is not set");
  const std::string nobody = UnansweredDisplay();
  ExpectEndedWith(RunCommand("DISPLAY=" + nobody + " exec " + kProgram),
                  "cannot open display \"" + nobody + "\"");
}

TEST(DisplayGuiTest, ADisplayThatGoesAwayEndsTheProgram) {
  std::optional<XServer> server;
  server.emplace();
  const std::string name = server->name();
  auto run = std::async(std::launch::async,
                        [&] { return RunCommand("DISPLAY=" + name + " exec " + kProgram); });
  ASSERT_NE(WaitForWindow(server->display(), Utf8(u8"电容器相关计算")), 0u);
  server.reset();
  ExpectEndedWith(run.get(), "lost the connection to display \"" + name + "\"");
}

}  // namespace
