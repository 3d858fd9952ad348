// On X11 the message box is a window of the toolkit's, drawn as the system's would be.
#include "runtime/ui/system/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/look.h"

namespace rt {
namespace {

constexpr int kMargin = 14;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;

// The stop sign: a red disc with a white cross.
class StopIcon : public Fl_Widget {
 public:
  StopIcon(int x, int y) : Fl_Widget(x, y, kIconSize, kIconSize) {}
  void draw() override {
    fl_color(fl_rgb_color(200, 0, 0));
    fl_pie(x(), y(), w(), h(), 0, 360);
    fl_color(FL_WHITE);
    fl_line_style(FL_SOLID | FL_CAP_ROUND, 4);
    int inset = w() / 3;
    fl_line(x() + inset, y() + inset, x() + w() - inset, y() + h() - inset);
    fl_line(x() + w() - inset, y() + inset, x() + inset, y() + h() - inset);
    fl_line_style(0);
  }
};

std::string WithoutCarriageReturns(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

void Confirmed(Fl_Widget*, void* window) { static_cast<Fl_Window*>(window)->hide(); }

// Either Enter key confirms the box, wherever the focus is, as Space does on the button.
class OkButton : public Fl_Button {
 public:
  using Fl_Button::Fl_Button;
  int handle(int event) override {
    bool key = event == FL_KEYBOARD || event == FL_SHORTCUT;
    if (key && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
      do_callback();
      return 1;
    }
    return Fl_Button::handle(event);
  }
};

}  // namespace

void PresentInMessageBox(const std::string& gbk_text) {
  fl_open_display();
  const std::string text = WithoutCarriageReturns(GbkToUtf8(gbk_text));
  const std::string caption = GbkToUtf8("错误");
  const std::string ok_label = GbkToUtf8("确定");  // the toolkit draws UTF-8
  ToolkitFont font = ToToolkitFont(std::nullopt);
  fl_font(font.face, font.size);
  int text_w = 0, text_h = 0;
  fl_measure(text.c_str(), text_w, text_h, 0);
  text_w = std::max(text_w, 160);
  text_h = std::max(text_h, kIconSize);
  const int width = kMargin * 3 + kIconSize + text_w;
  const int height = kMargin * 3 + text_h + kButtonHeight;

  Fl_Window window(width, height, caption.c_str());
  StopIcon icon(kMargin, kMargin);
  Fl_Box message(kMargin * 2 + kIconSize, kMargin, text_w, text_h, text.c_str());
  message.align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
  message.labelfont(font.face);
  message.labelsize(font.size);
  OkButton ok((width - kButtonWidth) / 2, height - kMargin - kButtonHeight, kButtonWidth,
              kButtonHeight, ok_label.c_str());
  ok.labelfont(font.face);
  ok.labelsize(font.size);
  ok.callback(Confirmed, &window);
  window.end();
  window.callback(Confirmed, &window);
  window.set_modal();
  Fl::grab(nullptr);  // a list left dropped down would keep the keyboard from the box
  int screen_x, screen_y, screen_w, screen_h;
  Fl::screen_work_area(screen_x, screen_y, screen_w, screen_h);
  window.position(screen_x + (screen_w - width) / 2, screen_y + (screen_h - height) / 2);
  window.show();
  ok.take_focus();
  while (window.shown()) Fl::wait();
}

}  // namespace rt
