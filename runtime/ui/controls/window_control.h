// The live main window (record 0 of a window).
#pragma once

#include "runtime/ui/controls/toolkit_control.h"

namespace rt {

// The outer size in the template includes the frame and the caption. The client area is
// smaller by a classic fixed frame: 3 pixels a side and a 19-pixel caption.
constexpr int kFrameWidth = 3;
constexpr int kCaptionHeight = 19;

class WindowControl : public ToolkitControl {
 public:
  using ToolkitControl::ToolkitControl;
  // Maps the window on screen (centred when the template says so) with the hints that
  // keep it at a fixed size with only a close button.
  virtual void ShowOnScreen() = 0;
  // Tab, Enter or Escape pressed anywhere in the window (toolkit key code), offered to the
  // window before the focused control sees it; true when the window took it.
  virtual bool TakesDialogKey(int key) = 0;
};

// From now on Tab, Enter and Escape in a live window go to the window first, as a dialog
// manager takes them, unless a list or menu holds the pointer or a modal box is open.
void InstallDialogKeys();

}  // namespace rt
