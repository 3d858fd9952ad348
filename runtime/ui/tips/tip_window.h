// The window a tip shows in: borderless, above every other window, cut to the shape of a
// balloon and transparent to the pointer, so that the control beneath keeps receiving the
// pointer as if the balloon were not there.
#pragma once

#include <FL/Fl_Menu_Window.H>

#include <string>
#include <vector>

#include "runtime/ui/tips/tip_layout.h"

namespace rt {

class TipWindow : public Fl_Menu_Window {
 public:
  TipWindow();

  // Shows the GBK text, in the default 12-pixel font and wrapped to a sensible width, in
  // a balloon whose stem points at the screen point; hide() takes it away.
  void ShowAt(const std::string& gbk_text, TipPoint pointer);

  void draw() override;

 private:
  std::vector<std::string> lines_;  // UTF-8
  Balloon balloon_;
};

}  // namespace rt
