#include "runtime/ui/controls/window_control.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_RGB_Image.H>

#include <array>
#include <memory>
#include <vector>

#include "forms/picture.h"
#include "forms/picture_layout.h"
#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/controls/look.h"
#include "runtime/ui/controls/property_table.h"
#include "runtime/ui/loop/common_events.h"
#include "runtime/ui/loop/file_drop.h"
#include "runtime/ui/loop/focus.h"
#include "runtime/ui/loop/window_builder.h"
#include "runtime/ui/system/window_identity.h"

namespace rt {
namespace {

class MainWindowWidget : public Fl_Double_Window {
 public:
  MainWindowWidget(LiveControl& control, int w, int h)
      : Fl_Double_Window(w, h), control_(control), fixed_w_(w), fixed_h_(h) {
    size_range(w, h, w, h);
  }

  void FixClientSize(int w, int h) {
    fixed_w_ = w;
    fixed_h_ = h;
    size_range(w, h, w, h);
  }

  // The client area keeps its size whatever asks for another: a window manager that
  // ignores the size hints, or another program resizing the window.
  void resize(int x, int y, int w, int h) override {
    Fl_Double_Window::resize(x, y, fixed_w_, fixed_h_);
    if (shown() && (w != fixed_w_ || h != fixed_h_)) ReassertClientSize(*this);
  }

  int handle(int event) override {
    // The toolkit would close any window on an Escape nobody took; whether this one
    // closes is the window's own choice (see TakesDialogKey).
    if (event == FL_SHORTCUT && Fl::event_key() == FL_Escape) return 1;
    if (TakeDropEvent(*this, event)) return 1;
    // What a control takes is the control's alone; the window has the rest.
    int result = Fl_Double_Window::handle(event);
    if (!result && CommonEventStopsDefault(control_, *this, event)) return 1;
    return result;
  }

 private:
  LiveControl& control_;
  int fixed_w_, fixed_h_;
};

constexpr std::array kSmallerIconSides = {16, 24, 32, 48};

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
    AnnounceFrame(*widget_, unit_);
    AnnounceLegacyNames(*widget_);
  }

  // Tab moves the focus; Enter either does the same or nothing (no button is a default
  // button); Escape closes the window when it says so and is otherwise the control's.
  bool TakesDialogKey(int key) override {
    switch (key) {
      case FL_Tab: MoveFocusByTab(window(), Fl::event_state(FL_SHIFT) != 0); return true;
      case FL_Enter:
      case FL_KP_Enter:
        if (unit_.enter_moves_focus) MoveFocusByTab(window(), false);
        return true;
      case FL_Escape:
        if (unit_.escape_closes) CloseLiveWindow(window());
        return unit_.escape_closes != 0;
      default: return false;
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
    widget_->FixClientSize(client_w, client_h);
    widget_->resize(rect.left + kFrameWidth, rect.top + kFrameWidth + kCaptionHeight, client_w,
                    client_h);
    // The toolkit rewrites the frame hints along with the size range.
    if (widget_->shown()) AnnounceFrame(*widget_, unit_);
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
    if (widget_->shown()) AnnounceLegacyNames(*widget_);
  }

 private:
  // The template's icon, for the caption and the task bar, with the smaller sizes desktops
  // show scaled from it as the pictures are; the window manager's own when the window has
  // none or it cannot be read.
  void ApplyIcon() {
    std::optional<forms::Image> icon = forms::DecodePicture(unit_.icon);
    if (!icon) return;
    std::vector<forms::Image> sizes;
    for (int side : kSmallerIconSides) sizes.push_back(forms::ScaleImage(*icon, side, side));
    sizes.push_back(std::move(*icon));
    std::vector<std::unique_ptr<Fl_RGB_Image>> images;
    std::vector<const Fl_RGB_Image*> list;
    for (forms::Image& image : sizes) {
      images.push_back(
          std::make_unique<Fl_RGB_Image>(image.rgba.data(), image.width, image.height, 4));
      list.push_back(images.back().get());
    }
    widget_->icons(list.data(), static_cast<int>(list.size()));  // the window keeps copies
    // The program's other windows (its dialogs, the windows the program opens beside this
    // one) carry the same icon.
    Fl_Window::default_icons(list.data(), static_cast<int>(list.size()));
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
    if (loaded.live && WidgetOf(loaded.controls[0]) == window)
      return static_cast<WindowControl*>(ToolkitOf(loaded.controls[0]));
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

template <>
std::unique_ptr<LiveControl> CreateControl(LoadedWindow& window, ControlState& state,
                                           forms::WindowUnit unit) {
  return std::make_unique<MainWindow>(window, state, std::move(unit));
}

}  // namespace rt
