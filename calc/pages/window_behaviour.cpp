// The main window's own behaviour: what happens once it exists, the connection diagrams,
// the scrolling banner, and the tab control's click.
#include "calc/pages/control_io.h"
#include "calc/pages/handlers.h"
#include "calc/pages/main_window.h"
#include "calc/pages/skin_setup.h"

namespace calc {
namespace {

constexpr int32_t kStar = 0;
constexpr int32_t kDelta = 1;
constexpr int32_t kRed = 255;
constexpr int32_t kBlack = 0;
constexpr int32_t kBannerWrapLeft = -800;
constexpr int kAeroOn = 1;
constexpr int kSkinNumber = 19;

int32_t Connection() { return ReadIntProperty(组合框_接线方式, kSelectionProperty); }

}  // namespace

rt::HandlerResult OnMainWindowCreated(const rt::EventArgs&) {
  SetAero(kAeroOn);
  AttachSkin(kSkinNumber);
  // Selecting from the program fills the text field and raises no event, so the diagrams
  // keep the state the window was built with.
  WriteIntProperty(组合框_接线方式, kSelectionProperty, kStar);
  return std::nullopt;
}

// Star shows the star diagram, marks the in-delta current as not applying and clears it;
// delta shows the delta diagram and leaves the box alone.
rt::HandlerResult OnConnectionTypeSelected(const rt::EventArgs&) {
  if (Connection() == kStar) {
    WriteIntProperty(画板_角接, kVisibleProperty, 0);
    WriteIntProperty(画板_星接, kVisibleProperty, 1);
    WriteIntProperty(标签18, kTextColourProperty, kRed);
    WriteText(编辑框_电容电流1, "");
  } else if (Connection() == kDelta) {
    WriteIntProperty(画板_角接, kVisibleProperty, 1);
    WriteIntProperty(画板_星接, kVisibleProperty, 0);
    WriteIntProperty(标签18, kTextColourProperty, kBlack);
  }
  return std::nullopt;
}

// One pixel to the left a tick; once the left edge reaches -800 the banner starts again
// just beyond the right side, at its own width.
rt::HandlerResult OnBannerTimerTick(const rt::EventArgs&) {
  double moved = double(ReadIntProperty(标签12, kLeftProperty)) - 1;
  WriteIntProperty(标签12, kLeftProperty, static_cast<int32_t>(moved));
  if (ReadIntProperty(标签12, kLeftProperty) <= kBannerWrapLeft)
    WriteIntProperty(标签12, kLeftProperty, ReadIntProperty(标签12, kWidthProperty));
  return std::nullopt;
}

rt::HandlerResult OnPagesClicked(const rt::EventArgs&) { return std::nullopt; }

}  // namespace calc
