// The program without a display, and with one that goes away while it runs: a message
// that names the display and status 1, and no report of memory misuse on the way out.
#include <gtest/gtest.h>

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

void ExpectEndedWith(const ChildOutcome& outcome, const std::string& message) {
  EXPECT_EQ(outcome.status, 1) << outcome.err;
  EXPECT_EQ(outcome.err, "capcalc: " + message + "\n");
}

TEST(DisplayGuiTest, WithoutADisplayTheProgramSaysSo) {
  ExpectEndedWith(RunCommand("unset DISPLAY; exec " + kProgram),
                  "no display to show the window on: DISPLAY is not set");
  std::optional<XServer> server;
  server.emplace();
  const std::string gone = server->name();
  server.reset();
  ExpectEndedWith(RunCommand("DISPLAY=" + gone + " exec " + kProgram), "cannot open display \"" + gone + "\"");
}

TEST(DisplayGuiTest, ADisplayThatGoesAwayEndsTheProgram) {
  std::optional<XServer> server;
  server.emplace();
  const std::string name = server->name();
  auto run = std::async(std::launch::async, [&] { return RunCommand("DISPLAY=" + name + " exec " + kProgram); });
  ASSERT_NE(WaitForWindow(server->display(), Utf8(u8"电容器相关计算")), 0u);
  server.reset();
  ExpectEndedWith(run.get(), "lost the connection to display \"" + name + "\"");
}

}  // namespace
