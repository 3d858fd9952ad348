// Draw panels: a background colour and a picture drawn in one of three modes.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_draw.H>

#include <memory>

#include "forms/picture_cache.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/controls/look.h"
#include "runtime/ui/controls/property_table.h"
#include "runtime/ui/loop/common_events.h"

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

class DrawPanelControl : public TableControl<DrawPanelControl, forms::DrawPanelUnit> {
 public:
  DrawPanelControl(LoadedWindow& window, ControlState& state, forms::DrawPanelUnit unit)
      : TableControl(window, state, std::move(unit)) {
    widget_ = NewWidget<DrawPanelWidget>();
    AssignPicture(std::move(unit_.background_picture));
    Refresh();
  }

  Fl_Widget* widget() override { return widget_; }
  bool HoldsDecodedPicture() const override { return picture_.Decoded(); }

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
           data.bytes = c.picture_.File();
           return data;
         },
         [](C& c, const PropertyData& v) {
           c.AssignPicture(v.bytes);
           c.Refresh();
         }},
        FieldProperty<C, &U::border>(PropertyForm::kChoice),
        FieldProperty<C, &U::background>(PropertyForm::kColour),
        FieldProperty<C, &U::picture_mode>(PropertyForm::kChoice),
    };
    return kTable;
  }

  // Draws the picture in the client area, as the display mode lays it out.
  void DrawPicture(int x, int y, int w, int h) {
    const Layout layout{w, h, unit_.picture_mode};
    const forms::PictureDrawing* drawing =
        picture_.Drawing(w, h, static_cast<forms::PictureMode>(layout.mode));
    if (!drawing) return;
    if (!image_ || layout != image_layout_) {
      const forms::Image& image = drawing->image;
      image_ = std::make_unique<Fl_RGB_Image>(image.rgba.data(), image.width, image.height, 4);
      image_layout_ = layout;
    }
    fl_push_clip(x, y, w, h);
    image_->draw(x + drawing->destination.x, y + drawing->destination.y);
    fl_pop_clip();
  }

 private:
  struct Layout {
    int width = 0, height = 0;
    uint32_t mode = 0;
    bool operator==(const Layout&) const = default;
  };

  void AssignPicture(std::vector<uint8_t> file) {
    picture_.Assign(std::move(file));
    image_.reset();
  }

  DrawPanelWidget* widget_;
  forms::PictureCache picture_;
  // The toolkit's copy of the laid-out picture (it refers to the cache's pixels), made
  // again when the picture or its layout changes.
  std::unique_ptr<Fl_RGB_Image> image_;
  Layout image_layout_;
};

void DrawPanelWidget::draw() {
  draw_box();
  control_.DrawPicture(x() + Fl::box_dx(box()), y() + Fl::box_dy(box()), w() - Fl::box_dw(box()),
                       h() - Fl::box_dh(box()));
}

int DrawPanelWidget::handle(int event) {
  if (CommonEventStopsDefault(control_, *this, event)) return 1;
  switch (event) {
    case FL_ENTER:
    case FL_LEAVE:
    case FL_FOCUS:  // a panel can hold the keyboard focus
    case FL_UNFOCUS: return 1;
    case FL_PUSH: take_focus(); return 1;
    default: return Fl_Box::handle(event);
  }
}

}  // namespace

template <>
std::unique_ptr<LiveControl> CreateControl(LoadedWindow& window, ControlState& state,
                                           forms::DrawPanelUnit unit) {
  return std::make_unique<DrawPanelControl>(window, state, std::move(unit));
}

}  // namespace rt
