#include "tests/gui/x_harness.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <png.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

namespace gui {
namespace {

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what); }

std::string ReadLine(int fd) {
  std::string line;
  char c;
  while (read(fd, &c, 1) == 1 && c != '\n') line += c;
  return line;
}

bool TitleMatches(Display* display, Window window, const std::string& title) {
  return WindowTitle(display, window).starts_with(title);
}

Window FindByTitle(Display* display, Window under, const std::string& title) {
  if (TitleMatches(display, under, title)) return under;
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, under, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && !found; ++i) found = FindByTitle(display, children[i], title);
  if (children) XFree(children);
  return found;
}

bool Viewable(Display* display, Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// A child that goes when the test process goes, however that ends: a test that dies must
// not leave its server and program behind, holding its output open.
pid_t ForkChild() {
  pid_t parent = getpid();
  pid_t pid = fork();
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
  }
  return pid;
}

// Windows come and go on their own (popups, a program that ends) between a look at the
// tree and a question about one of them, so a failed request is never fatal; those about
// vanished windows are not even worth a line.
int ReportXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow) return 0;
  char text[256];
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "X error: %s\n", text);
  return 0;
}

void Flush(Display* display) {
  XFlush(display);
  XSync(display, False);
}

// 0xRRGGBB of a pixel of a true-colour image.
uint32_t RgbOf(const XImage* image, unsigned long pixel) {
  auto channel = [&](unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
      mask >>= 1;
      ++shift;
    }
    return static_cast<uint32_t>((pixel >> shift) & 0xFF);
  };
  return channel(image->red_mask) << 16 | channel(image->green_mask) << 8 |
         channel(image->blue_mask);
}

// A region of the drawable's pixels, row by row, 0xRRGGBB each.
std::vector<uint32_t> ReadDrawable(Display* display, Drawable drawable, const Geometry& region) {
  XImage* image =
      XGetImage(display, drawable, region.x, region.y, static_cast<unsigned>(region.width),
                static_cast<unsigned>(region.height), AllPlanes, ZPixmap);
  if (!image) Fail("cannot read the pixels");
  std::vector<uint32_t> pixels;
  pixels.reserve(static_cast<size_t>(region.width) * static_cast<size_t>(region.height));
  for (int y = 0; y < region.height; ++y) {
    for (int x = 0; x < region.width; ++x) pixels.push_back(RgbOf(image, XGetPixel(image, x, y)));
  }
  XDestroyImage(image);
  return pixels;
}

// Writes a region of the drawable's pixels as a PNG file.
void SaveDrawable(Display* display, Drawable drawable, const Geometry& region,
                  const std::string& path) {
  const std::vector<uint32_t> pixels = ReadDrawable(display, drawable, region);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) Fail("cannot write " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(region.width),
               static_cast<png_uint_32>(region.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(region.width) * 3);
  for (int y = 0; y < region.height; ++y) {
    for (int x = 0; x < region.width; ++x) {
      uint32_t rgb = pixels[static_cast<size_t>(y) * static_cast<size_t>(region.width) +
                            static_cast<size_t>(x)];
      row[static_cast<size_t>(x) * 3] = static_cast<png_byte>(rgb >> 16);
      row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(rgb >> 8);
      row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(rgb);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

}  // namespace

XServer::XServer() {
  int fds[2];
  if (pipe(fds) != 0) Fail("pipe");
  pid_ = ForkChild();
  if (pid_ == 0) {
    // The read end may itself be descriptor 3: it goes first.
    close(fds[0]);
    if (fds[1] != 3) dup2(fds[1], 3);
    execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
           "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number = ReadLine(fds[0]);
  close(fds[0]);
  if (number.empty()) Fail("Xvfb did not start");
  name_ = ":" + number;
  XSetErrorHandler(ReportXError);
  display_ = XOpenDisplay(name_.c_str());
  if (!display_) Fail("cannot open " + name_);
}

XServer::~XServer() {
  if (display_) XCloseDisplay(display_);
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    // Now and then the server misses the request and waits on for good (seen in a suite
    // run that hung for twenty minutes): it gets a few seconds, then it is killed.
    if (!WaitUntil([this] { return waitpid(pid_, nullptr, WNOHANG) == pid_; }, 5s)) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
}

Child Child::Program(const XServer& server, const std::string& path) {
  return Command(server, {path});
}

Child Child::Command(const XServer& server, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;  // made before the fork: the child only execs
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = ForkChild();
  if (pid == 0) {
    setenv("DISPLAY", server.name().c_str(), 1);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return Child(pid);
}

Child Child::Function(const XServer& server, std::function<int()> body) {
  std::fflush(nullptr);  // or the child's exit writes out the test's buffered output again
  pid_t pid = ForkChild();
  if (pid == 0) {
    setenv("DISPLAY", server.name().c_str(), 1);
    _exit(body());
  }
  return Child(pid);
}

Child::Child(Child&& other) noexcept : pid_(other.pid_), status_(other.status_) { other.pid_ = -1; }

Child::~Child() {
  if (pid_ > 0 && !status_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

std::optional<int> Child::WaitForExit(std::chrono::milliseconds timeout) {
  WaitUntil(
      [this] {
        if (status_) return true;
        int raw = 0;
        if (waitpid(pid_, &raw, WNOHANG) != pid_) return false;
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return true;
      },
      timeout);
  return status_;
}

Child StartWindowManager(const XServer& server, const std::vector<std::string>& argv) {
  Child manager = Child::Function(server, [argv] {
    // What a window manager says about its themes and menus is no part of the test.
    int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    return 127;
  });
  // A manager announces itself before it handles requests (openbox loses a window mapped
  // in between): it runs once it has taken a window of the test's under its care.
  Display* display = server.display();
  Window probe = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
  bool running = WaitUntil(
      [&] {
        if (LongProperty(display, DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK").empty())
          return false;
        XMapWindow(display, probe);
        Flush(display);
        return !LongProperty(display, probe, "WM_STATE").empty();
      },
      10s);
  XDestroyWindow(display, probe);
  Flush(display);
  if (!running) Fail(argv[0] + " did not start");
  return manager;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

std::string WindowTitle(Display* display, Window window) {
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom net_name = XInternAtom(display, "_NET_WM_NAME", False);
  Atom type;
  int format;
  unsigned long items, after;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, net_name, 0, 1024, False, utf8, &type, &format, &items,
                         &after, &data) == Success &&
      data) {
    title.assign(reinterpret_cast<char*>(data), items);
    XFree(data);
  }
  return title;
}

Window WaitForWindow(Display* display, const std::string& utf8_title,
                     std::chrono::milliseconds timeout) {
  Window found = 0;
  WaitUntil(
      [&] {
        found = FindByTitle(display, DefaultRootWindow(display), utf8_title);
        return found && Viewable(display, found);
      },
      timeout);
  return found && Viewable(display, found) ? found : 0;
}

Geometry WindowGeometry(Display* display, Window window) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  Window child;
  Geometry g;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &g.x, &g.y, &child);
  g.width = attributes.width;
  g.height = attributes.height;
  return g;
}

void MovePointer(Display* display, int x, int y) {
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
  Flush(display);
}

namespace {

// Presses the modifier keys, does `action`, releases them.
void WithModifiers(Display* display, unsigned modifiers, const std::function<void()>& action) {
  std::vector<KeyCode> held;
  if (modifiers & ShiftMask) held.push_back(XKeysymToKeycode(display, XK_Shift_L));
  if (modifiers & ControlMask) held.push_back(XKeysymToKeycode(display, XK_Control_L));
  for (KeyCode code : held) XTestFakeKeyEvent(display, code, True, CurrentTime);
  action();
  for (auto it = held.rbegin(); it != held.rend(); ++it)
    XTestFakeKeyEvent(display, *it, False, CurrentTime);
  Flush(display);
}

}  // namespace

void Click(Display* display, int x, int y, unsigned button, unsigned modifiers) {
  MovePointer(display, x, y);
  WithModifiers(display, modifiers, [&] {
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XTestFakeButtonEvent(display, button, False, CurrentTime);
  });
}

void PressKey(Display* display, KeySym key, unsigned modifiers) {
  WithModifiers(display, modifiers, [&] {
    KeyCode code = XKeysymToKeycode(display, key);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
  });
}

void Drag(Display* display, int from_x, int from_y, int to_x, int to_y) {
  constexpr int kSteps = 8;
  MovePointer(display, from_x, from_y);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  // At a hand's pace: a burst of motion reaches the program as one move.
  for (int i = 1; i <= kSteps; ++i) {
    Settle(20ms);
    MovePointer(display, from_x + (to_x - from_x) * i / kSteps,
                from_y + (to_y - from_y) * i / kSteps);
  }
  Settle(20ms);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  Flush(display);
}

void RequestClose(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  Flush(display);
}

std::vector<Window> MappedTopLevels(Display* display) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  std::vector<Window> mapped;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
    return mapped;
  for (unsigned i = 0; i < count; ++i) {
    if (Viewable(display, children[i])) mapped.push_back(children[i]);
  }
  if (children) XFree(children);
  return mapped;
}

void TypeText(Display* display, const std::string& ascii) {
  for (char c : ascii) {
    KeySym key = XStringToKeysym(std::string(1, c).c_str());
    if (c == '.') key = XK_period;
    if (c == '-') key = XK_minus;
    if (c == ' ') key = XK_space;
    if (c == ',') key = XK_comma;
    KeyCode code = XKeysymToKeycode(display, key);
    // Characters on the shifted level of their key need Shift.
    bool shifted = XkbKeycodeToKeysym(display, code, 0, 0) != key;
    PressKey(display, key, shifted ? ShiftMask : 0);
  }
}

std::string ClipboardText(Display* display) {
  Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom property = XInternAtom(display, "CAPCALC_TEST_CLIPBOARD", False);
  WaitUntil([&] { return XGetSelectionOwner(display, clipboard) != None; }, 1s);
  Window requestor = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XConvertSelection(display, clipboard, utf8, property, requestor, CurrentTime);
  Flush(display);
  std::string text;
  XEvent event;
  bool answered = WaitUntil(
      [&] { return XCheckTypedWindowEvent(display, requestor, SelectionNotify, &event); }, 2s);
  if (answered && event.xselection.property != None) {
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, requestor, property, 0, 65536, True, AnyPropertyType, &type,
                       &format, &items, &after, &data);
    if (data) {
      text.assign(reinterpret_cast<char*>(data), items);
      XFree(data);
    }
  }
  XDestroyWindow(display, requestor);
  return text;
}

ClipboardOffer::ClipboardOffer(const std::string& display_name, std::string utf8)
    : display_(XOpenDisplay(display_name.c_str())), text_(std::move(utf8)) {
  if (!display_) throw std::runtime_error("no connection for the clipboard");
  owner_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display_, XInternAtom(display_, "CLIPBOARD", False), owner_, CurrentTime);
  XSync(display_, False);
  server_ = std::thread([this] { Serve(); });
}

ClipboardOffer::~ClipboardOffer() {
  stop_ = true;
  server_.join();
  XDestroyWindow(display_, owner_);
  XCloseDisplay(display_);
}

void ClipboardOffer::Serve() {
  while (!stop_) {
    while (XPending(display_)) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == SelectionRequest) Answer(event.xselectionrequest);
    }
    std::this_thread::sleep_for(10ms);
  }
}

// The text as UTF8_STRING, STRING or text/plain, and the list of those (TARGETS).
void ClipboardOffer::Answer(const XSelectionRequestEvent& request) {
  const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
  const Atom targets = XInternAtom(display_, "TARGETS", False);
  const Atom plain = XInternAtom(display_, "text/plain;charset=utf-8", False);
  XSelectionEvent answer{};
  answer.type = SelectionNotify;
  answer.requestor = request.requestor;
  answer.selection = request.selection;
  answer.target = request.target;
  answer.time = request.time;
  answer.property = request.property != None ? request.property : request.target;
  if (request.target == targets) {
    const Atom offered[] = {targets, utf8, XA_STRING, plain};
    XChangeProperty(display_, request.requestor, answer.property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(offered), 4);
  } else if (request.target == utf8 || request.target == XA_STRING || request.target == plain) {
    XChangeProperty(display_, request.requestor, answer.property, request.target, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(text_.data()),
                    static_cast<int>(text_.size()));
  } else {
    answer.property = None;
  }
  XSendEvent(display_, request.requestor, False, 0, reinterpret_cast<XEvent*>(&answer));
  XFlush(display_);
}

void ClearClipboard(Display* display) {
  XSetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False), None, CurrentTime);
  Flush(display);
}

std::string CopyFocusedText(Display* display, std::chrono::milliseconds after_clearing) {
  ClearClipboard(display);
  Settle(after_clearing);
  PressKey(display, XK_a, ControlMask);
  PressKey(display, XK_c, ControlMask);
  Settle();
  return ClipboardText(display);
}

std::vector<Window> PopupWindows(Display* display) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  std::vector<Window> popups;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
    return popups;
  for (unsigned i = count; i-- > 0;) {  // the tree lists the topmost last
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, children[i], &attributes) && attributes.override_redirect &&
        attributes.map_state == IsViewable)
      popups.push_back(children[i]);
  }
  if (children) XFree(children);
  return popups;
}

void SaveScreenshot(Display* display, Window window, const std::string& path) {
  Geometry g = WindowGeometry(display, window);
  SaveDrawable(display, window, {0, 0, g.width, g.height}, path);
}

void SaveScreenRegion(Display* display, const Geometry& region, const std::string& path) {
  SaveDrawable(display, DefaultRootWindow(display), region, path);
}

std::vector<unsigned long> LongProperty(Display* display, Window window, const char* name) {
  Atom type;
  int format;
  unsigned long items, after;
  unsigned char* data = nullptr;
  std::vector<unsigned long> values;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 20, False,
                         AnyPropertyType, &type, &format, &items, &after, &data) == Success &&
      data) {
    // Xlib hands 32-bit items over as longs, sign-extended.
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    if (format == 32) {
      for (unsigned long i = 0; i < items; ++i) values.push_back(longs[i] & 0xFFFFFFFFul);
    }
    XFree(data);
  }
  return values;
}

std::vector<std::string> AtomNames(Display* display, Window window, const char* name) {
  std::vector<std::string> names;
  for (unsigned long atom : LongProperty(display, window, name)) {
    char* atom_name = XGetAtomName(display, static_cast<Atom>(atom));
    names.push_back(atom_name ? atom_name : "");
    if (atom_name) XFree(atom_name);
  }
  return names;
}

BellWatch::BellWatch(Display* display) : display_(display) {
  int opcode, error_base, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(display, &opcode, &event_base_, &error_base, &major, &minor))
    Fail("the server has no keyboard extension to hear bells by");
  XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
  Flush(display);
}

int BellWatch::Rings() {
  Settle();
  XSync(display_, False);
  int rings = 0;
  XEvent event;
  while (XCheckTypedEvent(display_, event_base_, &event)) {
    if (reinterpret_cast<XkbEvent*>(&event)->any.xkb_type == XkbBellNotify) ++rings;
  }
  return rings;
}

namespace {

int Lightness(uint32_t rgb) { return std::max({rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF}); }

// The darkest pixel of each line of the menu's left part, where every caption starts.
std::vector<int> DarkestPerLine(Display* display, Window menu, const Geometry& g) {
  const int left = 4, width = std::min(40, g.width - 8);
  std::vector<uint32_t> pixels = ReadDrawable(display, menu, {left, 0, width, g.height});
  std::vector<int> darkest(static_cast<size_t>(g.height), 255);
  for (size_t i = 0; i < pixels.size(); ++i) {
    int& line = darkest[i / static_cast<size_t>(width)];
    line = std::min(line, Lightness(pixels[i]));
  }
  return darkest;
}

}  // namespace

// A row is a run of lines with ink, darker than the menu's own colour, that is taller than
// a separator; its text is greyed when nothing in it is dark. A shorter run between two
// rows is a separator.
std::vector<MenuRow> MenuRows(Display* display, Window menu) {
  constexpr int kDark = 0x60, kSeparatorHeight = 3;
  Geometry g = WindowGeometry(display, menu);
  std::vector<int> darkest = DarkestPerLine(display, menu, g);
  // The menu's own colour, which may run in a gradient, shows just inside its frame above
  // the first row and below the last; anything darker is ink, the faint line of a
  // separator included.
  const int ink = std::min(darkest[2], darkest[static_cast<size_t>(g.height) - 3]) - 8;
  std::vector<MenuRow> rows;
  bool separator = false;
  for (int y = 2; y < g.height - 2;) {  // inside the menu's frame
    int start = y, dark = 255;
    while (y < g.height - 2 && darkest[static_cast<size_t>(y)] < ink)
      dark = std::min(dark, darkest[static_cast<size_t>(y++)]);
    if (y - start > kSeparatorHeight) {
      rows.push_back({g.y + (start + y) / 2, dark < kDark, separator});
      separator = false;
    } else if (y > start) {
      separator = !rows.empty();
    }
    if (y == start) ++y;
  }
  return rows;
}

std::vector<uint32_t> WindowPixels(Display* display, Window window, const Geometry& region) {
  return ReadDrawable(display, window, region);
}

uint32_t ScreenColour(Display* display, int x, int y) {
  return ScreenColours(display, {x, y, 1, 1}).front();
}

std::vector<uint32_t> ScreenColours(Display* display, const Geometry& region) {
  return ReadDrawable(display, DefaultRootWindow(display), region);
}

void Settle(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }

}  // namespace gui
