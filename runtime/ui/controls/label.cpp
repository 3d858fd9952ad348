// Labels: text without a background of their own (the container shows through), drawn on
// one line, left-aligned and vertically centred unless the label says otherwise.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/fl_draw.H>

#include "runtime/core/text_wrap.h"
#include "runtime/platform/gbk.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/controls/look.h"
#include "runtime/ui/controls/property_table.h"
#include "runtime/ui/loop/common_events.h"

namespace rt {
namespace {

enum LabelEffect { kNoEffect = 0, kEngraved = 1, kRaised = 2, kShadow = 3 };

class LabelControl;

class LabelWidget : public Fl_Box {
 public:
  LabelWidget(LabelControl& control, int x, int y, int w, int h)
      : Fl_Box(x, y, w, h), control_(control) {
    box(FL_NO_BOX);
    clear_visible_focus();  // a label never holds the focus
  }
  void draw() override;
  int handle(int event) override;

 private:
  LabelControl& control_;
};

class LabelControl : public TableControl<LabelControl, forms::LabelUnit> {
 public:
  LabelControl(LoadedWindow& window, ControlState& state, forms::LabelUnit unit)
      : TableControl(window, state, std::move(unit)) {
    widget_ = NewWidget<LabelWidget>();
    ApplyLabelFont(widget_, unit_.font);
    Refresh();
  }

  Fl_Widget* widget() override { return widget_; }
  std::string DisplayedText() const override { return unit_.caption; }
  const std::string& utf8_caption() const { return utf8_caption_; }

  void Refresh() {
    utf8_caption_ = GbkToUtf8(unit_.caption);
    RedrawArea(widget_);
  }

  static std::span<const TypeProperty<LabelControl>> Properties() {
    using U = forms::LabelUnit;
    static const TypeProperty<LabelControl> kTable[] = {
        TextFieldProperty<LabelControl, &U::caption>(),
        FieldProperty<LabelControl, &U::effect>(PropertyForm::kChoice),
        FieldProperty<LabelControl, &U::gradient_border_width>(PropertyForm::kInteger),
        FieldProperty<LabelControl, &U::border>(PropertyForm::kChoice),
        FieldProperty<LabelControl, &U::horizontal_alignment>(PropertyForm::kChoice),
        FieldProperty<LabelControl, &U::vertical_alignment>(PropertyForm::kChoice),
        FieldProperty<LabelControl, &U::word_wrap>(PropertyForm::kLogical),
        FieldProperty<LabelControl, &U::background>(PropertyForm::kColour),
        FieldProperty<LabelControl, &U::text_colour>(PropertyForm::kColour),
    };
    return kTable;
  }

 private:
  LabelWidget* widget_;
  std::string utf8_caption_;
};

// Wrapped text starts at the top; vertical alignment applies to a single line only.
Fl_Align TextAlignment(const forms::LabelUnit& unit) {
  return CaptionAlignment(unit.horizontal_alignment, unit.word_wrap ? 0 : unit.vertical_alignment);
}

// The caption broken into lines that fit the label, one string with line feeds.
std::string WrapCaption(const std::string& utf8, int width) {
  std::string wrapped;
  for (const std::string& line : WrapText(utf8, width, [](std::string_view piece) {
         return static_cast<int>(fl_width(piece.data(), static_cast<int>(piece.size())));
       })) {
    wrapped += (wrapped.empty() ? "" : "\n") + line;
  }
  return wrapped;
}

void LabelWidget::draw() {
  const forms::LabelUnit& unit = control_.unit();
  if (unit.background != forms::kDefaultColour) {
    fl_rectf(x(), y(), w(), h(), ToToolkitColour(unit.background, FL_BACKGROUND_COLOR));
  }
  fl_font(labelfont(), labelsize());
  const std::string wrapped =
      unit.word_wrap ? WrapCaption(control_.utf8_caption(), w()) : std::string();
  const char* text = unit.word_wrap ? wrapped.c_str() : control_.utf8_caption().c_str();
  Fl_Align align = TextAlignment(unit);
  Fl_Color colour = ToToolkitColour(unit.text_colour, FL_FOREGROUND_COLOR);
  fl_push_clip(x(), y(), w(), h());
  auto text_at = [&](int dx, int dy, Fl_Color c) {
    fl_color(active_r() ? c : fl_inactive(c));
    fl_draw(text, x() + dx, y() + dy, w(), h(), align, nullptr, 0);
  };
  switch (unit.effect) {
    case kEngraved:
      text_at(1, 1, FL_WHITE);
      text_at(0, 0, colour);
      break;
    case kRaised:
      text_at(0, 0, FL_WHITE);
      text_at(1, 1, colour);
      break;
    case kShadow:
      text_at(2, 2, FL_BLACK);
      text_at(0, 0, colour);
      break;
    default: text_at(0, 0, colour);
  }
  fl_pop_clip();
}

// Labels do not claim the pointer: moves over a label that overlaps an edit box reach the
// box beneath, as does a click the label's handlers leave alone.
int LabelWidget::handle(int event) {
  if (CommonEventStopsDefault(control_, *this, event)) return 1;
  return Fl_Box::handle(event);
}

}  // namespace

template <>
std::unique_ptr<LiveControl> CreateControl(LoadedWindow& window, ControlState& state,
                                           forms::LabelUnit unit) {
  return std::make_unique<LabelControl>(window, state, std::move(unit));
}

}  // namespace rt
