// Push buttons: a click (mouse or keyboard) raises the clicked event.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>

#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/controls/look.h"
#include "runtime/ui/controls/property_table.h"
#include "runtime/ui/loop/common_events.h"

namespace rt {
namespace {

class ButtonControl;

class ButtonWidget : public Fl_Button {
 public:
  ButtonWidget(ButtonControl& control, int x, int y, int w, int h)
      : Fl_Button(x, y, w, h), control_(control) {}
  int handle(int event) override;

 private:
  ButtonControl& control_;
};

class ButtonControl : public TableControl<ButtonControl, forms::ButtonUnit> {
 public:
  ButtonControl(LoadedWindow& window, ControlState& state, forms::ButtonUnit unit)
      : TableControl(window, state, std::move(unit)) {
    widget_ = NewWidget<ButtonWidget>();
    ApplyLabelFont(widget_, unit_.font);
    widget_->callback(&ButtonControl::Clicked, this);
    Refresh();
  }

  Fl_Widget* widget() override { return widget_; }
  std::string DisplayedText() const override { return unit_.caption; }

  void Refresh() {
    caption_ = GbkToUtf8(unit_.caption);
    widget_->label(caption_.c_str());
    widget_->align(CaptionAlignment(unit_.horizontal_alignment, unit_.vertical_alignment));
    widget_->redraw();
  }

  bool UserClick() override {
    Raise(0);
    return true;
  }

  static std::span<const TypeProperty<ButtonControl>> Properties() {
    using U = forms::ButtonUnit;
    using C = ButtonControl;
    static const TypeProperty<C> kTable[] = {
        TextFieldProperty<C, &U::caption>(),
        FieldProperty<C, &U::kind>(PropertyForm::kChoice),
        FieldProperty<C, &U::horizontal_alignment>(PropertyForm::kChoice),
        FieldProperty<C, &U::vertical_alignment>(PropertyForm::kChoice),
    };
    return kTable;
  }

 private:
  static void Clicked(Fl_Widget*, void* self) { static_cast<ButtonControl*>(self)->UserClick(); }

  ButtonWidget* widget_;
  std::string caption_;
};

int ButtonWidget::handle(int event) {
  if (CommonEventStopsDefault(control_, *this, event)) return 1;
  if (event == FL_ENTER || event == FL_LEAVE) {
    Fl_Button::handle(event);
    return 1;
  }
  return Fl_Button::handle(event);
}

}  // namespace

template <>
std::unique_ptr<LiveControl> CreateControl(LoadedWindow& window, ControlState& state,
                                           forms::ButtonUnit unit) {
  return std::make_unique<ButtonControl>(window, state, std::move(unit));
}

}  // namespace rt
