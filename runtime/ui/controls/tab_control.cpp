// The tab control: one page per title; the controls listed for a page live in that page's
// group, so they show only while it is selected, each still keeping its own visibility.
#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <vector>

#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/controls/look.h"
#include "runtime/ui/controls/property_table.h"
#include "runtime/ui/loop/common_events.h"
#include "runtime/ui/loop/focus.h"

namespace rt {
namespace {

constexpr int kStripHeight = 21;

enum TabEvent : int32_t { kClicked = 0, kPageChanging = 1, kPageChanged = 2 };

class TabControl;

class PagesWidget : public Fl_Tabs {
 public:
  PagesWidget(TabControl& control, int x, int y, int w, int h)
      : Fl_Tabs(x, y, w, h), control_(control) {
    end();
    resizable(nullptr);
  }
  int handle(int event) override;

 private:
  bool InStrip() const { return Fl::event_y() < y() + kStripHeight && Fl::event_inside(this); }
  int HandleStrip(int event);
  int HandleKey();

  TabControl& control_;
  Fl_Widget* pressed_ = nullptr;
};

class TabControl : public TableControl<TabControl, forms::TabUnit> {
 public:
  TabControl(LoadedWindow& window, ControlState& state, forms::TabUnit unit)
      : TableControl(window, state, std::move(unit)) {
    widget_ = NewWidget<PagesWidget>();
    ApplyLabelFont(widget_, unit_.font);
    if (unit_.pages.empty()) unit_.pages.emplace_back();  // a tab control has a page at least
    for (const std::string& title : unit_.pages) AddPage(title);
    ShowPage(CurrentPage());
  }

  Fl_Widget* widget() override { return widget_; }
  void Refresh() { ShowPage(CurrentPage()); }

  int PageIndexOf(const Fl_Widget* page) const {
    for (size_t i = 0; i < pages_.size(); ++i) {
      if (pages_[i] == page) return static_cast<int>(i);
    }
    return -1;
  }
  int PageCount() const { return static_cast<int>(pages_.size()); }
  int CurrentPage() const {
    return std::min(static_cast<int>(unit_.current_page), PageCount() - 1);
  }

  // The page whose list in the child list names the control; the first page otherwise.
  Fl_Group* GroupForChild(uint32_t child_id) override {
    size_t page = 0;
    for (uint32_t id : record().children) {
      if (id == 0) {
        ++page;
      } else if (id == child_id && page < pages_.size()) {
        return pages_[page];
      }
    }
    return pages_.front();
  }

  // The new window's focus goes where selecting its page puts it, straight there: on its
  // way through the tab order it would raise the focus events of the controls it passed.
  void AfterCreation() override {
    if (!widget_->window()->contains(FocusedWidget())) FocusFirstControlOfPage(CurrentPage());
  }

  // A user's change of page: the handler of the page-changing event may keep the old page;
  // then the new page shows and the focus moves onto it.
  bool UserSelectPage(int index) override {
    if (index < 0 || index >= PageCount()) return false;
    Raise(kClicked);
    if (index == CurrentPage()) return true;
    HandlerResult answer = Raise(kPageChanging);
    if (answer && *answer == 0) return true;
    ShowPage(index);
    Raise(kPageChanged);
    FocusFirstControlOfPage(index);
    return true;
  }

  static std::span<const TypeProperty<TabControl>> Properties() {
    using U = forms::TabUnit;
    static const TypeProperty<TabControl> kTable[] = {
        FieldProperty<TabControl, &U::current_page>(PropertyForm::kInteger),
        FieldProperty<TabControl, &U::tab_position>(PropertyForm::kChoice),
        FieldProperty<TabControl, &U::multi_line_tabs>(PropertyForm::kLogical),
    };
    return kTable;
  }

 private:
  void AddPage(const std::string& gbk_title) {
    auto* page = new Fl_Group(widget_->x(), widget_->y() + kStripHeight, widget_->w(),
                              widget_->h() - kStripHeight);
    page->end();
    page->resizable(nullptr);
    page->box(FL_NO_BOX);
    page->copy_label(GbkToUtf8(gbk_title).c_str());
    page->labelfont(widget_->labelfont());
    page->labelsize(widget_->labelsize());
    widget_->add(page);
    pages_.push_back(page);
  }

  void ShowPage(int index) {
    if (pages_.empty()) return;
    index = std::clamp(index, 0, PageCount() - 1);
    unit_.current_page = static_cast<uint32_t>(index);
    widget_->value(pages_[static_cast<size_t>(index)]);
    widget_->redraw();
  }

  // The first enabled, visible control placed directly on the page that can hold the
  // focus, in the order of the page's list.
  void FocusFirstControlOfPage(int index) {
    int page = 0;
    for (uint32_t id : record().children) {
      if (id == 0) {
        ++page;
        continue;
      }
      if (page != index) continue;
      ControlState* state = FindControl(window(), id);
      if (!state || !TakesFocus(state->record.type_code)) continue;
      Fl_Widget* w = WidgetOf(*state);
      if (w && w->visible() && w->active() && GiveFocus(w)) return;
    }
  }

  static bool TakesFocus(uint32_t type_code) {
    return type_code == forms::kEditBoxType || type_code == forms::kButtonType ||
           type_code == forms::kComboBoxType || type_code == forms::kDrawPanelType;
  }

  PagesWidget* widget_;
  std::vector<Fl_Group*> pages_;
};

int PagesWidget::HandleStrip(int event) {
  switch (event) {
    case FL_PUSH: pressed_ = which(Fl::event_x(), Fl::event_y()); return 1;
    case FL_DRAG: return 1;
    case FL_RELEASE: {
      Fl_Widget* released = which(Fl::event_x(), Fl::event_y());
      Fl_Widget* pressed = pressed_;
      pressed_ = nullptr;
      if (released && released == pressed) control_.UserSelectPage(control_.PageIndexOf(released));
      return 1;
    }
    default: return Fl_Tabs::handle(event);
  }
}

int PagesWidget::HandleKey() {
  int key = Fl::event_key();
  int step = 0;
  if (Fl::focus() == this && (key == FL_Left || key == FL_Right)) step = key == FL_Left ? -1 : 1;
  if (key == FL_Tab && Fl::event_state(FL_CTRL)) step = Fl::event_state(FL_SHIFT) ? -1 : 1;
  if (step == 0) return 0;
  int count = control_.PageCount();
  control_.UserSelectPage((control_.CurrentPage() + step + count) % count);
  return 1;
}

int PagesWidget::handle(int event) {
  bool mouse = event == FL_PUSH || event == FL_DRAG || event == FL_RELEASE;
  if (mouse && (InStrip() || pressed_)) {
    if (CommonEventStopsDefault(control_, *this, event)) return 1;
    return HandleStrip(event);
  }
  if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && HandleKey()) return 1;
  int result = Fl_Tabs::handle(event);
  if (!result && CommonEventStopsDefault(control_, *this, event)) return 1;
  return result;
}

}  // namespace

template <>
std::unique_ptr<LiveControl> CreateControl(LoadedWindow& window, ControlState& state,
                                           forms::TabUnit unit) {
  return std::make_unique<TabControl>(window, state, std::move(unit));
}

}  // namespace rt
