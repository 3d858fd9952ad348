// Edit boxes: single-line text fields whose input mode filters what the keyboard and the
// clipboard may put in, and which tidy a number when the focus leaves them.
#include <FL/Fl.H>
#include <FL/Fl_Input.H>

#include "runtime/controls/common_events.h"
#include "runtime/controls/control_factory.h"
#include "runtime/controls/edit_box_text.h"
#include "runtime/controls/look.h"
#include "runtime/controls/property_table.h"
#include "runtime/gbk.h"

namespace rt {
namespace {

class EditBoxControl;

class EditBoxWidget : public Fl_Input {
 public:
  EditBoxWidget(EditBoxControl& control, int x, int y, int w, int h)
      : Fl_Input(x, y, w, h), control_(control) {}
  int handle(int event) override;

 private:
  static bool KeyTypesText();
  int HandleText(int event);
  EditBoxControl& control_;
};

class EditBoxControl : public TableControl<EditBoxControl> {
 public:
  EditBoxControl(LoadedWindow& window, ControlState& state, forms::EditBoxUnit unit)
      : TableControl(window, state), unit_(std::move(unit)) {
    const forms::ControlRecord& r = record();
    widget_ = new EditBoxWidget(*this, r.left, r.top, r.width, r.height);
    ToolkitFont font = ToToolkitFont(unit_.font);
    widget_->textfont(font.face);
    widget_->textsize(font.size);
    widget_->when(FL_WHEN_CHANGED);
    widget_->callback(&EditBoxControl::ContentChanged, this);
    SetContent(unit_.content);
    Refresh();
  }

  Fl_Widget* widget() override { return widget_; }
  std::string DisplayedText() const override { return Content(); }
  const forms::EditBoxUnit& unit() const { return unit_; }
  forms::EditBoxUnit& mutable_unit() { return unit_; }

  std::string Content() const { return Utf8ToGbk(widget_->value()); }
  void SetContent(const std::string& gbk) { widget_->value(GbkToUtf8(gbk).c_str()); }

  void Refresh() {
    widget_->box(BorderBox(unit_.border, true));
    widget_->textcolor(ToToolkitColour(unit_.text_colour, FL_FOREGROUND_COLOR));
    widget_->color(ToToolkitColour(unit_.background, FL_BACKGROUND2_COLOR));
    widget_->readonly(unit_.input_mode == kReadOnly);
    widget_->maximum_size(unit_.maximum_length ? static_cast<int>(unit_.maximum_length) : 32767);
    widget_->type(unit_.multi_line ? FL_MULTILINE_INPUT : FL_NORMAL_INPUT);
    widget_->redraw();
  }

  void TidyText() {
    if (std::optional<std::string> tidy = TidiedText(unit_.input_mode, Content()))
      SetContent(*tidy);
  }

  static std::span<const TypeProperty<EditBoxControl>> Properties() {
    using U = forms::EditBoxUnit;
    using C = EditBoxControl;
    static const TypeProperty<C> kTable[] = {
        {PropertyForm::kText, [](const C& c) { return TextData(c.Content()); },
         [](C& c, const PropertyData& v) { c.SetContent(v.text); }},
        FieldProperty<C, &U::border>(PropertyForm::kChoice),
        FieldProperty<C, &U::text_colour>(PropertyForm::kColour),
        FieldProperty<C, &U::background>(PropertyForm::kColour),
        FieldProperty<C, &U::hide_selection>(PropertyForm::kLogical),
        FieldProperty<C, &U::maximum_length>(PropertyForm::kInteger),
        FieldProperty<C, &U::multi_line>(PropertyForm::kLogical),
        FieldProperty<C, &U::scroll_bars>(PropertyForm::kChoice),
        FieldProperty<C, &U::alignment>(PropertyForm::kChoice),
        FieldProperty<C, &U::input_mode>(PropertyForm::kChoice),
    };
    return kTable;
  }

 private:
  // The content-changed event is for the user's edits only: setting the text from the
  // program does not call back.
  static void ContentChanged(Fl_Widget*, void* self) {
    static_cast<EditBoxControl*>(self)->Raise(0);
  }

  forms::EditBoxUnit unit_;
  EditBoxWidget* widget_;
};

bool EditBoxWidget::KeyTypesText() {
  return Fl::event_length() > 0 && !Fl::event_state(FL_CTRL | FL_ALT | FL_META);
}

// Typed and pasted text alike: only what the input mode accepts goes in, and text that
// is refused whole does nothing at all.
int EditBoxWidget::HandleText(int event) {
  std::string kept = FilterText(control_.unit().input_mode,
                                std::string_view(Fl::event_text(), Fl::event_length()));
  if (kept.empty()) return 1;
  char* saved_text = Fl::e_text;
  int saved_length = Fl::e_length;
  Fl::e_text = kept.data();
  Fl::e_length = static_cast<int>(kept.size());
  int result = Fl_Input::handle(event);
  Fl::e_text = saved_text;
  Fl::e_length = saved_length;
  return result;
}

int EditBoxWidget::handle(int event) {
  if (CommonEventStopsDefault(control_, *this, event)) return 1;
  switch (event) {
    case FL_KEYBOARD:
      return KeyTypesText() ? HandleText(event) : Fl_Input::handle(event);
    case FL_PASTE:
      return HandleText(event);
    case FL_UNFOCUS: {
      int result = Fl_Input::handle(event);
      control_.TidyText();
      return result;
    }
    default:
      return Fl_Input::handle(event);
  }
}

}  // namespace

std::unique_ptr<LiveControl> CreateEditBox(LoadedWindow& window, ControlState& state,
                                           forms::EditBoxUnit unit) {
  return std::make_unique<EditBoxControl>(window, state, std::move(unit));
}

}  // namespace rt
