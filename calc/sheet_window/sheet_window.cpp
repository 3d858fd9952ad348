#include "calc/sheet_window/sheet_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

#include <algorithm>
#include <list>
#include <map>
#include <memory>
#include <tuple>

#include "calc/pages/calculation_buttons.h"
#include "calc/pages/calculator_state.h"
#include "calc/pages/page_sheets.h"
#include "calc/sheet/sheet_text.h"
#include "calc/sheet_window/button_caption.h"
#include "calc/sheet_window/measured_window.h"
#include "calc/sheet_window/sheet_printing.h"
#include "calc/sheet_window/sheet_saving.h"
#include "calc/sheet_window/sheet_view.h"
#include "calc/sheet_window/sheet_windows.h"
#include "calc/sheet_window/toolkit_dialogs.h"
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
    int x = kWidth - 4 * (kButtonWidth + kSpacing);
    for (auto [button, caption, action] : {std::tuple{&copy_, "复制", &SheetWindow::Copy},
                                           std::tuple{&save_, "保存…", &SheetWindow::Save},
                                           std::tuple{&print_, "打印…", &SheetWindow::Print},
                                           std::tuple{&close_, "关闭", &SheetWindow::Close}}) {
      *button = std::make_unique<Fl_Button>(x, y, kButtonWidth, kButtonHeight);
      LabelButton(**button, caption, captions_);
      (*button)->callback(action, this);
      x += kButtonWidth + kSpacing;
    }
    copy_->shortcut(FL_COMMAND | 'c');
    // The status line between 实测电容… on the left and the other buttons on the right.
    const int status_x = 2 * kSpacing + kButtonWidth;
    status_ = std::make_unique<Fl_Box>(
        status_x, y, kWidth - 4 * (kButtonWidth + kSpacing) - status_x, kButtonHeight);
    status_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    const rt::ToolkitFont font = rt::ToToolkitFont(std::nullopt);
    status_->labelfont(font.face);
    status_->labelsize(font.size);
    measured_ = std::make_unique<Fl_Button>(kSpacing, y, kButtonWidth, kButtonHeight);
    LabelButton(*measured_, "实测电容…", captions_);
    measured_->callback(&SheetWindow::Measured, this);
    end();
    resizable(&view_);
    size_range(kMinimumWidth, kMinimumHeight);
    callback(&SheetWindow::Close, this);  // the window manager's close button, Escape
  }

  // The sheet behind the box in place of the one shown, from its top, the window in front.
  void Present(const Sheet& sheet, uint32_t box) {
    box_ = box;
    Take(sheet);
    view_.Show(document_, diagram_);
    ShowStatus({});  // a save of the sheet shown before is no word on this one
    if (!shown()) CentreOnScreen();
    show();
    view_.take_focus();  // the arrow keys scroll the sheet
  }

  // The box's sheet after a new click of the page, where the reader was; the window
  // stays where it is in the stacking order, the main window keeps the focus.
  void FollowPage() {
    if (!shown()) return;
    if (std::optional<Sheet> sheet = SheetBehind(box_)) {
      Take(*sheet);
      view_.Replace(document_, diagram_);
    }
  }

 private:
  static int ButtonRowHeight() { return kButtonHeight + 2 * kSpacing; }

  // What the window shows, saves and prints.
  void Take(const Sheet& sheet) {
    sheet_ = sheet;
    title_ = rt::GbkToUtf8(SheetTitle(sheet_));
    label(title_.c_str());
    document_ = DocumentOf(sheet_);
    diagram_ = forms::DecodePicture(sheet_.diagram);
    measured_->activate();
    if (sheet_.page == CalculationPage::kCapacitorPage) measured_->deactivate();
  }

  void CentreOnScreen() {
    int screen_x, screen_y, screen_w, screen_h;
    Fl::screen_work_area(screen_x, screen_y, screen_w, screen_h);
    position(screen_x + std::max(0, (screen_w - w()) / 2),
             screen_y + std::max(0, (screen_h - h()) / 2));
  }

  // The whole sheet as text onto the clipboard, for a spreadsheet or a document.
  static void Copy(Fl_Widget*, void* self) {
    const std::string text =
        rt::GbkToUtf8(SheetPlainText(static_cast<SheetWindow*>(self)->document_));
    Fl::copy(text.c_str(), static_cast<int>(text.size()), 1);
  }
  // The line left of the buttons; the text stays where the box can find it.
  void ShowStatus(const std::string& gbk) {
    status_text_ = rt::GbkToUtf8(gbk);
    status_->label(status_text_.c_str());
    status_->tooltip(status_text_.c_str());  // a long path is cut in the line, whole here
    status_->redraw();
  }

  static void Save(Fl_Widget*, void* self) {
    auto* window = static_cast<SheetWindow*>(self);
    if (std::optional<std::string> path = SaveSheetThroughChooser(window->sheet_))
      window->ShowStatus("已保存：" + rt::Utf8ToGbk(*path));
  }
  static void Print(Fl_Widget*, void* self) {
    auto* window = static_cast<SheetWindow*>(self);
    PrintSheet(window->document_, window->diagram_, *window);
  }
  static void Close(Fl_Widget*, void* self) { static_cast<SheetWindow*>(self)->hide(); }
  static void Measured(Fl_Widget*, void* self) {
    ShowMeasuredWindow(static_cast<SheetWindow*>(self)->sheet_.page);
  }

  uint32_t box_ = 0;  // the result box whose sheet the window shows
  Sheet sheet_;
  SheetDocument document_;
  std::optional<forms::Image> diagram_;
  std::string title_;
  std::list<std::string> captions_;  // the buttons' labels, which must stay where they are
  std::string status_text_;
  SheetView view_;
  std::unique_ptr<Fl_Button> copy_, save_, print_, close_, measured_;
  std::unique_ptr<Fl_Box> status_;
};

SheetWindows::SheetWindows() : offered_folder(rt::GbkToUtf8(rt::platform::HomeFolder())) {
  SpeakChineseInToolkitDialogs();
}

SheetWindows::~SheetWindows() = default;

namespace {

// An open sheet window follows its page's clicks.
void FollowPage(uint32_t button) {
  const CalculationButton* clicked = FindCalculationButton(button);
  if (!clicked) return;
  const SheetWindows& windows = TheSheetWindows();
  auto open = windows.open.find(clicked->page);
  if (open != windows.open.end() && open->second) open->second->FollowPage();
}

}  // namespace

SheetWindows& TheSheetWindows() {
  CalculatorState& calculator = *Calculator();
  if (!calculator.window_part) {
    calculator.window_part = std::make_unique<SheetWindows>();
    calculator.after_keep = FollowPage;
  }
  return static_cast<SheetWindows&>(*calculator.window_part);
}

void ShowSheetWindow(const Sheet& sheet, uint32_t box) {
  std::unique_ptr<SheetWindow>& window = TheSheetWindows().open[sheet.page];
  if (!window) {
    Fl_Group::current(nullptr);  // a top-level window of its own
    window = std::make_unique<SheetWindow>();
  }
  window->Present(sheet, box);
}

void RefreshSheetWindow(CalculationPage page) {
  const auto found = TheSheetWindows().open.find(page);
  if (found != TheSheetWindows().open.end() && found->second) found->second->FollowPage();
}

}  // namespace calc
