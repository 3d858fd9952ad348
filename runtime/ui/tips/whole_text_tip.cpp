#include "runtime/ui/tips/whole_text_tip.h"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Tooltip.H>
#include <FL/fl_draw.H>

#include "runtime/core/frame.h"
#include "runtime/ui/controls/look.h"

namespace rt {
namespace {

// The toolkit draws the text one pixel inside the field's box and keeps one for the caret.
bool TextFits(Fl_Input& field) {
  fl_font(field.textfont(), field.textsize());
  int room = field.w() - Fl::box_dw(field.box()) - 2;
  return fl_width(field.value()) <= room;
}

// In the default font, as every text of the window: numbers and Chinese alike.
void UseDefaultTooltipFont() {
  static const bool set = [] {
    ToolkitFont font = ToToolkitFont(std::nullopt);
    Fl_Tooltip::font(font.face);
    Fl_Tooltip::size(font.size);
    return true;
  }();
  (void)set;
}

void OfferWholeText(Fl_Input& field) {
  UseDefaultTooltipFont();
  field.copy_tooltip(TextFits(field) ? nullptr : field.value());
}

}  // namespace

void OfferWholeTextOnEntering(Fl_Input& field) {
  if (CurrentDisplayMode() == DisplayMode::kOnScreen) OfferWholeText(field);
}

void FollowTextChange(Fl_Input& field) {
  if (CurrentDisplayMode() != DisplayMode::kOnScreen || Fl_Tooltip::current() != &field) return;
  // The toolkit keeps a pointer to the text it shows: it must let go before the text goes.
  Fl_Tooltip::exit(&field);
  OfferWholeText(field);
  Fl_Tooltip::enter(&field);
}

}  // namespace rt
