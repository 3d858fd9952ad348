// Group boxes: an etched frame whose top line the caption interrupts; the controls inside
// are the group box's children.
#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/fl_draw.H>

#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/controls/look.h"
#include "runtime/ui/controls/property_table.h"
#include "runtime/ui/loop/common_events.h"

namespace rt {
namespace {

class GroupBoxControl;

class GroupBoxWidget : public Fl_Group {
 public:
  GroupBoxWidget(GroupBoxControl& control, int x, int y, int w, int h)
      : Fl_Group(x, y, w, h), control_(control) {
    end();
    resizable(nullptr);
    box(FL_NO_BOX);
  }
  void draw() override;
  int handle(int event) override;

 private:
  GroupBoxControl& control_;
};

class GroupBoxControl : public TableControl<GroupBoxControl, forms::GroupBoxUnit> {
 public:
  GroupBoxControl(LoadedWindow& window, ControlState& state, forms::GroupBoxUnit unit)
      : TableControl(window, state, std::move(unit)) {
    widget_ = NewWidget<GroupBoxWidget>();
    ApplyLabelFont(widget_, unit_.font);
    Refresh();
  }

  Fl_Widget* widget() override { return widget_; }
  Fl_Group* GroupForChild(uint32_t) override { return widget_; }
  std::string DisplayedText() const override { return unit_.caption; }
  const std::string& utf8_caption() const { return caption_; }

  void Refresh() {
    caption_ = GbkToUtf8(unit_.caption);
    RedrawArea(widget_);
  }

  static std::span<const TypeProperty<GroupBoxControl>> Properties() {
    using U = forms::GroupBoxUnit;
    using C = GroupBoxControl;
    static const TypeProperty<C> kTable[] = {
        TextFieldProperty<C, &U::caption>(),
        FieldProperty<C, &U::caption_alignment>(PropertyForm::kChoice),
        FieldProperty<C, &U::text_colour>(PropertyForm::kColour),
        FieldProperty<C, &U::background>(PropertyForm::kColour),
    };
    return kTable;
  }

 private:
  GroupBoxWidget* widget_;
  std::string caption_;
};

void GroupBoxWidget::draw() {
  const forms::GroupBoxUnit& unit = control_.unit();
  if (unit.background != forms::kDefaultColour)
    fl_rectf(x(), y(), w(), h(), ToToolkitColour(unit.background, FL_BACKGROUND_COLOR));
  fl_font(labelfont(), labelsize());
  const char* caption = control_.utf8_caption().c_str();
  int text_w = *caption ? static_cast<int>(fl_width(caption)) + 4 : 0;
  int text_h = fl_height();
  int frame_top = y() + text_h / 2;
  draw_box(FL_ENGRAVED_FRAME, x(), frame_top, w(), h() - (frame_top - y()), color());
  if (text_w) {
    int text_x = x() + 8;
    if (unit.caption_alignment == 1) text_x = x() + (w() - text_w) / 2;
    if (unit.caption_alignment == 2) text_x = x() + w() - 8 - text_w;
    // The caption interrupts the frame's top line.
    fl_push_clip(text_x, y(), text_w, text_h);
    if (Fl_Widget* behind = parent()) {
      fl_color(behind->color());
      fl_rectf(text_x, frame_top - 1, text_w, 3);
    }
    fl_pop_clip();
    fl_color(ToToolkitColour(unit.text_colour, FL_FOREGROUND_COLOR));
    fl_draw(caption, text_x + 2, y(), text_w, text_h, FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  }
  draw_children();
}

int GroupBoxWidget::handle(int event) {
  int result = Fl_Group::handle(event);
  // Events its children did not take are the group box's own.
  if (!result && CommonEventStopsDefault(control_, *this, event)) return 1;
  return result;
}

}  // namespace

template <>
std::unique_ptr<LiveControl> CreateControl(LoadedWindow& window, ControlState& state,
                                           forms::GroupBoxUnit unit) {
  return std::make_unique<GroupBoxControl>(window, state, std::move(unit));
}

}  // namespace rt
