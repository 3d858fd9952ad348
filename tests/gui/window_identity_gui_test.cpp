// What the desktop learns of the main window: its class, its names in the legacy
// encodings, its icons in the sizes desktops show, a size that stays its own, and a
// frame with only a close button under the window managers engineers use.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "forms/picture.h"
#include "forms/picture_layout.h"
#include "forms/unit_data.h"
#include "tests/gui/main_window_fixture.h"

namespace {

using namespace gui;

using WindowIdentityGuiTest = MainWindowGuiTest;

const std::string kTitle = Utf8(u8"电容器相关计算  （并联电容器组计算）");

// A legacy text property decoded as its declared encoding says.
std::string DecodedTextProperty(Display* display, XTextProperty& property) {
  char** list = nullptr;
  int count = 0;
  std::string text;
  if (Xutf8TextPropertyToTextList(display, &property, &list, &count) == Success && count > 0)
    text = list[0];
  if (list) XFreeStringList(list);
  return text;
}

// The icons of _NET_WM_ICON by side: width, height, then that many 0xAARRGGBB pixels each.
std::map<unsigned long, std::vector<unsigned long>> IconsBySide(Display* display, Window window) {
  std::vector<unsigned long> words = LongProperty(display, window, "_NET_WM_ICON");
  std::map<unsigned long, std::vector<unsigned long>> icons;
  for (size_t i = 0; i + 2 <= words.size();) {
    unsigned long w = words[i], h = words[i + 1];
    size_t end = i + 2 + w * h;
    if (w != h || end > words.size()) break;
    icons[w].assign(words.begin() + static_cast<long>(i) + 2,
                    words.begin() + static_cast<long>(end));
    i = end;
  }
  return icons;
}

std::vector<unsigned long> AsIconPixels(const forms::Image& image) {
  std::vector<unsigned long> pixels;
  for (size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
    const uint8_t* p = &image.rgba[i];
    pixels.push_back(static_cast<unsigned long>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2]);
  }
  return pixels;
}

TEST_F(WindowIdentityGuiTest, TheClassAndTheLegacyNamesNameTheProgram) {
  XClassHint hint{};
  ASSERT_TRUE(XGetClassHint(display(), window_, &hint));
  EXPECT_STREQ(hint.res_name, "capcalc");
  EXPECT_STREQ(hint.res_class, "Capcalc");
  XFree(hint.res_name);
  XFree(hint.res_class);

  Atom compound = XInternAtom(display(), "COMPOUND_TEXT", False);
  XTextProperty name{}, icon_name{};
  ASSERT_TRUE(XGetWMName(display(), window_, &name));
  ASSERT_TRUE(XGetWMIconName(display(), window_, &icon_name));
  EXPECT_TRUE(name.encoding == compound || name.encoding == XA_STRING);
  EXPECT_EQ(DecodedTextProperty(display(), name), kTitle);
  EXPECT_EQ(DecodedTextProperty(display(), icon_name), kTitle);
  XFree(name.value);
  XFree(icon_name.value);
}

// 16, 24, 32 and 48 pixels scaled from the 72-pixel icon as the pictures are scaled.
TEST_F(WindowIdentityGuiTest, TheIconComesInTheSizesDesktopsShow) {
  std::map<unsigned long, std::vector<unsigned long>> icons = IconsBySide(display(), window_);
  std::vector<unsigned long> sides;
  for (const auto& [side, pixels] : icons) sides.push_back(side);
  EXPECT_EQ(sides, (std::vector<unsigned long>{16, 24, 32, 48, 72}));
  auto unit = std::get<forms::WindowUnit>(
      *forms::ParseUnitData(MainWindowRecord().type_code, MainWindowRecord().unit_data));
  std::optional<forms::Image> icon = forms::DecodePicture(unit.icon);
  ASSERT_TRUE(icon);
  EXPECT_EQ(icons[72], AsIconPixels(*icon));
  for (int side : {16, 24, 32, 48})
    EXPECT_EQ(icons[static_cast<unsigned long>(side)],
              AsIconPixels(forms::ScaleImage(*icon, side, side)))
        << side;
}

// Without a window manager nothing stands between another program and the window.
TEST_F(WindowIdentityGuiTest, AnOutsideResizeDoesNotChangeTheWindow) {
  XResizeWindow(display(), window_, 900, 700);
  XSync(display(), False);
  Settle(500ms);
  Geometry now = WindowGeometry(display(), window_);
  EXPECT_EQ(now.width, 644);
  EXPECT_EQ(now.height, 463);
  EXPECT_EQ(now.x, origin_.x);
  EXPECT_EQ(now.y, origin_.y);
}

// Without a window manager the window is mapped once, at the centre of the screen where
// it stays: it never shows anywhere else first.
TEST(WindowPlaceGuiTest, TheWindowAppearsWhereItStays) {
  XServer server;
  Display* display = server.display();
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  Child program = Child::Program(server, CAPCALC_PROGRAM);
  Window window = WaitForWindow(display, kTitle);
  ASSERT_NE(window, 0u);
  Settle(300ms);
  using Place = std::pair<int, int>;
  std::map<Window, Place> places;
  std::vector<Place> mapped_at;
  while (XPending(display)) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == CreateNotify)
      places[event.xcreatewindow.window] = {event.xcreatewindow.x, event.xcreatewindow.y};
    if (event.type == ConfigureNotify)
      places[event.xconfigure.window] = {event.xconfigure.x, event.xconfigure.y};
    if (event.type == MapNotify && event.xmap.window == window) mapped_at.push_back(places[window]);
  }
  // 650 × 488 outside, centred on the 1024 × 768 screen; the client area lies inside.
  const Place centred = {(1024 - 650) / 2 + 3, (768 - 488) / 2 + 3 + 19};
  EXPECT_EQ(mapped_at, std::vector<Place>{centred});
  EXPECT_EQ(places[window], centred);
}

// Under a window manager: the program starts after it, as on a desktop.
class WindowManagerGuiTest : public ::testing::TestWithParam<const char*> {
 protected:
  Display* display() const { return server_.display(); }

  XServer server_;
  Child manager_ = StartWindowManager(server_, {GetParam()});
  Child program_ = Child::Program(server_, CAPCALC_PROGRAM);
};

// The manager offers only to move and to close the window (and what it offers every
// window: shading, layers, desktops), and gives it the focus.
TEST_P(WindowManagerGuiTest, FramesTheWindowWithOnlyACloseButton) {
  Window window = WaitForWindow(display(), kTitle);
  ASSERT_NE(window, 0u);
  std::vector<std::string> actions;
  WaitUntil(
      [&] {
        actions = AtomNames(display(), window, "_NET_WM_ALLOWED_ACTIONS");
        return !actions.empty();
      },
      5s);
  Settle(500ms);  // the manager may still be reading the hints
  actions = AtomNames(display(), window, "_NET_WM_ALLOWED_ACTIONS");
  auto offers = [&](const char* action) {
    return std::ranges::find(actions, action) != actions.end();
  };
  EXPECT_TRUE(offers("_NET_WM_ACTION_CLOSE"));
  EXPECT_TRUE(offers("_NET_WM_ACTION_MOVE"));
  EXPECT_FALSE(offers("_NET_WM_ACTION_MINIMIZE"));
  EXPECT_FALSE(offers("_NET_WM_ACTION_MAXIMIZE_HORZ"));
  EXPECT_FALSE(offers("_NET_WM_ACTION_MAXIMIZE_VERT"));
  EXPECT_FALSE(offers("_NET_WM_ACTION_RESIZE"));
  EXPECT_EQ(LongProperty(display(), DefaultRootWindow(display()), "_NET_ACTIVE_WINDOW"),
            std::vector<unsigned long>{window});

  Geometry g = WindowGeometry(display(), window);
  std::filesystem::create_directories(CAPCALC_SCREENSHOT_DIR);
  SaveScreenRegion(display(), {g.x - 8, g.y - 32, g.width + 16, 40},
                   std::string(CAPCALC_SCREENSHOT_DIR) + "/frame-" + GetParam() + ".png");
}

INSTANTIATE_TEST_SUITE_P(OpenboxAndIcewm, WindowManagerGuiTest,
                         ::testing::Values("openbox", "icewm"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
