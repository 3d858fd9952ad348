// What the on-screen tests need of a real X server: a private Xvfb, the program as a child
// process, real input through the XTest extension, the clipboard, and screenshots.
#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <thread>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace gui {

using namespace std::chrono_literals;

// A private virtual X server for one test, gone with the object.
class XServer {
 public:
  XServer();
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  const std::string& name() const { return name_; }
  Display* display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
  Display* display_ = nullptr;
};

// A child process on that server: the program file itself, a command line (searched on
// the path), or a function of the test (which may start the runtime on screen with hooks
// of its own).
class Child {
 public:
  static Child Program(const XServer& server, const std::string& path);
  // A command with its arguments; the first names the program, looked up in PATH when it
  // holds no "/".
  static Child Command(const XServer& server, const std::vector<std::string>& arguments);
  static Child Function(const XServer& server, std::function<int()> body);
  Child(Child&& other) noexcept;
  ~Child();

  // The exit status once the child has ended within `timeout`; nullopt if still running.
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
  pid_t pid() const { return pid_; }

 private:
  explicit Child(pid_t pid) : pid_(pid) {}
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Starts a window manager (openbox, icewm) and waits until it has taken over the screen.
Child StartWindowManager(const XServer& server, const std::vector<std::string>& argv);

// Polls `condition` until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// The window whose title begins with `utf8_title`, once it is viewable; 0 if none appears.
Window WaitForWindow(Display* display, const std::string& utf8_title,
                     std::chrono::milliseconds timeout = 5s);
std::string WindowTitle(Display* display, Window window);

struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;  // on the screen
};
Geometry WindowGeometry(Display* display, Window window);

// Real input: the pointer moves and clicks at screen coordinates, keys are pressed and
// released as a keyboard would.
void MovePointer(Display* display, int x, int y);
// Button 1 left, 3 right, 4 and 5 the wheel turned away from and towards the user; the
// modifiers (ShiftMask, ControlMask) are held meanwhile.
void Click(Display* display, int x, int y, unsigned button = 1, unsigned modifiers = 0);
void PressKey(Display* display, KeySym key, unsigned modifiers = 0);
// Presses the left button at the first point, moves with it held to the second in a few
// steps, and releases it there.
void Drag(Display* display, int from_x, int from_y, int to_x, int to_y);
void TypeText(Display* display, const std::string& ascii);

// Asks the window to close as a window manager's close button does.
void RequestClose(Display* display, Window window);

// The top-level windows that are mapped now, the ones the program pops up included.
std::vector<Window> MappedTopLevels(Display* display);

// The text the clipboard holds (UTF-8), asked of its owner; empty when it has none. A
// copy has usually just been asked for: a program that is slow to take the clipboard
// (a loaded machine, the sanitizers) gets a second to do so.
std::string ClipboardText(Display* display);
// Owns the clipboard and offers the text (UTF-8) to whoever pastes, as a spreadsheet
// offers a copied block of several lines, until the object goes. It answers from a thread
// and a connection of its own, so the test may go on sending input meanwhile.
class ClipboardOffer {
 public:
  ClipboardOffer(const std::string& display_name, std::string utf8);
  ~ClipboardOffer();
  ClipboardOffer(const ClipboardOffer&) = delete;
  ClipboardOffer& operator=(const ClipboardOffer&) = delete;

 private:
  void Serve();
  void Answer(const XSelectionRequestEvent& request);

  Display* display_ = nullptr;
  Window owner_ = 0;
  std::string text_;
  std::atomic<bool> stop_{false};
  std::thread server_;
};

// Leaves the clipboard without an owner, so that a copy that copies nothing shows.
void ClearClipboard(Display* display);
// The whole text of the focused field, as a user reads it: select all, copy, paste
// elsewhere. A program whose clipboard is kept by a thread of its own (Wine's) takes the
// clearing of the clipboard in that thread's time: `after_clearing` gives it that time, so
// that the clearing is not taken in after the copy and does not undo it.
std::string CopyFocusedText(Display* display, std::chrono::milliseconds after_clearing = 0ms);

// The mapped top-level windows that bypass the window manager: popups such as menus and
// tips, topmost first.
std::vector<Window> PopupWindows(Display* display);

// A window property of 32-bit items (atoms, cardinals, windows); empty when it has none.
std::vector<unsigned long> LongProperty(Display* display, Window window, const char* name);
// The names of the atoms a window property lists.
std::vector<std::string> AtomNames(Display* display, Window window, const char* name);

// Counts the bells that any program rings on the server from now on.
class BellWatch {
 public:
  explicit BellWatch(Display* display);
  // The bells rung since the last call, once the server has had time to tell.
  int Rings();

 private:
  Display* display_;
  int event_base_ = 0;
};

// The region of the window as 0xRRGGBB pixels, row by row.
std::vector<uint32_t> WindowPixels(Display* display, Window window, const Geometry& region);

// The entries of a popup menu as a user reads them: rows of text from top to bottom (the
// separators are no rows), each greyed or not.
struct MenuRow {
  int centre_y = 0;  // on the screen
  bool enabled = false;
  bool after_separator = false;
};
std::vector<MenuRow> MenuRows(Display* display, Window menu);

// Writes the window's pixels as a PNG file.
void SaveScreenshot(Display* display, Window window, const std::string& path);
// Writes what the screen shows in the region, every window in it, as a PNG file.
void SaveScreenRegion(Display* display, const Geometry& region, const std::string& path);

// The colour the screen shows at the point, 0xRRGGBB.
uint32_t ScreenColour(Display* display, int x, int y);
// The colours the screen shows in the region, row by row, 0xRRGGBB each.
std::vector<uint32_t> ScreenColours(Display* display, const Geometry& region);

// Lets the program handle what was sent (input, repaints) before the test looks.
void Settle(std::chrono::milliseconds time = 150ms);

}  // namespace gui
