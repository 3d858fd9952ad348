// Draw panels: a background colour and a picture drawn in one of three modes.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/fl_draw.H>

#include "runtime/controls/common_events.h"
#include "runtime/controls/control_factory.h"
#include "runtime/controls/look.h"
#include "runtime/controls/property_table.h"

namespace rt {
namespace {

class DrawPanelControl;

class DrawPanelWidget : public Fl_Box {
 public:
  DrawPanelWidget(DrawPanelControl& control, int x, int y, int w, int h)
      : Fl_Box(x, y, w, h), control_(control) {}
  void draw() override;
  int handle(int event) override;

 private:
  DrawPanelControl& control_;
};

class DrawPanelControl : public TableControl<DrawPanelControl> {
 public:
  DrawPanelControl(LoadedWindow& window, ControlState& state, forms::DrawPanelUnit unit)
      : TableControl(window, state), unit_(std::move(unit)) {
    const forms::ControlRecord& r = record();
    widget_ = new DrawPanelWidget(*this, r.left, r.top, r.width, r.height);
    Refresh();
  }

  Fl_Widget* widget() override { return widget_; }
  const forms::DrawPanelUnit& unit() const { return unit_; }
  forms::DrawPanelUnit& mutable_unit() { return unit_; }

  void Refresh() {
    widget_->box(BorderBox(unit_.border, true));
    widget_->color(ToToolkitColour(unit_.background, FL_BACKGROUND_COLOR));
    widget_->redraw();
  }

  static std::span<const TypeProperty<DrawPanelControl>> Properties() {
    using U = forms::DrawPanelUnit;
    using C = DrawPanelControl;
    static const TypeProperty<C> kTable[] = {
        {PropertyForm::kBytes,
         [](const C& c) {
           PropertyData data;
           data.bytes = c.unit_.background_picture;
           return data;
         },
         [](C& c, const PropertyData& v) {
           c.unit_.background_picture = v.bytes;
           c.Refresh();
         }},
        FieldProperty<C, &U::border>(PropertyForm::kChoice),
        FieldProperty<C, &U::background>(PropertyForm::kColour),
        FieldProperty<C, &U::picture_mode>(PropertyForm::kChoice),
    };
    return kTable;
  }

 private:
  forms::DrawPanelUnit unit_;
  DrawPanelWidget* widget_;
};

void DrawPanelWidget::draw() { draw_box(); }

int DrawPanelWidget::handle(int event) {
  if (CommonEventStopsDefault(control_, *this, event)) return 1;
  switch (event) {
    case FL_ENTER:
    case FL_LEAVE:
    case FL_FOCUS:  // a panel can hold the keyboard focus
    case FL_UNFOCUS:
      return 1;
    case FL_PUSH:
      take_focus();
      return 1;
    default:
      return Fl_Box::handle(event);
  }
}

}  // namespace

std::unique_ptr<LiveControl> CreateDrawPanel(LoadedWindow& window, ControlState& state,
                                             forms::DrawPanelUnit unit) {
  return std::make_unique<DrawPanelControl>(window, state, std::move(unit));
}

}  // namespace rt
