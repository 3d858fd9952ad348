// The combo box: a text field with a button that drops down the list of items. A user's
// pick raises the item-selected event once the list has closed; setting the selection
// from the program raises nothing.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <vector>

#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/controls/look.h"
#include "runtime/ui/controls/property_table.h"
#include "runtime/ui/loop/common_events.h"
#include "runtime/ui/loop/posted_calls.h"

namespace rt {
namespace {

constexpr int kButtonWidth = 17;
constexpr int kMinimumListHeight = 160;

enum ComboEvent : int32_t {
  kItemSelected = 0,
  kEditChanged = 1,
  kDroppedDown = 2,
  kListClosed = 3
};

class ComboBoxControl;

class ComboInput : public Fl_Input {
 public:
  ComboInput(ComboBoxControl& control, int x, int y, int w, int h)
      : Fl_Input(x, y, w, h), control_(control) {}
  int handle(int event) override;

 private:
  ComboBoxControl& control_;
};

class DropButton : public Fl_Button {
 public:
  using Fl_Button::Fl_Button;
  void draw() override {
    draw_box(value() ? FL_DOWN_BOX : FL_UP_BOX, color());
    fl_color(active_r() ? FL_FOREGROUND_COLOR : fl_inactive(FL_FOREGROUND_COLOR));
    int cx = x() + w() / 2, cy = y() + h() / 2;
    fl_polygon(cx - 4, cy - 2, cx + 4, cy - 2, cx, cy + 2);
  }
};

// The dropped-down list: a borderless window holding the pointer until it closes.
class ListPopup : public Fl_Menu_Window {
 public:
  ListPopup(ComboBoxControl& control, int w, int h)
      : Fl_Menu_Window(w, h), control_(control), browser_(0, 0, w, h) {
    end();
    set_override();
    browser_.when(FL_WHEN_RELEASE);
    browser_.callback(&ListPopup::Picked, this);
  }
  Fl_Hold_Browser& browser() { return browser_; }
  int handle(int event) override;

 private:
  static void Picked(Fl_Widget*, void* self);
  ComboBoxControl& control_;
  Fl_Hold_Browser browser_;
};

class ComboBoxControl : public TableControl<ComboBoxControl, forms::ComboBoxUnit> {
 public:
  ComboBoxControl(LoadedWindow& window, ControlState& state, forms::ComboBoxUnit unit)
      : TableControl(window, state, std::move(unit)) {
    const forms::ControlRecord& r = record();
    group_ = new Fl_Group(r.left, r.top, r.width, r.height);
    input_ = new ComboInput(*this, r.left, r.top, r.width - kButtonWidth, r.height);
    button_ = new DropButton(r.left + r.width - kButtonWidth, r.top, kButtonWidth, r.height);
    group_->end();
    group_->resizable(input_);
    ToolkitFont font = ToToolkitFont(unit_.font);
    input_->textfont(font.face);
    input_->textsize(font.size);
    input_->when(FL_WHEN_CHANGED);
    input_->callback(&ComboBoxControl::TextEdited, this);
    button_->visible_focus(0);
    button_->callback(&ComboBoxControl::ButtonPressed, this);
    if (unit_.sorted) std::sort(unit_.items.begin(), unit_.items.end());
    selection_ = std::clamp(unit_.current_item, -1, ItemCount() - 1);
    input_->value(GbkToUtf8(unit_.content).c_str());
    Refresh();
  }

  // No event while the control goes: its records may be going with it.
  ~ComboBoxControl() override { HideList(); }

  Fl_Widget* widget() override { return group_; }
  std::string DisplayedText() const override { return Utf8ToGbk(input_->value()); }

  void Refresh() {
    input_->box(FL_DOWN_BOX);
    input_->textcolor(ToToolkitColour(unit_.text_colour, FL_FOREGROUND_COLOR));
    input_->color(ToToolkitColour(unit_.background, FL_BACKGROUND2_COLOR));
    input_->readonly(unit_.kind == 2);
    input_->maximum_size(unit_.maximum_length ? static_cast<int>(unit_.maximum_length) : 32767);
    group_->redraw();
  }

  int ItemCount() const { return static_cast<int>(unit_.items.size()); }

  // The program's selection: clamped to the items (-1 for none), the text field shows
  // the item, and no event is raised.
  void SetSelection(int64_t index) {
    selection_ = static_cast<int>(std::clamp<int64_t>(index, -1, ItemCount() - 1));
    input_->value(selection_ < 0 ? ""
                                 : GbkToUtf8(unit_.items[static_cast<size_t>(selection_)]).c_str());
  }

  bool UserPickItem(int index) override {
    if (index < 0 || index >= ItemCount()) return false;
    CloseList();
    SetSelection(index);
    // Delivered after the list has closed and the selection has settled.
    uint32_t window_id = window().window_id, control_id = this->control_id();
    PostCall([window_id, control_id] {
      LoadedWindow* w = FindLoadedWindow(window_id);
      ControlState* c = w ? FindControl(*w, control_id) : nullptr;
      if (c && c->live) c->live->Raise(kItemSelected);
    });
    return true;
  }

  // Moves the selection by the arrow keys with the list closed.
  bool StepSelection(int step) {
    int next = std::clamp(selection_ + step, 0, ItemCount() - 1);
    if (ItemCount() == 0 || next == selection_) return ItemCount() > 0;
    return UserPickItem(next);
  }

  void OpenList() {
    if (popup_ || ItemCount() == 0 || !group_->window() || !group_->window()->shown()) return;
    Raise(kDroppedDown);
    int item_h = input_->textsize() + 4 + static_cast<int>(unit_.extra_item_height);
    int list_h = std::max(kMinimumListHeight, ItemCount() * item_h + 4);
    popup_ = new ListPopup(*this, group_->w(), list_h);
    Fl_Hold_Browser& browser = popup_->browser();
    browser.textfont(input_->textfont());
    browser.textsize(input_->textsize());
    for (const std::string& item : unit_.items) browser.add(GbkToUtf8(item).c_str());
    if (selection_ >= 0) browser.value(selection_ + 1);
    Fl_Window* top = group_->window();
    popup_->position(top->x_root() + group_->x(), top->y_root() + group_->y() + group_->h());
    popup_->show();
    Fl::grab(popup_);
  }

  void CloseList() {
    if (HideList()) Raise(kListClosed);
  }

  static std::span<const TypeProperty<ComboBoxControl>> Properties() {
    using U = forms::ComboBoxUnit;
    using C = ComboBoxControl;
    static const TypeProperty<C> kTable[] = {
        {PropertyForm::kText, [](const C& c) { return TextData(c.DisplayedText()); },
         [](C& c, const PropertyData& v) { c.input_->value(GbkToUtf8(v.text).c_str()); }},
        FieldProperty<C, &U::kind>(PropertyForm::kChoice),
        FieldProperty<C, &U::maximum_length>(PropertyForm::kInteger),
        FieldProperty<C, &U::selection_start>(PropertyForm::kInteger),
        FieldProperty<C, &U::selection_length>(PropertyForm::kInteger),
        FieldProperty<C, &U::sorted>(PropertyForm::kLogical),
        FieldProperty<C, &U::extra_item_height>(PropertyForm::kInteger),
        FieldProperty<C, &U::text_colour>(PropertyForm::kColour),
        FieldProperty<C, &U::background>(PropertyForm::kColour),
        {PropertyForm::kText, [](const C& c) { return TextData(c.ItemsText()); },
         [](C& c, const PropertyData& v) { c.SetItemsText(v.text); }},
        {PropertyForm::kInteger, [](const C& c) { return NumberData(c.ItemCount()); },
         [](C&, const PropertyData&) {}},
        {PropertyForm::kInteger, [](const C& c) { return NumberData(c.selection_); },
         [](C& c, const PropertyData& v) { c.SetSelection(static_cast<int32_t>(v.number)); }},
    };
    return kTable;
  }

 private:
  // The items as one text, one item a line.
  std::string ItemsText() const {
    std::string text;
    for (size_t i = 0; i < unit_.items.size(); ++i) text += (i ? "\r\n" : "") + unit_.items[i];
    return text;
  }

  void SetItemsText(const std::string& text) {
    unit_.items.clear();
    size_t start = 0;
    while (start <= text.size() && !text.empty()) {
      size_t end = text.find("\r\n", start);
      unit_.items.push_back(text.substr(start, end - start));
      if (end == std::string::npos) break;
      start = end + 2;
    }
    if (unit_.sorted) std::sort(unit_.items.begin(), unit_.items.end());
    SetSelection(-1);
  }

  // False when the list was not dropped down.
  bool HideList() {
    if (!popup_) return false;
    if (Fl::grab() == popup_) Fl::grab(nullptr);
    popup_->hide();
    Fl::delete_widget(popup_);
    popup_ = nullptr;
    return true;
  }

  static void TextEdited(Fl_Widget*, void* self) {
    static_cast<ComboBoxControl*>(self)->Raise(kEditChanged);
  }
  static void ButtonPressed(Fl_Widget*, void* self) {
    auto* combo = static_cast<ComboBoxControl*>(self);
    combo->input_->take_focus();
    combo->OpenList();
  }

  Fl_Group* group_;
  ComboInput* input_;
  DropButton* button_;
  ListPopup* popup_ = nullptr;
  int selection_ = -1;
};

int ComboInput::handle(int event) {
  if (CommonEventStopsDefault(control_, *this, event)) return 1;
  if (event == FL_KEYBOARD) {
    int key = Fl::event_key();
    if (key == FL_F + 4 || (key == FL_Down && Fl::event_state(FL_ALT))) {
      control_.OpenList();
      return 1;
    }
    if (key == FL_Down || key == FL_Up)
      return control_.StepSelection(key == FL_Down ? 1 : -1) ? 1 : 0;
  }
  return Fl_Input::handle(event);
}

void ListPopup::Picked(Fl_Widget*, void* self) {
  auto* popup = static_cast<ListPopup*>(self);
  int line = popup->browser_.value();
  if (line > 0 && Fl::event() == FL_RELEASE) popup->control_.UserPickItem(line - 1);
}

int ListPopup::handle(int event) {
  // A click outside the list, or Escape, closes it without a pick.
  bool outside = event == FL_PUSH && !Fl::event_inside(0, 0, w(), h());
  bool escape = event == FL_KEYBOARD && Fl::event_key() == FL_Escape;
  if (outside || escape) {
    control_.CloseList();
    return 1;
  }
  if (event == FL_KEYBOARD && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
    int line = browser_.value();
    if (line > 0) {
      control_.UserPickItem(line - 1);
    } else {
      control_.CloseList();
    }
    return 1;
  }
  return Fl_Menu_Window::handle(event);
}

}  // namespace

template <>
std::unique_ptr<LiveControl> CreateControl(LoadedWindow& window, ControlState& state,
                                           forms::ComboBoxUnit unit) {
  return std::make_unique<ComboBoxControl>(window, state, std::move(unit));
}

}  // namespace rt
