// Edit boxes: single-line text fields whose input mode filters what the keyboard and the
// clipboard may put in, and which tidy a number when the focus leaves them. The right
// button opens the edit menu; the whole text shows as a tooltip while it does not fit.
#include <FL/Fl.H>
#include <FL/Fl_Input.H>
#include <FL/fl_ask.H>

#include <algorithm>

#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/controls/look.h"
#include "runtime/ui/controls/property_table.h"
#include "runtime/ui/editing/edit_box_text.h"
#include "runtime/ui/editing/edit_history.h"
#include "runtime/ui/editing/edit_menu_popup.h"
#include "runtime/ui/loop/common_events.h"
#include "runtime/ui/loop/focus.h"
#include "runtime/ui/system/clipboard.h"
#include "runtime/ui/tips/whole_text_tip.h"

namespace rt {
namespace {

class EditBoxControl;

class EditBoxWidget : public Fl_Input {
 public:
  EditBoxWidget(EditBoxControl& control, int x, int y, int w, int h)
      : Fl_Input(x, y, w, h), control_(control) {}
  int handle(int event) override;

  // Text the program writes shows from its first character with the caret at 0, as the
  // platform's edit control shows it; the user's last change can no longer be undone.
  void ShowProgramText(const std::string& utf8) {
    value(utf8.c_str());
    position(0, 0);
    history_.Forget();
    FollowTextChange(*this);
  }

 private:
  EditState State() const { return {value(), position()}; }
  uint32_t InputMode() const;

  int HandleOwn(int event);
  int HandleTyping();
  int HandlePaste();
  int HandleRightButton(int event);
  template <class Action>
  int AsUserChange(bool typed, Action action);
  EditFieldFacts Facts() const;
  void OpenMenu(int x, int y);
  void Run(EditCommand command);
  void Run(const EditMenuEntry& entry);
  void Undo();

  EditBoxControl& control_;
  EditHistory history_;
  bool menu_open_ = false;
};

class EditBoxControl : public TableControl<EditBoxControl, forms::EditBoxUnit> {
 public:
  EditBoxControl(LoadedWindow& window, ControlState& state, forms::EditBoxUnit unit)
      : TableControl(window, state, std::move(unit)) {
    widget_ = NewWidget<EditBoxWidget>();
    ToolkitFont font = ToToolkitFont(unit_.font);
    widget_->textfont(font.face);
    widget_->textsize(font.size);
    widget_->when(FL_WHEN_CHANGED);
    widget_->callback(&EditBoxControl::ContentChanged, this);
    Refresh();
    SetContent(unit_.content);
  }

  Fl_Widget* widget() override { return widget_; }
  std::string DisplayedText() const override { return Content(); }

  std::string Content() const { return Utf8ToGbk(widget_->value()); }
  void SetContent(const std::string& gbk) { widget_->ShowProgramText(GbkToUtf8(gbk)); }

  void Refresh() {
    widget_->box(BorderBox(unit_.border, true));
    widget_->textcolor(ToToolkitColour(unit_.text_colour, FL_FOREGROUND_COLOR));
    widget_->color(ToToolkitColour(unit_.background, FL_BACKGROUND2_COLOR));
    widget_->maximum_size(unit_.maximum_length ? static_cast<int>(unit_.maximum_length) : 32767);
    // The read-only flag is part of the toolkit's type: it goes on after the type.
    widget_->type(unit_.multi_line ? FL_MULTILINE_INPUT : FL_NORMAL_INPUT);
    widget_->readonly(unit_.input_mode == kReadOnly);
    widget_->redraw();
  }

  void TidyText() {
    if (std::optional<std::string> tidy = TidiedText(unit_.input_mode, Content()))
      SetContent(*tidy);
  }

  // The content-changed event is for the user's edits only: setting the text from the
  // program does not call back, and neither does a click in a read-only box, which the
  // toolkit reports through the same callback.
  void UserChangedText() {
    if (!widget_->changed()) return;
    widget_->clear_changed();
    FollowTextChange(*widget_);
    Raise(0);
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
  static void ContentChanged(Fl_Widget*, void* self) {
    static_cast<EditBoxControl*>(self)->UserChangedText();
  }

  EditBoxWidget* widget_;
};

bool KeyTypesText() {
  return Fl::event_length() > 0 && !Fl::event_state(FL_CTRL | FL_ALT | FL_META);
}

// A printable character, as opposed to the control characters of BackSpace and the like.
bool KeyTypesCharacter() {
  auto first = static_cast<unsigned char>(Fl::event_text()[0]);
  return KeyTypesText() && first >= 0x20 && first != 0x7F;
}

// Ctrl+Z (with Shift too: a second undo redoes) and Alt+BackSpace, as on the platform.
bool KeyUndoes() {
  int key = Fl::event_key();
  if (key == 'z') return Fl::event_state(FL_CTRL | FL_ALT | FL_META) == FL_CTRL;
  return key == FL_BackSpace && Fl::event_state(FL_CTRL | FL_ALT | FL_META) == FL_ALT;
}

// The menu key, or Shift+F10.
bool KeyOpensMenu() {
  int key = Fl::event_key();
  int modifiers = Fl::event_state(FL_SHIFT | FL_CTRL | FL_ALT | FL_META);
  return (key == FL_Menu && modifiers == 0) || (key == FL_F + 10 && modifiers == FL_SHIFT);
}

bool IsRightButton(int event) {
  bool mouse = event == FL_PUSH || event == FL_DRAG || event == FL_RELEASE;
  return mouse && Fl::event_button() == FL_RIGHT_MOUSE;
}

bool MayChangeText(int event) {
  return event == FL_KEYBOARD || event == FL_PASTE || event == FL_DND_RELEASE;
}

// Hands `text` to the toolkit's own handling of the event in place of the event's text.
int WithEventText(Fl_Input& field, int event, std::string& text) {
  char* saved_text = Fl::e_text;
  int saved_length = Fl::e_length;
  Fl::e_text = text.data();
  Fl::e_length = static_cast<int>(text.size());
  int result = field.Fl_Input::handle(event);
  Fl::e_text = saved_text;
  Fl::e_length = saved_length;
  return result;
}

uint32_t EditBoxWidget::InputMode() const { return control_.unit().input_mode; }

// Only what the input mode accepts of the typed text goes in.
int EditBoxWidget::HandleTyping() {
  std::string kept =
      FilterText(InputMode(), std::string_view(Fl::event_text(), Fl::event_length()));
  if (kept.empty()) return 1;
  return WithEventText(*this, FL_KEYBOARD, kept);
}

// A paste goes in whole or not at all: cutting it to what the box accepts would turn
// "3.7" into 37.
int EditBoxWidget::HandlePaste() {
  std::optional<std::string> text =
      AcceptedPaste(InputMode(), std::string_view(Fl::event_text(), Fl::event_length()));
  if (!text) {
    fl_beep(FL_BEEP_ERROR);
    return 1;
  }
  if (text->empty()) return 1;
  return WithEventText(*this, FL_PASTE, *text);
}

// Keeps the step for undo when the action changes the text.
template <class Action>
int EditBoxWidget::AsUserChange(bool typed, Action action) {
  EditState before = State();
  int result = action();
  EditState after = State();
  if (after.text != before.text) history_.Record(before, after, typed);
  return result;
}

int EditBoxWidget::HandleOwn(int event) {
  switch (event) {
    case FL_KEYBOARD: return KeyTypesText() ? HandleTyping() : Fl_Input::handle(event);
    case FL_PASTE: return HandlePaste();
    default: return Fl_Input::handle(event);
  }
}

// The right button focuses the box without moving the caret or the selection, so that
// the menu acts on what was selected; the menu opens when it is released.
int EditBoxWidget::HandleRightButton(int event) {
  if (event == FL_PUSH && Fl::focus() != this) GiveFocus(this);
  if (event == FL_RELEASE) OpenMenu(Fl::event_x(), Fl::event_y());
  return 1;
}

int EditBoxWidget::handle(int event) {
  bool focus_change = event == FL_FOCUS || event == FL_UNFOCUS;
  if (menu_open_ && focus_change) return 1;  // the box keeps the focus while its menu is open
  if (CommonEventStopsDefault(control_, *this, event)) return 1;
  if (event == FL_ENTER) OfferWholeTextOnEntering(*this);
  if (IsRightButton(event)) return HandleRightButton(event);
  if (event == FL_KEYBOARD && KeyOpensMenu()) {
    OpenMenu(x(), y() + h());
    return 1;
  }
  if (event == FL_KEYBOARD && KeyUndoes()) {
    Undo();
    return 1;
  }
  if (MayChangeText(event)) {
    bool typed = event == FL_KEYBOARD && KeyTypesCharacter();
    return AsUserChange(typed, [&] { return HandleOwn(event); });
  }
  int result = Fl_Input::handle(event);
  if (event == FL_UNFOCUS) control_.TidyText();
  return result;
}

EditFieldFacts EditBoxWidget::Facts() const {
  EditFieldFacts facts;
  facts.read_only = readonly() != 0;
  facts.has_selection = position() != mark();
  facts.all_selected = std::min(position(), mark()) == 0 && std::max(position(), mark()) == size();
  facts.can_undo = history_.CanUndo();
  facts.clipboard_has_text = ClipboardMayHoldText();
  return facts;
}

void EditBoxWidget::OpenMenu(int x, int y) {
  std::span<const EditMenuEntry> added =
      AddedEditMenuEntries(control_.window().window_id, control_.control_id());
  Fl_Widget_Tracker alive(this);
  menu_open_ = true;
  EditMenuChoice choice = PopUpEditMenu(Facts(), added, x, y);
  if (!alive.exists()) return;  // the window went while the menu was open
  menu_open_ = false;
  // The toolkit lends the focus to the menu and drops it when the menu goes; it comes
  // back without a word, for the box never lost it.
  if (Fl::focus() != this) Fl::focus(this);
  if (choice.command) Run(*choice.command);
  if (choice.added) Run(*choice.added);
}

// The entries go the ways of the keys: a paste arrives as a paste and is filtered as one.
void EditBoxWidget::Run(EditCommand command) {
  switch (command) {
    case EditCommand::kUndo: Undo(); break;
    case EditCommand::kCut:
      copy(1);
      AsUserChange(false, [&] { return cut(); });
      break;
    case EditCommand::kCopy: copy(1); break;
    case EditCommand::kPaste: Fl::paste(*this, 1); break;
    case EditCommand::kDelete: AsUserChange(false, [&] { return cut(); }); break;
    case EditCommand::kSelectAll: position(0, size()); break;
  }
}

void EditBoxWidget::Run(const EditMenuEntry& entry) {
  if (entry.action) entry.action();
}

// An undo is the user's change: it raises the content-changed event as typing does.
void EditBoxWidget::Undo() {
  std::optional<EditState> back = history_.Undo(State());
  if (!back) return;
  value(back->text.c_str());
  position(back->caret);
  set_changed();
  control_.UserChangedText();
}

}  // namespace

template <>
std::unique_ptr<LiveControl> CreateControl(LoadedWindow& window, ControlState& state,
                                           forms::EditBoxUnit unit) {
  return std::make_unique<EditBoxControl>(window, state, std::move(unit));
}

}  // namespace rt
