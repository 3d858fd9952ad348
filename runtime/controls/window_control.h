// The live main window (record 0 of a window).
#pragma once

#include "runtime/controls/live_control.h"

namespace rt {

// The outer size in the template includes the frame and the caption. The client area is
// smaller by a classic fixed frame: 3 pixels a side and a 19-pixel caption.
constexpr int kFrameWidth = 3;
constexpr int kCaptionHeight = 19;

class WindowControl : public LiveControl {
 public:
  using LiveControl::LiveControl;
  // Maps the window on screen (centred when the template says so) with the hints that
  // keep it at a fixed size with only a close button.
  virtual void ShowOnScreen() = 0;
};

}  // namespace rt
