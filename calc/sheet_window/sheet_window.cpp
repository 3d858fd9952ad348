#include "calc/sheet_window/sheet_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

#include <algorithm>
#include <list>
#include <map>
#include <memory>
#include <tuple>

#include "calc/pages/calculator_state.h"
#include "calc/pages/page_sheets.h"
#include "calc/pages/protection_boxes.h"
#include "calc/sheet_window/measured_window.h"
#include "calc/sheet_window/sheet_printing.h"
#include "calc/sheet_window/sheet_saving.h"
#include "calc/sheet_window/sheet_view.h"
#include "calc/sheet_window/sheet_windows.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"
#include "runtime/ui/controls/look.h"

namespace calc {
namespace {

constexpr int kWidth = 760;
constexpr int kHeight = 680;
constexpr int kMinimumWidth = 420;
constexpr int kMinimumHeight = 260;
constexpr int kSpacing = 10;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 28;

}  // namespace

class SheetWindow : public Fl_Double_Window {
 public:
  SheetWindow()
      : Fl_Double_Window(kWidth, kHeight), view_(0, 0, kWidth, kHeight - ButtonRowHeight()) {
    const int y = kHeight - kSpacing - kButtonHeight;
    int x = kWidth - 3 * (kButtonWidth + kSpacing);
    for (auto [button, caption, action] : {std::tuple{&save_, "保存…", &SheetWindow::Save},
                                           std::tuple{&print_, "打印…", &SheetWindow::Print},
                                           std::tuple{&close_, "关闭", &SheetWindow::Close}}) {
      *button = std::make_unique<Fl_Button>(x, y, kButtonWidth, kButtonHeight);
      Caption(**button, caption);
      (*button)->callback(action, this);
      x += kButtonWidth + kSpacing;
    }
    measured_ = std::make_unique<Fl_Button>(kSpacing, y, kButtonWidth, kButtonHeight);
    Caption(*measured_, "实测电容…");
    measured_->callback(&SheetWindow::Measured, this);
    end();
    resizable(&view_);
    size_range(kMinimumWidth, kMinimumHeight);
    callback(&SheetWindow::Close, this);  // the window manager's close button, Escape
  }

  // The sheet in place of the one shown, the window in front.
  void Present(const Sheet& sheet) {
    Replace(sheet);
    if (!shown()) CentreOnScreen();
    show();
    view_.take_focus();  // the arrow keys scroll the sheet
  }

  // The sheet in place of the one shown.
  void Replace(const Sheet& sheet) {
    sheet_ = sheet;
    title_ = rt::GbkToUtf8(SheetTitle(sheet_));
    label(title_.c_str());
    document_ = DocumentOf(sheet_);
    diagram_ = forms::DecodePicture(sheet_.diagram);
    view_.Show(document_, diagram_);
    measured_->activate();
    if (sheet_.page == CalculationPage::kCapacitorPage) measured_->deactivate();
  }

 private:
  static int ButtonRowHeight() { return kButtonHeight + 2 * kSpacing; }

  void CentreOnScreen() {
    int screen_x, screen_y, screen_w, screen_h;
    Fl::screen_work_area(screen_x, screen_y, screen_w, screen_h);
    position(screen_x + std::max(0, (screen_w - w()) / 2),
             screen_y + std::max(0, (screen_h - h()) / 2));
  }

  void Caption(Fl_Button& button, const char* gbk) {
    captions_.push_back(rt::GbkToUtf8(gbk));
    const rt::ToolkitFont font = rt::ToToolkitFont(std::nullopt);
    button.label(captions_.back().c_str());
    button.labelfont(font.face);
    button.labelsize(font.size);
  }

  static void Save(Fl_Widget*, void* self) {
    SaveSheetThroughChooser(static_cast<SheetWindow*>(self)->sheet_);
  }
  static void Print(Fl_Widget*, void* self) {
    auto* window = static_cast<SheetWindow*>(self);
    PrintSheet(window->document_, window->diagram_, *window);
  }
  static void Close(Fl_Widget*, void* self) { static_cast<SheetWindow*>(self)->hide(); }
  static void Measured(Fl_Widget*, void* self) {
    ShowMeasuredWindow(static_cast<SheetWindow*>(self)->sheet_.page);
  }

  Sheet sheet_;
  SheetDocument document_;
  std::optional<forms::Image> diagram_;
  std::string title_;
  std::list<std::string> captions_;  // the buttons' labels, which must stay where they are
  SheetView view_;
  std::unique_ptr<Fl_Button> save_, print_, close_, measured_;
};

SheetWindows::SheetWindows() : offered_folder(rt::GbkToUtf8(rt::platform::HomeFolder())) {}

SheetWindows::~SheetWindows() = default;

SheetWindows& TheSheetWindows() {
  CalculatorState& calculator = *Calculator();
  if (!calculator.window_part) calculator.window_part = std::make_unique<SheetWindows>();
  return static_cast<SheetWindows&>(*calculator.window_part);
}

void ShowSheetWindow(const Sheet& sheet) {
  std::unique_ptr<SheetWindow>& window = TheSheetWindows().open[sheet.page];
  if (!window) {
    Fl_Group::current(nullptr);  // a top-level window of its own
    window = std::make_unique<SheetWindow>();
  }
  window->Present(sheet);
}

void RefreshSheetWindow(CalculationPage page) {
  const auto found = TheSheetWindows().open.find(page);
  if (found == TheSheetWindows().open.end() || !found->second->shown()) return;
  if (std::optional<Sheet> sheet = SheetBehind(BoxesOfPage(page).result))
    found->second->Replace(*sheet);
}

}  // namespace calc
