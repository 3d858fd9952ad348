#include "runtime/controls/window_control.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/x.H>

#include "forms/picture.h"
#include "runtime/controls/common_events.h"
#include "runtime/controls/control_factory.h"
#include "runtime/controls/focus.h"
#include "runtime/controls/look.h"
#include "runtime/controls/property_table.h"
#include "runtime/gbk.h"
#include "runtime/window_builder.h"

namespace rt {
namespace {

class MainWindowWidget : public Fl_Double_Window {
 public:
  MainWindowWidget(LiveControl& control, int w, int h) : Fl_Double_Window(w, h), control_(control) {}

  int handle(int event) override {
    // The toolkit would close any window on an Escape nobody took; whether this one
    // closes is the window's own choice (see TakesDialogKey).
    if (event == FL_SHORTCUT && Fl::event_key() == FL_Escape) return 1;
    // What a control takes is the control's alone; the window has the rest.
    int result = Fl_Double_Window::handle(event);
    if (!result && CommonEventStopsDefault(control_, *this, event)) return 1;
    return result;
  }

 private:
  LiveControl& control_;
};

// Motif window-manager hints: the functions and decorations of a fixed dialog frame
// with a close button and a system menu, without minimise and maximise buttons.
void SetFixedFrameHints(Fl_Window* window, const forms::WindowUnit& unit) {
  struct {
    unsigned long flags, functions, decorations;
    long input_mode;
    unsigned long status;
  } hints = {3, 0, 0, 0, 0};
  enum { kAll = 1, kResize = 2, kMove = 4, kMinimize = 8, kMaximize = 16, kClose = 32 };
  enum { kBorder = 2, kTitle = 8, kMenu = 16, kMinimizeButton = 32, kMaximizeButton = 64 };
  hints.functions = kClose | (unit.movable ? kMove : 0) | (unit.minimise_button ? kMinimize : 0) |
                    (unit.maximise_button ? kMaximize : 0);
  hints.decorations = kBorder | kTitle | (unit.control_box ? kMenu : 0) |
                      (unit.minimise_button ? kMinimizeButton : 0) |
                      (unit.maximise_button ? kMaximizeButton : 0);
  Atom property = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(fl_display, fl_xid(window), property, property, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&hints), 5);
}

class MainWindow : public WindowControl {
 public:
  MainWindow(LoadedWindow& window, ControlState& state, forms::WindowUnit unit)
      : WindowControl(window, state), unit_(std::move(unit)) {
    const forms::ControlRecord& r = record();
    int client_w = std::max(1, r.width - 2 * kFrameWidth);
    int client_h = std::max(1, r.height - 2 * kFrameWidth - kCaptionHeight);
    widget_ = new MainWindowWidget(*this, client_w, client_h);
    Fl_Group::current(nullptr);
    widget_->resizable(nullptr);
    widget_->size_range(client_w, client_h, client_w, client_h);
    title_ = GbkToUtf8(unit_.caption);
    widget_->label(title_.c_str());
    widget_->color(ToToolkitColour(unit_.background, FL_BACKGROUND_COLOR));
    widget_->callback(&MainWindow::Closed, this);
    ApplyLabelFont(widget_, std::nullopt);
    ApplyIcon();
  }

  ~MainWindow() override { delete widget_; }

  Fl_Widget* widget() override { return widget_; }

  void ShowOnScreen() override {
    if (unit_.position == 1) {
      int screen_x, screen_y, screen_w, screen_h;
      Fl::screen_work_area(screen_x, screen_y, screen_w, screen_h);
      widget_->position(screen_x + (screen_w - record().width) / 2 + kFrameWidth,
                        screen_y + (screen_h - record().height) / 2 + kFrameWidth + kCaptionHeight);
    } else {
      widget_->position(record().left + kFrameWidth, record().top + kFrameWidth + kCaptionHeight);
    }
    widget_->show();
    SetFixedFrameHints(widget_, unit_);
  }

  // Tab moves the focus; Enter either does the same or nothing (no button is a default
  // button); Escape closes the window when it says so and is otherwise the control's.
  bool TakesDialogKey(int key) override {
    switch (key) {
      case FL_Tab:
        MoveFocusByTab(window(), Fl::event_state(FL_SHIFT) != 0);
        return true;
      case FL_Enter:
      case FL_KP_Enter:
        if (unit_.enter_moves_focus) MoveFocusByTab(window(), false);
        return true;
      case FL_Escape:
        if (unit_.escape_closes) CloseLiveWindow(window());
        return unit_.escape_closes != 0;
      default:
        return false;
    }
  }

  // The window's rectangle is its outer one, on the screen.
  std::optional<ControlRect> CurrentRect() override {
    return ControlRect{widget_->x() - kFrameWidth, widget_->y() - kFrameWidth - kCaptionHeight,
                       widget_->w() + 2 * kFrameWidth,
                       widget_->h() + 2 * kFrameWidth + kCaptionHeight};
  }

  void ApplyRect(const ControlRect& rect) override {
    int client_w = std::max(1, rect.width - 2 * kFrameWidth);
    int client_h = std::max(1, rect.height - 2 * kFrameWidth - kCaptionHeight);
    widget_->size_range(client_w, client_h, client_w, client_h);
    widget_->resize(rect.left + kFrameWidth, rect.top + kFrameWidth + kCaptionHeight, client_w,
                    client_h);
  }

  std::optional<bool> CurrentlyVisible() override { return widget_->shown() && widget_->visible(); }

  std::string DisplayedText() const override { return unit_.caption; }

  std::optional<PropertyForm> FormOf(int index) const override {
    if (index == 0) return PropertyForm::kText;
    return std::nullopt;
  }
  PropertyData ReadProperty(int) const override { return TextData(unit_.caption); }
  void WriteProperty(int, const PropertyData& value) override {
    unit_.caption = value.text;
    title_ = GbkToUtf8(unit_.caption);
    widget_->label(title_.c_str());
  }

 private:
  // The template's icon, for the caption and the task bar; the window manager's own when
  // the window has none or it cannot be read.
  void ApplyIcon() {
    std::optional<forms::Image> icon = forms::DecodePicture(unit_.icon);
    if (!icon) return;
    Fl_RGB_Image image(icon->rgba.data(), icon->width, icon->height, 4);
    widget_->icon(&image);  // the window keeps a copy
  }

  static void Closed(Fl_Widget*, void* self) {
    CloseLiveWindow(static_cast<MainWindow*>(self)->window());
  }

  forms::WindowUnit unit_;
  MainWindowWidget* widget_;
  std::string title_;
};

WindowControl* LiveWindowShowing(const Fl_Window* window) {
  for (LoadedWindow& loaded : LoadedWindows()) {
    LiveControl* own = loaded.controls[0].live.get();
    if (loaded.live && own && own->widget() == window) return static_cast<WindowControl*>(own);
  }
  return nullptr;
}

int DispatchDialogKeysFirst(int event, Fl_Window* window) {
  bool plain_key = event == FL_KEYBOARD && !Fl::event_state(FL_CTRL | FL_ALT | FL_META) &&
                   !Fl::grab() && !Fl::modal();
  WindowControl* target = plain_key && window ? LiveWindowShowing(window) : nullptr;
  if (target && target->TakesDialogKey(Fl::event_key())) return 1;
  return Fl::handle_(event, window);
}

}  // namespace

void InstallDialogKeys() { Fl::event_dispatch(DispatchDialogKeysFirst); }

std::unique_ptr<LiveControl> CreateWindowControl(LoadedWindow& window, ControlState& state,
                                                 forms::WindowUnit unit) {
  return std::make_unique<MainWindow>(window, state, std::move(unit));
}

}  // namespace rt
