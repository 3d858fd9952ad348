// How soon the calculator's window first shows painted, counted from the moment its
// process is started, and how much memory the running program keeps resident, measured
// on a private X server. Prints the median and the range over several starts.
//
//   build/capcalc_window_start [STARTS] [--first-run]
//
// With --first-run every start is the program's first in its folder: a copy of the program
// alone in a fresh folder, so it writes its skin engine library before it can skin the
// window. Otherwise the library is already there, as on every later run.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/gui/x_harness.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A patch inside the first edit box of page 1, white once the window has been painted.
// Before that the screen's background shows through, which is never one white patch.
constexpr int kPatchX = 140, kPatchY = 70, kPatchSize = 6;

bool PatchIsWhite(Display* display, Window window) {
  XImage* image =
      XGetImage(display, window, kPatchX, kPatchY, kPatchSize, kPatchSize, AllPlanes, ZPixmap);
  if (!image) return false;
  bool white = true;
  for (int y = 0; y < kPatchSize && white; ++y)
    for (int x = 0; x < kPatchSize && white; ++x)
      white = (XGetPixel(image, x, y) & 0xFFFFFF) == 0xFFFFFF;
  XDestroyImage(image);
  return white;
}

// Milliseconds from the start of the process to its first painted window, or -1.
double TimeToFirstPaint(Display* display, Clock::time_point started) {
  const std::string caption = reinterpret_cast<const char*>(u8"电容器相关计算");
  Window window = 0;
  while (Clock::now() - started < 10s) {
    if (!window) window = gui::WaitForWindow(display, caption, 0ms);
    if (window && PatchIsWhite(display, window))
      return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    std::this_thread::sleep_for(1ms);
  }
  return -1;
}

double ResidentMegabytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024;
  }
  return -1;
}

void PrintFigure(const char* what, std::vector<double> values, const char* unit) {
  std::sort(values.begin(), values.end());
  std::printf("%s: median %.1f %s (%.1f to %.1f over %zu starts)\n", what,
              values[values.size() / 2], unit, values.front(), values.back(), values.size());
}

std::filesystem::path FirstRunFolder() {
  return std::filesystem::temp_directory_path() / ("capcalc-first-run-" + std::to_string(getpid()));
}

// A copy of the program alone in a new folder.
std::string ProgramInFreshFolder() {
  namespace fs = std::filesystem;
  const fs::path folder = FirstRunFolder();
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy_file(CAPCALC_PROGRAM, folder / "capcalc");
  return (folder / "capcalc").string();
}

}  // namespace

int main(int argc, char** argv) {
  const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const bool first_run = argc > 2 && std::string(argv[2]) == "--first-run";
  gui::XServer server;
  std::vector<double> paint_ms, resident_mb;
  for (int i = 0; i < starts; ++i) {
    const std::string path = first_run ? ProgramInFreshFolder() : CAPCALC_PROGRAM;
    Clock::time_point started = Clock::now();
    gui::Child program = gui::Child::Program(server, path);
    double ms = TimeToFirstPaint(server.display(), started);
    if (ms < 0) {
      std::fprintf(stderr, "the window did not show painted within 10 s\n");
      return 1;
    }
    paint_ms.push_back(ms);
    std::this_thread::sleep_for(1s);  // settled, the banner running
    resident_mb.push_back(ResidentMegabytes(program.pid()));
    kill(program.pid(), SIGTERM);
    program.WaitForExit(5s);
  }
  if (first_run) std::filesystem::remove_all(FirstRunFolder());
  PrintFigure("first paint after process start", paint_ms, "ms");
  PrintFigure("resident memory after start", resident_mb, "MB");
}
