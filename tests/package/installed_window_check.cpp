// The installed calculator's window on a private X server: started by the command given,
// it must map with the window class its desktop entry names, in the program's skin, and
// end with status 0 when it is closed. Prints what failed; the status is the count.
//
//   capcalc_installed_window_check CLASS SCREENSHOT.png COMMAND [ARGUMENT...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/engine/skin_format.h"
#include "skin/skin_data.h"
#include "tests/gui/x_harness.h"

namespace {

using namespace std::chrono_literals;

// The skin the program attaches at start, with the aero effect on.
constexpr int kProgramSkin = 19;
// Where only the window's background shows: the client area's last row, left of the
// scrolling banner.
constexpr int kBackgroundX = 4;

int Failure(const std::string& what) {
  std::fprintf(stderr, "FAILED: %s\n", what.c_str());
  return 1;
}

int CheckClass(Display* display, Window window, const std::string& expected) {
  XClassHint hint{};
  if (!XGetClassHint(display, window, &hint)) return Failure("the window has no WM_CLASS");
  const std::string instance = hint.res_name ? hint.res_name : "",
                    type = hint.res_class ? hint.res_class : "";
  XFree(hint.res_name);
  XFree(hint.res_class);
  std::printf("WM_CLASS \"%s\", \"%s\"\n", instance.c_str(), type.c_str());
  return instance == expected
             ? 0
             : Failure("the window's class is \"" + instance + "\", not \"" + expected + "\"");
}

// With the aero effect the background is a gradient down the window that ends in the
// skin's aero bottom colour; an unskinned window shows the toolkit's plain grey there.
// A channel may be off by one through the gradient's rounding.
int CheckSkin(Display* display, const gui::Geometry& client) {
  const skin::Rgb expected =
      (*skin::Decode(skin::EmbeddedSkin(kProgramSkin)))[skin::Role::kAeroBottom];
  const uint32_t shown =
      gui::ScreenColour(display, client.x + kBackgroundX, client.y + client.height - 1);
  const int channels[][2] = {{static_cast<int>(shown >> 16 & 0xFF), expected.r},
                             {static_cast<int>(shown >> 8 & 0xFF), expected.g},
                             {static_cast<int>(shown & 0xFF), expected.b}};
  for (const auto& [seen, wanted] : channels) {
    if (std::abs(seen - wanted) > 1) {
      char text[96];
      std::snprintf(text, sizeof text,
                    "the background is #%06X, not skin %d's aero bottom #%02X%02X%02X", shown,
                    kProgramSkin, expected.r, expected.g, expected.b);
      return Failure(text);
    }
  }
  return 0;
}

int CheckClosing(Display* display, Window window, gui::Child& program) {
  gui::RequestClose(display, window);
  const std::optional<int> status = program.WaitForExit(10s);
  if (!status) return Failure("the program did not end when its window was closed");
  return *status == 0 ? 0 : Failure("the program ended with status " + std::to_string(*status));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(
        stderr,
        "usage: capcalc_installed_window_check CLASS SCREENSHOT.png COMMAND [ARGUMENT...]\n");
    return 2;
  }
  gui::XServer server;
  Display* display = server.display();
  gui::Child program = gui::Child::Command(server, std::vector<std::string>(argv + 3, argv + argc));
  const Window window =
      gui::WaitForWindow(display, reinterpret_cast<const char*>(u8"电容器相关计算"), 20s);
  if (!window) return Failure("the main window did not map");
  gui::Settle(300ms);
  gui::SaveScreenshot(display, window, argv[2]);
  int failures = CheckClass(display, window, argv[1]);
  failures += CheckSkin(display, gui::WindowGeometry(display, window));
  failures += CheckClosing(display, window, program);
  return failures;
}
